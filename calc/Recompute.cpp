#include "Recompute.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kHpFloor = 10;
constexpr int kBowDamCap = 11;
constexpr int kXBowDamCap = 14;
constexpr const char* kGenericMove = "15";
constexpr const char* kRange = "-32768 to 32767";

std::string statName(int slot) { return std::string(kStatNames[static_cast<std::size_t>(slot)]); }

InputFault tallyFault(int slot, std::string reason)
{
    return {InputFault::Input::Tally, slot, std::move(reason)};
}

// The stored value is blamed when it is at fault by itself, the category's
// modifier only when the two together leave the range.
InputFault storedFault(int slot, double stored)
{
    const std::string what = "The stored " + statName(slot) + " of this foe";
    if (std::isnan(stored))
        return {InputFault::Input::Foe, slot, what + " is not a number."};
    if (!toInt16(stored))
        return {InputFault::Input::Foe, slot, what + ", " + formatDouble(stored) + ", lies outside " + kRange + "."};
    return {InputFault::Input::Foe, slot, what + " plus the category's modifier goes outside " + kRange + "."};
}

bool fitsInt16(int value) { return value >= -32768 && value <= 32767; }

// The category's modifiers, plus the stored statistics of a named foe.
// Slots whose stored value cannot be used keep their modifier; the first of
// them is remembered, and the pass stops when it reaches that statistic.
struct WorkingRecord {
    FoeStats stats;
    std::optional<InputFault> storedFault;
};

WorkingRecord buildWorkingRecord(FoeSheet& sheet, ThreatCategory category, const std::optional<FoeRecord>& row)
{
    WorkingRecord working{CategoryModifiers(category), std::nullopt};
    if (sheet.foeName == kGenericFoe) {
        sheet.mix = formatDouble(working.stats[Mix] / 10.0);
        sheet.move = kGenericMove;
        return working;
    }
    if (!row)
        return working;

    for (int slot = Init; slot <= Res; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        if (const auto sum = toInt16(row->stats[i] + working.stats[i]))
            working.stats[i] = *sum;
        else if (!working.storedFault)
            working.storedFault = storedFault(slot, row->stats[i]);
    }
    // Mix is shown in tenths, as stored (17.5 tenths shows as 1.75), but
    // like every stored value it must lie within 16 bits.
    const double mixTenths = row->stats[Mix] + working.stats[Mix];
    if (mixTenths >= -32768 && mixTenths <= 32767) {  // false for NaN too
        sheet.mix = formatDouble(mixTenths / 10.0);
    } else {
        sheet.mix.clear();
        sheet.fault = storedFault(Mix, row->stats[Mix]);  // a later stop outranks it
    }
    sheet.move = row->move;
    sheet.rangedVisible = row->missile == 1;
    return working;
}

std::string woundFor(int hp)
{
    if (hp <= 19)
        return "12";
    if (hp <= 60)
        return "15";
    return "18";
}

// Writes statistic `slot` with its floors and the cells derived from it;
// returns the value as finally shown.
int writeStatistic(FoeSheet& sheet, int slot, int value)
{
    switch (slot) {
    case Init:
        sheet.bow[Init] = formatInt(value - 1);
        sheet.xbow[Init] = formatInt(value - 8);
        break;
    case Atk:
        sheet.bow[Atk] = formatInt(value - 1);
        sheet.xbow[Atk] = formatInt(value - 3);
        break;
    case Dfn:
        sheet.bow[Dfn] = sheet.xbow[Dfn] = formatInt(value);
        break;
    case Dam:
        value = std::max(value, 0);
        sheet.bow[Dam] = formatInt(std::min(value, kBowDamCap));
        sheet.xbow[Dam] = formatInt(std::min(value, kXBowDamCap));
        break;
    case Soak:
        value = std::max(value, 0);
        break;
    case HP:
        value = std::max(value, kHpFloor);
        sheet.wound = woundFor(value);
        break;
    default:
        break;
    }
    sheet.foe[static_cast<std::size_t>(slot)] = formatInt(value);
    return value;
}

// Empties statistic `slot` and every result the pass had still to write.
void stopAt(FoeSheet& sheet, int slot, InputFault fault)
{
    for (int s = slot; s < kStatCount; ++s)
        sheet.foe[static_cast<std::size_t>(s)].clear();
    for (int c = slot; c < kRangedColumns; ++c) {
        sheet.bow[static_cast<std::size_t>(c)].clear();
        sheet.xbow[static_cast<std::size_t>(c)].clear();
    }
    if (slot <= HP)
        sheet.wound.clear();
    sheet.might.clear();
    sheet.fault = std::move(fault);
}

// Might is half of Atk + Init + Dfn + Dam + Soak + HP/10; Res takes no part.
void writeMight(FoeSheet& sheet, const std::array<int, kStatCount>& shown)
{
    std::array<int, kStatCount> parts = shown;
    parts[HP] = *toInt16(shown[HP] / 10.0);  // HP <= 32767, so a tenth always fits
    parts[Res] = 0;
    int sum = 0;
    for (int part : parts)
        sum += part;
    if (!fitsInt16(sum)) {
        // Blame the tally that pushes hardest in the direction of the
        // overflow, and ask for the way back.
        const int direction = sum > 0 ? 1 : -1;
        const auto culprit = std::max_element(parts.begin(), parts.end(), [&](int a, int b) {
            return a * direction < b * direction;
        });
        const int slot = static_cast<int>(culprit - parts.begin());
        sheet.might.clear();
        sheet.fault = tallyFault(slot, "Might would need a sum of " + formatInt(sum) + ", outside " + kRange
                                           + (direction > 0 ? "; lower the " : "; raise the ") + statName(slot)
                                           + " tally.");
        return;
    }
    sheet.might = formatInt(*toInt16(sum / 2.0));
}

}  // namespace

void stopOnBestiaryFailure(FoeSheet& sheet, const BestiaryFailure& failure)
{
    stopAt(sheet, Init, {InputFault::Input::Bestiary, Init, failure.reason});
    sheet.mix.clear();
    sheet.move.clear();
}

void recomputeSheet(FoeSheet& sheet, ThreatCategory category, const FoeLookupResult& foe)
{
    sheet.fault.reset();
    sheet.tallyReset.fill(false);
    if (const auto* failure = std::get_if<BestiaryFailure>(&foe))
        return stopOnBestiaryFailure(sheet, *failure);
    const WorkingRecord working = buildWorkingRecord(sheet, category, std::get<std::optional<FoeRecord>>(foe));

    std::array<int, kStatCount> shown{};
    for (int slot = Init; slot < kStatCount; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        std::optional<double> tally = readTally(sheet.tally[i]);
        if (!tally) {
            sheet.tally[i] = "0";
            sheet.tallyReset[i] = true;
            tally = 0.0;
        }
        if (working.storedFault && working.storedFault->slot == slot)
            return stopAt(sheet, slot, *working.storedFault);
        const std::optional<std::int16_t> tally16 = toInt16(*tally);
        if (!tally16)
            return stopAt(sheet, slot, tallyFault(slot, "The " + statName(slot)
                                                            + " tally must lie between -32768 and 32767."));
        const int value = *tally16 + working.stats[i];
        if (!fitsInt16(value))
            return stopAt(sheet, slot, tallyFault(slot, statName(slot) + " would be "
                                                            + formatInt(value) + ", outside "
                                                            + kRange + "."));
        shown[i] = writeStatistic(sheet, slot, value);
    }
    writeMight(sheet, shown);
}
