#pragma once

// The barcode object: a symbology, a text and the drawing settings, with the text rules of
// the engine. It is plain C++; the drawing, picture files and the screen control attach to it
// later through the hooks below (repaint requests, size, OnPaint, the paint result).

#include "barcode/BarCodeInfo.h"
#include "barcode/BarcodeEngine.h"
#include "barcode/BarcodeTypes.h"
#include "data/Alignment.h"
#include "data/Color.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

namespace etikor {

// A font as the object stores it; drawing turns it into the surface's font.
struct TBarcodeFont {
    std::string Name = "Arial";
    int Size = 10; // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    TColor Color = clBlack;

    friend bool operator==(const TBarcodeFont&, const TBarcodeFont&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    friend bool operator==(const TRect&, const TRect&) = default;
};

enum class TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

enum class TPenMode : uint8_t {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor,
};

class TCustomEAN;

// What a drawing error looks like depends on the surface: the red cross-hatch on a screen, in a
// bitmap or a metafile, nothing at all on a printer page. ckAuto asks the painter's device
// (a QPrinter or a QPdfWriter counts as a printer).
enum class TCanvasKind : uint8_t { ckAuto, ckScreen, ckPrinter };

// A text line above or below the bars. Every change repaints the owning barcode.
class TBarcodeCaption {
public:
    explicit TBarcodeCaption(TCustomEAN& owner);
    TBarcodeCaption(const TBarcodeCaption&) = delete;
    TBarcodeCaption& operator=(const TBarcodeCaption&) = delete;

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    const std::string& Text() const { return FText; }
    void SetText(std::string value);
    const TBarcodeFont& Font() const { return FFont; }
    void SetFont(const TBarcodeFont& value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AutoCaption() const { return FAutoCaption; }
    // Switching it on refreshes the text at once.
    void SetAutoCaption(bool value);

    // With AutoCaption: the book-number symbologies show their prefix and the typed number.
    void RefreshAutoCaption();
    // Copies every setting (not the owner).
    void Assign(const TBarcodeCaption& source);

private:
    void changed();

    TCustomEAN& FOwner;
    bool FVisible = true;
    std::string FText;
    TBarcodeFont FFont;
    bool FAutoSize = true;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    bool FAutoCaption = false;
};

// Horizontal lines across the bars: a pen and the number of lines.
class TBarCodeHorzLines {
public:
    explicit TBarCodeHorzLines(TCustomEAN& owner) : FOwner(owner) {}
    TBarCodeHorzLines(const TBarCodeHorzLines&) = delete;
    TBarCodeHorzLines& operator=(const TBarCodeHorzLines&) = delete;

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    int LinesCount() const { return FLinesCount; }
    void SetLinesCount(int value);

    void Assign(const TBarCodeHorzLines& source);

private:
    template <typename V>
    void set(V& field, V value);

    TCustomEAN& FOwner;
    TColor FColor = clBlack;
    TPenStyle FStyle = TPenStyle::psSolid;
    TPenMode FMode = TPenMode::pmCopy;
    int FWidth = 1;
    int FLinesCount = 0;
};

// The last position of the counter's field when AutoIncTo is 0: the end of the main part before
// any add-on, and before the check digit of the symbologies that always carry one.
int DefaultCounterEnd(std::string_view text, TTypBarCode type);

class TCustomEAN {
public:
    using TNotifyEvent = std::function<void(TCustomEAN& sender)>;
    using TBarCodePaintEvent =
        std::function<void(TCustomEAN& sender, const TRect& r, const std::string& barCode)>;

    TCustomEAN();
    virtual ~TCustomEAN() = default;
    // A control: its captions and pen point back at it, so it is neither copied nor moved.
    TCustomEAN(const TCustomEAN&) = delete;
    TCustomEAN& operator=(const TCustomEAN&) = delete;

