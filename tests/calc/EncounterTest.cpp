// An encounter's entries through a fight: re-scaled, asked again of a
// bestiary that changed under them, hit and healed. Each row starts from an
// entry made from a real pass, so the numbers are the window's own.

#include "Encounter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// HP 18 stored; Init 2, Move 12.
const FoeRecord kBandit{{2, 2, 2, 3, 1, 18, 1, 5}, "12", 0};

FoeRecord notOffered(FoeRecord record)
{
    record.offered = false;
    return record;
}

EncounterEntry banditAt(ThreatCategory category, int count)
{
    FoeSheet sheet;
    sheet.foeName = "Bandit";
    sheet.tally = {"1", "0", "0", "0", "0", "2.5", "0"};
    recomputeSheet(sheet, category, kBandit);
    std::string why;
    auto entry = entryFromSheet(sheet, category, kBandit, count, why);
    EXPECT_TRUE(entry) << why;
    return entry.value_or(EncounterEntry{});
}

struct RefreshCase {
    const char* tag;
    ThreatCategory newCategory;
    FoeLookupResult answer;
    std::string stale;  // "" when the numbers are fresh
};
void PrintTo(const RefreshCase& c, std::ostream* os) { *os << c.tag; }

class RefreshingAnEntry : public testing::TestWithParam<RefreshCase> {};

// State: three Bandits at Equal, the second 7 below full HP. Action: the
// category changes and the bestiary is asked again. Expected: fresh numbers
// keep each creature's damage; an answer that cannot stand keeps the last
// numbers and HP, and says why.
TEST_P(RefreshingAnEntry, KeepsDamageOrSaysWhyNot)
{
    const RefreshCase& c = GetParam();
    EncounterEntry entry = banditAt(kDefaultCategory, 3);
    const int full = fullHp(entry);
    changeHp(entry, 1, -7);
    const EncounterEntry before = entry;

    entry.category = c.newCategory;
    refreshEntry(entry, c.answer);

    EXPECT_EQ(entry.stale, c.stale);
    if (!c.stale.empty()) {
        EXPECT_EQ(statBlockJson(entry.block), statBlockJson(before.block)) << "the last numbers stay";
        EXPECT_EQ(entry.hp, before.hp);
        return;
    }
    const EncounterEntry direct = banditAt(c.newCategory, 3);
    EXPECT_EQ(statBlockJson(entry.block), statBlockJson(direct.block)) << "the window's own pass";
    const int gained = fullHp(direct) - full;
    EXPECT_EQ(entry.hp, (std::vector{full + gained, full + gained - 7, full + gained}));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, RefreshingAnEntry,
    testing::Values(RefreshCase{"SameCategory", kDefaultCategory, kBandit, ""},
                    RefreshCase{"RescaledUp", 5, kBandit, ""}, RefreshCase{"RescaledDown", 0, kBandit, ""},
                    RefreshCase{"FoeLeftTheBestiary", kDefaultCategory, std::nullopt, "Bandit is not in the bestiary."},
                    RefreshCase{"NoLongerOffered", 6, notOffered(kBandit), "Bandit is not offered at Terrifying."},
                    RefreshCase{"BestiaryFails", 4, BestiaryFailure{"The file is gone."}, "The file is gone."},
                    RefreshCase{"StoredValueOutOfRange", 4, FoeRecord{{2, 2, 2, 3, 1, 40000, 1, 5}, "12", 0},
                                "The stored HP of this foe, 40000, lies outside -32768 to 32767."}),
    [](const auto& info) { return std::string(info.param.tag); });

TEST(EncounterEntry, RefusesASheetWithoutNumbers)
{
    FoeSheet sheet;
    sheet.foeName = "Nobody";
    recomputeSheet(sheet, kDefaultCategory, std::nullopt);
    std::string why;
    EXPECT_FALSE(entryFromSheet(sheet, kDefaultCategory, std::nullopt, 1, why));
    EXPECT_EQ(why, "Nobody is not in the bestiary.");

    sheet.foeName = std::string(kGenericFoe);
    sheet.tally[HP] = "40000";
    recomputeSheet(sheet, kDefaultCategory, std::nullopt);
    EXPECT_FALSE(entryFromSheet(sheet, kDefaultCategory, std::nullopt, 1, why));
    EXPECT_EQ(why, "The HP tally must lie between -32768 and 32767.");
}

