#include "BoxFit.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {

// What QLineEdit keeps free on each side of its text inside the frame, and
// the cursor's width after it.
constexpr int kInnerMargin = 2;
constexpr int kCursorWidth = 1;
// Below this share of the sheet's font a number would no longer be read
// across the table: a tally typed that long is out of range anyway.
constexpr qreal kSmallestShare = 0.5;

// The width the box has for its text. The frame is all a style looks at to
// place a line edit's contents.
int roomFor(const QLineEdit* box)
{
    QStyleOptionFrame frame;
    frame.rect = box->rect();
    frame.direction = box->layoutDirection();
    frame.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box) : 0;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &frame, box);
    const QMargins margins = box->textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * kInnerMargin - kCursorWidth;
}

int widthOf(const QString& text, const QFont& font)
{
    return QFontMetrics(font).horizontalAdvance(text);
}

// Whether a number surely fits without laying its text out, which every
// keystroke would otherwise do for each box it changes: no wider than its
// count of the face's widest sign or digit. Every box takes one face at a
// time, so the last face's widest is remembered, by its family and size.
bool surelyFits(const QString& text, const QFont& face, int room)
{
    static const QString kNumberCharacters = QStringLiteral("0123456789+-. ");
    static QString measuredFamily;
    static int measuredSize = 0;
    static int widest = 0;
    if (face.pixelSize() != measuredSize || face.family() != measuredFamily) {
        const QFontMetrics metrics(face);
        widest = 0;
        for (const QChar c : kNumberCharacters)
            widest = std::max(widest, metrics.horizontalAdvance(c));
        measuredFamily = face.family();
        measuredSize = face.pixelSize();
    }
    return text.size() * widest <= room
        && std::all_of(text.begin(), text.end(), [](QChar c) { return kNumberCharacters.contains(c); });
}

}  // namespace

void fitNumberToBox(QLineEdit* box)
{
    const QFont sheet = box->parentWidget()->font();  // the zoomed face every box takes
    const int room = roomFor(box);
    if (surelyFits(box->text(), sheet, room)) {
        if (box->font() != sheet)
            box->setFont(sheet);
        return;
    }
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
