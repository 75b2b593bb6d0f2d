#pragma once

// What SQLite and the standard library alone cost for the calculator's
// questions: the floors the open, lookup and category figures are measured
// against. Each reads an SQLite bestiary itself, on a read-only connection
// of its own; of the calculator's code only the name order is used, where
// the floor must put the names in the order the calculator shows them.

#include "ThreatCategory.h"

#include <QStringList>

#include <filesystem>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The open floor: the backend's own SELECT of every row of table Foes (the
// very text it runs), stepped through once with each row's name copied
// out, then one std::sort of the names in the order the calculator lists
// them (foeNameLess).
std::vector<std::string> selectAndSortNames(const std::filesystem::path& file);

// The lookup floor: std::lower_bound over those sorted names, comparing with
// compareFoeNames (by which they are ordered first, so the search is valid),
// and one more comparison to tell a match.
class SortedNamesLookup {
public:
    explicit SortedNamesLookup(const std::filesystem::path& file);
    bool find(const std::string& name) const;

private:
    std::vector<std::string> names_;
};

// The category floor's query: SQLite's own list of the names offered at a
// category (the same Max_Threat filter, names as text), ordered by its
// built-in NOCASE collation, prepared once; each list is bind, step to the
// end, reset, with names going straight from the engine's UTF-8 into Qt.
class SqliteNocaseList {
public:
    explicit SqliteNocaseList(const std::filesystem::path& file);
    ~SqliteNocaseList();
    SqliteNocaseList(const SqliteNocaseList&) = delete;
    SqliteNocaseList& operator=(const SqliteNocaseList&) = delete;

    // Appends the names offered at `category`.
    void appendNames(ThreatCategory category, QStringList& names);

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* list_ = nullptr;
};
