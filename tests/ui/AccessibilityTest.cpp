#include "GuiFixture.h"

#include <QAccessible>
#include <QSet>

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    // Every control the keyboard can reach, the category buttons included,
    // tells a screen reader what it is, and no two say the same.
    void everyFocusableControlHasItsOwnName()
    {
        OpenWindow w;
        w.showActive();
        QSet<QString> names;
        int focusable = 0;
        for (QWidget* control : w.window->centralWidget()->findChildren<QWidget*>()) {
            // The foe box takes the focus for its edit field and speaks for it.
            const bool foeBoxPart = control->parentWidget() == w.control("cboFoes");
            if (foeBoxPart || !(control->focusPolicy() & Qt::ClickFocus) || !control->isVisible())
                continue;
            ++focusable;
            QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(control);
            QVERIFY(reader);
            const QString name = reader->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(control->objectName() + " has no name"));
            QVERIFY2(!names.contains(name), qPrintable(name + " is used twice"));
            names.insert(name);
        }
        QCOMPARE(focusable, 7 + 7 + 8 + 4 + 7 + 1);  // tallies, statistics, ranged, other results, options, foe box
        for (const char* expected : {"Init tally", "Melee Atk", "Bow Dam", "X-Bow Init", "Wound", "Foe",
                                     "Superior", "HP"})
            QVERIFY2(names.contains(expected), expected);
    }

    // Action: type a name into the foe box.
    // Expected: the box still says what it is, "Foe", and holds the name as its value.
    void foeBoxIsNamedFoeWithItsTextAsValue()
    {
        OpenWindow w;
        w.showActive();
        typeFoe(w, "Orc");
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(w.control("cboFoes"));
        QCOMPARE(reader->role(), QAccessible::ComboBox);
        QCOMPARE(reader->text(QAccessible::Name), "Foe");
        QCOMPARE(reader->text(QAccessible::Value), "Orc");
    }

    void resultsSayTheyAreResults()
    {
        OpenWindow w;
        for (const char* result : {"txtFoe(0)", "txtBow(3)", "txtMight", "txtWT"}) {
            QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(w.control(result));
            QVERIFY2(reader->text(QAccessible::Description).startsWith("Result"), result);
        }
        QVERIFY(!QAccessible::queryAccessibleInterface(w.box("txtTally", 0))
                     ->text(QAccessible::Description)
                     .startsWith("Result"));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
