#pragma once

// Every fuzz target is one function over one input. libFuzzer calls it through
// LLVMFuzzerTestOneInput (LibFuzzerEntry.cpp) in the fuzzing build; the normal
// test suite calls it over the seed corpus and every input that ever failed
// (tests/robustness/FuzzReplayTest.cpp). Each target's library defines its
// own fuzzOne.

#include <cstddef>
#include <cstdint>
#include <string_view>

// Returns 0; a broken rule ends the process through fuzzFailure.
int fuzzOne(const std::uint8_t* data, std::size_t size);

// Writes the broken rule to stderr and aborts, so that libFuzzer keeps the
// input as a finding and a replaying test fails with the rule in its output.
[[noreturn]] void fuzzFailure(std::string_view rule);

inline void fuzzCheck(bool holds, std::string_view rule)
{
    if (!holds)
        fuzzFailure(rule);
}
