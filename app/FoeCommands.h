#pragma once

// The command line's answers, without a window: the names a category
// offers, the stat blocks of named foes computed by the window's own pass,
// and the encounter sheet. The bestiary is the one the window would open,
// or the one named with --bestiary. Each returns the program's exit status,
// after saying on standard error what went wrong, if anything did.

#include "CommandLine.h"

// --list, under a QCoreApplication: the names the window offers at the
// category, "[Generic]" left out, one a line.
int listFoesCommand(const CommandLine& command);

// --foe, under a QCoreApplication: the blocks in the asked format, a JSON
// array when there are several.
int printBlocksCommand(const CommandLine& command);

// --encounter, under a QCoreApplication: each entry's block with its
// count, in the asked format; in JSON an array of --foe's objects, each
// with "count" and "hp" added.
int printEncounterCommand(const CommandLine& command);

// --sheet, under a QGuiApplication (fonts and a painter, no screen).
int writeSheetCommand(const CommandLine& command);

// One line on standard error, "vorn-foe: " and the problem; returns `status`.
int tellProblem(ExitStatus status, const QString& problem);
