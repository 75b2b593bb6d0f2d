#pragma once

#include "FoeColumns.h"
#include "FoeDatabase.h"
#include "StoredCell.h"

#include <array>
#include <cstdint>

// A bestiary read into memory: every backend reads table Foes once, row by
// row in storage order, and answers from here. Names are sorted once, in
// foeNameLess order, so a category's list is a filter over them and a lookup
// a binary search; the cost of a question no longer grows with a sort or a
// scan of the file.
class FoeIndex final : public FoeDatabase {
public:
    // One row's required columns, in the order of kRequiredColumns.
    using Cells = std::array<StoredCell, kRequiredColumnCount>;

    // Rows must come in storage order: the first stored of equal names wins.
    // A row without a name is dropped, as it is never listed nor found.
    void addRow(const Cells& cells);

    // Sorts the names; answers are only asked for afterwards.
    void seal();

    std::vector<std::string> listNames(ThreatCategory category) override;
    std::optional<FoeRecord> findFoe(const std::string& name) override;

private:
    struct Entry {
        std::string name;
        double maxThreat = 0;
        std::uint32_t stored = 0;  // into foes_
    };
    std::vector<Entry> byName_;   // after seal(): foeNameLess order, equal names in storage order
    std::vector<FoeRecord> foes_;  // storage order
};
