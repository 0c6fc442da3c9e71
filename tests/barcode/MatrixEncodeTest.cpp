// QR Code, Data Matrix, PDF417 and Aztec: sizes and structure from the ISO/IEC standards'
// tables, every option, the GS1 rules, and what an independent reader makes of the matrix.

#include "DecoderOracle.h"
#include "barcode/BarcodeEngine.h"
#include "barcode/EncodeMatrix.h"

#include <gtest/gtest.h>

#include <string>

namespace etikor::test {
namespace {

using T = TTypBarCode;
using E = TLastPaintError;

BarcodeMatrix Encode(std::string_view text, T type, const TMatrixOptions& options = {}) {
    const MatrixEncoding e = EncodeMatrixSymbol(text, type, options);
    EXPECT_TRUE(e.Check.Ok) << text << ": " << e.Check.Detail;
    return e.Matrix;
}

DecodeResult Read(const BarcodeMatrix& m) {
    return DecodeModules(m.Modules, m.Rows, m.Columns, std::max(m.QuietZone, 1));
}

std::string Digits(size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i)
        s.push_back(static_cast<char>('0' + (i * 7 + 3) % 10));
    return s;
}

// A QR finder pattern: a dark 7 x 7 ring, a light ring, a dark 3 x 3 centre.
bool QrFinderAt(const BarcodeMatrix& m, int top, int left) {
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 7; ++c) {
            const int ring = std::max(std::abs(r - 3), std::abs(c - 3));
            if (m.Dark(top + r, left + c) != (ring != 2))
                return false;
        }
    return true;
}

TEST(MatrixEncode, QrCodeVersionFollowsTheDataAndTheLevel) {
    // ISO/IEC 18004 Table 7: version 1 holds 41/34/27/17 digits and 25/20/16/10 alphanumeric
    // characters at L/M/Q/H; one more takes version 2 (25 x 25). Version 40-L ends at 7089
    // digits and 2953 bytes.
    const struct {
        const char* why;
        std::string text;
        TQrEcc ecc;
        int side;
    } cases[] = {
        {"the standard's example, 1-M", "01234567", TQrEcc::M, 21},
        {"41 digits fill 1-L", Digits(41), TQrEcc::L, 21},
        {"42 digits need 2-L", Digits(42), TQrEcc::L, 25},
        {"34 digits fill 1-M", Digits(34), TQrEcc::M, 21},
        {"35 digits need 2-M", Digits(35), TQrEcc::M, 25},
        {"27 digits fill 1-Q", Digits(27), TQrEcc::Q, 21},
        {"17 digits fill 1-H", Digits(17), TQrEcc::H, 21},
        {"18 digits need 2-H", Digits(18), TQrEcc::H, 25},
        {"25 alphanumerics fill 1-L", "ABCDEFGHIJKLMNOPQRSTUVWXY", TQrEcc::L, 21},
        {"the same at M need 2-M", "ABCDEFGHIJKLMNOPQRSTUVWXY", TQrEcc::M, 25},
        {"7089 digits fill 40-L", Digits(7089), TQrEcc::L, 177},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        TMatrixOptions o;
        o.QrEcc = c.ecc;
        const BarcodeMatrix m = Encode(c.text, T::bcQRCode, o);
        EXPECT_EQ(m.Rows, c.side);
        EXPECT_EQ(m.Columns, c.side);
        EXPECT_EQ(m.QuietZone, 4);
        // Finder patterns at three corners, none at the bottom right: the rows run top down
        // and the columns left to right.
        EXPECT_TRUE(QrFinderAt(m, 0, 0));
        EXPECT_TRUE(QrFinderAt(m, 0, c.side - 7));
        EXPECT_TRUE(QrFinderAt(m, c.side - 7, 0));
        EXPECT_FALSE(QrFinderAt(m, c.side - 7, c.side - 7));
        if (c.text.size() < 100) {
            const DecodeResult d = Read(m);
            EXPECT_TRUE(d.ok) << d.error;
            EXPECT_EQ(d.format, "QRCode");
            EXPECT_EQ(d.text, c.text);
        }
    }
}

