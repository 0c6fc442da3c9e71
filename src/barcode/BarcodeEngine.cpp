#include "barcode/BarcodeEngine.h"

#include "barcode/BarCodeInfo.h"
#include "barcode/EanUpc.h"
#include "barcode/EncodeMatrix.h"
#include "barcode/Encoders.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace etikor {
namespace {

using T = TTypBarCode;

bool lengthIn(size_t n, std::initializer_list<size_t> accepted) {
    return std::find(accepted.begin(), accepted.end(), n) != accepted.end();
}

TBarCodeCheck fail(TLastPaintError error, int pos = 0, char c = 0) {
    return {false, error, pos, c, {}};
}

TBarCodeCheck failAt(int pos, std::string_view text) {
    return fail(TLastPaintError::erCharOutOfSet, pos, text[static_cast<size_t>(pos) - 1]);
}

// Every character must be in the symbology's set, except that position `blankPos` must hold a
// blank and position `freePos` may hold anything (1-based, 0 = none). The first failing
// position decides.
TBarCodeCheck setTest(std::string_view text, T type, size_t blankPos = 0, size_t freePos = 0) {
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t pos = i + 1;
        const auto c = static_cast<unsigned char>(text[i]);
        if (pos == blankPos) {
            if (c != ' ')
                return fail(TLastPaintError::erCharMustBeSpace, static_cast<int>(pos), text[i]);
        } else if (pos != freePos && !InBarCodeCharSet(type, c)) {
            return fail(TLastPaintError::erCharOutOfSet, static_cast<int>(pos), text[i]);
        }
    }
    return {};
}

TBarCodeCheck lengthInvalid() {
    return fail(TLastPaintError::erBarcodeLengthInvalid);
}

bool isStartStopLetter(char c) {
    return (c >= 'A' && c <= 'D') || (c >= 'a' && c <= 'd');
}

// The check; `prepared` receives the text the encoder gets when it differs from `text`.
TBarCodeCheck check(std::string_view text, T type, std::string* prepared) {
    if (text.empty())
        return fail(TLastPaintError::erEmptyCode);
    const size_t n = text.size();
    switch (type) {
    case T::bcEan8:
    case T::bcJAN8:
    case T::bcEan13:
    case T::bcJAN13:
    case T::bcUPCA:
    case T::bcUPCE0:
    case T::bcUPCE1: {
        size_t blankPos = 0;
        if (type == T::bcEan8 || type == T::bcJAN8) {
            if (!lengthIn(n, {7, 8, 11, 14}))
                return lengthInvalid();
            blankPos = 9;
        } else if (type == T::bcEan13 || type == T::bcJAN13) {
            if (!lengthIn(n, {12, 13, 16, 19}))
                return lengthInvalid();
            blankPos = 14;
        } else if (type == T::bcUPCA) {
            if (!lengthIn(n, {11, 12, 15, 18}))
                return lengthInvalid();
            blankPos = 13;
        } else {
            if (!lengthIn(n, {8, 11, 14}))
                return lengthInvalid();
            // The add-on follows a blank here as everywhere else in the family; without this a
            // ninth character would silently vanish from the symbol.
            blankPos = 9;
        }
        // The check digit is recomputed before the characters are tested, and the encoder gets
        // that completed form.
        std::string completed = NormalizeBarCodeText(text, type);
        TBarCodeCheck result = setTest(completed, type, blankPos);
        if (result.Ok && (type == T::bcUPCE0 || type == T::bcUPCE1) && completed[0] != '0')
            result = fail(TLastPaintError::erFirstCharMustBeZero, 1, completed[0]);
        if (result.Ok && prepared)
            *prepared = std::move(completed);
        return result;
    }
    case T::bcISBN:
    case T::bcISSN:
    case T::bcISMN: {
        std::string plain;
        plain.reserve(n);
        for (char c : text)
            if (c != '-')
                plain.push_back(c);
        if (!lengthIn(plain.size(), {10, 13, 16}))
            return lengthInvalid();
        // The tenth character (the ISBN check character) is replaced by the EAN check digit.
        TBarCodeCheck result = setTest(plain, type, 11, 10);
        if (result.Ok && prepared)
            *prepared = EanForm(text, type);
        return result;
    }
    case T::bcUPCShipping:
        if (!lengthIn(n, {14, 21}))
            return lengthInvalid();
        // Character 15 separates the add-on; any other character there would be dropped.
        return setTest(text, type, 15);
    case T::bcITF:
        if (!lengthIn(n, {6, 14, 16}))
            return lengthInvalid();
        break;
    case T::bc25Interleaved:
        if (n % 2 != 0)
            return fail(TLastPaintError::erCountCharMustBeEven);
        break;
    case T::bcMSIPlessey:
        if (n > 13)
            return lengthInvalid();
        break;
    case T::bcPostNet:
        if (!lengthIn(n, {5, 9, 11}))
            return lengthInvalid();
        break;
    case T::bcOPC:
        if (n != 10)
            return lengthInvalid();
        break;
    case T::bcPZN:
        if (n != 6 && n != 7)
            return lengthInvalid();
        break;
    default:
        break;
    }

    if (type != T::bcITF) {
        const TBarCodeCheck result = setTest(text, type);
        if (!result.Ok)
            return result;
    }
    int pos = 0;
    switch (type) {
    case T::bcCode128:
    case T::bcEan128:
        pos = Code128UnencodablePosition(text, type);
        break;
    case T::bc25Interleaved:
    case T::bcITF:
    case T::bcOPC:
        pos = InterleavedUnencodablePosition(text);
        break;
    case T::bcPostNet:
        pos = PostNetUnencodablePosition(text);
        break;
    case T::bcABCCodabar:
        // The text carries its own start and stop letters; report the offending one.
        if (!isStartStopLetter(text.front()))
            pos = 1;
        else if (!isStartStopLetter(text.back()))
            pos = static_cast<int>(n);
        break;
    default:
        break;
    }
    if (pos > 0 && static_cast<size_t>(pos) <= n)
        return failAt(pos, text);
    return {};
}

