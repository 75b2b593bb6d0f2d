// The floor of a command-line answer: what the engine alone costs to answer
// "vorn-foe --foe NAME --bestiary FILE": open the file, read the foe's row by
// name and print it. No recomputation, no formatting, no program of ours.
// Usage: command_line_floor FILE NAME

#include <sqlite3.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return 1;
    sqlite3_stmt* row = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM Foes WHERE Name = ?1 LIMIT 1", -1, &row, nullptr);
    sqlite3_bind_text(row, 1, argv[2], -1, SQLITE_STATIC);
    int status = 1;
    if (sqlite3_step(row) == SQLITE_ROW) {
        for (int column = 0; column < sqlite3_column_count(row); ++column)
            std::printf("%s%s", column ? " " : "", reinterpret_cast<const char*>(sqlite3_column_text(row, column)));
        std::printf("\n");
        status = 0;
    }
    sqlite3_finalize(row);
    sqlite3_close(db);
    return status;
}
