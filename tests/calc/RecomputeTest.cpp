#include "Recompute.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using Tallies = std::array<std::string, kStatCount>;
const Tallies kZeros = {"0", "0", "0", "0", "0", "0", "0"};

// Init 3, Atk 4, Dfn 2, Dam 5, Soak 2, HP 20, Res 1, Mix 5, Move 12, shoots.
const FoeRecord kArcher{{3, 4, 2, 5, 2, 20, 1, 5}, "12", 1};

// What a bestiary holding `foe` alone, named `name`, answers for a name.
using Bestiary = std::function<FoeLookupResult(const std::string&)>;
Bestiary knowsOnly(const std::string& name, const FoeRecord& foe)
{
    return [=](const std::string& asked) -> std::optional<FoeRecord> {
        if (asked == name)
            return foe;
        return std::nullopt;
    };
}

// One pass, the foe looked up as the window looks it up: "[Generic]" asks
// the bestiary nothing.
void recompute(FoeSheet& sheet, ThreatCategory category, const Bestiary& bestiary = knowsOnly("Archer", kArcher))
{
    recomputeSheet(sheet, category, sheet.foeName == kGenericFoe ? FoeLookupResult() : bestiary(sheet.foeName));
}

// A sheet as the window first builds it: every box still holds its placeholder.
FoeSheet freshSheet(const std::string& foeName, const Tallies& tallies = kZeros)
{
    FoeSheet sheet;
    sheet.foeName = foeName;
    sheet.tally = tallies;
    sheet.foe.fill("Text1");
    sheet.mix = sheet.move = "Text1";
    return sheet;
}

FoeSheet computed(ThreatCategory category, const std::string& foeName, const Tallies& tallies = kZeros,
                  const Bestiary& bestiary = knowsOnly("Archer", kArcher))
{
    FoeSheet sheet = freshSheet(foeName, tallies);
    recompute(sheet, category, bestiary);
    return sheet;
}

struct Results {
    std::array<std::string, kStatCount> foe;
    std::array<std::string, kRangedColumns> bow, xbow;
    std::string mix, move, wound, might;
    bool rangedVisible;
};

Results resultsOf(const FoeSheet& s)
{
    return {s.foe, s.bow, s.xbow, s.mix, s.move, s.wound, s.might, s.rangedVisible};
}

void PrintTo(const Results& r, std::ostream* os)
{
    auto row = [os](const auto& cells) {
        for (const auto& c : cells)
            *os << '[' << c << ']';
        *os << ' ';
    };
    row(r.foe);
    row(r.bow);
    row(r.xbow);
    *os << "mix " << r.mix << " move " << r.move << " wound " << r.wound << " might " << r.might
        << (r.rangedVisible ? " ranged shown" : " ranged hidden");
}

bool operator==(const Results& a, const Results& b)
{
    return a.foe == b.foe && a.bow == b.bow && a.xbow == b.xbow && a.mix == b.mix && a.move == b.move
           && a.wound == b.wound && a.might == b.might && a.rangedVisible == b.rangedVisible;
}

struct WorkedCase {
    const char* tag;
    ThreatCategory category;
    std::string foeName;
    Tallies tallies;
    Results expected;
};
void PrintTo(const WorkedCase& c, std::ostream* os) { *os << c.tag; }

class WorkedExample : public testing::TestWithParam<WorkedCase> {};

TEST_P(WorkedExample, FillsEveryResultBox)
{
    const WorkedCase& c = GetParam();
    const FoeSheet sheet = computed(c.category, c.foeName, c.tallies);
    EXPECT_EQ(resultsOf(sheet), c.expected);
    EXPECT_FALSE(sheet.fault.has_value());
}

