#include "AboutBox.h"
#include "AppIcon.h"
#include "ScopedEnvironment.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <memory>

namespace {

QDialog* openAboutBox()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("frmAbout") && window->isVisible())
            return qobject_cast<QDialog*>(window);
    }
    return nullptr;
}

template <typename T = QWidget>
T* control(QWidget* box, const QString& name)
{
    return box->findChild<T*>(name, Qt::FindDirectChildrenOnly);
}

// Plays what a user does, step by step: "click:cmdOK" clicks a control,
// "close" uses the title bar's close button, anything else is a key (as
// QKeySequence spells it) pressed where the keyboard focus is.
void act(QDialog* box, const QString& steps)
{
    for (const QString& step : steps.split(' ')) {
        if (step.startsWith("click:")) {
            QTest::mouseClick(control(box, step.mid(6)), Qt::LeftButton);
        } else if (step == "close") {
            box->windowHandle()->close();
        } else {
            const QKeyCombination key = QKeySequence::fromString(step)[0];
            QVERIFY2(QApplication::focusWidget() != nullptr, "nothing has the keyboard focus");
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        }
    }
}

// What a test saw of an application-modal dialog before closing it.
struct ModalSeen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    qsizetype buttonCount = 0;
    Qt::WindowModality modality = Qt::NonModal;
};

}  // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void showsTheLoadedTexts();
    void controlGeometry_data();
    void controlGeometry();
    void isAFixedModelessBoxOfItsOwn();
    void labelsHoldTheirWholeText_data();
    void labelsHoldTheirWholeText();
    void separatorIsGreyOverWhite();
    void iconFillsItsSunkenBox();
    void tabOrderRunsOkIconSysInfo();
    void closingUnloads_data();
    void closingUnloads();
    void showingAgainLoadsAfresh_data();
    void showingAgainLoadsAfresh();
    void showingWhileOpenKeepsTheOneBox();
    void sysInfoWithoutToolSaysSo_data();
    void sysInfoWithoutToolSaysSo();
    void sysInfoStartsTheToolEachClick();
    void programEndsWithItsLastWindow();

private:
    QDialog* showBox();
    void closeModals();

    QTemporaryDir folder_;
    std::unique_ptr<ScopedEnvironment> searchPath_;
    std::unique_ptr<ScopedEnvironment> configFolders_;
    QTimer modalCloser_;
    QList<ModalSeen> modalsSeen_;
};

void AboutBoxTest::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    QVERIFY(QDir(folder_.path()).mkpath("bin") && QDir(folder_.path()).mkpath("etc"));
    // No settings file and no tool: System Info has nothing to start unless a
    // test puts a tool into bin.
    searchPath_ = std::make_unique<ScopedEnvironment>("PATH", folder_.filePath("bin").toLocal8Bit());
    configFolders_ = std::make_unique<ScopedEnvironment>("XDG_CONFIG_DIRS", folder_.filePath("etc").toLocal8Bit());

    // Any modal dialog is closed within moments, so that one a test does not
    // expect fails that test in cleanup() instead of hanging it.
    connect(&modalCloser_, &QTimer::timeout, this, &AboutBoxTest::closeModals);
    modalCloser_.start(50);
}

void AboutBoxTest::cleanupTestCase()
{
    modalCloser_.stop();
    configFolders_.reset();
    searchPath_.reset();
    QLocale::setDefault(QLocale::system());
}

void AboutBoxTest::init()
{
    modalsSeen_.clear();
}

void AboutBoxTest::cleanup()
{
    if (QDialog* box = openAboutBox())
        box->close();
    QTRY_VERIFY(openAboutBox() == nullptr);
    QFile::remove(folder_.filePath("bin/hardinfo"));
    QCOMPARE(modalsSeen_.size(), 0);
}

void AboutBoxTest::closeModals()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr)
        return;
    ModalSeen seen{modal->windowTitle(), {}, QMessageBox::NoIcon, {}, 0, modal->windowModality()};
    if (auto* message = qobject_cast<QMessageBox*>(modal)) {
        seen.text = message->text();
        seen.icon = message->icon();
        seen.buttons = message->standardButtons();
        seen.buttonCount = message->buttons().size();
        QTest::mouseClick(message->buttons().constFirst(), Qt::LeftButton);
    } else {
        modal->close();
    }
    modalsSeen_ << seen;
}

QDialog* AboutBoxTest::showBox()
{
    showAboutBox();
    QDialog* box = openAboutBox();
    return box != nullptr && QTest::qWaitForWindowActive(box) ? box : nullptr;
}

