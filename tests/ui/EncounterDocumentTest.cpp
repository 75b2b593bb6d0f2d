// The encounter kept safe: saved and opened again whole, every file that is
// not one refused with the open encounter untouched, a save killed halfway
// leaving the old file whole, and a whole evening's changes undone and
// redone step by step.

#include "EncounterDocument.h"
#include "EncounterFile.h"
#include "FoeLookup.h"
#include "OpenFoeDatabase.h"
#include "TestBestiary.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

FoeSheet sheetOf(const std::string& foe, std::array<std::string, kStatCount> tallies = {"0", "0", "0", "0", "0", "0", "0"})
{
    FoeSheet sheet;
    sheet.foeName = foe;
    sheet.tally = tallies;
    return sheet;
}

// An encounter on the fixture bestiary, as the window's document holds it.
class EncounterDocumentTest : public testing::Test {
protected:
    EncounterDocumentTest()
        : bestiary_(TestBestiary::fromFixture()), database_(openFoeDatabase(bestiary_.file())),
          document_([this](const std::string& foe, ThreatCategory category) {
              return lookUpFoe(*database_, foe, category);
          })
    {
    }

    // Adds the sheet of `foe` as File > Add to Encounter does.
    void add(const std::string& foe, ThreatCategory category, int count = 1,
             std::array<std::string, kStatCount> tallies = {"0", "0", "0", "0", "0", "0", "0"})
    {
        FoeSheet sheet = sheetOf(foe, tallies);
        const FoeLookupResult answer = lookUpFoe(*database_, foe, category);
        recomputeSheet(sheet, category, answer);
        std::string why;
        const auto entry = entryFromSheet(sheet, category, answer, count, why);
        ASSERT_TRUE(entry) << why;
        document_.edit("Add", [&](Encounter& entries) { addToEncounter(entries, *entry); });
    }

    QString path(const char* name) const { return folder_.filePath(name); }

    TestBestiary bestiary_;
    std::unique_ptr<FoeDatabase> database_;
    EncounterDocument document_;
    QTemporaryDir folder_;
};

TEST_F(EncounterDocumentTest, SavedAndOpenedAgainWhole)
{
    add("Bandit", 4, 3, {"1", "0", "-2", "0", "0", "5", "0"});
    add("Bandit Archer", kDefaultCategory);
    add("\xC3\x85lfar Scout", 0);
    add(std::string(kGenericFoe), 6, 2);
    document_.edit("Hit", [](Encounter& entries) { changeHp(entries[0], 1, -7); });
    const Encounter saved = document_.entries();
    ASSERT_EQ(document_.saveAs(path("fight.json")), "");
    EXPECT_FALSE(document_.isModified());

    EncounterDocument reopened([this](const std::string& foe, ThreatCategory category) {
        return lookUpFoe(*database_, foe, category);
    });
    QString problem;
    ASSERT_TRUE(reopened.open(path("fight.json"), problem)) << problem.toStdString();
    EXPECT_EQ(reopened.entries(), saved);

    // Read with no bestiary to ask, an entry shows the numbers it was saved with.
    const auto asRead = readEncounterFile(path("fight.json"), problem);
    ASSERT_TRUE(asRead);
    EXPECT_EQ(statBlockJson(asRead->at(1).block), statBlockJson(saved[1].block));
}

struct Refusal {
    const char* tag;
    std::string bytes;
    const char* words;
};
void PrintTo(const Refusal& c, std::ostream* os) { *os << c.tag; }

class RefusedFile : public EncounterDocumentTest, public testing::WithParamInterface<Refusal> {};

std::string fileOf(const std::string& entry, const std::string& version = "1")
{
    return R"({"format": "vorn-foe-encounter", "version": )" + version + R"(, "entries": [)" + entry + "]}";
}

// State: an encounter of two entries, saved. Action: open a file that is not
// one this version can read. Expected: refused in words that say why, and
// the encounter, its file and its history as they were.
TEST_P(RefusedFile, LeavesTheOpenEncounterAlone)
{
    add("Orc", kDefaultCategory, 2);
    ASSERT_EQ(document_.saveAs(path("kept.json")), "");
    add("Goblin", 1);
    const Encounter before = document_.entries();
    const int steps = document_.history().count();

    QFile file(path("refused.json"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().bytes.data(), static_cast<qint64>(GetParam().bytes.size()));
    file.close();
    QString problem;
    EXPECT_FALSE(document_.open(path("refused.json"), problem));
    EXPECT_TRUE(problem.contains(GetParam().words)) << problem.toStdString();
    EXPECT_EQ(document_.entries(), before);
    EXPECT_EQ(document_.file(), path("kept.json"));
    EXPECT_EQ(document_.history().count(), steps);
    EXPECT_TRUE(document_.isModified());
}

const std::string kEntry = R"({"foe": "Orc", "category": "Equal", "tallies": {"Init": 1}, "count": 2, "hp": [9, 3]})";

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedFile,
    testing::Values(
        Refusal{"Empty", "", "it is damaged"}, Refusal{"NotJson", "Bandit, 3", "it is damaged"},
        Refusal{"CutShort", fileOf(kEntry).substr(0, 60), "it is damaged"},
        Refusal{"OtherJson", R"({"foe": "Orc"})", "it is not an encounter file"},
        Refusal{"AnArray", "[" + kEntry + "]", "it is not an encounter file"},
        Refusal{"LaterVersion", fileOf(kEntry, "2"), "saved by a later version of the calculator (file version 2"},
        Refusal{"VersionAsText", fileOf(kEntry, "\"1\""), "its version is not a whole number"},
        Refusal{"NoEntries", R"({"format": "vorn-foe-encounter", "version": 1})", "it has no list of entries"},
        Refusal{"NoFoe", fileOf(R"({"category": "Equal", "count": 1, "hp": [3]})"), "entry 1: it has no foe name"},
        Refusal{"UnknownCategory", fileOf(R"({"foe": "Orc", "category": "Medium", "count": 1, "hp": [3]})"),
                "its category is not one of Pitiful to Terrifying"},
        Refusal{"TallyFraction", fileOf(R"({"foe": "Orc", "category": "Equal", "tallies": {"HP": 1.5}, "count": 1, "hp": [3]})"),
                "its HP tally is not a whole number"},
        Refusal{"NoCreatures", fileOf(R"({"foe": "Orc", "category": "Equal", "count": 0, "hp": []})"),
                "its count is not a whole number from 1 to 99"},
        Refusal{"TooManyHp", fileOf(R"({"foe": "Orc", "category": "Equal", "count": 1, "hp": [3, 4]})"),
                "it counts 1 creatures but gives the HP of 2"},
        Refusal{"HpBeyond16Bits", fileOf(R"({"foe": "Orc", "category": "Equal", "count": 1, "hp": [40000]})"),
                "a creature's HP is not a whole number"},
        Refusal{"SecondEntryDamaged", fileOf(kEntry + R"(, {"foe": "Orc"})"), "entry 2:"}),
    [](const auto& info) { return std::string(info.param.tag); });

