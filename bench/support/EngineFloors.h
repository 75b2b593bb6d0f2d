#pragma once

// What the engines themselves cost for the calculator's two questions, with
// no backend around them: the floors the lookup and category figures are
// measured against.
//
// SQLite: the backend's own two queries, word for word, prepared once on a
// read-only connection with the same FOENAME collation registered (a NOCASE
// floor would compare names differently, and the comparisons are most of a
// scan). Each question is bind, step, reset; numbers are read with SQLite's
// own conversions and names go straight from the engine's UTF-8 into Qt.
//
// Access: the rows read from the file once, kept in the best simple
// structure for each question: for a lookup, a vector sorted by the folded
// name (equal names in storage order), so a binary search lands on the first
// stored foe directly; for a list, the named rows in list order, filtered.

#include "BenchBestiaries.h"
#include "FoeRecord.h"
#include "ThreatCategory.h"

#include <QStringList>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

class EngineFloor {
public:
    virtual ~EngineFloor() = default;
    virtual std::optional<FoeRecord> findFoe(const std::string& name) = 0;
    // Appends the names offered at `category`, in list order.
    virtual void appendNames(ThreatCategory category, QStringList& names) = 0;
};

// The floor for the bestiary's engine, on its file.
std::unique_ptr<EngineFloor> engineFloor(const BenchBestiary& bestiary);

class SqliteFloor final : public EngineFloor {
public:
    explicit SqliteFloor(const std::filesystem::path& file);
    ~SqliteFloor();
    SqliteFloor(const SqliteFloor&) = delete;
    SqliteFloor& operator=(const SqliteFloor&) = delete;

    std::optional<FoeRecord> findFoe(const std::string& name) override;
    void appendNames(ThreatCategory category, QStringList& names) override;

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* lookup_ = nullptr;
    sqlite3_stmt* list_ = nullptr;
};

class AccessRowsFloor final : public EngineFloor {
public:
    explicit AccessRowsFloor(const std::filesystem::path& file);

    std::optional<FoeRecord> findFoe(const std::string& name) override;
    void appendNames(ThreatCategory category, QStringList& names) override;

private:
    struct Stored {
        std::string name;
        FoeRecord foe;
    };
    struct Listed {
        std::string name;
        double maxThreat = 0;
    };
    std::vector<Stored> byFoldedName_;
    std::vector<Listed> inListOrder_;
};