void AboutBoxTest::showsTheLoadedTexts()
{
    QDialog* box = showBox();
    QVERIFY(box != nullptr);
    QCOMPARE(box->windowTitle(), "About Vorn Foe Calculator");
    QCOMPARE(control<QLabel>(box, "lblVersion")->text(), "Version " VORN_PROJECT_VERSION);
    QCOMPARE(control<QLabel>(box, "lblTitle")->text(), "Vorn Foe Calculator");
    QCOMPARE(control<QPushButton>(box, "cmdOK")->text(), "OK");
    QCOMPARE(control<QPushButton>(box, "cmdSysInfo")->text(), "&System Info...");
    QVERIFY(!control<QLabel>(box, "lblDescription")->text().isEmpty());
    QVERIFY(!control<QLabel>(box, "lblDisclaimer")->text().isEmpty());
}

void AboutBoxTest::controlGeometry_data()
{
    QTest::addColumn<QRect>("expected");
    QTest::newRow("picIcon") << QRect(16, 16, 36, 36);
    QTest::newRow("cmdOK") << QRect(283, 175, 84, 23);
    QTest::newRow("cmdSysInfo") << QRect(284, 205, 83, 23);
    QTest::newRow("lblTitle") << QRect(70, 16, 259, 32);
    QTest::newRow("lblVersion") << QRect(70, 52, 259, 15);
    QTest::newRow("lblDescription") << QRect(70, 75, 259, 78);
    QTest::newRow("lblDisclaimer") << QRect(17, 175, 258, 55);
    QTest::newRow("Line1(0)") << QRect(7, 163, 370, 2);
    QTest::newRow("Line1(1)") << QRect(6, 163, 371, 1);
}

void AboutBoxTest::controlGeometry()
{
    QFETCH(QRect, expected);
    QDialog* box = showBox();
    QVERIFY(box != nullptr);
    QWidget* widget = control(box, QTest::currentDataTag());
    QVERIFY(widget != nullptr && widget->isVisible());
    QCOMPARE(widget->geometry(), expected);
}

void AboutBoxTest::isAFixedModelessBoxOfItsOwn()
{
    QDialog* box = showBox();
    QVERIFY(box != nullptr);
    QCOMPARE(box->size(), QSize(382, 237));
    QCOMPARE(box->minimumSize(), box->maximumSize());
    QCOMPARE(box->geometry().topLeft(), QGuiApplication::primaryScreen()->geometry().topLeft() + QPoint(156, 129));
    QVERIFY(box->parentWidget() == nullptr);
    QCOMPARE(box->windowModality(), Qt::NonModal);
}

void AboutBoxTest::labelsHoldTheirWholeText_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"})
        QTest::newRow(name) << name;
}

// Labels cut their text off at the bottom edge: our own texts must fit.
void AboutBoxTest::labelsHoldTheirWholeText()
{
    QFETCH(QString, name);
    QDialog* box = showBox();
    QVERIFY(box != nullptr);
    auto* label = control<QLabel>(box, name);
    QVERIFY(label != nullptr);
    QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
             qPrintable(QStringLiteral("needs %1 pixels").arg(label->heightForWidth(label->width()))));
}

void AboutBoxTest::separatorIsGreyOverWhite()
{
    QDialog* box = showBox();
    QVERIFY(box != nullptr);
    const QImage image = box->grab().toImage();
    const QRgb background = box->palette().color(QPalette::Window).rgb();
    const QRgb grey = qRgb(128, 128, 128);
    const QRgb white = qRgb(255, 255, 255);

    QCOMPARE(image.pixel(100, 162), background);
    QCOMPARE(image.pixel(100, 163), grey);
    QCOMPARE(image.pixel(100, 164), white);
    QCOMPARE(image.pixel(100, 165), background);
    QCOMPARE(image.pixel(6, 163), grey);
    QCOMPARE(image.pixel(6, 164), background);
}

void AboutBoxTest::iconFillsItsSunkenBox()
{
    QDialog* box = showBox();
    QVERIFY(box != nullptr);
    auto* picIcon = control<QLabel>(box, "picIcon");
    QCOMPARE(picIcon->frameStyle(), QFrame::Panel | QFrame::Sunken);
    QCOMPARE(picIcon->contentsRect(), QRect(2, 2, 32, 32));

    const QImage icon = picIcon->pixmap().toImage();
    QCOMPARE(icon.size(), QSize(32, 32));
    QSet<QRgb> colours;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x)
            colours.insert(icon.pixel(x, y));
    }
    QVERIFY2(colours.size() >= 4 && colours.size() <= 16, qPrintable(QString::number(colours.size())));
    QVERIFY(appIcon().availableSizes().contains(QSize(32, 32)));
}

void AboutBoxTest::tabOrderRunsOkIconSysInfo()
{
    QDialog* box = showBox();
    QVERIFY(box != nullptr);
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (const char* key : {"Tab", "Tab", "Tab", "Shift+Tab"}) {
        act(box, key);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({"cmdOK", "picIcon", "cmdSysInfo", "cmdOK", "cmdSysInfo"}));
}

