// Target number_text: the input is what a game master typed into a tally box;
// its first eight bytes, taken as a double, also stand for a stored number.

#include "FuzzOne.h"
#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The nearest 16-bit integer, halves to even, or nothing for what rounds
// outside -32768..32767; and the integer written reads back as itself.
void checkWhole(double value)
{
    const std::optional<std::int16_t> whole = toInt16(value);
    if (!std::isfinite(value)) {
        fuzzCheck(!whole, "an infinity or NaN never becomes a whole number");
        return;
    }
    if (!whole) {
        fuzzCheck(value >= 32767.5 || value < -32768.5,
                  "only a value that rounds outside -32768..32767 is refused");
        return;
    }
    const double distance = std::fabs(value - *whole);
    fuzzCheck(distance <= 0.5, "the whole number is the nearest one");
    fuzzCheck(distance < 0.5 || *whole % 2 == 0, "a half goes to the even neighbour");
    fuzzCheck(readNumber(formatInt(*whole)) == static_cast<double>(*whole), "a whole number written reads back");
}

// formatDouble keeps 15 significant digits: what it writes parses back to
// the value within that precision and writes the same again; in everyday
// magnitudes it writes no exponent, and then readNumber reads it as well.
void checkShown(double value)
{
    const std::string shown = formatDouble(value);
    if (value == 0)
        fuzzCheck(shown == "0", "zero is shown as 0, never -0");

    double back = 0;
    const auto [end, error] = std::from_chars(shown.data(), shown.data() + shown.size(), back);
    fuzzCheck(end == shown.data() + shown.size(), "a shown number parses");
    if (error == std::errc::result_out_of_range) {
        // Rounded to 15 digits, the very largest doubles pass the largest one.
        fuzzCheck(std::fabs(value) > 1.797693134862315e308, "only the largest doubles show beyond range");
        return;
    }
    fuzzCheck(error == std::errc(), "a shown number parses");
    fuzzCheck(std::fabs(back - value) <= 1e-14 * std::fabs(value), "a shown number keeps 15 digits");
    fuzzCheck(formatDouble(back) == shown, "a shown number shows the same again");

    const bool plain = shown.find('e') == std::string::npos;
    if (plain)
        fuzzCheck(readNumber(shown) == back, "a shown number without an exponent reads back");
    const double magnitude = std::fabs(value);
    if (value == 0 || (magnitude >= 1e-4 && magnitude < 1e14))
        fuzzCheck(plain, "a number of everyday size is shown without an exponent");
}

void checkReading(std::string_view text)
{
    const std::optional<double> value = readNumber(text);
    fuzzCheck(readNumber(" \t" + std::string(text) + "\t ") == value, "blanks around a text change nothing");
    if (!value)
        return;

    fuzzCheck(text.find_first_not_of(" \t+-.0123456789") == std::string_view::npos,
              "only blanks, a sign, digits and a point read as a number");
    fuzzCheck(!std::isnan(*value), "a reading is never NaN");
    // The C library reads plain decimals too (the process keeps the "C" locale):
    // a second opinion on every digit, on overflow and on underflow.
    const double cReading = std::strtod(std::string(text).c_str(), nullptr);
    fuzzCheck(*value == cReading && std::signbit(*value) == std::signbit(cReading),
              "the reading agrees with the C library's");
    checkWhole(*value);
    if (std::isfinite(*value))
        checkShown(*value);
}

}  // namespace

int fuzzOne(const std::uint8_t* data, std::size_t size)
{
    checkReading(std::string_view(reinterpret_cast<const char*>(data), size));
    if (size >= sizeof(double)) {
        double stored = 0;
        std::memcpy(&stored, data, sizeof stored);
        checkWhole(stored);
        if (std::isfinite(stored))
            checkShown(stored);
    }
    return 0;
}
