// The Access backend beyond the shared queries (FoeQueriesTest.cpp): the same
// answers as the SQLite backend for every fixture row, bad files, a large
// table, and the desktop's locale.

#include "FoeDatabase.h"
#include "OpenFails.h"
#include "OpenFoeDatabase.h"
#include "TestBestiary.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <gtest/gtest.h>


#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>

namespace {

using Names = std::vector<std::string>;

bool sameNumber(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

std::string describe(const std::optional<FoeRecord>& foe)
{
    if (!foe)
        return "(none)";
    std::string text;
    for (const double stat : foe->stats)
        text += std::to_string(stat) + " ";
    return text + "move \"" + foe->move + "\" missile " + std::to_string(foe->missile);
}

bool sameFoe(const std::optional<FoeRecord>& a, const std::optional<FoeRecord>& b)
{
    if (a.has_value() != b.has_value())
        return false;
    if (!a)
        return true;
    for (std::size_t slot = 0; slot < a->stats.size(); ++slot) {
        if (!sameNumber(a->stats[slot], b->stats[slot]))
            return false;
    }
    return a->move == b->move && sameNumber(a->missile, b->missile);
}

std::string upperAscii(std::string text)
{
    for (char& c : text)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    return text;
}

std::string lowerAscii(std::string text)
{
    for (char& c : text)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    return text;
}

// --- The same answers as the SQLite backend ---------------------------------

TEST(AccessFoeDatabase, AnswersAsTheSqliteBackendDoesForEveryFixtureRow)
{
    const TestBestiary sqlite = TestBestiary::fromFixture();
    const TestBestiary access = TestBestiary::fromFile(fixtureFile("access/foes.mdb"));
    const auto fromSqlite = openFoeDatabase(sqlite.file());
    const auto fromAccess = openFoeDatabase(access.file());

    Names rowNames;
    {
        SQLite::Database db(sqlite.file().string(), SQLite::OPEN_READONLY);
        SQLite::Statement names(db, "SELECT Name FROM Foes");
        while (names.executeStep())
            rowNames.push_back(names.getColumn(0).getString());
    }
    ASSERT_EQ(rowNames.size(), 14u);

    for (const std::string& name : rowNames) {
        for (const std::string& asked : {name, upperAscii(name), lowerAscii(name), name + " "}) {
            const auto expected = fromSqlite->findFoe(asked, kDefaultCategory);
            const auto found = fromAccess->findFoe(asked, kDefaultCategory);
            EXPECT_TRUE(sameFoe(found, expected))
                << asked << ": Access " << describe(found) << ", SQLite " << describe(expected);
        }
    }
    for (ThreatCategory category = -1; category <= kCategoryCount; ++category)
        EXPECT_EQ(fromAccess->listNames(category), fromSqlite->listNames(category)) << "category " << category;
}

TEST(AccessFoeDatabase, KeepsNoHoldOnTheFile)
{
    const TestBestiary bestiary = TestBestiary::fromFile(fixtureFile("access/foes.mdb"));
    const auto db = openFoeDatabase(bestiary.file());
    const auto target = std::filesystem::canonical(bestiary.file());
    const std::filesystem::path descriptors = "/proc/self/fd";
    if (!std::filesystem::exists(descriptors))
        GTEST_SKIP() << "this system does not list a program's open files";
    for (const auto& entry : std::filesystem::directory_iterator(descriptors)) {
        std::error_code ignored;
        EXPECT_NE(std::filesystem::read_symlink(entry.path(), ignored), target) << "descriptor " << entry.path();
    }
    EXPECT_EQ(db->listNames(6).size(), 4u);
}

// --- Bad files ---------------------------------------------------------------

std::string fixtureBytes(const char* name, std::size_t count)
{
    return readFile(fixtureFile(std::string("access/") + name)).substr(0, count);
}

// A Jet header (with the given version byte) and then noise, `size` bytes in all.
std::string jetHeaderThenNoise(char version, std::size_t size, unsigned seed)
{
    std::string bytes(std::string("\0\1\0\0Standard Jet DB\0", 20) + version);
    std::mt19937 noise(seed);
    while (bytes.size() < size)
        bytes += static_cast<char>(noise() & 0xFF);
    return bytes;
}

// foes.mdb with one byte damaged where libmdb 1.0.0 follows it through a
// null pointer: the reader dies, the calculator does not. libmdb 1.0.1 (the
// Windows build's) finds the bad page map and says so; either way the
// calculator names the damage.
std::string crashingLibmdb()
{
    std::string bytes = readFile(fixtureFile("access/foes.mdb"));
    bytes[0x2037] = '\x87';
    return bytes;
}

const BadFile kBadAccessFiles[] = {
    {"crashes_libmdb", [] { return TestBestiary::withBytes(crashingLibmdb()); },
     "it is a damaged"},
    {"no_table_foes", [] { return TestBestiary::fromFile(fixtureFile("access/no-foes-table.mdb")); },
     "it has no table Foes"},
    {"missing_missile", [] { return TestBestiary::fromFile(fixtureFile("access/foes-missing-column.mdb")); },
     "table Foes lacks the column(s) Missile."},
    {"first_page_only", [] { return TestBestiary::withBytes(fixtureBytes("foes.mdb", 4096)); },
     "damaged or incomplete Access file: mdbtools cannot read its list of tables"},
    {"first_100_bytes", [] { return TestBestiary::withBytes(fixtureBytes("foes.mdb", 100)); },
     "damaged or incomplete Access file: its size, 100 bytes, is not a whole number of 4096-byte pages"},
    {"header_only", [] { return TestBestiary::withBytes(fixtureBytes("foes.mdb", 20)); },
     "damaged or incomplete Access file: it holds only 20 bytes"},
    {"cut_inside_a_page", [] { return TestBestiary::withBytes(fixtureBytes("foes.mdb", 114688 - 1000)); },
     "is not a whole number of 4096-byte pages"},
    {"many_foes_cut_at_a_page", [] { return TestBestiary::withBytes(fixtureBytes("foes-many.mdb", 100 * 4096)); },
     "damaged or incomplete Access file: table Foes holds 10000 rows, but only"},
    {"jet4_header_then_noise", [] { return TestBestiary::withBytes(jetHeaderThenNoise('\1', 5 * 4096, 1)); },
     "damaged or incomplete Access file"},
    {"jet3_header_then_noise", [] { return TestBestiary::withBytes(jetHeaderThenNoise('\0', 5 * 2048, 2)); },
     "damaged or incomplete Access file"},
    {"jet_header_then_uneven_noise", [] { return TestBestiary::withBytes(jetHeaderThenNoise('\1', 5000, 3)); },
     "damaged or incomplete Access file"},
    {"unknown_jet_version", [] { return TestBestiary::withBytes(jetHeaderThenNoise('\2', 4 * 4096, 4)); },
     "Access file of an unknown kind (version byte 0x02)"},
};

INSTANTIATE_TEST_SUITE_P(AccessFiles, OpenFails, testing::ValuesIn(kBadAccessFiles), badFileTag);

TEST(AccessFoeDatabase, QuotesWhatMdbtoolsSaidAboutADamagedFile)
{
    const TestBestiary bestiary = TestBestiary::withBytes(fixtureBytes("foes.mdb", 4096));
    try {
        openFoeDatabase(bestiary.file());
        ADD_FAILURE() << "opened a cut file";
    } catch (const DatabaseError& e) {
        EXPECT_NE(e.fault().find("(mdbtools: offset 8192 is beyond EOF)"), std::string::npos) << e.fault();
    }
}

// Every cut at a page boundary of the large table is refused, quietly, or read
// whole: a cut catalog must not pass for "no table Foes", nor a cut table for
// a shorter one.
TEST(AccessFoeDatabase, NeverReadsPartOfACutFile)
{
    const std::string whole = readFile(fixtureFile("access/foes-many.mdb"));
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    for (std::size_t pages = 1; pages * 4096 < whole.size(); pages += pages < 32 ? 1 : 4) {
        const TestBestiary bestiary = TestBestiary::withBytes(whole.substr(0, pages * 4096));
        try {
            const auto db = openFoeDatabase(bestiary.file());
            EXPECT_EQ(db->listNames(0).size(), 10000u) << pages << " pages";
        } catch (const DatabaseError& e) {
            EXPECT_NE(e.fault().find("damaged or incomplete"), std::string::npos) << pages << " pages: " << e.fault();
        }
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// --- A large table -----------------------------------------------------------

struct ManyFoe {
    int n;
    std::string name() const
    {
        char text[16];
        std::snprintf(text, sizeof text, "Foe %05d", n);
        return text;
    }
    int maxThreat() const { return (n - 1) % 7 + 1; }
    FoeRecord record() const
    {
        FoeRecord foe;
        foe.stats = {double((3 * n) % 16 - 3),      double((5 * n + 1) % 16 - 3), double((7 * n + 2) % 16 - 3),
                     double((11 * n + 3) % 16 - 3), double((13 * n + 4) % 16 - 3), double(10 + (17 * n) % 90),
                     double((19 * n + 5) % 16 - 3), double((23 * n) % 41)};
        foe.move = std::to_string(5 + (29 * n) % 26);
        foe.missile = n % 5 == 0 ? 1 : 0;
        return foe;
    }
};

TEST(AccessFoeDatabase, ReadsTenThousandFoes)
{
    const TestBestiary bestiary = TestBestiary::fromFile(fixtureFile("access/foes-many.mdb"));
    const auto db = openFoeDatabase(bestiary.file());
    for (ThreatCategory category = 0; category < kCategoryCount; ++category) {
        Names expected;
        for (int n = 1; n <= 10000; ++n) {
            if (ManyFoe{n}.maxThreat() > category)
                expected.push_back(ManyFoe{n}.name());
        }
        std::size_t above = 0;  // Max_Threat cycles 1..7 over the 10,000 rows
        for (int n = 1; n <= 10000; ++n)
            above += (n - 1) % 7 + 1 > category ? 1 : 0;
        const Names listed = db->listNames(category);
        EXPECT_EQ(listed.size(), above) << "category " << category;
        EXPECT_EQ(listed, expected) << "category " << category;
    }

    const FoeRecord expected = ManyFoe{5816}.record();
    for (const char* asked : {"Foe 05816", "foe 05816", "FOE 05816"}) {
        const auto found = db->findFoe(asked, kDefaultCategory);
        ASSERT_TRUE(found.has_value()) << asked;
        EXPECT_EQ(found->stats, expected.stats) << asked;
        EXPECT_EQ(found->move, expected.move) << asked;
        EXPECT_EQ(found->missile, expected.missile) << asked;
    }
    const auto first = db->findFoe("Foe 00001", kDefaultCategory);
    ASSERT_TRUE(first.has_value());
    // The README's example: Max_Threat 1, then 0, 3, 6, 11, -2, 27, 5, 23, Move 8, Missile 0.
    EXPECT_EQ(first->stats, (std::array<double, kFoeStatsSize>{0, 3, 6, 11, -2, 27, 5, 23}));
    EXPECT_EQ(first->move, "8");
    EXPECT_EQ(first->missile, 0);
    EXPECT_FALSE(db->findFoe("Foe 10001", kDefaultCategory).has_value());
    EXPECT_FALSE(db->findFoe("Foe 0", kDefaultCategory).has_value());

    // Every seventh foe, across the whole table: each is found, and is itself.
    for (int n = 1; n <= 10000; n += 7) {
        const auto found = db->findFoe(ManyFoe{n}.name(), kDefaultCategory);
        ASSERT_TRUE(found.has_value()) << ManyFoe{n}.name();
        EXPECT_EQ(found->stats, ManyFoe{n}.record().stats) << ManyFoe{n}.name();
        EXPECT_EQ(found->move, ManyFoe{n}.record().move) << ManyFoe{n}.name();
        EXPECT_EQ(found->missile, ManyFoe{n}.record().missile) << ManyFoe{n}.name();
    }
}

// --- The desktop's locale ----------------------------------------------------

// Runs under a locale whose decimal point is a comma, set for the whole
// process as a Qt application sets the desktop's: an installed one, or else
// the German one the build compiled into VORN_TEST_LOCALES with localedef.
// Skips if there is neither.
class UnderACommaLocale : public testing::Test {
protected:
    void SetUp() override
    {
        saved_ = std::setlocale(LC_ALL, nullptr);
        bool set = false;
        // As a Qt application does at start. Names of glibc's and of the
        // Windows C runtime's.
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8", "es_ES.UTF-8",
                                 "it_IT.UTF-8", "nl_NL.UTF-8", "ru_RU.UTF-8", "pt_BR.UTF-8", "German"}) {
            if ((set = setsACommaLocale(name)))
                break;
        }
#ifdef VORN_TEST_LOCALES
        // The compiled one is loaded with LOCPATH set only for the moment:
        // glibc 2.36's newlocale() leaks a little memory while it is set.
        if (!set && std::filesystem::exists(VORN_TEST_LOCALES)) {
            setenv("LOCPATH", VORN_TEST_LOCALES, 1);
            set = setsACommaLocale("de_DE.UTF-8");
            unsetenv("LOCPATH");
        }
#endif
        if (!set)
            GTEST_SKIP() << "no locale with a decimal comma is installed (see locale -a)";
    }

    void TearDown() override { std::setlocale(LC_ALL, saved_.c_str()); }

    static bool setsACommaLocale(const char* name)
    {
        return std::setlocale(LC_ALL, name) && std::strcmp(std::localeconv()->decimal_point, ",") == 0;
    }

private:
    std::string saved_;
};

TEST_F(UnderACommaLocale, TheBackendsAnswerAsTheyDoInTheCLocale)
{
    const TestBestiary sqlite = TestBestiary::fromFixture();
    const TestBestiary access = TestBestiary::fromFile(fixtureFile("access/foes.mdb"));
    const auto fromSqlite = openFoeDatabase(sqlite.file());
    const auto fromAccess = openFoeDatabase(access.file());
    for (ThreatCategory category = 0; category < kCategoryCount; ++category)
        EXPECT_EQ(fromAccess->listNames(category), fromSqlite->listNames(category));
    for (const char* name : {"Cave Troll", "Shade", "Ålfar Scout", "Bandit"})
        EXPECT_TRUE(sameFoe(fromAccess->findFoe(name, kDefaultCategory), fromSqlite->findFoe(name, kDefaultCategory))) << name;
    EXPECT_STREQ(std::localeconv()->decimal_point, ",") << "the desktop's locale is left as it was";
}

}  // namespace
