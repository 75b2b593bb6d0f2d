#pragma once

#include "BestiaryChoice.h"

#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

// The calculator's way to its bestiary, for the window and the command line
// alike: the candidates of BestiaryChoice.h, the remembered one from
// BestiarySettings and the data folder from Qt.
struct BestiarySources {
    std::optional<std::filesystem::path> commandLine;
    std::filesystem::path besideProgram;
};

// Tells the user why a source was passed over or why none opened: the
// bestiary's DatabaseError, which names the file and the fault.
using RefusalReport = std::function<void(const QString& message)>;

// The candidates, with the remembered file from the user's settings and the
// data folder's from Qt.
BestiaryCandidates bestiaryCandidates(const BestiarySources& sources);

// The window's bestiary: the first candidate that opens. Nothing when none
// does; every refusal has been reported then. A remembered file passed over
// is no longer the one opened at start.
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
