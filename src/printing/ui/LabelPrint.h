#pragma once

// The hand-over of a label run: the label report over the run's data set, then the preview
// or the printer dialog and the print queue.

#include "document/Settings.h"
#include "printing/LabelReport.h"
#include "services/Modal.h"

#include <functional>

class QWidget;

namespace etikor {

enum class TPrintMode : uint8_t { pmPrint, pmPreview };

struct TLabelRun {
    std::vector<TLabelElement> Elements;
    TPageSetup Page;
    TLabelRunOptions Options;
    TPrintMode Mode = TPrintMode::pmPrint;
    // The printer chosen last (offered first; the preview prints on it), and who keeps the
    // one the user chooses in the printer dialog.
    QString PrinterName;
    std::function<void(const QString&)> PrinterChosen;
    // Each printer's calibration: the pages sent to a queue move by its offset (a PDF file
    // never does).
    TPrintOffsets Offsets;
};

// The printer dialog's preset for a run over `records` records: pages 1 to `records`, the
// upper bound preset too when the page is narrower than 200 mm.
TPrintChoice PrinterDialogPreset(int records, double pageWidthMm);

// The checks before a run: page values out of range stop it with a message; fields the data
// source does not have are named in a question (No stops it). True when the run goes on.
bool ConfirmPrintable(const TLabelRun& run, const TDataSet& data, IModal& modal);

// Runs the checks, then the hand-over over `data` (from its first record). An empty data set shows "Üres az
// adatforrás!" and builds no band; the sheet without labels still follows.
void RunLabelPrint(const TLabelRun& run, TDataSet& data, IModal& modal, QWidget* parent = nullptr);

} // namespace etikor

namespace etikor {

// The run from a linked worksheet: the checks, the skip count, the sequence and the question, then the
// hand-over over the sequence (the frame as the label tab's switch says). The worksheet is
// left as it was, its own order and no blank places.
void RunLinkedPrint(const TLabelRun& run, TDataSet& linked, IModal& modal, QWidget* parent = nullptr);

} // namespace etikor
