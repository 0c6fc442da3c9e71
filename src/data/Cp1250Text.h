#pragma once

// Windows-1250 bytes where they meet Qt: window texts, file dialogs, fonts, drawing. The one
// pair of conversions every Qt-side file uses, over the code page table of Cp1250.h. Header
// only, so this folder's library itself stays free of Qt; the table store never includes it.

#include "data/Cp1250.h"

#include <QString>

#include <string>
#include <string_view>

namespace etikor {

inline QString FromCp1250(std::string_view cp1250) {
    QString text;
    text.reserve(static_cast<qsizetype>(cp1250.size()));
    for (const char byte : cp1250)
        text.append(QChar(static_cast<char16_t>(Cp1250ToUnicode(static_cast<unsigned char>(byte)))));
    return text;
}

// Characters the code page cannot hold become '?'.
inline std::string ToCp1250(const QString& text) {
    return Utf8ToCp1250(text.toStdString());
}

} // namespace etikor
