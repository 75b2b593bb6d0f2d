#pragma once

// The bestiary the calculator reads, a file a game master keeps as
// "Vorn.mdb" (OpenFoeDatabase.h opens one). Each backend reads table Foes
// once, into a FoeIndex, which answers the calculator's two questions from
// memory:
//
//   listNames(category)     -> the names offered at that category, in name order
//   findFoe(name, category) -> the stored foe that name means there, if any
//
// Names are matched and ordered ignoring letter case (see FoeNameOrder.h).
// The file is only ever read: no backend writes, creates or locks it.

#include "FoeRecord.h"
#include "ThreatCategory.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

inline constexpr const char* kDatabaseFileName = "Vorn.mdb";

// Opening a bestiary reads what the calculator needs of it; a file whose
// reading takes longer than this is refused, so that no action of the game
// master's (opening a file, or the first question after it changed) holds
// the window up for long. SQLite's reading is timed in processor time, so
// that a busy machine does not refuse a sound file; the Access reader, a
// program of its own, on the clock. A million foes read in about 0.7 s.
inline constexpr std::chrono::milliseconds kOpenBudget{1500};
std::string openBudgetInWords();  // "1.5 s"

// The longest value a bestiary may hold where the calculator reads a name, a
// number or a Move, in bytes; a file with a longer one is refused before the
// value is copied. A name or a Move is a few dozen bytes; one of megabytes
// is only ever a hostile file's.
inline constexpr std::size_t kLongestValue = 64 * 1024;

// A database that cannot be opened or read, with the file and the fault in
// words a game master can act on.
class DatabaseError : public std::runtime_error {
public:
    DatabaseError(const std::filesystem::path& file, const std::string& fault);
    const std::string& fault() const { return fault_; }

private:
    std::string fault_;
};

class FoeDatabase {
public:
    virtual ~FoeDatabase() = default;

    // Foes whose Max_Threat is a number above the category; a foe without a
    // name is never offered.
    virtual std::vector<std::string> listNames(ThreatCategory category) = 0;

    // The foe a name means at a category. Of the foes whose name equals
    // `name` ignoring case, the first in table order that is offered at the
    // category; when none of them is, the first of them all.
    virtual std::optional<FoeRecord> findFoe(const std::string& name, ThreatCategory category) = 0;
};
