#pragma once

#include "FoeDatabase.h"

#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

// Where the calculator finds its bestiary, the first that opens:
//   1. the file named on the command line (--bestiary FILE);
//   2. the file last opened with File > Open Bestiary (BestiarySettings.h);
//   3. Vorn.mdb in the user's data folder (~/.local/share/vorn-foe), where a
//      game master's own bestiary is safe from upgrades of the program;
//   4. Vorn.mdb beside the program: the sample, or a portable copy's own.
// A file named on the command line that is refused is the end of it: the
// user asked for that file. A remembered file that is missing or refused is
// reported, forgotten and passed over, as is a refused file in the data
// folder; a data folder without Vorn.mdb is passed over quietly.
struct BestiarySources {
    std::optional<std::filesystem::path> commandLine;
    std::filesystem::path besideProgram;
};

struct ChosenBestiary {
    std::filesystem::path file;
    std::unique_ptr<FoeDatabase> database;  // follows the file's changes
};

// Tells the user why a source was passed over or why none opened: the
// bestiary's DatabaseError, which names the file and the fault.
using RefusalReport = std::function<void(const QString& message)>;

// Nothing when no source opens; every refusal has been reported then.
std::optional<ChosenBestiary> chooseBestiary(const BestiarySources& sources, const RefusalReport& report);

// A bestiary the user picked (File > Open Bestiary, Open Recent, a dropped
// file), opened to follow its file. Throws DatabaseError.
std::unique_ptr<FoeDatabase> openChosenBestiary(const std::filesystem::path& file);

// The user's data folder's Vorn.mdb; empty when the desktop has no data
// folder for the user.
std::filesystem::path dataFolderBestiary();

// Between the program's texts and the file system's names.
QString fileName(const std::filesystem::path& file);
std::filesystem::path filePath(const QString& name);
