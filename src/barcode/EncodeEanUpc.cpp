// EAN-8, EAN-13, UPC-A, UPC-E with their 2- and 5-digit add-ons, and the EAN-13 form of the
// book numbers. Element codes are those of ISO/IEC 15420.

#include "barcode/EanUpc.h"
#include "barcode/Encoders.h"

#include <array>

namespace etikor {
namespace {

using Code = std::array<char, 7>;

// Set A (odd parity, the standard's L set), set B (even parity, G) and set C (right, R).
constexpr std::array<std::string_view, 10> kSetA = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                                    "0110001", "0101111", "0111011", "0110111", "0001011"};
constexpr std::array<std::string_view, 10> kSetB = {"0100111", "0110011", "0011011", "0100001", "0011101",
                                                    "0111001", "0000101", "0010001", "0001001", "0010111"};
constexpr std::array<std::string_view, 10> kSetC = {"1110010", "1100110", "1101100", "1000010", "1011100",
                                                    "1001110", "1010000", "1000100", "1001000", "1110100"};

// Parity of EAN-13 digits 2-7 by the first digit.
constexpr std::array<std::string_view, 10> kEan13Parity = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                                           "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
// UPC-E number system 0 by the check digit (O = set A, E = set B); number system 1 inverts it.
constexpr std::array<std::string_view, 10> kUpcE0Parity = {"EEEOOO", "EEOEOO", "EEOOEO", "EEOOOE", "EOEEOO",
                                                           "EOOEEO", "EOOOEE", "EOEOEO", "EOEOOE", "EOOEOE"};
// Five-digit add-on parity by the weighted sum mod 10.
constexpr std::array<std::string_view, 10> kAddOn5Parity = {"BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA",
                                                            "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB"};

constexpr std::string_view kGuard = "202";
constexpr std::string_view kCentre = "02020";
constexpr std::string_view kUpcEEnd = "020202";

// The encoders get checked text; anything else still maps into the tables.
int digit(char c) {
    return (c >= '0' && c <= '9') ? c - '0' : 0;
}

std::string_view code(char set, char c) {
    const int d = digit(c);
    return set == 'B' ? kSetB[d] : set == 'C' ? kSetC[d] : kSetA[d];
}

int length(const std::string& s) {
    return static_cast<int>(s.size());
}

std::string_view part(std::string_view text, size_t from1, size_t count) {
    return from1 - 1 < text.size() ? text.substr(from1 - 1, count) : std::string_view();
}

// Guard, the left digits in the sets named by `leftSets` (one letter a digit), centre, the right
// digits in set C, guard. The group anchors span the digits of each half.
void appendHalves(BarcodeEncoding& e, std::string_view left, std::string_view leftSets,
                  std::string_view right) {
    std::string& p = e.BarPattern;
    p += kGuard;
    e.Anchors.Group1Start = length(p) + 1;
    for (size_t i = 0; i < left.size(); ++i)
        p += code(leftSets[i], left[i]);
    e.Anchors.Group1End = length(p) - 1;
    p += kCentre;
    e.Anchors.Group2Start = length(p) + 1;
    for (char c : right)
        p += code('C', c);
    e.Anchors.Group2End = length(p) - 1;
    p += kGuard;
}

} // namespace

std::string EanForm(std::string_view text, TTypBarCode type) {
    std::string out;
    out.reserve(text.size() + 4);
    switch (type) {
    case TTypBarCode::bcISBN:
        out = "978";
        break;
    case TTypBarCode::bcISSN:
        out = "977";
        break;
    case TTypBarCode::bcISMN:
        out = "979";
        break;
    default:
        break;
    }
    for (char c : text)
        if (c != '-')
            out.push_back(c);
    if (out.size() == 12)
        out.push_back(' ');
    if (out.size() > 12)
        out[12] = EanCheck13(std::string_view(out).substr(0, 12));
    return out;
}

BarcodeEncoding EncodeEan8(std::string_view text, const EncoderOptions&) {
    BarcodeEncoding e;
    if (text.size() <= 7)
        return e;
    std::string& p = e.BarPattern;
    p.reserve(67 + 9 + 47);
    appendHalves(e, text.substr(0, 4), "AAAA", text.substr(4, 4));
    if (text.size() > 8)
        EncodeAddOn(part(text, 10, 5), length(p), e);
    return e;
}

