#include "printing/ui/LabelPrint.h"

#include "data/DataSet.h"
#include "printing/PrintChecks.h"
#include "printing/ui/PreviewForm.h"
#include "services/Modal.h"

#include <QGuiApplication>
#include <QPrinter>
#include <QProgressDialog>

namespace etikor {

namespace {
void PrintOnPrinter(const TPreparedReport& prepared, const TPrintRange& range) {
    QPrinter printer(QPrinter::HighResolution);
    // Positions are measured from the paper's edge; the painter starts there too.
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Etikor"));
    // The pages sent so far, for a long job.
    QProgressDialog progress(QStringLiteral("Nyomtatás..."), QString(), 0, 100);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    PrintReport(prepared, printer, range, {}, [&progress](int done, int total) {
        progress.setValue(total > 0 ? done * 100 / total : 100);
    });
    QGuiApplication::restoreOverrideCursor();
}
} // namespace

TPrintChoice PrinterDialogPreset(int records, double pageWidthMm) {
    TPrintChoice choice;
    choice.MinPage = 1;
    choice.MaxPage = std::max(records, 1);
    choice.Collate = true;
    if (pageWidthMm < 200) {
        choice.FromPage = 1;
        choice.ToPage = choice.MaxPage;
    }
    return choice;
}

bool ConfirmPrintable(const TLabelRun& run, const TDataSet& data, IModal& modal) {
    const QStringList problems = PageSetupProblems(run.Page);
    if (!problems.isEmpty()) {
        modal.Message(QString(), PageSetupMessage(problems), QStringLiteral("H"));
        return false;
    }
    if (!run.Options.DataFlag || data.IsEmpty())
        return true;
    const QStringList missing = MissingBoundFields(run.Elements, data);
    return missing.isEmpty() || modal.Message(QString(), MissingFieldsQuestion(missing), QStringLiteral("K"));
}

namespace {

void HandOver(const TLabelRun& run, TDataSet& data, IModal& modal, QWidget* parent) {
    std::vector<TLabelElement> elements = run.Elements;
    if (data.IsEmpty()) {
        modal.Message(QString(), QStringLiteral("Üres az adatforrás!"), QStringLiteral("I"));
        elements.clear();
    }
    data.First();
    const TReport report = BuildLabelReport(elements, run.Page, &data, run.Options);
    const TPrintChoice preset = PrinterDialogPreset(data.RecordCount(), run.Page.OldalSzMm);
    if (run.Mode == TPrintMode::pmPreview) {
        TPreviewForm preview(report, &data, TPrintRange{}, PrintOnPrinter, parent);
        modal.RunModal(preview);
        data.First();
        return;
    }
    const std::optional<TPrintChoice> chosen = modal.ChoosePrinter(preset);
    if (!chosen)
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const TPreparedReport prepared = Prepare(report, &data);
    QGuiApplication::restoreOverrideCursor();
    PrintOnPrinter(prepared, TPrintRange{std::max(chosen->Copies, 1), chosen->FromPage, chosen->ToPage,
                                         chosen->Collate});
    data.First();
}

} // namespace

void RunLabelPrint(const TLabelRun& run, TDataSet& data, IModal& modal, QWidget* parent) {
    if (ConfirmPrintable(run, data, modal))
        HandOver(run, data, modal, parent);
}

} // namespace etikor

#include "printing/LinkedRun.h"

namespace etikor {

void RunLinkedPrint(const TLabelRun& run, TDataSet& linked, IModal& modal, QWidget* parent) {
    if (!ConfirmPrintable(run, linked, modal))
        return;
    const std::unique_ptr<TPrintSequence> sequence =
        PrepareLinkedRun(linked, modal, run.Mode == TPrintMode::pmPrint);
    if (!sequence)
        return;
    HandOver(run, *sequence, modal, parent);
}

} // namespace etikor
