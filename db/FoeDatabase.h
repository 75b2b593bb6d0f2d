#pragma once

// The bestiary the calculator reads. A game master keeps it in "Vorn.mdb"
// beside the program; the file's first bytes, not its name, say which engine
// reads it. Each backend reads table Foes once, into a FoeIndex, which
// answers the calculator's two questions from memory:
//
//   listNames(category) -> the names offered at that category, in name order
//   findFoe(name)       -> the first stored foe with that name, if any
//
// Names are matched and ordered ignoring letter case (see FoeNameOrder.h).
// The file is only ever read: no backend writes, creates or locks it.

#include "FoeColumns.h"
#include "FoeRecord.h"
#include "ThreatCategory.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

inline constexpr const char* kDatabaseFileName = "Vorn.mdb";

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

    // The first foe in table order whose name equals `name` ignoring case.
    virtual std::optional<FoeRecord> findFoe(const std::string& name) = 0;
};

// The database beside the program: its folder joined with "Vorn.mdb".
std::filesystem::path foeDatabasePath(const std::filesystem::path& programDirectory);

// The first bytes of a bestiary, read once when it is opened: they say which
// engine reads it, and each backend checks its own header in them.
inline constexpr std::size_t kFileHeaderSize = 100;  // SQLite's header, the longer of the two
struct FileHeader {
    std::string bytes;        // the first kFileHeaderSize bytes, fewer if the file is shorter
    std::uintmax_t fileSize;  // of the whole file
};

// Reads the header of a file that should be a bestiary. Throws DatabaseError
// when there is no file to read.
FileHeader readFileHeader(const std::filesystem::path& file);

// Reads the file's foes into memory (a FoeIndex) with the backend its content
// calls for, after checking that it holds table Foes with every required
// column. The file is only read, and closed again before this returns.
// Throws DatabaseError.
std::unique_ptr<FoeDatabase> openFoeDatabase(const std::filesystem::path& file);
