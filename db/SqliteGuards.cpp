#include "SqliteGuards.h"

#include "PathText.h"

#include <SQLiteCpp/Exception.h>
#include <sqlite3.h>

#include <ctime>
#include <string_view>
#include <utility>

namespace {

// How many of SQLite's steps pass between two looks at the clock: a look
// at the thread's processor time is a system call, a few hundred steps' worth.
constexpr int kStepsBetweenLooks = 10000;

// Below SQLite's defaults, far above what a Foes view of a game master's
// needs: they bound the work of preparing a hostile schema's views, which
// no read budget covers.
constexpr std::pair<int, int> kLimits[] = {
    {SQLITE_LIMIT_LENGTH, static_cast<int>(kLongestValue)},
    {SQLITE_LIMIT_SQL_LENGTH, static_cast<int>(kLongestValue)},
    {SQLITE_LIMIT_EXPR_DEPTH, 100},
    {SQLITE_LIMIT_COMPOUND_SELECT, 50},
    {SQLITE_LIMIT_VDBE_OP, 25000},
    {SQLITE_LIMIT_ATTACHED, 0},
};

// Views stay: a Foes view is a game master's own way of keeping foes.
constexpr std::pair<int, int> kConfiguration[] = {
    {SQLITE_DBCONFIG_DEFENSIVE, 1},
    {SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0},
    {SQLITE_DBCONFIG_ENABLE_TRIGGER, 0},
};

// Sorting and gathering stay in SQLite's bounded heap; the sizes stored in
// each page are checked as it is read; the file is read, never mapped.
constexpr const char* kPragmas = "PRAGMA temp_store = MEMORY; PRAGMA cell_size_check = ON; PRAGMA mmap_size = 0;";

void check(sqlite3* db, int status)
{
    if (status != SQLITE_OK)
        throw SQLite::Exception(db, status);
}

std::string mebibytes(std::int64_t bytes)
{
    return std::to_string(bytes >> 20) + " MiB";
}

}  // namespace

void guardConnection(sqlite3* db)
{
    sqlite3_hard_heap_limit64(kSqliteHeapLimit);
    for (const auto& [limit, value] : kLimits)
        sqlite3_limit(db, limit, value);
    for (const auto& [option, value] : kConfiguration)
        check(db, sqlite3_db_config(db, option, value, nullptr));
    check(db, sqlite3_exec(db, kPragmas, nullptr, nullptr, nullptr));
}

namespace {

std::chrono::nanoseconds processorTimeSoFar()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

}  // namespace

ReadBudget::ReadBudget(sqlite3* db, std::chrono::milliseconds budget)
    : db_(db), deadline_(processorTimeSoFar() + budget)
{
    sqlite3_progress_handler(db_, kStepsBetweenLooks, &ReadBudget::spent, this);
}

ReadBudget::~ReadBudget()
{
    sqlite3_progress_handler(db_, 0, nullptr, nullptr);
}

int ReadBudget::spent(void* budget)
{
    return processorTimeSoFar() >= static_cast<ReadBudget*>(budget)->deadline_ ? 1 : 0;
}

std::string sqliteFault(const SQLite::Exception& failure, const std::filesystem::path& file, FoesKind foes)
{
    const bool view = foes == FoesKind::View;
    if (failure.getExtendedErrorCode() == SQLITE_READONLY_ROLLBACK) {
        return "an editor stopped while saving it: the changes it had begun wait in \"" + pathText(file.filename())
            + "-journal\" beside it, and SQLite must take them back before the file can be read, which the "
              "calculator, never writing, does not do. Open the file once in an SQLite editor and close it again, "
              "which takes them back; deleting the journal instead would leave the file half-saved";
    }
    switch (failure.getErrorCode()) {
    case SQLITE_INTERRUPT:
        return view ? "its Foes view does not finish in time: reading it takes more than " + openBudgetInWords()
                    : "its table Foes is too large to read in time (more than " + openBudgetInWords() + ")";
    case SQLITE_TOOBIG:
        return "it holds a value longer than " + std::to_string(kLongestValue / 1024)
            + " KiB where a name, a number or a Move belongs" + (view ? ", or its Foes view makes one" : "");
    case SQLITE_NOMEM:
        return "reading it needs more memory than the calculator gives SQLite (" + mebibytes(kSqliteHeapLimit)
            + ")" + (view ? "; its Foes view gathers or sorts too much" : "");
    case SQLITE_CORRUPT:
        return std::string("it is damaged: SQLite found it malformed while reading it (") + failure.what() + ")";
    default:
        break;
    }
    // Untrusted, a view may call only functions marked harmless.
    if (std::string_view(failure.what()).starts_with("unsafe use of"))
        return std::string("its Foes view calls a function that SQLite runs only for a file it trusts (") + failure.what()
            + ")";
    return std::string("SQLite cannot read it (") + failure.what() + ")";
}
