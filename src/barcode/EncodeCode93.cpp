// Code 93 and its full-ASCII form (AIM USS-93). Symbol values 43..46 are the shift
// characters ($), (%), (/), (+); in the standard set the user types them as & " ( ).

#include "barcode/CharacterIndex.h"
#include "barcode/Encoders.h"

#include <array>
#include <cstdint>

namespace etikor {
namespace {

constexpr std::string_view kCharacters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%&\"()";

// Bar, space, bar, space, bar, space widths of the symbol values 0..46 (9 modules each).
constexpr std::array<const char*, 47> kWidths = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311",
    "111114", "131211", "141111", // 0-9
    "211113", "211212", "211311", "221112", "221211", "231111", "112113",
    "112212", "112311", "122112", // A-J
    "132111", "111123", "111222", "111321", "121122", "131121", "212112",
    "212211", "211122", "211221", // K-T
    "221121", "222111", "112122", "112221", "122121", "123111", "121131",
    "311112", "311211", "321111",                                         // U-Z - . sp $
    "112131", "113121", "211131", "121221", "312111", "311121", "122211", // / + % shifts
};

constexpr int kSymbolModules = 9;
constexpr std::string_view kStart = "202022220";
constexpr std::string_view kStop = "2020222202"; // the start character and a termination bar

using Modules = std::array<char, kSymbolModules>;

constexpr std::array<Modules, 47> kModules = [] {
    std::array<Modules, 47> table{};
    for (size_t value = 0; value < table.size(); ++value) {
        size_t m = 0;
        for (int e = 0; e < 6; ++e)
            for (int w = 0; w < kWidths[value][e] - '0'; ++w)
                table[value][m++] = e % 2 == 0 ? '1' : '0';
    }
    return table;
}();

constexpr std::array<int8_t, 256> kValue = CharacterIndex(kCharacters);

// The full-ASCII table for codes 0..127, with the shift characters written as & " ( ).
constexpr std::array<std::string_view, 128> kFullAscii = {
    "\"U", "&A", "&B", "&C",  "&D",  "&E",  "&F",  "&G",  //   0
    "&H",  "&I", "&J", "&K",  "&L",  "&M",  "&N",  "&O",  //   8
    "&P",  "&Q", "&R", "&S",  "&T",  "&U",  "&V",  "&W",  //  16
    "&X",  "&Y", "&Z", "\"A", "\"B", "\"C", "\"D", "\"E", //  24
    " ",   "(A", "(B", "(C",  "$",   "%",   "(F",  "(G",  //  32
    "(H",  "(I", "(J", "+",   "(L",  "-",   ".",   "/",   //  40
    "0",   "1",  "2",  "3",   "4",   "5",   "6",   "7",   //  48
    "8",   "9",  "(Z", "\"F", "\"G", "\"H", "\"I", "\"J", //  56
    "\"V", "A",  "B",  "C",   "D",   "E",   "F",   "G",   //  64
    "H",   "I",  "J",  "K",   "L",   "M",   "N",   "O",   //  72
    "P",   "Q",  "R",  "S",   "T",   "U",   "V",   "W",   //  80
    "X",   "Y",  "Z",  "\"K", "\"L", "\"M", "\"N", "\"O", //  88
    "\"W", ")A", ")B", ")C",  ")D",  ")E",  ")F",  ")G",  //  96
    ")H",  ")I", ")J", ")K",  ")L",  ")M",  ")N",  ")O",  // 104
    ")P",  ")Q", ")R", ")S",  ")T",  ")U",  ")V",  ")W",  // 112
    ")X",  ")Y", ")Z", "\"P", "\"Q", "\"R", "\"S", "\"T", // 120
};

// Weighted sum from the rightmost value leftwards, weights 1..maxWeight repeating, mod 47.
uint8_t checkValue(const std::string& values, int maxWeight) {
    int sum = 0;
    int weight = 0;
    for (auto it = values.rbegin(); it != values.rend(); ++it) {
        weight = weight % maxWeight + 1;
        sum += weight * static_cast<uint8_t>(*it);
    }
    return static_cast<uint8_t>(sum % 47);
}

// Appends the check characters (C only with AutoCheckDigit, K always) and writes the symbol.
BarcodeEncoding encodeValues(std::string& values, const EncoderOptions& options) {
    if (options.AutoCheckDigit)
        values.push_back(static_cast<char>(checkValue(values, 20)));
    values.push_back(static_cast<char>(checkValue(values, 15)));

    BarcodeEncoding encoding;
    std::string& pattern = encoding.BarPattern;
    pattern.reserve(kStart.size() + values.size() * kSymbolModules + kStop.size());
    pattern += kStart;
    for (char value : values) {
        const Modules& modules = kModules[static_cast<uint8_t>(value)];
        pattern.append(modules.data(), modules.size());
    }
    encoding.Anchors.Group1Start = static_cast<int>(kStart.size()) + 1;
    encoding.Anchors.Group1End = static_cast<int>(pattern.size()) - 1;
    pattern += kStop;
    return encoding;
}

// Symbol values of the characters, false when one has none.
bool appendValues(std::string_view text, std::string& values) {
    for (char c : text) {
        const int8_t value = kValue[static_cast<unsigned char>(c)];
        if (value < 0)
            return false;
        values.push_back(static_cast<char>(value));
    }
    return true;
}

} // namespace

BarcodeEncoding EncodeCode93(std::string_view text, const EncoderOptions& options) {
    std::string values;
    values.reserve(text.size() + 2);
    if (text.empty() || !appendValues(text, values))
        return {};
    return encodeValues(values, options);
}

// Carries the same check characters as the standard form: a Code 93 symbol without them is
// rejected by readers.
BarcodeEncoding EncodeCode93Full(std::string_view text, const EncoderOptions& options) {
    std::string values;
    values.reserve(text.size() * 2 + 2);
    for (char c : text) {
        const unsigned char code = static_cast<unsigned char>(c);
        if (code >= kFullAscii.size() || !appendValues(kFullAscii[code], values))
            return {};
    }
    if (values.empty())
        return {};
    return encodeValues(values, options);
}

} // namespace etikor
