#include "FoeColumns.h"

#include "FoeDatabase.h"
#include "FoeNameOrder.h"

#include <algorithm>

std::array<std::size_t, kRequiredColumnCount> locateRequiredColumns(const std::filesystem::path& file,
                                                                     std::span<const std::string> present)
{
    std::array<std::size_t, kRequiredColumnCount> positions{};
    std::string missing;
    for (std::size_t required = 0; required < kRequiredColumnCount; ++required) {
        const auto found = std::find_if(present.begin(), present.end(), [&](const std::string& name) {
            return compareFoeNames(name, kRequiredColumns[required]) == 0;
        });
        if (found == present.end())
            missing += (missing.empty() ? "" : ", ") + std::string(kRequiredColumns[required]);
        positions[required] = static_cast<std::size_t>(found - present.begin());
    }
    if (!missing.empty())
        throw DatabaseError(file, "table Foes lacks the column(s) " + missing);
    return positions;
}
