// A letter typed in the foe box, through the real window on the bestiary as
// the program opens it, on 100,000 foes against the same on 10,000. Keys
// alternate between finishing the last stored foe's name and taking its
// last letter back: a name found, then one not found, each a recomputation
// and a new round of the list's matching names offered by the completer.

#include "BenchBestiaries.h"
#include "BenchMeasures.h"
#include "BenchSuites.h"
#include "WatchedFoeDatabase.h"
#include "frmMain.h"

#include <QApplication>
#include <QComboBox>
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
    foes->setEditText(QString::fromStdString(bestiary.lastStoredName).chopped(1));
    const char lastLetter = bestiary.lastStoredName.back();
    bool finish = true;
    timeIterations(state, [&] {
        if (finish)
            QTest::keyClick(foes, lastLetter);
        else
            QTest::keyClick(foes, Qt::Key_Backspace);
        finish = !finish;
        QCoreApplication::processEvents();
    });
}

}  // namespace

void registerFoeBoxBenchmarks()
{
    for (const BestiaryId id : {BestiaryId::Sqlite10k, BestiaryId::Sqlite100k})
        registerMeasure("Foe box/key " + bestiaryLabel(id), [id](benchmark::State& state) { typeInFoeBox(state, id); });
}
