// The two questions every backend answers, asked of the shared fixture rows
// (tests/fixtures/foes.sql, and the same rows in tests/fixtures/access/).
// Each backend that reads the fixture's format adds one line to kBackends.

#include "FoeDatabase.h"
#include "OpenFoeDatabase.h"
#include "TestBestiary.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Names = std::vector<std::string>;

struct Backend {
    const char* tag;
    std::function<TestBestiary()> fixture;
};
void PrintTo(const Backend& c, std::ostream* os) { *os << c.tag; }

const Backend kBackends[] = {
    {"SQLite", [] { return TestBestiary::fromFixture(); }},
    // The same rows in Access files: Access 2000 (Jet 4), Access 2002-2003,
    // and one whose Move is an Integer column (its text must still be "12").
    {"Access2000", [] { return TestBestiary::fromFile(fixtureFile("access/foes.mdb")); }},
    {"Access2003", [] { return TestBestiary::fromFile(fixtureFile("access/foes-2003.mdb")); }},
    {"AccessNumericMove", [] { return TestBestiary::fromFile(fixtureFile("access/foes-numeric-move.mdb")); }},
};

class FoeQueries : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        bestiary_.emplace(GetParam().fixture());
        before_ = bestiary_->bytes();
        db_ = openFoeDatabase(bestiary_->file());
    }

    void TearDown() override
    {
        db_.reset();
        EXPECT_EQ(bestiary_->bytes(), before_) << "the bestiary was changed";
        EXPECT_EQ(bestiary_->folderEntries(), Names{"Vorn.mdb"}) << "a journal or lock file was left";
    }

    std::optional<TestBestiary> bestiary_;
    std::string before_;
    std::unique_ptr<FoeDatabase> db_;
};

// Rows by Max_Threat: Skeleton 0, Dire Rat -1 (never offered); Wolf 3; Goblin 4;
// Orc, Bandit, zombie 5; Bandit Archer, Bandit, Will-o'-the-Wisp 6; Cave Troll,
// Ålfar Scout, Shade, Ancient Dragon 7. Å folds to å, after every ASCII letter.
const Names kOffered[kCategoryCount] = {
    {"Ancient Dragon", "Bandit", "Bandit", "Bandit Archer", "Cave Troll", "Goblin", "Orc", "Shade",
     "Will-o'-the-Wisp", "Wolf", "zombie", "Ålfar Scout"},
    {"Ancient Dragon", "Bandit", "Bandit", "Bandit Archer", "Cave Troll", "Goblin", "Orc", "Shade",
     "Will-o'-the-Wisp", "Wolf", "zombie", "Ålfar Scout"},
    {"Ancient Dragon", "Bandit", "Bandit", "Bandit Archer", "Cave Troll", "Goblin", "Orc", "Shade",
     "Will-o'-the-Wisp", "Wolf", "zombie", "Ålfar Scout"},
    {"Ancient Dragon", "Bandit", "Bandit", "Bandit Archer", "Cave Troll", "Goblin", "Orc", "Shade",
     "Will-o'-the-Wisp", "zombie", "Ålfar Scout"},
    {"Ancient Dragon", "Bandit", "Bandit", "Bandit Archer", "Cave Troll", "Orc", "Shade",
     "Will-o'-the-Wisp", "zombie", "Ålfar Scout"},
    {"Ancient Dragon", "Bandit", "Bandit Archer", "Cave Troll", "Shade", "Will-o'-the-Wisp",
     "Ålfar Scout"},
    {"Ancient Dragon", "Cave Troll", "Shade", "Ålfar Scout"},
};

TEST_P(FoeQueries, ListsTheFoesAboveEachCategoryIgnoringCase)
{
    for (ThreatCategory category = 0; category < kCategoryCount; ++category)
        EXPECT_EQ(db_->listNames(category), kOffered[category]) << kCategoryCaptions[category];
}

struct Lookup {
    const char* asked;
    std::optional<FoeRecord> expected;
    ThreatCategory category = kDefaultCategory;
};

// Of equal names, the first stored that the category offers; the first
// stored when it offers none of them.
TEST_P(FoeQueries, FindsTheFirstFoeOfANameIgnoringCase)
{
    const FoeRecord wisp{{5, 2, 6, 1, 0, 10, 4, 12}, "25", 0};
    const FoeRecord goblin{{2, 1, 1, 2, 0, 12, 0, 3}, "10", 0};
    const FoeRecord firstBandit{{2, 2, 2, 3, 1, 18, 1, 5}, "12", 0};
    const FoeRecord unofferedBandit{{2, 2, 2, 3, 1, 18, 1, 5}, "12", 0, false};
    const FoeRecord secondBandit{{9, 9, 9, 9, 9, 90, 9, 9}, "9", 1};
    const FoeRecord alfar{{4, 4, 3, 3, 1, 16, 2, 9}, "16", 1};
    const FoeRecord shadeWithNulls{{0, 3, 0, 2, 0, 20, 3, 0}, "", 0};
    const FoeRecord skeleton{{1, 2, 1, 2, 2, 14, 5, 4}, "10", 0, false};
    const Lookup lookups[] = {
        {"Will-o'-the-Wisp", wisp},
        {"goblin", goblin},
        {"GOBLIN", goblin},
        {"Bandit", firstBandit},
        {"bandit", secondBandit, 5},  // the first is offered below Exceptional only
        {"Bandit", unofferedBandit, 6},  // neither is offered at Terrifying
        {"Ålfar Scout", alfar},
        {"ålfar scout", alfar},
        {"Shade", shadeWithNulls},
        {"Skeleton", skeleton},  // never offered, but found by name
        {"Gob", std::nullopt},
        {"Goblin ", std::nullopt},
        {"", std::nullopt},
        {"[Generic]", std::nullopt},
        {"x' OR '1'='1", std::nullopt},
        {"Goblin'; DROP TABLE Foes; --", std::nullopt},
        {"%", std::nullopt},
    };
    for (const Lookup& lookup : lookups) {
        const auto found = db_->findFoe(lookup.asked, lookup.category);
        ASSERT_EQ(found.has_value(), lookup.expected.has_value()) << lookup.asked;
        if (found) {
            EXPECT_EQ(found->stats, lookup.expected->stats) << lookup.asked;
            EXPECT_EQ(found->move, lookup.expected->move) << lookup.asked;
            EXPECT_EQ(found->missile, lookup.expected->missile) << lookup.asked;
            EXPECT_EQ(found->offered, lookup.expected->offered) << lookup.asked;
        }
    }
    EXPECT_EQ(db_->listNames(0).size(), kOffered[0].size()) << "the table survived";
}

INSTANTIATE_TEST_SUITE_P(Backends, FoeQueries, testing::ValuesIn(kBackends),
                         [](const auto& info) { return std::string(info.param.tag); });

}  // namespace