TEST_F(EncounterDocumentTest, AFolderAMissingFileOrAHugeOneIsRefused)
{
    QFile huge(path("huge.json"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64{17} << 20));
    huge.close();
    const std::pair<QString, const char*> refused[] = {
        {folder_.path(), "cannot be opened"},
        {path("missing.json"), "cannot be opened"},
        {path("huge.json"), "it is too large to be an encounter"},
    };
    for (const auto& [file, words] : refused) {
        QString problem;
        EXPECT_FALSE(document_.open(file, problem));
        EXPECT_TRUE(problem.contains(words)) << problem.toStdString();
    }
    EXPECT_TRUE(document_.entries().empty());
}

// State: an encounter saved. Action: a second save, of a larger encounter,
// by a process the system kills once its file passes 4 KiB. Expected: the
// old file whole, byte for byte, and it still opens.
TEST_F(EncounterDocumentTest, ASaveKilledHalfwayLeavesTheOldFileWhole)
{
    add("Orc", kDefaultCategory, 2);
    ASSERT_EQ(document_.saveAs(path("fight.json")), "");
    const std::string old = readFile(path("fight.json").toStdString());
    for (int i = 0; i < 40; ++i)
        add(i % 2 ? "Goblin" : "Bandit", static_cast<ThreatCategory>(i % 4), 1 + i % 3);

    const pid_t saver = fork();
    ASSERT_NE(saver, -1);
    if (saver == 0) {
        const rlimit fileSize{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &fileSize);
        writeEncounterFile(document_.entries(), path("fight.json"));
        _exit(0);  // not reached: the file outgrows the limit first
    }
    int status = 0;
    ASSERT_EQ(waitpid(saver, &status, 0), saver);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "the save was not cut short";
    EXPECT_EQ(readFile(path("fight.json").toStdString()), old);
    QString problem;
    EXPECT_TRUE(readEncounterFile(path("fight.json"), problem)) << problem.toStdString();
}

// Action: a whole fight's changes, then every one undone and redone.
// Expected: each undo gives back the encounter as it was before that
// change, each redo as it was after, and the last undo the empty encounter.
TEST_F(EncounterDocumentTest, UndoAndRedoThroughAWholeSequence)
{
    std::vector<Encounter> states{document_.entries()};
    const auto step = [&](const char* what, const std::function<void(Encounter&)>& change) {
        document_.edit(what, change);
        states.push_back(document_.entries());
    };
    add("Bandit", kDefaultCategory, 3);
    states.push_back(document_.entries());
    add("Orc", 2);
    states.push_back(document_.entries());
    add("Bandit", kDefaultCategory);  // joins the first entry
    states.push_back(document_.entries());
    step("Count", [](Encounter& e) { setCount(e[1], 4); });
    step("Category", [](Encounter& e) { e[0].category = 5; });
    step("Damage", [](Encounter& e) {
        changeHp(e[0], 0, -12);
        changeHp(e[1], 3, -40);
    });
    step("Heal", [](Encounter& e) { changeHp(e[0], 0, 5); });
    step("Duplicate", [](Encounter& e) { e.insert(e.begin() + 1, e[0]); });
    step("Move", [](Encounter& e) { std::swap(e[0], e[2]); });
    step("Remove", [](Encounter& e) { e.erase(e.begin() + 1); });
    step("Category", [](Encounter& e) { e[1].category = 0; });

    ASSERT_EQ(document_.history().count() + 1, static_cast<int>(states.size()));
    EXPECT_EQ(document_.entries()[0].category, 2) << "the Orc, moved first";
    for (auto state = states.rbegin() + 1; state != states.rend(); ++state) {
        document_.history().undo();
        ASSERT_EQ(document_.entries(), *state) << "undo to state " << (states.rend() - state - 1);
    }
    EXPECT_TRUE(document_.entries().empty());
    for (auto state = states.begin() + 1; state != states.end(); ++state) {
        document_.history().redo();
        ASSERT_EQ(document_.entries(), *state) << "redo to state " << (state - states.begin());
    }
}

}  // namespace
