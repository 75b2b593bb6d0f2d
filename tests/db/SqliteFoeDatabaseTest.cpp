#include "FoeDatabase.h"
#include "OpenFoeDatabase.h"
#include "PathText.h"
#include "TestBestiary.h"
#include "WatchedFoeDatabase.h"

#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

const char* kColumns =
    "CREATE TABLE Foes (Name TEXT, Max_Threat, Init, Atk, Dfn, Dam, Soak, HP, Res, Mix, Move, Missile);";

TEST(SqliteFoeDatabase, NamelessFoesAreNeverListed)
{
    const auto bestiary = TestBestiary::fromFixture(
        "INSERT INTO Foes (Name, Max_Threat) VALUES (NULL, 7);");
    EXPECT_EQ(openFoeDatabase(bestiary.file())->listNames(6),
              (std::vector<std::string>{"Ancient Dragon", "Cave Troll", "Shade", "Ålfar Scout"}));
}

// SQLite's FOENAME collation is the comparison the Access backend sorts and
// searches by, so names of any script are found and listed alike by both.
TEST(SqliteFoeDatabase, FindsAndSortsNamesOfEveryScriptIgnoringCase)
{
    struct Asked {
        std::string stored;
        std::string asked;
        int hp;
    };
    const Asked names[] = {
        {"Վիշապ", "ՎԻՇԱՊ", 11},                  // Armenian
        {"დევი", "ᲓᲔᲕᲘ", 12},                    // Georgian, asked in Mtavruli
        {"Ma quỷ", "MA QUỶ", 13},                // Vietnamese
        {"İblis", "iblis", 14},                  // Turkish
        {"Straßenräuber", "STRASSENRÄUBER", 15},
        {"hydra", "HYDRA", 16},
        {"Jackal", "jackal", 17},
    };
    std::string rows;
    for (const Asked& name : names)
        rows += "INSERT INTO Foes (Name, Max_Threat, HP) VALUES ('" + name.stored + "', 7, " +
                std::to_string(name.hp) + ");";
    const auto bestiary = TestBestiary::fromSql(std::string(kColumns) + rows);
    const auto db = openFoeDatabase(bestiary.file());
    for (const Asked& name : names) {
        const auto found = db->findFoe(name.asked, kDefaultCategory);
        ASSERT_TRUE(found.has_value()) << name.asked;
        EXPECT_EQ(found->stats[HP], name.hp) << name.asked;
    }
    EXPECT_EQ(db->listNames(6), (std::vector<std::string>{"hydra", "İblis", "Jackal", "Ma quỷ", "Straßenräuber",
                                                          "Վիշապ", "დევი"}));
}

TEST(SqliteFoeDatabase, TextWhereANumberBelongsIsNotANumber)
{
    const auto bestiary = TestBestiary::fromSql(std::string(kColumns) +
        "INSERT INTO Foes VALUES ('Odd', 'many', 'fast', ' 4 ', 1, 1, 1, 10, 1, 5, 12.0, '1');");
    const auto db = openFoeDatabase(bestiary.file());
    EXPECT_TRUE(db->listNames(0).empty()) << "a Max_Threat of text exceeds no category";
    const auto odd = db->findFoe("Odd", kDefaultCategory);
    ASSERT_TRUE(odd.has_value());
    EXPECT_TRUE(std::isnan(odd->stats[0]));
    EXPECT_EQ(odd->stats[1], 4.0) << "text that reads as a number counts";
    EXPECT_EQ(odd->move, "12") << "a stored real is written in its shortest form";
    EXPECT_EQ(odd->missile, 1.0);
}

TEST(SqliteFoeDatabase, AViewNamedFoesServesAsTheTable)
{
    const auto bestiary = TestBestiary::fromSql(std::string(kColumns).replace(13, 4, "Beasts") +
        "INSERT INTO Beasts VALUES ('Boar', 5, 1, 2, 3, 4, 5, 20, 1, 5, '14', 0);"
        "CREATE VIEW Foes AS SELECT * FROM Beasts;");
    const auto db = openFoeDatabase(bestiary.file());
    EXPECT_EQ(db->listNames(3), std::vector<std::string>{"Boar"});
    EXPECT_TRUE(db->findFoe("boar", kDefaultCategory).has_value());
}

// A bestiary in write-ahead-log mode is read through a URI, which must carry
// any folder name intact: one that would end the URI's path (#), read as an
// escape (%20), or need UTF-8 (no "?", which a Windows file name cannot hold).
TEST(SqliteFoeDatabase, ReadsALoggedBestiaryInAnOddlyNamedFolder)
{
    const auto logged = TestBestiary::fromFixture("PRAGMA journal_mode=WAL;");
    const auto folder = logged.file().parent_path() / textPath("odd #%20 Ölgrund folder");
    std::filesystem::create_directory(folder);
    std::filesystem::copy_file(logged.file(), folder / "Vorn.mdb");
    EXPECT_EQ(openFoeDatabase(folder / "Vorn.mdb")->listNames(6),
              (std::vector<std::string>{"Ancient Dragon", "Cave Troll", "Shade", "Ålfar Scout"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "nothing left beside it";
}

TEST(SqliteFoeDatabase, SeesFoesAddedWhileItIsOpen)
{
    const auto bestiary = TestBestiary::fromFixture();
    WatchedFoeDatabase db(bestiary.file());
    {
        SQLite::Database editor(bestiary.file().string(), SQLite::OPEN_READWRITE);
        editor.exec("INSERT INTO Foes (Name, Max_Threat, HP) VALUES ('Newcomer', 7, 12);");
    }
    EXPECT_EQ(db.listNames(6).size(), 5u);
    EXPECT_TRUE(db.findFoe("Newcomer", kDefaultCategory).has_value());
}

}  // namespace
