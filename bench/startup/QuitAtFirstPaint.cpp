#include "QuitAtFirstPaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace {

class FirstPaintQuits : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }
};

}  // namespace

void quitAtFirstPaint(QWidget& window)
{
    window.installEventFilter(new FirstPaintQuits(&window));
}
