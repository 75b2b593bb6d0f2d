#pragma once

#include "FoeDatabase.h"
#include "Recompute.h"

#include <string>

// The foe a sheet names at its category, looked up once for one pass of the
// recomputation: "[Generic]" asks the bestiary nothing, a name it does not
// hold is no foe, and a bestiary that cannot answer gives its failure in
// words.
FoeLookupResult lookUpFoe(FoeDatabase& bestiary, const std::string& name, ThreatCategory category);
