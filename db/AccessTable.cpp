#include "AccessTable.h"

#include "FoeDatabase.h"
#include "FoeNameOrder.h"

// mdbtools.h opens extern "C" and then includes <glib.h>, whose C++ templates
// cannot have C linkage: glib must come first.
#include <glib.h>
#include <mdbtools.h>

#include <fcntl.h>
#include <locale.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

namespace {

constexpr std::string_view kJetMagic("\0\1\0\0Standard Jet DB", 19);
constexpr std::size_t kVersionOffset = 0x14;
constexpr unsigned char kJet3 = 0;  // Access 97
constexpr unsigned char kJet4 = 1;  // Access 2000, 2002 and 2003
constexpr std::uintmax_t kJet3PageSize = 2048;
constexpr std::uintmax_t kJet4PageSize = 4096;
constexpr std::size_t kMaxCapturedOutput = 4096;

struct HandleCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using Handle = std::unique_ptr<MdbHandle, HandleCloser>;
using Table = std::unique_ptr<MdbTableDef, TableFreer>;

AccessValueKind kindOf(int columnType)
{
    switch (columnType) {
    case MDB_TEXT:
    case MDB_MEMO:
        return AccessValueKind::Text;
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return AccessValueKind::Integer;
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_MONEY:
    case MDB_NUMERIC:
        return AccessValueKind::Real;
    default:
        return AccessValueKind::Other;
    }
}

std::string hexByte(unsigned char byte)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return std::string("0x") + kDigits[byte >> 4] + kDigits[byte & 0xF];
}

// Checks what can be checked without libmdb, which reads a page past the end
// of the file as zeros, and the missing part of a cut page as zeros, without a
// word.
void checkJetFile(const std::filesystem::path& file)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error)
        throw DatabaseError(file, "the file cannot be read (" + error.message() + ")");
    if (size == 0)
        throw DatabaseError(file, "the file is empty");

    std::ifstream in(file, std::ios::binary);
    std::array<char, kVersionOffset + 1> buffer{};
    in.read(buffer.data(), buffer.size());
    const std::string_view header(buffer.data(), static_cast<std::size_t>(in.gcount()));
    if (header.empty())
        throw DatabaseError(file, std::string("the file cannot be read (") + std::strerror(errno) + ")");
    if (header.size() <= kVersionOffset) {
        if (kJetMagic.starts_with(header) || header.starts_with(kJetMagic))
            throw DatabaseError(file, "it is a damaged or incomplete Access file: it holds only "
                                          + std::to_string(size) + " bytes");
        throw DatabaseError(file, "it is not an Access database (it lacks the Jet header)");
    }
    if (!header.starts_with(kJetMagic))
        throw DatabaseError(file, "it is not an Access database (it lacks the Jet header)");

    const auto version = static_cast<unsigned char>(header[kVersionOffset]);
    if (version != kJet3 && version != kJet4)
        throw DatabaseError(file, "it is an Access file of an unknown kind (version byte " + hexByte(version)
                                      + "); only Access 97 to 2003 files (Jet 3 and Jet 4) are read");
    const std::uintmax_t pageSize = version == kJet3 ? kJet3PageSize : kJet4PageSize;
    if (size % pageSize != 0)
        throw DatabaseError(file, "it is a damaged or incomplete Access file: its size, " + std::to_string(size)
                                      + " bytes, is not a whole number of " + std::to_string(pageSize)
                                      + "-byte pages");
}

// The first line libmdb printed, to quote in a message.
std::string quoted(const OutputCapture& chatter)
{
    std::string text = chatter.text();
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string::npos)
        return "";
    text.erase(0, start);
    text.resize(std::min({text.find_first_of("\r\n"), text.size(), std::size_t{200}}));
    return " (mdbtools: " + text + ")";
}

// Where the catalog says a table's definition is.
struct TableLocation {
    bool catalogRead = false;   // every row of the catalog was read
    unsigned long page = 0;     // 0: no such table
};

