#include "EngineFloors.h"

#include "FoeNameOrder.h"
#include "SqliteFoeQueries.h"

#include <sqlite3.h>

#include <algorithm>
#include <stdexcept>

namespace {

// A named foe whose Max_Threat is a number above the category, as the
// calculator offers it, ordered by SQLite's ASCII-only case-blind order
// (the same order for the bench bestiaries' names).
constexpr const char* kNocaseListSql =
    "SELECT CAST(Name AS TEXT) AS Shown FROM Foes"
    " WHERE Max_Threat > ?1 AND typeof(Max_Threat) IN ('integer', 'real') AND CAST(Name AS TEXT) <> ''"
    " ORDER BY Shown COLLATE NOCASE";

void check(int status, sqlite3* db, const char* what)
{
    if (status != SQLITE_OK)
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

sqlite3* openReadOnly(const std::filesystem::path& file)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("SQLite cannot open " + file.string());
    }
    return db;
}

sqlite3_stmt* prepare(sqlite3* db, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    check(sqlite3_prepare_v2(db, sql, -1, &statement, nullptr), db, "preparing a floor query");
    return statement;
}

}  // namespace

std::vector<std::string> selectAndSortNames(const std::filesystem::path& file)
{
    sqlite3* db = openReadOnly(file);
    sqlite3_stmt* rows = prepare(db, kFoeRowsSql);
    std::vector<std::string> names;
    while (sqlite3_step(rows) == SQLITE_ROW) {
        names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(rows, 0)),
                           static_cast<std::size_t>(sqlite3_column_bytes(rows, 0)));
    }
    sqlite3_finalize(rows);
    sqlite3_close(db);
    std::sort(names.begin(), names.end(), foeNameLess);
    return names;
}

SortedNamesLookup::SortedNamesLookup(const std::filesystem::path& file) : names_(selectAndSortNames(file)) {}

bool SortedNamesLookup::find(const std::string& name) const
{
    const auto at = std::lower_bound(names_.begin(), names_.end(), name,
        [](const std::string& stored, const std::string& asked) { return compareFoeNames(stored, asked) < 0; });
    return at != names_.end() && compareFoeNames(*at, name) == 0;
}

SqliteNocaseList::SqliteNocaseList(const std::filesystem::path& file) : db_(openReadOnly(file))
{
    list_ = prepare(db_, kNocaseListSql);
}

SqliteNocaseList::~SqliteNocaseList()
{
    sqlite3_finalize(list_);
    sqlite3_close(db_);
}

void SqliteNocaseList::appendNames(ThreatCategory category, QStringList& names)
{
    sqlite3_bind_int(list_, 1, category);
    while (sqlite3_step(list_) == SQLITE_ROW) {
        names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list_, 0)),
                                   sqlite3_column_bytes(list_, 0));
    }
    sqlite3_reset(list_);
}
