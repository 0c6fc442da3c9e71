#pragma once

// The program's one colour type, as templates store it and the barcode engine takes it:
// 00BBGGRR, or 0x80000000 + n for the desktop colour of system role n; clNone is no colour
// (transparent). Names and their text form ("clRed", "$00123456") for the font descriptor.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace etikor {

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

// The plain colour of red, green and blue (0 to 255 each).
constexpr TColor RgbColor(int red, int green, int blue) {
    return static_cast<TColor>(red & 0xFF) | static_cast<TColor>(green & 0xFF) << 8 |
           static_cast<TColor>(blue & 0xFF) << 16;
}

// The identifier of a colour that has one ("clRed"), otherwise empty.
std::string_view ColorIdent(TColor color);
// The value of an identifier, compared without regard to case.
std::optional<TColor> IdentToColor(std::string_view ident);
// The identifier, or "$" and eight upper-case hexadecimal digits.
std::string ColorToString(TColor color);
// An identifier, a decimal integer or "$" hexadecimal; nullopt for anything else.
std::optional<TColor> StringToColor(std::string_view text);

} // namespace etikor
