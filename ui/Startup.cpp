#include "Startup.h"

#include "BestiaryMenu.h"
#include "SheetZoom.h"
#include "frmMain.h"

#include <QApplication>

std::unique_ptr<frmMain> startCalculator(const BestiarySources& sources)
{
    auto chosen = chooseBestiary(sources, [](const QString& message) { showBestiaryRefusal(nullptr, message); });
    if (!chosen)
        return nullptr;
    auto window = std::make_unique<frmMain>(std::move(chosen->database), chosen->file);
    window->zoomTo(rememberedZoom());
    return window;
}

int runCalculator(const BestiarySources& sources)
{
    const std::unique_ptr<frmMain> window = startCalculator(sources);
    if (!window)
        return 1;
    window->show();
    return QApplication::exec();
}
