#pragma once

// The part of the program that needs Qt's widgets: the window, and the
// printing of an encounter sheet. It is a module the program loads only when
// asked for one of them (vorn-foe-window.so beside the program), so that an
// answer on the command line never waits for the toolkit to load.

#include "StatBlock.h"

#include <vector>

extern "C" {

// Runs the window until its last window closes; returns the exit status.
// `bestiary` is the file named with --bestiary, or null.
int vornFoeWindow(int argc, char** argv, const char* bestiary);
using VornFoeWindow = int (*)(int, char**, const char*);

// Writes the blocks to `pdfFile`, several to a page; returns 0, or 1 after
// saying on standard error why the file could not be written.
int vornFoeSheet(int argc, char** argv, const std::vector<StatBlock>* blocks, const char* pdfFile);
using VornFoeSheet = int (*)(int, char**, const std::vector<StatBlock>*, const char*);

}
