#pragma once

// The canvas arithmetic without widgets: label panel size, element rectangles at a zoom, the
// layout of rotated text, and the position readout.

#include "document/TemplateSchema.h"

#include <QString>

namespace etikor {

struct TPanelSize {
    int Width = 0;
    int Height = 0;
    int UnzoomedWidth = 0;
    int UnzoomedHeight = 0;
};
// The label panel at zoom z: round(width mm x 3.75 x z) by round(height mm x 3.85 x z), ties to
// even; the unzoomed size is that divided by z, rounded again.
TPanelSize LabelPanelSize(double widthMm, double heightMm, int zoom);
// The label setup's Apply rounds at zoom 1 and then multiplies: round(width mm x 3.75) x z.
TPanelSize AppliedLabelPanelSize(double widthMm, double heightMm, int zoom);

// What the page and label controls make of a page setup when it is applied: every value kept
// in its control's range (label sizes with two decimals), and the page enlarged (within its
// limits) when one label and its margins do not fit.
TPageSetup AppliedPageSetup(TPageSetup setup);

// The designer's zoom steps: whole factors, so that a stored pixel is always z screen pixels and
// the stored template's pixel rules hold at every step.
inline constexpr int kMinZoom = 1;
inline constexpr int kMaxZoom = 8;
int ClampZoom(int zoom);
// The zoom `steps` steps in (positive) or out (negative) from `zoom`, kept within the steps.
int StepZoom(int zoom, int steps);
// "Fit": the largest step at which the whole label panel fits a view of that size; the
// smallest step when none does (the view then scrolls).
int FitZoom(double widthMm, double heightMm, int viewWidth, int viewHeight);

// One axis of the scrolled canvas: the label's left (top) edge lies at `origin` in the scrolled
// content, and the view shows the content from `scroll` on. Positions are logical pixels; the
// device pixel ratio is the painter's business.
struct TCanvasAxis {
    int Origin = 0;
    int Scroll = 0;
    // A view position as millimetres from the label's edge at zoom z, and back.
    double ViewToMm(double viewPx, int zoom) const;
    double MmToView(double mm, int zoom) const;
    // The scroll position that keeps the label point now under `viewPx` (at `oldZoom`) under it
    // at `newZoom`; the caller's scroll bar keeps it within range.
    int ScrollKeeping(double viewPx, int oldZoom, int newZoom) const;
};

// "(x; y)" with three significant digits each and the locale's decimal separator.
QString PositionText(double xMm, double yMm, char decimalSeparator);

// Brings an angle into 0..360.
int NormalizedAngle(int degrees);
// Escapement of a text element's rotation code: 1 -> 90, 2 -> 180, 3 -> 270, otherwise 0.
int TextEscapement(int forgat);

// The barcode width check of the move/resize handling: the stored width w and v = round(m / 2)
// for the minimum width m; a warning text when w < v.
struct TBarcodeWidthCheck {
    int Width = 0;
    int Needed = 0;
    bool TooNarrow() const { return Width < Needed; }
    QString Message() const;
};
TBarcodeWidthCheck CheckBarcodeWidth(int screenWidth, int zoom, int minimumWidth);

} // namespace etikor
