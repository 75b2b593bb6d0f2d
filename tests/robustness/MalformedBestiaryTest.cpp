// Bestiary files as game masters' machines hand them over, oddly built or
// huge, that open and answer by the rules, with the file left byte for byte
// as it was and nothing beside it. Those that must be refused at open are
// in tests/db/OpenFoeDatabaseTest.cpp, with the other formats' refusals.

#include "BestiaryRules.h"
#include "HexText.h"
#include "RobustnessSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

struct SaneFile {
    std::string tag;
    std::function<TestBestiary()> make;
    std::function<void(FoeDatabase&)> expect;  // what it answers, besides the rules every bestiary keeps
};
void PrintTo(const SaneFile& c, std::ostream* os) { *os << c.tag; }

void expectStoredFault(FoeDatabase& bestiary, const std::string& name, int slot,
                       ThreatCategory category = kDefaultCategory)
{
    const FoeSheet sheet = recompute(bestiary, name, category);
    ASSERT_TRUE(sheet.fault.has_value()) << name;
    EXPECT_EQ(sheet.fault->input, InputFault::Input::Foe) << name;
    EXPECT_EQ(sheet.fault->slot, slot) << name;
}

const std::string kMegabyteName = "Long" + std::string(1 << 20, 'o') + "ng Wyrm";

// Names that SQL and text handling trip over. Each is a foe of its own, with
// its own HP, so that a lookup that finds the wrong row shows.
const std::pair<std::string, int> kAwkwardNames[] = {
    {"O'Brien \"the Bold\"", 11},
    {"100% Orc", 12},
    {"Gob_lin", 13},
    {std::string("Nul\0Byte", 8), 14},
    {"\xE2\x80\xAE" "nilbog", 15},                                   // RIGHT-TO-LEFT OVERRIDE, then Latin
    {"\xD7\x92\xD7\x95\xD7\x91\xD7\x9C\xD7\x99\xD7\x9F", 16},         // Hebrew
    {"\xD8\xB9\xD9\x81\xD8\xB1\xD9\x8A\xD8\xAA \xD9\xA3", 17},         // Arabic, with an Arabic-Indic digit
};

// Names go in as text made from their bytes, so that a NUL is stored too.
std::string awkwardRows()
{
    std::string rows;
    for (const auto& [name, hp] : kAwkwardNames)
        rows += "INSERT INTO Foes VALUES (CAST(X'" + hexDigits(name) + "' AS TEXT), 7, 1, 1, 1, 1, 1, "
                + std::to_string(hp) + ", 1, 10, '12', 0);";
    return rows + "INSERT INTO Foes VALUES ('Goblin', 7, 2, 1, 1, 2, 0, 20, 0, 3, '10', 0);";
}

