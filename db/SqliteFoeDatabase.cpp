#include "SqliteFoeDatabase.h"

#include "HexText.h"
#include "PathText.h"
#include "SqliteFoeQueries.h"
#include "SqliteGuards.h"
#include "StoredCell.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <sqlite3.h>

#include <cctype>
#include <cstdint>
#include <memory>
#include <string>

namespace {

constexpr int kBusyTimeoutMs = 250;  // another program writing the file holds its lock briefly

// SQLite's header: the page size (1 standing for 65536), the change counter,
// the page count and the change counter that page count belongs to.
constexpr std::size_t kPageSizeAt = 16, kChangeCounterAt = 24, kPageCountAt = 28, kPageCountValidForAt = 92;
constexpr std::size_t kWriteVersionAt = 18, kReadVersionAt = 19;
constexpr unsigned char kWriteAheadLog = 2;

std::uint32_t bigEndian(std::string_view header, std::size_t at, std::size_t bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i)
        value = value << 8 | static_cast<unsigned char>(header[at + i]);
    return value;
}

// SQLite reads a page past the end of the file as zeros, so a file cut short
// could pass for a sound bestiary with some numbers silently 0. The header
// says how long the file must be: a whole number of pages, and as many as it
// counts when that count is current.
void checkComplete(const std::filesystem::path& file, const FileHeader& header)
{
    if (header.bytes.size() < kFileHeaderSize)
        throw DatabaseError(file, "the file is incomplete: it ends within SQLite's header");
    const std::uint32_t pageSizeField = bigEndian(header.bytes, kPageSizeAt, 2);
    const std::uint32_t pageSize = pageSizeField == 1 ? 65536 : pageSizeField;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        return;  // not a page size at all: SQLite refuses the file itself
    const std::uintmax_t size = header.stamp.size;
    if (size % pageSize != 0)
        throw DatabaseError(file, "the file is incomplete: its " + std::to_string(size)
                                      + " bytes are not a whole number of its " + std::to_string(pageSize)
                                      + "-byte pages");
    const bool countIsCurrent
        = bigEndian(header.bytes, kChangeCounterAt, 4) == bigEndian(header.bytes, kPageCountValidForAt, 4);
    const std::uintmax_t expected = std::uintmax_t{bigEndian(header.bytes, kPageCountAt, 4)} * pageSize;
    if (countIsCurrent && size < expected)
        throw DatabaseError(file, "the file is incomplete: it holds " + std::to_string(size) + " of the "
                                      + std::to_string(expected) + " bytes its header gives");
}

// Why SQLite refused the rows' query when it is for want of table Foes or
// of its columns: the refusal then names what is missing. Generated columns
// are columns like any other here; table_info would leave them out.
void explainMissingColumns(SQLite::Database& db, const std::filesystem::path& file)
{
    SQLite::Statement columns(db, "PRAGMA table_xinfo(Foes)");
    std::vector<std::string> present;
    while (columns.executeStep())
        present.push_back(columns.getColumn(1).getString());
    if (present.empty())
        throw DatabaseError(file, "it has no table Foes");
    locateRequiredColumns(file, present);
}

// Whether Foes is a table or a view, for the words of a refusal. SQLite
// reads the file's schema for it, which the rows' query needs anyway; it
// answers SQLITE_ERROR for a view (or for no Foes at all).
FoesKind foesKind(sqlite3* db)
{
    const int table = sqlite3_table_column_metadata(db, nullptr, "Foes", nullptr, nullptr, nullptr, nullptr, nullptr,
                                                    nullptr);
    return table == SQLITE_ERROR ? FoesKind::View : FoesKind::Table;
}

// A file in write-ahead-log mode cannot be read, even read-only, without
// SQLite making its log and the log's index beside it, and leaving them
// there. Such a file is read as it stands instead ("immutable"): what an
// editor has not yet written back into it is not seen until it has.
bool usesWriteAheadLog(const FileHeader& header)
{
    return header.bytes[kWriteVersionAt] == kWriteAheadLog || header.bytes[kReadVersionAt] == kWriteAheadLog;
}

