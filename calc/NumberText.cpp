#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::size_t countDigits(std::string_view text, std::size_t from)
{
    std::size_t n = 0;
    while (from + n < text.size() && isDigit(text[from + n]))
        ++n;
    return n;
}

}  // namespace

std::optional<double> readNumber(std::string_view text)
{
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t whole = countDigits(text, 0);
    std::size_t end = whole;
    std::size_t fraction = 0;
    if (end < text.size() && text[end] == '.') {
        fraction = countDigits(text, end + 1);
        end += 1 + fraction;
    }
    if (end != text.size() || whole + fraction == 0)
        return std::nullopt;

    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value,
                                           std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // from_chars says the same for a value too small for a double as for
        // one too large; only a value without whole units can be too small.
        const bool belowOne = text.substr(0, whole).find_first_not_of('0') == std::string_view::npos;
        value = belowOne ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (ec != std::errc() || ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<double> readTally(std::string_view text)
{
    if (const std::optional<double> number = readNumber(text))
        return number;
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    const bool sign = !text.empty() && (text.front() == '+' || text.front() == '-');
    if (sign)
        text.remove_prefix(1);
    if ((sign && text.empty()) || text == ".")
        return 0.0;
    return std::nullopt;
}

std::optional<std::int16_t> toInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // The default rounding mode, which nothing in the calculator changes,
    // takes halves to the even neighbour.
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<std::int16_t>::min()
        || rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::string formatInt(int value)
{
    return std::to_string(value);
}

std::string formatDouble(double value)
{
    if (value == 0)
        value = 0;  // never show "-0"
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}
