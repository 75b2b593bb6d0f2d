#include "CommandLine.h"
#include "DesignFonts.h"
#include "Startup.h"

#include <QApplication>

#include <cstdio>

namespace {

// The bestiary beside the program itself; Qt resolves a link to the program
// to its real folder.
BestiarySources sourcesFor(const CommandLine& command)
{
    const std::filesystem::path programFolder = QCoreApplication::applicationDirPath().toStdU16String();
    return {command.bestiary, foeDatabasePath(programFolder)};
}

}  // namespace

int main(int argc, char** argv)
{
    // The name gives the user's folders: ~/.config/vorn-foe, ~/.local/share/vorn-foe.
    QCoreApplication::setApplicationName("vorn-foe");
    QCoreApplication::setApplicationVersion(VORN_VERSION);

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QString problem;
    const std::optional<CommandLine> command = readCommandLine(arguments, problem);
    if (!command) {
        std::fprintf(stderr, "vorn-foe: %s\n", problem.toUtf8().constData());
        return 2;
    }
    switch (command->task) {
    case CommandLine::Task::Help:
        std::fputs(command->helpText.toUtf8().constData(), stdout);
        return 0;
    case CommandLine::Task::Version:
        std::printf("vorn-foe %s\n", VORN_VERSION);
        return 0;
    case CommandLine::Task::List: {
        // No window, so no display is needed.
        const QCoreApplication app(argc, argv);
        return listFoes(sourcesFor(*command), command->category);
    }
    case CommandLine::Task::Window:
        break;
    }
    QApplication app(argc, argv);
    installDesignFonts();
    return runCalculator(sourcesFor(*command));
}
