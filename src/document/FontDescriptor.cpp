#include "document/FontDescriptor.h"

#include "data/Cp1250Text.h"
#include "data/FormatSettings.h"
#include "data/ScopeGuard.h"
#include "document/TrimText.h"

#include <array>
#include <cstdio>

namespace etikor {

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
    const TScopeGuard finished(finish);
    size_t pos = 0;
    int index = 0;
    while (pos < descriptor.size()) {
        size_t end = descriptor.find_first_of(",;", pos);
        if (end == std::string_view::npos)
            end = descriptor.size();
        ApplyField(index++, TrimText(descriptor.substr(pos, end - pos)), font);
        pos = end + 1;
    }
}

// ---- Qt conversions -----------------------------------------------------------------------

QFont ToQFont(const TFont& font) {
    QFont out(FromCp1250(font.Name()));
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
    font.SetName(ToCp1250(source.family()));
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
