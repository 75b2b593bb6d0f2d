// Keystroke: the recomputation that typing a tally starts, through the real
// window on the bestiary as the program opens it (following its file, so
// each keystroke's lookup checks the file first), against Qt alone
// redrawing the same boxes with the same texts; and the same keystroke on a
// bestiary of 100,000 foes against one of 14, with the same foe in the box.

#include "BareWindow.h"
#include "BenchBestiaries.h"
#include "BenchMeasures.h"
#include "BenchSuites.h"
#include "WatchedFoeDatabase.h"
#include "WindowEvents.h"
#include "frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include <array>
#include <functional>
#include <map>
#include <utility>
#include <vector>

namespace {

// Each shows the Bow and X-Bow rows too: the first is in the fixture, the
// second (a missile foe, as every fifth is) in every generated bestiary.
constexpr const char* kShootingFoe = "Bandit Archer";
constexpr const char* kShootingGeneratedFoe = "Foe 00010";

// Two sets of tallies apart in every statistic, and in HP far enough to cross
// a Wound threshold, so that every result the tallies drive changes with
// each set. (Mix and Move follow the foe alone.)
const std::array<QString, kStatCount> kTallies[2] = {
    {"0", "0", "0", "0", "0", "0", "0"},
    {"1", "1", "1", "1", "1", "50", "1"},
};

using BoxTexts = std::map<QString, QString>;  // box name -> text

struct CalculatorWindow {
    CalculatorWindow(BestiaryId id, const char* foe)
        : window(std::make_unique<WatchedFoeDatabase>(benchBestiary(id).file))
    {
        window.findChild<QComboBox*>("cboFoes")->setEditText(foe);
        for (int i = 0; i < kStatCount; ++i)
            tallies[static_cast<std::size_t>(i)] = window.findChild<QLineEdit*>(arrayMemberName("txtTally", i));
    }

    // One set of tallies as one keystroke: the first six change quietly and
    // the last raises the change event that recomputes, so the pass runs
    // once, on all seven.
    void type(int set)
    {
        for (int i = 0; i < kStatCount; ++i) {
            const auto slot = static_cast<std::size_t>(i);
            const QSignalBlocker quiet(i + 1 < kStatCount ? tallies[slot] : nullptr);
            tallies[slot]->setText(kTallies[set][slot]);
        }
    }

    BoxTexts boxTexts() const
    {
        BoxTexts texts;
        for (const QLineEdit* box : window.findChildren<QLineEdit*>()) {
            if (box->objectName().startsWith("txt"))
                texts[box->objectName()] = box->text();
        }
        return texts;
    }

    frmMain window;
    std::array<QLineEdit*, kStatCount> tallies{};
};

// What the window shows after each set of tallies, for the boxes that differ
// between the two: the texts the floor writes.
std::array<BoxTexts, 2> readChangingBoxTexts(CalculatorWindow& calculator)
{
    std::array<BoxTexts, 2> shown;
    for (int set = 0; set < 2; ++set) {
        calculator.type(set);
        shown[static_cast<std::size_t>(set)] = calculator.boxTexts();
    }
    std::array<BoxTexts, 2> changing;
    for (const auto& [name, text] : shown[0]) {
        if (shown[1][name] != text) {
            changing[0][name] = text;
            changing[1][name] = shown[1][name];
        }
    }
    return changing;
}

const std::array<BoxTexts, 2>& changingBoxTexts()
{
    static const std::array<BoxTexts, 2> texts = [] {
        CalculatorWindow calculator(BestiaryId::Sqlite14, kShootingFoe);
        return readChangingBoxTexts(calculator);
    }();
    return texts;
}

// Steps through the two sets alternately; the counters record the boxes that
// change and the paint events of one keystroke, for the report to compare.
void runKeystrokes(benchmark::State& state, const std::function<void(int set)>& keystroke, std::size_t boxes)
{
    int paints = 0;
    {
        keystroke(0);
        QCoreApplication::processEvents();
        const PaintCount counted;
        keystroke(1);
        QCoreApplication::processEvents();
        paints = counted.count();
    }
    int set = 1;
    timeIterations(state, [&] {
        set ^= 1;
        keystroke(set);
        QCoreApplication::processEvents();
    });
    state.counters["boxes"] = static_cast<double>(boxes);
    state.counters["paints"] = paints;
}

void keystrokeFigure(benchmark::State& state, BestiaryId id, const char* foe)
{
    CalculatorWindow calculator(id, foe);
    const std::size_t changing = readChangingBoxTexts(calculator)[0].size();
    showDrawn(calculator.window);
    runKeystrokes(state, [&](int set) { calculator.type(set); }, changing);
}

void keystrokeFloor(benchmark::State& state)
{
    const std::array<BoxTexts, 2>& texts = changingBoxTexts();
    BareWindow bare;
    bare.controls.txtTally[0]->setFocus();  // where the calculator puts it
    showDrawn(bare.window);
    std::array<std::vector<std::pair<QLineEdit*, QString>>, 2> writes;
    for (std::size_t set = 0; set < 2; ++set) {
        for (const auto& [name, text] : texts[set])
            writes[set].emplace_back(bare.window.findChild<QLineEdit*>(name), text);
    }
    runKeystrokes(state, [&](int set) {
        for (const auto& [box, text] : writes[static_cast<std::size_t>(set)])
            box->setText(text);
    }, texts[0].size());
}

}  // namespace

void registerKeystrokeBenchmarks()
{
    registerMeasure("Keystroke/window " + bestiaryLabel(BestiaryId::Sqlite14),
                    [](benchmark::State& state) { keystrokeFigure(state, BestiaryId::Sqlite14, kShootingFoe); });
    registerMeasure("Keystroke/bare window", keystrokeFloor);
    for (const BestiaryId id : {BestiaryId::Generated14, BestiaryId::Sqlite100k}) {
        registerMeasure("Keystroke/window " + bestiaryLabel(id),
                        [id](benchmark::State& state) { keystrokeFigure(state, id, kShootingGeneratedFoe); });
    }
}
