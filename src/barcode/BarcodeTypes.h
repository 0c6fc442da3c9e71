#pragma once

// Types shared by the barcode object, the encoders and drawing. Texts are Windows-1250 bytes.

#include <cstdint>
#include <string>
#include <vector>

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
    // Two-dimensional symbologies, encoded by libzint and drawn as a module matrix.
    bcQRCode = 32,
    bcDataMatrix = 33,
    bcPDF417 = 34,
    bcAztec = 35,
};

inline constexpr int kLinearBarCodeTypeCount = 32;
inline constexpr int kBarCodeTypeCount = 36;

// QR Code, Data Matrix, PDF417 and Aztec: a module matrix instead of a bar pattern.
constexpr bool IsMatrixType(TTypBarCode type) {
    return static_cast<int>(type) >= kLinearBarCodeTypeCount && static_cast<int>(type) < kBarCodeTypeCount;
}

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
    // A GS1 element string with an unknown AI, data that breaks the AI's rules or a wrong check
    // digit (GS1 Data Matrix).
    erInvalidGs1 = 11,
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

// A two-dimensional symbol: Rows x Columns modules, row after row, 1 for a dark module. The
// light margin the symbology's standard asks for is QuietZone modules on every side, outside
// the matrix. Empty (no rows) when the text could not be encoded.
struct BarcodeMatrix {
    int Rows = 0;
    int Columns = 0;
    int QuietZone = 0;
    std::vector<uint8_t> Modules;

    bool Empty() const { return Rows == 0 || Columns == 0; }
    bool Dark(int row, int column) const {
        return Modules[static_cast<size_t>(row) * static_cast<size_t>(Columns) +
                       static_cast<size_t>(column)] != 0;
    }
    // The symbol with its quiet zone, in modules.
    int TotalColumns() const { return Columns + 2 * QuietZone; }
    int TotalRows() const { return Rows + 2 * QuietZone; }

    friend bool operator==(const BarcodeMatrix&, const BarcodeMatrix&) = default;
};

// The settings of the two-dimensional symbologies; each type reads only its own.
enum class TQrEcc : uint8_t { L = 0, M = 1, Q = 2, H = 3 };

struct TMatrixOptions {
    TQrEcc QrEcc = TQrEcc::M;   // QR Code error correction level; the size follows the data
    bool DmRectangular = false; // Data Matrix: rectangular (8x18 to 16x48) instead of square
    bool DmGs1 = false;         // Data Matrix: GS1 element string "(01)...(17)..." with FNC1
    int PdfColumns = 0;         // PDF417 data columns 1-30; 0 chooses them
    int PdfEcc = -1;            // PDF417 error correction level 0-8; -1 chooses by the data length
    int AztecEcc = 0;           // Aztec error correction 1-4 (10, 23, 36, 50 %); 0 is 23 % + 3 words

    friend bool operator==(const TMatrixOptions&, const TMatrixOptions&) = default;
};

// The properties of the barcode object that change what an encoder produces.
struct EncoderOptions {
    bool ShowLabels = true;
    bool AutoCheckDigit = true;
    TMatrixOptions Matrix;
};

// One module per character: '0' and ' ' space, 'X' space opening the add-on zone,
// '1' data bar, '2' guard bar, 'M' short (PostNet half) bar.
// The two-dimensional symbologies leave BarPattern empty and fill Matrix instead.
struct BarcodeEncoding {
    std::string BarPattern;
    TextAnchors Anchors;
    BarcodeMatrix Matrix;

    // Nothing to draw: the text was rejected.
    bool Empty() const { return BarPattern.empty() && Matrix.Empty(); }
};

} // namespace etikor
