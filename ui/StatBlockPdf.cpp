#include "StatBlockPdf.h"

#include "StatBlockPrint.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QSaveFile>

QString statBlockPdfName(const StatBlock& block)
{
    QString name = QString::fromStdString(block.foe + " - " + block.category);
    for (QChar& c : name) {
        if (c.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = u'_';
    }
    return name + ".pdf";
}

QString statBlocksPdfName(const std::vector<StatBlock>& blocks)
{
    return blocks.size() == 1 ? statBlockPdfName(blocks.front()) : QStringLiteral("Encounter.pdf");
}

QString writeStatBlocksPdf(const std::vector<StatBlock>& blocks, const QString& file)
{
    // Opening first asks the file system the real question (a missing
    // folder, a folder in the file's place, no permission) before anything
    // is drawn; the old file stays until the new one is committed.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return out.errorString();
    // Qt's PDF writer reports no errors of its own, so it draws into memory
    // and the bytes are checked before they reach the file.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setTitle(statBlocksTitle(blocks));
    writer.setPageMargins(kPageMarginsMm, QPageLayout::Millimeter);
    if (!printStatBlocks(blocks, writer) || pdf.data().isEmpty())
        return QStringLiteral("The page could not be drawn.");
    if (out.write(pdf.data()) != pdf.data().size() || !out.commit())
        return out.errorString();
    return {};
}
