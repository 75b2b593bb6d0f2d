#pragma once

// The rules every pass of the recomputation keeps, whatever it is given: the
// make_foe fuzz target checks them on arbitrary sheets and foes, the input
// tests on the tallies game masters actually type.

#include "FoeSheet.h"

#include <string>

// "" when `after` (the sheet once recomputeSheet ran over `before`) keeps every
// rule, else the first rule it breaks.
std::string brokenSheetRule(const FoeSheet& before, const FoeSheet& after);