TEST(MatrixEncode, DataMatrixSizesShapesAndFinder) {
    // ISO/IEC 16022 Table 7: 10 x 10 holds 3 data codewords (6 digits), 12 x 12 holds 5;
    // the rectangles start at 8 x 18 (5 codewords) and end at 16 x 48 (49: 98 digits).
    const struct {
        const char* why;
        std::string text;
        bool rectangular;
        int rows;
        int columns;
    } cases[] = {
        {"six digits in the smallest square", "123456", false, 10, 10},
        {"a seventh digit needs 12 x 12", "1234567", false, 12, 12},
        {"three letters in 10 x 10", "ABC", false, 10, 10},
        {"ten digits in the smallest rectangle", Digits(10), true, 8, 18},
        {"eleven digits in 8 x 32", Digits(11), true, 8, 32},
        {"98 digits fill 16 x 48", Digits(98), true, 16, 48},
        {"the largest square, 3116 digits", Digits(3116), false, 144, 144},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        TMatrixOptions o;
        o.DmRectangular = c.rectangular;
        const BarcodeMatrix m = Encode(c.text, T::bcDataMatrix, o);
        ASSERT_EQ(m.Rows, c.rows);
        ASSERT_EQ(m.Columns, c.columns);
        EXPECT_EQ(m.QuietZone, 1);
        // The L-shaped finder (left column and bottom row dark) and the clock track (top row
        // and right column alternating, starting dark at the top left).
        for (int r = 0; r < m.Rows; ++r)
            EXPECT_TRUE(m.Dark(r, 0)) << "left column, row " << r;
        for (int col = 0; col < m.Columns; ++col) {
            EXPECT_TRUE(m.Dark(m.Rows - 1, col)) << "bottom row, column " << col;
            EXPECT_EQ(m.Dark(0, col), col % 2 == 0) << "top row, column " << col;
        }
        if (c.text.size() < 200) {
            const DecodeResult d = Read(m);
            EXPECT_TRUE(d.ok) << d.error;
            EXPECT_EQ(d.format, "DataMatrix");
            EXPECT_EQ(d.text, c.text);
        }
    }
    // 99 digits do not fit a rectangle; 3117 digits fit no square.
    TMatrixOptions rect;
    rect.DmRectangular = true;
    EXPECT_EQ(EncodeMatrixSymbol(Digits(99), T::bcDataMatrix, rect).Check.Error, E::erBarcodeLengthInvalid);
    EXPECT_EQ(EncodeMatrixSymbol(Digits(3117), T::bcDataMatrix, {}).Check.Error, E::erBarcodeLengthInvalid);
}

