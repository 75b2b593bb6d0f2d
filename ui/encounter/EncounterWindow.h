#pragma once

// The Encounter window, beside the calculator's sheet: the entries of the
// fight above, each creature with its HP below, and the encounter's totals
// at the foot. Every action has a key:
//
//   File     Open Encounter (Ctrl+O), Save Encounter (Ctrl+S), Save As
//            (Ctrl+Shift+S), Print (Ctrl+P), Export PDF (Ctrl+Shift+E), Close (Ctrl+W)
//   Edit     Undo (Ctrl+Z), Redo (Ctrl+Shift+Z), Duplicate Entry (Ctrl+D),
//            Remove Entry (Delete), Move Entry Up/Down (Alt+Up, Alt+Down);
//            F2 edits the current entry's Count or Category in place
//   Creatures  A&mount (Alt+M), then Damage (Alt+D) or Heal (Alt+H) the
//            creatures selected, or the current one
//   View     the sheet's zoom, which scales this window with it
//
// Closing the window only hides it: the encounter lives as long as the
// calculator, and is offered for saving when the calculator quits.

#include <QMainWindow>

#include <functional>

class EncounterDocument;
class EncounterCreaturesModel;
class EncounterEntriesModel;
class QLabel;
class QSpinBox;
class QTableView;

class EncounterWindow final : public QMainWindow {
    Q_OBJECT

public:
    EncounterWindow(EncounterDocument& document, const std::function<int()>& zoom,
                    const std::function<void(int)>& zoomTo, QWidget* parent = nullptr);

    // Scales the tables and their fonts to `percent` of their first size.
    void setZoom(int percent);
    // Selects the entry at `row`, as the one just added to.
    void showEntry(int row);
    // Offers unsaved changes for saving; false when the game master would
    // rather go back to the encounter, or the save failed.
    bool maySetAside();

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildMenus(const std::function<int()>& zoom, const std::function<void(int)>& zoomTo);
    QWidget* buildCreaturesPane();
    void openFile();
    bool save();
    bool saveAs();
    void duplicateEntry();
    void removeEntry();
    void moveEntry(int by);
    void changeSelectedHp(int sign);
    void showTotals();
    void showTitle();
    int currentEntry() const;
    void fitColumns();

    EncounterDocument& document_;
    EncounterEntriesModel* entries_ = nullptr;
    EncounterCreaturesModel* creatures_ = nullptr;
    QTableView* grdEntries_ = nullptr;
    QTableView* grdCreatures_ = nullptr;
    QSpinBox* spnAmount_ = nullptr;
    QLabel* lblTotals_ = nullptr;
    qreal basePointSize_ = 0;
    int rowBeforeReset_ = -1;
    QString folder_;  // where the last encounter file was opened or saved
};
