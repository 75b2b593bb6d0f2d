// What game masters type into a tally box, in a hurry, and what becomes of
// it. readNumber reads only plain decimals; then the recomputation takes the
// mere start of a number as 0 and leaves it as typed, resets any other text
// that does not read to "0", rounds a number half to even, and marks a
// number that leaves -32768..32767, or pushes a cell derived from it out of
// that range, stopping the pass there with the text kept for correcting.

#include "Recompute.h"
#include "NumberText.h"
#include "SheetRules.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace {

enum class Pass { ResetToZero, Shown, OutOfRange };

struct TallyText {
    const char* tag;
    std::string text;
    std::optional<double> read;  // what readNumber makes of it
    Pass pass;                   // what a pass of the recomputation makes of it
    const char* shown = "";      // the statistic's box, for Pass::Shown
    int slot = Res;              // Res at "Equal": no modifier, floor, ranged cell or part in Might
};
void PrintTo(const TallyText& c, std::ostream* os) { *os << c.tag; }

TallyText unread(const char* tag, std::string text)
{
    return {tag, std::move(text), std::nullopt, Pass::ResetToZero};
}

TallyText shows(const char* tag, std::string text, double read, const char* shown, int slot = Res)
{
    return {tag, std::move(text), read, Pass::Shown, shown, slot};
}

// A sign, a point, or both: what a box holds halfway through typing "-7".
TallyText started(const char* tag, std::string text)
{
    return {tag, std::move(text), std::nullopt, Pass::Shown, "0"};
}

TallyText outOfRange(const char* tag, std::string text, double read)
{
    return {tag, std::move(text), read, Pass::OutOfRange};
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

const TallyText kTallies[] = {
    unread("empty", ""),
    unread("blanks_only", "   "),
    unread("tab", "\t"),
    started("plus_alone", "+"),
    started("minus_alone", "-"),
    started("point_alone", "."),
    started("plus_and_point", "+."),
    started("minus_and_point", "-."),
    started("blank_then_minus", " -"),
    unread("both_signs", "+-"),
    unread("two_signs", "--1"),
    unread("two_points_alone", ".."),
    unread("blank_after_sign", "- 3"),
    unread("sign_then_blank", "- "),
    unread("exponent", "1e3"),
    unread("hexadecimal", "0x10"),
    unread("decimal_comma", "1,5"),
    unread("thousands", "1,000"),
    unread("two_points", "1.2.3"),
    unread("inner_blank", "1 2"),
    unread("letters", "abc"),
    unread("arabic_indic_three", "\xD9\xA3"),
    unread("fullwidth_five", "\xEF\xBC\x95"),
    unread("no_break_space", "\xC2\xA0" "5"),
    unread("newline_after", "5\n"),
    unread("nul_inside", std::string("5\0" "0", 3)),
    unread("escape_character", "\x1B[2J"),
    unread("delete_character", "5\x7F"),
    unread("infinity_word", "inf"),
    shows("digits", "12", 12.0, "12"),
    shows("negative", "-3", -3.0, "-3"),
    shows("plus_sign", "+4", 4.0, "4"),
    shows("plus_seven", "+7", 7.0, "7"),
    shows("blanks_around", " \t7 ", 7.0, "7"),
    shows("minus_zero", "-0", -0.0, "0"),
    shows("leading_point", ".5", 0.5, "0"),
    shows("trailing_point", "5.", 5.0, "5"),
    shows("half_to_even_down", "2.5", 2.5, "2"),
    shows("half_to_even_up", "3.5", 3.5, "4"),
    shows("negative_half", "-2.5", -2.5, "-2"),
    shows("leading_zeros", std::string(300, '0') + "12", 12.0, "12"),
    shows("many_fraction_digits", "7." + std::string(300, '4'), 7.44444444444444444444, "7"),
    shows("too_small_for_a_double", "0." + std::string(400, '0') + "1", 0.0, "0"),
    shows("top", "32767", 32767.0, "32767"),
    shows("just_below_top_half", "32767.4999", 32767.4999, "32767"),
    shows("bottom", "-32768", -32768.0, "-32768"),
    shows("bottom_half_rounds_to_even", "-32768.5", -32768.5, "-32768"),
    outOfRange("top_half", "32767.5", 32767.5),
    outOfRange("just_past_bottom_half", "-32768.5001", -32768.5001),
    outOfRange("forty_thousand", "40000", 40000.0),
    outOfRange("thirty_digits", "1" + std::string(29, '0'), 1e29),
    outOfRange("too_large_for_a_double", std::string(400, '9'), kInfinity),
    outOfRange("too_negative_for_a_double", "-" + std::string(400, '9'), -kInfinity),
    // The ranged cells are the statistic less a step, shown even below -32768.
    shows("init_at_bottom_shows_its_xbow_below", "-32768", -32768.0, "-32768", Init),
    shows("atk_at_bottom_shows_its_xbow_below", "-32768", -32768.0, "-32768", Atk),
    shows("dam_floors_at_zero", "-32768", -32768.0, "0", Dam),
    shows("hp_floors_at_ten", "-32768", -32768.0, "10", HP),
};

class TypedTally : public testing::TestWithParam<TallyText> {};

TEST_P(TypedTally, ReadsOnlyPlainDecimalsAndGivesItsOutcome)
{
    const TallyText& c = GetParam();
    EXPECT_EQ(readNumber(c.text), c.read);

    const auto slot = static_cast<std::size_t>(c.slot);
    FoeSheet before;
    before.foeName = std::string(kGenericFoe);
    before.tally.fill("0");
    before.tally[slot] = c.text;
    FoeSheet sheet = before;
    recomputeSheet(sheet, kDefaultCategory, std::nullopt);
    EXPECT_EQ(brokenSheetRule(before, sheet), "");

    switch (c.pass) {
    case Pass::ResetToZero:
        EXPECT_EQ(sheet.tally[slot], "0");
        EXPECT_TRUE(sheet.tallyReset[slot]);
        EXPECT_EQ(sheet.foe[slot], c.slot == HP ? "10" : "0");
        EXPECT_FALSE(sheet.fault.has_value());
        break;
    case Pass::Shown:
        EXPECT_EQ(sheet.tally[slot], c.text);
        EXPECT_FALSE(sheet.tallyReset[slot]);
        EXPECT_EQ(sheet.foe[slot], c.shown);
        EXPECT_FALSE(sheet.fault.has_value());
        break;
    case Pass::OutOfRange:
        EXPECT_EQ(sheet.tally[slot], c.text) << "kept for the game master to correct";
        EXPECT_EQ(sheet.foe[slot], "");
        ASSERT_TRUE(sheet.fault.has_value());
        EXPECT_EQ(sheet.fault->input, InputFault::Input::Tally);
        EXPECT_EQ(sheet.fault->slot, c.slot);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, TypedTally, testing::ValuesIn(kTallies),
                         [](const auto& info) { return std::string(info.param.tag); });

}  // namespace
