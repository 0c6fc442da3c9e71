#include "pageengine/QrEan.h"

#include "barcode/BarcodeDraw.h"

#include <QImage>
#include <QPainter>

#include <cmath>

namespace etikor {

namespace {
// Ties to even, as the stored width rounds (32.5 mm becomes 32).
double RoundEven(double value) {
    return std::nearbyint(value);
}
// The largest side of the picture a symbol too small for the screen is drawn into.
constexpr int kMaxScaledSide = 4096;

} // namespace

bool TQrEan::TooSmallForModules(const TRect& box) {
    const TRect layout = FitLayoutRect(box, FEan.Angle());
    return layout.Right - layout.Left < FEan.MinimumWidth() ||
           layout.Bottom - layout.Top < FEan.MinimumHeight();
}

void TQrEan::DrawScaledDown(QPainter& canvas, const TRect& box) {
    const int width = std::max(box.Right - box.Left, 1), height = std::max(box.Bottom - box.Top, 1);
    const TRect layout = FitLayoutRect(box, FEan.Angle());
    const int along = std::max(layout.Right - layout.Left, 1),
              across = std::max(layout.Bottom - layout.Top, 1);
    const int factor =
        std::max((FEan.MinimumWidth() + along - 1) / along, (FEan.MinimumHeight() + across - 1) / across);
    if (factor < 1 || static_cast<long>(std::max(width, height)) * factor > kMaxScaledSide)
        return;
    QImage picture(width * factor, height * factor, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        FEan.SetBounds(picture.width(), picture.height());
        FEan.DrawBarCode(painter, TRect{0, 0, picture.width(), picture.height()}, TCanvasKind::ckScreen);
    }
    canvas.save();
    canvas.setRenderHint(QPainter::SmoothPixmapTransform);
    canvas.drawImage(QRect(box.Left, box.Top, width, height), picture);
    canvas.restore();
}

double TQrEan::UnitsPerPixel(TReportUnit unit) {
    switch (unit) {
    case TReportUnit::ruMillimetres:
        return 25.4 / 96.0;
    case TReportUnit::ruInches:
        return 1.0 / 96.0;
    case TReportUnit::ruNative:
        return 254.0 / 96.0;
    case TReportUnit::ruPixels:
    case TReportUnit::ruCharacters:
        break;
    }
    return 1.0;
}

TQrEan::TQrEan() {
    FEan.SetSecurity(false);
    // The element starts with the inner barcode's size.
    Width = FEan.Width() * UnitsPerPixel(Unit);
    Height = FEan.Height() * UnitsPerPixel(Unit);
}

void TQrEan::SetTypBarCode(TTypBarCode v) {
    FEan.SetTypBarCode(v);
    UpdateWidth();
}

void TQrEan::SetBarCode(std::string_view value) {
    if (FEan.BarCode() == value)
        return;
    FEan.SetBarCode(value);
    UpdateWidth();
    FEan.Repaint();
}

void TQrEan::SetAutoSize(bool value) {
    FEan.SetAutoSize(value);
    const double minimum = FEan.MinimumWidth() * UnitsPerPixel(Unit);
    if (Width < minimum)
        Width = minimum;
}

void TQrEan::SetCharWidthMM(double value) {
    FCharWidthMM = value;
    UpdateWidth();
}

void TQrEan::UpdateWidth() {
    if (FCharWidthMM == 0)
        return;
    const double length = static_cast<double>(FEan.BarCode().size());
    switch (Unit) {
    case TReportUnit::ruMillimetres:
        Width = RoundEven(length * FCharWidthMM);
        break;
    case TReportUnit::ruInches:
        Width = RoundEven(length * FCharWidthMM / 25.4);
        break;
    case TReportUnit::ruNative:
        Width = RoundEven(length * FCharWidthMM * 10);
        break;
    case TReportUnit::ruPixels:
    case TReportUnit::ruCharacters:
        break;
    }
}

void TQrEan::PaintDesign(QPainter& canvas, int widthPx, int heightPx) {
    UpdateWidth();
    FEan.DrawBarCode(canvas, TRect{0, 0, widthPx, heightPx});
}

void TQrEan::Print(const TReportPrintContext& context, double bandX, double bandY) {
    if (!context.FinalPass || !Enabled || !context.Canvas)
        return;
    if (OnBeforePrint)
        OnBeforePrint(*this);
    UpdateWidth();
    // The box's top-left corner on the device's grid and its size in whole pixels of it, so that
    // an element gets the same modules on every label of the page, whatever its position.
    const int left = context.XPos(Left + bandX);
    const int top = context.YPos(Top + bandY);
    const int width = context.XSize ? context.XSize(Width) : context.XPos(bandX + Left + Width) - left;
    const int height = context.YSize ? context.YSize(Height) : context.YPos(bandY + Top + Height) - top;
    const TRect box{left, top, left + width, top + height};
    // A screen (the preview) too coarse for one pixel a module would show only the error hatch:
    // the symbol is drawn with whole modules and scaled down into its box, so that every
    // barcode shows where it is. Paper keeps the exact rule.
    if (!context.Paper && !IsPrinterCanvas(*context.Canvas) && TooSmallForModules(box)) {
        DrawScaledDown(*context.Canvas, box);
    } else {
        FEan.SetBounds(box.Right - box.Left, box.Bottom - box.Top);
        FEan.DrawOnPrinter(*context.Canvas, box);
    }
    if (OnAfterPrint)
        OnAfterPrint(*this);
}

// ---- data-bound ---------------------------------------------------------------------------

TQrDBEan::TQrDBEan() = default;

TQrDBEan::~TQrDBEan() {
    FLink.SetDataSource(nullptr);
}

void TQrDBEan::SetDataField(std::string field) {
    FDataField = std::move(field);
    DataChanged();
}

void TQrDBEan::SetDataSource(TDataSource* source) {
    FLink.SetDataSource(source);
    DataChanged();
}

void TQrDBEan::DataChanged() {
    TDataSet* const data = FLink.DataSet();
    TField* const field =
        data && data->Active() && !FDataField.empty() ? data->FindField(FDataField) : nullptr;
    if (field)
        SetBarCode(field->DisplayText());
    else
        SetBarCode(Designing ? std::string_view(Name) : std::string_view());
}

} // namespace etikor
