#include "AccessibleComboBox.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace {

class NamedComboBox : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return box()->currentText();  // as Qt has it, for a box nobody named
        if (kind == QAccessible::Value)
            return box()->currentText();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = box()->view()->isVisible();
        s.editable = box()->isEditable();
        return s;
    }

    // The list first, then the edit field, as Qt orders them.
    int childCount() const override { return box()->isEditable() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(box()->view());
        if (index == 1 && box()->isEditable())
            return QAccessible::queryAccessibleInterface(box()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* part) const override
    {
        if (part->object() == box()->view())
            return 0;
        return box()->isEditable() && part->object() == box()->lineEdit() ? 1 : -1;
    }
    // An editable box takes the focus for its edit field, where typing goes.
    QAccessibleInterface* focusChild() const override { return child(1); }

    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << showMenuAction(); }
    void doAction(const QString& action) override
    {
        if (action == showMenuAction())
            box()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

// Whether a box is editable, and whether it is named, may change after Qt
// first asks for its interface, so every combo box gets one that asks each
// time.
QAccessibleInterface* comboBoxes(const QString&, QObject* object)
{
    auto* box = qobject_cast<QComboBox*>(object);
    return box ? new NamedComboBox(box) : nullptr;
}

}  // namespace

void nameComboBoxesByTheirOwnName()
{
    QAccessible::installFactory(comboBoxes);
}
