// test_helper MODE: a helper program that ends as HelperProcessTest asks,
// the same on every system.
//   writes_and_exits    prints "table", exits with status 3
//   crashes             dies of a bad memory access
//   never_ends          sleeps far past any limit
//   writes_without_end  prints without end
//   echoes ARG...       prints each ARG ended by a NUL, exits with status 0

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <thread>

int main(int argc, char** argv)
{
    const std::string_view mode = argc >= 2 ? argv[1] : "";
    if (mode == "echoes") {
        for (int at = 2; at < argc; ++at)
            std::fwrite(argv[at], 1, std::strlen(argv[at]) + 1, stdout);
        return 0;
    }
    if (mode == "writes_and_exits") {
        std::fputs("table", stdout);
        return 3;
    }
    if (mode == "crashes") {
        // A store to an address no program maps: not a null pointer, which
        // the undefined-behaviour checker would report and exit on instead.
        int* volatile nowhere = reinterpret_cast<int*>(std::uintptr_t{16});
        *nowhere = 1;
    }
    if (mode == "never_ends")
        std::this_thread::sleep_for(std::chrono::minutes(1));
    if (mode == "writes_without_end") {
        while (std::fputs("y\n", stdout) >= 0) {
        }
    }
    return 2;
}
