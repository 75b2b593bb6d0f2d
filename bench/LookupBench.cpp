// Lookup: the in-memory index's answer (FoeIndex::findFoe, what a backend
// answers once the file is read; the file check before it is the keystroke
// figures' part), against std::lower_bound over the same names sorted the
// same way. Then the same lookup through the bestiary as the program holds
// it, following its file: on an unchanged file it answers from memory, at
// a small fraction of what reading the file again costs (the open figure).
// The foe asked for is the last one stored.

#include "BenchBestiaries.h"
#include "BenchMeasures.h"
#include "BenchSuites.h"
#include "EngineFloors.h"
#include "FoeDatabase.h"
#include "OpenFoeDatabase.h"
#include "WatchedFoeDatabase.h"

#include <stdexcept>

namespace {

template <class Lookup>
void runLookups(benchmark::State& state, const std::string& name, Lookup lookup)
{
    if (!lookup(name))
        throw std::runtime_error(name + " is not found");
    timeIterations(state, [&] { benchmark::DoNotOptimize(lookup(name)); });
}

void lookupThrough(benchmark::State& state, const BenchBestiary& bestiary, FoeDatabase& database)
{
    runLookups(state, bestiary.lastStoredName, [&](const std::string& name) { return database.findFoe(name, kDefaultCategory); });
}

void indexLookup(benchmark::State& state, BestiaryId id)
{
    const BenchBestiary& bestiary = benchBestiary(id);
    lookupThrough(state, bestiary, *openFoeDatabase(bestiary.file));
}

void watchedLookup(benchmark::State& state, BestiaryId id)
{
    const BenchBestiary& bestiary = benchBestiary(id);
    WatchedFoeDatabase watched(bestiary.file);
    lookupThrough(state, bestiary, watched);
}

void lowerBoundLookup(benchmark::State& state, BestiaryId id)
{
    const BenchBestiary& bestiary = benchBestiary(id);
    const SortedNamesLookup names(bestiary.file);
    runLookups(state, bestiary.lastStoredName, [&](const std::string& name) { return names.find(name); });
}

}  // namespace

void registerLookupBenchmarks()
{
    for (const BestiaryId id : {BestiaryId::Sqlite10k, BestiaryId::Access10k, BestiaryId::Sqlite100k})
        registerMeasure("Lookup/index " + bestiaryLabel(id), [id](benchmark::State& state) { indexLookup(state, id); });
    for (const BestiaryId id : {BestiaryId::Sqlite10k, BestiaryId::Sqlite100k}) {
        registerMeasure("Lookup/lower_bound " + bestiaryLabel(id),
                        [id](benchmark::State& state) { lowerBoundLookup(state, id); });
    }
    registerMeasure("Lookup/unchanged file " + bestiaryLabel(BestiaryId::Sqlite100k),
                    [](benchmark::State& state) { watchedLookup(state, BestiaryId::Sqlite100k); });
}
