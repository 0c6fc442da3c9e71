#include "barcode/EncodeMatrix.h"

#include "data/Cp1250.h"

#include <zint.h>

#include <algorithm>
#include <memory>
#include <string>

namespace etikor {
namespace {

using T = TTypBarCode;

struct SymbolDeleter {
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};
using Symbol = std::unique_ptr<zint_symbol, SymbolDeleter>;

// Rows of a PDF417 symbol are three modules high (the standard's recommended minimum).
constexpr int kPdfRowHeight = 3;

// Data Matrix rectangles, smallest first (libzint's size numbers 25 to 30: 8x18 ... 16x48).
constexpr int kFirstRectangle = 25;
constexpr int kLastRectangle = 30;

TBarCodeCheck failed(TLastPaintError error, std::string detail, int pos = 0, char c = 0) {
    TBarCodeCheck check{false, error, pos, c, std::move(detail)};
    return check;
}

int zintSymbology(T type) {
    switch (type) {
    case T::bcQRCode:
        return BARCODE_QRCODE;
    case T::bcDataMatrix:
        return BARCODE_DATAMATRIX;
    case T::bcPDF417:
        return BARCODE_PDF417;
    default:
        return BARCODE_AZTEC;
    }
}

// The symbol's modules: bit x of row y is bit (x mod 8) of byte x / 8 of encoded_data[y].
BarcodeMatrix matrixOf(const zint_symbol& symbol, T type) {
    BarcodeMatrix m;
    const int height = type == T::bcPDF417 ? kPdfRowHeight : 1;
    m.Rows = symbol.rows * height;
    m.Columns = symbol.width;
    m.QuietZone = MatrixQuietZone(type);
    m.Modules.resize(static_cast<size_t>(m.Rows) * static_cast<size_t>(m.Columns));
    for (int y = 0; y < symbol.rows; ++y)
        for (int x = 0; x < symbol.width; ++x) {
            const uint8_t dark = (symbol.encoded_data[y][x >> 3] >> (x & 7)) & 1;
            for (int k = 0; k < height; ++k)
                m.Modules[static_cast<size_t>(y * height + k) * static_cast<size_t>(m.Columns) +
                          static_cast<size_t>(x)] = dark;
        }
    return m;
}

TBarCodeCheck zintError(int code, const zint_symbol& symbol, bool gs1) {
    std::string detail(symbol.errtxt);
    switch (code) {
    case ZINT_ERROR_TOO_LONG:
        return failed(TLastPaintError::erBarcodeLengthInvalid, std::move(detail));
    case ZINT_ERROR_INVALID_DATA:
    case ZINT_ERROR_INVALID_CHECK:
        return failed(gs1 ? TLastPaintError::erInvalidGs1 : TLastPaintError::erCharOutOfSet,
                      std::move(detail));
    default:
        return failed(TLastPaintError::erErrorInBarCode, std::move(detail));
    }
}

// The GS1 check digit of the digits before it: weights 3, 1, 3 ... from the right.
char gs1Check(std::string_view digits) {
    int sum = 0;
    int weight = 3;
    for (size_t i = digits.size(); i-- > 0;) {
        sum += (digits[i] - '0') * weight;
        weight = 4 - weight;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

bool allDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Where an AI's data carries a mod-10 check digit (1-based within the data; 0 = none) and how
// many digits the data has then. The library checks the AIs and their formats but not these
// check digits, nor the calendar of the dates.
struct CheckedAi {
    std::string_view Ai;
    int CheckAt;
};
constexpr CheckedAi kCheckedAis[] = {
    {"00", 18},  {"01", 14},   {"02", 14},   {"253", 13},  {"255", 13},  {"410", 13},
    {"411", 13}, {"412", 13},  {"413", 13},  {"414", 13},  {"415", 13},  {"416", 13},
    {"417", 13}, {"8006", 14}, {"8017", 18}, {"8018", 18}, {"8026", 14},
};
constexpr std::string_view kDateAis[] = {"11", "12", "13", "15", "16", "17"};

// The check digits and dates of a GS1 element string "(AI)data(AI)data"; the rest (known AIs,
// lengths, character sets) is the library's.
TBarCodeCheck checkGs1(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '(')
            return {}; // the library names the fault
        const size_t close = text.find(')', i);
        if (close == std::string_view::npos)
            return {};
        const std::string_view ai = text.substr(i + 1, close - i - 1);
        const size_t dataStart = close + 1;
        const size_t next = text.find('(', dataStart);
        const std::string_view data =
            text.substr(dataStart, (next == std::string_view::npos ? text.size() : next) - dataStart);
        for (const CheckedAi& checked : kCheckedAis) {
            if (checked.Ai != ai || data.size() < static_cast<size_t>(checked.CheckAt))
                continue;
            const std::string_view digits = data.substr(0, static_cast<size_t>(checked.CheckAt));
            if (!allDigits(digits))
                break;
            const char expected = gs1Check(digits.substr(0, digits.size() - 1));
            if (digits.back() != expected) {
                const int pos = static_cast<int>(dataStart) + checked.CheckAt;
                return failed(TLastPaintError::erInvalidGs1,
                              "AI (" + std::string(ai) + "): check digit '" + digits.back() +
                                  "', expected '" + expected + "'",
                              pos, digits.back());
            }
        }
        for (std::string_view dateAi : kDateAis) {
            if (dateAi != ai || data.size() != 6 || !allDigits(data))
                continue;
            const int year = (data[0] - '0') * 10 + (data[1] - '0');
            const int month = (data[2] - '0') * 10 + (data[3] - '0');
            const int day = (data[4] - '0') * 10 + (data[5] - '0');
            static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
            // Day 00 stands for the month's end.
            const bool leap = year % 4 == 0;
            const bool valid =
                month >= 1 && month <= 12 && day <= (month == 2 && !leap ? 28 : kDays[month - 1]);
            if (!valid)
                return failed(TLastPaintError::erInvalidGs1,
                              "AI (" + std::string(ai) + "): no such date YYMMDD '" + std::string(data) + "'",
                              static_cast<int>(dataStart) + 1, data[0]);
        }
        i = next == std::string_view::npos ? text.size() : next;
    }
    return {};
}

} // namespace

int MatrixQuietZone(TTypBarCode type) {
    switch (type) {
    case T::bcQRCode:
        return 4;
    case T::bcDataMatrix:
        return 1;
    case T::bcPDF417:
        return 2;
    default:
        return 0;
    }
}

int MatrixOptionCode(TTypBarCode type, const TMatrixOptions& o) {
    switch (type) {
    case T::bcQRCode:
        switch (o.QrEcc) {
        case TQrEcc::L:
            return 1;
        case TQrEcc::Q:
            return 2;
        case TQrEcc::H:
            return 3;
        default:
            return 0;
        }
    case T::bcDataMatrix:
        return (o.DmRectangular ? 1 : 0) + (o.DmGs1 ? 2 : 0);
    case T::bcPDF417:
        return std::clamp(o.PdfColumns, 0, 30) + 31 * (std::clamp(o.PdfEcc, -1, 8) + 1);
    case T::bcAztec:
        return std::clamp(o.AztecEcc, 0, 4);
    default:
        return 0;
    }
}

TMatrixOptions MatrixOptionsFromCode(TTypBarCode type, int code) {
    TMatrixOptions o;
    switch (type) {
    case T::bcQRCode:
        if (code >= 0 && code <= 3)
            o.QrEcc = code == 1 ? TQrEcc::L : code == 2 ? TQrEcc::Q : code == 3 ? TQrEcc::H : TQrEcc::M;
        break;
    case T::bcDataMatrix:
        if (code >= 0 && code <= 3) {
            o.DmRectangular = (code & 1) != 0;
            o.DmGs1 = (code & 2) != 0;
        }
        break;
    case T::bcPDF417:
        if (code >= 0 && code < 31 * 10) {
            o.PdfColumns = code % 31;
            o.PdfEcc = code / 31 - 1;
        }
        break;
    case T::bcAztec:
        if (code >= 0 && code <= 4)
            o.AztecEcc = code;
        break;
    default:
        break;
    }
    return o;
}

MatrixEncoding EncodeMatrixSymbol(std::string_view text, TTypBarCode type, const TMatrixOptions& options) {
    MatrixEncoding out;
    if (!IsMatrixType(type)) {
        out.Check = failed(TLastPaintError::erCharOutOfSet, {});
        return out;
    }
    if (text.empty()) {
        out.Check = failed(TLastPaintError::erEmptyCode, {});
        return out;
    }
    const bool gs1 = type == T::bcDataMatrix && options.DmGs1;
    std::string data;
    bool latin1 = true;
    bool ascii = true;
    if (gs1) {
        // GS1 element strings are printable ASCII; the parentheses delimit the AIs.
        for (size_t i = 0; i < text.size(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (c < 32 || c > 126) {
                out.Check = failed(TLastPaintError::erCharOutOfSet, "GS1 data is printable ASCII only",
                                   static_cast<int>(i) + 1, text[i]);
                return out;
            }
        }
        out.Check = checkGs1(text);
        if (!out.Check.Ok)
            return out;
        data.assign(text);
    } else {
        for (char c : text) {
            const char32_t u = Cp1250ToUnicode(static_cast<unsigned char>(c));
            ascii = ascii && u < 0x80;
            latin1 = latin1 && u <= 0xFF;
        }
        data = Cp1250ToUtf8(text);
    }
    if (data.size() > ZINT_MAX_DATA_LEN) {
        out.Check = failed(TLastPaintError::erBarcodeLengthInvalid, "Input too long");
        return out;
    }

    const Symbol symbol(ZBarcode_Create());
    if (!symbol) {
        out.Check = failed(TLastPaintError::erErrorInBarCode, "Out of memory");
        return out;
    }
    const auto setUp = [&](zint_symbol& s) {
        s.symbology = zintSymbology(type);
        s.input_mode = gs1 ? (GS1_MODE | GS1PARENS_MODE) : UNICODE_MODE;
        // ASCII needs no ECI; beyond it a reader guesses the character set unless told, so the
        // text says Latin-1 (ECI 3) when that holds it, UTF-8 (ECI 26) otherwise.
        s.eci = gs1 || ascii ? 0 : latin1 ? 3 : 26;
        s.show_hrt = 0;
        switch (type) {
        case T::bcQRCode:
            s.option_1 = static_cast<int>(options.QrEcc) + 1;
            break;
        case T::bcDataMatrix:
            s.option_3 = DM_SQUARE;
            break;
        case T::bcPDF417:
            s.option_1 = std::clamp(options.PdfEcc, -1, 8);
            s.option_2 = std::clamp(options.PdfColumns, 0, 30);
            break;
        default:
            if (options.AztecEcc >= 1 && options.AztecEcc <= 4)
                s.option_1 = options.AztecEcc;
            break;
        }
    };
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    const int length = static_cast<int>(data.size());
    int result = 0;
    if (type == T::bcDataMatrix && options.DmRectangular) {
        // The smallest rectangle that holds the data.
        for (int size = kFirstRectangle; size <= kLastRectangle; ++size) {
            ZBarcode_Clear(symbol.get());
            setUp(*symbol);
            symbol->option_2 = size;
            symbol->option_3 = 0;
            result = ZBarcode_Encode(symbol.get(), bytes, length);
            if (result != ZINT_ERROR_TOO_LONG)
                break;
        }
    } else {
        setUp(*symbol);
        result = ZBarcode_Encode(symbol.get(), bytes, length);
    }
    if (result >= ZINT_ERROR) {
        out.Check = zintError(result, *symbol, gs1);
        return out;
    }
    out.Matrix = matrixOf(*symbol, type);
    return out;
}

} // namespace etikor
