// The calculator's start, exactly as the window module's vornFoeWindow()
// does it when the program is given no arguments (the user's settings and
// data folder looked at, then the bestiary beside the program), ending at
// the first painted frame. The program's own few steps before it, reading
// the arguments and loading the module, are not counted.

#include "DesignFonts.h"
#include "FoeDatabase.h"
#include "QuitAtFirstPaint.h"
#include "Startup.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName("vorn-foe");
    QApplication app(argc, argv);
    installDesignFonts();
    const std::filesystem::path programFolder = QCoreApplication::applicationDirPath().toStdU16String();
    const std::unique_ptr<frmMain> window = startCalculator({std::nullopt, foeDatabasePath(programFolder)});
    if (!window)
        return 1;
    quitAtFirstPaint(*window);
    window->show();
    return QApplication::exec();
}
