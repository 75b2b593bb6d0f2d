#include "FoeDatabase.h"
#include "OpenFails.h"
#include "TestBestiary.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(FoeDatabasePath, JoinsTheProgramFolderWithTheFileName)
{
    EXPECT_EQ(foeDatabasePath("/opt/vorn"), std::filesystem::path("/opt/vorn/Vorn.mdb"));
    EXPECT_EQ(foeDatabasePath("/opt/vorn/"), std::filesystem::path("/opt/vorn/Vorn.mdb"));
}

const char* kFoesWithoutMissile =
    "CREATE TABLE Foes (Name, Max_Threat, Init, Atk, Dfn, Dam, Soak, HP, Res, Mix, Move);";

const BadFile kBadFiles[] = {
    {"empty_file", [] { return TestBestiary::withBytes(""); }, "the file is empty"},
    {"random_bytes", [] { return TestBestiary::withBytes("this is a shopping list, not a bestiary\n"); },
     "not a foe database"},
    {"access_2007_header",
     [] { return TestBestiary::withBytes(std::string("\0\1\0\0Standard ACE DB\0", 20) + std::string(4076, 'x')); },
     "Access 2007 or later"},
    {"sqlite_header_then_garbage",
     [] { return TestBestiary::withBytes(std::string("SQLite format 3\0", 16) + std::string(5000, '\x5a')); },
     "SQLite cannot read it"},
    {"no_table_foes", [] { return TestBestiary::fromSql("CREATE TABLE Monsters (Name TEXT);"); },
     "no table Foes"},
    {"missing_missile", [] { return TestBestiary::fromSql(kFoesWithoutMissile); }, "Missile"},
    {"missing_several",
     [] { return TestBestiary::fromSql("CREATE TABLE Foes (Name, Max_Threat, Init, Atk);"); },
     "Dfn, Dam, Soak, HP, Res, Mix, Move, Missile"},
};

TEST_P(OpenFails, NamesTheFileAndTheFaultQuietlyAndLeavesTheFileAlone)
{
    const TestBestiary bestiary = GetParam().make();
    const std::string before = bestiary.bytes();
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    try {
        openFoeDatabase(bestiary.file());
        ADD_FAILURE() << "opened a bad bestiary";
    } catch (const DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find(bestiary.file().string()), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(GetParam().fault), std::string::npos) << e.what();
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "chatter reached stdout";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "chatter reached stderr";
    EXPECT_EQ(bestiary.bytes(), before);
    EXPECT_EQ(bestiary.folderEntries(), std::vector<std::string>{"Vorn.mdb"});
}

INSTANTIATE_TEST_SUITE_P(Files, OpenFails, testing::ValuesIn(kBadFiles), badFileTag);

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
