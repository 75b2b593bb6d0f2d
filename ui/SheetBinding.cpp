#include "SheetBinding.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

void show(QLineEdit* box, const std::string& text)
{
    const QString wanted = QString::fromStdString(text);
    if (box->text() == wanted)
        return;
    const QSignalBlocker quiet(box);
    box->setText(wanted);
}

template <std::size_t N>
void showRow(const std::array<QLineEdit*, N>& boxes, const std::array<std::string, N>& texts)
{
    for (std::size_t i = 0; i < N; ++i)
        show(boxes[i], texts[i]);
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
    show(c.txtMix, sheet.mix);
    show(c.txtMove, sheet.move);
    if (sheet.rangedVisible == c.lblBow->isHidden())
        showRangedRows(c, sheet.rangedVisible);
    for (std::size_t i = 0; i < kStatCount; ++i) {
        if (sheet.tallyReset[i]) {
            show(c.txtTally[i], sheet.tally[i]);
            c.txtTally[i]->selectAll();
        }
    }
    showRow(c.txtFoe, sheet.foe);
    showRow(c.txtBow, sheet.bow);
    showRow(c.txtXBow, sheet.xbow);
    show(c.txtWT, sheet.wound);
    show(c.txtMight, sheet.might);
}
