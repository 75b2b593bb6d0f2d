#include "WindowEvents.h"

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <QWidget>

#include <stdexcept>

void showDrawn(QWidget& window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        throw std::runtime_error("the benchmark window never appeared");
    QCoreApplication::processEvents();
}

PaintCount::PaintCount()
{
    qApp->installEventFilter(this);
}

PaintCount::~PaintCount()
{
    qApp->removeEventFilter(this);
}

bool PaintCount::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Paint)
        ++count_;
    return false;
}
