#include "barcode/Ean.h"

#include <algorithm>

namespace etikor {

// --- TBarcodeCaption -------------------------------------------------------------------------

TBarcodeCaption::TBarcodeCaption(TCustomEAN& owner) : FOwner(owner) {}

void TBarcodeCaption::changed() {
    FOwner.Repaint();
}

void TBarcodeCaption::SetVisible(bool value) {
    if (FVisible != value) {
        FVisible = value;
        changed();
    }
}

void TBarcodeCaption::SetText(std::string value) {
    if (FText != value) {
        FText = std::move(value);
        changed();
    }
}

void TBarcodeCaption::SetFont(const TBarcodeFont& value) {
    if (!(FFont == value)) {
        FFont = value;
        changed();
    }
}

void TBarcodeCaption::SetAutoSize(bool value) {
    if (FAutoSize != value) {
        FAutoSize = value;
        changed();
    }
}

void TBarcodeCaption::SetAlignment(TAlignment value) {
    if (FAlignment != value) {
        FAlignment = value;
        changed();
    }
}

void TBarcodeCaption::SetAutoCaption(bool value) {
    if (FAutoCaption == value)
        return;
    FAutoCaption = value;
    RefreshAutoCaption();
    changed();
}

void TBarcodeCaption::RefreshAutoCaption() {
    if (!FAutoCaption)
        return;
    const char* prefix = nullptr;
    switch (FOwner.FTypBarCode) {
    case TTypBarCode::bcISBN:
        prefix = "ISBN ";
        break;
    case TTypBarCode::bcISSN:
        prefix = "ISSN ";
        break;
    case TTypBarCode::bcISMN:
        prefix = "ISMN ";
        break;
    default:
        break;
    }
    if (prefix)
        FText = prefix + FOwner.FBarCode.substr(0, 13);
    FVisible = !FText.empty();
}

void TBarcodeCaption::Assign(const TBarcodeCaption& source) {
    FVisible = source.FVisible;
    FText = source.FText;
    FFont = source.FFont;
    FAutoSize = source.FAutoSize;
    FAlignment = source.FAlignment;
    FAutoCaption = source.FAutoCaption;
}

// --- TBarCodeHorzLines -----------------------------------------------------------------------

template <typename V>
void TBarCodeHorzLines::set(V& field, V value) {
    if (field != value) {
        field = value;
        FOwner.Repaint();
    }
}

void TBarCodeHorzLines::SetColor(TColor value) {
    set(FColor, value);
}
void TBarCodeHorzLines::SetStyle(TPenStyle value) {
    set(FStyle, value);
}
void TBarCodeHorzLines::SetMode(TPenMode value) {
    set(FMode, value);
}
void TBarCodeHorzLines::SetWidth(int value) {
    set(FWidth, value);
}
void TBarCodeHorzLines::SetLinesCount(int value) {
    set(FLinesCount, value);
}

void TBarCodeHorzLines::Assign(const TBarCodeHorzLines& source) {
    FColor = source.FColor;
    FStyle = source.FStyle;
    FMode = source.FMode;
    FWidth = source.FWidth;
    FLinesCount = source.FLinesCount;
}

// --- TCustomEAN ------------------------------------------------------------------------------

TCustomEAN::TCustomEAN() {
    // As wide as the encoded sample plus 20 modules, and never narrower than MinimumWidth.
    const int sampleWidth = static_cast<int>(BuildPattern(FBarCode).BarPattern.size()) + 20;
    FWidth = std::max(sampleWidth, MinimumWidth());
    FLastPaintError = TLastPaintError::erOK;
}

void TCustomEAN::Repaint() {
    if (OnRepaint)
        OnRepaint();
}

void TCustomEAN::SetBounds(int width, int height) {
    if (width == FWidth && height == FHeight)
        return;
    FWidth = width;
    FHeight = height;
    if (OnResize)
        OnResize(*this);
    Repaint();
}

void TCustomEAN::widenToMinimum() {
    const int minimum = MinimumWidth();
    if (FWidth < minimum)
        SetBounds(minimum, FHeight);
}

void TCustomEAN::SetBackgroundColor(TColor value) {
    setDrawing(FBackgroundColor, value);
}
void TCustomEAN::SetTransparent(bool value) {
    setDrawing(FTransparent, value);
}
void TCustomEAN::SetShowLabels(bool value) {
    setDrawing(FShowLabels, value);
}
void TCustomEAN::SetStartStopLines(bool value) {
    setDrawing(FStartStopLines, value);
}
void TCustomEAN::SetLinesColor(TColor value) {
    setDrawing(FLinesColor, value);
}
void TCustomEAN::SetEan13AddUp(bool value) {
    setDrawing(FEan13AddUp, value);
}
void TCustomEAN::SetFontAutoSize(bool value) {
    setDrawing(FFontAutoSize, value);
}
void TCustomEAN::SetSecurity(bool value) {
    setDrawing(FSecurity, value);
}
void TCustomEAN::SetFont(const TBarcodeFont& value) {
    setDrawing(FFont, value);
}
void TCustomEAN::SetLabelMask(std::string value) {
    setDrawing(FLabelMask, value);
}
void TCustomEAN::SetAutoCheckDigit(bool value) {
    setDrawing(FAutoCheckDigit, value);
}
void TCustomEAN::SetMatrixOptions(const TMatrixOptions& value) {
    setDrawing(FMatrixOptions, value);
}

void TCustomEAN::SetTypBarCode(TTypBarCode value) {
    if (value == FTypBarCode)
        return;
    // Between the linear and the two-dimensional family the text line starts as the family
    // has it: under the bars, none under a matrix unless asked for.
    if (IsMatrixType(value) != IsMatrixType(FTypBarCode))
        FShowLabels = !IsMatrixType(value);
    FTypBarCode = value;
    const TBarCodeInfo info = GetBarCodeInfo(value);
    SetBarCode(info.Sample);
    FCaption.SetAutoCaption(info.AutoCaption);
    widenToMinimum(); // whatever AutoSize says
    if (OnChangeTypCode)
        OnChangeTypCode(*this);
    Repaint();
}

void TCustomEAN::SetBarCode(std::string_view value) {
    if (value == FBarCode)
        return;
    FBarCode = NormalizeBarCodeText(value, FTypBarCode);
    FCaption.RefreshAutoCaption();
    Repaint();
    if (OnChangeBarCode)
        OnChangeBarCode(*this);
}

void TCustomEAN::SetAngle(int value) {
    // Truncating division and remainder, as the stored templates expect: -90 stays -90.
    setDrawing(FAngle, (value / 90) * 90 % 360);
}

void TCustomEAN::SetAutoSize(bool value) {
    setDrawing(FAutoSize, value);
    if (value)
        widenToMinimum();
}

bool TCustomEAN::CheckBarCode(std::string_view text) {
    TBarCodeCheck result = CheckBarCodeText(text, FTypBarCode, FMatrixOptions);
    FLastPaintError = result.Error;
    FErrorPos = result.ErrorPos;
    FErrorChar = result.ErrorChar;
    FErrorDetail = std::move(result.Detail);
    return result.Ok;
}

BarcodeEncoding TCustomEAN::BuildPattern(std::string_view text) {
    TBarCodeCheck result;
    BarcodeEncoding encoding = EncodeBarCodeText(
        text, FTypBarCode, EncoderOptions{FShowLabels, FAutoCheckDigit, FMatrixOptions}, &result);
    FLastPaintError = result.Error;
    FErrorPos = result.ErrorPos;
    FErrorChar = result.ErrorChar;
    FErrorDetail = std::move(result.Detail);
    return encoding;
}

int TCustomEAN::MinimumWidth() {
    const BarcodeEncoding encoding = BuildPattern(FBarCode);
    if (IsMatrixType(FTypBarCode))
        return encoding.Matrix.Empty() ? 1 : encoding.Matrix.TotalColumns();
    return static_cast<int>(encoding.BarPattern.size()) + 1;
}

int TCustomEAN::MinimumHeight() {
    if (!IsMatrixType(FTypBarCode))
        return 0;
    const BarcodeEncoding encoding = BuildPattern(FBarCode);
    return encoding.Matrix.Empty() ? 0 : encoding.Matrix.TotalRows();
}

int DefaultCounterEnd(std::string_view text, TTypBarCode type) {
    using T = TTypBarCode;
    const int length = static_cast<int>(text.size());
    // The main part ends before the blank that separates an add-on.
    const size_t blank = text.find(' ');
    const int main = blank == std::string_view::npos ? length : static_cast<int>(blank);
    // Data characters before the computed check digit.
    switch (type) {
    case T::bcEan8:
    case T::bcJAN8:
        return std::min(main, 7);
    case T::bcEan13:
    case T::bcJAN13:
        return std::min(main, 12);
    case T::bcUPCA:
        return std::min(main, 11);
    case T::bcUPCE0:
    case T::bcUPCE1:
        return std::min(main, 7);
    case T::bcUPCShipping:
        return std::min(main, 13);
    case T::bcOPC:
        return std::min(main, 9);
    case T::bcPZN:
        return std::min(main, 6);
    case T::bcITF:
        return std::max(0, main - 1);
    case T::bcISBN:
    case T::bcISSN:
    case T::bcISMN: {
        // The check character is the tenth that is not a dash: the field ends at the ninth.
        int digits = 0;
        for (int i = 0; i < main; ++i)
            if (text[static_cast<size_t>(i)] != '-' && ++digits == 9)
                return i + 1;
        return main;
    }
    default:
        return length;
    }
}

void TCustomEAN::NextBarCode() {
    const std::string_view set = SetOfChars();
    if (set.empty())
        return;
    std::string text = FBarCode;
    const int length = static_cast<int>(text.size());
    const int from = FAutoIncFrom > 0 ? FAutoIncFrom : 1;
    int to = FAutoIncTo;
    if (to <= 0)
        to = DefaultCounterEnd(text, FTypBarCode);
    to = std::min(to, length);
    for (int pos = to; pos >= from; --pos) {
        char& c = text[static_cast<size_t>(pos) - 1];
        if (c == set.back()) {
            c = set.front(); // carry on to the left
            continue;
        }
        const size_t at = set.find(c);
        if (at != std::string_view::npos)
            c = set[at + 1];
        break; // a character outside the set stays and stops the carry
    }
    // The check digit left behind is recomputed on assignment; an add-on stays as it was.
    if (CheckBarCode(text))
        SetBarCode(text);
}

void TCustomEAN::ListTypes(std::vector<std::string>& list, bool byName) {
    list.clear();
    list.reserve(kBarCodeTypeCount);
    for (int i = 0; i < kBarCodeTypeCount; ++i) {
        const auto type = static_cast<TTypBarCode>(i);
        list.push_back(byName ? GetBarCodeInfo(type).Name : std::string(BarCodeTypeIdent(type)));
    }
}

std::string TCustomEAN::ReadableCharSet() const {
    const std::string_view set = SetOfChars();
    std::string out;
    out.reserve(set.size() * 3);
    for (char c : set) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32) {
            out += '^';
            out += static_cast<char>(code + 65);
        } else {
            out += c;
        }
        out += ' ';
    }
    return out;
}

