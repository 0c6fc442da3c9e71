#include "document/FontDescriptor.h"

#include "data/Cp1250.h"
#include "data/FormatSettings.h"
#include "document/TrimText.h"

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

// ---- TFont ------------------------------------------------------------------------------

void TFont::Changed() {
    if (OnChange)
        OnChange(*this);
}

void TFont::SetName(std::string name) {
    if (name != FName) {
        FName = std::move(name);
        Changed();
    }
}

void TFont::SetSize(int size) {
    if (size != FSize) {
        FSize = size;
        Changed();
    }
}

void TFont::SetStyle(TFontStyles style) {
    if (style != FStyle) {
        FStyle = style;
        Changed();
    }
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch != FPitch) {
        FPitch = pitch;
        Changed();
    }
}

void TFont::SetColor(TColor color) {
    if (color != FColor) {
        FColor = color;
        Changed();
    }
}

void TFont::SetCharset(int charset) {
    if (charset != FCharset) {
        FCharset = charset;
        Changed();
    }
}

// ---- descriptor -------------------------------------------------------------------------

std::string FontToDescriptor(const TFont& font) {
    std::string style;
    if (font.Style() & fsBold)
        style += 'B';
    if (font.Style() & fsItalic)
        style += 'I';
    if (font.Style() & fsUnderline)
        style += 'U';
    if (font.Style() & fsStrikeOut)
        style += 'S';
    std::string out = font.Name();
    out += ',' + std::to_string(font.Size()) + ',' + style + ',' +
           std::to_string(static_cast<int>(font.Pitch())) + ',' + ColorToString(font.Color()) + ',' +
           std::to_string(font.Charset());
    return out;
}

namespace {

void ApplyField(int index, std::string_view field, TFont& font) {
    int32_t number;
    switch (index) {
    case 0:
        font.SetName(std::string(field));
        break;
    case 1:
        if (TryStrToInt(field, number))
            font.SetSize(number);
        break;
    case 2: {
        TFontStyles style = 0;
        for (char c : field) {
            switch (c) {
            case 'B':
            case 'b':
                style |= fsBold;
                break;
            case 'I':
            case 'i':
                style |= fsItalic;
                break;
            case 'U':
            case 'u':
                style |= fsUnderline;
                break;
            case 'S':
            case 's':
                style |= fsStrikeOut;
                break;
            default:
                break;
            }
        }
        font.SetStyle(style);
        break;
    }
    case 3:
        // Only the three pitches exist; another number is as unreadable as a word.
        if (TryStrToInt(field, number) && number >= fpDefault && number <= fpFixed)
            font.SetPitch(static_cast<TFontPitch>(number));
        break;
    case 4:
        if (auto color = StringToColor(field))
            font.SetColor(*color);
        else
            throw EConvertError("'" + std::string(field) + "' is not a valid integer value");
        break;
    case 5:
        // A character set is one byte.
        if (TryStrToInt(field, number) && number >= 0 && number <= 255)
            font.SetCharset(number);
        break;
    default:
        break;
    }
}

} // namespace

