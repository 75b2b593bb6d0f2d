#pragma once

// The calculator's one working window. It owns the open bestiary and the two
// pieces of state the calculation needs, and turns every action of the game
// master into a refresh of the foe list and a recomputation:
//
//   category button --> GetFoes --> MakeFoe
//   foe box edited or picked, tally edited --> MakeFoe (once Ready)
//
// MakeFoe copies the boxes into a FoeSheet, runs the pass and writes back
// only the texts that changed. Writing a tally raises its change event and
// so may recompute again; that nested pass finds the same inputs and writes
// the same results.

#include "FoeDatabase.h"
#include "FoeSheet.h"
#include "MainWindowControls.h"

#include <QMainWindow>

#include <memory>

class QAction;

class frmMain : public QMainWindow {
    Q_OBJECT

public:
    explicit frmMain(std::unique_ptr<FoeDatabase> bestiary, QWidget* parent = nullptr);
    ~frmMain() override;

    // Rebuilds the foe list for the current category, keeping the chosen
    // name while it is still offered.
    void GetFoes();
    // Recomputes every result box from the category, the foe box and the tallies.
    void MakeFoe();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    void connectEvents();
    void chooseCategory(ThreatCategory category);
    std::optional<FoeRecord> lookUp(const std::string& name);

    ThreatCategory Category = 0;
    bool Ready = false;
    std::unique_ptr<FoeDatabase> Bestiary;
    QString bestiaryTrouble;  // the last query's failure, until one succeeds
    MainWindowControls ui;
    QAction* mnuExit = nullptr;
    QAction* mnuAbout = nullptr;
};
