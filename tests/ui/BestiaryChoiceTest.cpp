// Where the calculator finds its bestiary, and the File menu that changes it.
// Every case runs with its own settings and data folders, so the tester's
// own are never read or written.

#include "BestiarySettings.h"
#include "BestiarySources.h"
#include "GuiFixture.h"
#include "SheetZoom.h"
#include "Startup.h"
#include "TestBestiary.h"

#include <QComboBox>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

#include <fstream>

namespace {

// One foe whose name says which bestiary answered.
TestBestiary bestiaryNamed(const std::string& foe)
{
    return TestBestiary::fromSql("CREATE TABLE Foes (Name, Max_Threat, Init, Atk, Dfn, Dam, Soak, HP, Res, Mix, Move, "
                                 "Missile); INSERT INTO Foes VALUES ('" + foe + "', 7, 1, 1, 1, 1, 1, 20, 1, 5, '10', 0);");
}

QString nameOf(const TestBestiary& bestiary)
{
    return fileName(bestiary.file());
}

// A fresh home for the user: empty settings and data folders.
struct FreshUser {
    QTemporaryDir home;
    FreshUser()
    {
        qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path() + "/config");
    }
    QString settingsFile() const { return home.path() + "/config/vorn-foe/vorn-foe.ini"; }
    void putInDataFolder(const TestBestiary& bestiary) const
    {
        std::filesystem::create_directories(dataFolderBestiary().parent_path());
        std::filesystem::copy_file(bestiary.file(), dataFolderBestiary());
    }
};

enum Source { None, Sound, Missing, Refused };

}  // namespace

Q_DECLARE_METATYPE(Source)

class BestiaryChoiceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        QCoreApplication::setApplicationName("vorn-foe");
    }

    void theFirstSourceThatOpensIsUsed_data()
    {
        QTest::addColumn<Source>("commandLine");
        QTest::addColumn<Source>("remembered");
        QTest::addColumn<Source>("dataFolder");
        QTest::addColumn<Source>("besideProgram");
        QTest::addColumn<QString>("chosen");  // the answering foe, "" for none
        QTest::addColumn<int>("reports");

        QTest::newRow("command line first") << Sound << Sound << Sound << Sound << "Cmd" << 0;
        QTest::newRow("refused command line ends") << Refused << Sound << Sound << Sound << "" << 1;
        QTest::newRow("missing command line ends") << Missing << Sound << Sound << Sound << "" << 1;
        QTest::newRow("remembered before data folder") << None << Sound << Sound << Sound << "Last" << 0;
        QTest::newRow("missing remembered passed over") << None << Missing << Sound << Sound << "Data" << 1;
        QTest::newRow("refused remembered passed over") << None << Refused << None << Sound << "Beside" << 1;
        QTest::newRow("data folder before program's") << None << None << Sound << Sound << "Data" << 0;
        QTest::newRow("refused data folder passed over") << None << None << Refused << Sound << "Beside" << 1;
        QTest::newRow("program's sample last") << None << None << None << Sound << "Beside" << 0;
        QTest::newRow("nothing opens") << None << Refused << Refused << Refused << "" << 3;
        QTest::newRow("no sample beside the program") << None << None << None << Missing << "" << 1;
    }

    // State: each source sound, refused, missing or absent.
    // Action: choose the bestiary.
    // Expected: the first that opens; a refused or missing remembered file is forgotten.
    void theFirstSourceThatOpensIsUsed()
    {
        QFETCH(Source, commandLine);
        QFETCH(Source, remembered);
        QFETCH(Source, dataFolder);
        QFETCH(Source, besideProgram);
        QFETCH(QString, chosen);
        QFETCH(int, reports);

        const FreshUser user;
        std::vector<TestBestiary> files;
        const auto source = [&](Source kind, const std::string& foe) -> std::filesystem::path {
            files.push_back(kind == Refused ? TestBestiary::withBytes("not a bestiary") : bestiaryNamed(foe));
            if (kind == Missing)
                std::filesystem::remove(files.back().file());
            return files.back().file();
        };
        BestiarySources sources;
        if (commandLine != None)
            sources.commandLine = source(commandLine, "Cmd");
        if (remembered != None)
            BestiarySettings::remember(fileName(source(remembered, "Last")));
        if (dataFolder != None)
            user.putInDataFolder(files.emplace_back(dataFolder == Refused ? TestBestiary::withBytes("garbage")
                                                                          : bestiaryNamed("Data")));
        sources.besideProgram = source(besideProgram, "Beside");

        QStringList told;
        const auto result = chooseBestiary(sources, [&](const QString& message) { told << message; });
        QCOMPARE(told.size(), reports);
        QCOMPARE(result.has_value(), !chosen.isEmpty());
        if (result)
            QCOMPARE(QString::fromStdString(result->database->listNames(0).front()), chosen);
        if (remembered == Missing || remembered == Refused) {
            QCOMPARE(BestiarySettings::lastOpened(), QString());
            QCOMPARE(BestiarySettings::recent().size(), 1);  // still offered under Open Recent
        }
    }

    // State: a remembered bestiary that has gone, and a sound one beside the program.
    // Action: start. Expected: one message box that names the gone file and
    // the bestiary opened instead; the window on that one.
    void aRefusalAtStartSaysWhichBestiaryOpensInstead()
    {
        const FreshUser user;
        const TestBestiary beside = bestiaryNamed("Beside");
        BestiarySettings::remember(user.home.filePath("gone.mdb"));
        QStringList told;
        whenModalAppears([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                told << box->text();
                box->accept();
            }
        });
        const std::unique_ptr<frmMain> window = startCalculator({std::nullopt, beside.file()});
        QVERIFY(window);
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].contains(user.home.filePath("gone.mdb") + "\" cannot be used: the file does not exist."),
                 qPrintable(told[0]));
        QVERIFY2(told[0].endsWith("The calculator opens \"" + nameOf(beside) + "\" instead."), qPrintable(told[0]));
        QCOMPARE(listed(window->findChild<QComboBox*>("cboFoes")), QStringList({"[Generic]", "Beside"}));
    }

    // State: the calculator on one bestiary, Goblin chosen.
    // Action: File > Open Bestiary, a sound file picked in the dialog; then a refused one.
    // Expected: the list is the new file's and the foe stays where listed; the
    // refused file leaves the open bestiary working, after a message box.
    void openBestiaryFromTheFileMenu()
    {
        const FreshUser user;
        OpenWindow w;
        auto* foes = w.control<QComboBox>("cboFoes");
        foes->setCurrentIndex(foes->findText("Goblin"));
        const TestBestiary other = TestBestiary::fromFixture("INSERT INTO Foes (Name, Max_Threat) VALUES ('Wyrmling', 7);");

        pickInFileDialog(nameOf(other));
        w.window->findChild<QAction*>("mnuOpenBestiary")->trigger();
        QVERIFY(listed(foes).contains("Wyrmling"));
        QCOMPARE(foes->currentText(), "Goblin");
        QCOMPARE(BestiarySettings::lastOpened(), nameOf(other));

        const TestBestiary garbage = TestBestiary::withBytes("no foes in here");
        QString told;
        whenModalAppears([&](QWidget* modal) {
            if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                whenModalAppears([&](QWidget* box) {
                    if (auto* message = qobject_cast<QMessageBox*>(box)) {
                        told = message->text();
                        message->accept();
                    }
                });
                typeInto(dialog, nameOf(garbage));
            }
        });
        w.window->findChild<QAction*>("mnuOpenBestiary")->trigger();
        QVERIFY2(told.contains(nameOf(garbage)), qPrintable(told));
        QCOMPARE(BestiarySettings::lastOpened(), nameOf(other));
        QVERIFY(listed(foes).contains("Wyrmling"));
        typeFoe(w, "Orc");
        QCOMPARE(w.box("txtFoe", 5)->text(), "25");  // Orc's stored HP at Equal
    }

    // State: a bestiary opened and then deleted, two more opened in turn.
    // Action: show File > Open Recent, pick the older entry; then Clear Recent.
    // Expected: newest first, the open one checked, the deleted one still
    // listed, marked missing and out of reach; the pick opens it; the
    // cleared list holds nothing.
    void openRecent()
    {
        const FreshUser user;
        OpenWindow w;
        const TestBestiary first = bestiaryNamed("First");
        const TestBestiary second = bestiaryNamed("Second");
        std::optional<TestBestiary> gone = bestiaryNamed("Gone");
        const QString goneName = nameOf(*gone);
        w.window->openBestiary(goneName);
        gone.reset();
        w.window->openBestiary(nameOf(first));
        w.window->openBestiary(nameOf(second));

        auto* recent = w.window->findChild<QMenu*>("mnuRecent");
        emit recent->aboutToShow();
        const QList<QAction*> entries = recent->actions();
        QCOMPARE(entries.size(), 5);  // three files, a separator, Clear Recent
        QVERIFY(entries[0]->text().endsWith(nameOf(second)));
        QVERIFY(entries[0]->isChecked());
        QVERIFY(entries[1]->text().endsWith(nameOf(first)));
        QVERIFY(!entries[1]->isChecked());
        QVERIFY(entries[1]->isEnabled());
        QCOMPARE(entries[2]->text(), "&3 " + goneName + " (missing)");
        QVERIFY(!entries[2]->isEnabled());

        entries[1]->trigger();
        QCOMPARE(listed(w.control<QComboBox>("cboFoes")), QStringList({"[Generic]", "First"}));

        w.window->findChild<QAction*>("mnuClearRecent")->trigger();
        emit recent->aboutToShow();
        QCOMPARE(recent->actions().constFirst()->text(), "(none)");
        QVERIFY(!w.window->findChild<QAction*>("mnuClearRecent")->isEnabled());
        QCOMPARE(BestiarySettings::lastOpened(), nameOf(first));  // still the one opened at start
    }

    // Action: a bestiary file dragged from a file manager and dropped on a tally box.
    // Expected: the bestiary opens; the tally keeps its number.
    void aDroppedFileOpens()
    {
        const FreshUser user;
        OpenWindow w;
        const TestBestiary dropped = bestiaryNamed("Dropped");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(nameOf(dropped))});
        data.setText(QUrl::fromLocalFile(nameOf(dropped)).toString());
        QLineEdit* tally = w.box("txtTally", 2);
        const QPoint at = tally->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tally, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tally, &drop);
        QCOMPARE(listed(w.control<QComboBox>("cboFoes")), QStringList({"[Generic]", "Dropped"}));
        QCOMPARE(tally->text(), "0");
    }

    // State: the calculator on an Access bestiary. Action: the file is
    // replaced by a larger Access bestiary, then Pitiful clicked.
    // Expected: the new foes are listed; the file is left as it was.
    void anAccessFileRewrittenWhileOpenIsReadAgain()
    {
        const FreshUser user;
        OpenWindow w(TestBestiary::fromFile(fixtureFile("access/foes.mdb")));
        w.window->openBestiary(nameOf(w.bestiary));
        auto* foes = w.control<QComboBox>("cboFoes");
        QVERIFY(!listed(foes).contains("Foe 00001"));
        const std::string replacement = readFile(fixtureFile("access/foes-many.mdb"));
        std::ofstream(w.bestiary.file(), std::ios::binary | std::ios::trunc) << replacement;
        auto* pitiful = w.control<QRadioButton>("optCategory(0)");
        QTest::mouseClick(pitiful, Qt::LeftButton, {}, QPoint(pitiful->width() - 8, pitiful->height() / 2));
        QVERIFY(listed(foes).contains("Foe 00001"));
        QCOMPARE(w.bestiary.bytes(), replacement);
        QCOMPARE(w.bestiary.folderEntries(), std::vector<std::string>{"Vorn.mdb"});
    }

    // State: the settings file is garbage, or its folder cannot be made.
    // Action: choose the bestiary, open another one, zoom in.
    // Expected: no failure: the program's sample is chosen, the other one
    // opens, the sheet starts at 100 % and zooms; a file that can be written
    // remembers the zoom.
    void settingsAreNeverAReasonToFail_data()
    {
        QTest::addColumn<bool>("unwritable");
        QTest::newRow("garbled") << false;
        QTest::newRow("unwritable") << true;
    }
    void settingsAreNeverAReasonToFail()
    {
        QFETCH(bool, unwritable);
        const FreshUser user;
        const QString folder = QFileInfo(user.settingsFile()).absolutePath();
        std::filesystem::create_directories(filePath(folder).parent_path());
        if (unwritable) {
            std::ofstream(filePath(folder)) << "a file where the settings folder belongs";
        } else {
            std::filesystem::create_directories(filePath(folder));
            std::ofstream(filePath(user.settingsFile()), std::ios::binary)
                << "[view]\nzoom=125%\n[bestiary]\nlast=@Variant(\\0\\0\\0\\x7f\xff\xfe\nrecent=\x01\x02[[\n\0\0garbage";
        }
        const TestBestiary sample = bestiaryNamed("Sample");
        QStringList told;
        auto chosen = chooseBestiary({std::nullopt, sample.file()}, [&](const QString& m) { told << m; });
        QVERIFY(chosen.has_value());
        QCOMPARE(chosen->file, sample.file());

        frmMain window(std::move(chosen->database), chosen->file);
        const TestBestiary other = bestiaryNamed("Other");
        window.openBestiary(nameOf(other));
        QCOMPARE(listed(window.findChild<QComboBox*>("cboFoes")), QStringList({"[Generic]", "Other"}));
        QVERIFY(BestiarySettings::recent().size() <= BestiarySettings::kRecentCount);

        QCOMPARE(rememberedZoom(), 100);
        window.findChild<QMenu*>("mnuView")->actions().constFirst()->trigger();
        QCOMPARE(window.findChild<QWidget*>("txtTally(6)")->x(), 540);  // 432 at 100 %
        QCOMPARE(rememberedZoom(), unwritable ? 100 : 125);
    }

private:
    // Answers the next file dialog with `file`.
    static void pickInFileDialog(const QString& file)
    {
        whenModalAppears([file](QWidget* modal) {
            if (auto* dialog = qobject_cast<QFileDialog*>(modal))
                typeInto(dialog, file);
        });
    }

    // Puts the file's path into the dialog's name box, as a paste does, and
    // presses Enter. Typed letter by letter, the path would open the box's
    // completion list, which takes the Enter for itself when it is slow.
    static void typeInto(QFileDialog* dialog, const QString& file)
    {
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        QVERIFY(name);
        name->setText(file);
        QTest::keyClick(name, Qt::Key_Return);
    }
};

QTEST_MAIN(BestiaryChoiceTest)
#include "BestiaryChoiceTest.moc"
