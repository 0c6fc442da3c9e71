// Code 128 and EAN-128. Symbol values and their bar/space widths are those of ISO/IEC 15417;
// the choice between the sets A, B and C follows this program's own rules (which differ from
// the standard's shortest-symbol algorithm) so that existing labels keep their exact bars.

#include "barcode/Encoders.h"

#include <array>
#include <cstdint>

namespace etikor {
namespace {

// Bar, space, bar, space, bar, space widths of the symbol values 0..105 (103-105: START A/B/C).
constexpr std::array<const char*, 106> kWidths = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213", //   0
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132", //  10
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211", //  20
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313", //  30
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331", //  40
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111", //  50
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214", //  60
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", //  70
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141", //  80
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141", //  90
    "114131", "311141", "411131", "211412", "211214", "211232",                                         // 100
};

constexpr int kSymbolModules = 11;
constexpr char kStop[] = "2200022202022";

enum Value : uint8_t {
    kShift = 98,
    kCodeC = 99,
    kCodeB = 100,
    kCodeA = 101,
    kFnc1 = 102,
    kStartA = 103,
    kStartB = 104,
    kStartC = 105,
};

using Modules = std::array<char, kSymbolModules>;

// The widths expanded to modules once, at compile time; start characters get guard bars.
constexpr std::array<Modules, 106> kModules = [] {
    std::array<Modules, 106> table{};
    for (size_t value = 0; value < table.size(); ++value) {
        const char bar = value >= kStartA ? '2' : '1';
        size_t m = 0;
        for (int e = 0; e < 6; ++e)
            for (int w = 0; w < kWidths[value][e] - '0'; ++w)
                table[value][m++] = e % 2 == 0 ? bar : '0';
    }
    return table;
}();

enum class Set : uint8_t { A, B, C };

bool isControl(unsigned char c) {
    return c < 32;
}
bool isLower(unsigned char c) {
    return c >= 'a' && c <= 'z';
}
bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

// Value of a character in set A or B: controls are the set-A values 64..95.
uint8_t setValue(unsigned char c) {
    return static_cast<uint8_t>(c < 32 ? c + 64 : c - 32);
}

class SetSelector {
public:
    explicit SetSelector(std::string_view text, std::string& values) : t_(text), v_(values) {}

    void run() {
        size_t p = 0;
        if (digitRun(0) > 0) {
            push(kStartC);
            set_ = Set::C;
            p = pushDigitPairs(0, digitRun(0));
            if (p < t_.size() && isDigit(at(p))) { // the odd digit left over
                push(kCodeB);
                set_ = Set::B;
                push(setValue(at(p++)));
            }
        } else if (controlLowercase(0)) {
            push(kStartA);
            push(setValue(at(0)));
            push(kCodeB);
            push(setValue(at(1)));
            set_ = Set::B;
            p = 2;
        } else {
            push(kStartB);
            set_ = Set::B;
        }
        while (p < t_.size())
            p = step(p);
    }

private:
    unsigned char at(size_t i) const { return static_cast<unsigned char>(t_[i]); }
    void push(uint8_t value) { v_.push_back(static_cast<char>(value)); }

    // Length of the digit run at i when it is worth set C (4 or more), else 0.
    size_t digitRun(size_t i) const {
        size_t end = i;
        while (end < t_.size() && isDigit(at(end)))
            ++end;
        return end - i >= 4 ? end - i : 0;
    }
    bool controlLowercase(size_t i) const {
        return i + 1 < t_.size() && isControl(at(i)) && isLower(at(i + 1));
    }
    bool controlLowercaseControl(size_t i) const {
        return controlLowercase(i) && i + 2 < t_.size() && isControl(at(i + 2));
    }

    size_t pushDigitPairs(size_t i, size_t count) {
        for (; count >= 2; count -= 2, i += 2)
            push(static_cast<uint8_t>((at(i) - '0') * 10 + (at(i + 1) - '0')));
        return i;
    }

