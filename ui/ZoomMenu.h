#pragma once

#include <functional>

class QMenu;
class QMenuBar;
class QWidget;

// The View menu: Zoom In (Ctrl++, or Ctrl+= without Shift), Zoom Out
// (Ctrl+-) and Actual Size (Ctrl+0), through the steps of SheetZoom.h. Each
// passes the zoom it leads to from `zoom()` to `zoomTo`.
QMenu* addZoomMenu(QMenuBar* bar, const std::function<int()>& zoom, const std::function<void(int)>& zoomTo);
