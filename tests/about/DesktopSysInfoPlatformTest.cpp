#include "DesktopSysInfoPlatform.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <string>

namespace {

using namespace std::string_literals;

// Info/MSINFO32.EXE (ordinary), Info/.MSINFO32.EXE (hidden), Info/Folder, and
// tool.sh, a program that leaves the file "started" beside it, with plain.sh,
// the same without leave to run.
class DesktopFolder : public testing::Test {
protected:
    QTemporaryDir folder;
    DesktopSysInfoPlatform platform{nullptr};

    void SetUp() override
    {
        ASSERT_TRUE(QDir(folder.path()).mkpath("Info/Folder"));
        const QByteArray tool = "#!/bin/sh\ntouch \"$(dirname \"$0\")/started\"\n";
        write("Info/MSINFO32.EXE", "", false);
        write("Info/.MSINFO32.EXE", "", false);
        write("tool.sh", tool, true);
        write("plain.sh", tool, false);
    }

    void write(const QString& name, const QByteArray& contents, bool executable)
    {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();
        file.setPermissions(QFile::ReadOwner | (executable ? QFile::ExeOwner : QFile::Permissions{}));
    }

    std::string path(const std::string& name) const { return folder.path().toStdString() + '/' + name; }
    bool started() const { return QFileInfo::exists(folder.filePath("started")); }
};

struct FileTest {
    const char* tag;
    std::string name;  // below the test folder
    std::string expected;
};
void PrintTo(const FileTest& c, std::ostream* os) { *os << c.tag; }

class DesktopFindFile : public DesktopFolder, public testing::WithParamInterface<FileTest> {};

TEST_P(DesktopFindFile, FindsOrdinaryFilesOnly)
{
    EXPECT_EQ(platform.findFile(path(GetParam().name)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Files, DesktopFindFile, testing::Values(
    FileTest{"ordinary_file", "Info/MSINFO32.EXE", "MSINFO32.EXE"},
    FileTest{"backslash_separates_folders", "Info\\MSINFO32.EXE", "MSINFO32.EXE"},
    FileTest{"hidden_file", "Info/.MSINFO32.EXE", ""},
    FileTest{"folder", "Info/Folder", ""},
    FileTest{"missing_file", "Info/Other.EXE", ""}),
    [](const auto& info) { return std::string(info.param.tag); });

TEST_F(DesktopFolder, AFileTestOnAPathWithNulIsAnError)
{
    EXPECT_THROW(platform.findFile(path("Info/MSINFO32.EXE\0junk"s)), SysInfoError);
}

TEST_F(DesktopFolder, StartsAProgramWithoutWaitingForIt)
{
    platform.startProgram(path("tool.sh"));
    for (int wait = 0; wait < 500 && !started(); ++wait)
        QThread::msleep(20);
    EXPECT_TRUE(started());
}

struct BadStart {
    const char* tag;
    std::string name;  // below the test folder; empty text stays empty
};
void PrintTo(const BadStart& c, std::ostream* os) { *os << c.tag; }

class DesktopStartFailure : public DesktopFolder, public testing::WithParamInterface<BadStart> {};

TEST_P(DesktopStartFailure, IsAnError)
{
    EXPECT_THROW(platform.startProgram(GetParam().name.empty() ? "" : path(GetParam().name)), SysInfoError);
    EXPECT_FALSE(started());
}

INSTANTIATE_TEST_SUITE_P(Programs, DesktopStartFailure, testing::Values(
    BadStart{"empty_path", ""}, BadStart{"missing", "absent.sh"}, BadStart{"not_executable", "plain.sh"},
    BadStart{"folder", "Info"},
    BadStart{"nul_in_path", "tool.sh\0.txt"s}),  // cut at the NUL, it would start tool.sh
    [](const auto& info) { return std::string(info.param.tag); });

}  // namespace
