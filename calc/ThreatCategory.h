#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// How dangerous a foe is, from 0 "Pitiful" to 6 "Terrifying". The number is
// also the list filter: a foe is offered only while its Max_Threat exceeds it.
using ThreatCategory = std::int16_t;

inline constexpr ThreatCategory kCategoryCount = 7;
inline constexpr ThreatCategory kDefaultCategory = 3;  // "Equal"

inline constexpr std::array<std::string_view, kCategoryCount> kCategoryCaptions = {
    "Pitiful", "Weak", "Inferior", "Equal", "Superior", "Exceptional", "Terrifying",
};

constexpr bool isThreatCategory(int value)
{
    return value >= 0 && value < kCategoryCount;
}
