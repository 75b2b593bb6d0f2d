#pragma once

// The benchmark suites; BenchMain registers them all before running.
void registerKeystrokeBenchmarks();
void registerLookupBenchmarks();
void registerCategoryBenchmarks();
void registerScaleBenchmarks();
