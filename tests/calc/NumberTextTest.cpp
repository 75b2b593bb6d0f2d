#include "NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// readNumber is tested with the typed tallies, in TallyTextTest.cpp.

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
