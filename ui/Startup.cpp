#include "Startup.h"

#include "BestiaryMenu.h"
#include "SheetZoom.h"
#include "frmMain.h"

#include <QApplication>
#include <QStringList>

std::unique_ptr<frmMain> startCalculator(const BestiarySources& sources)
{
    QStringList refusals;
    auto chosen = chooseBestiary(sources, [&](const QString& message) { refusals << message; });
    // One message for the start, which says what the calculator does about
    // the refusals: which bestiary it opens instead, if any.
    if (!refusals.isEmpty()) {
        if (chosen)
            refusals << QStringLiteral("The calculator opens \"%1\" instead.").arg(fileName(chosen->file));
        showBestiaryRefusal(nullptr, refusals.join("\n\n"));
    }
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
