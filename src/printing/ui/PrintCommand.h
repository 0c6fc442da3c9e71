#pragma once

// The main window's print button: the print mode chosen from the menu, and the print
// selection window (created once, kept between openings) over the current data source.

#include "printing/PrintSelection.h"
#include "printing/ui/LabelPrint.h"

#include <functional>
#include <memory>

class QWidget;

namespace etikor {

class IModal;
class TNyomtatasForm;

class TPrintCommand {
public:
    TPrintCommand(QString programFolder, IModal& modal, QWidget* parent);
    ~TPrintCommand();

    // Printing at start-up; the menu entries change it.
    TPrintMode Mode = TPrintMode::pmPrint;
    // The selection window's settings button: the settings dialog on its label page.
    std::function<void()> OpenSettings;

    // Opens the print selection over `source`; a print from it runs `run` (its elements, page
    // and options; the frame comes from the window) in the current mode over the print table.
    void Run(TDataSet& source, const TLabelRun& run);

    TNyomtatasForm& Form();

private:
    QWidget* FParent;
    IModal& FModal;
    TPrintSelection FSelection;
    TLabelRun FRun;
    std::unique_ptr<TNyomtatasForm> FForm;
};

} // namespace etikor
