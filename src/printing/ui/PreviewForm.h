#pragma once

// "Nyomtatási kép": the prepared pages on screen. Pages are laid out in small batches from
// the event loop, so the window answers while the page count grows; printing and the printer
// set-up become available once every page is prepared.

#include "pageengine/ReportPaint.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QScrollArea;
class QTimer;
class QToolButton;

namespace etikor {

class IModal;

class TPreviewPage;

class TPreviewForm : public QDialog {
public:
    enum class TZoom { zmFit, zm100, zmWidth };
    // Prints prepared pages with copies and a page range (the program's printer).
    using TPrintEvent = std::function<void(const TPreparedReport&, const TPrintRange&)>;

    // `report` and `data` must stay as they are while the window is open. `range` is what
    // the last printer dialog of the run chose.
    TPreviewForm(const TReport& report, TDataSet* data, TPrintRange range, TPrintEvent print, IModal& modal,
                 QWidget* parent = nullptr);
    ~TPreviewForm() override;

    int PageCount() const;
    int CurrentPage() const { return FPage; } // from 1
    bool Preparing() const;
    TZoom Zoom() const { return FZoom; }
    const TPreparedReport& Prepared() const;
    const TPrintRange& Range() const { return FRange; }
    // Records laid out per step of the event loop.
    int RecordsPerStep = 200;

    void GoToPage(int page);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PrepareStep();
    void PreparationFinished();
    void SetZoom(TZoom zoom);
    void UpdatePage();
    void UpdateStatus();
    void PrintSetupClick();
    void PrintClick();
    void SaveReportClick();
    void LoadReportClick();

    std::optional<TLayoutRun> FRun;
    std::optional<TPreparedReport> FLoaded;
    TPrintRange FRange;
    TPrintEvent FPrint;
    IModal& FModal;
    int FPage = 1;
    int FShownPercent = 0;
    TZoom FZoom = TZoom::zmWidth;
    QTimer* FTimer = nullptr;
    QScrollArea* FScroll = nullptr;
    TPreviewPage* FView = nullptr;
    QLabel* FProgressPanel = nullptr;
    QLabel* FPagePanel = nullptr;
    QToolButton* FPrintSetup = nullptr;
    QToolButton* FPrintButton = nullptr;
};

} // namespace etikor
