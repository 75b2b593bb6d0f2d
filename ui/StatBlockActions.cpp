#include "StatBlockActions.h"

#include "CopyKey.h"
#include "PassingNote.h"
#include "StatBlockPdf.h"
#include "StatBlockPrint.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>

#include <memory>

namespace {

// By the menu bar, where the game master's eyes are after a menu command.
void note(QWidget* window, const QString& text)
{
    QWidget* menuBar = window->findChild<QMenuBar*>();
    showPassingNote(menuBar ? menuBar : window, text);
}

void showFailure(QWidget* window, const QString& message)
{
    QMessageBox box(QMessageBox::Critical, "Vorn_Foe", message, QMessageBox::Ok, window);
    box.exec();
}

void copyBlock(QWidget* window, const StatBlock& block)
{
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(statBlockText(block)));
    data->setHtml(QString::fromStdString(statBlockHtml(block)));
    data->setData(QStringLiteral("text/markdown"), QByteArray::fromStdString(statBlockMarkdown(block)));
    QGuiApplication::clipboard()->setMimeData(data);
    note(window, "Copied " + statBlocksTitle({block}));
}

// The same page as Export PDF gives, and when printed to a file, offered
// under the same name.
void printBlocks(QWidget* window, const std::vector<StatBlock>& blocks)
{
    const QString title = statBlocksTitle(blocks);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageMargins(kPageMarginsMm, QPageLayout::Millimeter);
    // The job's name, and on X11 the file offered when printing to one.
    printer.setDocName(statBlocksPdfName(blocks));
    QPrintDialog dialog(&printer, window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Printing to a file is the one case where the result can be looked at.
    const QString file = printer.outputFileName();
    if (printStatBlocks(blocks, printer) && printer.printerState() != QPrinter::Error
        && (file.isEmpty() || QFileInfo(file).size() > 0))
        return note(window, "Printed " + title);
    if (file.isEmpty())
        return showFailure(window, QStringLiteral("Could not print on %1:\nthe printer refused the page.")
                                       .arg(printer.printerName()));
    showFailure(window, QStringLiteral("Could not print to %1:\nthe file could not be written.")
                            .arg(QDir::toNativeSeparators(file)));
}

// `folder` is where the last export went; the next one is offered there.
void exportBlocks(QWidget* window, const std::vector<StatBlock>& blocks, QString& folder)
{
    const QString offered = QDir(folder.isEmpty() ? QDir::homePath() : folder).filePath(statBlocksPdfName(blocks));
    const QString file = QFileDialog::getSaveFileName(window, "Export PDF", offered, "PDF files (*.pdf)");
    if (file.isEmpty())
        return;
    const QString reason = writeStatBlocksPdf(blocks, file);
    if (!reason.isEmpty()) {
        const QString message = QStringLiteral("Could not write %1:\n%2");
        return showFailure(window, message.arg(QDir::toNativeSeparators(file), reason));
    }
    folder = QFileInfo(file).absolutePath();
    note(window, "Exported " + QFileInfo(file).fileName());
}

}  // namespace

void addStatBlockActions(QMenu* file, QWidget* window, std::function<StatBlock()> current)
{
    file->addSeparator();
    QAction* copy = file->addAction("&Copy Stat Block");
    copy->setObjectName("mnuCopyStatBlock");
    copy->setShortcut(QKeySequence("Ctrl+Shift+C"));
    QObject::connect(copy, &QAction::triggered, window, [window, current] { copyBlock(window, current()); });
    copyWhenNothingSelected(window, copy);

    addPrintActions(file, window, [current] { return std::vector{current()}; });
}

void addPrintActions(QMenu* file, QWidget* window, std::function<std::vector<StatBlock>()> blocks)
{
    // An empty encounter has no page to give.
    const auto withBlocks = [window, blocks](auto use) {
        return [window, blocks, use] {
            const std::vector<StatBlock> shown = blocks();
            if (shown.empty())
                return note(window, "Nothing to print: the encounter is empty");
            use(shown);
        };
    };
    QAction* print = file->addAction("&Print...");
    print->setObjectName("mnuPrint");
    print->setShortcut(QKeySequence::Print);
    QObject::connect(print, &QAction::triggered, window,
                     withBlocks([window](const std::vector<StatBlock>& shown) { printBlocks(window, shown); }));

    QAction* pdf = file->addAction("&Export PDF...");
    pdf->setObjectName("mnuExportPdf");
    pdf->setShortcut(QKeySequence("Ctrl+Shift+E"));
    auto folder = std::make_shared<QString>();
    QObject::connect(pdf, &QAction::triggered, window, withBlocks([window, folder](const std::vector<StatBlock>& shown) {
                         exportBlocks(window, shown, *folder);
                     }));
}