// One encoder signature for every symbology.
using Encoder = BarcodeEncoding (*)(std::string_view, T, const EncoderOptions&);

template <BarcodeEncoding (*F)(std::string_view, const EncoderOptions&)>
BarcodeEncoding plain(std::string_view text, T, const EncoderOptions& options) {
    return F(text, options);
}

struct Symbology {
    Encoder encode;
    bool leadingBlanks; // eight blank modules in front for the leading human-readable digit
};

constexpr std::array<Symbology, kLinearBarCodeTypeCount> kSymbologies = {{
    /* bcEan8 */ {plain<EncodeEan8>, false},
    /* bcEan13 */ {plain<EncodeEan13>, true},
    /* bcCodabar */ {plain<EncodeCodabar>, false},
    /* bcCode39Standard */ {plain<EncodeCode39>, false},
    /* bcCode39Full */ {plain<EncodeCode39Full>, false},
    /* bcCode93Standard */ {plain<EncodeCode93>, false},
    /* bcCode93Full */ {plain<EncodeCode93Full>, false},
    /* bcCode128 */ {EncodeCode128, false},
    /* bcABCCodabar */ {plain<EncodeAbcCodabar>, false},
    /* bc25Datalogic */ {plain<EncodeDatalogic>, false},
    /* bc25Interleaved */ {plain<EncodeInterleaved>, false},
    /* bc25Matrix */ {plain<EncodeMatrix>, false},
    /* bc25Industrial */ {plain<EncodeIndustrial>, false},
    /* bc25IATA */ {plain<EncodeIata>, false},
    /* bc25Invert */ {plain<EncodeInvert>, false},
    /* bcITF */ {plain<EncodeInterleaved>, false},
    /* bcISBN */ {plain<EncodeEan13>, true}, // on the EAN-13 form
    /* bcISSN */ {plain<EncodeEan13>, true},
    /* bcISMN */ {plain<EncodeEan13>, true},
    /* bcUPCA */ {plain<EncodeUpcA>, true},
    /* bcUPCE0 */ {EncodeUpcE, true},
    /* bcUPCE1 */ {EncodeUpcE, true},
    /* bcUPCShipping */ {plain<EncodeUpcShipping>, false},
    /* bcJAN8 */ {plain<EncodeEan8>, false},
    /* bcJAN13 */ {plain<EncodeEan13>, true},
    /* bcMSIPlessey */ {plain<EncodeMsi>, false},
    /* bcPostNet */ {plain<EncodePostNet>, false},
    /* bcOPC */ {plain<EncodeInterleaved>, false},
    /* bcEan128 */ {EncodeCode128, false},
    /* bc25Coop */ {plain<EncodeCoop>, false},
    /* bcCode11 */ {plain<EncodeCode11>, false},
    /* bcPZN */ {plain<EncodePzn>, false},
}};

void setCheckAt(std::string& s, size_t pos1, char c) {
    s[pos1 - 1] = c;
}

} // namespace

