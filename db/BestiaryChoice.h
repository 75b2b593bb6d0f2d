#pragma once

// Where the calculator finds its bestiary, in this order:
//   1. the file named on the command line (--bestiary FILE);
//   2. the file last opened with File > Open Bestiary;
//   3. Vorn.mdb in the user's data folder (~/.local/share/vorn-foe), where a
//      game master's own bestiary is safe from upgrades of the program;
//   4. Vorn.mdb beside the program: the sample, or a portable copy's own.
// The window takes the first that opens. A file named on the command line
// that is refused is the end of it: the user asked for that file. A
// remembered file that is missing or refused is reported, no longer opened
// at start, and passed over, as is a refused file in the data folder; a
// data folder without Vorn.mdb is passed over quietly. An answer on the
// command line takes the first there is, and a refusal ends it.
//
// The desktop layer finds the candidates in the user's folders and settings;
// the choice among them is made here.

#include "FoeDatabase.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

struct BestiaryCandidates {
    std::optional<std::filesystem::path> commandLine;
    std::optional<std::filesystem::path> remembered;
    std::filesystem::path dataFolderFile;  // empty when the user has no data folder
    std::filesystem::path besideProgram;
};

struct ChosenBestiary {
    std::filesystem::path file;
    std::unique_ptr<FoeDatabase> database;  // follows the file's changes
};

// The window's choice. Nothing when no candidate opens. `report` hears each
// refusal (the DatabaseError's text, which names the file and the fault);
// `forgetRemembered` is called when the remembered file is passed over.
std::optional<ChosenBestiary> openFirstBestiary(const BestiaryCandidates& candidates,
                                                const std::function<void(const std::string&)>& report,
                                                const std::function<void()>& forgetRemembered);

// The command line's choice: the first candidate there is, whether it opens
// or not (a data folder without Vorn.mdb is not there), so that a script is
// never answered from another bestiary than the one the game master keeps.
std::filesystem::path intendedBestiary(const BestiaryCandidates& candidates);
