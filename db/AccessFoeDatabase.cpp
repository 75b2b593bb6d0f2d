#include "AccessFoeDatabase.h"

#include "AccessTable.h"
#include "FoeNameOrder.h"
#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>

namespace {

// The columns read, in the order of kRequiredColumns.
enum Column { kName, kMaxThreat, kFirstStat, kMove = kFirstStat + kFoeStatsSize, kMissile, kColumnCount };
static_assert(std::size(kRequiredColumns) == kColumnCount);

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// libmdb's text for a number column, printed in the "C" locale ("-1", "24.5",
// "1e+20", "inf"); nothing if it is not that.
std::optional<double> printedNumber(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// NULL (and "", which libmdb cannot tell from NULL) counts as 0; text that
// does not read as a number is NaN, which the recomputation refuses.
double storedNumber(const AccessCell& cell)
{
    if (cell.text.empty())
        return 0;
    if (cell.kind == AccessValueKind::Integer || cell.kind == AccessValueKind::Real)
        return printedNumber(cell.text).value_or(kNotANumber);
    return readNumber(cell.text).value_or(kNotANumber);
}

// Move is shown as stored. A fraction column is written in its shortest form,
// as the SQLite backend writes a stored real (12, not 12.0000).
std::string storedText(const AccessCell& cell)
{
    if (cell.kind == AccessValueKind::Real && !cell.text.empty()) {
        if (const auto value = printedNumber(cell.text))
            return formatDouble(*value);
    }
    return std::string(cell.text);
}

}  // namespace

AccessFoeDatabase::AccessFoeDatabase(const std::filesystem::path& file)
{
    readAccessTable(file, "Foes", kRequiredColumns, [this](std::span<const AccessCell> cells) {
        Row row;
        row.name = std::string(cells[kName].text);
        row.maxThreat = storedNumber(cells[kMaxThreat]);
        for (int slot = 0; slot < kFoeStatsSize; ++slot)
            row.foe.stats[static_cast<std::size_t>(slot)] = storedNumber(cells[kFirstStat + slot]);
        row.foe.move = storedText(cells[kMove]);
        row.foe.missile = storedNumber(cells[kMissile]);
        rows_.push_back(std::move(row));
    });

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
