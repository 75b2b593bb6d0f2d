#pragma once

// The columns of table Foes that the calculator reads, and the one check that
// a table has them all. Others are ignored.

#include <array>
#include <cstddef>
#include <filesystem>
#include <span>
#include <string>

inline constexpr const char* kRequiredColumns[] = {
    "Name", "Max_Threat", "Init", "Atk", "Dfn", "Dam", "Soak", "HP", "Res", "Mix", "Move", "Missile",
};
inline constexpr std::size_t kRequiredColumnCount = std::size(kRequiredColumns);

// Where each required column stands among a table's `present` columns, in
// the order of kRequiredColumns. Names match ignoring case, as both engines
// match them. Throws DatabaseError "table Foes lacks the column(s) ..."
// listing every one that is missing.
std::array<std::size_t, kRequiredColumnCount> locateRequiredColumns(const std::filesystem::path& file,
                                                                     std::span<const std::string> present);
