// The benchmarks run in one Qt application on the offscreen platform, with
// the window's fonts installed as the calculator installs them.
//
// Besides Google Benchmark's own options:
//   --vorn_iterations=N     runs every measure exactly N times, once (see
//                           fixMeasureIterations)
//   --vorn_bestiaries=DIR   makes the SQLite bench bestiaries in DIR, or
//                           uses those made there before (see
//                           keepBestiariesIn)

#include "BenchBestiaries.h"
#include "BenchMeasures.h"
#include "BenchSuites.h"
#include "DesignFonts.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Takes `--<name>=VALUE` out of the arguments, as Google Benchmark takes out
// its own, and returns VALUE.
std::optional<std::string> takeOption(int& argc, char** argv, std::string_view name)
{
    const std::string prefix = "--" + std::string(name) + "=";
    std::optional<std::string> value;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]).starts_with(prefix))
            value = argv[i] + prefix.size();
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;
    return value;
}

}  // namespace

int main(int argc, char** argv)
{
    if (const auto iterations = takeOption(argc, argv, "vorn_iterations"))
        fixMeasureIterations(std::atoi(iterations->c_str()));
    if (const auto folder = takeOption(argc, argv, "vorn_bestiaries"))
        keepBestiariesIn(*folder);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installDesignFonts();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::AddCustomContext("qt_version", qVersion());
    registerKeystrokeBenchmarks();
    registerLookupBenchmarks();
    registerOpenBenchmarks();
    registerCategoryBenchmarks();
    registerFoeBoxBenchmarks();
    registerScaleBenchmarks();
    registerEncounterBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
