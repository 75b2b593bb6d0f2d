#include "BenchMeasures.h"

#include <exception>

namespace {

int fixedIterations = 0;
std::string running;

benchmark::internal::Benchmark* registerGuarded(const std::string& name, BenchBody body, benchmark::TimeUnit unit)
{
    return benchmark::RegisterBenchmark(name.c_str(), [name, body = std::move(body)](benchmark::State& state) {
        running = name;
        try {
            body(state);
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
        }
    })->Unit(unit);
}

}  // namespace

void registerMeasure(const std::string& name, BenchBody body)
{
    benchmark::internal::Benchmark* registered = registerGuarded(name, std::move(body), benchmark::kMicrosecond);
    if (fixedIterations > 0)
        registered->Iterations(fixedIterations);
}

void registerScale(const std::string& label, BenchBody body)
{
    registerGuarded("Scale/" + label, std::move(body), benchmark::kMillisecond);
}

void fixMeasureIterations(int iterations)
{
    fixedIterations = iterations;
}

const std::string& runningBenchmark()
{
    return running;
}
