// Target make_foe: one recomputation pass over an arbitrary sheet and foe.
//
// The input is read as lines (see fuzz/corpus/make_foe for examples):
//   1      threat category: a digit 0..6 (any other first byte is taken modulo 7)
//   2      the foe box
//   3      "y" when the bestiary holds that foe, anything else when it does not
//   4..10  the seven tallies
//   11..18 the stored Init..Res and Mix: a number as strtod reads it ("nan",
//          "-inf", "1e999", "0x1p-1074" included); an empty line is 0, as an
//          empty cell; anything else is NaN, as a database hands over text
//          where a number belongs
//   19     the stored Move
//   20     the stored Missile, read like the numbers above
//   21     "h" when the ranged rows are hidden before the pass
// Missing lines are empty. A box never holds a line break, which the window
// does not allow either.

#include "FuzzOne.h"
#include "Recompute.h"
#include "SheetRules.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace {

class Lines {
public:
    Lines(const std::uint8_t* data, std::size_t size)
    {
        std::string_view rest(reinterpret_cast<const char*>(data), size);
        while (!rest.empty()) {
            const std::size_t end = std::min(rest.find('\n'), rest.size());
            lines_.emplace_back(rest.substr(0, end));
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
    }
    std::string next() { return index_ < lines_.size() ? std::string(lines_[index_++]) : std::string(); }

private:
    std::vector<std::string_view> lines_;
    std::size_t index_ = 0;
};

ThreatCategory categoryFrom(const std::string& line)
{
    if (line.empty())
        return kDefaultCategory;
    const auto first = static_cast<unsigned char>(line.front());
    if (first >= '0' && first < '0' + kCategoryCount)
        return static_cast<ThreatCategory>(first - '0');
    return static_cast<ThreatCategory>(first % kCategoryCount);
}

double storedFrom(const std::string& line)
{
    if (line.empty())
        return 0;
    char* end = nullptr;
    const double value = std::strtod(line.c_str(), &end);
    if (end != line.c_str() + line.size())
        return std::numeric_limits<double>::quiet_NaN();
    return value;
}

}  // namespace

int fuzzOne(const std::uint8_t* data, std::size_t size)
{
    Lines input(data, size);
    const ThreatCategory category = categoryFrom(input.next());
    FoeSheet before;
    before.foeName = input.next();
    const bool held = input.next() == "y";
    for (std::string& tally : before.tally)
        tally = input.next();
    FoeRecord stored;
    for (double& stat : stored.stats)
        stat = storedFrom(input.next());
    stored.move = input.next();
    stored.missile = storedFrom(input.next());
    before.rangedVisible = input.next() != "h";
    before.foe.fill("Text1");  // the window's boxes before the first pass
    before.mix = before.move = "Text1";

    const FoeLookupResult foe = held ? FoeLookupResult(stored) : FoeLookupResult();
    FoeSheet after = before;
    recomputeSheet(after, category, foe);
    const std::string broken = brokenSheetRule(before, after);
    fuzzCheck(broken.empty(), broken);

    // The pass keeps nothing between runs: over its own result it finds the same.
    FoeSheet again = after;
    recomputeSheet(again, category, foe);
    fuzzCheck(again.foe == after.foe && again.bow == after.bow && again.xbow == after.xbow
                  && again.mix == after.mix && again.move == after.move && again.wound == after.wound
                  && again.might == after.might && again.rangedVisible == after.rangedVisible
                  && again.fault == after.fault && again.tally == after.tally,
              "a second pass over the result changes nothing");
    return 0;
}
