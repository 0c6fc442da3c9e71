#pragma once

// The label canvas: the scroll box `ScrollB` with the rulers `VonalzoX`/`VonalzoY`, the corner
// `RsRulerCorner1`, the label panel `Cimke` holding one view per template element, the sizing
// frame `Sizer` and the hidden placeholder `AlapKep`. It builds the views from the template,
// keeps the zoom and the selection, and writes a view's geometry back to its row. What a
// selection does to the element panel is the main window's business.

#include "designer/CanvasGeometry.h"
#include "designer/ElementViews.h"
#include "document/LabelTemplate.h"
#include "document/Settings.h"

#include <QPointer>
#include <QScrollArea>

#include <optional>
#include <vector>

class QLabel;
class QRubberBand;

namespace etikor {

class TBarcodeView;
class TRuler;
class TSizer;

// What a build leaves for the element panel (the last text's alignment and rotation, the
// last barcode's type) and the page setup it loaded.
struct TCanvasBuild {
    TPageSetup Setup;
    bool SetupRowAdded = false;
    std::optional<TAlignment> LastAlignment;
    std::optional<int> LastTextRotation;
    std::optional<int> LastBarcodeIndex;
};

// Listens to the template it was built from: an element removed there loses its view.
class TLabelCanvas final : public QScrollArea, private TTemplateListener {
    Q_OBJECT
public:
    static constexpr int kRulerDepth = 20;
    static constexpr int kMargin = 6; // between the rulers and the label

    explicit TLabelCanvas(QWidget* parent);
    ~TLabelCanvas() override;

    TRuler* VonalzoX = nullptr;
    TRuler* VonalzoY = nullptr;
    TSizer* Sizer = nullptr;

    int Zoom() const { return FZoom; }
    // The zoom factor (kMinZoom..kMaxZoom) with both rulers at scale 100 x z; the caller rebuilds.
    void SetZoom(int zoom);
    // The step at which the whole label fits the view as it is now.
    int FitZoom() const;
    // Where the label lies in the scrolled view, across and down.
    TCanvasAxis AxisX() const;
    TCanvasAxis AxisY() const;
    // After a zoom from `oldZoom` (and the rebuild), scrolls so that the label point that lay
    // under `viewPos` with the axes `x` and `y` lies there again.
    void ScrollKeeping(const TCanvasAxis& x, const TCanvasAxis& y, const QPointF& viewPos, int oldZoom);

    // Destroys every view and builds them again from the template, which the canvas then
    // keeps for its geometry changes. A template without a page-setup row is given one from the
    // settings' default page and label.
    TCanvasBuild Build(TLabelTemplate& labelTemplate, const TSettings& settings);
    const TPanelSize& PanelSize() const { return FPanel; }
    // A view for one element, on top of the others, as the build makes it (a new element's
    // view); `build` collects what the element panel keeps from a build.
    TElementView* AddElementView(const TLabelElement& element, const TSettings& settings,
                                 TCanvasBuild* build = nullptr);
    // The label setup's Apply: the label panel from the label size (rounded before the zoom).
    void ApplyLabelSize(double widthMm, double heightMm);

    std::vector<TElementView*> Views() const;
    TElementView* View(const QString& name) const;

    // Selection: the view the frame is attached to (the primary one, whose row the element tab
    // shows) and the selected flag (the frame's tag). Further selected views are marked with a
    // thin frame and follow the primary one's moves.
    TElementView* Selected() const { return FSelected; }
    int SelectedFlag() const { return FSelectedFlag; }
    void SetSelectedFlag(int flag) { FSelectedFlag = flag; }
    // The frame on `view`; the views selected besides stay selected.
    void Attach(TElementView* view);
    // Nothing selected.
    void Detach();
    // Every selected view in the label's stacking order, the primary one included.
    std::vector<TElementView*> Selection() const;
    bool IsSelected(const TElementView* view) const;
    // A view selected besides the primary one (the primary one too, before the frame moves on).
    void AddToSelection(TElementView* view);
    // Only the primary view stays selected.
    void ClearOthers();
    // The view leaves the selection. When it was the primary one, the view selected last
    // before it is returned (no longer among the others) to become primary, or null.
    TElementView* DropFromSelection(TElementView* view);
    // The frame and the marks after the selected views were moved from outside.
    void SelectionMoved();

    // The move/resize handling: the template takes the view's screen rectangle as the
    // element's geometry. For an unrotated barcode narrower than half its minimum width the
    // warning text is returned (the geometry is stored all the same).
    std::optional<QString> StoreGeometry(TElementView& view);

    // Both rulers' hair lines and the readout at a point of the label (screen pixels).
    void ShowPosition(const QPoint& labelPos);

signals:
    void ElementClicked(etikor::TElementView* view);
    // A Ctrl or Shift click on a view or on the frame.
    void ElementToggled(etikor::TElementView* view);
    // A rubber band drawn over the label: the views wholly inside it, bottom first; `add` when
    // Ctrl or Shift was held (the band adds to the selection).
    void BandSelected(const QList<etikor::TElementView*>& views, bool add);
    // How many views are selected now.
    void SelectionCountChanged(int count);
    void LabelClicked();
    // "(x; y)" ready for the first status panel.
    void PositionChanged(const QString& text);
    void PointerOverLabel();
    // A double click on a barcode view (or on the frame over it) asks for its setup dialog.
    void BarcodeSetupRequested(etikor::TBarcodeView* view);
    // The sizing frame finished a move or a resize of the selected view.
    void GeometryEnded(etikor::TElementView* view);
    // Ctrl+wheel: the zoom asked for, around a point of the view.
    void ZoomAtRequested(int zoom, const QPointF& viewPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void ElementRemoved(const QString& name) override;
    void Layout();
    // The rulers stay at the view's edges; their zero follows the label as it scrolls.
    void PlaceRulers();
    TElementView* AddView(TElementView* view, const TLabelElement& element);
    // The followers of the frame and the marks of the other selected views.
    void FollowSelection();

    QLabel* RsRulerCorner1 = nullptr;
    QWidget* Cimke = nullptr;
    QLabel* AlapKep = nullptr;
    QWidget* FContainer = nullptr;
    int FZoom = 1;
    TPanelSize FPanel;
    TLabelTemplate* FTemplate = nullptr;
    QPointer<TElementView> FSelected;
    std::vector<QPointer<TElementView>> FOthers;
    QWidget* FMarks = nullptr;
    QRubberBand* FBand = nullptr;
    std::optional<QPoint> FBandStart;
    bool FBandAdds = false;
    int FSelectedFlag = 0;
    int FWheelAngle = 0; // eighths of a degree not yet made into a zoom step
};

} // namespace etikor
