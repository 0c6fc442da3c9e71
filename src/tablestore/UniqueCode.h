#pragma once

// The unique code of the "UNICOD" default value: eight base-62 characters made of the hours
// since 1 November 2000 (3 digits), the minute and second (2 digits) and the hundredth of the
// second combined with a process-wide sequence number (3 digits).

#include "data/DateTime.h"

#include <string>
#include <string_view>

namespace etikor {

inline constexpr std::string_view kUniqueCodeDigits =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

class TUniqueCodeGenerator {
public:
    // The code for the moment `now`; advances the sequence.
    std::string Next(TDateTime now);
    // Forgets the sequence: the next call starts again from hour × 60 + minute.
    void Reset() { FStarted = false; }
    int Sequence() const { return FSequence; }

private:
    bool FStarted = false;
    int FSequence = 0;
};

// `n` base-62 digits of `value`, most significant first, after reducing it once by 62^n when it
// is at least 62^n (higher parts are lost, as the format has no room for them).
std::string Base62Digits(long long value, int n);

// A new code from the process-wide generator at the clock's current time (Now()).
std::string NewUniqueCode();
// The process-wide generator (tests reset it).
TUniqueCodeGenerator& UniqueCodeGenerator();

} // namespace etikor
