#include "barcode/ValueCheck.h"

#include "barcode/BarcodeEngine.h"
#include "data/Cp1250Text.h"

#include <QCoreApplication>
#include <array>
#include <string>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TBarCodeValueText {
    Q_DECLARE_TR_FUNCTIONS(TBarCodeValueText)
};

using T = TTypBarCode;

constexpr std::array<const char*, kBarCodeTypeCount> kDisplayNames = {
    "EAN-8",
    "EAN-13",
    "Codabar",
    "Code 39",
    "Code 39 Extended",
    "Code 93",
    "Code 93 Extended",
    "Code 128",
    "ABC Codabar",
    "2/5 Datalogic",
    "2/5 Interleaved",
    "2/5 Matrix",
    "2/5 Industrial",
    "2/5 IATA",
    "2/5 Invert",
    "ITF",
    "ISBN",
    "ISSN",
    "ISMN",
    "UPC-A",
    "UPC-E0",
    "UPC-E1",
    "UPC Shipping",
    "JAN-8",
    "JAN-13",
    "MSI/Plessey",
    "PostNet",
    "OPC",
    "UCC/EAN-128",
    "2/5 Coop",
    "Code 11",
    "PZN",
    "QR Code",
    "Data Matrix",
    "PDF417",
    "Aztec",
};

bool IsbnFamily(T type) {
    return type == T::bcISBN || type == T::bcISSN || type == T::bcISMN;
}

bool TakesAddOn(T type) {
    switch (type) {
    case T::bcEan8:
    case T::bcEan13:
    case T::bcJAN8:
    case T::bcJAN13:
    case T::bcUPCA:
    case T::bcUPCE0:
    case T::bcUPCE1:
    case T::bcISBN:
    case T::bcISSN:
    case T::bcISMN:
        return true;
    default:
        return false;
    }
}

// The length of the main symbol with its check character, for the add-on family.
size_t FullLength(T type) {
    switch (type) {
    case T::bcEan13:
    case T::bcJAN13:
    case T::bcISBN:
    case T::bcISSN:
    case T::bcISMN:
        return 13;
    case T::bcUPCA:
        return 12;
    default:
        return 8;
    }
}

// The length rule of the symbologies that have one; empty for the others.
QString LengthRule(T type) {
    switch (type) {
    case T::bcEan8:
    case T::bcJAN8:
        return TBarCodeValueText::tr("7 számjegy kell, ellenőrző számjeggyel 8");
    case T::bcEan13:
    case T::bcJAN13:
        return TBarCodeValueText::tr("12 számjegy kell, ellenőrző számjeggyel 13");
    case T::bcUPCA:
        return TBarCodeValueText::tr("11 számjegy kell, ellenőrző számjeggyel 12");
    case T::bcUPCE0:
    case T::bcUPCE1:
        return TBarCodeValueText::tr("6 vagy 7 számjegy kell, ellenőrző számjeggyel 8");
    case T::bcISBN:
    case T::bcISSN:
    case T::bcISMN:
        return TBarCodeValueText::tr("9 számjegy kell (kötőjelekkel tagolva is), ellenőrző karakterrel 10");
    case T::bcITF:
        return TBarCodeValueText::tr("5, 13 vagy 15 számjegy kell, ellenőrző számjeggyel 6, 14 vagy 16");
    case T::bcUPCShipping:
        return TBarCodeValueText::tr("13 számjegy kell, ellenőrző számjeggyel 14");
    case T::bcOPC:
        return TBarCodeValueText::tr("9 számjegy kell, ellenőrző számjeggyel 10");
    case T::bcPZN:
        return TBarCodeValueText::tr("6 számjegy kell, ellenőrző számjeggyel 7");
    case T::bcMSIPlessey:
        return TBarCodeValueText::tr("legfeljebb 13 karakter lehet");
    case T::bcPostNet:
        return TBarCodeValueText::tr("5, 9 vagy 11 számjegy kell");
    default:
        return {};
    }
}

// The characters a symbology accepts, in words.
QString AllowedCharacters(T type) {
    switch (type) {
    case T::bcCodabar:
        return TBarCodeValueText::tr("számjegyek, a - $ : / . + jelek és A, B, C, D lehetnek");
    case T::bcABCCodabar:
        return TBarCodeValueText::tr("számjegyek, a - $ : / . + jelek, szóköz és A, B, C, D lehetnek");
    case T::bcCode39Standard:
        return TBarCodeValueText::tr(
            "számjegyek, nagybetűk (A–Z, ékezet nélkül), szóköz és a - . $ / + % jelek "
            "lehetnek");
    case T::bcCode93Standard:
        return TBarCodeValueText::tr(
            "számjegyek, nagybetűk (A–Z, ékezet nélkül), szóköz és a - . $ / + % & \" ( ) "
            "jelek lehetnek");
    case T::bcCode39Full:
    case T::bcCode93Full:
        return TBarCodeValueText::tr("ékezet nélküli betűk, számjegyek, szóköz és írásjelek lehetnek");
    case T::bcCode128:
        return TBarCodeValueText::tr("ékezetes betű nem lehet");
    case T::bcEan128:
        return TBarCodeValueText::tr("ékezet nélküli betűk, számjegyek, szóköz, írásjelek és š č ť ž ý á í é "
                                     "lehetnek");
    case T::bcMSIPlessey:
        return TBarCodeValueText::tr("számjegyek és A–F lehetnek");
    case T::bcCode11:
        return TBarCodeValueText::tr("számjegyek és a - jel lehetnek");
    case T::bcISBN:
    case T::bcISSN:
    case T::bcISMN:
        return TBarCodeValueText::tr("számjegyek és kötőjelek lehetnek");
    default:
        return TBarCodeValueText::tr("csak számjegyek lehetnek");
    }
}