    // Three characters whose first and last belong to the other set (A and B): each is shifted,
    // the middle one stays in the current set. Returns the position after them.
    size_t pushShiftedAround(size_t p) {
        push(kShift);
        push(setValue(at(p)));
        push(setValue(at(p + 1)));
        push(kShift);
        push(setValue(at(p + 2)));
        return p + 3;
    }

    // One rule applied at position p; returns the position after what it encoded.
    size_t step(size_t p) {
        const unsigned char c = at(p);
        if (size_t run = digitRun(p); run > 0) {
            if (set_ != Set::C) {
                if (run % 2 == 1) {
                    encodeSingle(c);
                    ++p;
                    --run;
                }
                push(kCodeC);
                set_ = Set::C;
            }
            return pushDigitPairs(p, run);
        }
        if (set_ == Set::B && isControl(c)) {
            if (controlLowercaseControl(p))
                return pushShiftedAround(p);
            push(kCodeA);
            push(setValue(c));
            set_ = Set::A;
            return p + 1;
        }
        if (set_ == Set::A && isLower(c)) {
            if (p + 2 < t_.size() && isControl(at(p + 1)) && isLower(at(p + 2)))
                return pushShiftedAround(p);
            push(kShift);
            push(setValue(c));
            return p + 1;
        }
        if (set_ == Set::C && !isDigit(c)) {
            if (controlLowercase(p)) {
                push(kCodeA);
                push(setValue(c));
                push(kShift);
                push(setValue(at(p + 1)));
                set_ = Set::A;
                return p + 2;
            }
            push(kCodeB);
            set_ = Set::B;
            return p; // the rules again, now in set B
        }
        encodeSingle(c);
        return p + 1;
    }

    // A character in the current set, with the shift or set change it needs.
    void encodeSingle(unsigned char c) {
        if (isControl(c)) {
            if (set_ == Set::C) {
                push(kCodeB);
                set_ = Set::B;
            }
            if (set_ == Set::B)
                push(kShift);
        } else if ((c < 96 && set_ == Set::C) || (c >= 96 && set_ != Set::B)) {
            push(kCodeB);
            set_ = Set::B;
        }
        push(setValue(c));
    }

    std::string_view t_;
    std::string& v_;
    Set set_ = Set::B;
};

} // namespace

int Code128UnencodablePosition(std::string_view text, TTypBarCode /*type*/) {
    for (size_t i = 0; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) >= 128)
            return static_cast<int>(i + 1);
    return 0;
}

BarcodeEncoding EncodeCode128(std::string_view text, TTypBarCode type, const EncoderOptions& options) {
    BarcodeEncoding encoding;
    // Codes 128 and above have no symbol value; an empty pattern rather than a wrong symbol.
    if (text.empty() || Code128UnencodablePosition(text, type) != 0)
        return encoding;

    std::string values;
    values.reserve(text.size() * 2 + 4);
    SetSelector(text, values).run();
    if (type == TTypBarCode::bcEan128)
        values.insert(values.begin() + 1, static_cast<char>(kFnc1));
    if (options.AutoCheckDigit) {
        unsigned sum = static_cast<uint8_t>(values[0]);
        for (size_t i = 1; i < values.size(); ++i)
            sum += static_cast<unsigned>(i) * static_cast<uint8_t>(values[i]);
        values.push_back(static_cast<char>(sum % 103));
    }

    std::string& pattern = encoding.BarPattern;
    pattern.reserve(values.size() * kSymbolModules + sizeof(kStop) - 1);
    for (char value : values) {
        const Modules& modules = kModules[static_cast<uint8_t>(value)];
        pattern.append(modules.data(), modules.size());
    }
    pattern.append(kStop, sizeof(kStop) - 1);
    encoding.Anchors.Group1Start = kSymbolModules + 1;
    encoding.Anchors.Group1End = kSymbolModules * static_cast<int>(values.size()) - 1;
    return encoding;
}

} // namespace etikor
