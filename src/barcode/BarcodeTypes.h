#pragma once

// Types shared by the barcode object, the encoders and drawing. Texts are Windows-1250 bytes.

#include <cstdint>
#include <string>

namespace etikor {

// Ordinals are fixed: stored templates and the catalogue index by them.
enum class TTypBarCode : uint8_t {
    bcEan8 = 0,
    bcEan13 = 1,
    bcCodabar = 2,
    bcCode39Standard = 3,
    bcCode39Full = 4,
    bcCode93Standard = 5,
    bcCode93Full = 6,
    bcCode128 = 7,
    bcABCCodabar = 8,
    bc25Datalogic = 9,
    bc25Interleaved = 10,
    bc25Matrix = 11,
    bc25Industrial = 12,
    bc25IATA = 13,
    bc25Invert = 14,
    bcITF = 15,
    bcISBN = 16,
    bcISSN = 17,
    bcISMN = 18,
    bcUPCA = 19,
    bcUPCE0 = 20,
    bcUPCE1 = 21,
    bcUPCShipping = 22,
    bcJAN8 = 23,
    bcJAN13 = 24,
    bcMSIPlessey = 25,
    bcPostNet = 26,
    bcOPC = 27,
    bcEan128 = 28,
    bc25Coop = 29,
    bcCode11 = 30,
    bcPZN = 31,
};

inline constexpr int kBarCodeTypeCount = 32;

enum class TLastPaintError : uint8_t {
    erOK = 0,
    erMustBe = 1,
    erErrorInBarCode = 2,
    erCharOutOfSet = 3,
    erSmallPaintBox = 4,
    erOutOfSecurityBox = 5,
    erBarcodeLengthInvalid = 6,
    erFirstCharMustBeZero = 7,
    erCharMustBeSpace = 8,
    erCountCharMustBeEven = 9,
    erEmptyCode = 10,
};

// Module positions counted from the start of the pattern; 0 means unset.
struct TextAnchors {
    int Group1Start = 0;
    int Group1End = 0;
    int Group2Start = 0;
    int Group2End = 0;
    int AddOnStart = 0;
    int TrailingDigit = 0;

    friend bool operator==(const TextAnchors&, const TextAnchors&) = default;
};

// One module per character: '0' and ' ' space, 'X' space opening the add-on zone,
// '1' data bar, '2' guard bar, 'M' short (PostNet half) bar.
struct BarcodeEncoding {
    std::string BarPattern;
    TextAnchors Anchors;
};

// The properties of the barcode object that change what an encoder produces.
struct EncoderOptions {
    bool ShowLabels = true;
    bool AutoCheckDigit = true;
};

} // namespace etikor
