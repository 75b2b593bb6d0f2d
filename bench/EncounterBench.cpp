// The encounter at scale: 200 entries of foes from 100,000, each budgeted.
// Another bestiary re-computes every entry, and the Encounter window shows
// the new numbers, within one frame (16 ms); opening and saving the
// encounter's file take at most 50 ms each. The entries are foes spread over
// the whole bestiary at the category that lists them all, each a few
// creatures, some hurt: a large fight, as a game master would save it.

#include "BenchBestiaries.h"
#include "BenchMeasures.h"
#include "BenchSuites.h"
#include "EncounterDocument.h"
#include "EncounterWindow.h"
#include "FoeLookup.h"
#include "SheetZoom.h"
#include "WatchedFoeDatabase.h"
#include "WindowEvents.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

constexpr int kEntries = 200;
constexpr BestiaryId kBestiary = BestiaryId::Sqlite100k;

// The document on the bestiary as the window opens it, following its file.
struct BenchEncounter {
    BenchEncounter()
        : bestiary(std::make_unique<WatchedFoeDatabase>(benchBestiary(kBestiary).file)),
          document([this](const std::string& foe, ThreatCategory category) {
              return lookUpFoe(*bestiary, foe, category);
          })
    {
        const std::vector<std::string> names = bestiary->listNames(kLongestList);
        document.edit("Gather", [&](Encounter& entries) {
            for (int i = 0; i < kEntries; ++i) {
                EncounterEntry entry;
                entry.foe = names[names.size() * static_cast<std::size_t>(i) / kEntries];
                entry.category = kLongestList;
                entry.tallies[Init] = static_cast<std::int16_t>(i % 3);
                refreshEntry(entry, lookUpFoe(*bestiary, entry.foe, entry.category));
                setCount(entry, 1 + i % 4);
                changeHp(entry, 0, -(i % 7));
                entries.push_back(entry);
            }
        });
    }

    std::unique_ptr<FoeDatabase> bestiary;
    EncounterDocument document;
};

void anotherBestiary(benchmark::State& state)
{
    BenchEncounter encounter;
    EncounterWindow window(encounter.document, [] { return kActualSize; }, [](int) {});
    showDrawn(window);
    timeIterations(state, [&] {
        encounter.document.refresh();
        QCoreApplication::processEvents();
    });
    state.counters["items"] = static_cast<double>(encounter.document.entries().size());
}

void openFile(benchmark::State& state)
{
    BenchEncounter encounter;
    QTemporaryDir folder;
    const QString file = folder.filePath("fight.json");
    if (!encounter.document.saveAs(file).isEmpty())
        return state.SkipWithError("the encounter could not be saved");
    QString problem;
    timeIterations(state, [&] { benchmark::DoNotOptimize(encounter.document.open(file, problem)); });
    state.counters["items"] = static_cast<double>(encounter.document.entries().size());
}

void saveFile(benchmark::State& state)
{
    BenchEncounter encounter;
    QTemporaryDir folder;
    const QString file = folder.filePath("fight.json");
    timeIterations(state, [&] { benchmark::DoNotOptimize(encounter.document.saveAs(file)); });
    state.counters["items"] = static_cast<double>(encounter.document.entries().size());
}

}  // namespace

void registerEncounterBenchmarks()
{
    const std::string label = bestiaryLabel(kBestiary) + "/encounter of 200: ";
    registerScale(label + "another bestiary, shown (budget 16 ms)", anotherBestiary);
    registerScale(label + "open (budget 50 ms)", openFile);
    registerScale(label + "save (budget 50 ms)", saveFile);
}