BarcodeEncoding EncodeEan13(std::string_view text, const EncoderOptions&) {
    BarcodeEncoding e;
    if (text.size() < 13)
        return e;
    const std::string_view parity = kEan13Parity[digit(text[0])];
    std::string& p = e.BarPattern;
    p.reserve(8 + 95 + 9 + 47);
    appendHalves(e, text.substr(1, 6), parity, text.substr(7, 6));
    if (text.size() > 13)
        EncodeAddOn(part(text, 15, 5), length(p), e);
    return e;
}

BarcodeEncoding EncodeUpcA(std::string_view text, const EncoderOptions& options) {
    BarcodeEncoding e;
    if (text.size() < 12)
        return e;
    std::string& p = e.BarPattern;
    p.reserve(8 + 95 + 9 + 47);
    appendHalves(e, text.substr(0, 6), "AAAAAA", text.substr(6, 6));
    // The first and the last digit stand outside the groups, beside the guards.
    e.Anchors.Group1Start += 7;
    e.Anchors.Group2End -= 7;
    e.Anchors.TrailingDigit = length(p) + 1;
    // The first and the last digit carry guard-length bars (modules 4-11 and 86-93).
    for (int m = 4; m <= 11; ++m)
        if (p[m - 1] == '1')
            p[m - 1] = '2';
    for (int m = 86; m <= 93; ++m)
        if (p[m - 1] == '1')
            p[m - 1] = '2';
    if (text.size() <= 12) {
        if (options.ShowLabels)
            p.append(9, ' '); // room for the trailing digit
    } else {
        EncodeAddOn(part(text, 14, 5), length(p), e);
    }
    return e;
}

std::string UpcEExpansion(std::string_view text) {
    // Number system, then d1..d6 as characters 2-7.
    std::string d(7, '0');
    for (size_t i = 0; i < 7 && i < text.size(); ++i)
        d[i] = text[i];
    std::string out;
    out.reserve(11);
    out += d[0];
    switch (d[6]) {
    case '0':
    case '1':
    case '2':
        out += {d[1], d[2], d[6]};
        out += "0000";
        out += {d[3], d[4], d[5]};
        break;
    case '3':
        out += {d[1], d[2], d[3]};
        out += "00000";
        out += {d[4], d[5]};
        break;
    case '4':
        out += {d[1], d[2], d[3], d[4]};
        out += "00000";
        out += d[5];
        break;
    default:
        out += {d[1], d[2], d[3], d[4], d[5]};
        out += "0000";
        out += d[6];
        break;
    }
    return out;
}

BarcodeEncoding EncodeUpcE(std::string_view text, TTypBarCode type, const EncoderOptions& options) {
    BarcodeEncoding e;
    if (text.size() < 8)
        return e;
    const bool system1 = type == TTypBarCode::bcUPCE1;
    const std::string_view parity = kUpcE0Parity[digit(text[7])];
    std::string& p = e.BarPattern;
    p.reserve(8 + 51 + 9 + 47);
    p += kGuard;
    e.Anchors.Group1Start = 4;
    for (size_t i = 0; i < 6; ++i) {
        const bool even = (parity[i] == 'E') != system1;
        p += code(even ? 'B' : 'A', text[i + 1]);
    }
    e.Anchors.Group1End = length(p) - 1;
    p += kUpcEEnd;
    e.Anchors.TrailingDigit = length(p) + 1;
    if (text.size() <= 8) {
        if (options.ShowLabels)
            p.append(5, ' ');
    } else {
        EncodeAddOn(part(text, 10, 5), length(p), e);
    }
    return e;
}

void EncodeAddOn(std::string_view digits, int mainLength, BarcodeEncoding& encoding) {
    std::string& p = encoding.BarPattern;
    p.append(9, '0');
    encoding.Anchors.AddOnStart = mainLength + 10;
    p += "X1011";
    std::string_view parity;
    if (digits.size() == 2) {
        static constexpr std::array<std::string_view, 4> kAddOn2Parity = {"AA", "AB", "BA", "BB"};
        parity = kAddOn2Parity[(digit(digits[0]) * 10 + digit(digits[1])) % 4];
    } else if (digits.size() == 5) {
        const int s = 3 * (digit(digits[0]) + digit(digits[2]) + digit(digits[4])) +
                      9 * (digit(digits[1]) + digit(digits[3]));
        parity = kAddOn5Parity[s % 10];
    } else {
        return;
    }
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0)
            p += "01";
        p += code(parity[i], digits[i]);
    }
}

} // namespace etikor
