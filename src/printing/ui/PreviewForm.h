#pragma once

// "Nyomtatási kép": the pages of a run on screen. Only the page shown is laid out and kept;
// the index of where each page starts is built in batches from the event loop, so the window
// answers while the page count grows, and any page is reached at once. Printing and the
// printer set-up become available once every page is indexed.

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
    // zmFree: a zoom of the user's own, by Ctrl+wheel or Ctrl++ / Ctrl+-.
    enum class TZoom { zmFit, zm100, zmWidth, zmFree };
    // The free zoom's bounds, as a share of 100% (the screen's resolution), and its step.
    static constexpr double kMinZoom = 0.1;
    static constexpr double kMaxZoom = 8.0;
    static constexpr double kZoomStep = 1.25;
    // Prints the pages with copies and a page range (the program's printer).
    using TPrintEvent = std::function<void(TPageSource&, const TPrintRange&)>;

    // `report` and `data` must stay as they are while the window is open. `range` is what
    // the last printer dialog of the run chose.
    TPreviewForm(const TReport& report, TDataSet* data, TPrintRange range, TPrintEvent print, IModal& modal,
                 QWidget* parent = nullptr);
    ~TPreviewForm() override;

    int PageCount() const;
    int CurrentPage() const { return FPage; } // from 1
    bool Preparing() const;
    TZoom Zoom() const { return FZoom; }
    // The resolution the page is shown at, in dots per inch.
    double PageDpi() const;
    // The run's pages, or the ones loaded from a file.
    TPageSource& Pages();
    const TPageSource& Pages() const;
    const TPrintRange& Range() const { return FRange; }
    // Records indexed per step of the event loop.
    int RecordsPerStep = 10000;

    void GoToPage(int page);
    // `steps` free-zoom steps in (positive) or out, keeping the point of the page under
    // `viewPos` (a point of the scrolled view) where it is.
    void ZoomBy(int steps, const QPointF& viewPos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

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

    std::optional<TStreamedPages> FRun;
    std::optional<TPreparedReport> FLoaded;
    std::optional<TPreparedPages> FLoadedPages;
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
    QToolButton* FZoomButtons[3] = {};
    int FWheelAngle = 0; // eighths of a degree not yet made into a step
    QToolButton* FPrintPage = nullptr;
};

} // namespace etikor
