#include "DesignFonts.h"
#include "GuiFixture.h"
#include "SheetZoom.h"
#include "Startup.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>

#include <functional>

// Every control's place on the sheet, in pixels at 96 dpi: x, y, width, height.
struct SheetPlace {
    const char* name;
    int x, y, width, height;
};

const SheetPlace kSheet[] = {
    {"Label1", 8, 8, 67, 25}, {"Label3", 24, 72, 38, 25},
    {"label2(0)", 88, 0, 38, 19}, {"label2(1)", 152, 0, 28, 19}, {"label2(2)", 208, 0, 29, 19},
    {"label2(3)", 264, 0, 34, 19}, {"label2(4)", 320, 0, 38, 19}, {"label2(5)", 384, 0, 19, 19},
    {"label2(6)", 432, 0, 28, 19},
    {"txtTally(0)", 88, 24, 33, 20}, {"txtTally(1)", 145, 24, 33, 20}, {"txtTally(2)", 203, 24, 33, 20},
    {"txtTally(3)", 260, 24, 33, 20}, {"txtTally(4)", 317, 24, 33, 20}, {"txtTally(5)", 375, 24, 33, 20},
    {"txtTally(6)", 432, 24, 33, 20},
    {"cboFoes", 88, 72, 201, 21}, {"Frame1", 312, 56, 145, 137},
    {"optCategory(6)", 16, 16, 100, 17}, {"optCategory(5)", 16, 32, 100, 17},
    {"optCategory(4)", 16, 48, 100, 17}, {"optCategory(3)", 16, 64, 100, 17},
    {"optCategory(2)", 16, 80, 100, 17}, {"optCategory(1)", 16, 96, 100, 17},
    {"optCategory(0)", 16, 112, 100, 17},
    {"label2(13)", 80, 104, 38, 19}, {"label2(12)", 144, 104, 28, 19}, {"label2(11)", 200, 104, 29, 19},
    {"label2(10)", 256, 104, 34, 19}, {"label2(16)", 16, 128, 49, 18},
    {"txtFoe(0)", 81, 128, 33, 20}, {"txtFoe(1)", 139, 128, 33, 20}, {"txtFoe(2)", 198, 128, 33, 20},
    {"txtFoe(3)", 256, 128, 33, 20},
    {"lblBow", 16, 152, 49, 18},
    {"txtBow(0)", 81, 152, 33, 20}, {"txtBow(1)", 139, 152, 33, 20}, {"txtBow(2)", 198, 152, 33, 20},
    {"txtBow(3)", 256, 152, 33, 20},
    {"lblXBow", 17, 176, 48, 18},
    {"txtXBow(0)", 81, 176, 33, 20}, {"txtXBow(1)", 139, 176, 33, 20}, {"txtXBow(2)", 198, 176, 33, 20},
    {"txtXBow(3)", 256, 176, 33, 20},
    {"label2(14)", 24, 208, 42, 19}, {"label2(9)", 80, 208, 38, 19}, {"label2(8)", 152, 208, 19, 19},
    {"label2(7)", 200, 208, 28, 19}, {"label2(18)", 248, 208, 54, 21}, {"label2(15)", 320, 208, 34, 19},
    {"label2(19)", 376, 208, 52, 19},
    {"txtMove", 24, 232, 33, 20}, {"txtFoe(4)", 81, 232, 33, 20}, {"txtFoe(5)", 139, 232, 33, 20},
    {"txtFoe(6)", 198, 232, 33, 20}, {"txtWT", 256, 232, 33, 20}, {"txtMix", 320, 232, 33, 20},
    {"txtMight", 384, 232, 33, 20},
};

class MainWindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installDesignFonts(); }  // the window's own faces, as the program has them

    void placesMatchTheSheet_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        for (const SheetPlace& p : kSheet)
            QTest::newRow(p.name) << p.name << QRect(p.x, p.y, p.width, p.height);
    }

    // At every zoom step each edge, and the font's size, lies less than a
    // pixel from the sheet's, scaled. A label may widen to fit its caption in
    // a stand-in face, away from the box it belongs to; everything else keeps
    // its scaled size.
    void placesMatchTheSheet()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        OpenWindow w;
        QWidget* control = w.control(name);
        const int sheetFont = control->font().pixelSize();
        for (int percent : kZoomSteps) {
            w.window->zoomTo(percent);
            const QRect actual = control->geometry();
            const QByteArray at = QByteArray::number(percent) + "%";
            auto near = [percent](int edge, int sheetEdge) { return std::abs(edge * 100 - sheetEdge * percent) < 100; };
            QVERIFY2(near(control->font().pixelSize(), sheetFont), at + " font");
            QVERIFY2(near(actual.top(), place.top()), at);
            QVERIFY2(near(actual.top() + actual.height(), place.top() + place.height()), at);
            const bool rightAligned = qobject_cast<QLabel*>(control)
                                      && (qobject_cast<QLabel*>(control)->alignment() & Qt::AlignRight);
            const int sheetRight = place.left() + place.width();
            QVERIFY2(rightAligned || near(actual.left(), place.left()), at);
            QVERIFY2(!rightAligned || near(actual.left() + actual.width(), sheetRight), at);
            if (auto* label = qobject_cast<QLabel*>(control)) {
                QVERIFY2(actual.width() * 100 > place.width() * percent - 100, at);
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= actual.width(), at + " caption cut off");
            } else {
                QVERIFY2(near(actual.left() + actual.width(), sheetRight), at);
            }
        }
    }

    void everyControlIsOnTheSheetOnce()
    {
        OpenWindow w;
        int named = 0;
        for (QWidget* child : w.window->centralWidget()->findChildren<QWidget*>()) {
            if (!child->objectName().isEmpty() && !child->objectName().startsWith("qt_"))
                ++named;
        }
        QCOMPARE(named, int(std::size(kSheet)));
        QVERIFY(!w.window->findChild<QLabel*>("label2(17)"));
    }

    // The option buttons overlap their neighbours by one pixel row, as drawn;
    // no other two controls may touch, at any zoom.
    void nothingOverlaps()
    {
        OpenWindow w;
        const QList<QWidget*> controls = w.window->centralWidget()->findChildren<QWidget*>(
            QString(), Qt::FindDirectChildrenOnly);
        for (int percent : kZoomSteps) {
            w.window->zoomTo(percent);
            for (QWidget* a : controls)
                for (QWidget* b : controls)
                    if (a != b)
                        QVERIFY2(!a->geometry().intersects(b->geometry()),
                                 qPrintable(a->objectName() + " overlaps " + b->objectName() + " at "
                                            + QString::number(percent) + "%"));
        }
    }

    // State: -32768 in every tally of a shooter whose Move is long, so that
    // every box holds as wide a number as it can. Action: zoom to 100 % and
    // 300 %. Expected: every number is whole in its box, where the cursor
    // stands: its first character at the box's left edge and its last at the
    // right; the box keeps its place. The Move shows its beginning, and its
    // whole text in its tooltip.
    void everyNumberShowsWhole()
    {
        OpenWindow w(TestBestiary::fromSql(
            "CREATE TABLE Foes (Name, Max_Threat, Init, Atk, Dfn, Dam, Soak, HP, Res, Mix, Move, Missile);"
            "INSERT INTO Foes VALUES ('Swimmer', 7, 0, 0, 0, 0, 0, 20000, 0, 5, 'swim 20, walk 10', 1);"));
        w.window->show();
        typeFoe(w, "Swimmer");
        for (int slot = 0; slot < kStatCount; ++slot)
            w.box("txtTally", slot)->setText("-32768");
        QVERIFY(w.box("txtXBow", 0)->text() == "-32776");  // the widest a box gets
        QLineEdit* move = w.box("txtMove");
        for (int percent : {100, 300}) {
            w.window->zoomTo(percent);
            for (QLineEdit* box : w.window->centralWidget()->findChildren<QLineEdit*>()) {
                if (box == move || box->text().isEmpty() || !box->isVisibleTo(w.window.get())
                    || box->parent() != w.window->centralWidget())
                    continue;
                const QString what = box->objectName() + " at " + QString::number(percent) + "%: " + box->text();
                const int middle = box->height() / 2;
                box->setCursorPosition(int(box->text().size()));
                QVERIFY2(box->cursorPositionAt(QPoint(1, middle)) == 0, qPrintable(what + " loses its start"));
                box->setCursorPosition(0);
                QVERIFY2(box->cursorPositionAt(QPoint(box->width() - 2, middle)) == box->text().size(),
                         qPrintable(what + " loses its end"));
            }
            QCOMPARE(move->cursorPositionAt(QPoint(1, move->height() / 2)), 0);
            QCOMPARE(move->toolTip(), "swim 20, walk 10");  // too long for its box even at 300 %
        }
    }

    // The category buttons' circles and the foe box's arrow, which the
    // desktop's style draws at one size, scale with the sheet.
    void drawnPartsScaleWithTheSheet()
    {
        OpenWindow w;
        QRadioButton* option = w.control<QRadioButton>("optCategory(3)");
        auto* foes = w.control<QComboBox>("cboFoes");
        QStyleOptionComboBox combo;
        const auto arrowWidth = [&] {
            combo.initFrom(foes);
            combo.editable = true;
            return foes->style()->subControlRect(QStyle::CC_ComboBox, &combo, QStyle::SC_ComboBoxArrow, foes).width();
        };
        const int circle = option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option);
        const int arrow = arrowWidth();
        w.window->zoomTo(300);
        QCOMPARE(option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option), 3 * circle);
        QVERIFY2(std::abs(arrowWidth() - 3 * arrow) <= 3, qPrintable(QString::number(arrowWidth())));
        QVERIFY(w.control<QLabel>("Label1")->style() != option->style());  // the rest keep the desktop's style
    }

    // State: the zoom last chosen is 300 %. Action: start on this screen;
    // Zoom In; Zoom Out. Expected: the window opens at the largest step that
    // fits the screen (300 % where there is room) and never passes its
    // edge; Zoom In beyond it changes nothing, not even the step remembered
    // for a larger screen; Zoom Out steps down from what is shown.
    void zoomNeverPassesTheScreen()
    {
        QTemporaryDir settings;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
        rememberZoom(300);
        const TestBestiary bestiary = TestBestiary::fromFixture();
        const std::unique_ptr<frmMain> window = startCalculator({bestiary.file(), {}});
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QRect room = window->screen()->availableGeometry();
        const auto shown = [&] { return qRound(window->findChild<QWidget*>("txtTally(6)")->x() * 100.0 / 432); };
        const int first = shown();
        QVERIFY2(room.contains(window->frameGeometry()), qPrintable(QString::number(first)));
        const bool room300 = room.width() >= 1500 && room.height() >= 900;
        QCOMPARE(first == 300, room300);
        auto* view = window->findChild<QMenu*>("mnuView");
        view->actions()[0]->trigger();  // Zoom In
        QCOMPARE(shown(), first);
        QCOMPARE(rememberedZoom(), 300);
        view->actions()[1]->trigger();  // Zoom Out
        QCOMPARE(shown(), zoomedOut(first));
        QCOMPARE(rememberedZoom(), zoomedOut(first));
        QVERIFY(room.contains(window->frameGeometry()));
    }

    // The window grows and shrinks with the zoom, by the client area.
    void windowFollowsTheZoom()
    {
        OpenWindow w;
        w.window->show();
        for (int percent : {300, 125, 100}) {
            w.window->zoomTo(percent);
            const QSize client = w.window->centralWidget()->size();
            QVERIFY2(std::abs(client.width() * 100 - 476 * percent) < 100, qPrintable(QString::number(percent)));
            QVERIFY2(std::abs(client.height() * 100 - 262 * percent) < 100, qPrintable(QString::number(percent)));
        }
        QCOMPARE(w.window->centralWidget()->size(), QSize(476, 262));
    }

    void clientAreaAndCaptions()
    {
        OpenWindow w;
        w.window->show();
        QCOMPARE(w.window->windowTitle(), "Vorn Foe Calculator");
        QCOMPARE(w.window->centralWidget()->size(), QSize(476, 262));
        QCOMPARE(w.control<QGroupBox>("Frame1")->title(), "Category");
        // The decorative captions: Debian's package holds two faces of the
        // stand-in's family, and only one of them is the window's.
        for (const char* caption : {"Label1", "label2(0)", "label2(16)"}) {
            const QFontInfo face(w.control<QLabel>(caption)->font());
            QCOMPARE(face.family(), "Rusch");
            QCOMPARE(face.styleName(), "Gotico-Antiqua 100G");
        }
        const QStringList captions = {"Pitiful", "Weak", "Inferior", "Equal", "Superior", "Exceptional",
                                      "Terrifying"};
        for (int i = 0; i < captions.size(); ++i) {
            auto* option = w.control<QRadioButton>(QStringLiteral("optCategory(%1)").arg(i));
            QCOMPARE(option->text(), captions[i]);
            QCOMPARE(option->isChecked(), i == 3);
        }
        const QList<QAction*> bar = w.window->menuBar()->actions();
        QCOMPARE(bar.size(), 4);
        QCOMPARE(bar[0]->text(), "&File");
        const QList<QAction*> file = bar[0]->menu()->actions();
        QCOMPARE(file.size(), 8);
        QCOMPARE(file[0]->text(), "&Open Bestiary...");
        QCOMPARE(file[0]->shortcut(), QKeySequence("Ctrl+O"));
        QCOMPARE(file[1]->text(), "Open &Recent");
        QVERIFY(file[1]->menu());
        QVERIFY(file[2]->isSeparator());
        QCOMPARE(file[3]->text(), "&Copy Stat Block");
        QCOMPARE(file[3]->shortcut(), QKeySequence("Ctrl+Shift+C"));
        QCOMPARE(file[4]->text(), "&Print...");
        QCOMPARE(file[4]->shortcut(), QKeySequence("Ctrl+P"));
        QCOMPARE(file[5]->text(), "&Export PDF...");
        QCOMPARE(file[5]->shortcut(), QKeySequence("Ctrl+Shift+E"));
        QVERIFY(file[6]->isSeparator());
        QCOMPARE(file[7]->text(), "&Add to Encounter");
        QCOMPARE(file[7]->shortcut(), QKeySequence("Ctrl+Shift+A"));
        QCOMPARE(bar[1]->text(), "&View");
        const QList<QAction*> view = bar[1]->menu()->actions();
        QCOMPARE(view.size(), 6);
        QCOMPARE(view[0]->text(), "Zoom &In");
        QCOMPARE(view[0]->shortcuts(), QList<QKeySequence>({QKeySequence("Ctrl++"), QKeySequence("Ctrl+=")}));
        QCOMPARE(view[1]->text(), "Zoom &Out");
        QCOMPARE(view[1]->shortcut(), QKeySequence("Ctrl+-"));
        QCOMPARE(view[2]->text(), "&Actual Size");
        QCOMPARE(view[2]->shortcut(), QKeySequence("Ctrl+0"));
        QVERIFY(view[3]->isSeparator());
        QCOMPARE(view[4]->text(), "&Encounter");
        QCOMPARE(view[4]->shortcut(), QKeySequence("Ctrl+Shift+N"));
        QCOMPARE(view[5]->text(), "&Threat Ladder");
        QCOMPARE(view[5]->shortcut(), QKeySequence("Ctrl+Shift+L"));
        QCOMPARE(bar[2]->text(), "E&xit");
        QVERIFY(!bar[2]->menu());
        QCOMPARE(bar[3]->text(), "&Help");
        QCOMPARE(bar[3]->menu()->actions().size(), 1);
        QCOMPARE(bar[3]->menu()->actions()[0]->text(), "&About Vorn Foe Calculator");
    }

    // Expected: within the menu bar and within each menu, no two entries
    // share an access key; in the whole window, no two share a shortcut.
    void noTwoCommandsShareAKey()
    {
        OpenWindow w;
        QSet<QKeySequence> shortcuts;
        std::function<void(const QList<QAction*>&, const QString&)> check = [&](const QList<QAction*>& actions,
                                                                               const QString& where) {
            QSet<QChar> accessKeys;
            for (const QAction* action : actions) {
                if (QMenu* menu = action->menu()) {
                    emit menu->aboutToShow();  // Open Recent is filled as it opens
                    check(menu->actions(), action->text());
                }
                const qsizetype amp = action->text().indexOf(QRegularExpression("&[^&]"));
                if (amp >= 0) {
                    const QChar key = action->text()[amp + 1].toLower();
                    QVERIFY2(!accessKeys.contains(key), qPrintable(where + ": " + action->text()));
                    accessKeys << key;
                }
                for (const QKeySequence& shortcut : action->shortcuts()) {
                    QVERIFY2(!shortcuts.contains(shortcut), qPrintable(shortcut.toString()));
                    shortcuts << shortcut;
                }
            }
        };
        check(w.window->menuBar()->actions(), "the menu bar");
    }
};

QTEST_MAIN(MainWindowLayoutTest)
#include "MainWindowLayoutTest.moc"
