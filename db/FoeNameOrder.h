#pragma once

#include <string>
#include <string_view>
#include <vector>

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

// The spelling a typed name takes from the names a category offers (in
// foeNameLess order), so that a foe is shown as its bestiary spells it: the
// typed text when a listed name is exactly it, else the one spelling of the
// listed names equal to it ignoring case ("oRC" becomes "Orc"), else the
// typed text, when none is listed or two spellings are and nothing says
// which one was meant.
std::string listedSpelling(const std::vector<std::string>& offered, const std::string& typed);
