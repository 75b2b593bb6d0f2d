#pragma once

// The windows that stand beside the calculator's sheet and follow it:
//
//   File > Add to Encounter (Ctrl+Shift+A)  the sheet as it stands, one creature
//   View > Encounter (Ctrl+Shift+N)         the fight: EncounterWindow.h
//   View > Threat Ladder (Ctrl+Shift+L)     the sheet's foe at every category
//
// The calculator tells them what changes: each pass (the ladder follows the
// sheet), another bestiary (the encounter asks it again), the zoom (they
// scale with the sheet), and quitting (an unsaved encounter is offered for
// saving first). The windows are made when first shown, so that the
// calculator starts as fast without them.

#include "EncounterDocument.h"
#include "FoeSheet.h"
#include "Recompute.h"

#include <QObject>

#include <functional>
#include <memory>

class EncounterWindow;
class QMenu;
class QWidget;
class ThreatLadderWindow;

class SheetCompanions final : public QObject {
    Q_OBJECT

public:
    // What the companions need of the calculator's window.
    struct Calculator {
        QWidget* window;
        std::function<const FoeSheet&()> sheet;
        std::function<ThreatCategory()> category;
        EncounterDocument::LookUp lookUp;
        std::function<void(ThreatCategory)> chooseCategory;  // as a click on its button
        std::function<int()> zoom;
        std::function<void(int)> zoomTo;
    };
    explicit SheetCompanions(Calculator calculator);
    ~SheetCompanions() override;

    void addActions(QMenu* file, QMenu* view);
    EncounterDocument& encounter() { return encounter_; }

    void sheetChanged();
    void bestiaryChanged();
    void zoomChanged(int percent);
    // Offers an unsaved encounter for saving and closes the companions;
    // false when the game master chose to stay.
    bool mayQuit();

private:
    void addSheet();
    EncounterWindow& encounterWindow();
    void showLadder();
    void fillLadder();

    Calculator calculator_;
    EncounterDocument encounter_;
    std::unique_ptr<EncounterWindow> encounterWindow_;
    std::unique_ptr<ThreatLadderWindow> ladder_;
};