TEST(MatrixEncode, Gs1DataMatrixCarriesFnc1AndChecksTheAis) {
    TMatrixOptions gs1;
    gs1.DmGs1 = true;
    // GS1 General Specifications' example GTIN with an expiry date, a batch and a serial: the
    // variable-length batch is ended by a group separator before the next AI.
    const BarcodeMatrix m = Encode("(01)09501101530003(17)261231(10)AB12(21)S1", T::bcDataMatrix, gs1);
    const DecodeResult d = Read(m);
    ASSERT_TRUE(d.ok) << d.error;
    EXPECT_EQ(d.symbology, "]d2"); // FNC1 in first position: GS1 DataMatrix
    EXPECT_EQ(d.text, "01095011015300031726123110AB12\x1D"
                      "21S1");

    const struct {
        const char* why;
        std::string text;
        E error;
        int pos;
    } bad[] = {
        {"wrong GTIN check digit", "(01)09501101530004", E::erInvalidGs1, 18},
        {"wrong SSCC check digit", "(00)106141411234567890", E::erInvalidGs1, 22},
        {"wrong GLN check digit after a GTIN", "(01)09501101530003(414)9501101020918", E::erInvalidGs1, 36},
        {"a month 13 in an expiry date", "(01)09501101530003(17)261301", E::erInvalidGs1, 23},
        {"the 30th of February", "(01)09501101530003(17)260230", E::erInvalidGs1, 23},
        {"GTIN one digit short", "(01)0950110153000", E::erInvalidGs1, 0},
        {"an AI that does not exist", "(23)12345", E::erInvalidGs1, 0},
        {"no AI at the start", "0109501101530003", E::erInvalidGs1, 0},
        {"an accented letter", "(10)AB\xE1", E::erCharOutOfSet, 7},
        {"empty", "", E::erEmptyCode, 0},
    };
    // Right check digits and real dates (day 00: the month's end; 29 February of a leap year).
    for (const char* good : {"(00)106141411234567897", "(01)09501101530003(414)9501101020917",
                             "(01)09501101530003(17)280229", "(01)09501101530003(17)261200"}) {
        const MatrixEncoding e = EncodeMatrixSymbol(good, T::bcDataMatrix, gs1);
        EXPECT_TRUE(e.Check.Ok) << good << ": " << e.Check.Detail;
    }
    for (const auto& c : bad) {
        SCOPED_TRACE(c.why);
        const MatrixEncoding e = EncodeMatrixSymbol(c.text, T::bcDataMatrix, gs1);
        EXPECT_FALSE(e.Check.Ok);
        EXPECT_TRUE(e.Matrix.Empty());
        EXPECT_EQ(e.Check.Error, c.error) << e.Check.Detail;
        EXPECT_EQ(e.Check.ErrorPos, c.pos);
        if (c.error == E::erInvalidGs1) {
            EXPECT_FALSE(e.Check.Detail.empty());
        }
    }
    // Without the GS1 option the same text is plain data, parentheses and all.
    const DecodeResult plain = Read(Encode("(01)09501101530004", T::bcDataMatrix));
    EXPECT_EQ(plain.text, "(01)09501101530004");
    EXPECT_EQ(plain.symbology, "]d1");
}

TEST(MatrixEncode, Pdf417ColumnsRowsAndErrorLevels) {
    // ISO/IEC 15438: start pattern 81111113, stop 711311121, every row framed by them and by
    // the left and right row indicators: 17 + 17 + 17 c + 17 + 18 modules for c data columns.
    const std::string start = "11111111010101000";
    const std::string stop = "111111101000101001";
    for (int columns : {1, 3, 10, 30}) {
        SCOPED_TRACE(columns);
        TMatrixOptions o;
        o.PdfColumns = columns;
        const BarcodeMatrix m = Encode("Etikor PDF417 12345", T::bcPDF417, o);
        ASSERT_EQ(m.Columns, 69 + 17 * columns);
        EXPECT_EQ(m.QuietZone, 2);
        EXPECT_EQ(m.Rows % 3, 0); // three modules a row
        EXPECT_GE(m.Rows / 3, 3);
        EXPECT_LE(m.Rows / 3, 90);
        for (int r = 0; r < m.Rows; ++r) {
            std::string head, tail;
            for (int c = 0; c < 17; ++c)
                head.push_back(m.Dark(r, c) ? '1' : '0');
            for (int c = m.Columns - 18; c < m.Columns; ++c)
                tail.push_back(m.Dark(r, c) ? '1' : '0');
            EXPECT_EQ(head, start) << "row " << r;
            EXPECT_EQ(tail, stop) << "row " << r;
        }
        const DecodeResult d = Read(m);
        EXPECT_TRUE(d.ok) << d.error;
        EXPECT_EQ(d.format, "PDF417");
        EXPECT_EQ(d.text, "Etikor PDF417 12345");
    }
    // Level s adds 2^(s+1) error correction codewords: more rows for the same data.
    int lastRows = 0;
    for (int level = 0; level <= 8; ++level) {
        SCOPED_TRACE(level);
        TMatrixOptions o;
        o.PdfColumns = 4;
        o.PdfEcc = level;
        const BarcodeMatrix m = Encode("Etikor PDF417 12345", T::bcPDF417, o);
        EXPECT_GE(m.Rows, lastRows);
        lastRows = m.Rows;
        const DecodeResult d = Read(m);
        EXPECT_TRUE(d.ok) << d.error;
        EXPECT_EQ(d.ecLevel, std::to_string(level));
    }
    EXPECT_GT(lastRows, 3 * 30);
    // 2710 digits are the most a symbol holds, at level 0.
    TMatrixOptions level0;
    level0.PdfEcc = 0;
    EXPECT_TRUE(EncodeMatrixSymbol(Digits(2710), T::bcPDF417, level0).Check.Ok);
    EXPECT_EQ(EncodeMatrixSymbol(Digits(2711), T::bcPDF417, level0).Check.Error, E::erBarcodeLengthInvalid);
}

