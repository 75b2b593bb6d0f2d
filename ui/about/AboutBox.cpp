#include "AboutBox.h"

#include "frmAbout.h"

#include <QPointer>

void showAboutBox()
{
    // The box deletes itself once closed, after the event that closed it; until
    // then it is hidden, and a request to show it loads a new one instead.
    static QPointer<frmAbout> box;
    if (box.isNull() || box->isHidden())
        box = new frmAbout;
    box->show();
    box->raise();
    box->activateWindow();
}
