#pragma once

// Shared by the headless window tests: windows on throwaway bestiaries,
// controls found by their sheet names, and a watchdog that turns a modal
// dialog nobody expected into a failure instead of a hung test.

#include "TestBestiary.h"
#include "WatchedFoeDatabase.h"
#include "frmMain.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// The window opened on a throwaway bestiary, by default the shared fixture
// rows, following its file as the program does.
struct OpenWindow {
    OpenWindow() : OpenWindow(TestBestiary::fromFixture()) {}
    explicit OpenWindow(TestBestiary rows)
        : bestiary(std::move(rows)), window(std::make_unique<frmMain>(std::make_unique<WatchedFoeDatabase>(bestiary.file())))
    {
    }

    TestBestiary bestiary;
    std::unique_ptr<frmMain> window;

    template <class T = QWidget>
    T* control(const QString& name) const
    {
        T* found = window->findChild<T*>(name);
        if (!found)
            qFatal("no control named %s", qPrintable(name));
        return found;
    }
    QLineEdit* box(const char* array, int index) const
    {
        return control<QLineEdit>(QStringLiteral("%1(%2)").arg(array).arg(index));
    }
    QLineEdit* box(const char* name) const { return control<QLineEdit>(name); }

    // Shows the window and waits until it has the keyboard.
    void showActive() const
    {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
};

// The foe box's list, "[Generic]" first.
// The passing note the window shows now; "" when there is none.
inline QString passingNote(const OpenWindow& w)
{
    const auto* note = w.window->findChild<QLabel*>("passingNote");
    return note && !note->isHidden() ? note->text() : QString();
}

inline QStringList listed(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

// Types into the foe box as a game master does: select what is there, then type.
inline void typeFoe(const OpenWindow& w, const QString& name)
{
    auto* foes = w.control<QComboBox>("cboFoes");
    foes->setFocus();
    QTest::keyClick(foes, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(foes, name);
}

// Opens the foe box's list and clicks the entry with this name.
inline void pickFoe(const OpenWindow& w, const QString& name)
{
    auto* foes = w.control<QComboBox>("cboFoes");
    foes->showPopup();
    QAbstractItemView* list = foes->view();
    const int row = foes->findText(name, Qt::MatchExactly);
    QVERIFY2(row >= 0, qPrintable(name + " is not listed"));
    const QRect cell = list->visualRect(foes->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTRY_VERIFY(!list->isVisible());
}

// Calls `handle` with the first modal dialog that appears within the
// timeout (or with nullptr), from the event loop, so a test can answer a
// dialog opened by the code under test.
inline void whenModalAppears(std::function<void(QWidget*)> handle, int timeoutMs = 5000)
{
    auto* poll = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, waited, handle, timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        *waited += 20;
        if (modal || *waited >= timeoutMs) {
            poll->stop();
            poll->deleteLater();
            handle(modal);
        }
    });
    poll->start(20);
}
