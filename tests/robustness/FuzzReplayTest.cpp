// Replays one fuzz target's seed corpus and every input that once broke it
// (fuzz/regressions/<target>) through the target's fuzzOne, without libFuzzer:
// a broken rule or a sanitizer report ends the test's process, and CTest
// counts that input's test as failed.

#include "FuzzOne.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

namespace {

struct FuzzInput {
    std::string tag;
    std::filesystem::path file;
};
void PrintTo(const FuzzInput& input, std::ostream* os) { *os << input.file.string(); }

// Test names hold only letters, digits and underscores.
std::string tagFor(const std::string& kind, const std::filesystem::path& file)
{
    std::string tag = kind + "_" + file.filename().string();
    std::replace_if(tag.begin(), tag.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return tag;
}

std::vector<FuzzInput> replayedInputs()
{
    std::vector<FuzzInput> inputs;
    for (const auto& [kind, folder] : {std::pair{"corpus", VORN_FUZZ_CORPUS},
                                       std::pair{"regression", VORN_FUZZ_REGRESSIONS}}) {
        if (!std::filesystem::is_directory(folder))
            continue;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.is_regular_file())
                inputs.push_back({tagFor(kind, entry.path()), entry.path()});
    }
    std::sort(inputs.begin(), inputs.end(), [](const auto& a, const auto& b) { return a.tag < b.tag; });
    return inputs;
}

class FuzzReplay : public testing::TestWithParam<FuzzInput> {};

TEST_P(FuzzReplay, KeepsEveryRule)
{
    std::ifstream in(GetParam().file, std::ios::binary);
    ASSERT_TRUE(in) << GetParam().file;
    std::ostringstream content;
    content << in.rdbuf();
    const std::string bytes = content.str();
    EXPECT_EQ(fuzzOne(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
}

INSTANTIATE_TEST_SUITE_P(Inputs, FuzzReplay, testing::ValuesIn(replayedInputs()),
                         [](const auto& info) { return info.param.tag; });

}  // namespace
