#include "InputMarks.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPalette>

namespace {

// Red that stays legible on a light and on a dark palette alike.
QColor faultColour(const QPalette& palette)
{
    return palette.color(QPalette::Base).lightness() < 128 ? QColor(255, 128, 128) : QColor(192, 0, 0);
}

void setMarked(QLineEdit* box, const QString& reason)
{
    // The tooltip is the mark's reason, so an unchanged tooltip means an
    // unchanged mark: nothing to redo on most keystrokes.
    if (box->toolTip() == reason)
        return;
    const bool marked = !reason.isEmpty();
    // Only the text colour is set; every other role, and the text colour once
    // the mark clears, keeps following the desktop's palette.
    QPalette palette;
    if (marked)
        palette.setColor(QPalette::Text, faultColour(box->parentWidget()->palette()));
    box->setPalette(palette);
    box->setToolTip(reason);
}

}  // namespace

void markInputs(MainWindowControls& c, const std::optional<InputFault>& fault)
{
    const bool onTally = fault && fault->input == InputFault::Input::Tally;
    for (std::size_t i = 0; i < kStatCount; ++i) {
        const bool here = onTally && static_cast<std::size_t>(fault->slot) == i;
        setMarked(c.txtTally[i], here ? QString::fromStdString(fault->reason) : QString());
    }
    const bool onFoe = fault && fault->input != InputFault::Input::Tally;
    const QString foeTip = onFoe ? QString::fromStdString(fault->reason) : QString();
    if (c.cboFoes->toolTip() != foeTip)
        c.cboFoes->setToolTip(foeTip);
}
