#pragma once

#include "FileHeader.h"
#include "FoeDatabase.h"

#include <memory>

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
    std::optional<FoeRecord> findFoe(const std::string& name, ThreatCategory category) override;

private:
    FoeDatabase& current();

    std::filesystem::path file_;
    FileHeader header_;  // as it was read just before the foes
    std::unique_ptr<FoeDatabase> read_;
};
