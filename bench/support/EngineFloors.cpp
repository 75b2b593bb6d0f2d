#include "EngineFloors.h"

#include "AccessTable.h"
#include "FoeDatabase.h"
#include "FoeNameOrder.h"
#include "NumberText.h"

#include <sqlite3.h>

#include <algorithm>
#include <stdexcept>

namespace {

// The two questions as the SQLite backend asked them before it read the
// table into memory, ordered and matched by the same FOENAME collation.
constexpr const char* kFoeListSql =
    "SELECT CAST(Name AS TEXT) AS Shown FROM Foes"
    " WHERE Max_Threat > ?1 AND typeof(Max_Threat) IN ('integer', 'real') AND CAST(Name AS TEXT) <> ''"
    " ORDER BY Shown COLLATE FOENAME, Shown";
constexpr const char* kFoeLookupSql =
    "SELECT Init, Atk, Dfn, Dam, Soak, HP, Res, Mix, Move, Missile FROM Foes"
    " WHERE CAST(Name AS TEXT) = ?1 COLLATE FOENAME LIMIT 1";

int collateFoeNames(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return compareFoeNames({static_cast<const char*>(a), static_cast<std::size_t>(lengthA)},
                           {static_cast<const char*>(b), static_cast<std::size_t>(lengthB)});
}

int registerFoeNameCollation(sqlite3* db)
{
    return sqlite3_create_collation(db, "FOENAME", SQLITE_UTF8, nullptr, collateFoeNames);
}

constexpr int kMoveColumn = 8;
constexpr int kMissileColumn = 9;

void check(int status, sqlite3* db, const char* what)
{
    if (status != SQLITE_OK)
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

sqlite3_stmt* prepare(sqlite3* db, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    check(sqlite3_prepare_v2(db, sql, -1, &statement, nullptr), db, "preparing a floor query");
    return statement;
}

double storedNumber(std::string_view text)
{
    return text.empty() ? 0 : readNumber(text).value_or(0);
}

}  // namespace

std::unique_ptr<EngineFloor> engineFloor(const BenchBestiary& bestiary)
{
    if (bestiary.engine == BenchEngine::Access)
        return std::make_unique<AccessRowsFloor>(bestiary.file);
    return std::make_unique<SqliteFloor>(bestiary.file);
}

SqliteFloor::SqliteFloor(const std::filesystem::path& file)
{
    if (sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db_);
        throw std::runtime_error("SQLite cannot open " + file.string());
    }
    check(registerFoeNameCollation(db_), db_, "registering the name collation");
    lookup_ = prepare(db_, kFoeLookupSql);
    list_ = prepare(db_, kFoeListSql);
}

SqliteFloor::~SqliteFloor()
{
    sqlite3_finalize(lookup_);
    sqlite3_finalize(list_);
    sqlite3_close(db_);
}

std::optional<FoeRecord> SqliteFloor::findFoe(const std::string& name)
{
    sqlite3_bind_text(lookup_, 1, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
    std::optional<FoeRecord> foe;
    if (sqlite3_step(lookup_) == SQLITE_ROW) {
        foe.emplace();
        for (int slot = 0; slot < kFoeStatsSize; ++slot)
            foe->stats[static_cast<std::size_t>(slot)] = sqlite3_column_double(lookup_, slot);
        const auto* move = reinterpret_cast<const char*>(sqlite3_column_text(lookup_, kMoveColumn));
        foe->move.assign(move ? move : "", static_cast<std::size_t>(sqlite3_column_bytes(lookup_, kMoveColumn)));
        foe->missile = sqlite3_column_double(lookup_, kMissileColumn);
    }
    sqlite3_reset(lookup_);
    return foe;
}

void SqliteFloor::appendNames(ThreatCategory category, QStringList& names)
{
    sqlite3_bind_int(list_, 1, category);
    while (sqlite3_step(list_) == SQLITE_ROW) {
        names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list_, 0)),
                                   sqlite3_column_bytes(list_, 0));
    }
    sqlite3_reset(list_);
}

AccessRowsFloor::AccessRowsFloor(const std::filesystem::path& file)
{
    // The columns in the order of kRequiredColumns: Name, Max_Threat, the
    // eight statistics, Move, Missile.
    const AccessTable table = readAccessTable(file, readFileHeader(file), "Foes");
    std::vector<std::string> names;
    for (const AccessColumn& column : table.columns)
        names.push_back(column.name);
    const auto at = locateRequiredColumns(file, names);
    for (std::size_t row = 0; row < table.rowCount(); ++row) {
        const auto cells = table.row(row);
        const auto cell = [&](std::size_t required) { return cells[at[required]]; };
        if (cell(0).empty())
            continue;  // never listed nor found
        Stored stored{std::string(cell(0)), {}};
        constexpr std::size_t kStats = kFoeStatsSize;
        for (std::size_t slot = 0; slot < kStats; ++slot)
            stored.foe.stats[slot] = storedNumber(cell(2 + slot));
        stored.foe.move = std::string(cell(2 + kStats));
        stored.foe.missile = storedNumber(cell(3 + kStats));
        inListOrder_.push_back({stored.name, storedNumber(cell(1))});
        byFoldedName_.push_back(std::move(stored));
    }
    std::stable_sort(byFoldedName_.begin(), byFoldedName_.end(),
                     [](const Stored& a, const Stored& b) { return compareFoeNames(a.name, b.name) < 0; });
    std::stable_sort(inListOrder_.begin(), inListOrder_.end(),
                     [](const Listed& a, const Listed& b) { return foeNameLess(a.name, b.name); });
}

std::optional<FoeRecord> AccessRowsFloor::findFoe(const std::string& name)
{
    const auto found = std::lower_bound(byFoldedName_.begin(), byFoldedName_.end(), name,
        [](const Stored& row, const std::string& asked) { return compareFoeNames(row.name, asked) < 0; });
    if (found == byFoldedName_.end() || compareFoeNames(found->name, name) != 0)
        return std::nullopt;
    return found->foe;
}

void AccessRowsFloor::appendNames(ThreatCategory category, QStringList& names)
{
    for (const Listed& row : inListOrder_) {
        if (row.maxThreat > category)
            names << QString::fromUtf8(row.name.data(), static_cast<qsizetype>(row.name.size()));
    }
}