QString Shown(char c) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32)
        return QStringLiteral("#%1").arg(code);
    return FromCp1250(std::string_view(&c, 1));
}

// 1-based position of the check digit in a typed value long enough to carry one; 0 when the
// symbology has no check digit the engine would compute, or the value does not reach it.
size_t CheckDigitPosition(T type, size_t length) {
    size_t pos = 0;
    switch (type) {
    case T::bcEan8:
    case T::bcJAN8:
    case T::bcUPCE0:
    case T::bcUPCE1:
        pos = 8;
        break;
    case T::bcEan13:
    case T::bcJAN13:
        pos = 13;
        break;
    case T::bcUPCA:
        pos = 12;
        break;
    case T::bcUPCShipping:
        pos = 14;
        break;
    case T::bcOPC:
        pos = 10;
        break;
    case T::bcPZN:
        pos = 7;
        break;
    case T::bcITF:
        pos = length;
        break;
    default:
        return 0;
    }
    return pos <= length ? pos : 0;
}

} // namespace

QString BarCodeDisplayName(TTypBarCode type) {
    const auto index = static_cast<size_t>(type);
    return QString::fromLatin1(index < kDisplayNames.size() ? kDisplayNames[index] : "?");
}

QString BarCodeValueProblem(TTypBarCode type, const EncoderOptions& options, std::string_view value) {
    const QString name = BarCodeDisplayName(type);
    if (value.find_first_not_of(' ') == std::string_view::npos)
        return TBarCodeValueText::tr("%1: nincs megadva érték").arg(name);

    // Checked as the barcode object holds it: with the check digits the engine writes itself.
    const std::string normalized = NormalizeBarCodeText(value, type);
    const TBarCodeCheck check = CheckBarCodeText(normalized, type, options.Matrix);
    if (!check.Ok) {
        const QString detail = QString::fromStdString(check.Detail);
        switch (check.Error) {
        case TLastPaintError::erEmptyCode:
            return TBarCodeValueText::tr("%1: nincs megadva érték").arg(name);
        case TLastPaintError::erBarcodeLengthInvalid: {
            const QString rule = LengthRule(type);
            if (rule.isEmpty())
                break;
            QString message = name + QStringLiteral(": ") + rule;
            if (TakesAddOn(type) &&
                (value.find(' ') != std::string_view::npos || value.size() > FullLength(type)))
                message += TBarCodeValueText::tr("; kiegészítővel ezután szóköz és 2 vagy 5 számjegy");
            return message;
        }
        case TLastPaintError::erCountCharMustBeEven:
            return TBarCodeValueText::tr("%1: páros számú számjegy kell").arg(name);
        case TLastPaintError::erFirstCharMustBeZero:
            return TBarCodeValueText::tr("%1: az első számjegy csak 0 lehet").arg(name);
        case TLastPaintError::erCharMustBeSpace:
            return TBarCodeValueText::tr("%1: a kiegészítő előtt, a %2. helyen szóköz kell")
                .arg(name)
                .arg(check.ErrorPos);
        case TLastPaintError::erCharOutOfSet: {
            const char c = check.ErrorChar;
            if (type == T::bcABCCodabar && c != 0 &&
                (check.ErrorPos == 1 || static_cast<size_t>(check.ErrorPos) == normalized.size()))
                return TBarCodeValueText::tr("%1: az első és az utolsó karakter A, B, C vagy D kell legyen")
                    .arg(name);
            if (c == 0 || IsMatrixType(type))
                break;
            if (IsbnFamily(type))
                return TBarCodeValueText::tr("%1: „%2” nem megengedett karakter; %3")
                    .arg(name, Shown(c), AllowedCharacters(type));
            return TBarCodeValueText::tr("%1: „%2” nem megengedett karakter (%3. hely); %4")
                .arg(name, Shown(c), QString::number(check.ErrorPos), AllowedCharacters(type));
        }
        case TLastPaintError::erInvalidGs1:
            return TBarCodeValueText::tr("%1: hibás GS1 adat (%2)").arg(name, detail);
        default:
            break;
        }
        if (!detail.isEmpty())
            return TBarCodeValueText::tr("%1: az érték nem kódolható (%2)").arg(name, detail);
        return TBarCodeValueText::tr("%1: az érték nem kódolható").arg(name);
    }

    // A typed check digit counts only when the engine does not compute it.
    if (!options.AutoCheckDigit && normalized.size() == value.size()) {
        const size_t pos = CheckDigitPosition(type, value.size());
        if (pos > 0 && value[pos - 1] != ' ' && value[pos - 1] != normalized[pos - 1])
            return TBarCodeValueText::tr("%1: hibás ellenőrző számjegy (%2), helyesen %3")
                .arg(name, Shown(value[pos - 1]), Shown(normalized[pos - 1]));
    }
    return {};
}

} // namespace etikor
