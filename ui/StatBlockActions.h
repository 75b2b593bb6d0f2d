#pragma once

#include "StatBlock.h"

#include <functional>

class QMenu;
class QWidget;

// Adds to the File menu, after a separator, the ways a stat block leaves the
// window: "&Copy Stat Block" (Ctrl+Shift+C, and Ctrl+C in a box with nothing
// selected) puts it on the clipboard as plain text, HTML and Markdown at
// once, and a note by the menu bar that goes by itself says so. `current` is
// the block the window shows.
void addStatBlockActions(QMenu* file, QWidget* window, std::function<StatBlock()> current);
