#pragma once

#include <QString>

#include <functional>

class QMenu;
class QMenuBar;
class QWidget;

// The File menu: "&Open Bestiary..." (Ctrl+O), a file dialog for bestiaries,
// and "Open &Recent", the files last opened, the current one checked, those
// that no longer exist marked "(missing)" and disabled, and "&Clear Recent".
// `open` is asked to open the chosen file; `current` names the open one.
QMenu* addBestiaryMenu(QMenuBar* bar, QWidget* dialogParent, const std::function<void(const QString&)>& open,
                       const std::function<QString()>& current);

// The message box that says why a bestiary cannot be used: the file and
// the fault, under the program's title.
void showBestiaryRefusal(QWidget* parent, const QString& message);

// Opens a dropped bestiary file, wherever on `window` it is dropped: the
// boxes, which would otherwise take the file's name as text, pass it on.
void acceptBestiaryDrops(QWidget* window, const std::function<void(const QString&)>& open);
