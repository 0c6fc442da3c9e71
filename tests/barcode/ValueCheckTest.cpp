// The explanation shown where a barcode value is typed: one row per rule and symbology family,
// with the exact Hungarian sentence the user reads.

#include "barcode/ValueCheck.h"
#include "barcode/BarcodeEngine.h"

#include <gtest/gtest.h>

namespace etikor::test {
namespace {

using T = TTypBarCode;

struct Case {
    T type;
    std::string value; // Windows-1250
    bool autoCheckDigit;
    const char* expected; // UTF-8; empty when the value is fine
};

EncoderOptions Options(bool autoCheckDigit) {
    EncoderOptions options;
    options.AutoCheckDigit = autoCheckDigit;
    return options;
}

TEST(BarCodeValueProblem, NamesTheRuleTheValueBreaks) {
    const Case cases[] = {
        // Empty, for every kind of symbology.
        {T::bcEan13, "", true, "EAN-13: nincs megadva érték"},
        {T::bcCode128, "   ", true, "Code 128: nincs megadva érték"},
        {T::bcQRCode, "", true, "QR Code: nincs megadva érték"},
        // EAN/UPC family: lengths, characters, the add-on blank, UPC-E's leading zero.
        {T::bcEan13, "ABC-xy", true, "EAN-13: 12 számjegy kell, ellenőrző számjeggyel 13"},
        {T::bcEan13, "12345678901", true, "EAN-13: 12 számjegy kell, ellenőrző számjeggyel 13"},
        {T::bcEan13, "123456789012345", true,
         "EAN-13: 12 számjegy kell, ellenőrző számjeggyel 13; kiegészítővel ezután szóköz és 2 vagy 5 "
         "számjegy"},
        {T::bcEan13, "12345678901A", true,
         "EAN-13: „A” nem megengedett karakter (12. hely); csak számjegyek lehetnek"},
        {T::bcEan13, "123456789012", true, ""},
        {T::bcEan13, "4006381333931 12", true, ""},
        {T::bcEan13, "4006381333931x12", true, "EAN-13: a kiegészítő előtt, a 14. helyen szóköz kell"},
        {T::bcEan8, "123456", true, "EAN-8: 7 számjegy kell, ellenőrző számjeggyel 8"},
        {T::bcJAN13, "49123456789", true, "JAN-13: 12 számjegy kell, ellenőrző számjeggyel 13"},
        {T::bcUPCA, "0123456789", true, "UPC-A: 11 számjegy kell, ellenőrző számjeggyel 12"},
        {T::bcUPCE0, "12345", true, "UPC-E0: 6 vagy 7 számjegy kell, ellenőrző számjeggyel 8"},
        {T::bcUPCE0, "1234567", true, "UPC-E0: az első számjegy csak 0 lehet"},
        {T::bcUPCE1, "123456", true, ""},
        // Check digits typed with automatic check digit off.
        {T::bcEan13, "4006381333932", false, "EAN-13: hibás ellenőrző számjegy (2), helyesen 1"},
        {T::bcEan13, "4006381333931", false, ""},
        {T::bcEan13, "4006381333932", true, ""},
        {T::bcEan8, "96385070", false, "EAN-8: hibás ellenőrző számjegy (0), helyesen 4"},
        {T::bcUPCA, "036000291453", false, "UPC-A: hibás ellenőrző számjegy (3), helyesen 2"},
        {T::bcITF, "1234567890123", false, ""},
        {T::bcPZN, "1234568", false, "PZN: hibás ellenőrző számjegy (8), helyesen 2"},
        // ISBN family: digits and hyphens, nine of them before the check character.
        {T::bcISBN, "80-7226-102", true, ""},
        {T::bcISBN, "80-7226", true,
         "ISBN: 9 számjegy kell (kötőjelekkel tagolva is), ellenőrző karakterrel 10"},
        {T::bcISSN, "80-72A6-102", true,
         "ISSN: „A” nem megengedett karakter; számjegyek és kötőjelek lehetnek"},
        // Two of five.
        {T::bc25Interleaved, "12345", true, "2/5 Interleaved: páros számú számjegy kell"},
        {T::bc25Industrial, "12X4", true,
         "2/5 Industrial: „X” nem megengedett karakter (3. hely); csak számjegyek lehetnek"},
        {T::bcITF, "1234", true, "ITF: 5, 13 vagy 15 számjegy kell, ellenőrző számjeggyel 6, 14 vagy 16"},
        {T::bcUPCShipping, "123", true, "UPC Shipping: 13 számjegy kell, ellenőrző számjeggyel 14"},
        {T::bcOPC, "12345", true, "OPC: 9 számjegy kell, ellenőrző számjeggyel 10"},
        // Code 39 / 93: lower case and accented letters.
        {T::bcCode39Standard, "abc", true,
         "Code 39: „a” nem megengedett karakter (1. hely); számjegyek, nagybetűk (A–Z, ékezet nélkül), "
         "szóköz és a - . $ / + % jelek lehetnek"},
        {T::bcCode39Full, "ab\xE1", true,
         "Code 39 Extended: „á” nem megengedett karakter (3. hely); ékezet nélküli betűk, számjegyek, "
         "szóköz és írásjelek lehetnek"},
        {T::bcCode93Standard, "AB&", true, ""},
        {T::bcCode93Full, "x\xF5", true,
         "Code 93 Extended: „ő” nem megengedett karakter (2. hely); ékezet nélküli betűk, számjegyek, "
         "szóköz és írásjelek lehetnek"},
        // Code 128 and GS1-128.
        {T::bcCode128, "ABC-xy", true, ""},
        {T::bcCode128, "\xC1rv\xEDzt\xFBr\xF5", true,
         "Code 128: „Á” nem megengedett karakter (1. hely); ékezetes betű nem lehet"},
        {T::bcEan128, "x\xF5", true,
         "UCC/EAN-128: „ő” nem megengedett karakter (2. hely); ékezet nélküli betűk, számjegyek, szóköz, "
         "írásjelek és š č ť ž ý á í é lehetnek"},
        // Codabar.
        {T::bcCodabar, "12E4", true,
         "Codabar: „E” nem megengedett karakter (3. hely); számjegyek, a - $ : / . + jelek és A, B, C, D "
         "lehetnek"},
        {T::bcABCCodabar, "1234A", true,
         "ABC Codabar: az első és az utolsó karakter A, B, C vagy D kell legyen"},
        {T::bcABCCodabar, "A1234B", true, ""},
        // MSI, PostNet, Code 11.
        {T::bcMSIPlessey, "12345678901234", true, "MSI/Plessey: legfeljebb 13 karakter lehet"},
        {T::bcMSIPlessey, "12G", true,
         "MSI/Plessey: „G” nem megengedett karakter (3. hely); számjegyek és A–F lehetnek"},
        {T::bcPostNet, "1234", true, "PostNet: 5, 9 vagy 11 számjegy kell"},
        {T::bcPostNet, "1234A", true,
         "PostNet: „A” nem megengedett karakter (5. hely); csak számjegyek lehetnek"},
        {T::bcCode11, "12-3/4", true,
         "Code 11: „/” nem megengedett karakter (5. hely); számjegyek és a - jel lehetnek"},
        // Two-dimensional symbologies.
        {T::bcQRCode, "\xC1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p", true, ""},
        {T::bcDataMatrix, "12345", true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(BarCodeDisplayName(c.type).toStdString()) + " \"" + c.value + "\"");
        EXPECT_EQ(BarCodeValueProblem(c.type, Options(c.autoCheckDigit), c.value).toStdString(), c.expected);
    }
}

TEST(BarCodeValueProblem, MatrixOptionsDecide) {
    // GS1 Data Matrix wants element strings; the same text is fine as plain Data Matrix.
    EncoderOptions gs1;
    gs1.Matrix.DmGs1 = true;
    const QString message = BarCodeValueProblem(T::bcDataMatrix, gs1, "hello");
    EXPECT_TRUE(message.startsWith(QStringLiteral("Data Matrix: "))) << message.toStdString();
    EXPECT_TRUE(BarCodeValueProblem(T::bcDataMatrix, EncoderOptions(), "hello").isEmpty());
    // A QR Code holds at most a few thousand characters.
    const QString tooLong = BarCodeValueProblem(T::bcQRCode, EncoderOptions(), std::string(8000, 'x'));
    EXPECT_TRUE(tooLong.startsWith(QStringLiteral("QR Code: az érték nem kódolható")))
        << tooLong.toStdString();
}

TEST(BarCodeValueProblem, AgreesWithTheEngineOnEveryLinearSymbology) {
    // Whatever the engine refuses gets a sentence, and whatever it encodes gets none.
    const char* values[] = {"", "1", "12345", "1234567", "123456789012", "ABC-xy", "A1234B", "12 34"};
    for (int t = 0; t < kLinearBarCodeTypeCount; ++t) {
        const auto type = static_cast<T>(t);
        for (const char* value : values) {
            SCOPED_TRACE(BarCodeDisplayName(type).toStdString() + " \"" + value + "\"");
            const bool encodes =
                !EncodeBarCodeText(NormalizeBarCodeText(value, type), type, EncoderOptions()).Empty();
            EXPECT_EQ(BarCodeValueProblem(type, EncoderOptions(), value).isEmpty(), encodes);
        }
    }
}

} // namespace
} // namespace etikor::test
