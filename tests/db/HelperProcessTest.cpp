// How a helper program ends, as the calculator sees it: what it wrote when
// it exits, and a kill when it crashes, overruns its time or writes more than
// it may (an Access reader sent round a loop by a damaged file must not take
// the calculator's memory or time with it).

#include "HelperProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

struct HelperCase {
    const char* tag;  // also test_helper's mode (TestHelper.cpp)
    HelperRun::Ending ending;
    std::string output;  // all of it, when it exits
};
void PrintTo(const HelperCase& c, std::ostream* os) { *os << c.tag; }

constexpr HelperLimits kLimits{500ms, 1 << 20};

const HelperCase kHelpers[] = {
    {"writes_and_exits", HelperRun::Ending::Exited, "table"},
    {"crashes", HelperRun::Ending::Crashed, ""},
    {"never_ends", HelperRun::Ending::Overran, ""},
    {"writes_without_end", HelperRun::Ending::Overflowed, ""},
};

class Helper : public testing::TestWithParam<HelperCase> {};

TEST_P(Helper, EndsAsItShouldWithinItsLimits)
{
    const auto start = std::chrono::steady_clock::now();
    const HelperRun run = runHelper(VORN_TEST_HELPER, {GetParam().tag}, kLimits);
    EXPECT_LT(std::chrono::steady_clock::now() - start, kLimits.time + 1s);
    EXPECT_EQ(run.ending, GetParam().ending);
    if (run.ending == HelperRun::Ending::Exited) {
        EXPECT_EQ(run.exitStatus, 3);
        EXPECT_EQ(std::string(run.output.begin(), run.output.end()), GetParam().output);
    }
    EXPECT_LE(run.output.size(), kLimits.output);
}

// Each argument reaches the helper whole: on Windows the calculator writes
// one command line that the helper splits again, where spaces, quotes and
// backslashes must survive the quoting.
TEST(HelperArguments, ArriveWhole)
{
    const std::vector<std::string> words = {"plain",           "two words", "",        "\"quoted\"", "back\\slash",
                                            "trailing\\",      "\\\"",     "tab\there", "C:\\Foes\\Vorn.mdb"};
    std::vector<std::string> arguments = {"echoes"};
    arguments.insert(arguments.end(), words.begin(), words.end());
    const HelperRun run = runHelper(VORN_TEST_HELPER, arguments, kLimits);
    ASSERT_EQ(run.ending, HelperRun::Ending::Exited);
    std::string expected;
    for (const std::string& word : words)
        expected.append(word).push_back('\0');
    EXPECT_EQ(std::string(run.output.begin(), run.output.end()), expected);
}

INSTANTIATE_TEST_SUITE_P(Modes, Helper, testing::ValuesIn(kHelpers), [](const auto& info) { return info.param.tag; });

}  // namespace
