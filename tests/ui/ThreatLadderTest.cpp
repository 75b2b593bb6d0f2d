// The threat ladder's window on the fixture bestiary: what a column shows
// and says to a screen reader, which keys choose a category, and that the
// window fits its grid at every zoom.

#include "FoeLookup.h"
#include "OpenFoeDatabase.h"
#include "SheetZoom.h"
#include "TestBestiary.h"
#include "ThreatLadderWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace {

// The window showing Goblin (Max_Threat 4, offered from Pitiful to Equal)
// with no tallies, `current` marked.
struct GoblinLadder {
    explicit GoblinLadder(ThreatCategory current)
    {
        const TestBestiary bestiary = TestBestiary::fromFixture();
        const std::unique_ptr<FoeDatabase> foes = openFoeDatabase(bestiary.file());
        FoeSheet sheet;
        sheet.foeName = "Goblin";
        sheet.tally.fill("0");
        const auto lookUp = [&](ThreatCategory category) { return lookUpFoe(*foes, sheet.foeName, category); };
        window.showLadder(sheet.foeName, threatLadder(sheet, lookUp), current);
    }

    ThreatLadderWindow window{nullptr};
    QTableView* grid = window.findChild<QTableView*>("grdLadder");
};

}  // namespace

class ThreatLadderTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void columnSaysWhatItsCategoryGives_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("cells");  // Init..Res, Mix, Move, Wound, Might
        QTest::addColumn<QString>("hpHeard");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("Equal offers Goblin")
            << 3 << QStringList{"2", "1", "1", "2", "0", "12", "0", "1.8", "10", "12", "4"} << "Equal, HP 12" << "";
        QTest::newRow("Superior does not")
            << 4 << QStringList(11, QString(QChar(0x2013))) << "Superior, HP: not offered"
            << "Goblin is not offered at Superior";
    }

    // State: Goblin's ladder at Equal, shown.
    // Expected: the column's cells top to bottom, HP heard with its
    // category, and a tooltip only where the column has no numbers.
    void columnSaysWhatItsCategoryGives()
    {
        QFETCH(int, column);
        QFETCH(QStringList, cells);
        QFETCH(QString, hpHeard);
        QFETCH(QString, toolTip);
        GoblinLadder ladder(3);
        ladder.window.show();
        const QAbstractItemModel* grid = ladder.grid->model();
        QStringList shown;
        for (int row = 0; row < grid->rowCount(); ++row)
            shown << grid->index(row, column).data().toString();
        QCOMPARE(shown, cells);
        QCOMPARE(grid->index(HP, column).data(Qt::ToolTipRole).toString(), toolTip);
        QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(ladder.grid)->tableInterface();
        QCOMPARE(table->cellAt(HP, column)->text(QAccessible::Name), hpHeard);
        QCOMPARE(ladder.window.windowTitle(), "Threat Ladder: Goblin");
    }

    void returnChoosesAnOfferedCategory_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("chosen");  // -1: none
        QTest::newRow("Inferior, Right to Equal") << 2 << 3;
        QTest::newRow("Equal, Right to Superior") << 3 << -1;
    }

    // State: Goblin's ladder at `current`, the window active.
    // Action: Right, Return, then Escape.
    // Expected: the next category is chosen where it offers Goblin, nothing
    // elsewhere; Escape closes the window.
    void returnChoosesAnOfferedCategory()
    {
        QFETCH(int, current);
        QFETCH(int, chosen);
        GoblinLadder ladder(static_cast<ThreatCategory>(current));
        ladder.window.show();
        ladder.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&ladder.window));
        QCOMPARE(QApplication::focusWidget(), ladder.grid);
        QSignalSpy choices(&ladder.window, &ThreatLadderWindow::categoryChosen);
        QTest::keyClick(ladder.grid, Qt::Key_Right);
        QTest::keyClick(ladder.grid, Qt::Key_Return);
        QCOMPARE(choices.count(), chosen < 0 ? 0 : 1);
        if (chosen >= 0)
            QCOMPARE(choices.first().first().value<ThreatCategory>(), chosen);
        QTest::keyClick(ladder.grid, Qt::Key_Escape);
        QVERIFY(!ladder.window.isVisible());
    }

    void windowFitsItsGrid_data()
    {
        QTest::addColumn<int>("percent");
        for (int percent : kZoomSteps)
            QTest::addRow("%d%%", percent) << percent;
    }

    // Action: zoom. Expected: the cells and captions grow with it, and the
    // grid needs no scroll bar.
    void windowFitsItsGrid()
    {
        QFETCH(int, percent);
        const int base = QFontInfo(QApplication::font()).pointSize();
        GoblinLadder ladder(3);
        ladder.window.setZoom(percent);
        ladder.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ladder.window));
        QFont caption = ladder.grid->font();
        QCOMPARE(QFontInfo(caption).pointSize(), zoomed(base, percent));
        caption.setBold(true);
        QVERIFY(ladder.grid->columnWidth(6) > QFontMetrics(caption).horizontalAdvance("Terrifying"));
        QCOMPARE(ladder.grid->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(ladder.grid->verticalScrollBar()->maximum(), 0);
    }
};

QTEST_MAIN(ThreatLadderTest)
#include "ThreatLadderTest.moc"
