#pragma once

// The bestiaries the benchmarks run on. The SQLite ones are made on first
// use, in a scratch folder that is removed when the program ends, or in a
// folder kept between runs, where a file already made is used again; the
// Access one is the test fixture itself, which every backend only reads.

#include "ThreatCategory.h"

#include <filesystem>
#include <string>

// "Pitiful": every foe with a Max_Threat above 0 is offered, the longest list.
inline constexpr ThreatCategory kLongestList = 0;

enum class BestiaryId {
    Sqlite14,     // tests/fixtures/foes.sql
    Generated14,  // foes 1 to 14 by the formulas of foes-many.mdb, stored as they are in the larger ones
    Sqlite10k,    // the rows of foes-many.mdb, made by its formulas
    Access10k,    // tests/fixtures/access/foes-many.mdb
    Sqlite100k,   // the same formulas, ten times as many foes
};

enum class BenchEngine { Sqlite, Access };

struct BenchBestiary {
    BenchEngine engine;
    std::filesystem::path file;
    std::string lastStoredName;  // the foe a scan in table order reaches last
};

// "SQLite 10000", as the report shows it; makes nothing.
std::string bestiaryLabel(BestiaryId id);

// Makes the SQLite bestiaries in `folder` (which must exist), or uses those
// made there before, instead of a scratch folder: so that several runs, and
// the measures bench.sh takes of whole processes, share one set of files.
// Called before the first benchBestiary().
void keepBestiariesIn(const std::filesystem::path& folder);

// Made (and, for the SQLite twin of foes-many.mdb, checked against the
// fixture) on first use. Throws std::runtime_error when that fails.
const BenchBestiary& benchBestiary(BestiaryId id);