// Read back from a file without its last numbers, an entry has nothing to
// measure a change of HP from: its creatures keep the HP saved.
TEST(EncounterEntry, FromAFileWithoutLastNumbersKeepsItsHp)
{
    EncounterEntry entry;
    entry.foe = "Bandit";
    entry.hp = {4, -2};
    refreshEntry(entry, kBandit);
    EXPECT_EQ(entry.hp, (std::vector{4, -2}));
    EXPECT_FALSE(entry.block.stats[HP].empty());
}

struct HpCase {
    const char* tag;
    int start;  // HP above (+) or below (-) full
    int change;
    int expected;  // the same way
};

// Damage goes below 0 (the creature is down, not gone); healing stops at
// full HP, and never lowers a creature already above it.
TEST(EncounterEntry, DamageAndHealing)
{
    const HpCase cases[] = {
        {"damage", 0, -5, -5},
        {"past zero", -20, -30, -50},
        {"healing", -10, 4, -6},
        {"healing stops at full", -3, 10, 0},
        {"above full stays", 4, 2, 4},
    };
    for (const HpCase& c : cases) {
        EncounterEntry entry = banditAt(kDefaultCategory, 1);
        const int full = fullHp(entry);
        entry.hp[0] = full + c.start;
        changeHp(entry, 0, c.change);
        EXPECT_EQ(entry.hp[0], full + c.expected) << c.tag;
    }
    EncounterEntry entry = banditAt(kDefaultCategory, 1);
    changeHp(entry, 0, -40000);
    EXPECT_EQ(entry.hp[0], -32768) << "HP stays within 16 bits";
}

TEST(Encounter, NamesCountsAndTotals)
{
    Encounter encounter = {banditAt(kDefaultCategory, 2), banditAt(5, 1), banditAt(kDefaultCategory, 1)};
    encounter[2].foe = "Ogre";
    EXPECT_EQ(creatureName(encounter, 0, 1), "Bandit 2");
    EXPECT_EQ(creatureName(encounter, 1, 0), "Bandit 3") << "numbered across entries of one foe";
    EXPECT_EQ(creatureName(encounter, 2, 0), "Ogre") << "the only one of its foe";

    encounter[0].hp[1] = 0;
    const EncounterTotals totals = totalsOf(encounter);
    EXPECT_EQ(totals.creatures, 4);
    EXPECT_EQ(totals.standing, 3);
    EXPECT_EQ(totals.hp, fullHp(encounter[0]) + fullHp(encounter[1]) + fullHp(encounter[2]));
    EXPECT_EQ(totals.fullHp, 2 * fullHp(encounter[0]) + fullHp(encounter[1]) + fullHp(encounter[2]));
    EXPECT_EQ(totals.might, 3 * std::stoi(encounter[0].block.might) + std::stoi(encounter[1].block.might));

    // The same sheet added again joins its entry; another category does not.
    EXPECT_EQ(addToEncounter(encounter, banditAt(kDefaultCategory, 1)), 0u);
    EXPECT_EQ(encounter[0].count(), 3);
    EXPECT_EQ(addToEncounter(encounter, banditAt(2, 1)), 3u);
    EXPECT_EQ(shownBlock(encounter[0]).foe, "3 \u00d7 Bandit");
}

TEST(Encounter, ChangedStatisticsFromOldToNew)
{
    StatBlock before = banditAt(kDefaultCategory, 1).block;
    StatBlock after = before;
    EXPECT_EQ(changedStatistics(before, after), "");
    after.stats[HP] = "31";
    after.might = "";
    EXPECT_EQ(changedStatistics(before, after), "HP " + before.stats[HP] + " \u2192 31, Might " + before.might + " \u2192 ");
}

}  // namespace
