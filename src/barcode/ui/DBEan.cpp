#include "barcode/ui/DBEan.h"

#include "barcode/Ean.h"
#include "barcode/ui/DBEanLink.h"

#include <QPainter>

namespace etikor {

TDBEan::TDBEan(QWidget* parent)
    : QWidget(parent), FEan(std::make_unique<TEan>()),
      FLink(std::make_unique<TDBEanLink>([this](const std::string& value) { FieldValue(value); })) {
    FEan->OnRepaint = [this] { update(); };
}

TDBEan::~TDBEan() {
    // Detached before anything goes, so no change reaches a half-destroyed control.
    FLink->Detach();
    FEan->OnRepaint = nullptr;
}

TDataSource* TDBEan::DataSource() const {
    return FLink->DataSource();
}

void TDBEan::SetDataSource(TDataSource* source) {
    FLink->SetDataSource(source);
}

const std::string& TDBEan::DataField() const {
    return FLink->FieldName();
}

void TDBEan::SetDataField(std::string name) {
    FLink->SetFieldName(std::move(name));
}

const std::string& TDBEan::BarCode() const {
    return FEan->BarCode();
}

void TDBEan::SetTypBarCode(TTypBarCode type) {
    // The engine shows the new symbology's sample text; this control shows the field.
    FEan->SetTypBarCode(type);
    FLink->Refresh();
}

TTypBarCode TDBEan::TypBarCode() const {
    return FEan->TypBarCode();
}

void TDBEan::SetShowLabels(bool value) {
    FEan->SetShowLabels(value);
}

void TDBEan::SetStartStopLines(bool value) {
    FEan->SetStartStopLines(value);
}

void TDBEan::SetAutoCheckDigit(bool value) {
    FEan->SetAutoCheckDigit(value);
}

void TDBEan::SetEan13AddUp(bool value) {
    FEan->SetEan13AddUp(value);
}

TLastPaintError TDBEan::LastPaintError() const {
    return FEan->LastPaintError();
}

void TDBEan::FieldValue(const std::string& value) {
    FEan->SetBarCode(value);
    update();
}

void TDBEan::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    FEan->DrawBarCode(painter, TRect{0, 0, width(), height()});
}

} // namespace etikor
