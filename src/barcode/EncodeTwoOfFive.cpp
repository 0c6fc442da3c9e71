// The two-of-five family: Datalogic, Matrix, Coop, Industrial, IATA, Invert and Interleaved
// (which also draws ITF, OPC and UPC shipping). Every digit is five elements, two of them wide.
// A text with anything but digits gives an empty pattern: there is no element pattern for it.

#include "barcode/Encoders.h"

#include <array>
#include <cstddef>

namespace etikor {
namespace {

using WidthTable = std::array<std::string_view, 10>;

// Element widths per digit, '1' wide and '0' narrow: the published 2 of 5 table.
constexpr WidthTable kTwoOfFive = {"00110", "10001", "01001", "11000", "00101",
                                   "10100", "01100", "00011", "10010", "01010"};
// Coop 2 of 5 has its own assignment (bar, space, bar, space, bar).
constexpr WidthTable kCoop = {"11000", "00011", "00101", "00110", "01001",
                              "01010", "01100", "10001", "10010", "10100"};

constexpr int kInterleavedQuietZone = 10;
constexpr std::string_view kInterleavedStart = "1010";
constexpr std::string_view kInterleavedStop = "1101";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int firstNonDigitPosition(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (!isDigit(text[i]))
            return static_cast<int>(i) + 1;
    return 0;
}

bool encodable(std::string_view text) {
    return !text.empty() && firstNonDigitPosition(text) == 0;
}

// Writes one element of `wide` or 1 modules.
void element(std::string& pattern, char widthFlag, int wide, char module) {
    pattern.append(widthFlag == '1' ? wide : 1, module);
}

// Bar, space, bar, space, bar, then a narrow space: 8 modules.
void barSpaceDigit(std::string& pattern, std::string_view widths) {
    for (size_t i = 0; i < widths.size(); ++i)
        element(pattern, widths[i], 2, i % 2 == 0 ? '1' : '0');
    pattern += '0';
}

// Five bars, each followed by a narrow space: 12 modules.
void industrialDigit(std::string& pattern, std::string_view widths) {
    for (char w : widths) {
        element(pattern, w, 2, '1');
        pattern += '0';
    }
}

// Five bars three modules wide when wide, each followed by a narrow space: 14 modules.
void iataDigit(std::string& pattern, std::string_view widths) {
    for (char w : widths) {
        element(pattern, w, 3, '1');
        pattern += '0';
    }
}

// The IATA digit with bars and spaces exchanged: 14 modules.
void invertDigit(std::string& pattern, std::string_view widths) {
    for (char w : widths) {
        element(pattern, w, 3, '0');
        pattern += '1';
    }
}

using DigitWriter = void (*)(std::string&, std::string_view);

BarcodeEncoding encodeDiscrete(std::string_view text, std::string_view start, std::string_view stop,
                               const WidthTable& table, DigitWriter writeDigit, size_t digitModules) {
    BarcodeEncoding result;
    if (!encodable(text))
        return result;
    std::string& pattern = result.BarPattern;
    pattern.reserve(start.size() + text.size() * digitModules + stop.size());
    pattern += start;
    result.Anchors.Group1Start = static_cast<int>(pattern.size()) + 1;
    for (char c : text)
        writeDigit(pattern, table[static_cast<size_t>(c - '0')]);
    result.Anchors.Group1End = static_cast<int>(pattern.size()) - 1;
    pattern += stop;
    return result;
}

} // namespace

int InterleavedUnencodablePosition(std::string_view text) {
    return firstNonDigitPosition(text);
}

BarcodeEncoding EncodeDatalogic(std::string_view text, const EncoderOptions&) {
    return encodeDiscrete(text, "2020", "2202", kTwoOfFive, barSpaceDigit, 8);
}

BarcodeEncoding EncodeMatrix(std::string_view text, const EncoderOptions&) {
    return encodeDiscrete(text, "22202020", "2220202", kTwoOfFive, barSpaceDigit, 8);
}

BarcodeEncoding EncodeCoop(std::string_view text, const EncoderOptions&) {
    return encodeDiscrete(text, "220220", "20022", kCoop, barSpaceDigit, 8);
}

BarcodeEncoding EncodeIndustrial(std::string_view text, const EncoderOptions&) {
    return encodeDiscrete(text, "22022020", "2202022", kTwoOfFive, industrialDigit, 12);
}

BarcodeEncoding EncodeIata(std::string_view text, const EncoderOptions&) {
    return encodeDiscrete(text, "2020", "22202", kTwoOfFive, iataDigit, 14);
}

BarcodeEncoding EncodeInvert(std::string_view text, const EncoderOptions&) {
    return encodeDiscrete(text, "20002000202", "0002020002", kTwoOfFive, invertDigit, 14);
}

// Digits in pairs: the first digit's widths are the bars, the second's the spaces between them.
// An odd last digit has no partner and is left out. Start and stop are ordinary bars.
BarcodeEncoding EncodeInterleaved(std::string_view text, const EncoderOptions&) {
    BarcodeEncoding result;
    if (!encodable(text))
        return result;
    const size_t pairs = text.size() / 2;
    std::string& pattern = result.BarPattern;
    pattern.reserve(2 * kInterleavedQuietZone + kInterleavedStart.size() + pairs * 14 +
                    kInterleavedStop.size());
    pattern.append(kInterleavedQuietZone, ' ');
    pattern += kInterleavedStart;
    result.Anchors.Group1Start = static_cast<int>(pattern.size()) + 1;
    for (size_t i = 0; i < 2 * pairs; i += 2) {
        const std::string_view bars = kTwoOfFive[static_cast<size_t>(text[i] - '0')];
        const std::string_view spaces = kTwoOfFive[static_cast<size_t>(text[i + 1] - '0')];
        for (size_t k = 0; k < 5; ++k) {
            element(pattern, bars[k], 2, '1');
            element(pattern, spaces[k], 2, '0');
        }
    }
    result.Anchors.Group1End = static_cast<int>(pattern.size()) - 1;
    pattern += kInterleavedStop;
    pattern.append(kInterleavedQuietZone, ' ');
    return result;
}

// Fourteen digits, optionally a blank and six add-on digits drawn as a second, separate
// Interleaved symbol whose first quiet-zone module carries the add-on marker.
BarcodeEncoding EncodeUpcShipping(std::string_view text, const EncoderOptions& options) {
    constexpr size_t kMainLength = 14;
    constexpr size_t kAddOnFrom = 15; // after the blank
    constexpr size_t kAddOnLength = 6;
    constexpr int kAddOnGap = 9;
    // The add-on digits are written from 19 modules after the marker.
    constexpr int kAddOnTextOffset = kAddOnGap + 1 + 19;

    BarcodeEncoding result = EncodeInterleaved(text.substr(0, kMainLength), options);
    if (result.BarPattern.empty() || text.size() <= kAddOnFrom)
        return result;
    BarcodeEncoding addOn = EncodeInterleaved(text.substr(kAddOnFrom, kAddOnLength), options);
    if (addOn.BarPattern.empty())
        return {};
    addOn.BarPattern.front() = 'X';
    for (char& module : addOn.BarPattern)
        if (module == '2')
            module = '1';
    const int mainLength = static_cast<int>(result.BarPattern.size());
    result.BarPattern.reserve(result.BarPattern.size() + kAddOnGap + addOn.BarPattern.size());
    result.BarPattern.append(kAddOnGap, ' ');
    result.BarPattern += addOn.BarPattern;
    result.Anchors.AddOnStart = mainLength + kAddOnTextOffset;
    return result;
}

} // namespace etikor
