#include "ControlBehaviour.h"

#include <QEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

namespace {

class SelectAllOnFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            auto* box = static_cast<QLineEdit*>(watched);
            // Deferred: a mouse press that brings the focus places the cursor
            // after this event, which would undo an immediate selection.
            QTimer::singleShot(0, box, [box] { box->setSelection(0, static_cast<int>(box->text().size())); });
        }
        return false;
    }
};

}  // namespace

void selectAllOnEntry(QLineEdit* tally)
{
    tally->installEventFilter(new SelectAllOnFocus(tally));
}

void tabToCheckedButtonOnly(const std::array<QRadioButton*, kCategoryCount>& group)
{
    for (QRadioButton* option : group) {
        auto follow = [option](bool checked) { option->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus); };
        follow(option->isChecked());
        QObject::connect(option, &QRadioButton::toggled, option, follow);
    }
}
