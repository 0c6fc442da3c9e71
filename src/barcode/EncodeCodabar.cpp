// Codabar (AIM USS-Codabar), wide elements two modules wide. The plain form draws start and
// stop characters with guard bars; ABC Codabar writes the text's own letters as data bars.

#include "barcode/CharacterIndex.h"
#include "barcode/Encoders.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace etikor {
namespace {

constexpr std::string_view kCharacters = "0123456789-$:/.+ABCD";

// Modules of each character of kCharacters: four bars and three spaces, two or three of the
// elements wide.
constexpr std::array<std::string_view, 20> kPatterns = {
    "101010011",  "101011001",  "101001011",  "110010101",  "101101001",  // 0-4
    "110101001",  "100101011",  "100101101",  "100110101",  "110100101",  // 5-9
    "101001101",  "101100101",  "1101011011", "1101101011", "1101101101", // - $ : / .
    "1011011011", "1011001001", "1001001011", "1010010011", "1010011001", // + A B C D
};

constexpr std::string_view kStart = "20220020020"; // "A" with guard bars and its gap
constexpr std::string_view kStop = "2022002002";
constexpr int kChecksumModulus = 16; // only the characters before A..D can be a check character
constexpr std::string_view kSeparator = "000000000000"; // a blank in ABC Codabar

constexpr std::array<int8_t, 256> kValue = [] {
    std::array<int8_t, 256> value = CharacterIndex(kCharacters);
    for (char c : std::string_view("abcd")) // start and stop letters may be typed in lower case
        value[static_cast<unsigned char>(c)] = value[static_cast<unsigned char>(c - 'a' + 'A')];
    return value;
}();

// Pattern of one character with its gap; false for a character Codabar has no pattern for.
bool appendCharacter(char c, std::string& pattern) {
    const int8_t value = kValue[static_cast<unsigned char>(c)];
    if (value < 0)
        return false;
    pattern += kPatterns[static_cast<size_t>(value)];
    pattern += '0';
    return true;
}

bool isStartStopLetter(char c) {
    return (c >= 'A' && c <= 'D') || (c >= 'a' && c <= 'd');
}

// A start or stop letter with guard bars, without its gap.
void appendGuard(char letter, std::string& pattern) {
    const size_t from = pattern.size();
    pattern += kPatterns[static_cast<size_t>(kValue[static_cast<unsigned char>(letter)])];
    std::replace(pattern.begin() + static_cast<std::ptrdiff_t>(from), pattern.end(), '1', '2');
}

} // namespace

// A text that brings its own start and stop letters (the catalogue sample does) is drawn with
// them as the guard characters: wrapped in "A" ... "A" as well, its first letter would read as
// the end of the symbol and no reader could decode it. Other texts get "A" at both ends.
BarcodeEncoding EncodeCodabar(std::string_view text, const EncoderOptions& options) {
    BarcodeEncoding encoding;
    if (text.empty())
        return encoding;
    std::string_view data = text;
    std::string& pattern = encoding.BarPattern;
    pattern.reserve(kStart.size() + (text.size() + 1) * 12 + kStop.size());
    if (text.size() > 2 && isStartStopLetter(text.front()) && isStartStopLetter(text.back())) {
        appendGuard(text.front(), pattern);
        pattern += '0';
        data = text.substr(1, text.size() - 2);
    } else {
        pattern += kStart;
    }
    int sum = 0;
    for (char c : data) {
        if (!appendCharacter(c, pattern))
            return {};
        sum += kValue[static_cast<unsigned char>(c)];
    }
    // This program's check character: the plain sum of the values, start and stop left out.
    if (options.AutoCheckDigit)
        appendCharacter(kCharacters[static_cast<size_t>(sum % kChecksumModulus)], pattern);
    encoding.Anchors.Group1Start = static_cast<int>(kStart.size()) + 1;
    encoding.Anchors.Group1End = static_cast<int>(pattern.size()) - 1;
    if (data.size() == text.size())
        pattern += kStop;
    else
        appendGuard(text.back(), pattern);
    return encoding;
}

BarcodeEncoding EncodeAbcCodabar(std::string_view text, const EncoderOptions& /*options*/) {
    BarcodeEncoding encoding;
    std::string& pattern = encoding.BarPattern;
    pattern.reserve(text.size() * 12);
    for (char c : text) {
        if (c == ' ')
            pattern += kSeparator;
        else if (!appendCharacter(c, pattern))
            return {};
    }
    if (pattern.empty())
        return {};
    encoding.Anchors.Group1Start = 1;
    encoding.Anchors.Group1End = static_cast<int>(pattern.size()) - 1;
    return encoding;
}

} // namespace etikor
