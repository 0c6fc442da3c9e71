#include "services/LocaleCollation.h"

#include "data/Cp1250.h"

#include <QCollator>
#include <QString>

#include <memory>

namespace etikor {

namespace {

QString fromCp1250(std::string_view text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (unsigned char byte : text)
        result.append(QChar(static_cast<char16_t>(Cp1250ToUnicode(byte))));
    return result;
}

} // namespace

TTextCollation LocaleCollation(const QLocale& locale) {
    auto collator = std::make_shared<QCollator>(locale);
    collator->setCaseSensitivity(Qt::CaseInsensitive);
    collator->setNumericMode(false);
    collator->setIgnorePunctuation(false);
    return [collator](std::string_view a, std::string_view b) {
        return collator->compare(fromCp1250(a), fromCp1250(b));
    };
}

void InstallSystemCollation() {
    // Qt's collator compares by code under the C locale: the fixed order is nearer to a user's.
    const QLocale system = QLocale::system();
    SetTextCollation(system.language() == QLocale::C ? TTextCollation() : LocaleCollation(system));
}

} // namespace etikor
