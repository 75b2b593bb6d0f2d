// Scale: what a game master with a large bestiary waits for, compared with
// nothing: each category's list from the index, and the window's start on
// it (open, list at Equal, recomputation); for the Access file also its
// opening, read by the helper program. The timed actions that have a floor
// or a smaller twin (open, lookup, click, key) are measures of their own.

#include "BenchBestiaries.h"
#include "BenchMeasures.h"
#include "BenchSuites.h"
#include "FoeDatabase.h"
#include "OpenFoeDatabase.h"
#include "WatchedFoeDatabase.h"
#include "frmMain.h"

namespace {

std::string categoryName(ThreatCategory category)
{
    return std::string(kCategoryCaptions[static_cast<std::size_t>(category)]);
}

void registerLists(BestiaryId id)
{
    for (ThreatCategory category = 0; category < kCategoryCount; ++category) {
        registerScale(bestiaryLabel(id) + "/list " + categoryName(category), [id, category](benchmark::State& state) {
            const auto database = openFoeDatabase(benchBestiary(id).file);
            for (auto _ : state)
                benchmark::DoNotOptimize(database->listNames(category));
            state.counters["names"] = static_cast<double>(database->listNames(category).size());
        });
    }
}

void registerWindowStart(BestiaryId id)
{
    registerScale(bestiaryLabel(id) + "/window start", [id](benchmark::State& state) {
        const std::filesystem::path& file = benchBestiary(id).file;
        for (auto _ : state) {
            const frmMain window(std::make_unique<WatchedFoeDatabase>(file));
        }
    });
}

}  // namespace

void registerScaleBenchmarks()
{
    for (const BestiaryId id : {BestiaryId::Sqlite100k, BestiaryId::Access10k}) {
        registerLists(id);
        registerWindowStart(id);
    }
    registerScale(bestiaryLabel(BestiaryId::Access10k) + "/open", [](benchmark::State& state) {
        const std::filesystem::path& file = benchBestiary(BestiaryId::Access10k).file;
        for (auto _ : state)
            benchmark::DoNotOptimize(WatchedFoeDatabase(file));
    });
}
