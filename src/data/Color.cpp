#include "data/Color.h"

#include "data/Cp1250.h"
#include "data/FormatSettings.h"

#include <array>
#include <cstdio>

namespace etikor {

namespace {

struct ColorName {
    std::string_view Ident;
    TColor Value;
};

// One table for both directions.
constexpr std::array<ColorName, 42> kColorNames{{
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clNone", clNone},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
}};

std::optional<TColor> ParseHex(std::string_view digits) {
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    TColor value = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else
            return std::nullopt;
        value = value << 4 | static_cast<TColor>(d);
    }
    return value;
}

} // namespace

std::string_view ColorIdent(TColor color) {
    for (const auto& c : kColorNames)
        if (c.Value == color)
            return c.Ident;
    return {};
}

std::optional<TColor> IdentToColor(std::string_view ident) {
    for (const auto& c : kColorNames)
        if (Cp1250SameText(c.Ident, ident))
            return c.Value;
    return std::nullopt;
}

std::string ColorToString(TColor color) {
    if (auto ident = ColorIdent(color); !ident.empty())
        return std::string(ident);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%08X", static_cast<unsigned>(color));
    return buffer;
}

std::optional<TColor> StringToColor(std::string_view text) {
    if (auto value = IdentToColor(text))
        return value;
    if (!text.empty() && text.front() == '$')
        return ParseHex(text.substr(1));
    int32_t number;
    if (TryStrToInt(text, number))
        return static_cast<TColor>(number); // negative numbers are system colours
    return std::nullopt;
}

} // namespace etikor
