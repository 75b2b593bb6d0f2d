#include "FuzzOne.h"

#include <cstdio>
#include <cstdlib>

void fuzzFailure(std::string_view rule)
{
    std::fprintf(stderr, "Broken rule: %.*s\n", static_cast<int>(rule.size()), rule.data());
    std::fflush(stderr);
    std::abort();
}
