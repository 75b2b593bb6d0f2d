#include "AccessibleComboBox.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>

#include <algorithm>
#include <vector>

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

    // The list first, then the edit field, as Qt orders them; then the
    // suggestions offered as the game master types, once there are any. Qt
    // leaves a popup such as theirs out of the application's windows, so
    // here is where a screen reader finds them.
    int childCount() const override { return int(parts().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const std::vector<QObject*> all = parts();
        return index >= 0 && index < int(all.size()) ? QAccessible::queryAccessibleInterface(all[std::size_t(index)])
                                                     : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* part) const override
    {
        const std::vector<QObject*> all = parts();
        const auto at = std::find(all.begin(), all.end(), part->object());
        return at == all.end() ? -1 : int(at - all.begin());
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

    std::vector<QObject*> parts() const
    {
        std::vector<QObject*> all{box()->view()};
        if (box()->isEditable())
            all.push_back(box()->lineEdit());
        if (const auto* offers = box()->findChild<QCompleter*>(QString(), Qt::FindDirectChildrenOnly))
            all.push_back(offers->popup());
        return all;
    }
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
