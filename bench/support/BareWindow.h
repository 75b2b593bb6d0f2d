#pragma once

// A main window holding the calculator's controls on its client area, built
// by the calculator's own layout code at the same places with the same
// fonts, and nothing behind them: no bestiary, no menu, no event connected.
// Every floor that stands for "what Qt costs for the same widgets" draws on
// it.

#include "MainWindowControls.h"

#include <QMainWindow>

struct BareWindow {
    BareWindow();

    QMainWindow window;
    MainWindowControls controls;
};