INSTANTIATE_TEST_SUITE_P(Rules, WorkedExample, testing::Values(
    WorkedCase{"generic_equal", 3, "[Generic]", kZeros,
               {{"0", "0", "0", "0", "0", "10", "0"}, {"-1", "-1", "0", "0"}, {"-8", "-3", "0", "0"},
                "1.5", "15", "12", "0", true}},
    WorkedCase{"generic_terrifying", 6, "[Generic]", kZeros,
               {{"6", "6", "6", "6", "3", "30", "3"}, {"5", "5", "6", "6"}, {"-2", "3", "6", "6"},
                "4", "15", "15", "15", true}},
    WorkedCase{"generic_pitiful_floors_and_might_to_even", 0, "[Generic]", kZeros,
               {{"-6", "-6", "-6", "0", "0", "10", "-3"}, {"-7", "-7", "-6", "0"},
                {"-14", "-9", "-6", "0"}, "0.3", "15", "12", "-8", true}},
    WorkedCase{"named_archer_superior", 4, "Archer", {"1", "0", "0", "0", "0", "5", "0"},
               {{"6", "6", "4", "7", "3", "35", "2"}, {"5", "5", "4", "7"}, {"-2", "3", "4", "7"},
                "2.5", "12", "15", "15", true}},
    WorkedCase{"dam_12_caps_bow_only", 3, "[Generic]", {"0", "0", "0", "12", "0", "0", "0"},
               {{"0", "0", "0", "12", "0", "10", "0"}, {"-1", "-1", "0", "11"}, {"-8", "-3", "0", "12"},
                "1.5", "15", "12", "6", true}},
    WorkedCase{"dam_20_caps_both", 3, "[Generic]", {"0", "0", "0", "20", "0", "0", "0"},
               {{"0", "0", "0", "20", "0", "10", "0"}, {"-1", "-1", "0", "11"}, {"-8", "-3", "0", "14"},
                "1.5", "15", "12", "10", true}},
    WorkedCase{"dam_10_below_caps", 3, "[Generic]", {"0", "0", "0", "10", "0", "0", "0"},
               {{"0", "0", "0", "10", "0", "10", "0"}, {"-1", "-1", "0", "10"}, {"-8", "-3", "0", "10"},
                "1.5", "15", "12", "6", true}},
    WorkedCase{"dfn_cells_follow_this_pass", 3, "[Generic]", {"0", "0", "7", "0", "0", "0", "9"},
               {{"0", "0", "7", "0", "0", "10", "9"}, {"-1", "-1", "7", "0"}, {"-8", "-3", "7", "0"},
                "1.5", "15", "12", "4", true}}),
    [](const auto& info) { return std::string(info.param.tag); });

struct HpCase {
    const char* tag;
    const char* hpTally;
    const char* wound;
    const char* might;  // with every other statistic 0, Might is half of HP/10
};
void PrintTo(const HpCase& c, std::ostream* os) { *os << c.tag; }

class HitPoints : public testing::TestWithParam<HpCase> {};

TEST_P(HitPoints, PickWoundByNumberAndHalveForMight)
{
    Tallies tallies = kZeros;
    tallies[HP] = GetParam().hpTally;
    const FoeSheet sheet = computed(3, "[Generic]", tallies);
    EXPECT_EQ(sheet.wound, GetParam().wound);
    EXPECT_EQ(sheet.might, GetParam().might);
}

INSTANTIATE_TEST_SUITE_P(Bands, HitPoints, testing::Values(
    HpCase{"floor_10", "-50", "12", "0"},
    HpCase{"hp_19", "19", "12", "1"},
    HpCase{"hp_20", "20", "15", "1"},
    HpCase{"hp_25_halves_to_even", "25", "15", "1"},   // h = 2.5 -> 2, Might 1
    HpCase{"hp_35_halves_to_even", "35", "15", "2"},   // h = 3.5 -> 4, Might 2
    HpCase{"hp_60", "60", "15", "3"},
    HpCase{"hp_61", "61", "18", "3"},
    HpCase{"hp_150_is_large_not_small", "150", "18", "8"}),  // h = 15, 7.5 -> 8
    [](const auto& info) { return std::string(info.param.tag); });

TEST(Recompute, ResetsAndMarksTalliesThatDoNotRead)
{
    const FoeSheet sheet = computed(3, "[Generic]", {"abc", "", "2.5", "3.5", "0", "1e3", "0"});
    EXPECT_EQ(sheet.tally, (Tallies{"0", "0", "2.5", "3.5", "0", "0", "0"}));
    EXPECT_EQ(sheet.tallyReset, (std::array<bool, kStatCount>{true, true, false, false, false, true, false}));
    EXPECT_EQ(sheet.foe[Dfn], "2");  // 2.5 counts as 2
    EXPECT_EQ(sheet.foe[Dam], "4");  // 3.5 counts as 4
}

TEST(Recompute, GenericNeverAsksTheDatabase)
{
    bool asked = false;
    computed(3, "[Generic]", kZeros, [&](const std::string&) {
        asked = true;
        return std::optional<FoeRecord>{};
    });
    EXPECT_FALSE(asked);
}

TEST(Recompute, GenericIsMatchedExactly)
{
    std::string askedFor;
    computed(3, "[generic]", kZeros, [&](const std::string& name) {
        askedFor = name;
        return std::optional<FoeRecord>{};
    });
    EXPECT_EQ(askedFor, "[generic]");
}

