#pragma once

#include <QSize>

#include <functional>

class QWidget;

// The largest zoom step, at most `wanted`, at which `window` fits the area
// its screen leaves for windows, frame and title bar included, when at each
// step it would be `sizeAt(step)` (the window without its frame); the
// smallest step when none fits.
int largestZoomThatFits(const QWidget* window, int wanted, const std::function<QSize(int)>& sizeAt);

// Moves a window that passes, or once shown would pass, an edge of that
// area back inside it.
void keepInsideScreen(QWidget* window);
