// A bestiary that another program holds or guards: the calculator reads
// through a writer's pending change, waits only briefly for an exclusive
// writer and then says so, answers from what it read while a writer holds
// the file, never hangs, and holds no lock of its own that would keep an
// editor waiting. SQLite keeps its locks between connections
// of one process as it does between processes, so a connection in the test
// stands in for the other program.

#include "BestiaryRules.h"
#include "OpenFoeDatabase.h"
#include "RobustnessSupport.h"
#include "WatchedFoeDatabase.h"

#include <SQLiteCpp/Database.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

namespace {

using testing::HasSubstr;
using Clock = std::chrono::steady_clock;

// Far above the bestiary's short busy timeout, far below a hang.
constexpr auto kPatience = std::chrono::seconds(5);

TEST(LockedBestiary, AWritersPendingChangeDoesNotStopReading)
{
    const TestBestiary bestiary = TestBestiary::fromFixture();
    const FileState before = stateOf(bestiary);
    {
        SQLite::Database writer(bestiary.file().string(), SQLite::OPEN_READWRITE);
        writer.exec("BEGIN IMMEDIATE; INSERT INTO Foes (Name, Max_Threat) VALUES ('Pending', 7);");
        const auto reader = openFoeDatabase(bestiary.file());
        EXPECT_EQ(brokenBestiaryRule(*reader), "");
        EXPECT_EQ(recompute(*reader, "Goblin").foe[HP], "12");
        EXPECT_FALSE(reader->findFoe("Pending", kDefaultCategory).has_value()) << "a change not yet committed is not seen";
        writer.exec("ROLLBACK;");
    }
    EXPECT_EQ(stateOf(bestiary), before);
}

TEST(LockedBestiary, AnExclusiveWriterMakesOpeningFailWithinTheBusyTimeout)
{
    const TestBestiary bestiary = TestBestiary::fromFixture();
    SQLite::Database writer(bestiary.file().string(), SQLite::OPEN_READWRITE);
    writer.exec("BEGIN EXCLUSIVE;");
    const auto start = Clock::now();
    try {
        openFoeDatabase(bestiary.file());
        ADD_FAILURE() << "read a file under an exclusive lock";
    } catch (const DatabaseError& error) {
        EXPECT_THAT(error.what(), HasSubstr(bestiary.file().string()));
        EXPECT_THAT(error.fault(), HasSubstr("locked"));
    }
    EXPECT_LT(Clock::now() - start, kPatience);
    writer.exec("ROLLBACK;");
}

TEST(LockedBestiary, AnExclusiveWriterAfterOpeningLeavesTheFoesReadUntilItCommits)
{
    const TestBestiary bestiary = TestBestiary::fromFixture();
    WatchedFoeDatabase reader(bestiary.file());
    SQLite::Database writer(bestiary.file().string(), SQLite::OPEN_READWRITE);
    writer.exec("BEGIN EXCLUSIVE; INSERT INTO Foes (Name, Max_Threat) VALUES ('Newcomer', 7);");
    const auto start = Clock::now();
    EXPECT_EQ(brokenBestiaryRule(reader), "");
    EXPECT_EQ(recompute(reader, "Goblin").foe[HP], "12");
    EXPECT_FALSE(reader.findFoe("Newcomer", kDefaultCategory).has_value());
    EXPECT_LT(Clock::now() - start, kPatience);
    writer.exec("COMMIT;");
    EXPECT_EQ(brokenBestiaryRule(reader), "");
    EXPECT_TRUE(reader.findFoe("Newcomer", kDefaultCategory).has_value());
}

// An editor that will not wait at all (busy timeout 0) can still write while
// the calculator is open: between queries the calculator holds no lock.
TEST(LockedBestiary, AnEditorCanWriteBetweenQueries)
{
    const TestBestiary bestiary = TestBestiary::fromFixture();
    WatchedFoeDatabase reader(bestiary.file());
    reader.listNames(3);
    recompute(reader, "Goblin");
    SQLite::Database editor(bestiary.file().string(), SQLite::OPEN_READWRITE);
    EXPECT_NO_THROW(editor.exec("INSERT INTO Foes (Name, Max_Threat, HP) VALUES ('Newcomer', 7, 33);"));
    EXPECT_EQ(recompute(reader, "Newcomer").foe[HP], "33");
}

}  // namespace
