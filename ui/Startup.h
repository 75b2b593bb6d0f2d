#pragma once

#include "BestiarySources.h"

#include <filesystem>
#include <memory>

class frmMain;

// Opens the first bestiary of `sources` that opens and builds the main
// window on it. Each source passed over, and the last refusal when none
// opens, is told in a message box that names the file and the fault; then no
// window is built (nullptr).
std::unique_ptr<frmMain> startCalculator(const BestiarySources& sources);

// The whole program: start, then run until the last window closes.
// Returns the process's exit status (1 when no bestiary opens).
int runCalculator(const BestiarySources& sources);
