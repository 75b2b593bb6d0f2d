// Lookup: FoeDatabase::findFoe, the query behind every recomputation of a
// named foe, against the engine answering the same question on its own.
// The foe asked for is the last one stored, the far end of a scan in table
// order.

#include "BenchBestiaries.h"
#include "BenchPairs.h"
#include "BenchSuites.h"
#include "EngineFloors.h"
#include "FoeDatabase.h"

#include <stdexcept>

namespace {

template <class Lookup>
void runLookups(benchmark::State& state, const std::string& name, Lookup lookup)
{
    if (!lookup(name))
        throw std::runtime_error(name + " is not found");
    timeIterations(state, [&] { benchmark::DoNotOptimize(lookup(name)); });
}

void lookupFigure(benchmark::State& state, BestiaryId id)
{
    const BenchBestiary& bestiary = benchBestiary(id);
    const auto database = openFoeDatabase(bestiary.file);
    runLookups(state, bestiary.lastStoredName, [&](const std::string& name) { return database->findFoe(name); });
}

void lookupFloor(benchmark::State& state, BestiaryId id)
{
    const BenchBestiary& bestiary = benchBestiary(id);
    const auto floor = engineFloor(bestiary);
    runLookups(state, bestiary.lastStoredName, [&](const std::string& name) { return floor->findFoe(name); });
}

}  // namespace

void registerLookupBenchmarks()
{
    for (const BestiaryId id : {BestiaryId::Sqlite14, BestiaryId::Access14, BestiaryId::Sqlite10k, BestiaryId::Access10k}) {
        registerPair("Lookup/" + bestiaryLabel(id),
                     [id](benchmark::State& state) { lookupFigure(state, id); },
                     [id](benchmark::State& state) { lookupFloor(state, id); });
    }
}
