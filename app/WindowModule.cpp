#include "WindowModule.h"

#include "DesignFonts.h"
#include "FoeDatabase.h"
#include "StatBlockPdf.h"
#include "Startup.h"

#include <QApplication>

#include <cstdio>

namespace {

void nameTheProgram()
{
    // The name gives the user's folders: ~/.config/vorn-foe, ~/.local/share/vorn-foe.
    QCoreApplication::setApplicationName("vorn-foe");
}

}  // namespace

int vornFoeWindow(int argc, char** argv, const char* bestiary)
{
    nameTheProgram();
    QApplication app(argc, argv);
    installDesignFonts();
    const std::filesystem::path programFolder = QCoreApplication::applicationDirPath().toStdU16String();
    BestiarySources sources{std::nullopt, foeDatabasePath(programFolder)};
    if (bestiary)
        sources.commandLine = bestiary;
    return runCalculator(sources);
}

int vornFoeSheet(int argc, char** argv, const std::vector<StatBlock>* blocks, const char* pdfFile)
{
    nameTheProgram();
    // A sheet needs fonts and a painter, not a screen; and an answer on the
    // command line says nothing but what went wrong, so the toolkit's own
    // notes about the session it runs in are kept off the terminal.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "vorn-foe: %s\n", message.toUtf8().constData());
    });
    QApplication app(argc, argv);
    installDesignFonts();
    const QString file = QString::fromLocal8Bit(pdfFile);
    const QString problem = writeStatBlocksPdf(*blocks, file);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "vorn-foe: %s cannot be written: %s\n", pdfFile, problem.toUtf8().constData());
        return 1;
    }
    return 0;
}