TEST(MatrixEncode, AztecCompactAndFullSymbols) {
    // ISO/IEC 24778: compact symbols are 15, 19, 23 or 27 modules square, full-range ones 19
    // to 151; the bullseye's centre module is dark and it needs no quiet zone.
    const struct {
        const char* why;
        std::string text;
        int ecc;
        int side;
    } cases[] = {
        {"a short text in one compact layer", "123456", 0, 15},
        {"the catalogue sample", "Etikor Aztec 12345", 0, 19},
        {"a long text in the largest symbol", Digits(3800), 0, 151},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        TMatrixOptions o;
        o.AztecEcc = c.ecc;
        const BarcodeMatrix m = Encode(c.text, T::bcAztec, o);
        ASSERT_EQ(m.Rows, c.side);
        ASSERT_EQ(m.Columns, c.side);
        EXPECT_EQ(m.QuietZone, 0);
        const int mid = c.side / 2;
        EXPECT_TRUE(m.Dark(mid, mid));
        EXPECT_FALSE(m.Dark(mid - 1, mid));
        EXPECT_TRUE(m.Dark(mid - 2, mid));
        if (c.text.size() < 100) {
            const DecodeResult d = Read(m);
            EXPECT_TRUE(d.ok) << d.error;
            EXPECT_EQ(d.format, "Aztec");
            EXPECT_EQ(d.text, c.text);
        }
    }
    // More error correction, a bigger symbol for the same text.
    int last = 0;
    for (int ecc = 1; ecc <= 4; ++ecc) {
        TMatrixOptions o;
        o.AztecEcc = ecc;
        const BarcodeMatrix m = Encode("Etikor Aztec Code 1234567890", T::bcAztec, o);
        EXPECT_GE(m.Rows, last) << ecc;
        last = m.Rows;
        EXPECT_TRUE(Read(m).ok) << ecc;
    }
    EXPECT_EQ(EncodeMatrixSymbol(Digits(4000), T::bcAztec, {}).Check.Error, E::erBarcodeLengthInvalid);
    // QR Code 40-M: 2331 bytes at most (ISO/IEC 18004 Table 7).
    EXPECT_TRUE(EncodeMatrixSymbol(std::string(2331, 'x'), T::bcQRCode, {}).Check.Ok);
    EXPECT_EQ(EncodeMatrixSymbol(std::string(2332, 'x'), T::bcQRCode, {}).Check.Error,
              E::erBarcodeLengthInvalid);
}

