#pragma once

#include <string_view>

// Names are compared the way game masters expect from their Access files:
// letter case does not count ("zombie" stands among the Z's, "GOBLIN" finds
// "Goblin"). Case is folded in UTF-8 text of every script that has it (Latin,
// Greek, Cyrillic, Armenian, Georgian and the rest) by Unicode's full case
// folding, so "STRASSE" finds "Straße"; the Turkish İ and ı fold to i as well,
// so I, ı, İ and i are one letter case-blind, in every language. What is left
// is ordered by character code, and bytes that are not well-formed UTF-8 by
// their value, after every character.
int compareFoeNames(std::string_view a, std::string_view b);

// Ties under compareFoeNames are ordered by their exact bytes, so every
// backend lists the same names in the same order.
inline bool foeNameLess(std::string_view a, std::string_view b)
{
    const int byFold = compareFoeNames(a, b);
    return byFold != 0 ? byFold < 0 : a < b;
}
