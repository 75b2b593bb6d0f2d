#pragma once

// One table of a Microsoft Access file (Access 97 = Jet 3, Access 2000 to
// 2003 = Jet 4), read by the helper program vorn-foe-mdb-reader (mdb-reader/),
// the only code that speaks to mdbtools' libmdb. libmdb trusts the file it
// reads: a damaged page can send it through a null pointer or round a loop
// for ever. In its own process that costs the calculator nothing: a reader
// that dies, or takes longer than the open budget (kOpenBudget), is killed
// and the file reported as damaged; one that sends more than the calculator
// takes is killed and the table reported as too large. The reader also
// limits its own processor time and memory (mdb-reader/main.cpp).
//
// What arrives, as libmdb gives it:
// - Every value as text. Text and Memo as UTF-8; numbers as C printf output
//   ("-1", "24.5", "1e+20"), with a "." whatever the desktop's locale, as the
//   reader never takes the desktop's locale on.
// - A NULL and an empty string both as "": they cannot be told apart.
// - Rows in storage order.
// libmdb's own complaints about a damaged file never reach the terminal; the
// first of them is quoted in the DatabaseError instead.
//
// The file is opened read-only, read once and closed before this returns.

#include "AccessTableStream.h"
#include "FileHeader.h"
#include "FoeDatabase.h"

#include <filesystem>
#include <string_view>

// Reads `table` (its name matched ignoring ASCII case, as Access does).
// Throws DatabaseError naming the file and the fault: not a readable Jet 3 or
// Jet 4 file, incomplete or damaged, no such table ("it has no table Foes"),
// or fewer rows readable than the table says it holds.
AccessTable readAccessTable(const std::filesystem::path& file, const FileHeader& header, std::string_view table);