    // --- Published properties -------------------------------------------------------------
    bool AutoInc() const { return FAutoInc; }
    void SetAutoInc(bool value) { FAutoInc = value; }
    int AutoIncFrom() const { return FAutoIncFrom; }
    void SetAutoIncFrom(int value) { FAutoIncFrom = value; }
    int AutoIncTo() const { return FAutoIncTo; }
    void SetAutoIncTo(int value) { FAutoIncTo = value; }
    const std::string& FirstBarCode() const { return FFirstBarCode; }
    void SetFirstBarCode(std::string value) { FFirstBarCode = std::move(value); }
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool ShowLabels() const { return FShowLabels; }
    void SetShowLabels(bool value);
    bool StartStopLines() const { return FStartStopLines; }
    void SetStartStopLines(bool value);
    TTypBarCode TypBarCode() const { return FTypBarCode; }
    // Loads the new symbology's sample into BarCode and widens the control to MinimumWidth. A
    // two-dimensional symbology starts without the human-readable line (ShowLabels off), a
    // linear one chosen after it with the line again.
    void SetTypBarCode(TTypBarCode value);
    TColor LinesColor() const { return FLinesColor; }
    void SetLinesColor(TColor value);
    bool Ean13AddUp() const { return FEan13AddUp; }
    void SetEan13AddUp(bool value);
    bool FontAutoSize() const { return FFontAutoSize; }
    void SetFontAutoSize(bool value);
    bool Security() const { return FSecurity; }
    void SetSecurity(bool value);
    const TBarcodeFont& Font() const { return FFont; }
    void SetFont(const TBarcodeFont& value);
    TLastPaintError LastPaintError() const { return FLastPaintError; }
    const std::string& BarCode() const { return FBarCode; }
    // Stores and normalises a changed text, refreshes the upper caption, repaints, notifies.
    void SetBarCode(std::string_view value);
    const std::string& LabelMask() const { return FLabelMask; }
    void SetLabelMask(std::string value);
    int Angle() const { return FAngle; }
    // Kept as a multiple of 90 in (-360, 360).
    void SetAngle(int value);
    TBarcodeCaption& Caption() { return FCaption; }
    const TBarcodeCaption& Caption() const { return FCaption; }
    TBarcodeCaption& CaptionBottom() { return FCaptionBottom; }
    const TBarcodeCaption& CaptionBottom() const { return FCaptionBottom; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool DisableEditor() const { return FDisableEditor; }
    void SetDisableEditor(bool value) { FDisableEditor = value; }
    TBarCodeHorzLines& HorzLines() { return FHorzLines; }
    const TBarCodeHorzLines& HorzLines() const { return FHorzLines; }
    std::string_view SetOfChars() const { return BarCodeCharSet(FTypBarCode); }
    // Read-only in effect: stored files may carry it, assigning it changes nothing.
    void SetSetOfChars(std::string_view) {}
    bool AutoCheckDigit() const { return FAutoCheckDigit; }
    void SetAutoCheckDigit(bool value);
    // The settings of the two-dimensional symbologies (error correction, shape, GS1, columns).
    const TMatrixOptions& MatrixOptions() const { return FMatrixOptions; }
    void SetMatrixOptions(const TMatrixOptions& value);

    TBarCodePaintEvent OnPaint;
    TNotifyEvent OnChangeTypCode;
    TNotifyEvent OnChangeBarCode;

    // --- Size and repaint requests (a screen control attaches here) ------------------------
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetWidth(int value) { SetBounds(value, FHeight); }
    void SetHeight(int value) { SetBounds(FWidth, value); }
    void SetBounds(int width, int height);
    std::function<void()> OnRepaint; // a drawing setting changed
    TNotifyEvent OnResize;
    void Repaint();

    // --- Operations -------------------------------------------------------------------------
    // Validates a text for the current symbology; sets LastPaintError, ErrorPos and ErrorChar.
    bool CheckBarCode(std::string_view text);
    // The pattern and its anchors for a text (empty after a failed check). Never stored.
    BarcodeEncoding BuildPattern(std::string_view text);
    // Pattern length of BarCode plus one: one pixel per module. A two-dimensional symbol: its
    // columns with the quiet zone on both sides.
    int MinimumWidth();
    // A two-dimensional symbol's rows with its quiet zone (one pixel per module); 0 for the
    // linear symbologies, whose bars take any height.
    int MinimumHeight();
    // Advances BarCode as a counter over the character set; only an accepted result is kept.
    void NextBarCode();
    // One line per symbology in ordinal order: catalogue names, or identifiers.
    static void ListTypes(std::vector<std::string>& list, bool byName);
    std::string TypeIdent() const { return std::string(BarCodeTypeIdent(FTypBarCode)); }
    // The character set for display: "c " per character, controls as "^" and code + 65.
    std::string ReadableCharSet() const;
    TBarCodeInfo BarCodeInfo() const { return GetBarCodeInfo(FTypBarCode); }
    // Copies the settings of another barcode object (not Font, width and height).
    void Assign(const TCustomEAN& source);

    // --- Drawing and pictures (BarcodeDraw.cpp, BarcodePicture.cpp) ---------------------------
    // Fits, encodes and draws the barcode into `rect` (the painter's logical pixels), then calls
    // OnPaint. Sets LastPaintError and LastPattern.
    void DrawBarCode(QPainter& canvas, const TRect& rect, TCanvasKind kind = TCanvasKind::ckAuto);
    // DrawBarCode on a printer page: an invalid text or a too small box draws nothing.
    void DrawOnPrinter(QPainter& printerCanvas, const TRect& rect);
    // A picture of the control's size chosen by the extension (case-insensitive): .bmp, .wmf,
    // .emf, .png, .svg, .jpg/.jpeg. No name, .gif or another extension writes nothing (the
    // windows ask for the name and say what is not supported: barcode/ui/SavePicture.h). True
    // when a file was written.
    bool SaveToFile(const std::string& fileName);
    // Single-format variants (whatever the extension); GIF is never written.
    bool SaveToBitmap(const std::string& fileName);
    bool SaveToWmf(const std::string& fileName);
    bool SaveToEmf(const std::string& fileName);
    bool SaveToGif(const std::string& fileName);
    // Draws a metafile of the control's size; without a file name it goes to the clipboard.
    bool SaveToMetafile(const std::string& fileName, bool enhanced);

    // --- State of the last check or drawing --------------------------------------------------
    int ErrorPos() const { return FErrorPos; }
    char ErrorChar() const { return FErrorChar; }
    // The two-dimensional encoder's own explanation of the last failure (English), else empty.
    const std::string& ErrorDetail() const { return FErrorDetail; }
    // The expanded pattern of the last drawing, one character per pixel column.
    const std::string& LastPattern() const { return FLastPattern; }
    // Drawing reports its outcome here and then calls DoPaint.
    void SetPaintResult(TLastPaintError error, std::string lastPattern);
    void DoPaint(const TRect& r);

protected:
    // A drawing property changed: request a repaint when it really did.
    template <typename V>
    void setDrawing(V& field, const V& value) {
        if (field == value)
            return;
        field = value;
        Repaint();
    }
    void widenToMinimum();

private:
    // DrawBarCode of the two-dimensional symbologies: the module matrix in square modules.
    void drawMatrix(QPainter& canvas, const TRect& rect, bool printer);

    friend class TBarcodeCaption;

    bool FAutoInc = false;
    int FAutoIncFrom = 0;
    int FAutoIncTo = 0;
    std::string FFirstBarCode;
    TColor FBackgroundColor = clWhite;
    bool FTransparent = false;
    bool FShowLabels = true;
    bool FStartStopLines = true;
    TTypBarCode FTypBarCode = TTypBarCode::bcEan13;
    TColor FLinesColor = clBlack;
    bool FEan13AddUp = true;
    bool FFontAutoSize = true;
    bool FSecurity = false;
    TBarcodeFont FFont{"Arial", 16};
    TLastPaintError FLastPaintError = TLastPaintError::erOK;
    std::string FBarCode = "9771210107001";
    std::string FLabelMask;
    int FAngle = 0;
    TBarcodeCaption FCaption{*this};
    TBarcodeCaption FCaptionBottom{*this};
    bool FAutoSize = true;
    bool FDisableEditor = false;
    TBarCodeHorzLines FHorzLines{*this};
    bool FAutoCheckDigit = true;
    TMatrixOptions FMatrixOptions;

    int FWidth = 0;
    int FHeight = 80;
    int FErrorPos = 0;
    char FErrorChar = 0;
    std::string FErrorDetail;
    std::string FLastPattern;
};

// The published barcode object.
class TEan final : public TCustomEAN {
public:
    using TCustomEAN::TCustomEAN;
};

} // namespace etikor
