#pragma once

// Opening a bestiary: the one place that knows every backend. The file's
// first bytes, not its name, say which engine reads it.

#include "FileHeader.h"
#include "FoeDatabase.h"

#include <filesystem>
#include <memory>

// Reads the file's foes into memory (a FoeIndex) with the backend its content
// calls for, after checking that it holds table Foes with every required
// column. The file is only read, and closed again before this returns.
// Throws DatabaseError.
std::unique_ptr<FoeDatabase> openFoeDatabase(const std::filesystem::path& file);
// The same, for a file whose header has just been read.
std::unique_ptr<FoeDatabase> openFoeDatabase(const std::filesystem::path& file, const FileHeader& header);
