#include "ZoomMenu.h"

#include "SheetZoom.h"

#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

QMenu* addZoomMenu(QMenuBar* bar, const std::function<int()>& zoom, const std::function<void(int)>& zoomTo)
{
    QMenu* mnuView = bar->addMenu(QObject::tr("&View"));
    mnuView->setObjectName("mnuView");
    QAction* zoomIn = mnuView->addAction(QObject::tr("Zoom &In"), [=] { zoomTo(zoomedIn(zoom())); });
    zoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction* zoomOut = mnuView->addAction(QObject::tr("Zoom &Out"), [=] { zoomTo(zoomedOut(zoom())); });
    zoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    QAction* actualSize = mnuView->addAction(QObject::tr("&Actual Size"), [=] { zoomTo(kActualSize); });
    actualSize->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    return mnuView;
}
