#include "AccessibleNames.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

QString text(std::string_view words)
{
    return QString::fromUtf8(words.data(), static_cast<int>(words.size()));
}

void describe(QWidget* control, const QString& name, const QString& description)
{
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

void describeResult(QLineEdit* box, const QString& name)
{
    describe(box, name, QObject::tr("Result, computed from the foe, the category and the tallies"));
}

// The captions of the top and bottom rows, of the grid's columns and rows,
// and the two titles, each tied to the first box it heads.
void tieCaptionsToTheirBoxes(MainWindowControls& c)
{
    for (std::size_t i = 0; i < kStatCount; ++i)
        c.label2[i]->setBuddy(c.txtTally[i]);
    for (std::size_t i = 0; i < kRangedColumns; ++i)
        c.label2[13 - i]->setBuddy(c.txtFoe[i]);  // the grid's headings run from 13 down to 10
    c.label2[16]->setBuddy(c.txtFoe[Init]);       // "Melee"
    c.lblBow->setBuddy(c.txtBow[Init]);
    c.lblXBow->setBuddy(c.txtXBow[Init]);
    c.label2[14]->setBuddy(c.txtMove);
    c.label2[9]->setBuddy(c.txtFoe[Soak]);
    c.label2[8]->setBuddy(c.txtFoe[HP]);
    c.label2[7]->setBuddy(c.txtFoe[Res]);
    c.label2[18]->setBuddy(c.txtWT);
    c.label2[15]->setBuddy(c.txtMix);
    c.label2[19]->setBuddy(c.txtMight);
    c.Label1->setBuddy(c.txtTally[Init]);  // "Tally", the row's title
    c.Label3->setBuddy(c.cboFoes);         // "Foe"
}

}  // namespace

void nameControlsForScreenReaders(MainWindowControls& c)
{
    tieCaptionsToTheirBoxes(c);
    for (std::size_t i = 0; i < kStatCount; ++i) {
        const QString stat = text(kStatNames[i]);
        describe(c.txtTally[i], QObject::tr("%1 tally").arg(stat),
                 QObject::tr("Added to the foe's %1").arg(stat));
        // The first four results form the Melee row; Soak, HP and Res stand alone below.
        describeResult(c.txtFoe[i], i < kRangedColumns ? QObject::tr("Melee %1").arg(stat) : stat);
    }
    for (std::size_t i = 0; i < kRangedColumns; ++i) {
        const QString stat = text(kStatNames[i]);
        describeResult(c.txtBow[i], QObject::tr("Bow %1").arg(stat));
        describeResult(c.txtXBow[i], QObject::tr("X-Bow %1").arg(stat));
    }
    describeResult(c.txtMove, QObject::tr("Move"));
    describeResult(c.txtMix, QObject::tr("Mix"));
    describeResult(c.txtWT, QObject::tr("Wound"));
    describeResult(c.txtMight, QObject::tr("Might"));
    describe(c.cboFoes, QObject::tr("Foe"), QObject::tr("A foe from the bestiary, or [Generic]"));
    // Typing goes to the foe box's edit field, which tells what it is as well.
    describe(c.cboFoes->lineEdit(), QObject::tr("Foe name"), c.cboFoes->accessibleDescription());
    c.cboFoes->view()->setAccessibleName(QObject::tr("Foe list"));
    // The buttons sit in the group "Category", which screen readers announce with them.
    c.Frame1->setAccessibleName(QObject::tr("Category"));
    for (std::size_t i = 0; i < kCategoryCount; ++i)
        describe(c.optCategory[i], text(kCategoryCaptions[i]), QObject::tr("Threat category"));
}
