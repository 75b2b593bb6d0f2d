#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Every box of the sheet holds text; these are the only ways numbers enter
// and leave it. They ignore the desktop's locale on purpose: "1.5" reads and
// writes the same on every machine.

// A number as the game master types it: optional blanks, an optional sign,
// digits with an optional "." fraction (or "." and digits), optional blanks.
// Nothing else reads: no exponent, hexadecimal, thousands separator or comma.
// A number too large for a double reads as an infinity of its sign, so that
// it is reported as out of range rather than as not a number; one too small
// for a double reads as 0.
std::optional<double> readNumber(std::string_view text);

// A tally as the recomputation takes it: the number it reads as, or 0 while
// it holds only the start of one (a sign, a point, or a sign and a point,
// after optional blanks: "-", "+.", " ."), so that "-7" can be typed one
// character at a time; nothing for any other text.
std::optional<double> readTally(std::string_view text);

// The nearest 16-bit integer, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -8.5 -> -8); nothing when the rounded value
// leaves -32768..32767 or the value is not finite.
std::optional<std::int16_t> toInt16(double value);

std::string formatInt(int value);

// Shortest decimal form with at most 15 significant digits: 1.5, 0.3, 4, -8.
std::string formatDouble(double value);
