// The calculator's start, exactly as its main() and runCalculator() do it,
// on the bestiary beside the program, ending at the first painted frame.

#include "DesignFonts.h"
#include "FoeDatabase.h"
#include "QuitAtFirstPaint.h"
#include "Startup.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    installDesignFonts();
    const std::filesystem::path programFolder = QCoreApplication::applicationDirPath().toStdU16String();
    const std::unique_ptr<frmMain> window = startCalculator(foeDatabasePath(programFolder));
    if (!window)
        return 1;
    quitAtFirstPaint(*window);
    window->show();
    return QApplication::exec();
}
