#pragma once

// Shared by the robustness tests: what a bestiary file looked like before a
// case, bestiaries built for the cases, the recomputation run against a real
// bestiary with the rules of every pass checked, and a case run in a process
// of its own with what it cost measured.

#include "FoeDatabase.h"
#include "FoeSheet.h"
#include "TestBestiary.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

// The file's bytes (by size and digest, so that a large file is not held
// twice) and what lies beside it: a case that only reads the bestiary must
// leave both as they were. What is not an ordinary file is only named by
// its kind or, for a link, its target: reading a named pipe would wait.
struct FileState {
    std::string kind;
    std::uintmax_t size = 0;
    std::size_t digest = 0;
    std::vector<std::string> folder;
    bool operator==(const FileState&) const = default;
};
FileState stateOf(const TestBestiary& bestiary);
void PrintTo(const FileState& state, std::ostream* os);

// "CREATE TABLE Foes (...)" with every required column, Name as TEXT, the
// others untyped, followed by `rows` (SQL).
std::string foesTable(const std::string& rows = "");

// One pass as the window runs it on a freshly built sheet: `tally` in every
// tally box, this foe and category, lookups answered by `bestiary`. Adds a
// test failure when the pass breaks a rule that every pass keeps.
FoeSheet recompute(FoeDatabase& bestiary, const std::string& foeName,
                   ThreatCategory category = kDefaultCategory, const std::string& tally = "0");

// `sheet` after one more pass with `foeName` in the foe box, checked the same way.
FoeSheet recomputeAs(FoeDatabase& bestiary, FoeSheet sheet, const std::string& foeName,
                     ThreatCategory category = kDefaultCategory);

// A piece of work run in a forked copy of the test, as the calculator would
// run it, with what it cost the process.
struct ChildRun {
    bool finished = false;  // ended by itself, within the limit
    std::string report;     // what the work returned
    // The most the child held at once in files it had deleted but kept open,
    // which is how SQLite keeps its temporary files.
    std::uintmax_t peakTemporaryBytes = 0;
};
ChildRun runInChild(const std::function<std::string()>& work, std::chrono::seconds limit);
