#pragma once

#include "FoeDatabase.h"

#include <cstdint>

// A bestiary in a Microsoft Access file: Access 97 (Jet 3) or Access 2000 to
// 2003 (Jet 4), read through mdbtools' libmdb (see AccessTable.h).
//
// libmdb only walks a table in storage order and hands every value over as
// text, so table Foes is read once, at open, into plain rows, and the file is
// closed again: nothing holds it while the calculator runs, and a bestiary
// edited meanwhile is seen at the next start. The rules are those of the
// SQLite backend:
// - listNames(category): the named rows whose Max_Threat is a number above
//   the category, in foeNameLess order (a filter over a name index sorted
//   once at open).
// - findFoe(name): the first row in storage order whose name equals `name`
//   under compareFoeNames (a binary search in that index).
// - A number column that is NULL counts as 0; text that does not read as a
//   number (readNumber) is NaN. A NULL Move shows as "", a NULL Missile as 0.
// - libmdb gives a NULL and an empty string alike as "", so both are taken
//   as NULL: 0 in a number column, "" in Move, and a row whose Name is empty
//   is never listed nor found.
class AccessFoeDatabase final : public FoeDatabase {
    // The required columns, in the order of kRequiredColumns.
    enum Column : std::size_t { kName, kMaxThreat, kFirstStat, kMove = kFirstStat + kFoeStatsSize, kMissile };
    static_assert(kMissile + 1 == kRequiredColumnCount);

public:
    AccessFoeDatabase(const std::filesystem::path& file, const FileHeader& header);

    std::vector<std::string> listNames(ThreatCategory category) override;
    std::optional<FoeRecord> findFoe(const std::string& name) override;

private:
    struct Row {
        std::string name;
        double maxThreat = 0;
        FoeRecord foe;
    };
    std::vector<Row> rows_;               // storage order
    std::vector<std::uint32_t> byName_;   // named rows, foeNameLess order; equal names in storage order
};
