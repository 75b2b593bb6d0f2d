#include "DesignFonts.h"
#include "FoeDatabase.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    installDesignFonts();
    // The bestiary lies beside the program itself; Qt resolves a link to the
    // program to its real folder.
    const std::filesystem::path programFolder = QCoreApplication::applicationDirPath().toStdU16String();
    return runCalculator(foeDatabasePath(programFolder));
}