void AboutBoxTest::closingUnloads_data()
{
    QTest::addColumn<QString>("steps");
    QTest::newRow("click_ok") << "click:cmdOK";
    QTest::newRow("enter_on_ok") << "Enter";
    QTest::newRow("return_on_ok") << "Return";
    QTest::newRow("space_on_ok") << "Space";
    QTest::newRow("enter_on_icon_presses_ok") << "Tab Enter";
    QTest::newRow("escape") << "Esc";
    QTest::newRow("escape_on_sysinfo") << "Tab Tab Esc";
    QTest::newRow("title_bar_close") << "close";
}

void AboutBoxTest::closingUnloads()
{
    QFETCH(QString, steps);
    QPointer<QDialog> box = showBox();
    QVERIFY(box != nullptr);
    act(box, steps);
    QTRY_VERIFY(box.isNull());
}

void AboutBoxTest::showingAgainLoadsAfresh_data()
{
    QTest::addColumn<bool>("waitForUnload");
    QTest::newRow("after_unloading") << true;
    QTest::newRow("at_once_after_escape") << false;
}

void AboutBoxTest::showingAgainLoadsAfresh()
{
    QFETCH(bool, waitForUnload);
    QPointer<QDialog> first = showBox();
    QVERIFY(first != nullptr);
    first->setWindowTitle("changed");
    control<QLabel>(first, "lblVersion")->setText("changed");
    control<QLabel>(first, "lblTitle")->setText("changed");
    act(first, "Esc");
    if (waitForUnload)
        QTRY_VERIFY(first.isNull());

    QPointer<QDialog> second = showBox();
    QVERIFY(second != nullptr && second != first);
    QTRY_VERIFY(first.isNull());
    QVERIFY(second != nullptr && second->isVisible());
    QCOMPARE(second->windowTitle(), "About Vorn Foe Calculator");
    QCOMPARE(control<QLabel>(second, "lblVersion")->text(), "Version " VORN_PROJECT_VERSION);
    QCOMPARE(control<QLabel>(second, "lblTitle")->text(), "Vorn Foe Calculator");
}

void AboutBoxTest::showingWhileOpenKeepsTheOneBox()
{
    QDialog* first = showBox();
    QVERIFY(first != nullptr);
    control<QLabel>(first, "lblTitle")->setText("still loaded");

    showAboutBox();

    const auto windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(),
                           [](QWidget* w) { return w->objectName() == QLatin1String("frmAbout"); }),
             1);
    QCOMPARE(control<QLabel>(first, "lblTitle")->text(), "still loaded");
}

void AboutBoxTest::sysInfoWithoutToolSaysSo_data()
{
    QTest::addColumn<QString>("steps");
    QTest::newRow("click") << "click:cmdSysInfo";
    QTest::newRow("enter_on_the_button") << "Tab Tab Enter";
    QTest::newRow("access_key") << "Alt+S";
}

void AboutBoxTest::sysInfoWithoutToolSaysSo()
{
    QFETCH(QString, steps);
    QPointer<QDialog> box = showBox();
    QVERIFY(box != nullptr);

    act(box, steps);

    QTRY_COMPARE(modalsSeen_.size(), 1);
    const ModalSeen seen = modalsSeen_.takeFirst();
    QCOMPARE(seen.title, "Vorn_Foe");
    QCOMPARE(seen.text, "System Information Is Unavailable At This Time");
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(seen.buttonCount, 1);
    QCOMPARE(seen.modality, Qt::ApplicationModal);
    QVERIFY(box != nullptr && box->isVisible());
}

void AboutBoxTest::sysInfoStartsTheToolEachClick()
{
    const QString log = folder_.filePath("started.log");
    QFile tool(folder_.filePath("bin/hardinfo"));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.write("#!/bin/sh\necho started >> '" + log.toLocal8Bit() + "'\n");
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    auto startsLogged = [&log] {
        QFile file(log);
        return file.open(QIODevice::ReadOnly) ? file.readAll().count("started\n") : 0;
    };
    QDialog* box = showBox();
    QVERIFY(box != nullptr);

    act(box, "click:cmdSysInfo");
    QTRY_COMPARE(startsLogged(), 1);
    act(box, "click:cmdSysInfo");
    QTRY_COMPARE(startsLogged(), 2);
    QVERIFY(box->isVisible());
}

// Owned by no window, the box outlives the main window, and the program ends
// only when the last of the two has closed.
void AboutBoxTest::programEndsWithItsLastWindow()
{
    QWidget mainWindow;
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
    QPointer<QDialog> box = showBox();
    QVERIFY(box != nullptr);

    bool openAfterMainClosed = false;
    QTimer::singleShot(0, &mainWindow, [&] {
        mainWindow.close();
        QTimer::singleShot(100, [&] {
            openAfterMainClosed = box != nullptr && box->isVisible();
            if (box != nullptr)
                box->close();
        });
    });
    QTimer watchdog;  // the program failed to end
    watchdog.callOnTimeout([] { QCoreApplication::exit(1); });
    watchdog.start(5000);

    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(openAfterMainClosed);
}

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
