#pragma once

// How the benchmarks are named and timed. A measure, timed in microseconds,
// is one thing the report compares with another measure of the same run: a
// figure of the calculator with its floor, or the same action on a larger
// bestiary with a smaller one (bench/report.py pairs them by name). A scale
// figure, timed in milliseconds and compared with nothing, is registered as
// "Scale/<label>". A body that cannot set itself up (a bestiary that will
// not open) is reported as an error for that benchmark alone.

#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include <functional>
#include <string>

using BenchBody = std::function<void(benchmark::State&)>;

void registerMeasure(const std::string& name, BenchBody body);
void registerScale(const std::string& label, BenchBody body);

// Every measure runs exactly this many iterations once, instead of as many
// as fill the minimum time: for counting instructions under callgrind.
void fixMeasureIterations(int iterations);

// The name of the benchmark running now.
const std::string& runningBenchmark();

// The timed loop of a measure; what the body sets up before it is not
// timed. Under callgrind the instructions of these iterations alone are
// dumped under the benchmark's name, so that the report can set a figure's
// instructions beside its floor's; elsewhere the requests cost nothing. Run
// with --instr-atstart=no, callgrind instruments these loops alone, and the
// setting up (reading 100,000 foes, several times) runs several times faster.
template <class Iteration>
[[gnu::noinline]] void timeIterations(benchmark::State& state, Iteration iteration)
{
    CALLGRIND_START_INSTRUMENTATION;
    CALLGRIND_ZERO_STATS;
    for (auto _ : state)
        iteration();
    CALLGRIND_DUMP_STATS_AT(runningBenchmark().c_str());
    CALLGRIND_STOP_INSTRUMENTATION;
}

// The same, with `prepare` run before each iteration and left out of both
// the time and the instruction count: for an iteration that must start from
// the same state every time, which setting it up would disturb.
template <class Prepare, class Iteration>
[[gnu::noinline]] void timePreparedIterations(benchmark::State& state, Prepare prepare, Iteration iteration)
{
    CALLGRIND_START_INSTRUMENTATION;
    CALLGRIND_ZERO_STATS;
    for (auto _ : state) {
        state.PauseTiming();
        CALLGRIND_TOGGLE_COLLECT;
        prepare();
        CALLGRIND_TOGGLE_COLLECT;
        state.ResumeTiming();
        iteration();
    }
    CALLGRIND_DUMP_STATS_AT(runningBenchmark().c_str());
    CALLGRIND_STOP_INSTRUMENTATION;
}
