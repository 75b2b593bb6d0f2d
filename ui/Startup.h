#pragma once

#include <filesystem>
#include <memory>

class frmMain;

// Opens the bestiary and builds the main window on it. When the bestiary
// cannot be opened, a message box tells the game master what is wrong and
// names the file, and no window is built (nullptr).
std::unique_ptr<frmMain> startCalculator(const std::filesystem::path& bestiaryFile);

// The whole program: start, then run until the last window closes.
// Returns the process's exit status (1 when the bestiary cannot be opened).
int runCalculator(const std::filesystem::path& bestiaryFile);
