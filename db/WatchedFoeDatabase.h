#pragma once

#include "FoeDatabase.h"

#include <sys/types.h>

#include <ctime>

// A bestiary that follows its file. A game master may edit the file while
// the calculator runs: in place (SQLite editors), or by writing a new file
// and renaming it over the old one (most editors' safe save), which an open
// connection would never notice. Before each answer the file's identity,
// size, times and first bytes are compared with those it had when it was
// read; when they differ, the file is read again, in whichever format it now
// holds. The first bytes hold SQLite's change counter, which every committed
// change moves: it tells an edit that kept the size from an unchanged file
// where the file system keeps times only to the second or coarser.
//
// A changed file that cannot be read raises DatabaseError, as any bestiary
// that fails while the calculator runs does; the next question tries again,
// so a file caught half-written is read once its editor has finished.
class WatchedFoeDatabase final : public FoeDatabase {
public:
    // Opens the file; throws DatabaseError as openFoeDatabase does.
    explicit WatchedFoeDatabase(std::filesystem::path file);

    std::vector<std::string> listNames(ThreatCategory category) override;
    std::optional<FoeRecord> findFoe(const std::string& name) override;

private:
    struct Stamp {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        std::string firstBytes;
        bool operator==(const Stamp& other) const;
    };
    Stamp stampNow() const;
    FoeDatabase& current();

    std::filesystem::path file_;
    Stamp stamp_;
    std::unique_ptr<FoeDatabase> read_;
};
