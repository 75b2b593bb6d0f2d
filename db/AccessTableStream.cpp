#include "AccessTableStream.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr char kColumnsMark = 'C', kRowMark = 'R', kDoneMark = 'D', kErrorMark = 'E';
constexpr std::size_t kChunk = 1 << 16;

class StreamReader {
public:
    explicit StreamReader(std::span<const char> data) : data_(data) {}
    bool done() const { return at_ >= data_.size(); }
    std::optional<char> mark()
    {
        if (done())
            return std::nullopt;
        return data_[at_++];
    }
    std::optional<std::uint32_t> count()
    {
        std::uint32_t value = 0;
        if (data_.size() - at_ < sizeof value)
            return std::nullopt;
        std::memcpy(&value, data_.data() + at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    std::optional<std::string_view> text()
    {
        const auto length = count();
        if (!length || data_.size() - at_ < *length)
            return std::nullopt;
        const std::string_view t(data_.data() + at_, *length);
        at_ += *length;
        return t;
    }

private:
    std::span<const char> data_;
    std::size_t at_ = 0;
};

bool isKind(char kind)
{
    for (const AccessValueKind known :
         {AccessValueKind::Text, AccessValueKind::Integer, AccessValueKind::Real, AccessValueKind::Other}) {
        if (kind == static_cast<char>(known))
            return true;
    }
    return false;
}

std::optional<std::vector<AccessColumn>> readColumns(StreamReader& in)
{
    const auto count = in.count();
    if (!count)
        return std::nullopt;
    std::vector<AccessColumn> columns;
    for (std::uint32_t i = 0; i < *count; ++i) {
        const auto kind = in.mark();
        const auto name = in.text();
        if (!kind || !isKind(*kind) || !name)
            return std::nullopt;
        columns.push_back({std::string(*name), static_cast<AccessValueKind>(*kind)});
    }
    return columns;
}

}  // namespace

void AccessTableWriter::columns(std::span<const AccessColumn> columns)
{
    put(&kColumnsMark, 1);
    const auto count = static_cast<std::uint32_t>(columns.size());
    put(&count, sizeof count);
    for (const AccessColumn& column : columns) {
        put(&column.kind, 1);
        text(column.name);
    }
}

void AccessTableWriter::row(std::span<const std::string_view> cells)
{
    put(&kRowMark, 1);
    for (const std::string_view cell : cells)
        text(cell);
}

void AccessTableWriter::end()
{
    put(&kDoneMark, 1);
}

void AccessTableWriter::fail(std::string_view fault)
{
    put(&kErrorMark, 1);
    text(fault);
}

bool AccessTableWriter::flush()
{
    std::string_view rest = pending_;
    while (!rest.empty()) {
        const ssize_t written = write(fd_, rest.data(), rest.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    pending_.clear();
    return true;
}

void AccessTableWriter::put(const void* data, std::size_t size)
{
    pending_.append(static_cast<const char*>(data), size);
    if (pending_.size() >= kChunk)
        flush();
}

void AccessTableWriter::text(std::string_view t)
{
    const auto length = static_cast<std::uint32_t>(t.size());
    put(&length, sizeof length);
    put(t.data(), t.size());
}

std::optional<std::variant<AccessTable, AccessReadFault>> parseAccessTable(std::vector<char> received)
{
    AccessTable table;
    table.received = std::move(received);
    StreamReader in(table.received);
    bool haveColumns = false;
    while (const auto mark = in.mark()) {
        if (*mark == kErrorMark) {
            const auto fault = in.text();
            if (!fault || !in.done())
                return std::nullopt;
            return AccessReadFault{std::string(*fault)};
        }
        if (*mark == kDoneMark) {
            if (!haveColumns || !in.done())
                return std::nullopt;
            return table;
        }
        if (*mark == kColumnsMark && !haveColumns) {
            auto columns = readColumns(in);
            if (!columns)
                return std::nullopt;
            table.columns = std::move(*columns);
            haveColumns = true;
            continue;
        }
        if (*mark != kRowMark || !haveColumns)
            return std::nullopt;
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            const auto cell = in.text();
            if (!cell)
                return std::nullopt;
            table.cells.push_back(*cell);
        }
    }
    return std::nullopt;
}
