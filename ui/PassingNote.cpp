#include "PassingNote.h"

#include <QLabel>
#include <QTimer>

namespace {

constexpr int kShownMs = 2000;

// The window's one note, made the first time it is needed.
QLabel* noteOf(QWidget* window)
{
    if (auto* note = window->findChild<QLabel*>("passingNote", Qt::FindDirectChildrenOnly))
        return note;
    auto* note = new QLabel(window);
    note->setObjectName("passingNote");
    note->setForegroundRole(QPalette::ToolTipText);
    note->setBackgroundRole(QPalette::ToolTipBase);
    note->setAutoFillBackground(true);
    note->setFrameShape(QFrame::Box);
    note->setMargin(2);
    note->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* hide = new QTimer(note);
    hide->setObjectName("passingNoteTimer");
    hide->setSingleShot(true);
    QObject::connect(hide, &QTimer::timeout, note, &QWidget::hide);
    return note;
}

}  // namespace

void showPassingNote(QWidget* anchor, const QString& text)
{
    QWidget* window = anchor->window();
    QLabel* note = noteOf(window);
    note->setText(text);
    note->adjustSize();
    // Below the anchor, kept inside the window.
    QPoint at = anchor->mapTo(window, QPoint(0, anchor->height()));
    at.setX(std::max(0, std::min(at.x(), window->width() - note->width())));
    at.setY(std::max(0, std::min(at.y(), window->height() - note->height())));
    note->move(at);
    note->raise();
    note->show();
    note->findChild<QTimer*>("passingNoteTimer")->start(kShownMs);
}
