// The command line shows what the window shows: the same names at every
// category, and for random foes, categories and tallies the same numbers,
// empty boxes and faults. The real program runs beside the real window.

#include "BestiarySettings.h"
#include "BestiarySources.h"
#include "GuiFixture.h"
#include "OpenFoeDatabase.h"

#include <QAction>
#include <QComboBox>
#include <QMainWindow>
#include <QTableView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>

#include <random>

namespace {

// Runs the program; its standard output, after checking it succeeded quietly.
QByteArray answer(const QStringList& arguments,
                  const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(VORN_PROGRAM, arguments);
    if (!program.waitForFinished(20000) || program.exitCode() != 0 || !program.readAllStandardError().isEmpty())
        qWarning("vorn-foe %s failed", qPrintable(arguments.join(' ')));
    return program.readAllStandardOutput();
}

// A box's text as the JSON holds it: null for an empty box, else a number.
QJsonValue boxValue(const QLineEdit* box)
{
    return box->text().isEmpty() ? QJsonValue() : QJsonValue(box->text().toDouble());
}

const char* const kStats[] = {"Init", "Atk", "Dfn", "Dam", "Soak", "HP", "Res"};
const char* const kRanged[] = {"Init", "Atk", "Dfn", "Dam"};

}  // namespace

class CommandLineAgreementTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        QCoreApplication::setApplicationName("vorn-foe");
    }

    void readsTheBestiaryTheWindowRemembers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "mine.mdb";
        // QSettings quotes and escapes such a name in its file.
        QTest::newRow("quoted and escaped") << QString::fromUtf8("@Foes, mine; \"Ölgrund\" = 1\tü.mdb");
    }

    // State: the user's settings remember a bestiary, as File > Open
    // Bestiary leaves them. Action: --list, given no --bestiary.
    // Expected: the remembered file's names; once that file is gone, status
    // 1, the window's own words and the way to name another on standard
    // error, nothing on standard output, and the file still remembered.
    void readsTheBestiaryTheWindowRemembers()
    {
        QFETCH(QString, name);
        QTemporaryDir home;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.filePath("config"));
        QProcessEnvironment user = QProcessEnvironment::systemEnvironment();
        user.insert("HOME", home.path());
        user.insert("XDG_CONFIG_HOME", home.filePath("config"));
        user.insert("XDG_DATA_HOME", home.filePath("data"));
        const TestBestiary bestiary = TestBestiary::fromSql(
            "CREATE TABLE Foes (Name, Max_Threat, Init, Atk, Dfn, Dam, Soak, HP, Res, Mix, Move, Missile);"
            "INSERT INTO Foes VALUES ('Remembered', 7, 1, 1, 1, 1, 1, 20, 1, 5, '10', 0);");
        const QString remembered = home.filePath(name);
        QVERIFY(QFile::copy(fileName(bestiary.file()), remembered));
        BestiarySettings::remember(remembered);
        QCOMPARE(answer({"--list"}, user), "Remembered\n");

        QVERIFY(QFile::remove(remembered));
        QProcess program;
        program.setProcessEnvironment(user);
        program.start(VORN_PROGRAM, {"--list"});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 1);
        QCOMPARE(program.readAllStandardOutput(), QByteArray());
        const QString windowWords
            = QString::fromStdString(DatabaseError(filePath(remembered), "the file does not exist").what());
        QCOMPARE(QString::fromLocal8Bit(program.readAllStandardError()),
                 "vorn-foe: " + windowWords + " Name another with --bestiary FILE.\n");
        QCOMPARE(BestiarySettings::lastOpened(), remembered);
    }

    // Action: each category clicked in the window, and asked with --list.
    // Expected: the window's list less "[Generic]", name for name.
    void listsWhatTheWindowOffers()
    {
        OpenWindow w;
        const QString file = QString::fromStdString(w.bestiary.file().string());
        auto* foes = w.control<QComboBox>("cboFoes");
        for (int category = 0; category < kCategoryCount; ++category) {
            w.control<QRadioButton>(QStringLiteral("optCategory(%1)").arg(category))->click();
            QStringList offered;
            for (int i = 1; i < foes->count(); ++i)
                offered << foes->itemText(i);
            const QString listed = QString::fromUtf8(
                answer({"--list", "--category", QString::number(category), "--bestiary", file}));
            QCOMPARE(listed, offered.isEmpty() ? QString() : offered.join('\n') + '\n');
        }
    }

    // State: a fresh window for each of twenty seeded random inputs: a foe
    // (or "[Generic]"), a category, seven tallies, some out of range.
    // Expected: --format json holds every box the window shows, null where it
    // is empty, the ranged rows null where hidden, the fault where it stopped.
    void jsonHoldsWhatTheWindowShows()
    {
        const TestBestiary bestiary = TestBestiary::fromFixture();
        const QString file = QString::fromStdString(bestiary.file().string());
        std::mt19937 random(20261207);
        const QStringList names = {"[Generic]", "Goblin", "Orc", "Bandit Archer", "Shade", "Cave Troll",
                                   QString::fromUtf8("Ålfar Scout"), "zombie", "Bandit"};
        const QStringList tallyTexts = {"0", "0", "1", "-3", "12", "2.5", "3.5", "-7"};
        const QStringList outOfRange = {"40000", "30000", "-32768"};  // in every fifth input, in one slot
        for (int input = 0; input < 20; ++input) {
            const QString foe = names[static_cast<int>(random() % names.size())];
            const int category = static_cast<int>(random() % kCategoryCount);
            QStringList arguments = {"--foe", foe, "--category", QString::number(category), "--format", "json",
                                     "--bestiary", file};
            frmMain window(openFoeDatabase(bestiary.file()));
            window.findChild<QRadioButton*>(QStringLiteral("optCategory(%1)").arg(category))->click();
            window.findChild<QComboBox*>("cboFoes")->setEditText(foe);
            const int wild = input % 5 == 4 ? static_cast<int>(random() % kStatCount) : -1;
            for (int slot = 0; slot < kStatCount; ++slot) {
                const QString tally = slot == wild ? outOfRange[static_cast<int>(random() % outOfRange.size())]
                                                   : tallyTexts[static_cast<int>(random() % tallyTexts.size())];
                window.findChild<QLineEdit*>(QStringLiteral("txtTally(%1)").arg(slot))->setText(tally);
                arguments << "--tally" << QStringLiteral("%1=%2").arg(kStats[slot], tally);
            }
            const QString what = arguments.join(' ');
            const QJsonObject json = QJsonDocument::fromJson(answer(arguments)).object();
            const auto box = [&](const QString& name) { return window.findChild<QLineEdit*>(name); };

            QCOMPARE(json["foe"].toString(), foe);
            for (int slot = 0; slot < kStatCount; ++slot)
                QVERIFY2(json["stats"][kStats[slot]] == boxValue(box(QStringLiteral("txtFoe(%1)").arg(slot))),
                         qPrintable(what));
            const bool ranged = !window.findChild<QWidget*>("lblBow")->isHidden();
            QCOMPARE(json["bow"].isNull(), !ranged);
            for (int column = 0; ranged && column < kRangedColumns; ++column) {
                QVERIFY2(json["bow"][kRanged[column]] == boxValue(box(QStringLiteral("txtBow(%1)").arg(column))),
                         qPrintable(what));
                QVERIFY2(json["xbow"][kRanged[column]] == boxValue(box(QStringLiteral("txtXBow(%1)").arg(column))),
                         qPrintable(what));
            }
            QCOMPARE(json["move"].toString(), box("txtMove")->text());
            QVERIFY2(json["mix"] == boxValue(box("txtMix")), qPrintable(what));
            QVERIFY2(json["wound"] == boxValue(box("txtWT")), qPrintable(what));
            QVERIFY2(json["might"] == boxValue(box("txtMight")), qPrintable(what));

            QString markedTally;
            for (int slot = 0; slot < kStatCount; ++slot) {
                if (!box(QStringLiteral("txtTally(%1)").arg(slot))->toolTip().isEmpty())
                    markedTally = kStats[slot];
            }
            const QString foeMark = window.findChild<QComboBox*>("cboFoes")->toolTip();
            const QJsonValue fault = json["fault"];
            QCOMPARE(fault.isNull(), markedTally.isEmpty() && foeMark.isEmpty());
            if (!markedTally.isEmpty()) {
                QCOMPARE(fault["input"].toString(), "tally");
                QCOMPARE(fault["statistic"].toString(), markedTally);
            }
            if (!foeMark.isEmpty())
                QCOMPARE(fault["reason"].toString(), foeMark);
        }
    }

    // State: an encounter gathered in the window (foes at several
    // categories and tallies, one entry of three, hit) and saved with File >
    // Save Encounter As. Action: --encounter on the file, --format json.
    // Expected: entry for entry, the numbers the Encounter window shows, its
    // count and each creature's HP.
    void encounterHoldsWhatTheWindowShows()
    {
        OpenWindow w;
        const QString file = QString::fromStdString(w.bestiary.file().string());
        const struct {
            const char* foe;
            int category;
            const char* tally;  // Init
        } added[] = {{"Orc", 3, "0"}, {"Orc", 3, "0"}, {"Orc", 3, "0"}, {"Bandit Archer", 5, "2"},
                     {"[Generic]", 0, "-3"}, {"Goblin", 1, "7"}};
        for (const auto& entry : added) {
            w.control<QRadioButton>(QStringLiteral("optCategory(%1)").arg(entry.category))->click();
            w.control<QComboBox>("cboFoes")->setEditText(entry.foe);
            w.box("txtTally", 0)->setText(entry.tally);
            w.control<QAction>("mnuAddToEncounter")->trigger();
        }
        QMainWindow* encounter = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            encounter = window->objectName() == "frmEncounter" ? qobject_cast<QMainWindow*>(window) : encounter;
        QVERIFY(encounter);
        const QAbstractItemModel* entries = encounter->findChild<QTableView*>("grdEntries")->model();
        const QAbstractItemModel* creatures = encounter->findChild<QTableView*>("grdCreatures")->model();
        QCOMPARE(entries->rowCount(), 4);
        auto* hitFor = encounter->findChild<QSpinBox*>("spnAmount");
        hitFor->setValue(5);
        encounter->findChild<QTableView*>("grdCreatures")->selectRow(1);
        encounter->findChild<QPushButton*>("cmdDamage")->click();

        QTemporaryDir folder;
        const QString saved = folder.filePath("fight.json");
        whenModalAppears([&saved](QWidget* dialog) {
            if (auto* name = dialog ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr) {
                name->setText(saved);
                QTest::keyClick(name, Qt::Key_Return);
            }
        });
        for (QAction* action : encounter->findChildren<QAction*>()) {
            if (action->text() == "Save Encounter &As...")
                action->trigger();
        }
        QVERIFY(QFile::exists(saved));

        const QJsonArray json = QJsonDocument::fromJson(answer({"--encounter", saved, "--format", "json",
                                                                "--bestiary", file})).array();
        QCOMPARE(json.size(), entries->rowCount());
        int creature = 0;
        for (int row = 0; row < entries->rowCount(); ++row) {
            const QJsonObject block = json[row].toObject();
            const auto shown = [&](int column) { return entries->index(row, column).data().toString(); };
            QCOMPARE(block["count"].toInt(), shown(0).toInt());
            QCOMPARE(block["foe"].toString(), shown(1));
            QCOMPARE(block["category"].toString(), shown(2));
            for (int slot = 0; slot < kStatCount; ++slot)
                QCOMPARE(block["stats"][kStats[slot]].toDouble(), shown(3 + slot).toDouble());
            QCOMPARE(block["move"].toString(), shown(10));
            QCOMPARE(block["wound"].toDouble(), shown(11).toDouble());
            QCOMPARE(block["might"].toDouble(), shown(12).toDouble());
            for (const QJsonValue hp : block["hp"].toArray())
                QCOMPARE(QString::number(hp.toInt()), creatures->index(creature++, 1).data().toString().section(" / ", 0, 0));
        }
        QCOMPARE(creature, creatures->rowCount());
        QCOMPARE(json[0]["hp"][1].toInt(), json[0]["stats"]["HP"].toInt() - 5);
    }
};

QTEST_MAIN(CommandLineAgreementTest)
#include "CommandLineAgreementTest.moc"
