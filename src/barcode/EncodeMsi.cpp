// MSI (modified Plessey): every character is four bits, every bit one bar and a space.

#include "barcode/Encoders.h"

namespace etikor {
namespace {

constexpr std::string_view kOne = "11100";
constexpr std::string_view kZero = "10000";
constexpr size_t kSecondCheckLength = 14;

// 0..15 for "0".."9" and "A".."F", -1 for anything else.
int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void appendBit(bool bit, std::string& pattern) {
    pattern += bit ? kOne : kZero;
}

} // namespace

// Odd positions from the left count their value; the even positions, read as one decimal
// number, count the digit sum of twice that number. Doubling a number digit by digit gives
// the same digit sum (every carry comes from a digit of 5 or more and takes exactly 9 off),
// so each even-position character adds the digit sum of twice its value. That per-character
// form also gives the letters A..F (10..15) a place in the sum. Other characters count 0.
std::string MsiCheck(std::string_view text) {
    if (text.size() < 2)
        return " ";
    int sum = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const int value = hexValue(text[i]) < 0 ? 0 : hexValue(text[i]);
        if (i % 2 == 0) {
            sum += value;
        } else {
            const int doubled = 2 * value;
            sum += doubled / 10 + doubled % 10;
        }
    }
    return std::string(1, static_cast<char>('0' + (10 - sum % 10) % 10));
}

BarcodeEncoding EncodeMsi(std::string_view text, const EncoderOptions& /*options*/) {
    if (text.empty())
        return {};
    std::string full(text);
    if (full.size() > 1)
        full += MsiCheck(full);
    if (full.size() == kSecondCheckLength)
        full += MsiCheck(full);

    BarcodeEncoding encoding;
    std::string& pattern = encoding.BarPattern;
    pattern.reserve((1 + 4 * full.size() + 2) * kOne.size());
    appendBit(true, pattern); // start
    for (char c : full) {
        const int value = hexValue(c);
        if (value < 0)
            return {};
        for (int bit = 3; bit >= 0; --bit)
            appendBit((value >> bit) & 1, pattern);
    }
    appendBit(false, pattern); // stop
    appendBit(false, pattern);
    const int length = static_cast<int>(pattern.size());
    encoding.Anchors.Group1Start = length / 4;
    encoding.Anchors.Group1End = length - length / 4;
    return encoding;
}

} // namespace etikor
