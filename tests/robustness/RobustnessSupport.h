#pragma once

// Shared by the robustness tests: what a bestiary file looked like before a
// case, bestiaries built for the cases, and the recomputation run against a
// real bestiary with the rules of every pass checked.

#include "FoeDatabase.h"
#include "FoeSheet.h"
#include "TestBestiary.h"

#include <ostream>
#include <string>
#include <vector>

// The file's bytes and what lies beside it: a case that only reads the
// bestiary must leave both as they were.
struct FileState {
    std::string bytes;
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
