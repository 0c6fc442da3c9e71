// Check characters shared by several symbology families. A character that is not a digit
// counts as 0: such a text is rejected by the character-set check anyway, and the check
// character must still be a digit so the text keeps its length and shape.

#include "barcode/Encoders.h"

namespace etikor {
namespace {

int digitValue(char c) { return (c >= '0' && c <= '9') ? c - '0' : 0; }

char tensComplement(int sum) { return static_cast<char>('0' + (10 - sum % 10) % 10); }

} // namespace

char EanCheck13(std::string_view twelveDigits) {
    int sum = 0;
    for (size_t i = 0; i < twelveDigits.size() && i < 12; ++i)
        sum += digitValue(twelveDigits[i]) * (i % 2 == 0 ? 1 : 3);
    return tensComplement(sum);
}

char EanCheck3(std::string_view digits) {
    int sum = 0;
    for (size_t i = 0; i < digits.size(); ++i)
        sum += digitValue(digits[i]) * (i % 2 == 0 ? 3 : 1);
    return tensComplement(sum);
}

char IsbnCheck(std::string_view textWithDashes) {
    int sum = 0;
    int position = 0;
    for (char c : textWithDashes) {
        if (c == '-')
            continue;
        if (++position > 9)
            break;
        sum += digitValue(c) * position;
    }
    const int check = sum % 11;
    return check == 10 ? 'X' : static_cast<char>('0' + check);
}

char LuhnCheck(std::string_view digits) {
    int sum = 0;
    for (size_t i = 0; i < digits.size(); ++i) {
        int value = digitValue(digits[i]);
        if (i % 2 == 0) { // odd position, counted from 1 at the left
            value *= 2;
            if (value > 9)
                value = 1 + (value - 10);
        }
        sum += value;
    }
    return tensComplement(sum);
}

char PznCheck(std::string_view sixDigits) {
    int sum = 0;
    for (size_t i = 0; i < sixDigits.size() && i < 6; ++i)
        sum += digitValue(sixDigits[i]) * static_cast<int>(i + 2);
    return static_cast<char>('0' + sum % 11);
}

} // namespace etikor
