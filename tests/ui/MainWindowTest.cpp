#include "GuiFixture.h"
#include "OpenFoeDatabase.h"
#include "Startup.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QCompleter>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QMessageBox>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <SQLiteCpp/Database.h>

#include <fstream>

namespace {

QStringList texts(const OpenWindow& w, const char* array, int count)
{
    QStringList result;
    for (int i = 0; i < count; ++i)
        result << w.box(array, i)->text();
    return result;
}

void clickCategory(const OpenWindow& w, int category)
{
    auto* option = w.control<QRadioButton>(QStringLiteral("optCategory(%1)").arg(category));
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(option->width() - 8, option->height() / 2));
}

QDialog* shownAboutBox()
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "frmAbout" && top->isVisible())
            return qobject_cast<QDialog*>(top);
    return nullptr;
}

bool rangedRowsShown(const OpenWindow& w)
{
    return w.control<QLabel>("lblBow")->isVisible() && w.box("txtXBow", 3)->isVisible();
}

// The zoom the sheet is shown at, in percent, read from where the Res tally
// stands: 432 pixels from the left on the sheet.
int zoomOf(const frmMain& window)
{
    return qRound(window.findChild<QWidget*>("txtTally(6)")->x() * 100.0 / 432);
}

// Presses a key where the keyboard sends it: to an open popup, such as the
// foe box's offers, before the control with the focus.
void pressKey(Qt::Key key)
{
    QWidget* popup = QApplication::activePopupWidget();
    QTest::keyClick(popup ? popup : QApplication::focusWidget(), key);
}

// Counts the lookups the window asks of its bestiary.
class CountingBestiary : public FoeDatabase {
public:
    CountingBestiary(std::unique_ptr<FoeDatabase> inner, int& lookups) : inner_(std::move(inner)), lookups_(lookups) {}
    std::vector<std::string> listNames(ThreatCategory category) override { return inner_->listNames(category); }
    std::optional<FoeRecord> findFoe(const std::string& name, ThreatCategory category) override
    {
        ++lookups_;
        return inner_->findFoe(name, category);
    }

private:
    std::unique_ptr<FoeDatabase> inner_;
    int& lookups_;
};

QMainWindow* encounterWindow()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == "frmEncounter")
            return qobject_cast<QMainWindow*>(window);
    }
    return nullptr;
}

