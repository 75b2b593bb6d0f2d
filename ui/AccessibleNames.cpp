#include "AccessibleNames.h"

#include <QComboBox>
#include <QGroupBox>
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

}  // namespace

void nameControlsForScreenReaders(MainWindowControls& c)
{
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
    // The foe box's edit field is what holds the focus, so it carries the name too.
    describe(c.cboFoes->lineEdit(), c.cboFoes->accessibleName(), c.cboFoes->accessibleDescription());
    c.Frame1->setAccessibleName(QObject::tr("Category"));
    for (std::size_t i = 0; i < kCategoryCount; ++i)
        describe(c.optCategory[i], QObject::tr("Category: %1").arg(text(kCategoryCaptions[i])),
                 QObject::tr("Threat category"));
}
