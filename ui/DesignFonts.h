#pragma once

#include <QFont>

// The window is drawn for five fonts. "MS Sans Serif" and "MS Serif" are
// rarely on a Linux desktop and the decorative face never is, so each is
// mapped to a stand-in that keeps the look: a decorative face under the SIL
// Open Font License (the system's, or a copy built into the program where
// the system has none), and the desktop's own sans and serif faces.
// Sizes are pixel em heights, so they scale with the window on any screen.
enum class FontRole {
    Box,        // every text box and the foe box
    Title,      // "Tally", "Foe"
    Heading,    // the statistic captions
    RowCaption, // "Melee", "Bow", "X-Bow"
    Frame,      // the "Category" frame caption
    Option,     // the category buttons
};

// Registers the stand-ins (the program's own face only where needed); call
// once, after the application object exists and before any window is built.
void installDesignFonts();

// At `percent` of the size the window was drawn for.
QFont designFont(FontRole role, int percent = 100);
