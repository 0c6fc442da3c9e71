#include "designer/CanvasGeometry.h"

#include "document/PageSetupValues.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TCanvasGeometryText {
    Q_DECLARE_TR_FUNCTIONS(TCanvasGeometryText)
};
} // namespace

TPanelSize LabelPanelSize(double widthMm, double heightMm, int zoom) {
    TPanelSize size;
    size.Width = RoundHalfEven(LabelWidthPx(widthMm) * zoom);
    size.Height = RoundHalfEven(LabelHeightPx(heightMm) * zoom);
    size.UnzoomedWidth = StoredFromScreen(size.Width, zoom);
    size.UnzoomedHeight = StoredFromScreen(size.Height, zoom);
    return size;
}

TPanelSize AppliedLabelPanelSize(double widthMm, double heightMm, int zoom) {
    TPanelSize size;
    size.Width = RoundHalfEven(LabelWidthPx(widthMm)) * zoom;
    size.Height = RoundHalfEven(LabelHeightPx(heightMm)) * zoom;
    size.UnzoomedWidth = StoredFromScreen(size.Width, zoom);
    size.UnzoomedHeight = StoredFromScreen(size.Height, zoom);
    return size;
}

int ClampZoom(int zoom) {
    return std::clamp(zoom, kMinZoom, kMaxZoom);
}

int StepZoom(int zoom, int steps) {
    return ClampZoom(ClampZoom(zoom) + steps);
}

int FitZoom(double widthMm, double heightMm, int viewWidth, int viewHeight) {
    for (int zoom = kMaxZoom; zoom > kMinZoom; --zoom) {
        const TPanelSize panel = LabelPanelSize(widthMm, heightMm, zoom);
        if (panel.Width <= viewWidth && panel.Height <= viewHeight)
            return zoom;
    }
    return kMinZoom;
}

double TCanvasAxis::ViewToMm(double viewPx, int zoom) const {
    return ScreenToMm(viewPx + Scroll - Origin, zoom);
}

double TCanvasAxis::MmToView(double mm, int zoom) const {
    return mm * kScreenPpi * zoom / 25.4 + Origin - Scroll;
}

int TCanvasAxis::ScrollKeeping(double viewPx, int oldZoom, int newZoom) const {
    const double labelPx = (viewPx + Scroll - Origin) * newZoom / oldZoom;
    return static_cast<int>(std::lround(Origin + labelPx - viewPx));
}

TPageSetup AppliedPageSetup(TPageSetup s) {
    auto two = [](double v) { return std::round(v * 100.0) / 100.0; };
    s.LabelWidthMm = two(s.LabelWidthMm);
    s.LabelHeightMm = two(s.LabelHeightMm);
    for (const TPageValueInfo& info : PageSetupValues())
        s.SetValue(info.Value, std::clamp(s.Value(info.Value), info.Template.Min, info.Template.Max));
    const double maxLength = PageValueInfo(TPageValue::pvPageLength).Template.Max;
    const double maxWidth = PageValueInfo(TPageValue::pvPageWidth).Template.Max;
    if (s.PageLengthMm < s.LabelHeightMm + s.TopMarginMm + s.BottomMarginMm)
        s.PageLengthMm = std::min(s.LabelHeightMm + s.TopMarginMm + s.BottomMarginMm, maxLength);
    if (s.PageWidthMm < s.LabelWidthMm + s.LeftMarginMm + s.RightMarginMm)
        s.PageWidthMm = std::min(s.LabelWidthMm + s.LeftMarginMm + s.RightMarginMm, maxWidth);
    return s;
}

QString PositionText(double xMm, double yMm, char decimalSeparator) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "(%.3g; %.3g)", xMm, yMm);
    QString text = QString::fromLatin1(buffer);
    // printf writes the C locale's point; the readout shows the program's separator.
    if (decimalSeparator != '.')
        text.replace(QLatin1Char('.'), QLatin1Char(decimalSeparator));
    return text;
}

int NormalizedAngle(int degrees) {
    while (degrees < 0)
        degrees += 360;
    while (degrees > 360)
        degrees -= 360;
    return degrees;
}

int TextEscapement(int forgat) {
    switch (forgat) {
    case 1:
        return 90;
    case 2:
        return 180;
    case 3:
        return 270;
    default:
        return 0;
    }
}

QString TBarcodeWidthCheck::Message() const {
    return TCanvasGeometryText::tr("Nem megfelelő vonalkód szélesség! (") + QString::number(Width) +
           QStringLiteral("px./") + QString::number(Needed) + QStringLiteral("px.)");
}

TBarcodeWidthCheck CheckBarcodeWidth(int screenWidth, int zoom, int minimumWidth) {
    return {StoredFromScreen(screenWidth, zoom), RoundHalfEven(minimumWidth / 2.0)};
}

} // namespace etikor
