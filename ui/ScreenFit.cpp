#include "ScreenFit.h"

#include "SheetZoom.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace {

// A border a window manager draws around a window, at most, on each side.
constexpr int kLikelyBorder = 4;

// The frame the window manager puts around the window; before the window is
// shown and framed, a title bar and borders are counted on.
QSize frameOf(const QWidget* window)
{
    const QSize frame = window->frameGeometry().size() - window->size();
    if (!frame.isEmpty())
        return frame;
    return {2 * kLikelyBorder, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * kLikelyBorder};
}

}  // namespace

int largestZoomThatFits(const QWidget* window, int wanted, const std::function<QSize(int)>& sizeAt)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return wanted;
    const QSize room = screen->availableGeometry().size();
    const QSize frame = frameOf(window);
    int step = wanted;
    while (step > kZoomSteps.front()) {
        const QSize needed = sizeAt(step) + frame;
        if (needed.width() <= room.width() && needed.height() <= room.height())
            break;
        step = zoomedOut(step);
    }
    return step;
}

void keepInsideScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QRect frame(window->frameGeometry().topLeft(), window->size() + frameOf(window));
    const int x = std::clamp(frame.x(), room.left(), std::max(room.left(), room.right() + 1 - frame.width()));
    const int y = std::clamp(frame.y(), room.top(), std::max(room.top(), room.bottom() + 1 - frame.height()));
    if (x != frame.x() || y != frame.y())
        window->move(x, y);
}