void ApplyFontDescriptor(std::string_view descriptor, TFont& font) {
    TFont::TNotifyEvent saved = std::move(font.OnChange);
    font.OnChange = nullptr;
    auto finish = [&] {
        font.OnChange = std::move(saved);
        if (font.OnChange)
            font.OnChange(font);
    };
    try {
        size_t pos = 0;
        int index = 0;
        while (pos < descriptor.size()) {
            size_t end = descriptor.find_first_of(",;", pos);
            if (end == std::string_view::npos)
                end = descriptor.size();
            ApplyField(index++, TrimText(descriptor.substr(pos, end - pos)), font);
            pos = end + 1;
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

// ---- Qt conversions -----------------------------------------------------------------------

QColor ToQColor(TColor color, const QPalette& palette) {
    if (color == clNone)
        return QColor(Qt::transparent);
    if (color & kSystemColor) {
        using R = QPalette::ColorRole;
        struct Role {
            QPalette::ColorGroup Group;
            R Role;
        };
        // The desktop role that plays the part of each system colour.
        static const Role roles[25] = {
            {QPalette::Active, R::Button},            // clScrollBar
            {QPalette::Active, R::Window},            // clBackground
            {QPalette::Active, R::Highlight},         // clActiveCaption
            {QPalette::Inactive, R::Highlight},       // clInactiveCaption
            {QPalette::Active, R::Window},            // clMenu
            {QPalette::Active, R::Base},              // clWindow
            {QPalette::Active, R::Shadow},            // clWindowFrame
            {QPalette::Active, R::WindowText},        // clMenuText
            {QPalette::Active, R::Text},              // clWindowText
            {QPalette::Active, R::HighlightedText},   // clCaptionText
            {QPalette::Active, R::Window},            // clActiveBorder
            {QPalette::Inactive, R::Window},          // clInactiveBorder
            {QPalette::Active, R::Dark},              // clAppWorkSpace
            {QPalette::Active, R::Highlight},         // clHighlight
            {QPalette::Active, R::HighlightedText},   // clHighlightText
            {QPalette::Active, R::Button},            // clBtnFace
            {QPalette::Active, R::Dark},              // clBtnShadow
            {QPalette::Disabled, R::Text},            // clGrayText
            {QPalette::Active, R::ButtonText},        // clBtnText
            {QPalette::Inactive, R::HighlightedText}, // clInactiveCaptionText
            {QPalette::Active, R::Light},             // clBtnHighlight
            {QPalette::Active, R::Shadow},            // cl3DDkShadow
            {QPalette::Active, R::Midlight},          // cl3DLight
            {QPalette::Active, R::ToolTipText},       // clInfoText
            {QPalette::Active, R::ToolTipBase},       // clInfoBk
        };
        const TColor n = color & 0xFF;
        if (n < 25)
            return palette.color(roles[n].Group, roles[n].Role);
        return palette.color(QPalette::Active, R::Text);
    }
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>(color >> 8 & 0xFF),
                  static_cast<int>(color >> 16 & 0xFF));
}

TColor FromQColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<TColor>(rgb.red()) | static_cast<TColor>(rgb.green()) << 8 |
           static_cast<TColor>(rgb.blue()) << 16;
}

QFont ToQFont(const TFont& font) {
    QFont out(QString::fromStdString(Cp1250ToUtf8(font.Name())));
    if (font.Size() > 0)
        out.setPointSize(font.Size());
    else if (font.Size() < 0)
        out.setPixelSize(-font.Size()); // a negative size is a character height in pixels
    out.setBold(font.Style() & fsBold);
    out.setItalic(font.Style() & fsItalic);
    out.setUnderline(font.Style() & fsUnderline);
    out.setStrikeOut(font.Style() & fsStrikeOut);
    if (font.Pitch() == fpFixed) {
        out.setFixedPitch(true);
        out.setStyleHint(QFont::TypeWriter);
    }
    return out;
}

void AssignQFont(const QFont& source, TFont& font) {
    font.SetName(Utf8ToCp1250(source.family().toStdString()));
    if (source.pointSize() > 0)
        font.SetSize(source.pointSize());
    else if (source.pointSizeF() > 0)
        font.SetSize(static_cast<int>(source.pointSizeF() + 0.5));
    TFontStyles style = 0;
    if (source.bold())
        style |= fsBold;
    if (source.italic())
        style |= fsItalic;
    if (source.underline())
        style |= fsUnderline;
    if (source.strikeOut())
        style |= fsStrikeOut;
    font.SetStyle(style);
    if (source.fixedPitch())
        font.SetPitch(fpFixed);
    else if (font.Pitch() == fpFixed)
        font.SetPitch(fpDefault);
}

} // namespace etikor
