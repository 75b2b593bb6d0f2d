// The README tells game masters to make their own bestiary by running its
// sqlite3 commands on data/foes-example.csv. This runs those very commands,
// taken from the README, on that very file, and reads the result as the
// calculator does: a broken command, a column type that stores numbers as
// text, or a broken example row shows up here instead of at a game table.

#include "FoeColumns.h"
#include "FoeDatabase.h"
#include "OpenFoeDatabase.h"
#include "TestBestiary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

const char* const kMarker = "<!-- csv-to-sqlite -->";

std::string readText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The lines of the ```sh block on the line right after the marker; empty when
// there is no such block, or it is never closed.
std::string markedShellBlock(const std::string& markdown)
{
    std::istringstream lines(markdown);
    std::string line;
    while (std::getline(lines, line) && line != kMarker) {
    }
    if (!std::getline(lines, line) || line != "```sh")
        return {};
    std::string block;
    while (std::getline(lines, line)) {
        if (line == "```")
            return block;
        block += line + '\n';
    }
    return {};
}

// Comma-separated rows as a spreadsheet writes them: a quoted field may hold
// commas, line breaks and doubled quotes.
std::vector<std::vector<std::string>> readCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else
                quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',' || c == '\n') {
            row.push_back(std::move(field));
            field.clear();
            if (c == '\n')
                rows.push_back(std::exchange(row, {}));
        } else if (c != '\r') {
            field += c;
        }
    }
    if (!field.empty() || !row.empty()) {
        row.push_back(std::move(field));
        rows.push_back(std::move(row));
    }
    return rows;
}

double csvNumber(const std::string& field)
{
    double value = 0;
    const auto [end, fault] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (fault != std::errc() || end != field.data() + field.size())
        throw std::runtime_error("not a number in the example CSV: \"" + field + "\"");
    return value;
}

std::string shellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool offers(FoeDatabase& bestiary, ThreatCategory category, const std::string& name)
{
    const std::vector<std::string> names = bestiary.listNames(category);
    return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(ReadmeCsvBestiary, CommandsTurnTheExampleIntoABestiaryOfEveryFoe)
{
    const std::string commands = markedShellBlock(readText(VORN_README));
    ASSERT_FALSE(commands.empty()) << "README.md has no ```sh block on the line after " << kMarker;

    const auto rows = readCsv(readText(VORN_FOES_CSV));
    ASSERT_GE(rows.size(), 2u) << "the example holds no foe";
    ASSERT_EQ(rows.front(), std::vector<std::string>(std::begin(kRequiredColumns), std::end(kRequiredColumns)))
        << "the header line names the columns the calculator reads, in their order";

    // A fresh folder, as a reader starts from: the commands make its Vorn.mdb.
    const TestBestiary made = TestBestiary::withBytes("");
    std::filesystem::remove(made.file());
    const std::filesystem::path folder = made.file().parent_path();
    std::filesystem::copy_file(VORN_FOES_CSV, folder / "foes-example.csv");
    std::ofstream(folder / "commands.sh") << commands;
    const std::string run = "cd " + shellQuoted(folder.string()) + " && sh -e commands.sh";
    ASSERT_EQ(std::system(run.c_str()), 0) << run << "\n" << commands;

    const auto bestiary = openFoeDatabase(made.file());
    std::vector<std::string> names;
    for (std::size_t line = 1; line < rows.size(); ++line) {
        const std::vector<std::string>& row = rows[line];
        ASSERT_EQ(row.size(), kRequiredColumnCount) << "line " << line + 1 << " of the example";
        for (const std::string& field : row)
            EXPECT_FALSE(field.empty()) << "an empty field on line " << line + 1 << " of the example";
        const std::string& name = row[0];
        names.push_back(name);

        const auto foe = bestiary->findFoe(name, kDefaultCategory);
        ASSERT_TRUE(foe.has_value()) << name;
        for (int slot = 0; slot < kFoeStatsSize; ++slot)
            EXPECT_EQ(foe->stats[static_cast<std::size_t>(slot)], csvNumber(row[2 + static_cast<std::size_t>(slot)]))
                << name << ", " << kStatNames[static_cast<std::size_t>(slot)];
        EXPECT_EQ(foe->move, row[10]) << name;
        EXPECT_EQ(foe->missile, csvNumber(row[11])) << name;

        // Max_Threat is read as a number: the foe is offered just below it and not at it.
        const double maxThreat = csvNumber(row[1]);
        ASSERT_TRUE(maxThreat >= 1 && maxThreat <= kCategoryCount) << name << ": Max_Threat " << row[1];
        EXPECT_TRUE(offers(*bestiary, static_cast<ThreatCategory>(maxThreat - 1), name)) << name;
        if (maxThreat < kCategoryCount) {
            EXPECT_FALSE(offers(*bestiary, static_cast<ThreatCategory>(maxThreat), name)) << name;
        }
    }

    // Every foe at the lowest category, and nothing else: not the header line.
    std::vector<std::string> listed = bestiary->listNames(0);
    std::sort(listed.begin(), listed.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(listed, names);
    EXPECT_FALSE(bestiary->findFoe("Name", kDefaultCategory).has_value()) << "the header line was imported as a foe";
}

}  // namespace
