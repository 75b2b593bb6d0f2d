#pragma once

// The rules every bestiary keeps, however its file was made: the foe_database
// fuzz target checks them on arbitrary files, the robustness tests on damaged
// and unusual ones.

#include "FoeDatabase.h"

#include <string>

// "" when the bestiary answers consistently, else the first rule it breaks:
// each category's list is in name order and offers no nameless foe, each list
// lies within the list of the category below, and every name offered is found.
// A DatabaseError from the bestiary passes through.
std::string brokenBestiaryRule(FoeDatabase& bestiary);
