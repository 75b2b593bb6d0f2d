#pragma once

#include "BestiarySources.h"

#include <filesystem>
#include <memory>

class frmMain;

// Opens the first bestiary of `sources` that opens and builds the main
// window on it. The sources passed over, and the last refusal when none
// opens, are told in one message box that names each file and its fault,
// and the bestiary opened instead; when none opens, no window is built
// (nullptr).
std::unique_ptr<frmMain> startCalculator(const BestiarySources& sources);

// The whole program: start, then run until the last window closes.
// Returns the process's exit status (1 when no bestiary opens).
int runCalculator(const BestiarySources& sources);
