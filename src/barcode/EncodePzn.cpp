// Pharma-Zentral-Nummer: the digits (with their check digit, written by normalisation) drawn as
// Code 39 behind a leading "-".

#include "barcode/Encoders.h"

namespace etikor {

BarcodeEncoding EncodePzn(std::string_view text, const EncoderOptions& options) {
    // PZN is digits only; anything else (such as the ':' of a number without a valid check
    // digit) gives no symbol rather than some other Code 39 character.
    if (text.empty())
        return {};
    for (char c : text)
        if (c < '0' || c > '9')
            return {};
    std::string code39;
    code39.reserve(text.size() + 1);
    code39 += '-';
    code39 += text;
    return EncodeCode39(code39, options);
}

} // namespace etikor
