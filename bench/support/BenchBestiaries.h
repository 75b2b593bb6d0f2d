#pragma once

// The bestiaries the benchmarks run on. The SQLite ones are made on first use
// in a scratch folder that is removed when the program ends; the Access ones
// are the test fixtures themselves, which every backend only reads.

#include "ThreatCategory.h"

#include <filesystem>
#include <string>

// "Pitiful": every foe with a Max_Threat above 0 is offered, the longest list.
inline constexpr ThreatCategory kLongestList = 0;

enum class BestiaryId {
    Sqlite14,     // tests/fixtures/foes.sql
    Access14,     // tests/fixtures/access/foes.mdb, the same 14 rows
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

// Made (and, for the SQLite twin of foes-many.mdb, checked against the
// fixture) on first use. Throws std::runtime_error when that fails.
const BenchBestiary& benchBestiary(BestiaryId id);
