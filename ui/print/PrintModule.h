#pragma once

// Printing through the desktop's print dialog, in a module of its own
// (vorn-foe-print.so beside the program) that the window loads the first
// time Print is chosen: Qt's print support is a library the window would
// otherwise load and set up at every start for a command most sessions never
// use.

#include "StatBlock.h"

#include <QString>

#include <vector>

class QPagedPaintDevice;
class QWidget;

using PaintStatBlocks = bool (*)(const std::vector<StatBlock>&, QPagedPaintDevice&);

struct PrintOutcome {
    enum class Ending { Cancelled, Printed, PrinterRefused, FileNotWritten };
    Ending ending = Ending::Cancelled;
    QString where;  // the printer's name, or the file printed to
};

extern "C" {

// Asks for a printer with the desktop's dialog over `window` and prints the
// blocks there with `paint`; `title` names the job.
PrintOutcome vornFoePrint(QWidget* window, const std::vector<StatBlock>* blocks, const QString* title,
                          PaintStatBlocks paint);
using VornFoePrint = PrintOutcome (*)(QWidget*, const std::vector<StatBlock>*, const QString*, PaintStatBlocks);

}
