#pragma once

// On Linux, Qt has a combo box tell assistive technology its text
// where its name belongs and leaves the name to a caption's relation, so a
// listener on the foe box hears "[Generic], combo box" and never "Foe".
// From this call on, a combo box with an accessible name of its own says that
// name, with its text as its value; one without says its text, as before.
// Its parts, its list and its edit field, stay as Qt makes them. Call it
// before a combo box is built.
void nameComboBoxesByTheirOwnName();
