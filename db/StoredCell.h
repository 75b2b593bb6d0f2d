#pragma once

// One cell of table Foes as a backend reads it, and the two ways the
// calculator takes it: as a number (the statistics, Max_Threat, Missile) or
// as text to show (Move). Both backends convert through here, so a cell means
// the same whichever engine stored it.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

// Empty (NULL), a whole number, a fraction, or text. Text views last only
// while the backend holds the row.
using StoredCell = std::variant<std::monostate, std::int64_t, double, std::string_view>;

// An empty cell counts as 0; text counts when it reads as a number the way a
// typed tally does, and is NaN otherwise, which the recomputation refuses
// instead of showing a number that only looks right.
double storedNumber(const StoredCell& cell);

// As stored; a fraction in its shortest form (12, not 12.0), and an empty
// cell as "".
std::string storedText(const StoredCell& cell);
