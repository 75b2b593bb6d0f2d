// The start-up floor: an application with the calculator's fonts installed
// and a window holding the calculator's controls, nothing else, ending at
// its first painted frame.

#include "BareWindow.h"
#include "DesignFonts.h"
#include "QuitAtFirstPaint.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    installDesignFonts();
    BareWindow bare;
    quitAtFirstPaint(bare.window);
    bare.window.show();
    return QApplication::exec();
}
