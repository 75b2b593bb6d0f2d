// Category change: a click on "Pitiful" (the longest list) through the real
// window, on the bestiary as the program opens it (following its file), with
// a named foe in the box that stays offered (the last one stored): the list
// rebuilt, the foe looked up, the results recomputed, and what changed
// redrawn. The floor is SQLite's own list query with its NOCASE order,
// walked once, and the same names put into a plain combo box with one
// addItems, the foe's name set back; events processed once in both.

#include "BareWindow.h"
#include "BenchBestiaries.h"
#include "BenchMeasures.h"
#include "BenchSuites.h"
#include "EngineFloors.h"
#include "FoeSheet.h"
#include "WatchedFoeDatabase.h"
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
    frmMain window(std::make_unique<WatchedFoeDatabase>(bestiary.file));
    showDrawn(window);
    auto* option = window.findChild<QRadioButton*>(arrayMemberName("optCategory", kLongestList));
    option->click();
    window.findChild<QComboBox*>("cboFoes")->setEditText(QString::fromStdString(bestiary.lastStoredName));
    QCoreApplication::processEvents();
    timeIterations(state, [&] {
        option->click();
        QCoreApplication::processEvents();
    });
    recordItems(state, window.findChild<QComboBox*>("cboFoes"));
}

void categoryFloor(benchmark::State& state, BestiaryId id)
{
    const BenchBestiary& bestiary = benchBestiary(id);
    SqliteNocaseList engine(bestiary.file);
    BareWindow bare;
    showDrawn(bare.window);
    QComboBox* foes = bare.controls.cboFoes;
    const QString generic = QString::fromUtf8(kGenericFoe.data(), static_cast<qsizetype>(kGenericFoe.size()));
    const QString kept = QString::fromStdString(bestiary.lastStoredName);
    timeIterations(state, [&] {
        QStringList items{generic};
        engine.appendNames(kLongestList, items);
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
    for (const BestiaryId id : {BestiaryId::Sqlite10k, BestiaryId::Access10k, BestiaryId::Sqlite100k}) {
        registerMeasure("Category/window " + bestiaryLabel(id),
                        [id](benchmark::State& state) { categoryFigure(state, id); });
    }
    registerMeasure("Category/NOCASE query and addItems " + bestiaryLabel(BestiaryId::Sqlite10k),
                    [](benchmark::State& state) { categoryFloor(state, BestiaryId::Sqlite10k); });
}
