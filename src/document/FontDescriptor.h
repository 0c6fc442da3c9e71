#pragma once

// Fonts of text elements and of the human-readable barcode value, and their one-line form in
// the template ("Arial,8,,0,clWindowText,1": face, size, style letters, pitch, colour,
// character set). The core keeps a plain font value; windows and printing convert it to
// QFont/QColor at the point where they draw.

#include "data/Color.h"
#include "data/ColorQt.h"

#include <QFont>

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace etikor {

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
// Face, size, styles and pitch; the colour is drawn separately (ToQColor).
QFont ToQFont(const TFont& font);
// The font dialog's answer applied to a document font: face, size, styles, pitch; character
// set and colour stay as they were.
void AssignQFont(const QFont& source, TFont& font);

} // namespace etikor
