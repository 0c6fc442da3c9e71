#pragma once

// The report barcode items: a barcode object placed on a report band. They draw nothing of
// their own; every drawing goes through the barcode object's DrawBarCode.

#include "barcode/Ean.h"
#include "data/DataSet.h"

#include <functional>
#include <string>
#include <string_view>

class QPainter;

namespace etikor {

// The unit a report keeps its element geometry in.
enum class TReportUnit : uint8_t { ruMillimetres, ruInches, ruPixels, ruCharacters, ruNative };

// What the page engine hands a barcode item when it prints a band.
struct TReportPrintContext {
    TReportUnit Unit = TReportUnit::ruMillimetres;
    bool FinalPass = true;
    QPainter* Canvas = nullptr;
    // A horizontal / vertical position in the report's unit as printer pixels.
    std::function<int(double)> XPos;
    std::function<int(double)> YPos;
    // A width / height in the report's unit as whole printer pixels, the same wherever it lies
    // on the page; unset: the distance between the rounded positions of its edges.
    std::function<int(double)> XSize;
    std::function<int(double)> YSize;
    // The canvas is paper whatever its device (see IsPrinterCanvas).
    bool Paper = false;
};

class TQrEan {
public:
    using TNotifyEvent = std::function<void(TQrEan&)>;

    TQrEan();
    virtual ~TQrEan() = default;
    TQrEan(const TQrEan&) = delete;
    TQrEan& operator=(const TQrEan&) = delete;

    std::string Name;
    bool Enabled = true;
    TReportUnit Unit = TReportUnit::ruMillimetres;
    // Stored geometry, in Unit.
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;

    // The inner barcode object, for the properties forwarded unchanged.
    TEan& Ean() { return FEan; }
    const TEan& Ean() const { return FEan; }

    TColor BackgroundColor() const { return FEan.BackgroundColor(); }
    void SetBackgroundColor(TColor v) { FEan.SetBackgroundColor(v); }
    bool Transparent() const { return FEan.Transparent(); }
    void SetTransparent(bool v) { FEan.SetTransparent(v); }
    bool ShowLabels() const { return FEan.ShowLabels(); }
    void SetShowLabels(bool v) { FEan.SetShowLabels(v); }
    bool StartStopLines() const { return FEan.StartStopLines(); }
    void SetStartStopLines(bool v) { FEan.SetStartStopLines(v); }
    TTypBarCode TypBarCode() const { return FEan.TypBarCode(); }
    void SetTypBarCode(TTypBarCode v);
    TColor LinesColor() const { return FEan.LinesColor(); }
    void SetLinesColor(TColor v) { FEan.SetLinesColor(v); }
    bool Ean13AddUp() const { return FEan.Ean13AddUp(); }
    void SetEan13AddUp(bool v) { FEan.SetEan13AddUp(v); }
    bool FontAutoSize() const { return FEan.FontAutoSize(); }
    void SetFontAutoSize(bool v) { FEan.SetFontAutoSize(v); }
    bool Security() const { return FEan.Security(); }
    void SetSecurity(bool v) { FEan.SetSecurity(v); }
    TLastPaintError LastPaintError() const { return FEan.LastPaintError(); }
    const std::string& BarCode() const { return FEan.BarCode(); }
    // Only a different text is assigned (with the object's normalisation); the width follows.
    void SetBarCode(std::string_view value);
    int Angle() const { return FEan.Angle(); }
    void SetAngle(int value) { FEan.SetAngle(value); }
    const std::string& LabelMask() const { return FEan.LabelMask(); }
    void SetLabelMask(std::string v) { FEan.SetLabelMask(std::move(v)); }
    const TBarcodeCaption& Caption() const { return FEan.Caption(); }
    const TBarcodeCaption& CaptionBottom() const { return FEan.CaptionBottom(); }
    bool AutoSize() const { return FEan.AutoSize(); }
    // Passed on; then the element widens to the barcode's minimum width when it is narrower.
    void SetAutoSize(bool value);
    bool DisableEditor() const { return FEan.DisableEditor(); }
    void SetDisableEditor(bool v) { FEan.SetDisableEditor(v); }
    TBarCodeHorzLines& HorzLines() { return FEan.HorzLines(); }
    bool AutoCheckDigit() const { return FEan.AutoCheckDigit(); }
    void SetAutoCheckDigit(bool v) { FEan.SetAutoCheckDigit(v); }
    const TMatrixOptions& MatrixOptions() const { return FEan.MatrixOptions(); }
    void SetMatrixOptions(const TMatrixOptions& v) { FEan.SetMatrixOptions(v); }
    const TBarcodeFont& Font() const { return FEan.Font(); }
    void SetFont(const TBarcodeFont& font) { FEan.SetFont(font); }

    // Millimetres per character of BarCode; 0 leaves the width as stored.
    double CharWidthMM() const { return FCharWidthMM; }
    void SetCharWidthMM(double value);

    TNotifyEvent OnBeforePrint;
    TNotifyEvent OnAfterPrint;

    // The stored width from CharWidthMM and the length of BarCode (pixels and characters are
    // left alone). Runs after every text change, before painting and before printing.
    void UpdateWidth();
    // The design surface: the barcode into (0, 0, width, height) of the element's canvas.
    void PaintDesign(QPainter& canvas, int widthPx, int heightPx);
    // Prints into a band whose top-left corner is at (bandX, bandY) in the report's unit: only
    // in the final pass and while enabled.
    void Print(const TReportPrintContext& context, double bandX, double bandY);

    // One unit of the report in screen pixels at 96 per inch (the design surface's unit).
    static double UnitsPerPixel(TReportUnit unit);

private:
    // The box (device pixels) cannot give every module a whole pixel.
    bool TooSmallForModules(const TRect& box);
    // The symbol drawn with whole modules into a larger picture, scaled down into the box.
    void DrawScaledDown(QPainter& canvas, const TRect& box);

    TEan FEan;
    double FCharWidthMM = 0;
};

// A report barcode whose text follows a field of a data source.
class TQrDBEan : public TQrEan {
public:
    TQrDBEan();
    ~TQrDBEan() override;

    const std::string& DataField() const { return FDataField; }
    void SetDataField(std::string field);
    TDataSource* DataSource() const { return FLink.DataSource(); }
    void SetDataSource(TDataSource* source);
    // At design time a barcode without a field shows its own name.
    bool Designing = false;

    // Takes the field's display text as BarCode (the data link calls it on every change).
    void DataChanged();

private:
    class TLink : public TDataLink {
    public:
        explicit TLink(TQrDBEan& owner) : FOwner(owner) {}

    protected:
        void ActiveChanged() override { FOwner.DataChanged(); }
        void LayoutChanged() override { FOwner.DataChanged(); }
        void CurrentChanged() override { FOwner.DataChanged(); }
        void DataSetChanged() override { FOwner.DataChanged(); }
        void RecordChanged(const TField*) override { FOwner.DataChanged(); }

    private:
        TQrDBEan& FOwner;
    };

    std::string FDataField;
    TLink FLink{*this};
};

} // namespace etikor
