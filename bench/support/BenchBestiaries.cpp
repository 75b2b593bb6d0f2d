#include "BenchBestiaries.h"

#include "FoeDatabase.h"
#include "ManyFoes.h"
#include "OpenFoeDatabase.h"

#include <SQLiteCpp/Database.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>

namespace {

const std::filesystem::path kFixtures = VORN_BENCH_FIXTURES;
constexpr int kFixtureRows = 14;
constexpr const char* kLastFixtureFoe = "zombie";

std::optional<std::filesystem::path> keptFolder;

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

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

const std::filesystem::path& bestiaryFolder()
{
    if (keptFolder)
        return *keptFolder;
    static const ScratchFolder scratch;
    return scratch.path();
}

BenchEngine engineOf(BestiaryId id)
{
    return id == BestiaryId::Access10k ? BenchEngine::Access : BenchEngine::Sqlite;
}

int rowsOf(BestiaryId id)
{
    switch (id) {
    case BestiaryId::Sqlite14:
    case BestiaryId::Generated14:
        return kFixtureRows;
    case BestiaryId::Sqlite10k:
    case BestiaryId::Access10k:
        return 10000;
    case BestiaryId::Sqlite100k:
        return 100000;
    }
    return 0;
}

// The file `name` in the bestiary folder, made by `make` unless it is there
// already. It is made under another name and renamed when complete, so that
// a run cut short leaves no half-made bestiary to be used again.
std::filesystem::path madeOnce(const std::string& name, const std::function<void(const std::filesystem::path&)>& make)
{
    const std::filesystem::path file = bestiaryFolder() / name;
    if (std::filesystem::exists(file))
        return file;
    std::filesystem::path part = file;
    part += ".part";
    std::filesystem::remove(part);
    make(part);
    std::filesystem::rename(part, file);
    return file;
}

void writeSqliteFromScript(const std::filesystem::path& script, const std::filesystem::path& file)
{
    std::ifstream in(script);
    std::ostringstream sql;
    sql << in.rdbuf();
    SQLite::Database(file.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE).exec(sql.str());
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
            const auto x = a->findFoe(names[i], kDefaultCategory);
            const auto y = b->findFoe(names[i], kDefaultCategory);
            if (!x || !y || x->stats != y->stats || x->move != y->move || x->missile != y->missile)
                throw std::runtime_error(differ + "another " + names[i] + " is stored");
        }
    }
}

std::filesystem::path fileOf(BestiaryId id)
{
    const int rows = rowsOf(id);
    switch (id) {
    case BestiaryId::Sqlite14:
        return madeOnce("fixture-foes.sqlite",
                        [](const std::filesystem::path& file) { writeSqliteFromScript(kFixtures / "foes.sql", file); });
    case BestiaryId::Access10k:
        return kFixtures / "access/foes-many.mdb";
    case BestiaryId::Generated14:
    case BestiaryId::Sqlite10k:
    case BestiaryId::Sqlite100k:
        return madeOnce("foes" + std::to_string(rows) + ".sqlite", [id, rows](const std::filesystem::path& file) {
            writeManyFoesSqlite(file, rows);
            if (id == BestiaryId::Sqlite10k)
                checkSameFoes(file, BestiaryId::Access10k);
        });
    }
    throw std::logic_error("unknown bench bestiary");
}

}  // namespace

std::string bestiaryLabel(BestiaryId id)
{
    if (id == BestiaryId::Generated14)
        return "SQLite 14 generated";
    return (engineOf(id) == BenchEngine::Sqlite ? "SQLite " : "Access ") + std::to_string(rowsOf(id));
}

void keepBestiariesIn(const std::filesystem::path& folder)
{
    keptFolder = folder;
}

const BenchBestiary& benchBestiary(BestiaryId id)
{
    static std::map<BestiaryId, BenchBestiary> made;
    if (const auto found = made.find(id); found != made.end())
        return found->second;
    const int rows = rowsOf(id);
    const std::string last = id == BestiaryId::Sqlite14 ? kLastFixtureFoe : manyFoesName(manyFoesStorageOrder(rows).back());
    BenchBestiary bestiary{engineOf(id), fileOf(id), last};
    return made.emplace(id, std::move(bestiary)).first->second;
}
