// Category change: frmMain::GetFoes, which a category click runs to rebuild
// the foe list, against the engine's own list query walked once and the same
// names put into a combo box in one call. Both run at "Pitiful", the longest
// list, with a named foe in the box that stays offered (the last one stored),
// and end by letting Qt redraw what changed.

#include "BareWindow.h"
#include "BenchBestiaries.h"
#include "BenchPairs.h"
#include "BenchSuites.h"
#include "EngineFloors.h"
#include "FoeSheet.h"
#include "WindowEvents.h"
#include "frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QRadioButton>

namespace {

void recordItems(benchmark::State& state, const QComboBox* foes)
{
    state.counters["items"] = foes->count();
}

void categoryFigure(benchmark::State& state, BestiaryId id)
{
    const BenchBestiary& bestiary = benchBestiary(id);
    frmMain window(openFoeDatabase(bestiary.file));
    showDrawn(window);
    window.findChild<QRadioButton*>(arrayMemberName("optCategory", kLongestList))->click();
    window.findChild<QComboBox*>("cboFoes")->setEditText(QString::fromStdString(bestiary.lastStoredName));
    QCoreApplication::processEvents();
    timeIterations(state, [&] {
        window.GetFoes();
        QCoreApplication::processEvents();
    });
    recordItems(state, window.findChild<QComboBox*>("cboFoes"));
}

void categoryFloor(benchmark::State& state, BestiaryId id)
{
    const BenchBestiary& bestiary = benchBestiary(id);
    const auto engine = engineFloor(bestiary);
    BareWindow bare;
    showDrawn(bare.window);
    QComboBox* foes = bare.controls.cboFoes;
    const QString generic = QString::fromUtf8(kGenericFoe.data(), static_cast<qsizetype>(kGenericFoe.size()));
    const QString kept = QString::fromStdString(bestiary.lastStoredName);
    timeIterations(state, [&] {
        QStringList items{generic};
        engine->appendNames(kLongestList, items);
        foes->clear();
        foes->addItems(items);
        foes->setEditText(kept);  // the refilled box shows the foe it showed before
        QCoreApplication::processEvents();
    });
    recordItems(state, foes);
}

}  // namespace

void registerCategoryBenchmarks()
{
    for (const BestiaryId id : {BestiaryId::Sqlite14, BestiaryId::Access14, BestiaryId::Sqlite10k, BestiaryId::Access10k}) {
        registerPair("Category/" + bestiaryLabel(id),
                     [id](benchmark::State& state) { categoryFigure(state, id); },
                     [id](benchmark::State& state) { categoryFloor(state, id); });
    }
}
