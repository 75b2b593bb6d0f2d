// vorn-foe: the window, or an answer on the command line (CommandLine.h).
// The task decides which application object the program makes: QApplication
// for the window, QGuiApplication on the offscreen platform for a printed
// sheet, QCoreApplication for an answer, which needs no display at all.

#include "CommandLine.h"
#include "Console.h"
#include "DesignFonts.h"
#include "FoeCommands.h"
#include "FoeDatabase.h"
#include "ProgramFolder.h"
#include "Startup.h"

#include <QApplication>

#include <cstdio>

namespace {

int runWindow(int argc, char** argv, const CommandLine& command)
{
    QApplication app(argc, argv);
    installDesignFonts();
    return runCalculator({command.bestiary, programFolder() / kDatabaseFileName});
}

int writeSheet(int argc, char** argv, const CommandLine& command)
{
    // A sheet needs fonts and a painter, not a screen; and an answer on the
    // command line says nothing but what went wrong, so the toolkit's own
    // notes about the session it runs in are kept off the terminal.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            tellProblem(kDataFailed, message);
    });
    QGuiApplication app(argc, argv);
    installDesignFonts();
    return writeSheetCommand(command);
}

// --help, --version, --list, --foe or --encounter.
int answer(int argc, char** argv, const CommandLine& command)
{
    QCoreApplication app(argc, argv);
    using Task = CommandLine::Task;
    if (command.task == Task::Help) {
        std::fputs(commandLineHelp().toLocal8Bit().constData(), stdout);
        return kAnswered;
    }
    if (command.task == Task::Version) {
        std::printf("vorn-foe %s\n", VORN_VERSION);
        return kAnswered;
    }
    if (command.task == Task::Encounter)
        return printEncounterCommand(command);
    return command.task == Task::List ? listFoesCommand(command) : printBlocksCommand(command);
}

}  // namespace

int main(int argc, char** argv)
{
    // The name gives the user's folders: ~/.config/vorn-foe, ~/.local/share/vorn-foe.
    QCoreApplication::setApplicationName("vorn-foe");
    readyStandardStreams();
    QString problem;
    const std::optional<CommandLine> command = readCommandLine(programArguments(argc, argv), problem);
    if (!command)
        return tellProblem(kCommandLineWrong, problem);
    switch (command->task) {
    case CommandLine::Task::Window:
        return runWindow(argc, argv, *command);
    case CommandLine::Task::Sheet:
        return writeSheet(argc, argv, *command);
    default:
        return answer(argc, argv, *command);
    }
}
