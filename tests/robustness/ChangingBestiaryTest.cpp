// A bestiary that another program rewrites while the calculator has it open.
// Whatever the other program did, each later query either answers by the
// rules or throws a DatabaseError naming the file; the calculator itself
// changes nothing.

#include "BestiaryRules.h"
#include "OpenFoeDatabase.h"
#include "RobustnessSupport.h"
#include "WatchedFoeDatabase.h"

#include <SQLiteCpp/Database.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>

namespace {

using testing::HasSubstr;

std::string garbage(std::size_t size)
{
    std::mt19937 generator(99);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator());
    return bytes;
}

// Writes `bytes` from `offset` on into the file in place, as an editor that
// saves over the same file does; the calculator's open file sees it.
void overwrite(const std::filesystem::path& file, std::size_t offset, const std::string& bytes)
{
    std::fstream out(file, std::ios::binary | std::ios::in | std::ios::out);
    out.seekp(static_cast<std::streamoff>(offset));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct Change {
    std::string tag;
    std::function<void(const std::filesystem::path&)> apply;
    bool mustFail;  // no sane answer is left to give
};
void PrintTo(const Change& c, std::ostream* os) { *os << c.tag; }

const Change kChanges[] = {
    {"rows_added",
     [](const std::filesystem::path& file) {
         SQLite::Database editor(file.string(), SQLite::OPEN_READWRITE);
         editor.exec("INSERT INTO Foes SELECT Name || ' again', Max_Threat, Init, Atk, Dfn, Dam, Soak, HP, Res,"
                     " Mix, Move, Missile, Notes FROM Foes;");
     },
     false},
    {"rewritten_with_garbage",
     [](const std::filesystem::path& file) { overwrite(file, 0, garbage(std::filesystem::file_size(file))); },
     true},
    {"garbage_behind_the_header",
     [](const std::filesystem::path& file) { overwrite(file, 100, garbage(std::filesystem::file_size(file) - 100)); },
     false},
    {"cut_to_nothing", [](const std::filesystem::path& file) { std::filesystem::resize_file(file, 0); }, false},
    {"replaced_by_another_file",
     [](const std::filesystem::path& file) {
         const auto fresh = file.string() + ".new";
         std::ofstream(fresh, std::ios::binary) << garbage(4096);
         std::filesystem::rename(fresh, file);
     },
     false},
};

class ChangedWhileOpen : public testing::TestWithParam<Change> {};

TEST_P(ChangedWhileOpen, EachQueryAnswersByTheRulesOrSaysWhatIsWrong)
{
    const TestBestiary bestiary = manyPageBestiary();
    WatchedFoeDatabase reader(bestiary.file());
    ASSERT_EQ(brokenBestiaryRule(reader), "");

    GetParam().apply(bestiary.file());
    const FileState changed = stateOf(bestiary);
    int failed = 0;
    for (int round = 0; round < 2; ++round) {
        try {
            EXPECT_EQ(brokenBestiaryRule(reader), "");
            recompute(reader, "Goblin 7");
        } catch (const DatabaseError& error) {
            ++failed;
            EXPECT_THAT(error.what(), HasSubstr(bestiary.file().string()));
        }
    }
    if (GetParam().mustFail) {
        EXPECT_EQ(failed, 2);
    }
    EXPECT_EQ(stateOf(bestiary), changed);
}

INSTANTIATE_TEST_SUITE_P(Changes, ChangedWhileOpen, testing::ValuesIn(kChanges),
                         [](const auto& info) { return info.param.tag; });

// An editor's safe save writes a new file and renames it over the old one. A
// connection to the old file never sees it; the calculator's bestiary, which
// follows its path, lists the new foes at the next question, and says what
// is wrong while the path holds no bestiary.
TEST(WatchedFoeDatabase, FollowsAFileReplacedAtItsPath)
{
    const TestBestiary bestiary = TestBestiary::fromFixture();
    WatchedFoeDatabase watched(bestiary.file());
    const auto connection = openFoeDatabase(bestiary.file());
    const std::vector<std::string> before = watched.listNames(0);

    const TestBestiary edited = TestBestiary::fromFixture("INSERT INTO Foes (Name, Max_Threat) VALUES ('Wyrmling', 7);");
    std::filesystem::copy_file(edited.file(), bestiary.file().string() + ".new");
    std::filesystem::rename(bestiary.file().string() + ".new", bestiary.file());
    EXPECT_THAT(watched.listNames(0), testing::Contains("Wyrmling"));
    EXPECT_EQ(connection->listNames(0), before);

    std::filesystem::remove(bestiary.file());
    EXPECT_THROW(watched.findFoe("Goblin", kDefaultCategory), DatabaseError);
    std::filesystem::copy_file(edited.file(), bestiary.file());
    EXPECT_TRUE(watched.findFoe("Wyrmling", kDefaultCategory).has_value());
}

}  // namespace
