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
