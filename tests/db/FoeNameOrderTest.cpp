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
    NamePair{"armenian_case", "\xD5\x8E\xD4\xBB\xD5\x87\xD4\xB1\xD5\x8A",
             "\xD5\xBE\xD5\xAB\xD5\xB7\xD5\xA1\xD5\xBA", 0},                                      // ՎԻՇԱՊ / վիշապ
    NamePair{"georgian_mtavruli_case", "\xE1\xB2\x93\xE1\xB2\x94\xE1\xB2\x95\xE1\xB2\x98",
             "\xE1\x83\x93\xE1\x83\x94\xE1\x83\x95\xE1\x83\x98", 0},                              // ᲓᲔᲕᲘ / დევი
    NamePair{"vietnamese_case", "\xE1\xBA\xA0\xE1\xBA\xBE", "\xE1\xBA\xA1\xE1\xBA\xBF", 0},       // ẠẾ / ạế
    NamePair{"turkish_cedilla_case", "\xC5\x9E" "EYTAN", "\xC5\x9F" "eytan", 0},                  // ŞEYTAN / şeytan
    NamePair{"turkish_breve_case", "DA\xC4\x9E", "da\xC4\x9F", 0},                                // DAĞ / dağ
    NamePair{"turkish_dotted_capital_i", "\xC4\xB0" "BL\xC4\xB0S", "iblis", 0},                   // İBLİS / iblis
    NamePair{"turkish_dotless_small_i", "k\xC4\xB1rlang\xC4\xB1\xC3\xA7", "KIRLANGI\xC3\x87", 0},  // kırlangıç
    NamePair{"turkish_dotted_is_dotless", "\xC4\xB0", "\xC4\xB1", 0},                             // İ / ı
    NamePair{"dotless_i_sorts_as_i", "\xC4\xB1", "j", -1},                                        // ı
    NamePair{"sharp_s_is_ss", "Stra\xC3\x9F" "e", "STRASSE", 0},                                  // Straße
    NamePair{"capital_sharp_s_is_ss", "\xE1\xBA\x9E", "ss", 0},                                   // ẞ
    NamePair{"accent_after_ascii", "\xC3\x85lfar", "zombie", 1},
    NamePair{"multiplication_sign_not_folded", "\xC3\x97", "\xC3\xB7", -1},  // × / ÷
    NamePair{"broken_utf8_after_text", std::string("\xC3", 1), "z", 1},
    NamePair{"overlong_nul_is_not_utf8", "\xC0\x80", "a", 1},
    NamePair{"surrogate_is_not_utf8", "\xED\xA0\x80", "\xEF\xBF\xBF", 1},  // U+D800 / U+FFFF
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
