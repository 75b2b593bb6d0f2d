#include "AccessFoeDatabase.h"

#include "AccessTable.h"
#include "FoeNameOrder.h"
#include "StoredCell.h"

#include <algorithm>
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

AccessFoeDatabase::AccessFoeDatabase(const std::filesystem::path& file, const FileHeader& header)
{
    const AccessTable table = readAccessTable(file, header, "Foes");
    std::vector<std::string> names;
    for (const AccessColumn& column : table.columns)
        names.push_back(column.name);
    const auto at = locateRequiredColumns(file, names);

    rows_.reserve(table.rowCount());
    for (std::size_t index = 0; index < table.rowCount(); ++index) {
        const std::span<const std::string_view> cells = table.row(index);
        const auto cell = [&](std::size_t required) {
            const std::size_t column = at[required];
            return storedCell(cells[column], table.columns[column].kind);
        };
        Row row;
        row.name = std::string(cells[at[kName]]);
        row.maxThreat = storedNumber(cell(kMaxThreat));
        for (int slot = 0; slot < kFoeStatsSize; ++slot)
            row.foe.stats[static_cast<std::size_t>(slot)] = storedNumber(cell(kFirstStat + slot));
        row.foe.move = storedText(cell(kMove));
        row.foe.missile = storedNumber(cell(kMissile));
        rows_.push_back(std::move(row));
    }

    byName_.reserve(rows_.size());
    for (std::uint32_t index = 0; index < rows_.size(); ++index) {
        if (!rows_[index].name.empty())
            byName_.push_back(index);
    }
    std::stable_sort(byName_.begin(), byName_.end(), [this](std::uint32_t a, std::uint32_t b) {
        return foeNameLess(rows_[a].name, rows_[b].name);
    });
}

std::vector<std::string> AccessFoeDatabase::listNames(ThreatCategory category)
{
    std::vector<std::string> names;
    for (const std::uint32_t index : byName_) {
        if (rows_[index].maxThreat > category)
            names.push_back(rows_[index].name);
    }
    return names;
}

std::optional<FoeRecord> AccessFoeDatabase::findFoe(const std::string& name)
{
    // foeNameLess orders by compareFoeNames first, so the names equal to
    // `name` ignoring case stand together; the first stored is the lowest row.
    // A name rarely stands more than once, so the run is walked rather than
    // searched for its end: a second binary search would double the name
    // comparisons, which are nearly all of a lookup's cost.
    auto at = std::lower_bound(byName_.begin(), byName_.end(), name,
        [this](std::uint32_t row, const std::string& asked) { return compareFoeNames(rows_[row].name, asked) < 0; });
    std::optional<std::uint32_t> firstStored;
    for (; at != byName_.end() && compareFoeNames(rows_[*at].name, name) == 0; ++at)
        firstStored = std::min(*at, firstStored.value_or(*at));
    if (!firstStored)
        return std::nullopt;
    return rows_[*firstStored].foe;
}