void TCustomEAN::Assign(const TCustomEAN& source) {
    if (&source == this)
        return;
    FAutoInc = source.FAutoInc;
    FAutoIncFrom = source.FAutoIncFrom;
    FAutoIncTo = source.FAutoIncTo;
    FBackgroundColor = source.FBackgroundColor;
    FTransparent = source.FTransparent;
    FShowLabels = source.FShowLabels;
    FStartStopLines = source.FStartStopLines;
    FTypBarCode = source.FTypBarCode;
    FLinesColor = source.FLinesColor;
    FEan13AddUp = source.FEan13AddUp;
    FFontAutoSize = source.FFontAutoSize;
    FSecurity = source.FSecurity;
    OnPaint = source.OnPaint;
    OnChangeTypCode = source.OnChangeTypCode;
    OnChangeBarCode = source.OnChangeBarCode;
    FBarCode = source.FBarCode;
    FLabelMask = source.FLabelMask;
    FFirstBarCode = source.FFirstBarCode;
    FAngle = source.FAngle;
    FCaption.Assign(source.FCaption);
    FCaptionBottom.Assign(source.FCaptionBottom);
    FAutoSize = source.FAutoSize;
    FDisableEditor = source.FDisableEditor;
    FHorzLines.Assign(source.FHorzLines);
    // AutoCheckDigit travels too: without it the copy would encode a different symbol.
    FAutoCheckDigit = source.FAutoCheckDigit;
    FMatrixOptions = source.FMatrixOptions;
    Repaint();
}

void TCustomEAN::SetPaintResult(TLastPaintError error, std::string lastPattern) {
    FLastPaintError = error;
    FLastPattern = std::move(lastPattern);
}

void TCustomEAN::DoPaint(const TRect& r) {
    if (OnPaint)
        OnPaint(*this, r, FBarCode);
}

} // namespace etikor
