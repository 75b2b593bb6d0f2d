#include "FoeStats.h"

#include <cassert>

namespace {

// Below "Equal" Dam moves half as far as Init/Atk/Dfn, above it just as far;
// Mix climbs in steps of 2 below "Equal" and of 5 or 10 above. Both are rules
// of the game, not typos.
constexpr std::array<FoeStats, kCategoryCount> kModifierTable = {{
    //  Init Atk Dfn Dam Soak  HP Res Mix
    {{-6, -6, -6, -3, -3, -30, -3, 3}},   // Pitiful
    {{-4, -4, -4, -2, -2, -20, -2, 5}},   // Weak
    {{-2, -2, -2, -1, -1, -10, -1, 7}},   // Inferior
    {{0, 0, 0, 0, 0, 0, 0, 15}},          // Equal
    {{2, 2, 2, 2, 1, 10, 1, 20}},         // Superior
    {{4, 4, 4, 4, 2, 20, 2, 30}},         // Exceptional
    {{6, 6, 6, 6, 3, 30, 3, 40}},         // Terrifying
}};

}  // namespace

FoeStats CategoryModifiers(ThreatCategory category)
{
    assert(isThreatCategory(category));
    return kModifierTable[static_cast<std::size_t>(category)];
}
