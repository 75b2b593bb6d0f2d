#pragma once

class QString;
class QWidget;

// A short note on what just happened ("Copied Orc at Equal", "Marsh Archer
// is not offered at Superior: showing [Generic]"), shown just below `anchor`
// where the game master's eyes are, and gone by itself after two seconds.
// It is part of the window rather than a tooltip, so that a dialog closing
// or the window being activated again does not take it away unread. One
// note at a time: a new one replaces the last.
void showPassingNote(QWidget* anchor, const QString& text);
