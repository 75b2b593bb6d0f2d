#include "HexText.h"

std::string hexDigits(std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string digits;
    digits.reserve(2 * bytes.size());
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        digits += kDigits[code >> 4];
        digits += kDigits[code & 0x0F];
    }
    return digits;
}
