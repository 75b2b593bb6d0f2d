#include "BareWindow.h"

namespace {

QWidget* clientArea(QMainWindow& window)
{
    auto* client = new QWidget(&window);
    window.setCentralWidget(client);
    return client;
}

}  // namespace

BareWindow::BareWindow() : controls(buildMainWindowControls(clientArea(window)))
{
    window.setWindowTitle("Vorn Foe Calculator");
    window.resize(kClientWidth, kClientHeight);
}
