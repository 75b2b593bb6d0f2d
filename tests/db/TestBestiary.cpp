#include "TestBestiary.h"

#include <SQLiteCpp/Database.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::filesystem::path fixtureFile(const std::string& relative)
{
    return std::filesystem::path(VORN_TEST_FIXTURES) / relative;
}

// A fresh folder of the test's own: making a folder fails where the name is
// taken, so a name another test run holds is never shared.
TestBestiary::TestBestiary()
{
    std::random_device seed;
    std::mt19937_64 names(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto folder = std::filesystem::temp_directory_path() / ("vorn-test-" + std::to_string(names()));
        std::error_code error;
        if (std::filesystem::create_directory(folder, error)) {
            folder_ = folder;
            file_ = folder_ / "Vorn.mdb";
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TestBestiary::TestBestiary(TestBestiary&& other) noexcept
    : folder_(std::move(other.folder_)), file_(std::move(other.file_))
{
    other.folder_.clear();
}

TestBestiary::~TestBestiary()
{
    if (folder_.empty())
        return;
    // A test may have taken permissions away from what it made there; what a
    // link leads to is not the test's to change.
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, ignored)) {
        if (!entry.is_symlink(ignored))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(folder_, ignored);
}

TestBestiary TestBestiary::fromSql(const std::string& sql)
{
    TestBestiary bestiary;
    SQLite::Database db(bestiary.file_.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    db.exec(sql);
    return bestiary;
}

TestBestiary TestBestiary::fromFixture(const std::string& extraSql)
{
    return fromSql(readFile(std::filesystem::path(VORN_TEST_FIXTURES) / "foes.sql") + extraSql);
}

TestBestiary TestBestiary::withBytes(const std::string& bytes)
{
    TestBestiary bestiary;
    std::ofstream(bestiary.file_, std::ios::binary) << bytes;
    return bestiary;
}

TestBestiary TestBestiary::fromFile(const std::filesystem::path& file)
{
    TestBestiary bestiary;
    std::filesystem::copy_file(file, bestiary.file_);
    return bestiary;
}

TestBestiary manyPageBestiary()
{
    return TestBestiary::fromFixture(
        "WITH RECURSIVE copy(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM copy WHERE n < 79)"
        " INSERT INTO Foes SELECT Name || ' ' || n, Max_Threat, Init, Atk, Dfn, Dam, Soak, HP, Res, Mix,"
        " Move, Missile, Notes FROM Foes, copy;");
}

std::string TestBestiary::bytes() const
{
    return readFile(file_);
}

std::vector<std::string> TestBestiary::folderEntries() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
