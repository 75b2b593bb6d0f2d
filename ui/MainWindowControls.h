#pragma once

#include "FoeSheet.h"
#include "ThreatCategory.h"

#include <QString>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSize;
class QWidget;
class ZoomedStyle;

// Every control of the main window, by its name on the sheet. Rows and
// columns of one kind are arrays indexed as the calculation indexes them.
struct MainWindowControls {
    std::array<QLineEdit*, kStatCount> txtTally{};
    std::array<QLineEdit*, kStatCount> txtFoe{};
    std::array<QLineEdit*, kRangedColumns> txtBow{};
    std::array<QLineEdit*, kRangedColumns> txtXBow{};
    std::array<QRadioButton*, kCategoryCount> optCategory{};
    std::array<QLabel*, 20> label2{};  // captions only; there has never been a label2(17)
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblBow = nullptr;
    QLabel* lblXBow = nullptr;
    QLineEdit* txtMix = nullptr;
    QLineEdit* txtMove = nullptr;
    QLineEdit* txtWT = nullptr;
    QLineEdit* txtMight = nullptr;
    QComboBox* cboFoes = nullptr;
    QGroupBox* Frame1 = nullptr;
    ZoomedStyle* zoomedStyle = nullptr;  // the category buttons' and the foe box's
};

// Builds the controls on the client area at their fixed places, with their
// captions, placeholder texts, fonts and tab order.
MainWindowControls buildMainWindowControls(QWidget* clientArea);

// Places every control and sets every font at `percent` of the size the
// sheet was drawn at: the zoom scales places, sizes and fonts together.
void placeMainWindowControls(const MainWindowControls& controls, QWidget* clientArea, int percent);

// "txtTally(3)": how a member of a control array is named.
QString arrayMemberName(const char* array, int index);

// The client area the controls were placed on, in device-independent pixels.
inline constexpr int kClientWidth = 476;
inline constexpr int kClientHeight = 262;
QSize clientAreaSize(int percent);
