#pragma once

// What is wrong with a value typed for a barcode, in words a user can act on: the windows show
// it where the value is entered, the series generator before it writes.

#include "barcode/BarcodeTypes.h"

#include <QString>
#include <string_view>

namespace etikor {

// The symbology's name as the messages use it ("EAN-13").
QString BarCodeDisplayName(TTypBarCode type);

// Empty when `value` (Windows-1250 bytes) can be encoded by `type` with `options`; otherwise one
// sentence (translated; Hungarian by default) naming the symbology and the rule the value
// breaks: an empty value, a character outside the set, a length, a wrong check digit (only
// when the check digit is not computed automatically).
QString BarCodeValueProblem(TTypBarCode type, const EncoderOptions& options, std::string_view value);

} // namespace etikor
