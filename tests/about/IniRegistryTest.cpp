#include "IniRegistry.h"
#include "ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

const char* const kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QByteArray kToolSection = "[SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n";
const QByteArray kFolderSection = "[SOFTWARE\\Microsoft\\Shared Tools Location]\n";

void writeFile(const QString& path, const QByteArray& contents, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(contents);
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | (executable ? QFile::ExeOwner : QFile::Permissions{}));
}

// What one lookup in the store answers.
struct Answer {
    long openCode = -1;
    long queryCode = -1;
    std::uint32_t type = 0;
    std::string bytes;
    bool operator==(const Answer&) const = default;
};
void PrintTo(const Answer& a, std::ostream* os)
{
    *os << "{" << a.openCode << ", " << a.queryCode << ", " << a.type << ", " << testing::PrintToString(a.bytes) << "}";
}

Answer lookUp(const QString& file, const std::string& keyPath, const std::string& valueName,
              std::uint32_t root = kHKeyLocalMachine)
{
    IniRegistry store(file);
    Answer answer;
    RegistryKey key{};
    answer.openCode = store.openKey(root, keyPath, key);
    if (answer.openCode != kErrorSuccess)
        return answer;
    std::array<unsigned char, 1024> buffer{};
    std::uint32_t count = 0;
    answer.queryCode = store.queryValue(key, valueName, answer.type, buffer, count);
    if (answer.queryCode == kErrorSuccess)
        answer.bytes.assign(reinterpret_cast<const char*>(buffer.data()), count);
    store.closeKey(key);
    return answer;
}

// Each test has its own folder, whose bin/ is the whole search path, so that
// tools installed on this machine cannot answer for the store.
class StoreFolder : public testing::Test {
protected:
    QTemporaryDir folder;
    QString iniFile = folder.filePath("registry.ini");
    QString toolFolder = folder.filePath("bin");
    ScopedEnvironment searchPath{"PATH", toolFolder.toLocal8Bit()};
};

struct Lookup {
    const char* tag;
    QByteArray ini;
    const char* keyPath;
    Answer expected;
    std::uint32_t root = kHKeyLocalMachine;
};
void PrintTo(const Lookup& c, std::ostream* os) { *os << c.tag; }

class IniStoreLookup : public StoreFolder, public testing::WithParamInterface<Lookup> {};

