#pragma once

// The main window's side of the data exchange: the worksheet link sees the window's state
// through this host.

#include "app/MainForm.h"
#include "exchange/WorkbookLink.h"

namespace etikor {

class TMainFormLinkHost final : public TWorkbookLinkHost {
public:
    explicit TMainFormLinkHost(TMainForm& form) : FForm(form) {}
    TDocumentState& LinkState() override { return FForm.State(); }
    void SetDataSource(TDataSet* source) override { FForm.FDataSource = source; }
    int LinkHelpContext() const override { return FForm.FHelpContext; }
    void SetLinkHelpContext(int topic) override { FForm.FHelpContext = topic; }
    void FieldListRebuilt() override;
    void StatusChanged() override { FForm.ShowStatus(); }

private:
    TMainForm& FForm;
};

} // namespace etikor
