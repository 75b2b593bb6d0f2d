#include "BenchBestiaries.h"

#include "FoeDatabase.h"
#include "ManyFoes.h"

#include <SQLiteCpp/Database.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace {

const std::filesystem::path kFixtures = VORN_BENCH_FIXTURES;
constexpr int kFixtureRows = 14;
constexpr const char* kLastFixtureFoe = "zombie";

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vorn-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a scratch folder for the bench bestiaries");
        path_ = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path file(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

const ScratchFolder& scratch()
{
    static const ScratchFolder folder;
    return folder;
}

BenchEngine engineOf(BestiaryId id)
{
    return id == BestiaryId::Access14 || id == BestiaryId::Access10k ? BenchEngine::Access : BenchEngine::Sqlite;
}

int rowsOf(BestiaryId id)
{
    switch (id) {
    case BestiaryId::Sqlite14:
    case BestiaryId::Access14:
        return kFixtureRows;
    case BestiaryId::Sqlite10k:
    case BestiaryId::Access10k:
        return 10000;
    case BestiaryId::Sqlite100k:
        return 100000;
    }
    return 0;
}

std::filesystem::path sqliteFromScript(const std::filesystem::path& script, const std::string& name)
{
    std::ifstream in(script);
    std::ostringstream sql;
    sql << in.rdbuf();
    const std::filesystem::path file = scratch().file(name);
    SQLite::Database(file.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE).exec(sql.str());
    return file;
}

std::filesystem::path manyFoesSqlite(int count)
{
    const std::filesystem::path file = scratch().file("foes" + std::to_string(count) + ".sqlite");
    std::filesystem::remove(file);  // left by an attempt that failed its check
    writeManyFoesSqlite(file, count);
    return file;
}

// The generated twin must hold what the fixture holds, or the two engines'
// figures would not be comparable: the same lists at every category and the
// same foe behind the names.
void checkSameFoes(const std::filesystem::path& made, BestiaryId fixture)
{
    const auto a = openFoeDatabase(made);
    const auto b = openFoeDatabase(benchBestiary(fixture).file);
    const std::string differ = "the generated twin of " + bestiaryLabel(fixture) + " differs from it: ";
    for (ThreatCategory category = 0; category < kCategoryCount; ++category) {
        const auto names = a->listNames(category);
        if (names != b->listNames(category))
            throw std::runtime_error(differ + "other foes are listed");
        for (std::size_t i = 0; i < names.size(); i += 97) {
            const auto x = a->findFoe(names[i]);
            const auto y = b->findFoe(names[i]);
            if (!x || !y || x->stats != y->stats || x->move != y->move || x->missile != y->missile)
                throw std::runtime_error(differ + "another " + names[i] + " is stored");
        }
    }
}

std::filesystem::path fileOf(BestiaryId id)
{
    switch (id) {
    case BestiaryId::Sqlite14:
        return sqliteFromScript(kFixtures / "foes.sql", "foes14.sqlite");
    case BestiaryId::Access14:
        return kFixtures / "access/foes.mdb";
    case BestiaryId::Access10k:
        return kFixtures / "access/foes-many.mdb";
    case BestiaryId::Sqlite10k:
    case BestiaryId::Sqlite100k:
        return manyFoesSqlite(rowsOf(id));
    }
    throw std::logic_error("unknown bench bestiary");
}

}  // namespace

std::string bestiaryLabel(BestiaryId id)
{
    return (engineOf(id) == BenchEngine::Sqlite ? "SQLite " : "Access ") + std::to_string(rowsOf(id));
}

const BenchBestiary& benchBestiary(BestiaryId id)
{
    static std::map<BestiaryId, BenchBestiary> made;
    if (const auto found = made.find(id); found != made.end())
        return found->second;
    const int rows = rowsOf(id);
    const std::string last = rows == kFixtureRows ? kLastFixtureFoe : manyFoesName(manyFoesStorageOrder(rows).back());
    BenchBestiary bestiary{engineOf(id), fileOf(id), last};
    if (id == BestiaryId::Sqlite10k)
        checkSameFoes(bestiary.file, BestiaryId::Access10k);
    return made.emplace(id, std::move(bestiary)).first->second;
}
