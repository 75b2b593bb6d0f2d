#include "SheetBinding.h"

#include "BoxFit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

// Whether the box changed.
bool show(QLineEdit* box, const std::string& text)
{
    const QString wanted = QString::fromStdString(text);
    if (box->text() == wanted)
        return false;
    const QSignalBlocker quiet(box);
    box->setText(wanted);
    return true;
}

void showNumber(QLineEdit* box, const std::string& text)
{
    if (show(box, text))
        fitNumberToBox(box);
}

template <std::size_t N>
void showRow(const std::array<QLineEdit*, N>& boxes, const std::array<std::string, N>& texts)
{
    for (std::size_t i = 0; i < N; ++i)
        showNumber(boxes[i], texts[i]);
}

template <std::size_t N>
void fitRow(const std::array<QLineEdit*, N>& boxes)
{
    for (QLineEdit* box : boxes)
        fitNumberToBox(box);
}

void showRangedRows(MainWindowControls& c, bool visible)
{
    c.lblBow->setVisible(visible);
    c.lblXBow->setVisible(visible);
    for (std::size_t i = 0; i < kRangedColumns; ++i) {
        c.txtBow[i]->setVisible(visible);
        c.txtXBow[i]->setVisible(visible);
    }
}

}  // namespace

void readInputs(const MainWindowControls& c, FoeSheet& sheet)
{
    sheet.foeName = c.cboFoes->currentText().toStdString();
    for (std::size_t i = 0; i < kStatCount; ++i)
        sheet.tally[i] = c.txtTally[i]->text().toStdString();
}

void showSheet(MainWindowControls& c, const FoeSheet& sheet)
{
    showNumber(c.txtMix, sheet.mix);
    if (show(c.txtMove, sheet.move))
        fitMoveToBox(c.txtMove);
    if (sheet.rangedVisible == c.lblBow->isHidden())
        showRangedRows(c, sheet.rangedVisible);
    for (std::size_t i = 0; i < kStatCount; ++i) {
        if (sheet.tallyReset[i]) {
            showNumber(c.txtTally[i], sheet.tally[i]);
            c.txtTally[i]->selectAll();
        }
    }
    showRow(c.txtFoe, sheet.foe);
    showRow(c.txtBow, sheet.bow);
    showRow(c.txtXBow, sheet.xbow);
    showNumber(c.txtWT, sheet.wound);
    showNumber(c.txtMight, sheet.might);
}

void fitSheetBoxes(const MainWindowControls& c)
{
    fitRow(c.txtTally);
    fitRow(c.txtFoe);
    fitRow(c.txtBow);
    fitRow(c.txtXBow);
    for (QLineEdit* box : {c.txtMix, c.txtWT, c.txtMight})
        fitNumberToBox(box);
    fitMoveToBox(c.txtMove);
}
