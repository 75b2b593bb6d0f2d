#pragma once

#include "FoeColumns.h"
#include "FileHeader.h"
#include "FoeDatabase.h"
#include "StoredCell.h"

#include <array>
#include <cstdint>
#include <deque>

// A bestiary read into memory: every backend reads table Foes once, row by
// row in storage order, and answers from here. Names are sorted once, in
// foeNameLess order, so a category's list is a filter over them and a lookup
// a binary search; the cost of a question no longer grows with a sort or a
// scan of the file.
//
// What it holds is bounded, so that no file can take the calculator's memory:
// no name or Move longer than kLongestValue, and foes taking at most
// kMostFoeBytes in all, counted as their records and their texts, with each
// name twice, as the window's list holds a copy of every name it offers. A
// million foes with short names and Moves fit: they count about 200 MiB.
inline constexpr std::size_t kMostFoeBytes = std::size_t{224} << 20;

class FoeIndex final : public FoeDatabase {
public:
    // One row's required columns, in the order of kRequiredColumns.
    using Cells = std::array<StoredCell, kRequiredColumnCount>;

    // The foes of `file`, which names it in a refusal.
    explicit FoeIndex(std::filesystem::path file) : file_(std::move(file)) {}

    // Rows must come in storage order: the first stored of equal names wins.
    // A row without a name is dropped, as it is never listed nor found.
    // Throws DatabaseError for a row past the bounds above.
    void addRow(const Cells& cells);

    // Sorts the names; answers are only asked for afterwards.
    void seal();

    std::vector<std::string> listNames(ThreatCategory category) override;
    std::optional<FoeRecord> findFoe(const std::string& name, ThreatCategory category) override;

private:
    struct Entry {
        std::string name;
        double maxThreat = 0;
        std::uint32_t stored = 0;  // into foes_
    };
    std::filesystem::path file_;
    std::size_t bytesHeld_ = 0;  // as kMostFoeBytes counts them
    std::vector<Entry> byName_;   // after seal(): foeNameLess order, equal names in storage order
    // Storage order. Grown in blocks, never moved: a vector would hold its
    // old and its new storage at once each time it grew.
    std::deque<FoeRecord> foes_;
};
