#pragma once

// How the Access reader (mdb-reader/) hands one table to the calculator on
// its standard output, and how the calculator reads it back:
//
//   'C' count, then each column's kind and name   the table's layout
//   'R' one text per column                       a row, in storage order
//   'D'                                           the whole table was sent
//   'E' text                                      reading failed: the fault in words
//
// A count or a text's length is four bytes in the machine's order (both ends
// run on the same machine); texts may hold any bytes. Anything else, or a
// stream that ends early, means the reader broke down.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// How a column's text is to be read.
enum class AccessValueKind : char {
    Text = 'T',     // Text, Memo: as typed
    Integer = 'I',  // Yes/No ("1"/"0"), Byte, Integer, Long Integer: exact decimal digits
    Real = 'R',     // Single, Double, Currency, Decimal: C-locale printf text, maybe with an exponent
    Other = 'O',    // Date/Time, binary, OLE, ...: libmdb's text for it, not a number
};

struct AccessColumn {
    std::string name;
    AccessValueKind kind = AccessValueKind::Other;
};

// Gathers what the reader sends and writes it in large pieces: a write per
// cell would cost a system call and a wake-up of the calculator each.
class AccessTableWriter {
public:
    explicit AccessTableWriter(int fd) : fd_(fd) {}
    ~AccessTableWriter() { flush(); }
    AccessTableWriter(const AccessTableWriter&) = delete;
    AccessTableWriter& operator=(const AccessTableWriter&) = delete;

    void columns(std::span<const AccessColumn> columns);
    void row(std::span<const std::string_view> cells);
    void end();
    void fail(std::string_view fault);
    // False once the calculator has stopped listening.
    bool flush();

private:
    void put(const void* data, std::size_t size);
    void text(std::string_view t);

    int fd_;
    std::string pending_;
};

// One table as the reader sent it. A row's cells are views into the received
// bytes, which the table keeps.
struct AccessTable {
    std::vector<AccessColumn> columns;
    std::vector<std::string_view> cells;  // row after row, one cell per column
    std::vector<char> received;

    std::size_t rowCount() const { return columns.empty() ? 0 : cells.size() / columns.size(); }
    std::span<const std::string_view> row(std::size_t index) const
    {
        return std::span(cells).subspan(index * columns.size(), columns.size());
    }
};

// The reader's fault in its own words.
struct AccessReadFault {
    std::string fault;
};

// What the reader sent: the table, or why it could not be read; nothing when
// the stream is cut short or garbled.
std::optional<std::variant<AccessTable, AccessReadFault>> parseAccessTable(std::vector<char> received);
