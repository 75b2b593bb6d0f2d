#pragma once

// Runs one of the calculator's helper programs in a fresh process and takes
// what it writes to its standard output. A fresh process image, never a copy
// of the calculator: by the time a bestiary is read the calculator has
// threads, and a forked copy of a program with threads may only call a few
// system functions, which a library like libmdb does not keep to.
//
// The helper reads nothing (standard input is /dev/null), prints nowhere the
// user would see (standard error is /dev/null) and inherits no other open
// file of the calculator.

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

struct HelperRun {
    enum class Ending {
        Exited,      // `exitStatus` says how
        Crashed,     // ended by a signal
        Overran,     // killed after the time limit
        Overflowed,  // killed after writing more than the output limit
    };
    Ending ending = Ending::Exited;
    int exitStatus = 0;
    std::vector<char> output;  // everything written to standard output
};

// The bounds a helper is kept within by the calculator, which kills it at
// either.
struct HelperLimits {
    std::chrono::milliseconds time;
    std::size_t output;  // bytes written to standard output
};

// Runs `program` with `arguments` and waits for it within `limits`. Throws
// std::system_error when the helper cannot be started at all.
HelperRun runHelper(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    HelperLimits limits);
