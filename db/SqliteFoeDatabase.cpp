#include "SqliteFoeDatabase.h"

#include "FoeNameOrder.h"
#include "NumberText.h"
#include "SqliteFoeQueries.h"

#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Exception.h>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

namespace {

constexpr int kBusyTimeoutMs = 250;  // another program writing the file holds its lock briefly

// SQLite's header: the page size (1 standing for 65536), the change counter,
// the page count and the change counter that page count belongs to.
constexpr std::size_t kHeaderSize = 100;
constexpr std::size_t kPageSizeAt = 16, kChangeCounterAt = 24, kPageCountAt = 28, kPageCountValidForAt = 92;
constexpr std::size_t kWriteVersionAt = 18, kReadVersionAt = 19;
constexpr unsigned char kWriteAheadLog = 2;
using SqliteHeader = std::array<unsigned char, kHeaderSize>;

std::uint32_t bigEndian(const SqliteHeader& header, std::size_t at, std::size_t bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i)
        value = value << 8 | header[at + i];
    return value;
}

// SQLite reads a page past the end of the file as zeros, so a file cut short
// could pass for a sound bestiary with some numbers silently 0. The header
// says how long the file must be: a whole number of pages, and as many as it
// counts when that count is current.
SqliteHeader readHeader(const std::filesystem::path& file)
{
    SqliteHeader header{};
    std::ifstream in(file, std::ios::binary);
    in.read(reinterpret_cast<char*>(header.data()), header.size());
    if (in.gcount() < static_cast<std::streamsize>(kHeaderSize))
        throw DatabaseError(file, "the file is incomplete: it ends within SQLite's header");
    return header;
}

void checkComplete(const std::filesystem::path& file, const SqliteHeader& header)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error)
        throw DatabaseError(file, "its size cannot be read (" + error.message() + ")");

    const std::uint32_t pageSizeField = bigEndian(header, kPageSizeAt, 2);
    const std::uint32_t pageSize = pageSizeField == 1 ? 65536 : pageSizeField;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        return;  // not a page size at all: SQLite refuses the file itself
    if (size % pageSize != 0)
        throw DatabaseError(file, "the file is incomplete: its " + std::to_string(size)
                                      + " bytes are not a whole number of its " + std::to_string(pageSize)
                                      + "-byte pages");
    const bool countIsCurrent = bigEndian(header, kChangeCounterAt, 4) == bigEndian(header, kPageCountValidForAt, 4);
    const std::uintmax_t expected = std::uintmax_t{bigEndian(header, kPageCountAt, 4)} * pageSize;
    if (countIsCurrent && size < expected)
        throw DatabaseError(file, "the file is incomplete: it holds " + std::to_string(size) + " of the "
                                      + std::to_string(expected) + " bytes its header gives");
}

// Starts a query on a prepared statement and ends it, however the query
// goes: an earlier failure is not reported again, and the calculator holds
// no lock on the file between queries, which would keep an editor waiting.
class QueryRun {
public:
    explicit QueryRun(SQLite::Statement& statement) : statement_(statement) { statement_.tryReset(); }
    ~QueryRun() { statement_.tryReset(); }
    QueryRun(const QueryRun&) = delete;
    QueryRun& operator=(const QueryRun&) = delete;

private:
    SQLite::Statement& statement_;
};

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

// A file in write-ahead-log mode cannot be read, even read-only, without
// SQLite making its log and the log's index beside it, and leaving them
// there. Such a file is read as it stands instead ("immutable"): what an
// editor has not yet written back into it is not seen until it has.
bool usesWriteAheadLog(const SqliteHeader& header)
{
    return header[kWriteVersionAt] == kWriteAheadLog || header[kReadVersionAt] == kWriteAheadLog;
}

std::string immutableUri(const std::filesystem::path& file)
{
    std::string uri = "file:";
    for (const unsigned char c : std::filesystem::absolute(file).generic_string()) {
        const bool plain = std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~';
        static constexpr char kHex[] = "0123456789ABCDEF";
        uri += plain ? std::string(1, static_cast<char>(c)) : std::string{'%', kHex[c >> 4], kHex[c & 15]};
    }
    return uri + "?immutable=1";
}

SQLite::Database openFoesFile(const std::filesystem::path& file)
{
    const SqliteHeader header = readHeader(file);
    checkComplete(file, header);
    const bool immutable = usesWriteAheadLog(header);
    SQLite::Database db(immutable ? immutableUri(file) : file.string(),
                        SQLite::OPEN_READONLY | (immutable ? SQLite::OPEN_URI : 0), kBusyTimeoutMs);
    registerFoeNameCollation(db.getHandle());
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
    : file_(file), db_(openFoesFile(file)), list_(db_, kFoeListSql), lookup_(db_, kFoeLookupSql)
{
} catch (const SQLite::Exception& e) {
    throw DatabaseError(file, std::string("SQLite cannot read it (") + e.what() + ")");
}

std::vector<std::string> SqliteFoeDatabase::listNames(ThreatCategory category)
{
    try {
        const QueryRun run(list_);
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
    if (name.empty())
        return std::nullopt;  // a foe without a name is never found, as it is never listed
    try {
        const QueryRun run(lookup_);
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

namespace {

int collateFoeNames(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return compareFoeNames({static_cast<const char*>(a), static_cast<std::size_t>(lengthA)},
                           {static_cast<const char*>(b), static_cast<std::size_t>(lengthB)});
}

}  // namespace

int registerFoeNameCollation(sqlite3* db)
{
    return sqlite3_create_collation(db, "FOENAME", SQLITE_UTF8, nullptr, collateFoeNames);
}