// A cell of one of the Encounter window's tables, as shown.
QString cell(const QMainWindow* encounter, const char* table, int row, int column)
{
    return encounter->findChild<QTableView*>(table)->model()->index(row, column).data().toString();
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir settingsFolder_;

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        // What the window remembers goes to a throwaway folder, never the tester's own.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder_.path());
    }

    // State: a fresh start on the fixture bestiary.
    // Expected: Equal, [Generic], tallies 0, the bare Equal foe, ranged rows shown.
    void startUpState()
    {
        OpenWindow w;
        w.showActive();
        QVERIFY(w.control<QRadioButton>("optCategory(3)")->isChecked());
        auto* foes = w.control<QComboBox>("cboFoes");
        QCOMPARE(foes->currentText(), "[Generic]");
        QCOMPARE(listed(foes).first(), "[Generic]");
        QCOMPARE(listed(foes).size(), 12);  // [Generic] and the 11 foes above Equal
        QCOMPARE(texts(w, "txtTally", 7), QStringList({"0", "0", "0", "0", "0", "0", "0"}));
        QCOMPARE(texts(w, "txtFoe", 7), QStringList({"0", "0", "0", "0", "0", "10", "0"}));
        QCOMPARE(texts(w, "txtBow", 4), QStringList({"-1", "-1", "0", "0"}));
        QCOMPARE(texts(w, "txtXBow", 4), QStringList({"-8", "-3", "0", "0"}));
        QCOMPARE(w.box("txtMix")->text(), "1.5");
        QCOMPARE(w.box("txtMove")->text(), "15");
        QCOMPARE(w.box("txtWT")->text(), "12");
        QCOMPARE(w.box("txtMight")->text(), "0");
        QVERIFY(rangedRowsShown(w));
        QCOMPARE(QApplication::focusWidget(), w.box("txtTally", 0));
    }

    // State: Goblin (Max_Threat 4) chosen at Equal. Action: click Superior.
    // Expected: Goblin leaves the list, the box falls back to [Generic], and a
    // passing note says so; the box's tooltip stays free for faults.
    void categoryClickDropsAFoeNoLongerOffered()
    {
        OpenWindow w;
        w.showActive();
        pickFoe(w, "Goblin");
        QCOMPARE(w.box("txtFoe", 5)->text(), "12");
        clickCategory(w, 4);
        auto* foes = w.control<QComboBox>("cboFoes");
        QVERIFY(w.control<QRadioButton>("optCategory(4)")->isChecked());
        QCOMPARE(foes->currentText(), "[Generic]");
        QVERIFY(!listed(foes).contains("Goblin"));
        QCOMPARE(texts(w, "txtFoe", 7), QStringList({"2", "2", "2", "2", "1", "10", "1"}));
        QCOMPARE(w.box("txtMix")->text(), "2");
        QCOMPARE(passingNote(w), "Goblin is not offered at Superior: showing [Generic]");
        QCOMPARE(foes->toolTip(), QString());
    }

    // State: Orc chosen at Equal. Action: click Superior, where Orc is still
    // offered; an editor adds a foe to the file; click Superior again.
    // Expected: Orc stays, computed at Superior; the new foe is listed.
    void categoryClickKeepsAFoeStillOffered()
    {
        OpenWindow w;
        w.showActive();
        pickFoe(w, "Orc");
        clickCategory(w, 4);
        auto* foes = w.control<QComboBox>("cboFoes");
        QCOMPARE(foes->currentText(), "Orc");
        QCOMPARE(texts(w, "txtFoe", 7), QStringList({"3", "5", "4", "6", "2", "35", "2"}));

        SQLite::Database(w.bestiary.file().string(), SQLite::OPEN_READWRITE)
            .exec("INSERT INTO Foes (Name, Max_Threat) VALUES ('Newcomer', 7)");
        clickCategory(w, 4);
        QVERIFY(listed(foes).contains("Newcomer"));
        QCOMPARE(foes->currentText(), "Orc");
    }

    // State: Orc chosen. Action: click Superior, type a tally digit, then a
    // letter that the pass resets to "0".
    // Expected: each action looks Orc up once, not once per change it causes.
    void eachActionLooksTheFoeUpOnce()
    {
        const TestBestiary bestiary = TestBestiary::fromFixture();
        int lookups = 0;
        frmMain window(std::make_unique<CountingBestiary>(openFoeDatabase(bestiary.file()), lookups));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* foes = window.findChild<QComboBox*>("cboFoes");
        foes->setCurrentIndex(foes->findText("Orc"));
        QCOMPARE(foes->currentText(), "Orc");
        lookups = 0;
        auto* superior = window.findChild<QRadioButton*>("optCategory(4)");
        QTest::mouseClick(superior, Qt::LeftButton, {}, QPoint(superior->width() - 8, superior->height() / 2));
        QCOMPARE(lookups, 1);
        lookups = 0;
        QLineEdit* init = window.findChild<QLineEdit*>("txtTally(0)");
        init->setFocus();
        QTest::keyClicks(init, "5");
        QCOMPARE(lookups, 1);
        lookups = 0;
        QTest::keyClicks(init, "x");
        QCOMPARE(init->text(), "0");
        QCOMPARE(lookups, 1);
    }

    // State: Orc chosen. Action: the bestiary is overwritten with garbage;
    // a tally is typed and Superior clicked; the file is put back and the
    // tally typed again.
    // Expected: while the file is garbage every result is empty and the foe
    // box names the file; the sound file clears the mark and the results.
    void aBestiaryThatFailsStopsThePass()
    {
        OpenWindow w;
        w.showActive();
        pickFoe(w, "Orc");
        const QStringList orcAtEqual = texts(w, "txtFoe", 7);
        const std::string sound = w.bestiary.bytes();
        auto overwrite = [&](const std::string& bytes) {
            std::ofstream(w.bestiary.file(), std::ios::binary | std::ios::trunc) << bytes;
        };
        auto* foes = w.control<QComboBox>("cboFoes");
        QLineEdit* init = w.box("txtTally", 0);
        const QString file = QString::fromStdString(w.bestiary.file().string());
        const QStringList empty(7, QString());

        overwrite(std::string(sound.size(), 'x'));
        init->setFocus();
        QTest::keyClick(init, Qt::Key_End);
        QTest::keyClicks(init, "1");
        QCOMPARE(texts(w, "txtFoe", 7), empty);
        QCOMPARE(texts(w, "txtBow", 4), QStringList(4, QString()));
        for (const char* result : {"txtMix", "txtMove", "txtWT", "txtMight"})
            QCOMPARE(w.box(result)->text(), QString());
        QVERIFY2(foes->toolTip().contains(file), qPrintable(foes->toolTip()));

        clickCategory(w, 4);
        QCOMPARE(listed(foes), QStringList{"[Generic]"});
        QCOMPARE(foes->currentText(), "Orc");
        QCOMPARE(texts(w, "txtFoe", 7), empty);
        QVERIFY2(foes->toolTip().contains(file), qPrintable(foes->toolTip()));

        overwrite(sound);
        clickCategory(w, 3);
        QCOMPARE(foes->currentText(), "Orc");
        init->setFocus();
        QTest::keyClick(init, Qt::Key_End);
        QTest::keyClick(init, Qt::Key_Backspace);
        QCOMPARE(texts(w, "txtFoe", 7), orcAtEqual);
        QCOMPARE(foes->toolTip(), QString());
    }

    // State: a bestiary whose foe list cannot be allocated, as a list of
    // huge names under a memory cap. Expected: the window opens with the foe
    // box marked, naming the file and the lack of memory.
    void aListBeyondMemoryMarksTheFoeBox()
    {
        struct Unlistable : FoeDatabase {
            std::vector<std::string> listNames(ThreatCategory) override { throw std::bad_alloc(); }
            std::optional<FoeRecord> findFoe(const std::string&, ThreatCategory) override { return std::nullopt; }
        };
        frmMain window(std::make_unique<Unlistable>(), "/shared/Vorn.mdb");
        const QString mark = window.findChild<QComboBox*>("cboFoes")->toolTip();
        QVERIFY2(mark.contains("/shared/Vorn.mdb") && mark.contains("not enough memory"), qPrintable(mark));
    }

    // Action: type "Orc" letter by letter into the foe box.
    // Expected: partial names give the bare modifiers; the whole name gives Orc.
    void typingAFoeNameLetterByLetter()
    {
        OpenWindow w;
        w.showActive();
        typeFoe(w, "Or");
        QCOMPARE(w.control<QComboBox>("cboFoes")->currentText(), "Or");
        QCOMPARE(texts(w, "txtFoe", 7), QStringList({"0", "0", "0", "0", "0", "10", "0"}));
        QTest::keyClicks(w.control<QComboBox>("cboFoes"), "c");
        QCOMPARE(texts(w, "txtFoe", 7), QStringList({"1", "3", "2", "4", "1", "25", "1"}));
        QCOMPARE(w.box("txtMix")->text(), "2.5");
        QCOMPARE(w.box("txtMove")->text(), "12");
        QCOMPARE(w.box("txtWT")->text(), "15");
        QCOMPARE(w.control<QComboBox>("cboFoes")->count(), 12);  // typing never adds to the list
    }

    // Action: type "an" into the foe box, then take the second offer.
    // Expected: names containing "an" in any case are offered; typing alone
    // computes only what was typed; taking an offer computes that foe.
    void namesContainingWhatWasTypedAreOffered()
    {
        OpenWindow w;
        w.showActive();
        typeFoe(w, "an");
        auto* offers = w.control<QComboBox>("cboFoes")->findChild<QCompleter*>();
        QTRY_VERIFY(offers->popup()->isVisible());
        QStringList offered;
        for (int row = 0; row < offers->completionCount(); ++row) {
            offers->setCurrentRow(row);
            offered << offers->currentCompletion();
        }
        QCOMPARE(offered, QStringList({"Ancient Dragon", "Bandit", "Bandit", "Bandit Archer"}));
        QCOMPARE(w.control<QComboBox>("cboFoes")->currentText(), "an");
        QCOMPARE(w.box("txtFoe", 5)->text(), "10");
        QTest::keyClick(offers->popup(), Qt::Key_Down);
        QTest::keyClick(offers->popup(), Qt::Key_Down);
        QTest::keyClick(offers->popup(), Qt::Key_Return);
        QTRY_VERIFY(!offers->popup()->isVisible());
        QCOMPARE(w.control<QComboBox>("cboFoes")->currentText(), "Bandit");
        QCOMPARE(w.box("txtFoe", 5)->text(), "18");
    }

    void typedFoeNameIsKept_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("meleeInit");  // which foe was computed
        QTest::newRow("exact spelling stays") << "ash wight" << "ash wight" << "6";
        QTest::newRow("other exact spelling stays") << "Ash Wight" << "Ash Wight" << "6";
        QTest::newRow("two listed spellings keep the typed one") << "ASH WIGHT" << "ASH WIGHT" << "6";
        QTest::newRow("one listed spelling is given") << "oRC" << "Orc" << "1";
        QTest::newRow("one spelling listed twice is given") << "BANDIT" << "Bandit" << "2";
        QTest::newRow("a stored [generic] stays that foe") << "[generic]" << "[generic]" << "7";
        QTest::newRow("[Generic] is matched only exactly") << "[GENERIC]" << "[generic]" << "7";
        QTest::newRow("the built-in [Generic] stays") << "[Generic]" << "[Generic]" << "0";
        QTest::newRow("a name not offered stays") << "wolf" << "wolf" << "4";
    }

    // State: "Ash Wight" and "ash wight" listed, and a foe stored as "[generic]".
    // Action: type a name into the foe box, then Tab away.
    // Expected: the name stays as typed unless entries of one spelling other
    // than "[Generic]" equal it ignoring case; no foe is swapped for another.
    void typedFoeNameIsKept()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, meleeInit);
        OpenWindow w{TestBestiary::fromFixture(
            "INSERT INTO Foes (Name, Max_Threat, Init) VALUES ('Ash Wight', 7, 6), ('ash wight', 7, 5),"
            " ('[generic]', 7, 7);")};
        w.showActive();
        auto* foes = w.control<QComboBox>("cboFoes");
        typeFoe(w, typed);
        pressKey(Qt::Key_Tab);
        QVERIFY(!foes->hasFocus());
        QCOMPARE(foes->currentText(), kept);
        QCOMPARE(w.box("txtFoe", 0)->text(), meleeInit);
    }

    // State: an Access Vorn.mdb. Action: pick Bandit Archer, click Superior.
    // Expected: the same list and results as from the SQLite bestiary.
    void computesAFoeFromAnAccessBestiary()
    {
        OpenWindow w{TestBestiary::fromFile(fixtureFile("access/foes.mdb"))};
        w.showActive();
        QCOMPARE(w.control<QComboBox>("cboFoes")->count(), 12);
        pickFoe(w, "Bandit Archer");
        clickCategory(w, 4);
        QCOMPARE(texts(w, "txtFoe", 7), QStringList({"5", "6", "4", "7", "3", "30", "2"}));
        QCOMPARE(texts(w, "txtXBow", 4), QStringList({"-3", "3", "4", "7"}));
        QCOMPARE(w.box("txtMix")->text(), "2.5");
        QVERIFY(rangedRowsShown(w));
    }

    // Action: pick Orc, a shooter, Orc again, then [Generic].
    // Expected: ranged rows hide, show, hide, and [Generic] leaves them hidden.
    void rangedRowsFollowTheNamedFoe()
    {
        OpenWindow w;
        w.showActive();
        pickFoe(w, "Orc");
        QVERIFY(!rangedRowsShown(w));
        pickFoe(w, "Bandit Archer");
        QVERIFY(rangedRowsShown(w));
        QCOMPARE(texts(w, "txtBow", 4), QStringList({"2", "3", "2", "5"}));
        pickFoe(w, "Orc");
        QVERIFY(!rangedRowsShown(w));
        pickFoe(w, "[Generic]");
        QVERIFY(!rangedRowsShown(w));
        QCOMPARE(w.box("txtMove")->text(), "15");
    }

    // Action: type a letter, then a digit, into the Dfn tally.
    // Expected: the letter is replaced by a selected "0"; the digit then replaces it.
    void aLetterInATallyBecomesZero()
    {
        OpenWindow w;
        w.showActive();
        QLineEdit* dfn = w.box("txtTally", 2);
        dfn->setFocus();
        QTest::keyClicks(dfn, "x");
        QCOMPARE(dfn->text(), "0");
        QCOMPARE(dfn->selectedText(), "0");
        QTest::keyClicks(dfn, "7");
        QCOMPARE(dfn->text(), "7");
        QCOMPARE(w.box("txtFoe", 2)->text(), "7");
        QCOMPARE(w.box("txtBow", 2)->text(), "7");
    }

    // Action: Tab into the Dfn tally and type "-7"; paste "-." over it, then "-x".
    // Expected: the sign alone stays as typed, counting 0, and -7 follows; the
    // pasted start of a number stays too; the pasted text that cannot become
    // a number is reset to a selected "0".
    void aNegativeTallyCanBeTyped()
    {
        OpenWindow w;
        w.showActive();
        QLineEdit* dfn = w.box("txtTally", 2);
        w.box("txtTally", 1)->setFocus();
        QTest::keyClick(w.box("txtTally", 1), Qt::Key_Tab);
        QTRY_COMPARE(dfn->selectedText(), "0");
        QTest::keyClicks(dfn, "-");
        QCOMPARE(dfn->text(), "-");
        QCOMPARE(w.box("txtFoe", 2)->text(), "0");
        QTest::keyClicks(dfn, "7");
        QCOMPARE(dfn->text(), "-7");
        QCOMPARE(w.box("txtFoe", 2)->text(), "-7");

        for (const auto& [pasted, kept] : {std::pair{"-.", "-."}, std::pair{"-x", "0"}}) {
            QApplication::clipboard()->setText(pasted);
            dfn->selectAll();
            QTest::keyClick(dfn, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(dfn->text(), kept);
            QCOMPARE(w.box("txtFoe", 2)->text(), "0");
        }
        QCOMPARE(dfn->selectedText(), "0");
    }

    // Action: click into a tally holding 12. Expected: its whole text is selected.
    void enteringATallyByMouseSelectsIt()
    {
        OpenWindow w;
        w.showActive();
        QLineEdit* hp = w.box("txtTally", 5);
        hp->setText("12");
        QTest::mouseClick(hp, Qt::LeftButton, {}, QPoint(3, hp->height() / 2));
        QTRY_COMPARE(hp->selectedText(), "12");
        QTest::keyClicks(hp, "3");
        QCOMPARE(hp->text(), "3");
    }

    // Action: type into a statistic and into the Mix box.
    // Expected: the statistic refuses; Mix takes the text until the next recomputation.
    void typingIntoResultBoxes()
    {
        OpenWindow w;
        w.showActive();
        QLineEdit* init = w.box("txtFoe", 0);
        init->setFocus();
        QTest::keyClicks(init, "9");
        QTest::keyClick(init, Qt::Key_Backspace);
        QCOMPARE(init->text(), "0");
        QLineEdit* mix = w.box("txtMix");
        mix->setFocus();
        mix->selectAll();
        QTest::keyClicks(mix, "abc");
        QCOMPARE(mix->text(), "abc");
        w.box("txtTally", 0)->setText("1");
        QCOMPARE(mix->text(), "1.5");
    }

    void tabOrder_data()
    {
        QTest::addColumn<QString>("foe");
        QTest::addColumn<QStringList>("expected");
        const QStringList head = {"optCategory(3)", "txtFoe(0)", "txtFoe(1)", "txtFoe(2)", "txtFoe(3)",
                                  "txtFoe(4)", "txtFoe(5)", "txtFoe(6)", "cboFoes", "txtMove", "txtMix"};
        const QStringList ranged = {"txtBow(0)", "txtBow(1)", "txtBow(2)", "txtBow(3)",
                                    "txtXBow(0)", "txtXBow(1)", "txtXBow(2)", "txtXBow(3)"};
        const QStringList tail = {"txtWT", "txtMight", "txtTally(0)"};
        QTest::newRow("ranged rows shown") << "[Generic]" << head + ranged + tail;
        QTest::newRow("ranged rows hidden") << "Orc" << head + tail;
    }

    // State: focus in the Res tally. Action: Tab round the window.
    // Expected: the category group (at its checked button), the results, the
    // foe box, ... back to the Init tally; hidden boxes are skipped.
    void tabOrder()
    {
        QFETCH(QString, foe);
        QFETCH(QStringList, expected);
        OpenWindow w;
        w.showActive();
        if (foe != "[Generic]")
            pickFoe(w, foe);
        w.box("txtTally", 6)->setFocus();
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            // The foe box's own edit field holds the focus on its behalf.
            visited << (focus->parentWidget() == w.control("cboFoes") ? "cboFoes" : focus->objectName());
        }
        QCOMPARE(visited, expected);
    }

    // State: focus on the checked Equal button. Action: arrow up, then down twice.
    // Expected: the arrows choose Superior, then Inferior, and recompute.
    void arrowKeysMoveWithinTheCategoryGroup()
    {
        OpenWindow w;
        w.showActive();
        w.control("optCategory(3)")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QVERIFY(w.control<QRadioButton>("optCategory(4)")->isChecked());
        QCOMPARE(w.box("txtFoe", 0)->text(), "2");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QVERIFY(w.control<QRadioButton>("optCategory(2)")->isChecked());
        QCOMPARE(w.box("txtFoe", 0)->text(), "-2");
    }

    // Action: type 40000 into the Init tally, then 4.
    // Expected: the tally turns red and says the range; the results empty; all clears after.
    void outOfRangeTallyIsMarkedAndCleared()
    {
        OpenWindow w;
        w.showActive();
        QLineEdit* init = w.box("txtTally", 0);
        const QColor normal = init->palette().color(QPalette::Text);
        init->setFocus();
        QTest::keyClicks(init, "40000");
        QVERIFY(init->palette().color(QPalette::Text) != normal);
        QVERIFY(init->toolTip().contains("-32768") && init->toolTip().contains("32767"));
        QCOMPARE(texts(w, "txtFoe", 7), QStringList({"", "", "", "", "", "", ""}));
        QCOMPARE(w.box("txtMight")->text(), "");
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        init->selectAll();
        QTest::keyClicks(init, "4");
        QCOMPARE(init->palette().color(QPalette::Text), normal);
        QCOMPARE(init->toolTip(), "");
        QCOMPARE(w.box("txtFoe", 0)->text(), "4");
    }

    // State: a foe stored with HP 32767. Action: Terrifying, then Equal.
    // Expected: the foe box says which stored value cannot be used; Equal clears it.
    void outOfRangeStoredValueIsMarkedOnTheFoeBox()
    {
        OpenWindow w{TestBestiary::fromFixture("INSERT INTO Foes (Name, Max_Threat, HP) VALUES ('Titan', 7, 32767);")};
        w.showActive();
        pickFoe(w, "Titan");
        QCOMPARE(w.box("txtFoe", 5)->text(), "32767");
        clickCategory(w, 6);
        auto* foes = w.control<QComboBox>("cboFoes");
        QCOMPARE(foes->currentText(), "Titan");
        QVERIFY2(foes->toolTip().contains("HP"), qPrintable(foes->toolTip()));
        QCOMPARE(w.box("txtFoe", 5)->text(), "");
        QCOMPARE(w.box("txtFoe", 4)->text(), "3");
        clickCategory(w, 3);
        QCOMPARE(foes->toolTip(), "");
        QCOMPARE(w.box("txtFoe", 5)->text(), "32767");
    }

    // State: nothing remembered. Action: Ctrl++ seven times, Ctrl+-, Ctrl+=,
    // Ctrl+0, Ctrl+- and Ctrl+=; then start the calculator again.
    // Expected: the sheet steps through 125 to 300 % and stays at 300, steps
    // back and forth, returns to 100 and goes no lower; the new start opens
    // at the zoom last chosen, and no key typed anything into the tally.
    void zoomStepsWithTheKeysAndIsRemembered()
    {
        OpenWindow w;
        w.showActive();
        auto press = [&w](Qt::Key key) {
            QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
            return zoomOf(*w.window);
        };
        QList<int> steps;
        for (int i = 0; i < 7; ++i)
            steps << press(Qt::Key_Plus);
        QCOMPARE(steps, QList<int>({125, 150, 175, 200, 250, 300, 300}));
        QCOMPARE(press(Qt::Key_Minus), 250);
        QCOMPARE(press(Qt::Key_Equal), 300);
        QCOMPARE(press(Qt::Key_0), 100);
        QCOMPARE(press(Qt::Key_Minus), 100);
        QCOMPARE(press(Qt::Key_Equal), 125);
        QCOMPARE(w.box("txtTally", 0)->text(), "0");

        const std::unique_ptr<frmMain> again = startCalculator({w.bestiary.file(), {}});
        QVERIFY(again);
        QCOMPARE(zoomOf(*again), 125);
    }

    // Action: Help > About, Esc, About again, then close the main window.
    // Expected: the box opens from the menu with its texts, Esc closes it, it
    // opens afresh, and it stays open when the main window closes.
    void aboutBoxFromTheHelpMenu()
    {
        OpenWindow w;
        w.showActive();
        QTest::keyClick(w.window.get(), Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_A);
        QTRY_VERIFY(shownAboutBox());
        QDialog* about = shownAboutBox();
        QCOMPARE(about->windowTitle(), "About Vorn Foe Calculator");
        QCOMPARE(about->findChild<QLabel*>("lblVersion")->text(), "Version 1.0.0");
        QCOMPARE(about->parentWidget(), nullptr);
        QVERIFY(!about->isModal());
        QTest::keyClick(about, Qt::Key_Escape);
        QTRY_VERIFY(!shownAboutBox());

        w.window->findChild<QAction*>("mnuAbout")->trigger();
        QTRY_VERIFY(shownAboutBox());
        w.window->close();
        QVERIFY(!w.window->isVisible());
        QVERIFY(shownAboutBox());
        shownAboutBox()->close();
    }

    // State: a fresh window. Action, by keys alone: Bandit added twice at
    // Equal and once at Superior; the Encounter window; the first entry
    // re-scaled to Exceptional in place; every creature hit for 200; undo and
    // redo; quitting, with the encounter unsaved, first cancelled, then
    // discarded. Expected: two entries (2 and 1 Bandits), the note of what
    // re-scaling changed, every creature down and back, and the calculator
    // closing only once the game master has chosen.
    void encounterByKeys()
    {
        OpenWindow w;
        w.showActive();
        typeFoe(w, "Bandit");
        const QString equalHp = w.box("txtFoe", HP)->text();
        QTest::keyClick(w.window.get(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(w.window.get(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(encounterWindow() && encounterWindow()->isVisible());
        QVERIFY2(w.window->isActiveWindow(), "the sheet keeps the keyboard");
        QTest::mouseClick(w.control<QRadioButton>("optCategory(4)"), Qt::LeftButton);
        QTest::keyClick(w.window.get(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);

        QTest::keyClick(w.window.get(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
        QMainWindow* encounter = encounterWindow();
        QVERIFY(QTest::qWaitForWindowActive(encounter));
        auto* entries = encounter->findChild<QTableView*>("grdEntries");
        QCOMPARE(entries->model()->rowCount(), 2);
        QCOMPARE(cell(encounter, "grdEntries", 0, 0), "2");
        QCOMPARE(cell(encounter, "grdEntries", 0, 8), equalHp);
        QCOMPARE(cell(encounter, "grdEntries", 1, 2), "Superior");

        entries->setFocus();
        QTest::keyClick(entries, Qt::Key_Up);
        QTest::keyClick(entries, Qt::Key_Home);
        QTest::keyClick(entries, Qt::Key_Right);
        QTest::keyClick(entries, Qt::Key_Right);
        QTest::keyClick(entries, Qt::Key_F2);
        QTRY_VERIFY(qobject_cast<QComboBox*>(QApplication::focusWidget()));
        auto* captions = qobject_cast<QComboBox*>(QApplication::focusWidget());
        QTest::keyClick(captions, Qt::Key_Down);
        QTest::keyClick(captions, Qt::Key_Down);
        QTest::keyClick(captions, Qt::Key_Return);
        QTRY_COMPARE(cell(encounter, "grdEntries", 0, 2), "Exceptional");
        const auto* note = encounter->findChild<QLabel*>("passingNote");
        QVERIFY(note && note->text().startsWith("Bandit at Exceptional: "));
        QVERIFY2(note->text().contains("HP " + equalHp + " \u2192 "), qPrintable(note->text()));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        auto* creatures = encounter->findChild<QTableView*>("grdCreatures");
        QTRY_COMPARE(QApplication::focusWidget(), creatures);
        QCOMPARE(cell(encounter, "grdCreatures", 2, 0), "Bandit 3");
        QTest::keyClick(creatures, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(creatures, Qt::Key_M, Qt::AltModifier);
        QTRY_COMPARE(QApplication::focusWidget(), encounter->findChild<QSpinBox*>("spnAmount"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), "200");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::AltModifier);
        const auto* totals = encounter->findChild<QLabel*>("lblTotals");
        QTRY_VERIFY2(totals->text().startsWith("Creatures: 3    Standing: 0"), qPrintable(totals->text()));
        QCOMPARE(cell(encounter, "grdCreatures", 0, 2), "down");

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QTRY_VERIFY2(totals->text().startsWith("Creatures: 3    Standing: 3"), qPrintable(totals->text()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY2(totals->text().startsWith("Creatures: 3    Standing: 0"), qPrintable(totals->text()));

        whenModalAppears([](QWidget* box) {
            if (auto* question = qobject_cast<QMessageBox*>(box))
                question->button(QMessageBox::Cancel)->click();
        });
        QVERIFY(!w.window->close());
        QVERIFY(encounter->isVisible());
        whenModalAppears([](QWidget* box) {
            if (auto* question = qobject_cast<QMessageBox*>(box))
                question->button(QMessageBox::Discard)->click();
        });
        QVERIFY(w.window->close());
        QVERIFY(!encounter->isVisible());
    }

    // Action: Alt+X. Expected: the window closes at once, without a menu.
    void altXExits()
    {
        OpenWindow w;
        w.showActive();
        QTest::keyClick(w.window.get(), Qt::Key_X, Qt::AltModifier);
        QTRY_VERIFY(!w.window->isVisible());
    }

    void startUpFailure_data()
    {
        QTest::addColumn<QString>("content");  // empty: no file at all
        QTest::addColumn<QString>("sql");      // else an SQLite bestiary made by it
        QTest::addColumn<QString>("fault");
        QTest::newRow("missing file") << QString() << QString() << "does not exist";
        QTest::newRow("malformed file") << "not a bestiary at all" << QString() << "not a foe database";
        QTest::newRow("endless Foes view")
            << QString() << "CREATE VIEW Foes (Name, Max_Threat, Init, Atk, Dfn, Dam, Soak, HP, Res, Mix, Move, Missile) AS"
                            " WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n)"
                            " SELECT '', 7, 0, 0, 0, 0, 0, 10, 0, 0, '', 0 FROM n;"
            << "its Foes view does not finish in time";
    }

    // Action: start on a bad Vorn.mdb. Expected: one message box captioned
    // Vorn_Foe naming the file and the fault; status 1; no main window.
    void startUpFailure()
    {
        QFETCH(QString, content);
        QFETCH(QString, sql);
        QFETCH(QString, fault);
        const TestBestiary bestiary = sql.isEmpty() ? TestBestiary::withBytes(content.toStdString())
                                                    : TestBestiary::fromSql(sql.toStdString());
        const bool absent = content.isEmpty() && sql.isEmpty();
        const auto file = absent ? bestiary.file().parent_path() / "Absent.mdb" : bestiary.file();
        QString caption;
        QString message;
        whenModalAppears([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box)
                return;
            caption = box->windowTitle();
            message = box->text();
            box->accept();
        });
        QCOMPARE(runCalculator({file, {}}), 1);
        QCOMPARE(caption, "Vorn_Foe");
        QVERIFY2(message.contains(QString::fromStdString(file.string())), qPrintable(message));
        QVERIFY2(message.contains(fault), qPrintable(message));
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<frmMain*>(top));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
