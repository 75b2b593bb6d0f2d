#pragma once

// How the benchmarks are named and timed, so that the report can pair them:
// a figure and its floor are registered side by side as "<label>/figure" and
// "<label>/floor"; a scale figure, which has no floor, as "Scale/<label>".
// A body that cannot set itself up (a bestiary that will not open) is
// reported as an error for that benchmark alone.

#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include <functional>
#include <string>

using BenchBody = std::function<void(benchmark::State&)>;

void registerPair(const std::string& label, BenchBody figure, BenchBody floor);
void registerScale(const std::string& label, BenchBody body);

// Every figure and floor runs exactly this many iterations once, instead of
// as many as fill the minimum time: for counting instructions under callgrind.
void fixPairIterations(int iterations);

// The name of the benchmark running now.
const std::string& runningBenchmark();

// The timed loop of a figure or floor; what the body sets up before it is
// not timed. Under callgrind the instructions of these iterations alone are
// dumped under the benchmark's name, so that the report can set a figure's
// instructions beside its floor's; elsewhere the requests cost nothing.
template <class Iteration>
[[gnu::noinline]] void timeIterations(benchmark::State& state, Iteration iteration)
{
    CALLGRIND_ZERO_STATS;
    for (auto _ : state)
        iteration();
    CALLGRIND_DUMP_STATS_AT(runningBenchmark().c_str());
}
