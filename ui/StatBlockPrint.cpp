#include "StatBlockPrint.h"

#include "DesignFonts.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <memory>

namespace {

// On paper a table's columns need air and lines to be read down. Lengths
// are in screen pixels: the layout scales them to the device.
void ruleTables(QTextDocument& document)
{
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        QTextTableFormat format = table->format();
        format.setBorder(1);
        format.setBorderBrush(Qt::black);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setCellSpacing(0);
        format.setCellPadding(3);
        table->setFormat(format);
    }
}

// The block's HTML laid out `width` wide at the device's own resolution, so
// what is measured is what is printed.
std::unique_ptr<QTextDocument> layOut(const StatBlock& block, QPagedPaintDevice& device, qreal width)
{
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(&device);
    document->setDocumentMargin(0);
    document->setHtml(QString::fromStdString(statBlockHtml(block)));
    QTextCharFormat decorative;
    const QFont face = designFont(FontRole::Title);
    decorative.setFontFamilies({face.family()});
    decorative.setFontStyleName(face.styleName());
    for (QTextBlock paragraph = document->begin(); paragraph.isValid(); paragraph = paragraph.next()) {
        if (paragraph.blockFormat().headingLevel() == 0)
            continue;
        QTextCursor heading(paragraph);
        heading.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        heading.mergeCharFormat(decorative);
    }
    ruleTables(*document);
    document->setTextWidth(width);
    return document;
}

// Text without a colour of its own takes the palette's; on paper that is
// black, not the desktop's (perhaps light) text colour.
QAbstractTextDocumentLayout::PaintContext onPaper()
{
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    return context;
}

}  // namespace

QString statBlocksTitle(const std::vector<StatBlock>& blocks)
{
    if (blocks.size() != 1)
        return QStringLiteral("Encounter");
    return QString::fromStdString(blocks.front().foe + " at " + blocks.front().category);
}

bool printStatBlocks(const std::vector<StatBlock>& blocks, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const qreal gap = device.logicalDpiY() / 3.0;  // a third of an inch between blocks and columns
    const int columns = blocks.size() > 1 ? 2 : 1;
    const qreal columnWidth = (device.width() - gap * (columns - 1)) / columns;
    int column = 0;
    qreal top = 0;
    for (const StatBlock& block : blocks) {
        const std::unique_ptr<QTextDocument> document = layOut(block, device, columnWidth);
        const qreal height = document->size().height();
        if (top > 0 && top + height > device.height()) {
            if (++column == columns) {
                if (!device.newPage())
                    return false;
                column = 0;
            }
            top = 0;
        }
        painter.save();
        painter.translate(column * (columnWidth + gap), top);
        document->documentLayout()->draw(&painter, onPaper());
        painter.restore();
        top += height + gap;
    }
    return painter.end();
}
