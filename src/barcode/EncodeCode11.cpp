// Code 11 (USD-8), wide elements two modules wide, with its two check characters C and K.

#include "barcode/CharacterIndex.h"
#include "barcode/Encoders.h"

#include <array>
#include <cstdint>

namespace etikor {
namespace {

constexpr std::string_view kCharacters = "0123456789-";

// Modules of each character of kCharacters: three bars and two spaces, one or two wide.
constexpr std::array<std::string_view, 11> kPatterns = {
    "101011",  "1101011", "1001011", "1100101", "1011011", "1101101", // 0-5
    "1001101", "1010011", "1101001", "110101",  "101101",             // 6-9 -
};

constexpr std::string_view kStart = "20220020"; // with guard bars and its gap
constexpr std::string_view kStop = "2022002";
constexpr int kModulus = 11;

constexpr std::array<int8_t, 256> kValue = CharacterIndex(kCharacters);

// Weights 1, 2, 3 ... from the right without wrapping round (this program's rule; the
// published one restarts after 10 for C and after 9 for K, which only long texts notice).
char checkCharacter(std::string_view values) {
    long sum = 0;
    long weight = 0;
    for (auto it = values.rbegin(); it != values.rend(); ++it)
        sum += ++weight * *it;
    return static_cast<char>(sum % kModulus);
}

} // namespace

BarcodeEncoding EncodeCode11(std::string_view text, const EncoderOptions& /*options*/) {
    std::string values;
    values.reserve(text.size() + 2);
    for (char c : text) {
        const int8_t value = kValue[static_cast<unsigned char>(c)];
        if (value < 0)
            return {};
        values.push_back(value);
    }
    if (values.empty())
        return {};
    values.push_back(checkCharacter(values)); // C
    values.push_back(checkCharacter(values)); // K

    BarcodeEncoding encoding;
    std::string& pattern = encoding.BarPattern;
    pattern.reserve(kStart.size() + values.size() * 8 + kStop.size());
    pattern += kStart;
    for (char value : values) {
        pattern += kPatterns[static_cast<size_t>(value)];
        pattern += '0';
    }
    encoding.Anchors.Group1Start = static_cast<int>(kStart.size()) + 1;
    encoding.Anchors.Group1End = static_cast<int>(pattern.size()) - 1;
    pattern += kStop;
    return encoding;
}

} // namespace etikor
