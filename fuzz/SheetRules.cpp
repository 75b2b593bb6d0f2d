#include "SheetRules.h"

#include "NumberText.h"

#include <algorithm>
#include <optional>

namespace {

constexpr int kHpFloor = 10;
constexpr int kBowDamCap = 11;
constexpr int kXBowDamCap = 14;

// A result box holds a whole number in -32768..32767, written the way the
// program writes it, so that it reads back as itself.
std::optional<int> shownWhole(const std::string& box)
{
    const std::optional<double> value = readNumber(box);
    if (!value)
        return std::nullopt;
    const std::optional<std::int16_t> whole = toInt16(*value);
    if (!whole || formatInt(*whole) != box)
        return std::nullopt;
    return *whole;
}

// The pass reads the tallies in slot order up to the statistic it stops at;
// the tallies after that are left as typed until the fault is mended.
std::string brokenTallyRule(const FoeSheet& before, const FoeSheet& after, std::size_t stop)
{
    for (std::size_t i = 0; i < kStatCount; ++i) {
        if (i > stop) {
            if (after.tally[i] != before.tally[i] || after.tallyReset[i])
                return "a tally after the stop is left as typed";
            continue;
        }
        const bool reads = readTally(before.tally[i]).has_value();
        if (after.tallyReset[i] == reads)
            return "a tally is marked as reset exactly when it does not read as a tally";
        if (after.tally[i] != (reads ? before.tally[i] : "0"))
            return "a tally that reads, or starts a number, is kept; any other becomes 0";
    }
    return "";
}

std::string brokenFaultRule(const std::optional<InputFault>& fault)
{
    if (!fault)
        return "";
    const int slots = fault->input == InputFault::Input::Tally ? kStatCount : kFoeStatsSize;
    if (fault->slot < 0 || fault->slot >= slots)
        return "a fault names a statistic that has an input";
    if (fault->reason.empty())
        return "a fault gives its reason";
    return "";
}

// The pass stops at the first statistic it cannot show: that box, every
// result after it and Might stay empty, and the fault names that statistic.
std::string brokenStopRule(const FoeSheet& after, std::size_t stop)
{
    if (stop == kStatCount) {
        if (after.fault && after.fault->input == InputFault::Input::Foe && after.fault->slot != Mix)
            return "a stored statistic that cannot be used stops the pass there";
        if (after.fault && after.fault->input == InputFault::Input::Tally && !after.might.empty())
            return "a tally at fault stops the pass or empties Might";
        return "";
    }
    if (!after.fault || after.fault->slot != static_cast<int>(stop))
        return "an emptied statistic is the one the fault names";
    for (std::size_t i = stop; i < kStatCount; ++i)
        if (!after.foe[i].empty())
            return "every statistic after the stop is empty";
    for (std::size_t c = stop; c < kRangedColumns; ++c)
        if (!after.bow[c].empty() || !after.xbow[c].empty())
            return "every ranged cell after the stop is empty";
    if (!after.might.empty())
        return "Might is empty after a stop";
    if (stop <= HP && !after.wound.empty())
        return "Wound is empty when HP is";
    return "";
}

const char* woundFor(int hp)
{
    return hp <= 19 ? "12" : hp <= 60 ? "15" : "18";
}

// Every number shown before the stop is in range, with its floors and caps.
std::string brokenShownRule(const FoeSheet& after, std::size_t stop)
{
    std::array<int, kStatCount> shown{};
    for (std::size_t i = 0; i < stop; ++i) {
        const std::optional<int> value = shownWhole(after.foe[i]);
        if (!value)
            return "every statistic shown is a whole number within -32768..32767";
        shown[i] = *value;
    }
    if ((stop > Dam && shown[Dam] < 0) || (stop > Soak && shown[Soak] < 0))
        return "Dam and Soak are never below 0";
    if (stop > HP && shown[HP] < kHpFloor)
        return "HP is never below 10";
    if (stop > HP && after.wound != woundFor(shown[HP]))
        return "Wound is 12, 15 or 18 by HP";

    // The ranged cells are their statistic less a fixed step, so an Init or
    // Atk near -32768 rightly shows a Bow or X-Bow cell below it.
    for (std::size_t c = 0; c < std::min<std::size_t>(stop, kRangedColumns); ++c) {
        const std::optional<double> bow = readNumber(after.bow[c]);
        const std::optional<double> xbow = readNumber(after.xbow[c]);
        if (!bow || !xbow || formatDouble(*bow) != after.bow[c] || formatDouble(*xbow) != after.xbow[c]
            || *bow < -32768 - 8 || *xbow < -32768 - 8)
            return "every ranged cell shown is a whole number, at most 8 below -32768";
    }
    if (stop > Dam) {
        const int bowDam = *shownWhole(after.bow[Dam]);
        const int xbowDam = *shownWhole(after.xbow[Dam]);
        if (bowDam < 0 || bowDam > kBowDamCap || xbowDam < 0 || xbowDam > kXBowDamCap)
            return "Bow Dam lies within 0..11, X-Bow Dam within 0..14";
    }

    if (stop == kStatCount) {
        if (after.might.empty() && (!after.fault || after.fault->input != InputFault::Input::Tally))
            return "Might is empty only when a tally pushes it out of range";
        if (!after.might.empty() && !shownWhole(after.might))
            return "Might is a whole number within -32768..32767";
    }
    return "";
}

// Mix is written in tenths of a 16-bit number, or emptied for a stored Mix
// that cannot be used; a Mix the pass did not touch is the game master's text.
std::string brokenMixRule(const FoeSheet& before, const FoeSheet& after)
{
    if (after.fault && after.fault->input == InputFault::Input::Foe && after.fault->slot == Mix
        && !after.mix.empty())
        return "a stored Mix that cannot be used leaves Mix empty";
    if (after.mix == before.mix || after.mix.empty())
        return "";
    const std::optional<double> mix = readNumber(after.mix);
    if (!mix || *mix < -3276.8 || *mix > 3276.7)
        return "Mix reads as a number within -3276.8..3276.7";
    return "";
}

}  // namespace

std::string brokenSheetRule(const FoeSheet& before, const FoeSheet& after)
{
    std::size_t stop = 0;
    while (stop < kStatCount && !after.foe[stop].empty())
        ++stop;
    for (const std::string& broken : {brokenTallyRule(before, after, stop), brokenFaultRule(after.fault),
                                      brokenStopRule(after, stop), brokenShownRule(after, stop),
                                      brokenMixRule(before, after)})
        if (!broken.empty())
            return broken;
    return "";
}
