// What game masters type into a tally box, in a hurry, and what the
// recomputation makes of it: a text that does not read as a plain decimal is
// reset to "0"; a number is rounded half to even; a number that leaves
// -32768..32767, or pushes a cell derived from it out of that range, is
// marked and stops the pass there, with the text kept for correcting.

#include "Recompute.h"
#include "SheetRules.h"

#include <gtest/gtest.h>

namespace {

enum class Outcome { ResetToZero, Shown, OutOfRange };

struct TallyCase {
    const char* tag;
    std::string text;
    Outcome outcome;
    const char* shown = "";  // the statistic's box, for Outcome::Shown
    int slot = Res;          // Res at "Equal": no modifier, floor, ranged cell or part in Might
};
void PrintTo(const TallyCase& c, std::ostream* os) { *os << c.tag; }

const TallyCase kTallies[] = {
    {"empty", "", Outcome::ResetToZero},
    {"blanks", "   ", Outcome::ResetToZero},
    {"tab", "\t", Outcome::ResetToZero},
    {"plus_alone", "+", Outcome::ResetToZero},
    {"minus_alone", "-", Outcome::ResetToZero},
    {"both_signs", "+-", Outcome::ResetToZero},
    {"point_alone", ".", Outcome::ResetToZero},
    {"exponent", "1e3", Outcome::ResetToZero},
    {"hexadecimal", "0x10", Outcome::ResetToZero},
    {"decimal_comma", "1,5", Outcome::ResetToZero},
    {"arabic_indic_three", "\xD9\xA3", Outcome::ResetToZero},
    {"fullwidth_five", "\xEF\xBC\x95", Outcome::ResetToZero},
    {"no_break_space", "\xC2\xA0" "5", Outcome::ResetToZero},
    {"newline_after", "5\n", Outcome::ResetToZero},
    {"nul_inside", std::string("5\0" "0", 3), Outcome::ResetToZero},
    {"escape_character", "\x1B[2J", Outcome::ResetToZero},
    {"delete_character", "5\x7F", Outcome::ResetToZero},
    {"infinity_word", "inf", Outcome::ResetToZero},
    {"minus_zero", "-0", Outcome::Shown, "0"},
    {"plus_seven", "+7", Outcome::Shown, "7"},
    {"blanks_around", " \t7 ", Outcome::Shown, "7"},
    {"half_to_even_down", "2.5", Outcome::Shown, "2"},
    {"half_to_even_up", "3.5", Outcome::Shown, "4"},
    {"negative_half", "-2.5", Outcome::Shown, "-2"},
    {"leading_zeros", std::string(300, '0') + "12", Outcome::Shown, "12"},
    {"many_fraction_digits", "7." + std::string(300, '4'), Outcome::Shown, "7"},
    {"too_small_for_a_double", "0." + std::string(400, '0') + "1", Outcome::Shown, "0"},
    {"top", "32767", Outcome::Shown, "32767"},
    {"just_below_top_half", "32767.4999", Outcome::Shown, "32767"},
    {"top_half", "32767.5", Outcome::OutOfRange},
    {"bottom", "-32768", Outcome::Shown, "-32768"},
    {"bottom_half_rounds_to_even", "-32768.5", Outcome::Shown, "-32768"},
    {"just_past_bottom_half", "-32768.5001", Outcome::OutOfRange},
    {"forty_thousand", "40000", Outcome::OutOfRange},
    {"thirty_digits", "1" + std::string(29, '0'), Outcome::OutOfRange},
    {"too_large_for_a_double", std::string(400, '9'), Outcome::OutOfRange},
    {"too_negative_for_a_double", "-" + std::string(400, '9'), Outcome::OutOfRange},
    // The ranged cells are the statistic less a step, shown even below -32768.
    {"init_at_bottom_shows_its_xbow_below", "-32768", Outcome::Shown, "-32768", Init},
    {"atk_at_bottom_shows_its_xbow_below", "-32768", Outcome::Shown, "-32768", Atk},
    {"dam_floors_at_zero", "-32768", Outcome::Shown, "0", Dam},
    {"hp_floors_at_ten", "-32768", Outcome::Shown, "10", HP},
};

class TallyInput : public testing::TestWithParam<TallyCase> {};

TEST_P(TallyInput, GivesItsDocumentedOutcome)
{
    const TallyCase& c = GetParam();
    const auto slot = static_cast<std::size_t>(c.slot);
    FoeSheet before;
    before.foeName = std::string(kGenericFoe);
    before.tally.fill("0");
    before.tally[slot] = c.text;
    FoeSheet sheet = before;
    recomputeSheet(sheet, kDefaultCategory, [](const std::string&) { return std::nullopt; });
    EXPECT_EQ(brokenSheetRule(before, sheet), "");

    switch (c.outcome) {
    case Outcome::ResetToZero:
        EXPECT_EQ(sheet.tally[slot], "0");
        EXPECT_TRUE(sheet.tallyReset[slot]);
        EXPECT_EQ(sheet.foe[slot], c.slot == HP ? "10" : "0");
        EXPECT_FALSE(sheet.fault.has_value());
        break;
    case Outcome::Shown:
        EXPECT_EQ(sheet.tally[slot], c.text);
        EXPECT_FALSE(sheet.tallyReset[slot]);
        EXPECT_EQ(sheet.foe[slot], c.shown);
        EXPECT_FALSE(sheet.fault.has_value());
        break;
    case Outcome::OutOfRange:
        EXPECT_EQ(sheet.tally[slot], c.text) << "kept for the game master to correct";
        EXPECT_EQ(sheet.foe[slot], "");
        ASSERT_TRUE(sheet.fault.has_value());
        EXPECT_EQ(sheet.fault->input, InputFault::Input::Tally);
        EXPECT_EQ(sheet.fault->slot, c.slot);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, TallyInput, testing::ValuesIn(kTallies),
                         [](const auto& info) { return std::string(info.param.tag); });

}  // namespace
