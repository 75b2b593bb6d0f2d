#pragma once

// The benchmark suites; BenchMain registers them all before running.
void registerKeystrokeBenchmarks();
void registerLookupBenchmarks();
void registerOpenBenchmarks();
void registerCategoryBenchmarks();
void registerFoeBoxBenchmarks();
void registerScaleBenchmarks();
void registerEncounterBenchmarks();
