#pragma once

// The threat ladder's window: the foe on the sheet at all seven categories
// side by side, one column each, above the main window and closed with it
// or by Escape. The main window hands in a fresh ladder after each pass
// while this one is shown, and sets the category the game master chooses:
//
//   pass --> threatLadder --> showLadder --> grid
//   double-click, Return, or a caption click on an offered column --> categoryChosen
//
// The current category's caption is bold and described as current, and its
// column selected. Every cell tells a screen reader its category and
// statistic; a column the category does not offer shows dashes and says why.

#include "ThreatLadder.h"

#include <QDialog>

#include <string>

class QTableView;
class ThreatLadderModel;

class ThreatLadderWindow final : public QDialog {
    Q_OBJECT

public:
    explicit ThreatLadderWindow(QWidget* parent);

    // Neither shows the window nor takes the focus: the game master may be
    // typing in the main window.
    void showLadder(const std::string& foe, const ThreatLadder& ladder, ThreatCategory current);
    // The window's text at `percent` of the application's (SheetZoom.h),
    // and the window fitted to the whole grid.
    void setZoom(int percent);

signals:
    void categoryChosen(ThreatCategory category);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(int column);
    void fitToGrid();

    ThreatLadderModel* model_;
    QTableView* grid_;
    int basePointSize_;
};
