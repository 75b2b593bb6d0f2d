#include "FoeColumns.h"
#include "FoeDatabase.h"
#include "OpenFails.h"
#include "OpenFoeDatabase.h"
#include "TestBestiary.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

TestBestiary absentFile()
{
    TestBestiary bestiary = TestBestiary::withBytes("");
    std::filesystem::remove(bestiary.file());
    return bestiary;
}

TestBestiary folderNamedLikeTheFile()
{
    TestBestiary bestiary = absentFile();
    std::filesystem::create_directory(bestiary.file());
    return bestiary;
}

TestBestiary randomBytes(std::size_t size)
{
    std::mt19937 generator(1234);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator());
    return TestBestiary::withBytes(bytes);
}

// A real bestiary of many pages, cut to the size `keep` picks from its full size.
TestBestiary cutSqlite(std::function<std::size_t(std::size_t)> keep)
{
    const std::string bytes = manyPageBestiary().bytes();
    return TestBestiary::withBytes(bytes.substr(0, keep(bytes.size())));
}

std::string foesTableWithout(const std::string& column)
{
    std::string columns;
    for (const char* required : kRequiredColumns)
        if (required != column)
            columns += (columns.empty() ? "" : ", ") + std::string(required);
    return "CREATE TABLE Foes (" + columns + ");";
}

// Files of no format, and SQLite ones; the Access ones are in AccessFoeDatabaseTest.cpp.
std::vector<BadFile> badFiles()
{
    constexpr std::size_t kPage = 4096;  // SQLite's page size for a new file
    std::vector<BadFile> files = {
        {"no_file", absentFile, "the file does not exist", {}},  // and none is made
        {"folder_named_Vorn_mdb", folderNamedLikeTheFile, "it is a folder, not a file"},
        {"empty_file", [] { return TestBestiary::withBytes(""); }, "the file is empty"},
        {"plain_text", [] { return TestBestiary::withBytes("this is a shopping list, not a bestiary\n"); },
         "not a foe database"},
        {"random_bytes", [] { return randomBytes(3 * kPage); }, "not a foe database"},
        {"access_2007_header",
         [] { return TestBestiary::withBytes(std::string("\0\1\0\0Standard ACE DB\0", 20) + std::string(4076, 'x')); },
         "Access 2007 or later"},
        {"sqlite_header_then_garbage",
         [] { return TestBestiary::withBytes(std::string("SQLite format 3\0", 16) + std::string(5000, '\x5a')); },
         "SQLite cannot read it"},
        {"sqlite_cut_to_100_bytes", [] { return cutSqlite([](std::size_t) { return 100; }); }, "incomplete"},
        {"sqlite_cut_in_half", [] { return cutSqlite([](std::size_t size) { return size / 2; }); }, "incomplete"},
        {"sqlite_one_page_short", [] { return cutSqlite([=](std::size_t size) { return size - kPage; }); },
         "incomplete"},
        {"sqlite_one_byte_short", [] { return cutSqlite([](std::size_t size) { return size - 1; }); },
         "incomplete"},
        {"no_table_foes", [] { return TestBestiary::fromSql("CREATE TABLE Monsters (Name TEXT);"); },
         "it has no table Foes"},
        {"missing_several",
         [] { return TestBestiary::fromSql("CREATE TABLE Foes (Name, Max_Threat, Init, Atk);"); },
         "Dfn, Dam, Soak, HP, Res, Mix, Move, Missile"},
    };
    for (const char* column : kRequiredColumns)
        files.push_back({std::string("foes_without_") + column,
                         [column] { return TestBestiary::fromSql(foesTableWithout(column)); },
                         std::string("table Foes lacks the column(s) ") + column});
    return files;
}

std::string withoutClosingPoint(std::string words)
{
    if (!words.empty() && words.back() == '.')
        words.pop_back();
    return words;
}

TEST_P(OpenFails, NamesTheFileAndTheFaultQuietlyAndLeavesTheFileAlone)
{
    const BadFile& c = GetParam();
    const TestBestiary bestiary = c.make();
    const std::string bytes = bestiary.bytes();
    const std::vector<std::string> beside = bestiary.folderEntries();
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    try {
        openFoeDatabase(bestiary.file());
        ADD_FAILURE() << "opened a bad bestiary";
    } catch (const DatabaseError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find(bestiary.file().string()), std::string::npos) << message;
        EXPECT_NE(message.find(c.fault), std::string::npos) << message;
        EXPECT_NE(e.fault().find(withoutClosingPoint(c.fault)), std::string::npos) << e.fault();
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "chatter reached stdout";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "chatter reached stderr";
    EXPECT_EQ(bestiary.bytes(), bytes);
    EXPECT_EQ(bestiary.folderEntries(), beside);
    EXPECT_EQ(bestiary.folderEntries(), c.folder);
}

INSTANTIATE_TEST_SUITE_P(Files, OpenFails, testing::ValuesIn(badFiles()), badFileTag);

TEST(OpenFoeDatabase, AMissingFileIsNotCreated)
{
    const TestBestiary bestiary = TestBestiary::withBytes("");
    const auto absent = bestiary.file().parent_path() / "Elsewhere.mdb";
    EXPECT_THROW(
        try { openFoeDatabase(absent); } catch (const DatabaseError& e) {
            EXPECT_EQ(e.fault(), "the file does not exist");
            throw;
        },
        DatabaseError);
    EXPECT_FALSE(std::filesystem::exists(absent));
}

TEST(OpenFoeDatabase, AFolderIsNotABestiary)
{
    const TestBestiary bestiary = TestBestiary::withBytes("");
    EXPECT_THROW(openFoeDatabase(bestiary.file().parent_path()), DatabaseError);
}

}  // namespace
