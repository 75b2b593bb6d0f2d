#pragma once

// The calculator's one working window. It owns the open bestiary, the two
// pieces of state the calculation needs (Category, Ready) and the sheet: the
// inputs and results of the last pass, as one FoeSheet value. Every action
// of the game master ends in one pass:
//
//   category button --> GetFoes --> MakeFoe
//   foe box edited or picked, tally edited --> MakeFoe (once Ready)
//
// MakeFoe takes the inputs from the boxes into the sheet, looks the named foe
// up once, recomputes the sheet with it, and shows it in the boxes with their
// change events blocked: a pass never starts another. A bestiary that fails
// to answer, when listing or looking a foe up, stops the pass with every
// result empty and the failure on the foe box. The windows beside the sheet
// (the encounter, the threat ladder: SheetCompanions.h) follow each pass,
// each bestiary opened and each zoom.

#include "FoeDatabase.h"
#include "FoeSheet.h"
#include "MainWindowControls.h"
#include "Recompute.h"
#include "SheetZoom.h"

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class FoeListModel;
class QAction;
class SheetCompanions;

class frmMain : public QMainWindow {
    Q_OBJECT

public:
    // `file` is where `bestiary` was read from, if from a file the user may
    // open again (File > Open Recent marks it).
    explicit frmMain(std::unique_ptr<FoeDatabase> bestiary, std::filesystem::path file = {},
                     QWidget* parent = nullptr);
    ~frmMain() override;

    // Rebuilds the foe list for the current category, keeping the chosen
    // name while it is still offered. When the bestiary cannot list its foes
    // the list holds "[Generic]" alone, the name stays, and the failure is
    // returned for the pass that follows.
    std::optional<BestiaryFailure> GetFoes();
    // Recomputes every result box from the category, the foe box and the tallies.
    void MakeFoe();
    // Replaces the open bestiary by `file`, rebuilds the list and recomputes;
    // a file that is refused is shown in a message box and changes nothing.
    void openBestiary(const QString& file);
    // Scales the sheet, every place, size and font together, to `percent` of
    // the size it was drawn at, and the window with it; or, where the window
    // would pass the edge of its screen, to the largest step that fits. The
    // step asked for is kept, and shown once the window is on a screen that
    // has room for it. Returns the step shown.
    int zoomTo(int percent);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenu();
    void refitToScreen();
    void showZoom(int percent);
    QSize windowSizeAt(int percent) const;
    void fitWindowToSheet();
    void connectEvents();
    void chooseCategory(ThreatCategory category);
    // MakeFoe, or, when the list could not be read, the pass that stops on it.
    void recomputeAfterListing(const std::optional<BestiaryFailure>& listing);
    void runPass(const std::function<void(FoeSheet&)>& compute);
    FoeLookupResult lookUp(const std::string& name, ThreatCategory category);

    ThreatCategory Category = 0;
    bool Ready = false;
    int zoom_ = kActualSize;        // shown
    int chosenZoom_ = kActualSize;  // asked for
    std::unique_ptr<FoeDatabase> bestiary_;
    std::filesystem::path bestiaryFile_;
    FoeSheet sheet_;
    MainWindowControls controls_;
    FoeListModel* foeList_ = nullptr;  // the foe box's, owned by the box
    std::unique_ptr<SheetCompanions> companions_;
    QAction* mnuExit = nullptr;
    QAction* mnuAbout = nullptr;
};
