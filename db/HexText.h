#pragma once

#include <string>
#include <string_view>

// Two upper-case hexadecimal digits a byte ("0A", "FF"), in the bytes' order.
std::string hexDigits(std::string_view bytes);
