// Rendered barcodes read back by zxing-cpp, an independent decoder: every symbology it reads,
// at 0, 90, 180 and 270 degrees, with and without the human-readable text, small and large.

#include "DrawSupport.h"
#include "ImageDecoder.h"

#include "barcode/Ean.h"

#include <gtest/gtest.h>

#include <string>

namespace etikor::test {
namespace {

using T = TTypBarCode;

struct Case {
    T type;
    std::string text;   // assigned to BarCode
    std::string read;   // what a reader must find
    std::string format; // zxing's name
    bool checkDigit = true;
    bool fullAscii = false;
};

// Expectations: the normalised texts of the EAN/UPC rules (check digits per ISO/IEC 15420), the
// ISBN, ISSN and ISMN drawn as their EAN-13 (978, 977 or 979 + nine digits + EAN check digit),
// PZN as Code 39 with its dash, UPC shipping and OPC as Interleaved 2 of 5.
const Case kCases[] = {
    {T::bcEan8, "1234567", "12345670", "EAN-8"},
    {T::bcEan13, "977121010700", "9771210107001", "EAN-13"},
    {T::bcJAN13, "491234567890", "4912345678904", "EAN-13"},
    {T::bcISBN, "80-7226-102", "9788072261024", "EAN-13"},
    {T::bcUPCA, "01234567890", "012345678905", "UPC-A"},
    {T::bcUPCE0, "123456", "01234565", "UPC-E"},
    {T::bcCode128, "Etikor 2024-0042", "Etikor 2024-0042", "Code128"},
    {T::bcEan128, "0101234567890128", "0101234567890128", "Code128"},
    {T::bcCode39Standard, "KROVA-42", "KROVA-42", "Code39"},
    {T::bcCode39Full, "Etikor+1", "Etikor+1", "Code39", true, true},
    {T::bcCode93Standard, "KROVA 93", "KROVA 93", "Code93"},
    {T::bcCode93Full, "Etikor", "Etikor", "Code93"},
    {T::bcCodabar, "40156", "40156", "Codabar", false},
    {T::bc25Interleaved, "123456", "123456", "ITF"},
    {T::bcITF, "0977121010700", "09771210107001", "ITF"},
    {T::bcPZN, "123456", "-1234562", "Code39"},
    {T::bcJAN8, "4912345", "49123456", "EAN-8"},
    {T::bcISSN, "80-7226-102", "9778072261025", "EAN-13"},
    {T::bcISMN, "80-7226-102", "9798072261023", "EAN-13"},
    {T::bcUPCShipping, "1234567890123", "12345678901231", "ITF"},
    {T::bcOPC, "123456789", "1234567897", "ITF"},
    {T::bcABCCodabar, "A1234B", "1234", "Codabar"}, // the reader drops start and stop A, B
};

TEST(BarcodeDrawDecode, EveryReadableSymbologyAtEveryAngle) {
    constexpr int kMargin = 30;
    for (const Case& c : kCases) {
        for (bool labels : {true, false}) {
            TEan ean;
            ean.SetShowLabels(labels);
            ean.SetAutoCheckDigit(c.checkDigit);
            ean.SetTypBarCode(c.type);
            ean.SetBarCode(c.text);
            const int modules = ean.MinimumWidth() - 1;
            // Small: two pixels per module; large: five, on a taller box.
            for (const auto& [perModule, height] : {std::pair{2, 60}, std::pair{5, 140}}) {
                const int length = modules * perModule;
                for (int angle : {0, 90, 180, 270}) {
                    SCOPED_TRACE(c.text + (labels ? " with text" : " without text") + ", " +
                                 std::to_string(perModule) + " px per module, angle " +
                                 std::to_string(angle));
                    ean.SetAngle(angle);
                    const bool upright = angle == 90 || angle == 270;
                    const int boxWidth = upright ? height : length;
                    const int boxHeight = upright ? length : height;
                    const QImage image =
                        DrawToImage(ean, boxWidth + 2 * kMargin, boxHeight + 2 * kMargin,
                                    TRect{kMargin, kMargin, kMargin + boxWidth, kMargin + boxHeight});
                    ASSERT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
                    const DecodeResult result = DecodeImage(image, c.format, c.fullAscii);
                    ASSERT_TRUE(result.ok) << result.error;
                    EXPECT_EQ(result.format, c.format);
                    EXPECT_EQ(result.text, c.read);
                }
            }
        }
    }
}

} // namespace
} // namespace etikor::test

namespace etikor::test {
namespace {

// Whole-pixel modules (the look of every picture the program sizes itself): one to four
// pixels per module, upright and turned, every one must scan. The box is k times the minimum
// width, so each module gets exactly k columns and the spare ones stay blank at the end.
TEST(BarcodeDrawDecode, WholePixelModulesScanAtEveryWidth) {
    constexpr int kMargin = 30;
    constexpr int kHeight = 60;
    for (const Case& c : kCases) {
        TEan ean;
        ean.SetSecurity(true);
        ean.SetAutoCheckDigit(c.checkDigit);
        ean.SetTypBarCode(c.type);
        ean.SetBarCode(c.text);
        for (int perModule = 1; perModule <= 4; ++perModule) {
            const int length = perModule * ean.MinimumWidth();
            for (int angle : {0, 90}) {
                SCOPED_TRACE(c.text + ", " + std::to_string(perModule) + " px per module, angle " +
                             std::to_string(angle));
                ean.SetAngle(angle);
                const int boxWidth = angle == 90 ? kHeight : length;
                const int boxHeight = angle == 90 ? length : kHeight;
                const QImage image =
                    DrawToImage(ean, boxWidth + 2 * kMargin, boxHeight + 2 * kMargin,
                                TRect{kMargin, kMargin, kMargin + boxWidth, kMargin + boxHeight});
                ASSERT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
                ASSERT_EQ(ean.LastPattern().size(),
                          static_cast<size_t>(perModule * (ean.MinimumWidth() - 1)));
                const DecodeResult result = DecodeImage(image, c.format, c.fullAscii);
                ASSERT_TRUE(result.ok) << result.error;
                EXPECT_EQ(result.text, c.read);
            }
        }
    }
}

} // namespace
} // namespace etikor::test
