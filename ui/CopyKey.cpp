#include "CopyKey.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// A box takes Ctrl+C for itself before any shortcut sees it, so the key is
// caught on its way into the box.
class CopyWithoutSelection : public QObject {
public:
    CopyWithoutSelection(QObject* parent, QAction* copy) : QObject(parent), copy_(copy) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
            return false;
        const QLineEdit* box = qobject_cast<QLineEdit*>(watched);
        if (auto* foes = qobject_cast<QComboBox*>(watched))
            box = foes->lineEdit();
        if (!box || box->hasSelectedText())
            return false;
        copy_->trigger();
        return true;
    }

private:
    QAction* copy_;
};

}  // namespace

void copyWhenNothingSelected(QWidget* window, QAction* copy)
{
    auto* filter = new CopyWithoutSelection(window, copy);
    for (QLineEdit* box : window->findChildren<QLineEdit*>())
        box->installEventFilter(filter);
    for (QComboBox* box : window->findChildren<QComboBox*>())
        box->installEventFilter(filter);
}
