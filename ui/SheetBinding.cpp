#include "SheetBinding.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

QString toText(const std::string& text)
{
    return QString::fromStdString(text);
}

void setIfChanged(QLineEdit* box, const std::string& text)
{
    const QString wanted = toText(text);
    if (box->text() != wanted)
        box->setText(wanted);
}

template <std::size_t N>
void readRow(const std::array<QLineEdit*, N>& boxes, std::array<std::string, N>& texts)
{
    for (std::size_t i = 0; i < N; ++i)
        texts[i] = boxes[i]->text().toStdString();
}

template <std::size_t N>
void writeRow(const std::array<QLineEdit*, N>& boxes, const std::array<std::string, N>& texts)
{
    for (std::size_t i = 0; i < N; ++i)
        setIfChanged(boxes[i], texts[i]);
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

FoeSheet readSheet(const MainWindowControls& c)
{
    FoeSheet sheet;
    sheet.foeName = c.cboFoes->currentText().toStdString();
    readRow(c.txtTally, sheet.tally);
    readRow(c.txtFoe, sheet.foe);
    readRow(c.txtBow, sheet.bow);
    readRow(c.txtXBow, sheet.xbow);
    sheet.mix = c.txtMix->text().toStdString();
    sheet.move = c.txtMove->text().toStdString();
    sheet.wound = c.txtWT->text().toStdString();
    sheet.might = c.txtMight->text().toStdString();
    sheet.rangedVisible = !c.lblBow->isHidden();
    return sheet;
}

void writeSheet(MainWindowControls& c, const FoeSheet& sheet)
{
    setIfChanged(c.txtMix, sheet.mix);
    setIfChanged(c.txtMove, sheet.move);
    if (sheet.rangedVisible == c.lblBow->isHidden())
        showRangedRows(c, sheet.rangedVisible);
    for (std::size_t i = 0; i < kStatCount; ++i) {
        if (sheet.tallyReset[i]) {
            setIfChanged(c.txtTally[i], sheet.tally[i]);
            c.txtTally[i]->setSelection(0, static_cast<int>(c.txtTally[i]->text().size()));
        }
    }
    writeRow(c.txtFoe, sheet.foe);
    writeRow(c.txtBow, sheet.bow);
    writeRow(c.txtXBow, sheet.xbow);
    setIfChanged(c.txtWT, sheet.wound);
    setIfChanged(c.txtMight, sheet.might);
}
