#pragma once

#include <QDialog>

// The About box: the program's icon, title and version, a notice on the rights
// to the game, a notice on sharing the calculator, and a button that starts
// the system's own information tool. One object is one loading of the box: it
// deletes itself when closed, so that the next showing starts afresh.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    frmAbout();

    // Starts the system-information tool, or says in a message box that it is
    // unavailable; the About box stays open and unchanged either way.
    void StartSysInfo();
};
