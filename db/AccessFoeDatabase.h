#pragma once

#include "FoeIndex.h"

// A bestiary in a Microsoft Access file: Access 97 (Jet 3) or Access 2000 to
// 2003 (Jet 4), read through mdbtools' libmdb (see AccessTable.h). Table Foes
// is read once into `index`, and the file is closed again: nothing holds it
// while the calculator runs. The cells mean what they mean in SQLite:
// - A number column that is NULL counts as 0; text that does not read as a
//   number (readNumber) is NaN. A NULL Move shows as "", a NULL Missile as 0.
// - libmdb gives a NULL and an empty string alike as "", so both are taken
//   as NULL: 0 in a number column, "" in Move, and a row whose Name is empty
//   is never listed nor found.
void readAccessFoes(const std::filesystem::path& file, const FileHeader& header, FoeIndex& index);
