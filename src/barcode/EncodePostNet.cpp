// PostNet: frame bar, five bars per digit (two of them full height), an optional check digit,
// frame bar. Only digits have bar codes; the catalogue's letters A-F are refused by the check
// through PostNetUnencodablePosition, and the encoder gives an empty pattern for them.

#include "barcode/Encoders.h"

#include <array>
#include <cstddef>

namespace etikor {
namespace {

// Bars per digit, '1' full and '0' half: the published PostNet table.
constexpr std::array<std::string_view, 10> kPostNet = {"11000", "00011", "00101", "00110", "01001",
                                                       "01010", "01100", "10001", "10010", "10100"};

constexpr char kFullBar = '1';
constexpr char kHalfBar = 'M';

// Every bar is followed by a one-module space.
void bar(std::string& pattern, char bit) {
    pattern += bit == '1' ? kFullBar : kHalfBar;
    pattern += '0';
}

void digitBars(std::string& pattern, int digit) {
    for (char bit : kPostNet[static_cast<size_t>(digit)])
        bar(pattern, bit);
}

} // namespace

int PostNetUnencodablePosition(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return static_cast<int>(i) + 1;
    return 0;
}

// No anchors: PostNet shows no human-readable text.
BarcodeEncoding EncodePostNet(std::string_view text, const EncoderOptions& options) {
    BarcodeEncoding result;
    if (text.empty() || PostNetUnencodablePosition(text) != 0)
        return result;
    const size_t digits = text.size() + (options.AutoCheckDigit ? 1 : 0);
    std::string& pattern = result.BarPattern;
    pattern.reserve(2 * (2 + 5 * digits));
    bar(pattern, '1');
    int sum = 0;
    for (char c : text) {
        sum += c - '0';
        digitBars(pattern, c - '0');
    }
    if (options.AutoCheckDigit)
        digitBars(pattern, (10 - sum % 10) % 10);
    bar(pattern, '1');
    pattern.pop_back(); // no space after the closing frame bar
    return result;
}

} // namespace etikor
