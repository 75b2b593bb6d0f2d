// The benchmarks run in one Qt application on the offscreen platform, with
// the window's fonts installed as the calculator installs them.
//
// Besides Google Benchmark's own options, --vorn_iterations=N runs every
// figure and floor exactly N times, once (see fixPairIterations).

#include "BenchPairs.h"
#include "BenchSuites.h"
#include "DesignFonts.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

namespace {

// Takes --vorn_iterations=N out of the arguments, as Google Benchmark takes
// out its own; 0 when it is not given.
int takeFixedIterations(int& argc, char** argv)
{
    constexpr const char* kOption = "--vorn_iterations=";
    int iterations = 0;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kOption, std::strlen(kOption)) == 0)
            iterations = std::atoi(argv[i] + std::strlen(kOption));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;
    return iterations;
}

}  // namespace

int main(int argc, char** argv)
{
    fixPairIterations(takeFixedIterations(argc, argv));
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
    registerCategoryBenchmarks();
    registerScaleBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
