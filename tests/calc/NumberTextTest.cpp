#include "NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct ReadCase {
    const char* tag;
    std::string text;
    std::optional<double> expected;
};
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.tag; }

class ReadNumber : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumber, ReadsOnlyPlainDecimals)
{
    EXPECT_EQ(readNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadNumber, testing::Values(
    ReadCase{"digits", "12", 12.0},
    ReadCase{"negative", "-3", -3.0},
    ReadCase{"plus_sign", "+4", 4.0},
    ReadCase{"blanks_around", " \t7 ", 7.0},
    ReadCase{"fraction", "2.5", 2.5},
    ReadCase{"leading_point", ".5", 0.5},
    ReadCase{"trailing_point", "5.", 5.0},
    ReadCase{"minus_zero", "-0", -0.0},
    ReadCase{"empty", "", std::nullopt},
    ReadCase{"blanks_only", "   ", std::nullopt},
    ReadCase{"sign_alone", "-", std::nullopt},
    ReadCase{"point_alone", ".", std::nullopt},
    ReadCase{"sign_and_point", "+.", std::nullopt},
    ReadCase{"blank_after_sign", "- 3", std::nullopt},
    ReadCase{"two_signs", "--1", std::nullopt},
    ReadCase{"exponent", "1e3", std::nullopt},
    ReadCase{"hexadecimal", "0x10", std::nullopt},
    ReadCase{"locale_comma", "1,5", std::nullopt},
    ReadCase{"thousands", "1,000", std::nullopt},
    ReadCase{"two_points", "1.2.3", std::nullopt},
    ReadCase{"inner_blank", "1 2", std::nullopt},
    ReadCase{"letters", "abc", std::nullopt},
    ReadCase{"arabic_digit", "\xD9\xA3", std::nullopt},
    ReadCase{"newline", "5\n", std::nullopt},
    ReadCase{"infinity_word", "inf", std::nullopt},
    ReadCase{"huge_is_infinite", std::string(400, '9'), std::numeric_limits<double>::infinity()},
    ReadCase{"huge_negative", "-" + std::string(400, '9'), -std::numeric_limits<double>::infinity()}),
    [](const auto& info) { return std::string(info.param.tag); });

struct IntCase {
    const char* tag;
    double value;
    std::optional<std::int16_t> expected;
};
void PrintTo(const IntCase& c, std::ostream* os) { *os << c.tag; }

class ToInt16 : public testing::TestWithParam<IntCase> {};

TEST_P(ToInt16, RoundsHalfToEvenWithinRange)
{
    EXPECT_EQ(toInt16(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, ToInt16, testing::Values(
    IntCase{"half_down_to_even", 2.5, 2},
    IntCase{"half_up_to_even", 3.5, 4},
    IntCase{"negative_half_to_even", -8.5, -8},
    IntCase{"negative_half_away", -3.5, -4},
    IntCase{"below_half", 2.49, 2},
    IntCase{"above_half", 2.51, 3},
    IntCase{"top", 32767.0, 32767},
    IntCase{"top_fraction_rounds_down", 32767.4, 32767},
    IntCase{"top_half_overflows", 32767.5, std::nullopt},
    IntCase{"bottom_half_rounds_to_even_bottom", -32768.5, -32768},
    IntCase{"below_bottom", -32769.0, std::nullopt},
    IntCase{"far_above", 40000.0, std::nullopt},
    IntCase{"infinite", std::numeric_limits<double>::infinity(), std::nullopt},
    IntCase{"not_a_number", std::nan(""), std::nullopt}),
    [](const auto& info) { return std::string(info.param.tag); });

TEST(FormatDouble, WritesShortestFormWithoutTrailingZeros)
{
    EXPECT_EQ(formatDouble(15 / 10.0), "1.5");
    EXPECT_EQ(formatDouble(3 / 10.0), "0.3");
    EXPECT_EQ(formatDouble(0.1 + 0.2), "0.3");  // 15 significant digits hide the binary error
    EXPECT_EQ(formatDouble(40 / 10.0), "4");
    EXPECT_EQ(formatDouble(-8.0), "-8");
    EXPECT_EQ(formatDouble(-0.0), "0");
    EXPECT_EQ(formatDouble(-0.7), "-0.7");
}

}  // namespace
