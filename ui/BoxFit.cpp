#include "BoxFit.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// What QLineEdit keeps free on each side of its text inside the frame, and
// the cursor's width after it.
constexpr int kInnerMargin = 2;
constexpr int kCursorWidth = 1;
// Below this share of the sheet's font a number would no longer be read
// across the table: a tally typed that long is out of range anyway.
constexpr qreal kSmallestShare = 0.5;

// The width the box has for its text.
int roomFor(const QLineEdit* box)
{
    QStyleOptionFrame frame;
    frame.initFrom(box);
    frame.rect = box->rect();
    frame.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, box) : 0;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &frame, box);
    const QMargins margins = box->textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * kInnerMargin - kCursorWidth;
}

int widthOf(const QString& text, const QFont& font)
{
    return QFontMetrics(font).horizontalAdvance(text);
}

}  // namespace

void fitNumberToBox(QLineEdit* box)
{
    const QFont sheet = box->parentWidget()->font();  // the zoomed face every box takes
    const int room = roomFor(box);
    QFont font = sheet;
    const int needed = widthOf(box->text(), sheet);
    if (needed > room && room > 0) {
        const int smallest = std::max(1, static_cast<int>(sheet.pixelSize() * kSmallestShare));
        int size = std::max(smallest, sheet.pixelSize() * room / needed);
        font.setPixelSize(size);
        while (size > smallest && widthOf(box->text(), font) > room)
            font.setPixelSize(--size);
    }
    if (box->font() != font)
        box->setFont(font);
}

void fitMoveToBox(QLineEdit* move)
{
    move->setCursorPosition(0);
    const bool cut = widthOf(move->text(), move->font()) > roomFor(move);
    move->setToolTip(cut ? move->text() : QString());
}
