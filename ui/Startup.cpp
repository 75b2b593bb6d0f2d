#include "Startup.h"

#include "FoeDatabase.h"
#include "frmMain.h"

#include <QApplication>
#include <QMessageBox>

std::unique_ptr<frmMain> startCalculator(const std::filesystem::path& bestiaryFile)
{
    try {
        return std::make_unique<frmMain>(openFoeDatabase(bestiaryFile));
    } catch (const DatabaseError& error) {
        QMessageBox box(QMessageBox::Critical, "Vorn_Foe", QString::fromUtf8(error.what()), QMessageBox::Ok);
        box.exec();
        return nullptr;
    }
}

int runCalculator(const std::filesystem::path& bestiaryFile)
{
    const std::unique_ptr<frmMain> window = startCalculator(bestiaryFile);
    if (!window)
        return 1;
    window->show();
    return QApplication::exec();
}
