#pragma once

// Showing a benchmark's window and watching what Qt paints for it.

#include <QObject>

class QWidget;

// Shows the window and returns once it is on the (offscreen) screen and its
// first frame is drawn, so that no iteration pays for the first paint.
void showDrawn(QWidget& window);

// Counts the paint events Qt delivers to any widget while it lives: the
// evidence that a figure and its floor redraw the same boxes.
class PaintCount : public QObject {
public:
    PaintCount();
    ~PaintCount() override;
    int count() const { return count_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int count_ = 0;
};