TEST(Recompute, NonShooterHidesRangedRowsButFillsThem)
{
    FoeRecord walker = kArcher;
    walker.missile = 0;
    const FoeSheet sheet = computed(3, "Walker", kZeros, knowsOnly("Walker", walker));
    EXPECT_FALSE(sheet.rangedVisible);
    EXPECT_EQ(sheet.bow, (std::array<std::string, 4>{"2", "3", "2", "5"}));
}

TEST(Recompute, GenericAndUnknownNamesLeaveRangedVisibilityAlone)
{
    for (const char* name : {"[Generic]", "Nobody"}) {
        for (bool visible : {true, false}) {
            FoeSheet sheet = freshSheet(name);
            sheet.rangedVisible = visible;
            recompute(sheet, 3);
            EXPECT_EQ(sheet.rangedVisible, visible) << name;
        }
    }
}

TEST(Recompute, UnknownNameGivesBareModifiersAndKeepsMixAndMove)
{
    FoeSheet sheet = computed(4, "Archer");
    sheet.foeName = "Arch";  // typed half a name
    recompute(sheet, 4);
    EXPECT_EQ(sheet.foe, (std::array<std::string, kStatCount>{"2", "2", "2", "2", "1", "10", "1"}));
    EXPECT_EQ(sheet.mix, "2.5");
    EXPECT_EQ(sheet.move, "12");
}

TEST(Recompute, StartsEachPassFromItsOwnCategory)
{
    FoeSheet sheet = computed(1, "Archer");
    recompute(sheet, 4);
    EXPECT_EQ(resultsOf(sheet), resultsOf(computed(4, "Archer")));
}

TEST(Recompute, RangedCellsMayLieBelowTheStatisticsRange)
{
    const FoeSheet lowInit = computed(3, "[Generic]", {"-32768", "0", "0", "0", "0", "0", "0"});
    EXPECT_EQ(lowInit.xbow[Init], "-32776");
    EXPECT_FALSE(lowInit.fault.has_value());
    EXPECT_EQ(computed(3, "[Generic]", {"0", "-32768", "0", "0", "0", "0", "0"}).bow[Atk], "-32769");
}

TEST(Recompute, MixKeepsAStoredFraction)
{
    FoeRecord foe = kArcher;
    foe.stats[Mix] = 2.5;  // + Equal's 15 = 17.5 tenths
    EXPECT_EQ(computed(3, "Odd", kZeros, knowsOnly("Odd", foe)).mix, "1.75");
}

TEST(Recompute, MoveIsShownAsStored)
{
    FoeRecord foe = kArcher;
    foe.move = "12/6 fly";
    EXPECT_EQ(computed(3, "Flyer", kZeros, knowsOnly("Flyer", foe)).move, "12/6 fly");
}

// Out-of-range values stop the pass at the statistic where they arise: that box
// and every result still to come are emptied, and the fault names the input.
struct OverflowCase {
    const char* tag;
    ThreatCategory category;
    Tallies tallies;
    FoeRecord stored;
    InputFault::Input input;
    int slot;
    const char* reason;
};
void PrintTo(const OverflowCase& c, std::ostream* os) { *os << c.tag; }

class OutOfRange : public testing::TestWithParam<OverflowCase> {};

TEST_P(OutOfRange, StopsAtTheFaultyStatistic)
{
    const OverflowCase& c = GetParam();
    const FoeSheet sheet = computed(c.category, "Stored", c.tallies, knowsOnly("Stored", c.stored));
    ASSERT_TRUE(sheet.fault.has_value());
    EXPECT_EQ(sheet.fault->input, c.input);
    EXPECT_EQ(sheet.fault->slot, c.slot);
    EXPECT_EQ(sheet.fault->reason, c.reason);
    for (int s = 0; s < kStatCount; ++s)
        EXPECT_EQ(sheet.foe[s].empty(), s >= c.slot) << kStatNames[s];
    for (int col = 0; col < kRangedColumns; ++col)
        EXPECT_EQ(sheet.bow[col].empty(), col >= c.slot) << "Bow " << kStatNames[col];
    EXPECT_EQ(sheet.wound.empty(), c.slot <= HP);
    EXPECT_EQ(sheet.might, "");
}

const FoeRecord kPlain{{0, 0, 0, 0, 0, 0, 0, 0}, "10", 0};
FoeRecord storedWith(int slot, double value)
{
    FoeRecord foe = kPlain;
    foe.stats[slot] = value;
    return foe;
}