std::string immutableUri(const std::filesystem::path& file)
{
    std::string uri = "file:";
    for (const char8_t c : std::filesystem::absolute(file).generic_u8string()) {
        const bool plain = std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~';
        if (plain) {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += hexDigits(std::string(1, static_cast<char>(c)));
        }
    }
    return uri + "?immutable=1";
}

// Words added to a refusal of a write-ahead-log file whose editor has not yet
// written its changes back: they are in the log beside it, which the file,
// read as it stands, does not show.
std::string pendingLogNote(const std::filesystem::path& file)
{
    std::error_code error;
    std::filesystem::path log = file;
    log += "-wal";
    const std::uintmax_t size = std::filesystem::file_size(log, error);
    if (error || size == 0)
        return "";
    return "; an SQLite editor still keeps changes to it in \"" + pathText(log.filename())
        + "\" beside it, which the calculator does not read: close the editor (or have it write its changes into"
          " the file, a checkpoint) and open the file again";
}

// The cell `column` of the row `rows` stands on.
StoredCell storedCell(sqlite3_stmt* rows, int column)
{
    switch (sqlite3_column_type(rows, column)) {
    case SQLITE_INTEGER:
        return static_cast<std::int64_t>(sqlite3_column_int64(rows, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(rows, column);
    case SQLITE_NULL:
        return std::monostate();
    default:
        break;
    }
    // The bytes first, then their count: SQLite's order for reading a cell.
    // Text comes as UTF-8 whatever encoding the file stores it in.
    const auto* bytes = sqlite3_column_type(rows, column) == SQLITE_TEXT
        ? reinterpret_cast<const char*>(sqlite3_column_text(rows, column))
        : static_cast<const char*>(sqlite3_column_blob(rows, column));
    return std::string_view(bytes, static_cast<std::size_t>(sqlite3_column_bytes(rows, column)));
}

// Every row of table Foes into `index`, through SQLite's own calls rather
// than an object of the wrapper's for each cell, so that a large bestiary
// reads well within the open budget. The query names every column the
// calculator needs, so a sound file needs no other question.
void readRows(SQLite::Database& db, const std::filesystem::path& file, FoeIndex& index)
{
    sqlite3_stmt* prepared = nullptr;
    const int status = sqlite3_prepare_v2(db.getHandle(), kFoeRowsSql, -1, &prepared, nullptr);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> rows(prepared, sqlite3_finalize);
    if (status != SQLITE_OK) {
        const SQLite::Exception refusal(db.getHandle(), status);
        explainMissingColumns(db, file);
        throw refusal;
    }
    FoeIndex::Cells cells;
    int stepped = SQLITE_ROW;
    while ((stepped = sqlite3_step(rows.get())) == SQLITE_ROW) {
        for (std::size_t required = 0; required < kRequiredColumnCount; ++required)
            cells[required] = storedCell(rows.get(), static_cast<int>(required));
        index.addRow(cells);
    }
    if (stepped != SQLITE_DONE)
        throw SQLite::Exception(db.getHandle(), stepped);
}

}  // namespace

void readSqliteFoes(const std::filesystem::path& file, const FileHeader& header, FoeIndex& index)
{
    checkComplete(file, header);
    const bool immutable = usesWriteAheadLog(header);
    FoesKind foes = FoesKind::Table;
    try {
        // The connection lives only while one thread reads the table through
        // it, so it goes without SQLite's lock around every call, which would
        // be taken and released for each cell.
        SQLite::Database db(immutable ? immutableUri(file) : pathText(file),
                            SQLite::OPEN_READONLY | SQLite::OPEN_NOMUTEX | (immutable ? SQLite::OPEN_URI : 0),
                            kBusyTimeoutMs);
        guardConnection(db.getHandle());
        const ReadBudget budget(db.getHandle());
        // One read of the file: an editor saving meanwhile changes nothing
        // halfway, and the file is locked once.
        SQLite::Transaction snapshot(db);
        foes = foesKind(db.getHandle());
        readRows(db, file, index);
        snapshot.commit();
    } catch (const SQLite::Exception& failure) {
        throw DatabaseError(file, sqliteFault(failure, file, foes) + (immutable ? pendingLogNote(file) : ""));
    } catch (const DatabaseError& refusal) {
        throw DatabaseError(file, refusal.fault() + (immutable ? pendingLogNote(file) : ""));
    }
}
