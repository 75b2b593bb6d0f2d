// A letter typed in the foe box, through the real window on the bestiary as
// the program opens it, on 100,000 foes against the same on 10,000: the
// last letter of the last stored foe's name, typed after the rest of it,
// which makes a recomputation (the foe found) and a new round of the name
// completer's matching names.
//
// The completer remembers the names it matched for each text it was given,
// so the same key typed again would be answered from that memory; a game
// master typing a name gives it a new text at every key. Before each key,
// untimed, the box is given the name without its last letter again and the
// completer's memory is emptied (by changing its case rule back and forth,
// which starts it afresh), so that every key is timed as a new text.

#include "BenchBestiaries.h"
#include "BenchMeasures.h"
#include "BenchSuites.h"
#include "WatchedFoeDatabase.h"
#include "frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QTest>

#include <stdexcept>

namespace {

void typeInFoeBox(benchmark::State& state, BestiaryId id)
{
    const BenchBestiary& bestiary = benchBestiary(id);
    frmMain window(std::make_unique<WatchedFoeDatabase>(bestiary.file));
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        throw std::runtime_error("the window never took the keyboard");
    auto* foes = window.findChild<QComboBox*>("cboFoes");
    foes->setFocus();
    // The suggestions are made at the first letter typed, beside the box.
    QTest::keyClick(foes, 'a');
    auto* completer = foes->findChild<QCompleter*>();
    if (!completer)
        throw std::runtime_error("the foe box has no name suggestions");
    const QString allButLast = QString::fromStdString(bestiary.lastStoredName).chopped(1);
    const char lastLetter = bestiary.lastStoredName.back();
    timePreparedIterations(
        state,
        [&] {
            foes->setEditText(allButLast);
            completer->setCaseSensitivity(Qt::CaseSensitive);
            completer->setCaseSensitivity(Qt::CaseInsensitive);
            QCoreApplication::processEvents();
        },
        [&] {
            QTest::keyClick(foes, lastLetter);
            QCoreApplication::processEvents();
        });
}

}  // namespace

void registerFoeBoxBenchmarks()
{
    for (const BestiaryId id : {BestiaryId::Sqlite10k, BestiaryId::Sqlite100k})
        registerMeasure("Foe box/key " + bestiaryLabel(id), [id](benchmark::State& state) { typeInFoeBox(state, id); });
}
