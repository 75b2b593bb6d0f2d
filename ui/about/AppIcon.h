#pragma once

#include <QIcon>
#include <QPixmap>

// The program's emblem, 32 x 32 pixels in 16 colours: a shield with a die on
// crossed swords. The main window takes it as its window icon.
QIcon appIcon();

// The same picture at its own size, for the About box.
QPixmap appIconPixmap();
