#pragma once

// Fonts of text elements and of the human-readable barcode value, and their one-line form in
// the template ("Arial,8,,0,clWindowText,1": face, size, style letters, pitch, colour,
// character set). The core keeps a plain font value; windows and printing convert it to
// QFont/QColor at the point where they draw.

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace etikor {

// A colour as stored: 00BBGGRR, or 0x80000000 + n for the desktop colour of system role n.
using TColor = uint32_t;

inline constexpr TColor clBlack = 0x00000000, clMaroon = 0x00000080, clGreen = 0x00008000,
                        clOlive = 0x00008080, clNavy = 0x00800000, clPurple = 0x00800080, clTeal = 0x00808000,
                        clGray = 0x00808080, clSilver = 0x00C0C0C0, clRed = 0x000000FF, clLime = 0x0000FF00,
                        clYellow = 0x0000FFFF, clBlue = 0x00FF0000, clFuchsia = 0x00FF00FF,
                        clAqua = 0x00FFFF00, clWhite = 0x00FFFFFF, clNone = 0x1FFFFFFF;
inline constexpr TColor kSystemColor = 0x80000000;
inline constexpr TColor clScrollBar = kSystemColor + 0, clBackground = kSystemColor + 1,
                        clActiveCaption = kSystemColor + 2, clInactiveCaption = kSystemColor + 3,
                        clMenu = kSystemColor + 4, clWindow = kSystemColor + 5,
                        clWindowFrame = kSystemColor + 6, clMenuText = kSystemColor + 7,
                        clWindowText = kSystemColor + 8, clCaptionText = kSystemColor + 9,
                        clActiveBorder = kSystemColor + 10, clInactiveBorder = kSystemColor + 11,
                        clAppWorkSpace = kSystemColor + 12, clHighlight = kSystemColor + 13,
                        clHighlightText = kSystemColor + 14, clBtnFace = kSystemColor + 15,
                        clBtnShadow = kSystemColor + 16, clGrayText = kSystemColor + 17,
                        clBtnText = kSystemColor + 18, clInactiveCaptionText = kSystemColor + 19,
                        clBtnHighlight = kSystemColor + 20, cl3DDkShadow = kSystemColor + 21,
                        cl3DLight = kSystemColor + 22, clInfoText = kSystemColor + 23,
                        clInfoBk = kSystemColor + 24;

// The identifier of a colour that has one ("clRed"), otherwise empty.
std::string_view ColorIdent(TColor color);
// The value of an identifier, compared without regard to case.
std::optional<TColor> IdentToColor(std::string_view ident);
// The identifier, or "$" and eight upper-case hexadecimal digits.
std::string ColorToString(TColor color);
// An identifier, a decimal integer or "$" hexadecimal; nullopt for anything else.
std::optional<TColor> StringToColor(std::string_view text);

// The style set.
enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;

enum TFontPitch : uint8_t { fpDefault = 0, fpVariable = 1, fpFixed = 2 };

inline constexpr int kAnsiCharset = 0, kDefaultCharset = 1, kEastEuropeCharset = 238;

// The failure of applying a descriptor whose colour field is not a colour.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A font as the document holds it. Every property change sends OnChange, so a control that
// owns the font can repaint.
class TFont {
public:
    using TNotifyEvent = std::function<void(TFont&)>;

    const std::string& Name() const { return FName; } // Windows-1250 bytes
    void SetName(std::string name);
    int Size() const { return FSize; } // points
    void SetSize(int size);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch pitch);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    int Charset() const { return FCharset; } // 0..255
    void SetCharset(int charset);

    TNotifyEvent OnChange;

    bool operator==(const TFont& other) const {
        return FName == other.FName && FSize == other.FSize && FStyle == other.FStyle &&
               FPitch == other.FPitch && FColor == other.FColor && FCharset == other.FCharset;
    }

private:
    void Changed();

    // A newly created control's font.
    std::string FName = "MS Sans Serif";
    int FSize = 8;
    TFontStyles FStyle = 0;
    TFontPitch FPitch = fpDefault;
    TColor FColor = clWindowText;
    int FCharset = kDefaultCharset;
};

// The descriptor of new text and barcode elements.
inline constexpr std::string_view kDefaultFontDescriptor = "Arial,8,,0,clWindowText,1";

// "%s,%d,%s,%d,%s,%d": face, size, style letters (BIUS), pitch, colour, character set.
std::string FontToDescriptor(const TFont& font);

// Applies a descriptor to `font` in place; fields that are missing or unreadable leave their
// property as it was. An unreadable colour raises EConvertError after the fields before it have
// been applied. The font's OnChange fires exactly once, also when applying fails.
void ApplyFontDescriptor(std::string_view descriptor, TFont& font);

// ---- where windows draw ----
// System colours become the matching role of `palette` (the desktop's colours by default);
// clNone is transparent.
QColor ToQColor(TColor color, const QPalette& palette = QGuiApplication::palette());
// An opaque colour as 00BBGGRR.
TColor FromQColor(const QColor& color);
// Face, size, styles and pitch; the colour is drawn separately (ToQColor).
QFont ToQFont(const TFont& font);
// The font dialog's answer applied to a document font: face, size, styles, pitch; character
// set and colour stay as they were.
void AssignQFont(const QFont& source, TFont& font);

} // namespace etikor
