#include "designer/BarcodeView.h"

#include "barcode/Ean.h"
#include "data/Cp1250Text.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace etikor {

TBarcodeView::TBarcodeView(QWidget* parent)
    : TElementView(TElemKind::ekBarcode, parent), FEan(std::make_unique<TEan>()) {
    FEan->OnRepaint = [this] { update(); };
}

TBarcodeView::~TBarcodeView() {
    FEan->OnRepaint = nullptr;
}

void TBarcodeView::SetEngineFont(const TFont& font, int zoom) {
    TBarcodeFont f;
    f.Name = font.Name();
    f.Size = std::max(1, font.Size() * zoom);
    f.Bold = font.Style() & fsBold;
    f.Italic = font.Style() & fsItalic;
    f.Underline = font.Style() & fsUnderline;
    f.StrikeOut = font.Style() & fsStrikeOut;
    f.Color = font.Color();
    FEan->SetFont(f);
}

void TBarcodeView::SetTypeIndex(int index) {
    if (const std::optional<TTypBarCode> type = BarcodeTypeForIndex(index))
        FEan->SetTypBarCode(*type);
    FEan->SetMatrixOptions(BarcodeOptionsForIndex(index));
    const int minimum = FEan->MinimumWidth();
    if (width() < minimum)
        resize(minimum, height());
}

int TBarcodeView::MinimumWidth() {
    return FEan->MinimumWidth();
}

void TBarcodeView::Configure(const TEanSettings& settings) {
    FEan->SetFontAutoSize(false);
    FEan->SetAutoCheckDigit(settings.AutoCheckDigit);
    FEan->SetAutoSize(settings.AutoSize);
    if (settings.Angle)
        FEan->SetAngle(*settings.Angle);
    FEan->SetBarCode(settings.Value);
    FEan->SetShowLabels(settings.ShowLabels);
    FEan->SetStartStopLines(settings.StartStopLines);
    if (settings.Ean13AddUp)
        FEan->SetEan13AddUp(true);
    FEan->SetSecurity(settings.Security);
}

int TBarcodeView::Angle() const {
    return FEan->Angle();
}

bool TBarcodeView::EngineAutoSize() const {
    return FEan->AutoSize();
}

void TBarcodeView::SetEngineAutoSize(bool autoSize) {
    FEan->SetAutoSize(autoSize);
}

QString TBarcodeView::Value() const {
    return FromCp1250(FEan->BarCode());
}

void TBarcodeView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    FEan->DrawBarCode(painter, TRect{0, 0, width(), height()});
}

void TBarcodeView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (FEan->DisableEditor()) {
        TElementView::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    emit SetupRequested(this);
}

} // namespace etikor