std::string NormalizeBarCodeText(std::string_view text, TTypBarCode type) {
    std::string s(text);
    const auto view = [&s](size_t count) { return std::string_view(s).substr(0, count); };
    switch (type) {
    case T::bcJAN8:
    case T::bcJAN13:
        // The Japanese prefix is forced; an empty text stays empty (nothing to draw).
        if (!s.empty())
            s = "49" + s.substr(std::min<size_t>(2, s.size()));
        [[fallthrough]];
    case T::bcEan8:
    case T::bcEan13: {
        const size_t main = (type == T::bcEan8 || type == T::bcJAN8) ? 7 : 12;
        if (s.size() == main)
            s.push_back(' ');
        if (s.size() >= main + 1)
            setCheckAt(s, main + 1, main == 7 ? EanCheck3(view(7)) : EanCheck13(view(12)));
        break;
    }
    case T::bcUPCA:
        if (s.size() == 11)
            s.push_back(' ');
        if (s.size() >= 12)
            setCheckAt(s, 12, EanCheck3(view(11)));
        break;
    case T::bcUPCE0:
    case T::bcUPCE1:
        if (s.size() == 6)
            s.insert(s.begin(), '0');
        if (s.size() == 7)
            s.push_back(' ');
        if (s.size() >= 8)
            setCheckAt(s, 8, EanCheck3(UpcEExpansion(s)));
        break;
    case T::bcISBN:
    case T::bcISSN:
    case T::bcISMN: {
        // Positions count in the typed text: the hyphenated form puts the check character at
        // 13. When a blank (the add-on separator) comes before position 13 the text is left
        // as typed, so add-on digits are never overwritten.
        const size_t blank = s.find(' ');
        bool completed = false;
        if (blank == std::string::npos && s.size() == 11) {
            s += "- ";
            completed = true;
        } else if (blank == std::string::npos && s.size() == 12) {
            s.push_back(' ');
            completed = true;
        }
        if (s.size() >= 13 && (completed || blank == std::string::npos || blank >= 13))
            setCheckAt(s, 13, IsbnCheck(view(12)));
        break;
    }
    case T::bcITF:
        if (s.size() == 5 || s.size() == 13 || s.size() == 15)
            s.push_back(' ');
        if (s.size() == 6 || s.size() == 14 || s.size() == 16)
            s.back() = EanCheck3(view(s.size() - 1));
        break;
    case T::bcUPCShipping:
        if (s.size() == 13)
            s.push_back(' ');
        if (s.size() >= 14)
            setCheckAt(s, 14, EanCheck3(view(13)));
        break;
    case T::bcOPC:
        if (s.size() == 9)
            s.push_back(' ');
        if (s.size() >= 10)
            setCheckAt(s, 10, LuhnCheck(view(9)));
        break;
    case T::bcPZN:
        if (s.size() == 6)
            s.push_back(' ');
        if (s.size() == 7)
            setCheckAt(s, 7, PznCheck(view(6)));
        break;
    default:
        break;
    }
    return s;
}

TBarCodeCheck CheckBarCodeText(std::string_view text, TTypBarCode type, const TMatrixOptions& matrix) {
    if (IsMatrixType(type))
        return EncodeMatrixSymbol(text, type, matrix).Check;
    return check(text, type, nullptr);
}

BarcodeEncoding EncodeBarCodeText(std::string_view text, TTypBarCode type, const EncoderOptions& options,
                                  TBarCodeCheck* checkResult) {
    if (IsMatrixType(type)) {
        MatrixEncoding matrix = EncodeMatrixSymbol(text, type, options.Matrix);
        if (checkResult)
            *checkResult = std::move(matrix.Check);
        BarcodeEncoding encoding;
        encoding.Matrix = std::move(matrix.Matrix);
        return encoding;
    }
    const auto index = static_cast<size_t>(type);
    std::string prepared;
    const TBarCodeCheck result =
        index < kSymbologies.size() ? check(text, type, &prepared) : fail(TLastPaintError::erCharOutOfSet);
    if (checkResult)
        *checkResult = result;
    if (!result.Ok)
        return {};
    const Symbology& symbology = kSymbologies[index];
    BarcodeEncoding encoding =
        symbology.encode(prepared.empty() ? text : std::string_view(prepared), type, options);
    if (symbology.leadingBlanks && options.ShowLabels && !encoding.BarPattern.empty()) {
        encoding.BarPattern.insert(0, 8, ' ');
        TextAnchors& a = encoding.Anchors;
        for (int* anchor :
             {&a.Group1Start, &a.Group1End, &a.Group2Start, &a.Group2End, &a.AddOnStart, &a.TrailingDigit})
            *anchor += 8;
    }
    return encoding;
}

} // namespace etikor
