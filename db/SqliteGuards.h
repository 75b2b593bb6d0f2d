#pragma once

// A bestiary from someone else is a program for SQLite to run: a view named
// Foes may recurse for ever, sort without end or build texts of gigabytes.
// These guards keep every SQLite connection of the calculator within bounds
// that no sound bestiary comes near:
//   - no text or blob longer than kLongestValue is made or read (SQLite
//     refuses it with SQLITE_TOOBIG before it copies it);
//   - SQLite's heap in the whole process stays under kSqliteHeapLimit, and
//     what it sorts or gathers stays in that heap, never in temporary files;
//   - the schema is not trusted: functions not marked harmless do not run
//     from a view, triggers do not fire, and the file cannot be changed by
//     SQL;
//   - a read ends with SQLITE_INTERRUPT once its ReadBudget of processor
//     time is spent.
// sqliteFault puts a failed read into words a game master can act on.

#include "FoeDatabase.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

struct sqlite3;
namespace SQLite {
class Exception;
}

inline constexpr std::int64_t kSqliteHeapLimit = 64 << 20;  // bytes, for SQLite in the whole process

// Sets the limits above on a connection just opened, before it reads the
// file. Throws SQLite::Exception when SQLite refuses one.
void guardConnection(sqlite3* db);

// While it lives, every statement on `db` is ended with SQLITE_INTERRUPT once
// the thread has spent `budget` of processor time since the ReadBudget was
// made. Processor time, not time on the clock: the same file opens, or is
// refused, however busy the machine is; the reading between SQLite's steps
// counts as well.
class ReadBudget {
public:
    ReadBudget(sqlite3* db, std::chrono::milliseconds budget = kOpenBudget);
    ~ReadBudget();
    ReadBudget(const ReadBudget&) = delete;
    ReadBudget& operator=(const ReadBudget&) = delete;

private:
    static int spent(void* budget);

    sqlite3* db_;
    std::chrono::nanoseconds deadline_;  // of the thread's processor time
};

// What kind of thing the file's Foes is, for the words of a fault.
enum class FoesKind { Table, View };

// The fault, in words, of a read of `file` that SQLite ended with `failure`.
std::string sqliteFault(const SQLite::Exception& failure, const std::filesystem::path& file, FoesKind foes);
