#include "SqliteFoeDatabase.h"

#include "FoeNameOrder.h"
#include "NumberText.h"

#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Exception.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kNameCollation = "FOENAME";
constexpr int kBusyTimeoutMs = 250;  // another program writing the file holds its lock briefly

// A number whose Max_Threat is text is not offered: only a number can exceed
// the category.
constexpr const char* kListSql =
    "SELECT Name FROM Foes"
    " WHERE Max_Threat > ?1 AND typeof(Max_Threat) IN ('integer', 'real') AND Name IS NOT NULL"
    " ORDER BY Name COLLATE FOENAME, Name";

// Without ORDER BY SQLite walks the table (or a Name index, whose ties stand in
// table order), so LIMIT 1 keeps the first row in table order.
constexpr const char* kLookupSql =
    "SELECT Init, Atk, Dfn, Dam, Soak, HP, Res, Mix, Move, Missile FROM Foes"
    " WHERE Name = ?1 COLLATE FOENAME LIMIT 1";

int collateFoeNames(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return compareFoeNames({static_cast<const char*>(a), static_cast<std::size_t>(lengthA)},
                           {static_cast<const char*>(b), static_cast<std::size_t>(lengthB)});
}

void checkFoesTable(SQLite::Database& db, const std::filesystem::path& file)
{
    SQLite::Statement columns(db, "PRAGMA table_info(Foes)");
    std::vector<std::string> present;
    while (columns.executeStep())
        present.push_back(columns.getColumn(1).getString());
    if (present.empty())
        throw DatabaseError(file, "it has no table Foes");

    std::string missing;
    for (const char* required : kRequiredColumns) {
        const bool found = std::any_of(present.begin(), present.end(), [&](const std::string& name) {
            return compareFoeNames(name, required) == 0;
        });
        if (!found)
            missing += (missing.empty() ? "" : ", ") + std::string(required);
    }
    if (!missing.empty())
        throw DatabaseError(file, "table Foes lacks the column(s) " + missing);
}

SQLite::Database openFoesFile(const std::filesystem::path& file)
{
    SQLite::Database db(file.string(), SQLite::OPEN_READONLY, kBusyTimeoutMs);
    sqlite3_create_collation(db.getHandle(), kNameCollation, SQLITE_UTF8, nullptr, collateFoeNames);
    checkFoesTable(db, file);
    return db;
}

// An empty cell counts as 0; text that does not read as a number is NaN,
// which the recomputation refuses.
double storedNumber(const SQLite::Column& cell)
{
    if (cell.isInteger())
        return static_cast<double>(cell.getInt64());
    if (cell.isFloat())
        return cell.getDouble();
    if (cell.isNull())
        return 0;
    return readNumber(cell.getString()).value_or(std::nan(""));
}

std::string storedText(const SQLite::Column& cell)
{
    if (cell.isFloat())  // SQLite itself would write 12.0
        return formatDouble(cell.getDouble());
    return cell.getString();  // NULL reads as ""
}

}  // namespace

SqliteFoeDatabase::SqliteFoeDatabase(const std::filesystem::path& file) try
    : file_(file), db_(openFoesFile(file)), list_(db_, kListSql), lookup_(db_, kLookupSql)
{
} catch (const SQLite::Exception& e) {
    throw DatabaseError(file, std::string("SQLite cannot read it (") + e.what() + ")");
}

std::vector<std::string> SqliteFoeDatabase::listNames(ThreatCategory category)
{
    try {
        list_.reset();
        list_.bind(1, static_cast<int>(category));
        std::vector<std::string> names;
        while (list_.executeStep())
            names.push_back(list_.getColumn(0).getString());
        return names;
    } catch (const SQLite::Exception& e) {
        throw DatabaseError(file_, std::string("SQLite cannot list its foes (") + e.what() + ")");
    }
}

std::optional<FoeRecord> SqliteFoeDatabase::findFoe(const std::string& name)
{
    try {
        lookup_.reset();
        lookup_.bind(1, name);
        if (!lookup_.executeStep())
            return std::nullopt;
        FoeRecord foe;
        for (int slot = 0; slot < kFoeStatsSize; ++slot)
            foe.stats[static_cast<std::size_t>(slot)] = storedNumber(lookup_.getColumn(slot));
        foe.move = storedText(lookup_.getColumn(8));
        foe.missile = storedNumber(lookup_.getColumn(9));
        return foe;
    } catch (const SQLite::Exception& e) {
        throw DatabaseError(file_, std::string("SQLite cannot look up a foe (") + e.what() + ")");
    }
}
