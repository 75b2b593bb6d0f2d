// The calculator's start, exactly as the program makes it when it is given
// no arguments (its options read, the user's settings and data folder looked
// at, then the bestiary beside the program), ending at the first painted
// frame.

#include "CommandLine.h"
#include "Console.h"
#include "DesignFonts.h"
#include "FoeDatabase.h"
#include "ProgramFolder.h"
#include "QuitAtFirstPaint.h"
#include "Startup.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName("vorn-foe");
    QString problem;
    const std::optional<CommandLine> command = readCommandLine(programArguments(argc, argv), problem);
    if (!command || command->task != CommandLine::Task::Window)
        return 2;
    QApplication app(argc, argv);
    installDesignFonts();
    const std::unique_ptr<frmMain> window
        = startCalculator({command->bestiary, programFolder() / kDatabaseFileName});
    if (!window)
        return 1;
    quitAtFirstPaint(*window);
    window->show();
    return QApplication::exec();
}
