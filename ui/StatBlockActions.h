#pragma once

#include "StatBlock.h"

#include <functional>
#include <vector>

class QMenu;
class QWidget;

// Adds to the File menu, after a separator, the ways a stat block leaves the
// window: "&Copy Stat Block" (Ctrl+Shift+C, and Ctrl+C in a box with nothing
// selected) puts it on the clipboard as plain text, HTML and Markdown at
// once; "&Print..." (Ctrl+P) prints it through the desktop's print dialog;
// "&Export PDF..." (Ctrl+Shift+E) saves the same page as a PDF file. A
// success is told in a passing note by the menu bar, a failure in a message
// box naming the file or printer and the reason; a cancelled dialog does
// nothing. `current` is the block the window shows.
void addStatBlockActions(QMenu* file, QWidget* window, std::function<StatBlock()> current);

// "&Print..." (Ctrl+P) and "&Export PDF..." (Ctrl+Shift+E) alone, for the
// pages of `blocks`, as addStatBlockActions adds them for one block.
void addPrintActions(QMenu* file, QWidget* window, std::function<std::vector<StatBlock>()> blocks);
