#pragma once

// Table Foes as SQLite is asked for it: every row once, in storage order,
// with the required columns in the order of kRequiredColumns. The backend
// runs it; the benchmarks time SQLite alone on the very same text.
//
// A column without a declared type keeps a name like 12 as a number (or a
// blob as a blob); the name is taken as the text that is listed.
inline constexpr const char* kFoeRowsSql =
    "SELECT CAST(Name AS TEXT), Max_Threat, Init, Atk, Dfn, Dam, Soak, HP, Res, Mix, Move, Missile FROM Foes";
