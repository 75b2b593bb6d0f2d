#include "ManyFoes.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <cstdint>
#include <cstdio>
#include <numeric>
#include <utility>

std::string manyFoesName(int n)
{
    char name[32];
    std::snprintf(name, sizeof name, "Foe %05d", n);
    return name;
}

std::vector<int> manyFoesStorageOrder(int count)
{
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 1);
    std::uint64_t state = 20240601;
    for (std::size_t i = order.size() - 1; i >= 1; --i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        std::swap(order[i], order[(state >> 33) % (i + 1)]);
    }
    return order;
}

void writeManyFoesSqlite(const std::filesystem::path& file, int count)
{
    SQLite::Database db(file.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    db.exec("CREATE TABLE Foes (Name VARCHAR(50), Max_Threat SMALLINT, Init SMALLINT, Atk SMALLINT,"
            " Dfn SMALLINT, Dam SMALLINT, Soak SMALLINT, HP SMALLINT, Res SMALLINT, Mix SMALLINT,"
            " Move SMALLINT, Missile SMALLINT)");
    SQLite::Transaction transaction(db);
    SQLite::Statement insert(db, "INSERT INTO Foes VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const int n : manyFoesStorageOrder(count)) {
        const int values[] = {
            (n - 1) % 7 + 1,       // Max_Threat
            (3 * n) % 16 - 3,      // Init
            (5 * n + 1) % 16 - 3,  // Atk
            (7 * n + 2) % 16 - 3,  // Dfn
            (11 * n + 3) % 16 - 3, // Dam
            (13 * n + 4) % 16 - 3, // Soak
            10 + (17 * n) % 90,    // HP
            (19 * n + 5) % 16 - 3, // Res
            (23 * n) % 41,         // Mix
            5 + (29 * n) % 26,     // Move
            n % 5 == 0 ? 1 : 0,    // Missile
        };
        insert.bind(1, manyFoesName(n));
        for (int column = 0; column < static_cast<int>(std::size(values)); ++column)
            insert.bind(column + 2, values[column]);
        insert.exec();
        insert.reset();
    }
    transaction.commit();
}
