#pragma once

// The rows of tests/fixtures/access/foes-many.mdb, by the formulas of its
// README, for any number of foes: the SQLite twin of that fixture, and the
// larger bestiaries the scale figures ask for, hold the same kind of rows in
// the same kind of shuffled storage order.

#include <filesystem>
#include <string>
#include <vector>

// "Foe 00042": the name of foe n (1-based).
std::string manyFoesName(int n);

// The foe numbers 1..count in the order they are stored.
std::vector<int> manyFoesStorageOrder(int count);

// Writes a new SQLite bestiary holding foes 1..count in storage order, with
// the fixture's columns (Move an integer, as in foes-many.mdb).
void writeManyFoesSqlite(const std::filesystem::path& file, int count);
