#include "FoeDatabase.h"

#include "PathText.h"

DatabaseError::DatabaseError(const std::filesystem::path& file, const std::string& fault)
    : std::runtime_error("The foe database \"" + pathText(file) + "\" cannot be used: " + fault + "."),
      fault_(fault)
{
}

std::string openBudgetInWords()
{
    const auto tenths = std::chrono::duration_cast<std::chrono::duration<long, std::deci>>(kOpenBudget).count();
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " s";
}
