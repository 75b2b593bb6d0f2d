// Scale: what a game master with a large bestiary waits for, with no floor:
// opening it, each category's list, a lookup of the last foe stored, a
// category click through the window with that foe in the box (list,
// recomputation and redraw), a key typed in the foe box, and the window's
// start on it.

#include "BenchBestiaries.h"
#include "BenchPairs.h"
#include "BenchSuites.h"
#include "FoeDatabase.h"
#include "WindowEvents.h"
#include "frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>

#include <stdexcept>

namespace {

std::string categoryName(ThreatCategory category)
{
    return std::string(kCategoryCaptions[static_cast<std::size_t>(category)]);
}

void registerScaleOf(BestiaryId id)
{
    const std::string label = bestiaryLabel(id);
    registerScale(label + "/open", [id](benchmark::State& state) {
        const std::filesystem::path& file = benchBestiary(id).file;
        for (auto _ : state)
            benchmark::DoNotOptimize(openFoeDatabase(file));
    });
    for (ThreatCategory category = 0; category < kCategoryCount; ++category) {
        registerScale(label + "/list " + categoryName(category), [id, category](benchmark::State& state) {
            const auto database = openFoeDatabase(benchBestiary(id).file);
            for (auto _ : state)
                benchmark::DoNotOptimize(database->listNames(category));
            state.counters["names"] = static_cast<double>(database->listNames(category).size());
        });
    }
    registerScale(label + "/lookup", [id](benchmark::State& state) {
        const BenchBestiary& bestiary = benchBestiary(id);
        const auto database = openFoeDatabase(bestiary.file);
        for (auto _ : state)
            benchmark::DoNotOptimize(database->findFoe(bestiary.lastStoredName));
    });
    registerScale(label + "/click " + categoryName(kLongestList), [id](benchmark::State& state) {
        const BenchBestiary& bestiary = benchBestiary(id);
        frmMain window(openFoeDatabase(bestiary.file));
        showDrawn(window);
        // A named foe, so that the click's recomputation looks it up.
        window.findChild<QComboBox*>("cboFoes")->setEditText(QString::fromStdString(bestiary.lastStoredName));
        auto* option = window.findChild<QRadioButton*>(arrayMemberName("optCategory", kLongestList));
        for (auto _ : state) {
            option->click();
            QCoreApplication::processEvents();
        }
        state.counters["items"] = window.findChild<QComboBox*>("cboFoes")->count();
    });
    registerScale(label + "/key in foe box", [id](benchmark::State& state) {
        const BenchBestiary& bestiary = benchBestiary(id);
        frmMain window(openFoeDatabase(bestiary.file));
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            throw std::runtime_error("the window never took the keyboard");
        // Keys alternate between finishing the last foe's name and taking
        // its last letter back: a name found, then one not found, each a
        // recomputation and a new round of the list's matching names.
        auto* foes = window.findChild<QComboBox*>("cboFoes");
        foes->setFocus();
        foes->setEditText(QString::fromStdString(bestiary.lastStoredName).chopped(1));
        const char lastLetter = bestiary.lastStoredName.back();
        bool finish = true;
        for (auto _ : state) {
            if (finish)
                QTest::keyClick(foes, lastLetter);
            else
                QTest::keyClick(foes, Qt::Key_Backspace);
            finish = !finish;
            QCoreApplication::processEvents();
        }
    });
    registerScale(label + "/window start", [id](benchmark::State& state) {
        const std::filesystem::path& file = benchBestiary(id).file;
        for (auto _ : state) {
            const frmMain window(openFoeDatabase(file));
        }
    });
}

}  // namespace

void registerScaleBenchmarks()
{
    registerScaleOf(BestiaryId::Sqlite100k);
    registerScaleOf(BestiaryId::Access10k);
}
