#pragma once

// `TDBEan`: an on-screen barcode that follows a field of a dataset. Whenever the link reports
// a change and the field exists, the barcode's text becomes the field's value; an empty value
// draws nothing. All drawing is the engine's.
//
// The engine's header and the dataset's headers cannot meet in one source file (both declare
// an alignment type), so this header includes neither: the engine object is reached through
// Ean() where barcode/Ean.h is included, and the usual settings have forwarders here.

#include "barcode/BarcodeTypes.h"

#include <QWidget>

#include <memory>
#include <string>

namespace etikor {

class TDataSource;
class TDBEanLink;
class TEan;

class TDBEan : public QWidget {
    Q_OBJECT
public:
    explicit TDBEan(QWidget* parent = nullptr);
    ~TDBEan() override;

    TEan& Ean() { return *FEan; }
    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    const std::string& DataField() const;
    void SetDataField(std::string name);

    // Forwarded to the barcode object.
    const std::string& BarCode() const; // Windows-1250
    void SetTypBarCode(TTypBarCode type);
    TTypBarCode TypBarCode() const;
    void SetShowLabels(bool value);
    void SetStartStopLines(bool value);
    void SetAutoCheckDigit(bool value);
    void SetEan13AddUp(bool value);
    TLastPaintError LastPaintError() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FieldValue(const std::string& value);

    std::unique_ptr<TEan> FEan;
    std::unique_ptr<TDBEanLink> FLink;
};

} // namespace etikor
