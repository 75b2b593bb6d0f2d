#include "FakeSysInfoPlatform.h"
#include "SysInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Key paths, value names and the message are written out here rather than
// taken from SysInfo.h, so that a slip in those constants fails the tests.
namespace {

using namespace std::string_literals;
using Journal = std::vector<std::string>;

const std::string kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string kFolderTool = "C:\\Info\\MSINFO32.EXE";

const std::string kOpenTool = "open 80000002 " + kToolKey;
const std::string kOpenFolder = "open 80000002 " + kFolderKey;
const Journal kToolEntryRead = {kOpenTool, "query PATH", "close"};
const Journal kFolderEntryRead = {kOpenFolder, "query MSINFO", "close"};
const Journal kFolderToolStarts = {kOpenFolder, "query MSINFO", "close", "file " + kFolderTool, "start " + kFolderTool};
const std::string kUnavailable = "message System Information Is Unavailable At This Time | Vorn_Foe";

Journal operator+(Journal first, const Journal& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

StoredValue text(const std::string& value) { return {kValueText, value + '\0', {}}; }
void toolEntry(FakeSysInfoPlatform& f, StoredValue value) { f.keys[kToolKey]["PATH"] = value; }
void folderEntry(FakeSysInfoPlatform& f, StoredValue value) { f.keys[kFolderKey]["MSINFO"] = value; }

// A folder entry that would lead to a program that starts: a case that ends
// in the message shows that the lookup never got there.
void workingFolderEntry(FakeSysInfoPlatform& f)
{
    folderEntry(f, text("C:\\Info"));
    f.files.insert(kFolderTool);
    f.programs.insert(kFolderTool);
}

struct Outcome {
    const char* tag;
    void (*arrange)(FakeSysInfoPlatform&);
    Journal journal;
};
void PrintTo(const Outcome& c, std::ostream* os) { *os << c.tag; }

class StartSysInfoOutcome : public testing::TestWithParam<Outcome> {};

TEST_P(StartSysInfoOutcome, RunsTheLookupsInOrderAndReportsEveryFailure)
{
    FakeSysInfoPlatform fake;
    GetParam().arrange(fake);

    StartSysInfo(fake);

    EXPECT_EQ(fake.journal, GetParam().journal);
    EXPECT_TRUE(fake.openKeys.empty()) << "a key was left open";
}

INSTANTIATE_TEST_SUITE_P(Lookups, StartSysInfoOutcome, testing::Values(
    Outcome{"tool_entry_starts_at_once", [](FakeSysInfoPlatform& f) {
                toolEntry(f, text("C:\\Tools\\info.exe"));
                f.programs = {"C:\\Tools\\info.exe"};
                workingFolderEntry(f);
            }, kToolEntryRead + Journal{"start C:\\Tools\\info.exe"}},
    Outcome{"tool_entry_naming_no_program", [](FakeSysInfoPlatform& f) {
                toolEntry(f, text("C:\\Gone\\info.exe"));
                workingFolderEntry(f);
            }, kToolEntryRead + Journal{"start C:\\Gone\\info.exe", kUnavailable}},
    Outcome{"folder_entry_with_the_file", workingFolderEntry, Journal{kOpenTool} + kFolderToolStarts},
    Outcome{"folder_entry_without_the_file", [](FakeSysInfoPlatform& f) {
                workingFolderEntry(f);
                f.files.clear();
            }, Journal{kOpenTool} + kFolderEntryRead + Journal{"file " + kFolderTool, kUnavailable}},
    Outcome{"tool_key_without_its_value", [](FakeSysInfoPlatform& f) {
                f.keys[kToolKey]["OTHER"] = text("C:\\x.exe");
                workingFolderEntry(f);
            }, kToolEntryRead + kFolderToolStarts},
    Outcome{"tool_key_refused", [](FakeSysInfoPlatform& f) {
                toolEntry(f, text("C:\\Tools\\info.exe"));
                f.openFailures[kToolKey] = kErrorAccessDenied;
            }, {kOpenTool, kOpenFolder, kUnavailable}},
    Outcome{"both_entries_missing", [](FakeSysInfoPlatform&) {}, {kOpenTool, kOpenFolder, kUnavailable}},
    Outcome{"tool_entry_of_another_type", [](FakeSysInfoPlatform& f) {
                toolEntry(f, {2, "%TOOLS%\\info.exe\0"s, {}});
                workingFolderEntry(f);
            }, kToolEntryRead + Journal{"start ", kUnavailable}},
    Outcome{"tool_entry_of_zero_bytes", [](FakeSysInfoPlatform& f) {
                toolEntry(f, {kValueText, "", {}});
                workingFolderEntry(f);
            }, kToolEntryRead + Journal{kUnavailable}},
    Outcome{"tool_entry_of_empty_text", [](FakeSysInfoPlatform& f) {
                toolEntry(f, text(""));
                workingFolderEntry(f);
            }, kToolEntryRead + Journal{"start ", kUnavailable}},
    Outcome{"tool_entry_as_a_number", [](FakeSysInfoPlatform& f) {
                toolEntry(f, {kValueNumber, "\x01\x05\x00\x00"s, {}});
            }, kToolEntryRead + Journal{"start &h000501", kUnavailable}},
    Outcome{"tool_entry_too_long_counts_as_missing", [](FakeSysInfoPlatform& f) {
                toolEntry(f, text(std::string(1024, 'x')));
                workingFolderEntry(f);
            }, kToolEntryRead + kFolderToolStarts},
    Outcome{"tool_entry_filling_the_buffer_exactly", [](FakeSysInfoPlatform& f) {
                toolEntry(f, text(std::string(1023, 'x')));
                f.programs = {std::string(1023, 'x')};
            }, kToolEntryRead + Journal{"start " + std::string(1023, 'x')}},
    Outcome{"folder_entry_of_zero_bytes", [](FakeSysInfoPlatform& f) { folderEntry(f, {kValueText, "", {}}); },
            Journal{kOpenTool} + kFolderEntryRead + Journal{kUnavailable}},
    Outcome{"file_test_rejects_the_path", [](FakeSysInfoPlatform& f) {
                workingFolderEntry(f);
                f.rejectedPaths = {kFolderTool};
            }, Journal{kOpenTool} + kFolderEntryRead + Journal{"file " + kFolderTool, kUnavailable}},
    Outcome{"found_file_that_cannot_start", [](FakeSysInfoPlatform& f) {
                workingFolderEntry(f);
                f.programs.clear();
            }, Journal{kOpenTool} + kFolderToolStarts + Journal{kUnavailable}}),
    [](const auto& info) { return std::string(info.param.tag); });

TEST(StartSysInfoRepeat, ASecondClickStartsTheToolAgain)
{
    FakeSysInfoPlatform fake;
    toolEntry(fake, text("/usr/bin/hardinfo"));
    fake.programs = {"/usr/bin/hardinfo"};

    StartSysInfo(fake);
    StartSysInfo(fake);

    const Journal once = kToolEntryRead + Journal{"start /usr/bin/hardinfo"};
    EXPECT_EQ(fake.journal, once + once);
}

// How stored bytes become text.
struct Read {
    const char* tag;
    StoredValue stored;
    std::string keyValOnEntry;
    bool expectedResult;
    std::string expectedKeyVal;
};
void PrintTo(const Read& c, std::ostream* os) { *os << c.tag; }

class GetKeyValueRead : public testing::TestWithParam<Read> {};

TEST_P(GetKeyValueRead, TurnsTheStoredBytesIntoText)
{
    FakeSysInfoPlatform fake;
    fake.keys["K"]["V"] = GetParam().stored;
    std::string keyVal = GetParam().keyValOnEntry;

    EXPECT_EQ(GetKeyValue(fake, kHKeyLocalMachine, "K", "V", keyVal), GetParam().expectedResult);
    EXPECT_EQ(keyVal, GetParam().expectedKeyVal);
    EXPECT_EQ(fake.journal, (Journal{"open 80000002 K", "query V", "close"}));
}

INSTANTIATE_TEST_SUITE_P(Values, GetKeyValueRead, testing::Values(
    Read{"text_loses_its_nul", text("C:\\a.exe"), "", true, "C:\\a.exe"},
    Read{"text_without_nul_stays_whole", {kValueText, "C:\\a.exe", {}}, "", true, "C:\\a.exe"},
    Read{"only_the_last_nul_goes", {kValueText, "ab\0c\0"s, {}}, "", true, "ab\0c"s},
    Read{"text_replaces_what_was_passed", text("new"), "old", true, "new"},
    Read{"count_shorter_than_the_bytes", {kValueText, "abcdef", 3}, "", true, "abc"},
    Read{"buffer_filled_exactly", {kValueText, std::string(1024, 'y'), {}}, "", true, std::string(1024, 'y')},
    Read{"one_byte_too_long", text(std::string(1024, 'y')), "junk", false, ""},
    Read{"count_beyond_the_buffer", {kValueText, "abc", 2000}, "junk", false, ""},
    Read{"number_drops_its_high_zero_byte", {kValueNumber, "\x01\x05\x00\x00"s, {}}, "", true, "&h000501"},
    Read{"number_most_significant_first", {kValueNumber, "\xef\xbe\xad\xde"s, {}}, "", true, "&hDEADBEEF"},
    Read{"number_after_what_was_passed", {kValueNumber, "\x01\x02"s, {}}, "AB", true, "&hAB0201"},
    Read{"other_type_keeps_what_was_passed", {7, "a\0b\0\0"s, {}}, "kept", true, "kept"}),
    [](const auto& info) { return std::string(info.param.tag); });

}  // namespace
