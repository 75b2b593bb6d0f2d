// The ladder runs the window's pass once per category: each rung must be
// that category's pass, with the sheet's tallies, and stand where the
// category's list would show the foe.

#include "ThreatLadder.h"

#include <gtest/gtest.h>

namespace {

// Offered below Superior only, as a Max_Threat of 4 makes it.
const FoeRecord kArcher{{3, 4, 2, 5, 2, 20, 1, 5}, "12", 1};
constexpr ThreatCategory kArcherMaxThreat = 4;
const std::string kBroken = "Vorn.mdb: the file is not a database";

FoeLookupResult bestiary(const std::string& name, ThreatCategory category, bool fails)
{
    if (fails)
        return BestiaryFailure{kBroken};
    if (name != "Bandit Archer")
        return std::nullopt;  // also what "[Generic]" is answered
    FoeRecord found = kArcher;
    found.offered = category < kArcherMaxThreat;
    return found;
}

struct LadderCase {
    const char* tag;
    std::string foeName;
    bool bestiaryFails;
    std::string offered;  // one letter a category, Pitiful first: o offered, - not
};
void PrintTo(const LadderCase& c, std::ostream* os) { *os << c.tag; }

class Ladder : public testing::TestWithParam<LadderCase> {};

TEST_P(Ladder, EachRungIsThePassAtItsCategory)
{
    const LadderCase& c = GetParam();
    FoeSheet inputs;
    inputs.foeName = c.foeName;
    inputs.tally = {"1", "2", "0", "0", "0", "40", "0"};  // HP +40 clears the HP floor at every category
    const ThreatLadder ladder = threatLadder(inputs, [&](ThreatCategory category) {
        return bestiary(c.foeName, category, c.bestiaryFails);
    });
    for (ThreatCategory category = 0; category < kCategoryCount; ++category) {
        const LadderRung& rung = ladder[static_cast<std::size_t>(category)];
        const std::string_view caption = kCategoryCaptions[static_cast<std::size_t>(category)];
        EXPECT_EQ(rung.offered, c.offered[static_cast<std::size_t>(category)] == 'o') << caption;
        if (!rung.offered)
            continue;
        FoeSheet alone = inputs;
        recomputeSheet(alone, category, bestiary(c.foeName, category, c.bestiaryFails));
        const StatBlock expected = statBlockOf(alone, category);
        EXPECT_EQ(rung.block.category, caption);
        EXPECT_EQ(rung.block.stats[HP], expected.stats[HP]) << caption;
        EXPECT_EQ(rung.block.might, expected.might) << caption;
        EXPECT_EQ(rung.block.mix, expected.mix) << caption;
        EXPECT_EQ(rung.block.fault, expected.fault) << caption;
        EXPECT_EQ(rung.block.fault.has_value(), c.bestiaryFails) << caption;
    }
}

INSTANTIATE_TEST_SUITE_P(Foes, Ladder, testing::Values(
    LadderCase{"named_foe_below_its_max_threat", "Bandit Archer", false, "oooo---"},
    LadderCase{"generic_at_every_category", "[Generic]", false, "ooooooo"},
    LadderCase{"unknown_name_nowhere", "Marsh Archer", false, "-------"},
    LadderCase{"failing_bestiary_shows_its_failure", "Bandit Archer", true, "ooooooo"}),
    [](const auto& info) { return std::string(info.param.tag); });

}  // namespace
