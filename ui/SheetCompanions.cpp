#include "SheetCompanions.h"

#include "EncounterWindow.h"
#include "PassingNote.h"
#include "ScreenFit.h"
#include "ThreatLadder.h"
#include "ThreatLadderWindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

namespace {

// A companion first appears beside the sheet, not over it: on the side
// asked for when the screen has room there, else on the other, and inside
// the screen.
void placeBeside(QWidget* companion, const QWidget* calculator, Qt::Edge edge)
{
    const QRect sheet = calculator->frameGeometry();
    const QPoint right(sheet.right() + 1, sheet.top());
    const QPoint below(sheet.left(), sheet.bottom() + 1);
    const QRect room = calculator->screen()->availableGeometry();
    const auto fits = [&](QPoint at) { return room.contains(QRect(at, companion->frameGeometry().size())); };
    const QPoint first = edge == Qt::RightEdge ? right : below;
    const QPoint second = edge == Qt::RightEdge ? below : right;
    companion->move(fits(first) || !fits(second) ? first : second);
    keepInsideScreen(companion);
}

}  // namespace

SheetCompanions::SheetCompanions(Calculator calculator)
    : calculator_(std::move(calculator)), encounter_(calculator_.lookUp)
{
}

SheetCompanions::~SheetCompanions() = default;

void SheetCompanions::addActions(QMenu* file, QMenu* view)
{
    file->addSeparator();
    QAction* add = file->addAction("&Add to Encounter", QKeySequence("Ctrl+Shift+A"), this,
                                   &SheetCompanions::addSheet);
    add->setObjectName("mnuAddToEncounter");

    view->addSeparator();
    QAction* encounter = view->addAction("&Encounter", QKeySequence("Ctrl+Shift+N"), this, [this] {
        EncounterWindow& window = encounterWindow();
        window.show();
        window.raise();
        window.activateWindow();
    });
    encounter->setObjectName("mnuEncounter");
    QAction* ladder = view->addAction("&Threat Ladder", QKeySequence("Ctrl+Shift+L"), this, &SheetCompanions::showLadder);
    ladder->setObjectName("mnuThreatLadder");
}

EncounterWindow& SheetCompanions::encounterWindow()
{
    if (!encounterWindow_) {
        encounterWindow_ = std::make_unique<EncounterWindow>(encounter_, calculator_.zoom, calculator_.zoomTo);
        encounterWindow_->setZoom(calculator_.zoom());
        placeBeside(encounterWindow_.get(), calculator_.window, Qt::RightEdge);
    }
    return *encounterWindow_;
}

void SheetCompanions::addSheet()
{
    const FoeSheet& sheet = calculator_.sheet();
    const ThreatCategory category = calculator_.category();
    std::string why;
    std::optional<EncounterEntry> entry
        = entryFromSheet(sheet, category, calculator_.lookUp(sheet.foeName, category), 1, why);
    QWidget* noteAnchor = calculator_.window->findChild<QMenuBar*>();
    if (!entry)
        return showPassingNote(noteAnchor, "Not added: " + QString::fromStdString(why));
    const QString title = QString::fromStdString(entry->block.foe + " at " + entry->block.category);
    std::size_t added = 0;
    encounter_.edit("Add " + title, [&entry, &added](Encounter& entries) { added = addToEncounter(entries, *entry); });
    EncounterWindow& window = encounterWindow();
    if (!window.isVisible()) {
        // Shown beside the sheet, which keeps the keyboard for the next foe.
        window.setAttribute(Qt::WA_ShowWithoutActivating);
        window.show();
        window.setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
    window.showEntry(static_cast<int>(added));
    showPassingNote(noteAnchor, "Added " + title + " to the encounter");
}

void SheetCompanions::showLadder()
{
    if (!ladder_) {
        // A window of its own, like the encounter's, so that it stands
        // beside the sheet rather than over it.
        ladder_ = std::make_unique<ThreatLadderWindow>(nullptr);
        ladder_->setZoom(calculator_.zoom());
        connect(ladder_.get(), &ThreatLadderWindow::categoryChosen, this,
                [this](ThreatCategory category) { calculator_.chooseCategory(category); });
        fillLadder();
        ladder_->adjustSize();
        placeBeside(ladder_.get(), calculator_.window, Qt::BottomEdge);
    }
    ladder_->show();
    ladder_->raise();
    ladder_->activateWindow();
    fillLadder();
}

void SheetCompanions::sheetChanged()
{
    if (ladder_ && ladder_->isVisible())
        fillLadder();
}

void SheetCompanions::fillLadder()
{
    const FoeSheet& sheet = calculator_.sheet();
    const ThreatLadder ladder = threatLadder(
        sheet, [this, &sheet](ThreatCategory category) { return calculator_.lookUp(sheet.foeName, category); });
    ladder_->showLadder(sheet.foeName, ladder, calculator_.category());
}

void SheetCompanions::bestiaryChanged()
{
    encounter_.refresh();
    sheetChanged();
}

void SheetCompanions::zoomChanged(int percent)
{
    if (encounterWindow_)
        encounterWindow_->setZoom(percent);
    if (ladder_)
        ladder_->setZoom(percent);
}

bool SheetCompanions::mayQuit()
{
    if (encounter_.isModified() && !encounterWindow().maySetAside())
        return false;
    if (encounterWindow_)
        encounterWindow_->close();
    if (ladder_)
        ladder_->close();
    return true;
}