// Scans the catalog, table MSysObjects (its definition is on page 2), for a
// table named `name` (ignoring ASCII case, as Access and SQLite do). This is
// what mdb_read_catalog() does, without the properties it also decodes (on
// some damaged files that loops for ever) and with a check that every row
// was read: in a cut file the missing rows would make a table that is there
// look absent.
TableLocation locateTable(MdbHandle& mdb, const std::string& name)
{
    MdbCatalogEntry systemObjects{};
    systemObjects.mdb = &mdb;
    systemObjects.object_type = MDB_TABLE;
    systemObjects.table_pg = 2;
    std::strcpy(systemObjects.object_name, "MSysObjects");
    const Table catalog(mdb_read_table(&systemObjects));
    if (!catalog || !mdb_read_columns(catalog.get()))
        return {};

    const std::size_t bindSize = mdb.bind_size;
    std::vector<char> buffers(3 * bindSize, '\0');
    char* const id = &buffers[0];
    char* const objectName = &buffers[bindSize];
    char* const type = &buffers[2 * bindSize];
    char idColumn[] = "Id";
    char nameColumn[] = "Name";
    char typeColumn[] = "Type";
    mdb_rewind_table(catalog.get());
    if (mdb_bind_column_by_name(catalog.get(), idColumn, id, nullptr) == -1
        || mdb_bind_column_by_name(catalog.get(), nameColumn, objectName, nullptr) == -1
        || mdb_bind_column_by_name(catalog.get(), typeColumn, type, nullptr) == -1)
        return {};

    TableLocation location;
    unsigned long rows = 0;
    while (mdb_fetch_row(catalog.get())) {
        ++rows;
        if (location.page == 0 && (std::atol(type) & 0x7F) == MDB_TABLE
            && g_ascii_strcasecmp(objectName, name.c_str()) == 0)
            location.page = static_cast<unsigned long>(std::atol(id)) & 0x00FFFFFFul;
    }
    location.catalogRead = rows >= catalog->num_rows;
    return location;
}

}  // namespace

CNumericLocale::CNumericLocale()
{
    locale_t base = duplocale(uselocale(static_cast<locale_t>(nullptr)));
    if (!base)
        return;
    locale_t numericC = newlocale(LC_NUMERIC_MASK, "C", base);
    if (!numericC) {
        freelocale(base);
        return;
    }
    locale_ = numericC;
    previous_ = uselocale(numericC);
}

CNumericLocale::~CNumericLocale()
{
    if (!locale_)
        return;
    uselocale(static_cast<locale_t>(previous_));
    freelocale(static_cast<locale_t>(locale_));
}

OutputCapture::OutputCapture(int fd) : fd_(fd)
{
    flush();
    sink_ = memfd_create("vorn-libmdb-output", MFD_CLOEXEC);
    if (sink_ < 0)
        sink_ = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (sink_ < 0)
        return;
    saved_ = fcntl(fd_, F_DUPFD_CLOEXEC, 3);
    if (saved_ < 0) {
        if (errno != EBADF) {  // cannot keep it: leave the descriptor alone
            close(sink_);
            sink_ = -1;
            return;
        }
        wasClosed_ = true;
    }
    if (dup2(sink_, fd_) < 0) {
        if (saved_ >= 0)
            close(saved_);
        saved_ = -1;
        wasClosed_ = false;
        close(sink_);
        sink_ = -1;
    }
}

OutputCapture::~OutputCapture()
{
    if (sink_ < 0)
        return;
    flush();
    if (saved_ >= 0) {
        dup2(saved_, fd_);
        close(saved_);
    } else if (wasClosed_) {
        close(fd_);
    }
    close(sink_);
}

void OutputCapture::flush() const
{
    std::fflush(fd_ == STDOUT_FILENO ? stdout : fd_ == STDERR_FILENO ? stderr : nullptr);
}

