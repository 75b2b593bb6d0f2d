#pragma once

// The command line's answers, without a window: the names a category offers,
// and the stat blocks of named foes, computed by the window's own pass.

#include "BestiaryChoice.h"
#include "CommandLine.h"
#include "StatBlock.h"

#include <optional>
#include <string>
#include <vector>

// The bestiary the window would open, or the one named with --bestiary;
// each refusal is told on standard error. Nothing when none opens.
std::optional<ChosenBestiary> openBestiaryForCommand(const CommandLine& command);

// --list: the names the window would offer at the category, "[Generic]" left
// out. Returns the exit status.
int listFoes(FoeDatabase& bestiary, ThreatCategory category);

// One pass per --foe, in the order given. A name the bestiary does not hold
// ("[Generic]" aside) is a mistake to report, not a foe to guess at: nothing,
// with `problem` naming it.
std::optional<std::vector<StatBlock>> computeBlocks(const CommandLine& command, FoeDatabase& bestiary,
                                                    std::string& problem);

// The blocks in the asked format: a JSON array when there are several.
std::string formatBlocks(const std::vector<StatBlock>& blocks, BlockFormat format);
