#pragma once

class QLineEdit;

// Entering a tally, by key or by mouse, selects its whole text, so typing
// replaces the number instead of extending it.
void selectAllOnEntry(QLineEdit* tally);