const SaneFile kSaneFiles[] = {
    {"write_ahead_log_mode",
     [] {
         return TestBestiary::fromSql("PRAGMA journal_mode=WAL;" + foesTable(
             "INSERT INTO Foes VALUES ('Logged', 7, 1, 2, 3, 4, 5, 20, 1, 5, '12', 0);"));
     },
     [](FoeDatabase& bestiary) {
         EXPECT_EQ(bestiary.listNames(6), std::vector<std::string>{"Logged"});
         EXPECT_EQ(recompute(bestiary, "logged").foe[Dam], "4");
     }},
    {"view_named_Foes",
     [] {
         return TestBestiary::fromSql(
             "CREATE TABLE Beasts (Name TEXT, Max_Threat, Init, Atk, Dfn, Dam, Soak, HP, Res, Mix, Move, Missile,"
             " Notes); INSERT INTO Beasts VALUES ('Boar', 5, 1, 2, 3, 4, 5, 20, 1, 5, '14', 0, 'tusks');"
             "CREATE VIEW Foes AS SELECT * FROM Beasts;");
     },
     [](FoeDatabase& bestiary) {
         EXPECT_EQ(bestiary.listNames(4), std::vector<std::string>{"Boar"});
         EXPECT_EQ(recompute(bestiary, "boar").foe[Soak], "5");
     }},
    {"text_in_number_columns",
     [] {
         return TestBestiary::fromSql(foesTable(
             "INSERT INTO Foes VALUES ('Odd', 7, 'fast', 1, 1, 1, 1, 10, 1, 5, '12', 0);"
             "INSERT INTO Foes VALUES ('Vague', 'many', 1, 1, 1, 1, 1, 10, 1, 5, '12', 0);"
             "INSERT INTO Foes VALUES ('Late', 7, 1, 1, 1, 1, 1, 'ten', 1, 5, '12', 0);"));
     },
     [](FoeDatabase& bestiary) {
         EXPECT_EQ(bestiary.listNames(0), (std::vector<std::string>{"Late", "Odd"})) << "text exceeds no category";
         expectStoredFault(bestiary, "Odd", Init);
         expectStoredFault(bestiary, "Late", HP);
         EXPECT_FALSE(recompute(bestiary, "Vague").fault.has_value()) << "typed in, it is found all the same";
     }},
    {"numbers_beyond_16_bits",
     [] {
         return TestBestiary::fromSql(foesTable(
             "INSERT INTO Foes VALUES ('Giant', 7, 1, 1, 1, 1, 1, 40000, 1, 5, '12', 0);"
             "INSERT INTO Foes VALUES ('Abyss', 7, -40000, 1, 1, 1, 1, 10, 1, 5, '12', 0);"
             "INSERT INTO Foes VALUES ('Vast', 7, 1, 9223372036854775807, 1, 1, 1, 10, 1, 5, '12', 0);"
             "INSERT INTO Foes VALUES ('Huge', 7, 1, 1, 1, 1e300, 1, 10, 1, 5, '12', 0);"
             "INSERT INTO Foes VALUES ('Edge', 7, 32767, 1, 1, 1, 1, 10, 1, 5, '12', 0);"
             "INSERT INTO Foes VALUES ('Mixed', 7, 1, 1, 1, 1, 1, 10, 1, 400000, '12', 0);"
             "INSERT INTO Foes VALUES ('Everywhere', 1e300, 1, 1, 1, 1, 1, 10, 1, 5, '12', 0);"));
     },
     [](FoeDatabase& bestiary) {
         expectStoredFault(bestiary, "Giant", HP);
         expectStoredFault(bestiary, "Abyss", Init);
         expectStoredFault(bestiary, "Vast", Atk);
         expectStoredFault(bestiary, "Huge", Dam);
         EXPECT_EQ(recompute(bestiary, "Edge", 3).foe[Init], "32767") << "the top itself still fits";
         expectStoredFault(bestiary, "Edge", Init, 4);  // ... but not once "Superior" adds 2
         expectStoredFault(bestiary, "Mixed", Mix);
         EXPECT_EQ(recompute(bestiary, "Mixed").mix, "");
         EXPECT_EQ(bestiary.listNames(6).size(), 7u);
     }},
    {"nulls_everywhere",
     [] {
         return TestBestiary::fromSql(foesTable(
             "INSERT INTO Foes VALUES (NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);"
             "INSERT INTO Foes (Name) VALUES ('Blank');"));
     },
     [](FoeDatabase& bestiary) {
         EXPECT_TRUE(bestiary.listNames(0).empty()) << "a NULL Max_Threat exceeds no category";
         const auto blank = bestiary.findFoe("Blank");
         ASSERT_TRUE(blank.has_value());
         EXPECT_EQ(blank->stats, (std::array<double, kFoeStatsSize>{}));
         EXPECT_EQ(blank->move, "");
         EXPECT_EQ(blank->missile, 0);
         const FoeSheet sheet = recompute(bestiary, "Blank");
         EXPECT_FALSE(sheet.fault.has_value());
         EXPECT_EQ(sheet.mix, "1.5");
     }},
    {"empty_names",
     [] { return TestBestiary::fromSql(foesTable("INSERT INTO Foes (Name, Max_Threat) VALUES ('', 7), ('Real', 7);")); },
     [](FoeDatabase& bestiary) {
         EXPECT_EQ(bestiary.listNames(0), std::vector<std::string>{"Real"});
         EXPECT_FALSE(bestiary.findFoe("").has_value()) << "never offered, never found";
     }},
    {"numbers_and_blobs_as_names",
     [] {
         // Without a declared type the column keeps numbers as numbers and blobs as blobs.
         return TestBestiary::fromSql(
             "CREATE TABLE Foes (Name, Max_Threat, Init, Atk, Dfn, Dam, Soak, HP, Res, Mix, Move, Missile);"
             "INSERT INTO Foes (Name, Max_Threat, HP) VALUES (9, 7, 19), (10, 7, 20), (2.5, 7, 25), (X'4F7263', 7, 30);");
     },
     [](FoeDatabase& bestiary) {
         EXPECT_EQ(bestiary.listNames(0), (std::vector<std::string>{"10", "2.5", "9", "Orc"}));
         EXPECT_EQ(recompute(bestiary, "9").foe[HP], "19");
         EXPECT_EQ(recompute(bestiary, "10").foe[HP], "20");
         EXPECT_EQ(recompute(bestiary, "2.5").foe[HP], "25");
         EXPECT_EQ(recompute(bestiary, "orc").foe[HP], "30");
     }},
    {"hundred_thousand_rows",
     [] {
         return TestBestiary::fromSql(foesTable(
             "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000)"
             " INSERT INTO Foes SELECT 'Foe ' || i, i % 8, i % 5, i % 7, i % 3, i % 11, i % 4, 10 + i % 90,"
             " i % 6, i % 40, '12', i % 2 FROM n;"));
     },
     [](FoeDatabase& bestiary) {
         EXPECT_EQ(bestiary.listNames(0).size(), 87500u);  // Max_Threat 0 (every eighth foe) is never offered
         EXPECT_EQ(recompute(bestiary, "Foe 99999").foe[HP], std::to_string(10 + 99999 % 90));
         EXPECT_EQ(recompute(bestiary, "foe 1").foe[Init], "1");
         EXPECT_FALSE(bestiary.findFoe("Foe 100001").has_value());
     }},
    {"megabyte_name",
     [] {
         return TestBestiary::fromSql(foesTable("INSERT INTO Foes VALUES ('" + kMegabyteName
                                                + "', 7, 1, 1, 1, 1, 1, 44, 1, 5, '12', 0);"));
     },
     [](FoeDatabase& bestiary) {
         EXPECT_EQ(bestiary.listNames(6), std::vector<std::string>{kMegabyteName});
         EXPECT_EQ(recompute(bestiary, kMegabyteName).foe[HP], "44");
         EXPECT_FALSE(bestiary.findFoe(kMegabyteName + "s").has_value());
     }},
    {"awkward_names",
     [] { return TestBestiary::fromSql(foesTable(awkwardRows())); },
     [](FoeDatabase& bestiary) {
         EXPECT_EQ(bestiary.listNames(0).size(), std::size(kAwkwardNames) + 1);
         for (const auto& [name, hp] : kAwkwardNames)
             EXPECT_EQ(recompute(bestiary, name).foe[HP], std::to_string(hp)) << name;
         // Nothing in a name is a pattern: each of these finds nothing.
         for (const char* near : {"Gob%", "%", "_oblin", "Gob_in", "100_ Orc", "Nul", "nilbog", "O'Brien%"})
             EXPECT_FALSE(bestiary.findFoe(near).has_value()) << near;
     }},
    {"utf16_text",
     [] {
         return TestBestiary::fromSql("PRAGMA encoding = 'UTF-16le';" + foesTable(
             "INSERT INTO Foes VALUES ('\xC3\x85lfar Scout', 7, 4, 4, 3, 3, 1, 16, 2, 9, '16', 1);"));
     },
     [](FoeDatabase& bestiary) {
         EXPECT_EQ(bestiary.listNames(0), std::vector<std::string>{"\xC3\x85lfar Scout"});
         EXPECT_EQ(recompute(bestiary, "\xC3\xA5LFAR SCOUT").foe[HP], "16");
     }},
};

class OpensSanely : public testing::TestWithParam<SaneFile> {};

TEST_P(OpensSanely, AnswersByTheRulesAndLeavesTheFileAlone)
{
    const TestBestiary bestiary = GetParam().make();
    const FileState before = stateOf(bestiary);
    {
        const auto opened = openFoeDatabase(bestiary.file());
        EXPECT_EQ(brokenBestiaryRule(*opened), "");
        GetParam().expect(*opened);
    }
    EXPECT_EQ(stateOf(bestiary), before);
}

INSTANTIATE_TEST_SUITE_P(Files, OpensSanely, testing::ValuesIn(kSaneFiles),
                         [](const auto& info) { return info.param.tag; });

}  // namespace
