// What a game master types into the foe box, looked up in a real SQLite
// bestiary. A text is a name, never a pattern or a piece of SQL: only a name
// that equals a stored one (letter case aside) finds that foe; anything else
// finds nothing and gives the category's bare modifiers, keeping Mix and Move.

#include "OpenFoeDatabase.h"
#include "RobustnessSupport.h"

#include <gtest/gtest.h>

namespace {

struct FoeBoxCase {
    const char* tag;
    std::string text;
    bool findsGoblin;
};
void PrintTo(const FoeBoxCase& c, std::ostream* os) { *os << c.tag; }

const FoeBoxCase kFoeBoxTexts[] = {
    {"exact", "Goblin", true},
    {"other_case", "gOBLIN", true},
    {"percent_wildcard", "Gob%", false},
    {"percent_alone", "%", false},
    {"underscore_wildcard", "G_blin", false},
    {"glob_star", "Gob*", false},
    {"quote_added", "Goblin'", false},
    {"sql_injection", "' OR '1'='1", false},
    {"nul_inside", std::string("Gob\0lin", 7), false},
    {"nul_after", std::string("Goblin\0", 7), false},
    {"blank_after", "Goblin ", false},
    {"right_to_left_override", "\xE2\x80\xAE" "Goblin", false},
    {"megabyte", std::string(1 << 20, 'G'), false},
    {"invalid_utf8", "Gob\xFF\xFElin", false},
};

class FoeBox : public testing::TestWithParam<FoeBoxCase> {};

TEST_P(FoeBox, FindsOnlyTheNameItself)
{
    const TestBestiary bestiary = TestBestiary::fromFixture();
    const auto opened = openFoeDatabase(bestiary.file());
    const ThreatCategory category = 4;  // "Superior": its modifiers are not all 0
    const FoeSheet goblin = recompute(*opened, "Goblin", category);
    const FoeSheet generic = recompute(*opened, std::string(kGenericFoe), category);

    const FoeSheet typed = recomputeAs(*opened, goblin, GetParam().text, category);
    EXPECT_EQ(typed.foe, GetParam().findsGoblin ? goblin.foe : generic.foe);
    EXPECT_EQ(typed.mix, goblin.mix);
    EXPECT_EQ(typed.move, goblin.move);
    EXPECT_FALSE(typed.fault.has_value());
}

INSTANTIATE_TEST_SUITE_P(Texts, FoeBox, testing::ValuesIn(kFoeBoxTexts),
                         [](const auto& info) { return std::string(info.param.tag); });

}  // namespace
