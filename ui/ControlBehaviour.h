#pragma once

#include "ThreatCategory.h"

#include <array>

class QLineEdit;
class QRadioButton;

// Entering a tally, by key or by mouse, selects its whole text, so typing
// replaces the number instead of extending it.
void selectAllOnEntry(QLineEdit* tally);

// Tab enters the category group at its checked button, as one stop; the
// arrow keys move within the group.
void tabToCheckedButtonOnly(const std::array<QRadioButton*, kCategoryCount>& group);

