#pragma once

#include "FoeIndex.h"

// A bestiary in an SQLite 3 file. Table Foes (or a view of that name) is read
// once into `index`, in one query, and the connection closed again: the
// calculator holds no lock between questions, so an editor never waits for
// it, and a changed file is read anew (see WatchedFoeDatabase.h).
void readSqliteFoes(const std::filesystem::path& file, const FileHeader& header, FoeIndex& index);
