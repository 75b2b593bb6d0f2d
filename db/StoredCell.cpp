#include "StoredCell.h"

#include "NumberText.h"

#include <cmath>

namespace {

template <class... Cases>
struct Overloaded : Cases... {
    using Cases::operator()...;
};
// clang 14 does not deduce an aggregate's arguments from its braces by itself.
template <class... Cases>
Overloaded(Cases...) -> Overloaded<Cases...>;

}  // namespace

double storedNumber(const StoredCell& cell)
{
    return std::visit(Overloaded{
        [](std::monostate) { return 0.0; },
        [](std::int64_t whole) { return static_cast<double>(whole); },
        [](double fraction) { return fraction; },
        [](std::string_view text) { return readNumber(text).value_or(std::nan("")); },
    }, cell);
}

std::string storedText(const StoredCell& cell)
{
    return std::visit(Overloaded{
        [](std::monostate) { return std::string(); },
        [](std::int64_t whole) { return std::to_string(whole); },
        [](double fraction) { return formatDouble(fraction); },
        [](std::string_view text) { return std::string(text); },
    }, cell);
}