std::string OutputCapture::text() const
{
    if (sink_ < 0)
        return "";
    flush();
    std::string text(kMaxCapturedOutput, '\0');
    const ssize_t got = pread(sink_, text.data(), text.size(), 0);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

namespace {

void readInThisProcess(const std::filesystem::path& file, std::string_view tableName,
                       std::span<const char* const> columns, const AccessRowHandler& onRow)
{
    // An absolute name keeps libmdb from looking for the file along $MDBPATH.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    const std::string fileName = (error ? file : absolute).string();
    const std::string table(tableName);

    const CNumericLocale numbersWithAPoint;
    const OutputCapture chatter(STDERR_FILENO);
    const OutputCapture pageDumps(STDOUT_FILENO);

    const Handle mdb(mdb_open(fileName.c_str(), MDB_NOFLAGS));
    if (!mdb)
        throw DatabaseError(file, "mdbtools cannot open it as an Access database" + quoted(chatter));
    const TableLocation location = locateTable(*mdb, table);
    if (!location.catalogRead)
        throw DatabaseError(file, "it is a damaged or incomplete Access file: mdbtools cannot read its list of tables"
                                      + quoted(chatter));
    if (location.page == 0)
        throw DatabaseError(file, "it has no table " + table);

    MdbCatalogEntry entry{};  // outlives the table definition, which points to it
    entry.mdb = mdb.get();
    entry.object_type = MDB_TABLE;
    entry.table_pg = location.page;
    g_strlcpy(entry.object_name, table.c_str(), sizeof entry.object_name);
    const Table foes(mdb_read_table(&entry));
    if (!foes || !mdb_read_columns(foes.get()) || !foes->columns)
        throw DatabaseError(file, "it is a damaged or incomplete Access file: mdbtools cannot read the layout of table "
                                      + table + quoted(chatter));

    // Column numbers (from 1, as libmdb counts) of the asked columns.
    std::vector<int> numbers(columns.size(), 0);
    std::vector<AccessValueKind> kinds(columns.size(), AccessValueKind::Other);
    std::string missing;
    for (std::size_t asked = 0; asked < columns.size(); ++asked) {
        for (guint i = 0; i < foes->columns->len && numbers[asked] == 0; ++i) {
            const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(foes->columns, i));
            if (column && compareFoeNames(column->name, columns[asked]) == 0) {
                numbers[asked] = static_cast<int>(i) + 1;
                kinds[asked] = kindOf(column->col_type);
            }
        }
        if (numbers[asked] == 0)
            missing += (missing.empty() ? "" : ", ") + std::string(columns[asked]);
    }
    if (!missing.empty())
        throw DatabaseError(file, "table " + table + " lacks the column(s) " + missing);

    // libmdb writes each value with snprintf(buffer, bind_size, ...): every
    // buffer must hold bind_size bytes.
    const std::size_t bindSize = mdb->bind_size;
    std::vector<char> buffers(bindSize * columns.size(), '\0');
    mdb_rewind_table(foes.get());
    for (std::size_t asked = 0; asked < columns.size(); ++asked) {
        if (mdb_bind_column(foes.get(), numbers[asked], &buffers[asked * bindSize], nullptr) == -1)
            throw DatabaseError(file, "it is a damaged or incomplete Access file: mdbtools cannot read column "
                                          + std::string(columns[asked]) + " of table " + table + quoted(chatter));
    }

    // Each value arrives NUL-terminated, cut to bind_size - 1 bytes; a NULL
    // arrives as "", just as an empty string does.
    std::vector<AccessCell> row(columns.size());
    unsigned long rowsRead = 0;
    while (mdb_fetch_row(foes.get())) {
        for (std::size_t asked = 0; asked < columns.size(); ++asked) {
            const char* text = &buffers[asked * bindSize];
            row[asked] = {std::string_view(text, strnlen(text, bindSize)), kinds[asked]};
        }
        onRow(row);
        ++rowsRead;
    }
    // A page missing at the end of a truncated file reads as empty: the table
    // definition still tells how many rows there should be.
    if (rowsRead < foes->num_rows)
        throw DatabaseError(file, "it is a damaged or incomplete Access file: table " + table + " holds "
                                      + std::to_string(foes->num_rows) + " rows, but only "
                                      + std::to_string(rowsRead) + " can be read" + quoted(chatter));
}

// libmdb trusts the file it reads: a damaged page can send it through a null
// pointer or round a loop for ever. The table is therefore read in a child
// process that hands the rows over a pipe; if it dies or takes too long, the
// file is reported as damaged and the calculator goes on.
constexpr int kReaderTimeoutMs = 20000;
constexpr char kRowMark = 'R', kErrorMark = 'E', kDoneMark = 'D';

// Gathers what the reader sends and writes it in large pieces: a write per
// cell would cost a system call and a wake-up of the calculator each.
class PipeWriter {
public:
    explicit PipeWriter(int fd) : fd_(fd) {}
    ~PipeWriter() { flush(); }
    void mark(char m) { put(&m, 1); }
    void text(std::string_view t)
    {
        const auto length = static_cast<std::uint32_t>(t.size());
        put(&length, sizeof length);
        put(t.data(), t.size());
    }
    void flush()
    {
        std::string_view rest = pending_;
        while (!rest.empty()) {
            const ssize_t written = write(fd_, rest.data(), rest.size());
            if (written <= 0)
                _exit(1);  // the calculator has gone: nobody is waiting for the rows
            rest.remove_prefix(static_cast<std::size_t>(written));
        }
        pending_.clear();
    }

private:
    static constexpr std::size_t kChunk = 1 << 16;
    void put(const void* data, std::size_t size)
    {
        pending_.append(static_cast<const char*>(data), size);
        if (pending_.size() >= kChunk)
            flush();
    }

    int fd_;
    std::string pending_;
};

[[noreturn]] void runReader(int fd, const std::filesystem::path& file, std::string_view table,
                            std::span<const char* const> columns)
{
    PipeWriter out(fd);
    try {
        readInThisProcess(file, table, columns, [&](std::span<const AccessCell> row) {
            out.mark(kRowMark);
            for (const AccessCell& cell : row) {
                out.mark(static_cast<char>(cell.kind));
                out.text(cell.text);
            }
        });
        out.mark(kDoneMark);
    } catch (const DatabaseError& error) {
        out.mark(kErrorMark);
        out.text(error.fault());
    } catch (const std::exception& error) {
        out.mark(kErrorMark);
        out.text(std::string("mdbtools cannot read it (") + error.what() + ")");
    }
    out.flush();
    _exit(0);  // no exit handlers: they belong to the calculator, not to this copy of it
}

// Everything the reader wrote, or nothing if it overran its time.
std::optional<std::string> collect(int fd)
{
    std::string received;
    char buffer[1 << 16];
    int waited = 0;
    constexpr int kPollMs = 100;
    while (true) {
        pollfd ready{fd, POLLIN, 0};
        const int events = poll(&ready, 1, kPollMs);
        if (events == 0) {
            if ((waited += kPollMs) >= kReaderTimeoutMs)
                return std::nullopt;
            continue;
        }
        if (events < 0 && errno == EINTR)
            continue;
        const ssize_t got = events < 0 ? -1 : read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return received;
        received.append(buffer, static_cast<std::size_t>(got));
    }
}

class PipeReader {
public:
    explicit PipeReader(std::string_view data) : data_(data) {}
    bool done() const { return at_ >= data_.size(); }
    char mark() { return done() ? '\0' : data_[at_++]; }
    std::optional<std::string_view> text()
    {
        std::uint32_t length = 0;
        if (data_.size() - at_ < sizeof length)
            return std::nullopt;
        std::memcpy(&length, data_.data() + at_, sizeof length);
        at_ += sizeof length;
        if (data_.size() - at_ < length)
            return std::nullopt;
        const std::string_view t = data_.substr(at_, length);
        at_ += length;
        return t;
    }

private:
    std::string_view data_;
    std::size_t at_ = 0;
};

}  // namespace

