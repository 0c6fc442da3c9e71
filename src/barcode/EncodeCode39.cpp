// Code 39 and its full-ASCII form (ISO/IEC 16388), wide elements two modules wide.

#include "barcode/CharacterIndex.h"
#include "barcode/Encoders.h"

#include <array>
#include <cstdint>

namespace etikor {
namespace {

constexpr std::string_view kCharacters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";

// Modules of each character of kCharacters, in the same order: five bars and four spaces,
// three of the nine elements wide.
constexpr std::array<std::string_view, 44> kPatterns = {
    "101001101101", "110100101011", "101100101011", "110110010101", "101001101011", // 0-4
    "110100110101", "101100110101", "101001011011", "110100101101", "101100101101", // 5-9
    "110101001011", "101101001011", "110110100101", "101011001011", "110101100101", // A-E
    "101101100101", "101010011011", "110101001101", "101101001101", "101011001101", // F-J
    "110101010011", "101101010011", "110110101001", "101011010011", "110101101001", // K-O
    "101101101001", "101010110011", "110101011001", "101101011001", "101011011001", // P-T
    "110010101011", "100110101011", "110011010101", "100101101011", "110010110101", // U-Y
    "100110110101", "100101011011", "110010101101", "100110101101", "100100100101", // Z - . space $
    "100100101001", "100101001001", "101001001001", "100101101101",                 // / + % *
};

constexpr std::string_view kStart = "2002022022020"; // "*" with guard bars and its gap
constexpr std::string_view kStop = "200202202202";
constexpr int kCharacterModules = 13; // with the inter-character gap

// Index of a character in kCharacters for the bytes that have one, else -1.
constexpr std::array<int8_t, 256> kIndex = CharacterIndex(kCharacters);

// The full-ASCII table: the Code 39 characters that stand for each code 0..127.
constexpr std::array<std::string_view, 128> kFullAscii = {
    "%U", "$A", "$B", "$C", "$D", "$E", "$F", "$G", "$H", "$I", "$J", "$K", "$L", "$M", "$N", "$O", //   0
    "$P", "$Q", "$R", "$S", "$T", "$U", "$V", "$W", "$X", "$Y", "$Z", "%A", "%B", "%C", "%D", "%E", //  16
    " ",  "/A", "/B", "/C", "/D", "/E", "/F", "/G", "/H", "/I", "/J", "/K", "/L", "-",  ".",  "/O", //  32
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "/Z", "%F", "%G", "%H", "%I", "%J", //  48
    "%V", "A",  "B",  "C",  "D",  "E",  "F",  "G",  "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",  //  64
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  "X",  "Y",  "Z",  "%K", "%L", "%M", "%N", "%O", //  80
    "%W", "+A", "+B", "+C", "+D", "+E", "+F", "+G", "+H", "+I", "+J", "+K", "+L", "+M", "+N", "+O", //  96
    "+P", "+Q", "+R", "+S", "+T", "+U", "+V", "+W", "+X", "+Y", "+Z", "%P", "%Q", "%R", "%S", "%T", // 112
};

constexpr unsigned char kEuro = 128; // Windows-1250; written like DEL

} // namespace

BarcodeEncoding EncodeCode39(std::string_view text, const EncoderOptions& /*options*/) {
    BarcodeEncoding encoding;
    if (text.empty())
        return encoding;
    std::string& pattern = encoding.BarPattern;
    pattern.reserve(kStart.size() + text.size() * kCharacterModules + kStop.size());
    pattern += kStart;
    for (char c : text) {
        const int index = kIndex[static_cast<unsigned char>(c)];
        if (index < 0) // no such Code 39 character: no symbol rather than a wrong one
            return {};
        pattern += kPatterns[static_cast<size_t>(index)];
        pattern += '0';
    }
    encoding.Anchors.Group1Start = static_cast<int>(kStart.size()) + 1;
    encoding.Anchors.Group1End = static_cast<int>(pattern.size()) - 1;
    pattern += kStop;
    return encoding;
}

BarcodeEncoding EncodeCode39Full(std::string_view text, const EncoderOptions& options) {
    std::string expanded;
    expanded.reserve(text.size() * 2);
    for (char c : text) {
        const unsigned char code = static_cast<unsigned char>(c);
        if (code < kFullAscii.size())
            expanded += kFullAscii[code];
        else if (code == kEuro)
            expanded += kFullAscii[127];
        else
            return {};
    }
    return EncodeCode39(expanded, options);
}

} // namespace etikor
