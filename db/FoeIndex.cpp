#include "FoeIndex.h"

#include "FoeNameOrder.h"

#include <algorithm>

namespace {

// The required columns, in the order of kRequiredColumns.
enum Column : std::size_t { kName, kMaxThreat, kFirstStat, kMove = kFirstStat + kFoeStatsSize, kMissile };
static_assert(kMissile + 1 == kRequiredColumnCount);

// The text a cell would be copied as, measured before it is.
bool tooLongToKeep(const StoredCell& cell)
{
    const auto* text = std::get_if<std::string_view>(&cell);
    return text && text->size() > kLongestValue;
}

}  // namespace

void FoeIndex::addRow(const Cells& cells)
{
    if (tooLongToKeep(cells[kName]) || tooLongToKeep(cells[kMove]))
        throw DatabaseError(file_, "it holds a name or Move longer than " + std::to_string(kLongestValue >> 10)
                                       + " KiB, which no foe's is");
    std::string name = storedText(cells[kName]);
    if (name.empty())
        return;
    FoeRecord foe;
    for (int slot = 0; slot < kFoeStatsSize; ++slot)
        foe.stats[static_cast<std::size_t>(slot)] = storedNumber(cells[kFirstStat + static_cast<std::size_t>(slot)]);
    foe.move = storedText(cells[kMove]);
    foe.missile = storedNumber(cells[kMissile]);
    // The name twice: the window's list keeps its own copy of every name it offers.
    bytesHeld_ += sizeof(Entry) + sizeof(FoeRecord) + foe.move.size() + 2 * name.size() + sizeof(std::string);
    if (bytesHeld_ > kMostFoeBytes)
        throw DatabaseError(file_, "its foes take more than the " + std::to_string(kMostFoeBytes >> 20)
                                       + " MiB of memory the calculator gives a bestiary");
    byName_.push_back({std::move(name), storedNumber(cells[kMaxThreat]), static_cast<std::uint32_t>(foes_.size())});
    foes_.push_back(std::move(foe));
}

void FoeIndex::seal()
{
    // Not shrunk to fit: that would hold every name twice for a moment, at
    // what is already the peak of a large bestiary's memory.
    std::stable_sort(byName_.begin(), byName_.end(),
                     [](const Entry& a, const Entry& b) { return foeNameLess(a.name, b.name); });
}

std::vector<std::string> FoeIndex::listNames(ThreatCategory category)
{
    // Text and NaN in Max_Threat exceed no category, nor does an empty one (0).
    std::vector<std::string> names;
    for (const Entry& entry : byName_) {
        if (entry.maxThreat > category)
            names.push_back(entry.name);
    }
    return names;
}

std::optional<FoeRecord> FoeIndex::findFoe(const std::string& name, ThreatCategory category)
{
    // foeNameLess orders by compareFoeNames first, so the names equal to
    // `name` ignoring case stand together; the first stored is the lowest.
    // A name rarely stands more than once, so the run is walked rather than
    // searched for its end: a second binary search would double the name
    // comparisons, which are nearly all of a lookup's cost.
    auto at = std::lower_bound(byName_.begin(), byName_.end(), name,
                               [](const Entry& entry, const std::string& asked) { return compareFoeNames(entry.name, asked) < 0; });
    std::optional<std::uint32_t> firstStored;
    std::optional<std::uint32_t> firstOffered;
    for (; at != byName_.end() && compareFoeNames(at->name, name) == 0; ++at) {
        firstStored = std::min(at->stored, firstStored.value_or(at->stored));
        if (at->maxThreat > category)
            firstOffered = std::min(at->stored, firstOffered.value_or(at->stored));
    }
    if (!firstStored)
        return std::nullopt;
    FoeRecord found = foes_[firstOffered.value_or(*firstStored)];
    found.offered = firstOffered.has_value();
    return found;
}