TEST(MatrixEncode, TextOfTheCodePageReadsBack) {
    // Latin-1 text goes behind ECI 3, Hungarian letters beyond it as UTF-8 behind ECI 26: a
    // reader need not guess, and gets the same text back.
    const struct {
        const char* why;
        std::string cp1250;
        std::string utf8;
    } cases[] = {
        {"ASCII", "Etikor 2D", "Etikor 2D"},
        {"Latin-1 letters", "\xE1rv\xEDzt\xFBr\xF5", "\xC3\xA1rv\xC3\xADzt\xC5\xB1r\xC5\x91"},
        {"long o and u with double acute", "\xF5\xFB\xD5\xDB", "\xC5\x91\xC5\xB1\xC5\x90\xC5\xB0"},
        {"Latin-1 only", "\xE1\xE9\xED\xF3\xF6\xFA\xFC",
         "\xC3\xA1\xC3\xA9\xC3\xAD\xC3\xB3\xC3\xB6\xC3\xBA\xC3\xBC"},
        {"euro sign and quotes", "\x80 \x84x\x94", "\xE2\x82\xAC \xE2\x80\x9Ex\xE2\x80\x9D"},
    };
    for (T type : {T::bcQRCode, T::bcDataMatrix, T::bcPDF417, T::bcAztec})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.why) + " " + std::to_string(static_cast<int>(type)));
            const DecodeResult d = Read(Encode(c.cp1250, type));
            EXPECT_TRUE(d.ok) << d.error;
            EXPECT_EQ(d.text, c.utf8);
        }
}

TEST(MatrixEncode, OptionCodesRoundTripAndUnknownCodesGiveTheDefaults) {
    const TMatrixOptions defaults;
    for (T type : {T::bcQRCode, T::bcDataMatrix, T::bcPDF417, T::bcAztec}) {
        EXPECT_EQ(MatrixOptionCode(type, defaults), 0);
        EXPECT_EQ(MatrixOptionsFromCode(type, 0), defaults);
        EXPECT_EQ(MatrixOptionsFromCode(type, -1), defaults);
        EXPECT_EQ(MatrixOptionsFromCode(type, 100000), defaults);
    }
    for (TQrEcc ecc : {TQrEcc::L, TQrEcc::M, TQrEcc::Q, TQrEcc::H}) {
        TMatrixOptions o;
        o.QrEcc = ecc;
        EXPECT_EQ(MatrixOptionsFromCode(T::bcQRCode, MatrixOptionCode(T::bcQRCode, o)), o);
    }
    for (int code = 0; code < 4; ++code)
        EXPECT_EQ(MatrixOptionCode(T::bcDataMatrix, MatrixOptionsFromCode(T::bcDataMatrix, code)), code);
    for (int columns = 0; columns <= 30; ++columns)
        for (int level = -1; level <= 8; ++level) {
            TMatrixOptions o;
            o.PdfColumns = columns;
            o.PdfEcc = level;
            EXPECT_EQ(MatrixOptionsFromCode(T::bcPDF417, MatrixOptionCode(T::bcPDF417, o)), o);
        }
    for (int ecc = 0; ecc <= 4; ++ecc)
        EXPECT_EQ(MatrixOptionsFromCode(T::bcAztec, ecc).AztecEcc, ecc);
    // A code of another type's options means nothing to a linear type.
    EXPECT_EQ(MatrixOptionCode(T::bcCode128, MatrixOptionsFromCode(T::bcAztec, 4)), 0);
}

TEST(MatrixEncode, TheEngineRoutesTheMatrixTypesAndRejectsTheirBadInput) {
    TBarCodeCheck check;
    const BarcodeEncoding e = EncodeBarCodeText("HELLO", T::bcQRCode, {}, &check);
    EXPECT_TRUE(check.Ok);
    EXPECT_TRUE(e.BarPattern.empty());
    EXPECT_FALSE(e.Matrix.Empty());
    EXPECT_FALSE(e.Empty());
    // Too long for any QR Code: the length error, an empty encoding, no crash.
    const BarcodeEncoding tooLong = EncodeBarCodeText(std::string(3000, 'x'), T::bcQRCode, {}, &check);
    EXPECT_TRUE(tooLong.Empty());
    EXPECT_EQ(check.Error, E::erBarcodeLengthInvalid);
    EXPECT_FALSE(check.Detail.empty());
    EXPECT_EQ(CheckBarCodeText("", T::bcAztec).Error, E::erEmptyCode);
    // The text is kept as typed: no check digits are written into it.
    EXPECT_EQ(NormalizeBarCodeText("12345", T::bcDataMatrix), "12345");
}

} // namespace
} // namespace etikor::test
