#pragma once

// The barcode element view: a barcode object of the engine drawn into the view's bounds.

#include "designer/ElementViews.h"
#include "document/FontDescriptor.h"

#include <memory>
#include <optional>
#include <string>

namespace etikor {

class TEan;

// The engine settings a barcode row and the settings file give a view.
struct TEanSettings {
    bool AutoCheckDigit = true;
    bool AutoSize = true;
    bool Security = false;
    std::optional<int> Angle; // unset: the engine's angle stays
    std::string Value;        // Windows-1250 bytes
    bool ShowLabels = true;
    bool StartStopLines = true;
    bool Ean13AddUp = false; // true switches it on; false leaves the engine's setting
};

class TBarcodeView final : public TElementView {
    Q_OBJECT
public:
    explicit TBarcodeView(QWidget* parent);
    ~TBarcodeView() override;

    TEan& Ean() { return *FEan; }
    const TEan& Ean() const { return *FEan; }
    // The element's font for the human-readable value, its size times the zoom.
    void SetEngineFont(const TFont& font, int zoom);
    // Sets the symbology of a designer list position (the engine's default outside 0..14) and
    // widens the view to the symbology's minimum width.
    void SetTypeIndex(int index);
    int MinimumWidth();
    // Applies the settings after the symbology; the engine's font auto size goes off.
    void Configure(const TEanSettings& settings);
    int Angle() const;
    bool EngineAutoSize() const;
    void SetEngineAutoSize(bool autoSize);
    QString Value() const;

signals:
    // A double click asks for the engine's setup dialog on this barcode.
    void SetupRequested(etikor::TBarcodeView* view);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Asks for the setup dialog, unless the engine's editor is disabled.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::unique_ptr<TEan> FEan;
};

} // namespace etikor
