#pragma once

class QAction;
class QWidget;

// Ctrl+C in a box of `window` (every line edit, and the foe box) copies the
// box's selected text as ever; with nothing selected in it, `copy` is
// triggered instead, so the game master need not select to copy the foe.
void copyWhenNothingSelected(QWidget* window, QAction* copy);
