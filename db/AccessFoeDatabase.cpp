#include "AccessFoeDatabase.h"

#include "AccessTable.h"
#include "StoredCell.h"

#include <charconv>

namespace {

// libmdb's text for a number column, printed in the "C" locale ("-1", "24.5",
// "1e+20", "inf").
template <class Number>
std::optional<Number> printed(std::string_view text)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// libmdb gives a NULL and an empty string alike as "": both are taken as
// empty. A number column's text that is not a number stays text, which the
// shared conversion then refuses.
StoredCell storedCell(std::string_view text, AccessValueKind kind)
{
    if (text.empty())
        return std::monostate();
    if (kind == AccessValueKind::Integer) {
        if (const auto whole = printed<std::int64_t>(text))
            return *whole;
    }
    if (kind == AccessValueKind::Integer || kind == AccessValueKind::Real) {
        if (const auto fraction = printed<double>(text))
            return *fraction;
    }
    return text;
}

}  // namespace

void readAccessFoes(const std::filesystem::path& file, const FileHeader& header, FoeIndex& index)
{
    const AccessTable table = readAccessTable(file, header, "Foes");
    std::vector<std::string> names;
    for (const AccessColumn& column : table.columns)
        names.push_back(column.name);
    const auto at = locateRequiredColumns(file, names);

    FoeIndex::Cells cells;
    for (std::size_t stored = 0; stored < table.rowCount(); ++stored) {
        const std::span<const std::string_view> row = table.row(stored);
        for (std::size_t required = 0; required < kRequiredColumnCount; ++required)
            cells[required] = storedCell(row[at[required]], table.columns[at[required]].kind);
        index.addRow(cells);
    }
}