TEST_P(IniStoreLookup, AnswersLikeTheRegistry)
{
    writeFile(iniFile, GetParam().ini);
    EXPECT_EQ(lookUp(iniFile, GetParam().keyPath, "MSINFO", GetParam().root), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Files, IniStoreLookup, testing::Values(
    Lookup{"text_with_its_nul", kFolderSection + "MSINFO=/opt/info\n", kFolderKey, {0, 0, kValueText, "/opt/info\0"s}},
    Lookup{"names_ignore_case_and_blanks", "[ software\\MICROSOFT\\shared tools location ]\n msinfo =  /opt/a \n",
           kFolderKey, {0, 0, kValueText, "/opt/a\0"s}},
    Lookup{"missing_key", kToolSection + "MSINFO=/opt/info\n", kFolderKey, {2, -1, 0, ""}},
    Lookup{"missing_value", kFolderSection + "OTHER=/opt/info\n", kFolderKey, {0, 2, 0, ""}},
    Lookup{"other_root", kFolderSection + "MSINFO=/opt/info\n", kFolderKey, {2, -1, 0, ""}, 0x80000001},
    Lookup{"value_too_long", kFolderSection + "MSINFO=" + QByteArray(1024, 'x'), kFolderKey, {0, 234, kValueText, ""}},
    Lookup{"longest_value_that_fits", kFolderSection + "MSINFO=" + QByteArray(1023, 'x'), kFolderKey,
           {0, 0, kValueText, std::string(1023, 'x') + '\0'}},
    Lookup{"empty_value", kFolderSection + "MSINFO=\n", kFolderKey, {0, 0, kValueText, "\0"s}},
    Lookup{"number", kFolderSection + "MSINFO=DWORD:501\n", kFolderKey, {0, 0, kValueNumber, "\x01\x05\x00\x00"s}},
    Lookup{"nine_digits_are_text", kFolderSection + "MSINFO=dword:123456789", kFolderKey,
           {0, 0, kValueText, "dword:123456789\0"s}},
    Lookup{"equals_and_commas_stay_in_text", kFolderSection + "MSINFO=/opt/a=b, c", kFolderKey,
           {0, 0, kValueText, "/opt/a=b, c\0"s}},
    Lookup{"comments_crlf_and_byte_order_mark", "\xEF\xBB\xBF; notes\r\n# more\r\n" + kFolderSection.chopped(1)
               + "\r\nMSINFO=/x\r\n", kFolderKey, {0, 0, kValueText, "/x\0"s}},
    Lookup{"value_outside_any_section", "MSINFO=/x\n" + kFolderSection, kFolderKey, {0, 2, 0, ""}},
    Lookup{"last_of_two_wins", kFolderSection + "MSINFO=/first\nMSINFO=/second", kFolderKey,
           {0, 0, kValueText, "/second\0"s}}),
    [](const auto& info) { return std::string(info.param.tag); });

TEST_F(StoreFolder, AFileThatCannotBeReadRefusesEveryKeyEvenWithAToolAtHand)
{
    ASSERT_TRUE(QDir().mkpath(iniFile));  // a folder in its place: unreadable, even for root
    writeFile(toolFolder + "/hardinfo", "", true);

    EXPECT_EQ(lookUp(iniFile, kFolderKey, "MSINFO").openCode, kErrorAccessDenied);
    EXPECT_EQ(lookUp(iniFile, kToolKey, "PATH").openCode, kErrorAccessDenied);
}

// The tool found on the search path when the file names none.
struct Fallback {
    const char* tag;
    QByteArray ini;
    std::vector<QString> executables;  // in bin/
    std::vector<QString> plainFiles;   // in bin/ too, not executable
    std::optional<std::string> expected;  // a name in bin/ or an absolute path; nothing: no entry
};
void PrintTo(const Fallback& c, std::ostream* os) { *os << c.tag; }

class SysInfoToolFallback : public StoreFolder, public testing::WithParamInterface<Fallback> {};

TEST_P(SysInfoToolFallback, AnswersTheToolEntryWhenTheFileHasNone)
{
    writeFile(iniFile, GetParam().ini);
    for (const QString& name : GetParam().executables)
        writeFile(toolFolder + '/' + name, "", true);
    for (const QString& name : GetParam().plainFiles)
        writeFile(toolFolder + '/' + name, "", false);

    const Answer answer = lookUp(iniFile, kToolKey, "PATH");

    std::optional<std::string> expected = GetParam().expected;
    if (!expected) {
        EXPECT_EQ(answer.openCode, kErrorFileNotFound);
        return;
    }
    if (!expected->empty() && expected->front() != '/')
        expected = toolFolder.toStdString() + '/' + *expected;
    EXPECT_EQ(answer, (Answer{0, 0, kValueText, *expected + '\0'}));
}

INSTANTIATE_TEST_SUITE_P(SearchPath, SysInfoToolFallback, testing::Values(
    Fallback{"tool_found", "", {"mate-system-monitor"}, {}, "mate-system-monitor"},
    Fallback{"earlier_in_the_list_wins", "", {"kinfocenter", "gnome-system-monitor", "hardinfo"}, {}, "hardinfo"},
    Fallback{"not_executable_is_skipped", "", {"kinfocenter"}, {"hardinfo"}, "kinfocenter"},
    Fallback{"file_entry_wins", kToolSection + "PATH=/opt/mine\n", {"hardinfo"}, {}, "/opt/mine"},
    Fallback{"empty_file_entry_wins", kToolSection + "PATH=\n", {"hardinfo"}, {}, ""},
    Fallback{"key_without_the_value", kToolSection + "OTHER=/opt/other\n", {"cpu-x"}, {}, "cpu-x"},
    Fallback{"nothing_found", "", {"htop"}, {"hardinfo"}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.tag); });

// Where the store lives: the first system folder that has it, never the user's.
struct Location {
    const char* tag;
    std::vector<QString> foldersWithAFile;  // among home, first, second
    QString expected;
};
void PrintTo(const Location& c, std::ostream* os) { *os << c.tag; }

class StoreLocation : public StoreFolder, public testing::WithParamInterface<Location> {};

TEST_P(StoreLocation, IsTheFirstSystemFolderThatHasTheFile)
{
    ScopedEnvironment home("XDG_CONFIG_HOME", folder.filePath("home").toLocal8Bit());
    ScopedEnvironment system("XDG_CONFIG_DIRS", (folder.filePath("first") + ':' + folder.filePath("second")).toLocal8Bit());
    for (const QString& name : GetParam().foldersWithAFile)
        writeFile(folder.filePath(name + "/vorn-foe/registry.ini"), "");

    EXPECT_EQ(IniRegistry::defaultFile(), folder.filePath(GetParam().expected + "/vorn-foe/registry.ini"));
}

INSTANTIATE_TEST_SUITE_P(ConfigFolders, StoreLocation, testing::Values(
    Location{"none_names_the_first", {}, "first"},
    Location{"second_has_it", {"second"}, "second"},
    Location{"first_of_two_wins", {"first", "second"}, "first"},
    Location{"user_folder_does_not_count", {"home"}, "first"}),
    [](const auto& info) { return std::string(info.param.tag); });

}  // namespace
