#include "ui/PrintTarget.h"

#include "services/QueueResolution.h"

#include <QCoreApplication>
#include <QPrinter>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TPrintTargetText {
    Q_DECLARE_TR_FUNCTIONS(TPrintTargetText)
};
} // namespace

bool SetUpPrinter(QPrinter& printer, const TPrintChoice& target) {
    if (!target.OutputFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(target.OutputFile);
        printer.setResolution(kDefaultPdfDpi);
        return true;
    }
    if (!target.PrinterName.isEmpty()) {
        printer.setPrinterName(target.PrinterName);
        // A queue that is not there leaves the printer without one.
        if (printer.printerName() != target.PrinterName)
            return false;
    }
    if (const std::optional<int> dpi = QueueResolution(printer.printerName()))
        printer.setResolution(*dpi);
    return true;
}

QString PrintTargetName(const QPrinter& printer, const TPrintChoice& target) {
    if (!target.OutputFile.isEmpty())
        return target.OutputFile;
    if (!target.PrinterName.isEmpty())
        return target.PrinterName;
    return !printer.printerName().isEmpty() ? printer.printerName() : TPrintTargetText::tr("alapértelmezett");
}

void TellCannotOpen(IModal& modal, const QString& name) {
    modal.Message(QString(),
                  TPrintTargetText::tr("A(z) „%1” nyomtató nem nyitható meg, a nyomtatás elmarad.").arg(name),
                  QStringLiteral("H"));
}

} // namespace etikor
