#pragma once

// The device a print job goes to: the queue or the PDF file chosen in the printer dialog, drawn
// on the dots that target prints (barcode modules are whole dots of it).

#include "services/Modal.h"

class QPrinter;

namespace etikor {

// Points `printer` at the chosen queue (the system's default when none is named) or PDF file
// and sets its resolution: the queue's own as its server reports it (a queue that reports
// none keeps the printer's fine grid), the usual grid for a PDF file. False when the chosen
// queue is not there.
bool SetUpPrinter(QPrinter& printer, const TPrintChoice& target);

// What the user calls the target in a message: the file, the queue, or the default queue.
QString PrintTargetName(const QPrinter& printer, const TPrintChoice& target);

// Tells the user that the target cannot be opened and nothing is printed.
void TellCannotOpen(IModal& modal, const QString& name);

} // namespace etikor
