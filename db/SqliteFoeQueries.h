#pragma once

// The two questions as SQLite is asked them. The backend prepares them once;
// the benchmarks time SQLite alone on the very same text.

struct sqlite3;

// A column without a declared type keeps a name like 12 as a number (or a
// blob as a blob), which equals no text and sorts before all text; both
// queries therefore take every name as the text that is listed.
//
// A foe whose Max_Threat is text is not offered: only a number can exceed the
// category. Nor is a foe without a name, NULL or empty.
inline constexpr const char* kFoeListSql =
    "SELECT CAST(Name AS TEXT) AS Shown FROM Foes"
    " WHERE Max_Threat > ?1 AND typeof(Max_Threat) IN ('integer', 'real') AND CAST(Name AS TEXT) <> ''"
    " ORDER BY Shown COLLATE FOENAME, Shown";

// Without ORDER BY SQLite walks the table, so LIMIT 1 keeps the first row in
// table order.
inline constexpr const char* kFoeLookupSql =
    "SELECT Init, Atk, Dfn, Dam, Soak, HP, Res, Mix, Move, Missile FROM Foes"
    " WHERE CAST(Name AS TEXT) = ?1 COLLATE FOENAME LIMIT 1";

// Teaches the connection FOENAME, the name order of compareFoeNames, which
// both queries sort and match by. Returns SQLite's status.
int registerFoeNameCollation(sqlite3* db);
