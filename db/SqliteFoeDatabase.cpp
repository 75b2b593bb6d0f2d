#include "SqliteFoeDatabase.h"

#include "HexText.h"
#include "SqliteFoeQueries.h"
#include "StoredCell.h"

#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>

#include <cctype>
#include <cstdint>
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
    const std::uintmax_t size = header.fileSize;
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

void checkFoesTable(SQLite::Database& db, const std::filesystem::path& file)
{
    SQLite::Statement columns(db, "PRAGMA table_info(Foes)");
    std::vector<std::string> present;
    while (columns.executeStep())
        present.push_back(columns.getColumn(1).getString());
    if (present.empty())
        throw DatabaseError(file, "it has no table Foes");
    locateRequiredColumns(file, present);
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
    for (const unsigned char c : std::filesystem::absolute(file).generic_string()) {
        const bool plain = std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~';
        uri += plain ? std::string(1, static_cast<char>(c)) : "%" + hexDigits(std::string(1, static_cast<char>(c)));
    }
    return uri + "?immutable=1";
}

SQLite::Database openFoesFile(const std::filesystem::path& file, const FileHeader& header)
{
    checkComplete(file, header);
    const bool immutable = usesWriteAheadLog(header);
    SQLite::Database db(immutable ? immutableUri(file) : file.string(),
                        SQLite::OPEN_READONLY | (immutable ? SQLite::OPEN_URI : 0), kBusyTimeoutMs);
    checkFoesTable(db, file);
    return db;
}

StoredCell storedCell(const SQLite::Column& cell)
{
    if (cell.isInteger())
        return cell.getInt64();
    if (cell.isFloat())
        return cell.getDouble();
    if (cell.isNull())
        return std::monostate();
    // The bytes first, then their count: SQLite's order for reading a cell.
    // Text comes as UTF-8 whatever encoding the file stores it in.
    const auto* bytes = cell.isText() ? cell.getText() : static_cast<const char*>(cell.getBlob());
    return std::string_view(bytes, static_cast<std::size_t>(cell.getBytes()));
}

}  // namespace

void readSqliteFoes(const std::filesystem::path& file, const FileHeader& header, FoeIndex& index)
{
    try {
        SQLite::Database db = openFoesFile(file, header);
        SQLite::Statement rows(db, kFoeRowsSql);
        FoeIndex::Cells cells;
        while (rows.executeStep()) {
            for (std::size_t required = 0; required < kRequiredColumnCount; ++required)
                cells[required] = storedCell(rows.getColumn(static_cast<int>(required)));
            index.addRow(cells);
        }
    } catch (const SQLite::Exception& e) {
        throw DatabaseError(file, std::string("SQLite cannot read it (") + e.what() + ")");
    }
}
