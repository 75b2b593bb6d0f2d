// Opening a bestiary as the program does when it starts or the game master
// opens one: the file's stamp taken, table Foes read into the in-memory
// index and its names sorted; against SQLite's own SELECT of every row
// walked once plus one std::sort of the names. Each iteration also frees
// what it read, the index as the names.

#include "BenchBestiaries.h"
#include "BenchMeasures.h"
#include "BenchSuites.h"
#include "EngineFloors.h"
#include "WatchedFoeDatabase.h"

namespace {

void openFigure(benchmark::State& state, BestiaryId id)
{
    const std::filesystem::path& file = benchBestiary(id).file;
    timeIterations(state, [&] { benchmark::DoNotOptimize(WatchedFoeDatabase(file)); });
}

void openFloor(benchmark::State& state, BestiaryId id)
{
    const std::filesystem::path& file = benchBestiary(id).file;
    timeIterations(state, [&] { benchmark::DoNotOptimize(selectAndSortNames(file)); });
}

}  // namespace

void registerOpenBenchmarks()
{
    const BestiaryId id = BestiaryId::Sqlite100k;
    registerMeasure("Open/bestiary " + bestiaryLabel(id), [id](benchmark::State& state) { openFigure(state, id); });
    registerMeasure("Open/SELECT and std::sort " + bestiaryLabel(id),
                    [id](benchmark::State& state) { openFloor(state, id); });
}
