#include "BestiaryRules.h"

#include "FoeNameOrder.h"

#include <algorithm>

namespace {

// Lookups walk the table; a sample keeps a huge bestiary quick to check.
constexpr std::size_t kLookupSample = 32;

std::string brokenLookupRule(FoeDatabase& bestiary, const std::vector<std::string>& offered, ThreatCategory category)
{
    const std::size_t step = std::max<std::size_t>(1, offered.size() / kLookupSample);
    for (std::size_t i = 0; i < offered.size(); i += step)
        if (!bestiary.findFoe(offered[i], category))
            return "every name offered is found";
    return "";
}

}  // namespace

std::string brokenBestiaryRule(FoeDatabase& bestiary)
{
    std::vector<std::string> pitiful;
    std::vector<std::string> below;
    for (ThreatCategory category = 0; category < kCategoryCount; ++category) {
        std::vector<std::string> names = bestiary.listNames(category);
        if (!std::is_sorted(names.begin(), names.end(), foeNameLess))
            return "the names are offered in name order";
        if (std::find(names.begin(), names.end(), "") != names.end())
            return "a foe without a name is never offered";
        if (category > 0 && !std::includes(below.begin(), below.end(), names.begin(), names.end(), foeNameLess))
            return "a foe offered at a category is offered at every category below it";
        if (category == 0)
            pitiful = names;
        below = std::move(names);
    }
    return brokenLookupRule(bestiary, pitiful, 0);
}