void readAccessTable(const std::filesystem::path& file, std::string_view tableName,
                     std::span<const char* const> columns, const AccessRowHandler& onRow)
{
    checkJetFile(file);

    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        throw DatabaseError(file, std::string("it cannot be read now (") + std::strerror(errno) + ")");
    const pid_t reader = fork();
    if (reader < 0) {
        close(ends[0]);
        close(ends[1]);
        throw DatabaseError(file, std::string("it cannot be read now (") + std::strerror(errno) + ")");
    }
    if (reader == 0) {
        close(ends[0]);
        runReader(ends[1], file, tableName, columns);
    }
    close(ends[1]);
    const std::optional<std::string> received = collect(ends[0]);
    close(ends[0]);
    if (!received)
        kill(reader, SIGKILL);
    int status = 0;
    while (waitpid(reader, &status, 0) < 0 && errno == EINTR) {
    }
    if (!received)
        throw DatabaseError(file, "it is a damaged Access file: mdbtools did not finish reading it");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw DatabaseError(file, "it is a damaged Access file: mdbtools broke down reading it");

    PipeReader in(*received);
    std::vector<AccessCell> row(columns.size());
    while (!in.done()) {
        const char mark = in.mark();
        if (mark == kDoneMark && in.done())
            return;
        if (mark == kErrorMark) {
            const auto fault = in.text();
            throw DatabaseError(file, fault ? std::string(*fault) : "mdbtools cannot read it");
        }
        if (mark != kRowMark)
            break;
        bool whole = true;
        for (AccessCell& cell : row) {
            const char kind = in.mark();
            const auto text = in.text();
            whole = whole && text.has_value();
            if (whole)
                cell = {*text, static_cast<AccessValueKind>(kind)};
        }
        if (!whole)
            break;
        onRow(row);
    }
    throw DatabaseError(file, "it is a damaged Access file: mdbtools broke down reading it");
}
