#include "tablestore/UniqueCode.h"

#include <cmath>

namespace etikor {

namespace {

// TDateTime of 1 November 2000, where Part A's hour count starts.
constexpr double kUniqueEpoch = 36831.0;
constexpr int kSequenceWrap = 3844; // 62 * 62

} // namespace

std::string Base62Digits(long long value, int n) {
    long long modulus = 1;
    for (int i = 0; i < n; ++i)
        modulus *= 62;
    if (value >= modulus)
        value -= modulus; // reduced once; anything beyond is lost
    value %= modulus;
    if (value < 0)
        value += modulus;
    std::string digits(static_cast<std::size_t>(n), '0');
    for (int i = n - 1; i >= 0; --i) {
        digits[static_cast<std::size_t>(i)] = kUniqueCodeDigits[static_cast<std::size_t>(value % 62)];
        value /= 62;
    }
    return digits;
}

std::string TUniqueCodeGenerator::Next(TDateTime now) {
    int hour, minute, second, msec;
    DecodeTime(now, hour, minute, second, msec);
    if (!FStarted) {
        FSequence = hour * 60 + minute;
        FStarted = true;
    } else if (++FSequence >= kSequenceWrap) {
        FSequence = 0;
    }
    const long long days = static_cast<long long>(std::floor(DateOf(now) - kUniqueEpoch));
    return Base62Digits(days * 24 + hour, 3) + Base62Digits(minute * 60 + second, 2) +
           Base62Digits(1922LL * (msec / 10) + FSequence, 3);
}

TUniqueCodeGenerator& UniqueCodeGenerator() {
    static TUniqueCodeGenerator generator;
    return generator;
}

std::string NewUniqueCode() {
    return UniqueCodeGenerator().Next(Now());
}

} // namespace etikor
