#include "FoeLookup.h"

FoeLookupResult lookUpFoe(FoeDatabase& bestiary, const std::string& name, ThreatCategory category)
{
    if (name == kGenericFoe)
        return std::nullopt;
    try {
        return bestiary.findFoe(name, category);
    } catch (const DatabaseError& error) {
        return BestiaryFailure{error.what()};
    }
}
