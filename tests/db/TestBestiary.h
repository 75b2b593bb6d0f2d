#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A throwaway folder holding one "Vorn.mdb", made for a single test and
// removed with it.
class TestBestiary {
public:
    // An SQLite bestiary built from SQL text.
    static TestBestiary fromSql(const std::string& sql);
    // The shared fixture rows (tests/fixtures/foes.sql), plus any extra SQL.
    static TestBestiary fromFixture(const std::string& extraSql = "");
    // A file with exactly these bytes.
    static TestBestiary withBytes(const std::string& bytes);
    // A copy of an existing file, such as an Access fixture.
    static TestBestiary fromFile(const std::filesystem::path& file);

    TestBestiary(TestBestiary&& other) noexcept;
    TestBestiary& operator=(TestBestiary&&) = delete;
    ~TestBestiary();

    const std::filesystem::path& file() const { return file_; }
    std::string bytes() const;
    std::vector<std::string> folderEntries() const;

private:
    TestBestiary();
    std::filesystem::path folder_;
    std::filesystem::path file_;
};

// The fixture rows 80 times over (1120 rows, many pages), named "<name> <n>".
TestBestiary manyPageBestiary();

std::string readFile(const std::filesystem::path& file);

// A file in tests/fixtures, e.g. fixtureFile("access/foes.mdb").
std::filesystem::path fixtureFile(const std::string& relative);
