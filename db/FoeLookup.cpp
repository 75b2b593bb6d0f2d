#include "FoeLookup.h"

FoeLookupResult lookUpFoe(FoeDatabase& bestiary, const std::string& name)
{
    if (name == kGenericFoe)
        return std::nullopt;
    try {
        return bestiary.findFoe(name);
    } catch (const DatabaseError& error) {
        return BestiaryFailure{error.what()};
    }
}
