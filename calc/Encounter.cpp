#include "Encounter.h"

#include "NumberText.h"

#include <algorithm>

namespace {

std::string captionOf(ThreatCategory category)
{
    return std::string(kCategoryCaptions[static_cast<std::size_t>(category)]);
}

// Why the pass's answer cannot stand for the entry's foe, or "" when it can.
std::string whyNotFresh(const std::string& foe, ThreatCategory category, const FoeLookupResult& answer,
                        const FoeSheet& computed)
{
    if (const auto* failure = std::get_if<BestiaryFailure>(&answer))
        return failure->reason;
    const auto& record = std::get<std::optional<FoeRecord>>(answer);
    if (foe != kGenericFoe && !record)
        return foe + " is not in the bestiary.";
    if (record && !record->offered)
        return foe + " is not offered at " + captionOf(category) + ".";
    if (computed.fault)
        return computed.fault->reason;
    return {};
}

FoeSheet sheetFor(const EncounterEntry& entry)
{
    FoeSheet sheet;
    sheet.foeName = entry.foe;
    for (std::size_t slot = 0; slot < sheet.tally.size(); ++slot)
        sheet.tally[slot] = formatInt(entry.tallies[slot]);
    return sheet;
}

int clampedHp(int value)
{
    return std::clamp(value, -32768, 32767);
}

// A result box as a number; 0 while it is empty.
int numberIn(const std::string& box)
{
    const std::optional<double> number = readNumber(box);
    return number ? toInt16(*number).value_or(0) : 0;
}

}  // namespace

bool EncounterEntry::operator==(const EncounterEntry& other) const
{
    // Blocks compare by what they show: text is what every form prints.
    return foe == other.foe && category == other.category && tallies == other.tallies && hp == other.hp
        && stale == other.stale && statBlockJson(block) == statBlockJson(other.block);
}

int fullHp(const EncounterEntry& entry)
{
    return numberIn(entry.block.stats[HP]);
}

void refreshEntry(EncounterEntry& entry, const FoeLookupResult& foe)
{
    FoeSheet sheet = sheetFor(entry);
    recomputeSheet(sheet, entry.category, foe);
    entry.stale = whyNotFresh(entry.foe, entry.category, foe, sheet);
    if (!entry.stale.empty())
        return;
    // An entry read from a file without its last numbers has no HP to
    // measure a change from: its creatures' HP stand as they were saved.
    const bool measured = !entry.block.stats[HP].empty();
    const int before = fullHp(entry);
    entry.block = statBlockOf(sheet, entry.category);
    const int gained = measured ? fullHp(entry) - before : 0;
    for (int& hp : entry.hp)
        hp = clampedHp(hp + gained);
}

std::optional<EncounterEntry> entryFromSheet(const FoeSheet& sheet, ThreatCategory category,
                                             const FoeLookupResult& foe, int count, std::string& why)
{
    EncounterEntry entry;
    entry.foe = sheet.foeName;
    entry.category = category;
    why = whyNotFresh(sheet.foeName, category, foe, sheet);
    if (!why.empty())
        return std::nullopt;
    entry.block = statBlockOf(sheet, category);
    // Without a fault every tally was counted within -32768..32767.
    for (std::size_t slot = 0; slot < entry.tallies.size(); ++slot)
        entry.tallies[slot] = static_cast<std::int16_t>(entry.block.tallies[slot]);
    setCount(entry, count);
    return entry;
}

std::size_t addToEncounter(Encounter& encounter, const EncounterEntry& entry)
{
    const auto same = std::find_if(encounter.begin(), encounter.end(), [&entry](const EncounterEntry& held) {
        return held.foe == entry.foe && held.category == entry.category && held.tallies == entry.tallies
            && held.stale.empty() && held.count() + entry.count() <= kMostCreatures;
    });
    if (same == encounter.end()) {
        encounter.push_back(entry);
        return encounter.size() - 1;
    }
    same->hp.insert(same->hp.end(), entry.hp.begin(), entry.hp.end());
    return static_cast<std::size_t>(same - encounter.begin());
}

void setCount(EncounterEntry& entry, int count)
{
    entry.hp.resize(static_cast<std::size_t>(std::clamp(count, 1, kMostCreatures)), fullHp(entry));
}

void changeHp(EncounterEntry& entry, int creature, int change)
{
    int& hp = entry.hp.at(static_cast<std::size_t>(creature));
    const int changed = clampedHp(hp + change);
    hp = change > 0 ? std::max(hp, std::min(changed, fullHp(entry))) : changed;
}

std::string creatureName(const Encounter& encounter, std::size_t entry, int creature)
{
    int before = 0;
    int ofThisFoe = 0;
    for (std::size_t e = 0; e < encounter.size(); ++e) {
        if (encounter[e].foe != encounter[entry].foe)
            continue;
        if (e < entry)
            before += encounter[e].count();
        ofThisFoe += encounter[e].count();
    }
    if (ofThisFoe == 1)
        return encounter[entry].foe;
    return encounter[entry].foe + " " + std::to_string(before + creature + 1);
}

StatBlock shownBlock(const EncounterEntry& entry)
{
    StatBlock block = entry.block;
    if (entry.count() > 1)
        block.foe = std::to_string(entry.count()) + " \u00d7 " + entry.foe;
    if (!entry.stale.empty())
        block.fault = InputFault{InputFault::Input::Foe, Init, entry.stale};
    return block;
}

EncounterTotals totalsOf(const Encounter& encounter)
{
    EncounterTotals totals;
    for (const EncounterEntry& entry : encounter) {
        totals.creatures += entry.count();
        totals.fullHp += fullHp(entry) * entry.count();
        totals.might += numberIn(entry.block.might) * entry.count();
        for (int hp : entry.hp) {
            if (hp > 0) {
                ++totals.standing;
                totals.hp += hp;
            }
        }
    }
    return totals;
}

std::string changedStatistics(const StatBlock& before, const StatBlock& after)
{
    std::string changes;
    const auto compare = [&changes](std::string_view name, const std::string& old, const std::string& now) {
        if (old != now)
            changes.append(changes.empty() ? "" : ", ").append(name).append(" " + old + " \u2192 " + now);
    };
    for (std::size_t slot = 0; slot < before.stats.size(); ++slot)
        compare(kStatNames[slot], before.stats[slot], after.stats[slot]);
    compare("Move", before.move, after.move);
    compare("Wound", before.wound, after.wound);
    compare("Might", before.might, after.might);
    return changes;
}
