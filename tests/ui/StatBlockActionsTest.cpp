// The window's stat block leaving the calculator: on the clipboard, as a PDF
// through the save dialog, and laid out on printed pages. PDFs are read back
// with poppler's pdftotext, pdffonts and pdftoppm.

#include "DesignFonts.h"
#include "GuiFixture.h"
#include "StatBlockPrint.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The PDF's text; each page ends in a form feed.
QString pdfText(const QString& file)
{
    return run("pdftotext", {"-layout", file, "-"});
}

struct PdfWord {
    int page;  // from 1
    QRectF box;  // in points
};

// Every word of the PDF, where poppler finds it, without the punctuation
// that follows it ("HP 25, Res 3").
QMultiHash<QString, PdfWord> pdfWords(const QString& file)
{
    static const QRegularExpression tag(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*?)[,;:.]*</word>)re");
    QMultiHash<QString, PdfWord> words;
    int page = 0;
    for (const QRegularExpressionMatch& m : tag.globalMatch(run("pdftotext", {"-bbox", file, "-"}))) {
        if (m.captured(0) == "<page ") {
            ++page;
            continue;
        }
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.insert(m.captured(5), {page, QRectF(topLeft, bottomRight)});
    }
    return words;
}

void clickCategory(const OpenWindow& w, int category)
{
    auto* option = w.control<QRadioButton>(QStringLiteral("optCategory(%1)").arg(category));
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(option->width() - 8, option->height() / 2));
}

// Bandit Archer at Superior with an Init tally of 3, as a game master sets it up.
void banditArcherAtSuperior(const OpenWindow& w)
{
    w.showActive();
    pickFoe(w, "Bandit Archer");
    clickCategory(w, 4);
    QLineEdit* init = w.box("txtTally", 0);
    init->setFocus();
    QTest::keyClick(init, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(init, "3");
    QCOMPARE(init->text(), "3");
}

// Names the file in the save dialog as a paste does and presses Enter;
// typed letter by letter, the name would open a completion list that can
// take the Enter for itself.
void answerSaveDialog(QWidget* modal, const QString& file, QString* offered = nullptr)
{
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    QVERIFY(dialog);
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    QVERIFY(name);
    if (offered)
        *offered = name->text();
    name->setText(file);
    QTest::keyClick(name, Qt::Key_Return);
}

StatBlock numberedBlock(int n)
{
    StatBlock block;
    block.foe = QStringLiteral("Foe %1").arg(n, 2, 10, QChar('0')).toStdString();
    block.category = "Equal";
    block.stats = {"1", "2", "3", "4", "5", std::to_string(1000 + n), "7"};
    block.bow = block.xbow = {"1", "1", "0", "2"};
    block.move = std::to_string(3000 + n);
    block.mix = "1.5";
    block.wound = "99";
    block.might = std::to_string(2000 + n);
    return block;
}

}  // namespace

class StatBlockActionsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        installDesignFonts();
        QVERIFY(QGuiApplication::clipboard());
        qputenv("HOME", home_.path().toUtf8());  // where the save dialog starts
    }

    // State: Bandit Archer at Superior, a tally typed. Action: Ctrl+Shift+C.
    // Expected: plain text, HTML and Markdown on the clipboard, each with the
    // foe and the HP the window shows; a note says what was copied.
    void copyPutsThreeFormsOnTheClipboard()
    {
        OpenWindow w;
        banditArcherAtSuperior(w);
        QGuiApplication::clipboard()->setText("before");
        const QString hp = w.box("txtFoe", 5)->text();
        QCOMPARE(hp.size(), 2);
        QTest::keyClick(w.box("txtTally", 0), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);

        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data);
        const QString text = data->text();
        const QString html = data->html();
        const QString markdown = QString::fromUtf8(data->data("text/markdown"));
        for (const QString& form : {text, html, markdown})
            QVERIFY2(form.contains("Bandit Archer") && form.contains(hp), qPrintable(form));
        QVERIFY(text != html && text != markdown && html != markdown);
        QCOMPARE(passingNote(w), "Copied Bandit Archer at Superior");
    }

    void ctrlCCopiesTheSelectionElseTheBlock_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("selected");  // characters selected from the start, -1 for none
        QTest::addColumn<bool>("block");
        QTest::newRow("tally, nothing selected") << "txtTally(1)" << -1 << true;
        QTest::newRow("tally, a digit selected") << "txtTally(1)" << 1 << false;
        QTest::newRow("result, nothing selected") << "txtFoe(5)" << -1 << true;
        QTest::newRow("result, all selected") << "txtFoe(5)" << 2 << false;
        QTest::newRow("foe box, nothing selected") << "cboFoes" << -1 << true;
    }

    // State: Orc at Equal, 12 typed into the Atk tally; a box focused with
    // or without a selection. Action: Ctrl+C.
    // Expected: a selection is copied as ever, nothing selected copies the block.
    void ctrlCCopiesTheSelectionElseTheBlock()
    {
        QFETCH(QString, box);
        QFETCH(int, selected);
        QFETCH(bool, block);
        OpenWindow w;
        w.showActive();
        pickFoe(w, "Orc");
        QLineEdit* atk = w.box("txtTally", 1);
        atk->setFocus();
        QTest::keyClick(atk, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(atk, "12");
        QCOMPARE(atk->text(), "12");
        const QString hp = w.box("txtFoe", 5)->text();

        QWidget* focused = w.control(box);
        auto* foes = qobject_cast<QComboBox*>(focused);
        QLineEdit* edit = foes ? foes->lineEdit() : qobject_cast<QLineEdit*>(focused);
        focused->setFocus();
        if (selected < 0)
            edit->deselect();
        else
            edit->setSelection(0, selected);
        const QString selection = edit->selectedText();
        QGuiApplication::clipboard()->setText("before");
        QTest::keyClick(focused, Qt::Key_C, Qt::ControlModifier);

        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        if (block) {
            QVERIFY2(data->text().contains("Orc") && data->text().contains(hp), qPrintable(data->text()));
            QVERIFY(data->hasHtml());
        } else {
            QVERIFY(!selection.isEmpty());
            QCOMPARE(data->text(), selection);
            QVERIFY(!data->hasHtml());
        }
    }

    // State: Bandit Archer at Superior. Action: File > Export PDF, the
    // offered name kept in another folder; then Export PDF again, cancelled.
    // Expected: the first dialog starts at home, the second in the folder of
    // the first export; the foe, its category and the window's results in
    // the PDF's text; cancelling writes nothing.
    void exportPdfThroughTheSaveDialog()
    {
        OpenWindow w;
        banditArcherAtSuperior(w);
        const QTemporaryDir folder;
        QString offered;
        QString startedIn;
        const QString target = folder.filePath("Bandit Archer - Superior.pdf");
        whenModalAppears([&](QWidget* modal) {
            if (auto* dialog = qobject_cast<QFileDialog*>(modal))
                startedIn = dialog->directory().absolutePath();
            answerSaveDialog(modal, target, &offered);
        });
        w.window->findChild<QAction*>("mnuExportPdf")->trigger();
        QCOMPARE(startedIn, QDir(home_.path()).absolutePath());
        QCOMPARE(offered, "Bandit Archer - Superior.pdf");
        QCOMPARE(passingNote(w), "Exported Bandit Archer - Superior.pdf");
        QVERIFY(run("pdfinfo", {target}).contains(QRegularExpression("Title: +Bandit Archer at Superior\n")));
        const QString text = pdfText(target);
        QVERIFY2(text.contains("Bandit Archer") && text.contains("Superior"), qPrintable(text));
        for (const char* result : {"txtFoe(5)", "txtWT", "txtMight"})
            QVERIFY2(text.contains(w.box(result)->text()), result);

        whenModalAppears([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            startedIn = dialog->directory().absolutePath();
            dialog->reject();
        });
        w.window->findChild<QAction*>("mnuExportPdf")->trigger();
        QCOMPARE(startedIn, QDir(folder.path()).absolutePath());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList({"Bandit Archer - Superior.pdf"}));
    }

    // State: Bandit Archer at Superior. Action: Ctrl+P, and in the print
    // dialog the PDF file printer (never a real one) and a file name.
    // Expected: the page in that file with the foe and its HP; a note says so.
    void printThroughTheDialog()
    {
        OpenWindow w;
        banditArcherAtSuperior(w);
        const QTemporaryDir folder;
        const QString file = folder.filePath("printed.pdf");
        whenModalAppears([&](QWidget* modal) {
            auto* dialog = qobject_cast<QPrintDialog*>(modal);
            QVERIFY(dialog);
            auto* printers = dialog->findChild<QComboBox*>("printers");
            auto* name = dialog->findChild<QLineEdit*>("filename");
            QVERIFY(printers && name);
            printers->setCurrentIndex(printers->count() - 1);
            QCOMPARE(printers->currentText(), "Print to File (PDF)");
            name->setText(file);
            QTest::keyClick(name, Qt::Key_Return);
        });
        QTest::keyClick(w.box("txtTally", 0), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(passingNote(w), "Printed Bandit Archer at Superior");
        const QString text = pdfText(file);
        QVERIFY2(text.contains("Bandit Archer") && text.contains(w.box("txtFoe", 5)->text()), qPrintable(text));

        // Export PDF gives the same page: every word where the print put it.
        const QString exported = folder.filePath("exported.pdf");
        whenModalAppears([&](QWidget* modal) { answerSaveDialog(modal, exported); });
        w.window->findChild<QAction*>("mnuExportPdf")->trigger();
        const QMultiHash<QString, PdfWord> printedWords = pdfWords(file);
        const QMultiHash<QString, PdfWord> exportedWords = pdfWords(exported);
        QCOMPARE(printedWords.size(), exportedWords.size());
        for (const char* word : {"Bandit", "Melee", "X-Bow", "Might"}) {
            const QPointF shift = printedWords.value(word).box.topLeft() - exportedWords.value(word).box.topLeft();
            QVERIFY2(shift.manhattanLength() < 1, qPrintable(word));
        }
    }

    // State: a foe name typed with characters no file name may hold.
    // Expected: the save dialog offers the name with each of them replaced.
    void theOfferedNameIsSafe()
    {
        OpenWindow w;
        w.showActive();
        auto* foes = w.control<QComboBox>("cboFoes");
        foes->setFocus();
        QTest::keyClick(foes, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(foes, "<Mob>: 3/4 \"elite\"?");
        QCOMPARE(foes->currentText(), "<Mob>: 3/4 \"elite\"?");
        QString offered;
        whenModalAppears([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            offered = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
            dialog->reject();
        });
        w.window->findChild<QAction*>("mnuExportPdf")->trigger();
        QCOMPARE(offered, "_Mob__ 3_4 _elite__ - Equal.pdf");
    }

    void anUnwritableTargetIsExplained_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::newRow("folder missing") << "no such folder/Orc.pdf";
        QTest::newRow("a file where the folder should be") << "plain file/Orc.pdf";
    }

    // Action: Export PDF to a file that cannot be made.
    // Expected: a message box under the program's title naming the file;
    // nothing is written.
    void anUnwritableTargetIsExplained()
    {
        QFETCH(QString, relative);
        OpenWindow w;
        w.showActive();
        pickFoe(w, "Orc");
        const QTemporaryDir folder;
        QFile plain(folder.filePath("plain file"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QString target = folder.filePath(relative);
        QString caption;
        QString told;
        whenModalAppears([&](QWidget* modal) {
            whenModalAppears([&](QWidget* box) {
                if (auto* message = qobject_cast<QMessageBox*>(box)) {
                    caption = message->windowTitle();
                    told = message->text();
                    message->accept();
                }
            });
            answerSaveDialog(modal, target);
        });
        w.window->findChild<QAction*>("mnuExportPdf")->trigger();
        QCOMPARE(caption, "Vorn_Foe");
        QVERIFY2(told.contains(target), qPrintable(told));
        QVERIFY(!QFileInfo::exists(target));
    }

    // State: the desktop's colours light on dark. Action: print 3 to 25
    // blocks to a PDF printer, with the sheet's margins; papers of several
    // heights, so that a block crossing a page's foot or a column's is likely
    // to lose text on one of them.
    // Expected: every block whole on one page, inside its printable area, in
    // as many pages as the row allows (two columns: 25 on three A4 pages);
    // the text is dark ink and the headings are in the bundled decorative face.
    void printedBlocksAreNeverSplit_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::addColumn<int>("fewestPages");
        QTest::addColumn<int>("mostPages");
        QTest::newRow("three on A4") << 3 << QPageSize::A4 << 1 << 1;
        QTest::newRow("fourteen on A4") << 14 << QPageSize::A4 << 2 << 2;
        QTest::newRow("twenty-five on A4") << 25 << QPageSize::A4 << 3 << 3;
        QTest::newRow("fourteen on Letter") << 14 << QPageSize::Letter << 2 << 2;
        QTest::newRow("fourteen on A5") << 14 << QPageSize::A5 << 3 << 5;
    }
    void printedBlocksAreNeverSplit()
    {
        QFETCH(int, count);
        QFETCH(QPageSize::PageSizeId, paper);
        QFETCH(int, fewestPages);
        QFETCH(int, mostPages);
        const QPalette desktop = QApplication::palette();
        QPalette dark = desktop;
        dark.setColor(QPalette::Text, Qt::white);
        dark.setColor(QPalette::WindowText, Qt::white);
        dark.setColor(QPalette::Base, Qt::black);
        QApplication::setPalette(dark);
        std::vector<StatBlock> blocks;
        for (int n = 1; n <= count; ++n)
            blocks.push_back(numberedBlock(n));
        const QTemporaryDir folder;
        const QString file = folder.filePath("encounter.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(paper));
        printer.setPageMargins(kPageMarginsMm, QPageLayout::Millimeter);
        const bool printed = printStatBlocks(blocks, printer);
        QApplication::setPalette(desktop);
        QVERIFY(printed);

        // A block's title number and its own three numbers: each once, all
        // on one page and inside its printable area.
        const QMultiHash<QString, PdfWord> words = pdfWords(file);
        const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Point).adjusted(-1, -1, 1, 1);
        QSet<int> pages;
        for (int n = 1; n <= count; ++n) {
            const StatBlock& block = blocks[std::size_t(n - 1)];
            const QString number = QStringLiteral("%1").arg(n, 2, 10, QChar('0'));
            QSet<int> on;
            for (const std::string& word : {number.toStdString(), block.stats[HP], block.might, block.move}) {
                const QList<PdfWord> found = words.values(QString::fromStdString(word));
                const QString where = QString::fromStdString(word) + " of " + number;
                QVERIFY2(found.size() == 1, qPrintable(where + QStringLiteral(" found %1 times").arg(found.size())));
                QVERIFY2(printable.contains(found[0].box), qPrintable(number + " runs off its page"));
                on << found[0].page;
            }
            QVERIFY2(on.size() == 1, qPrintable(number + " is split"));
            pages += on;
        }
        QVERIFY2(pages.size() >= fewestPages && pages.size() <= mostPages, qPrintable(QString::number(pages.size())));

        const QString fonts = run("pdffonts", {file});
        // The window's decorative face, by its PostScript name: its family
        // holds other faces too.
        const QFontInfo face(designFont(FontRole::Title));
        const QString decorative = face.family() + '-' + face.styleName().remove(' ');
        QVERIFY2(fonts.contains(decorative), qPrintable(fonts));
        // The first block's Might, drawn at 144 dpi: light text on the white
        // page would leave hardly a dark pixel there.
        const QRect might(words.value(QString::fromStdString(blocks[0].might)).box.toAlignedRect());
        const QStringList crop = {"-x", QString::number(2 * might.x()), "-y", QString::number(2 * might.y()),
                                  "-W", QString::number(2 * might.width()), "-H", QString::number(2 * might.height())};
        const QStringList arguments = {"-r", "144", "-gray", "-singlefile", file, folder.filePath("might")};
        run("pdftoppm", crop + arguments);
        const QImage word(folder.filePath("might.pgm"));
        QVERIFY(!word.isNull());
        int ink = 0;
        for (int y = 0; y < word.height(); ++y)
            for (int x = 0; x < word.width(); ++x)
                ink += qGray(word.pixel(x, y)) < 64;
        QVERIFY2(ink > 20, qPrintable(QString::number(ink)));
    }

private:
    QTemporaryDir home_;
};

QTEST_MAIN(StatBlockActionsTest)
#include "StatBlockActionsTest.moc"
