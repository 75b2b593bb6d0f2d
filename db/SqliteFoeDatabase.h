#pragma once

#include "FoeDatabase.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

// A bestiary in an SQLite 3 file. Both queries are prepared once at open and
// run against the file each time, so a bestiary edited while the calculator
// is open shows its new foes at the next category change.
class SqliteFoeDatabase final : public FoeDatabase {
public:
    SqliteFoeDatabase(const std::filesystem::path& file, const FileHeader& header);

    std::vector<std::string> listNames(ThreatCategory category) override;
    std::optional<FoeRecord> findFoe(const std::string& name) override;

private:
    std::filesystem::path file_;
    SQLite::Database db_;
    SQLite::Statement list_;
    SQLite::Statement lookup_;
};