INSTANTIATE_TEST_SUITE_P(Inputs, OutOfRange, testing::Values(
    OverflowCase{"tally_40000", 3, {"40000", "0", "0", "0", "0", "0", "0"}, kPlain,
                 InputFault::Input::Tally, Init, "The Init tally must lie between -32768 and 32767."},
    OverflowCase{"tally_32767_at_superior", 4, {"0", "32767", "0", "0", "0", "0", "0"}, kPlain,
                 InputFault::Input::Tally, Atk, "Atk would be 32769, outside -32768 to 32767."},
    OverflowCase{"tally_minus_32768_at_pitiful", 0, {"0", "0", "-32768", "0", "0", "0", "0"}, kPlain,
                 InputFault::Input::Tally, Dfn, "Dfn would be -32774, outside -32768 to 32767."},
    OverflowCase{"stored_hp_at_terrifying", 6, kZeros, storedWith(HP, 32767), InputFault::Input::Foe, HP,
                 "The stored HP of this foe plus the category's modifier goes outside -32768 to 32767."},
    OverflowCase{"stored_hp_40000_at_equal", 3, kZeros, storedWith(HP, 40000), InputFault::Input::Foe, HP,
                 "The stored HP of this foe, 40000, lies outside -32768 to 32767."},
    OverflowCase{"stored_dam_rounding_past_range", 3, kZeros, storedWith(Dam, 32767.5), InputFault::Input::Foe,
                 Dam, "The stored Dam of this foe, 32767.5, lies outside -32768 to 32767."},
    OverflowCase{"stored_text_in_soak", 3, kZeros, storedWith(Soak, std::nan("")), InputFault::Input::Foe, Soak,
                 "The stored Soak of this foe is not a number."}),
    [](const auto& info) { return std::string(info.param.tag); });

// A Might sum out of range blames the tally that pushes it hardest that way,
// and asks for the way back.
struct MightCase {
    const char* tag;
    Tallies tallies;
    int slot;
    const char* reason;
};
void PrintTo(const MightCase& c, std::ostream* os) { *os << c.tag; }

class MightOutOfRange : public testing::TestWithParam<MightCase> {};

TEST_P(MightOutOfRange, BlamesTheTallyThatPushesHardest)
{
    const MightCase& c = GetParam();
    const FoeSheet sheet = computed(3, "[Generic]", c.tallies);
    ASSERT_TRUE(sheet.fault.has_value());
    EXPECT_EQ(sheet.fault->input, InputFault::Input::Tally);
    EXPECT_EQ(sheet.fault->slot, c.slot);
    EXPECT_EQ(sheet.fault->reason, c.reason);
    EXPECT_EQ(sheet.might, "");
    EXPECT_EQ(sheet.foe[c.slot], c.tallies[static_cast<std::size_t>(c.slot)]);  // every statistic itself is sound
    EXPECT_EQ(sheet.wound, "12");
}

INSTANTIATE_TEST_SUITE_P(Sums, MightOutOfRange, testing::Values(
    MightCase{"above_asks_to_lower", {"20000", "32000", "0", "0", "0", "0", "0"}, Atk,
              "Might would need a sum of 52001, outside -32768 to 32767; lower the Atk tally."},
    MightCase{"below_asks_to_raise", {"-32768", "-32000", "0", "0", "0", "0", "0"}, Init,
              "Might would need a sum of -64767, outside -32768 to 32767; raise the Init tally."}),
    [](const auto& info) { return std::string(info.param.tag); });

TEST(Recompute, NextSoundPassClearsTheFault)
{
    FoeSheet sheet = computed(3, "[Generic]", {"40000", "0", "0", "0", "0", "0", "0"});
    ASSERT_TRUE(sheet.fault.has_value());
    sheet.tally[Init] = "4";
    recompute(sheet, 3);
    EXPECT_FALSE(sheet.fault.has_value());
    EXPECT_EQ(sheet.foe[Init], "4");
    EXPECT_EQ(sheet.might, "2");
}

TEST(Recompute, StoredMixThatIsNotANumberEmptiesMixOnly)
{
    const FoeSheet sheet = computed(3, "Odd", kZeros, knowsOnly("Odd", storedWith(Mix, std::nan(""))));
    EXPECT_EQ(sheet.mix, "");
    ASSERT_TRUE(sheet.fault.has_value());
    EXPECT_EQ(sheet.fault->input, InputFault::Input::Foe);
    EXPECT_EQ(sheet.fault->slot, Mix);
    EXPECT_EQ(sheet.might, "0");
}

}  // namespace
