#pragma once

// One table of a Microsoft Access file (Access 97 = Jet 3, Access 2000 to
// 2003 = Jet 4), read row by row through mdbtools' libmdb. This is the only
// code that speaks to libmdb; AccessFoeDatabase turns what it hands over into
// foes.
//
// What libmdb gives, and what this layer makes of it:
// - Every value comes as text. Text and Memo come as UTF-8 (compressed or
//   not); numbers as C printf output ("-1", "24.5", "1e+20").
// - A NULL and an empty string both come as "": they cannot be told apart.
// - libmdb formats Single and Double with the C library's decimal point, so a
//   German desktop would get "24,5"; here the reading thread uses the "C"
//   LC_NUMERIC while libmdb runs, and the numbers always carry a ".".
// - libmdb prints to stderr for damaged files ("offset 4096 is beyond EOF",
//   "Unable to read table MSysObjects"), and for some even dumps pages to
//   stdout; here both are caught and kept from the user's terminal, and the
//   first line on stderr is quoted in the DatabaseError instead.
// - Rows come in storage order.
//
// The file is opened read-only, read once and closed before the function
// returns; nothing stays open. libmdb runs in a child process (see
// readAccessTable), so a file that makes it crash or loop is reported as
// damaged instead of taking the calculator down.

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

// How a column's text is to be read.
enum class AccessValueKind {
    Text,     // Text, Memo: as typed
    Integer,  // Yes/No ("1"/"0"), Byte, Integer, Long Integer: exact decimal digits
    Real,     // Single, Double, Currency, Decimal: C-locale printf text, maybe with an exponent
    Other,    // Date/Time, binary, OLE, ...: libmdb's text for it, not a number
};

struct AccessCell {
    std::string_view text;  // "" for NULL and for an empty string alike
    AccessValueKind kind;
};

// Called once for each row, in storage order, with one cell for each of the
// asked columns, in the order asked. The views last only for the call.
using AccessRowHandler = std::function<void(std::span<const AccessCell> row)>;

// Reads `table` (its name matched ignoring ASCII case) and hands each row's
// `columns` (matched ignoring case, as foe names are) to `onRow`. Throws
// DatabaseError naming the file and the fault: not a readable Jet 3 or Jet 4
// file, incomplete or damaged, no such table ("it has no table Foes"), a
// missing column ("table Foes lacks the column(s) Missile"), or fewer rows
// readable than the table says it holds.
void readAccessTable(const std::filesystem::path& file, std::string_view table,
                     std::span<const char* const> columns, const AccessRowHandler& onRow);

// While alive, the calling thread formats and parses numbers in the "C"
// locale (LC_NUMERIC only; the rest of the thread's locale is kept). The
// previous thread locale is restored on destruction.
class CNumericLocale {
public:
    CNumericLocale();
    ~CNumericLocale();
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    void* locale_ = nullptr;    // locale_t
    void* previous_ = nullptr;  // locale_t
};

// While alive, whatever is written to the file descriptor (STDERR_FILENO or
// STDOUT_FILENO) goes into a private buffer instead of the terminal; text()
// returns it. The descriptor is restored on destruction. A descriptor is
// shared by the whole process: the reader uses this in its child process,
// where nothing else runs.
class OutputCapture {
public:
    explicit OutputCapture(int fd);
    ~OutputCapture();
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;

    // What was written so far (at most the first few kilobytes).
    std::string text() const;

private:
    void flush() const;

    int fd_;
    int sink_ = -1;
    int saved_ = -1;
    bool wasClosed_ = false;
};
