#include "ThreatLadder.h"

namespace {

// "[Generic]" stands in every list; a named foe only where its Max_Threat
// exceeds the category, and a name the bestiary does not hold in none. A
// failing bestiary cannot tell, and its failure is worth showing.
bool offers(const std::string& name, const FoeLookupResult& found)
{
    if (name == kGenericFoe || std::holds_alternative<BestiaryFailure>(found))
        return true;
    const auto& record = std::get<std::optional<FoeRecord>>(found);
    return record && record->offered;
}

}  // namespace

ThreatLadder threatLadder(const FoeSheet& inputs, const std::function<FoeLookupResult(ThreatCategory)>& lookUp)
{
    ThreatLadder ladder;
    for (ThreatCategory category = 0; category < kCategoryCount; ++category) {
        const FoeLookupResult found = lookUp(category);
        LadderRung& rung = ladder[static_cast<std::size_t>(category)];
        rung.offered = offers(inputs.foeName, found);
        if (!rung.offered)
            continue;
        FoeSheet sheet;
        sheet.foeName = inputs.foeName;
        sheet.tally = inputs.tally;
        recomputeSheet(sheet, category, found);
        rung.block = statBlockOf(sheet, category);
    }
    return ladder;
}
