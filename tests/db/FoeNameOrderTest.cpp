#include "FoeNameOrder.h"

#include <gtest/gtest.h>

namespace {

struct NamePair {
    const char* tag;
    std::string a;
    std::string b;
    int expected;  // sign of compareFoeNames(a, b)
};
void PrintTo(const NamePair& c, std::ostream* os) { *os << c.tag; }

class FoeNameOrder : public testing::TestWithParam<NamePair> {};

TEST_P(FoeNameOrder, IgnoresLetterCase)
{
    const NamePair& p = GetParam();
    const int result = compareFoeNames(p.a, p.b);
    EXPECT_EQ((result > 0) - (result < 0), p.expected);
    const int reverse = compareFoeNames(p.b, p.a);
    EXPECT_EQ((reverse > 0) - (reverse < 0), -p.expected) << "not antisymmetric";
}

INSTANTIATE_TEST_SUITE_P(Pairs, FoeNameOrder, testing::Values(
    NamePair{"same", "Goblin", "Goblin", 0},
    NamePair{"ascii_case", "GOBLIN", "goblin", 0},
    NamePair{"lower_among_upper", "zombie", "Wolf", 1},
    NamePair{"prefix_first", "Bandit", "Bandit Archer", -1},
    NamePair{"latin1_case", "\xC3\x85lfar", "\xC3\xA5LFAR", 0},           // Å / å
    NamePair{"latin_extended_case", "\xC5\x81ucja", "\xC5\x82UCJA", 0},   // Ł / ł
    NamePair{"greek_case", "\xCE\x91", "\xCE\xB1", 0},                    // Α / α
    NamePair{"cyrillic_case", "\xD0\x96", "\xD0\xB6", 0},                 // Ж / ж
    NamePair{"accent_after_ascii", "\xC3\x85lfar", "zombie", 1},
    NamePair{"multiplication_sign_not_folded", "\xC3\x97", "\xC3\xB7", -1},  // × / ÷
    NamePair{"broken_utf8_after_text", std::string("\xC3", 1), "z", 1},
    NamePair{"nul_bytes_count", std::string("a\0b", 3), std::string("a\0c", 3), -1},
    NamePair{"empty_first", "", "a", -1}),
    [](const auto& info) { return std::string(info.param.tag); });

TEST(FoeNameLess, BreaksCaseTiesByBytes)
{
    EXPECT_TRUE(foeNameLess("Bandit", "bandit"));
    EXPECT_FALSE(foeNameLess("bandit", "Bandit"));
    EXPECT_TRUE(foeNameLess("bandit", "Bandits"));
}

}  // namespace
