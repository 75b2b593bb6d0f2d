#include "FoeNameOrder.h"

namespace {

constexpr char32_t kNotUtf8 = 0x110000;  // above every code point

// Reads one character and advances; a byte that does not start a well-formed
// sequence stands for itself, above every character.
char32_t nextCharacter(std::string_view text, std::size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 1 || length == 0 || at + static_cast<std::size_t>(length) > text.size()) {
        ++at;
        return length == 1 ? lead : kNotUtf8 + lead;
    }
    char32_t c = lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80) {
            ++at;
            return kNotUtf8 + lead;
        }
        c = (c << 6) | (next & 0x3F);
    }
    at += static_cast<std::size_t>(length);
    return c;
}

char32_t foldAscii(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? c + 32u : c;
}

char32_t foldCase(char32_t c)
{
    if (c < 0x80)
        return foldAscii(static_cast<unsigned char>(c));
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)  // Latin-1 capitals, not the multiplication sign
        return c + 32;
    // Latin Extended-A pairs each capital with the small letter after it; the
    // pairs shift by one at 0x139 and 0x179. The Turkish I's stay as they are.
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return c + (c & 1);
    if (c == 0x178)  // Y with diaeresis; its small letter is in Latin-1
        return 0xFF;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)  // Greek capitals
        return c + 32;
    if (c >= 0x410 && c <= 0x42F)  // Cyrillic capitals
        return c + 32;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    return c;
}

}  // namespace

int compareFoeNames(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const auto byteA = static_cast<unsigned char>(a[i]);
        const auto byteB = static_cast<unsigned char>(b[j]);
        char32_t x;
        char32_t y;
        // Most names are plain ASCII, and sorting a large bestiary is nearly
        // all comparisons: those bytes are folded without decoding them.
        if (byteA < 0x80 && byteB < 0x80) {
            x = foldAscii(byteA);
            y = foldAscii(byteB);
            ++i;
            ++j;
        } else {
            x = foldCase(nextCharacter(a, i));
            y = foldCase(nextCharacter(b, j));
        }
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    return j < b.size() ? -1 : 0;
}
