#include "PrintModule.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

PrintOutcome vornFoePrint(QWidget* window, const std::vector<StatBlock>* blocks, const QString* title,
                          PaintStatBlocks paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(*title);  // the job's name, and the file's when printing to one
    QPrintDialog dialog(&printer, window);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    // Printing to a file is the one case where the result can be looked at.
    const QString file = printer.outputFileName();
    const bool printed = paint(*blocks, printer) && printer.printerState() != QPrinter::Error
                         && (file.isEmpty() || QFileInfo(file).size() > 0);
    if (printed)
        return {PrintOutcome::Ending::Printed, file.isEmpty() ? printer.printerName() : file};
    if (file.isEmpty())
        return {PrintOutcome::Ending::PrinterRefused, printer.printerName()};
    return {PrintOutcome::Ending::FileNotWritten, file};
}
