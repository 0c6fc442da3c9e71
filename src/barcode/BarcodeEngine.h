#pragma once

// The text rules of the barcode object as plain functions: normalisation on assignment, the
// check, and encoding through one table indexed by symbology. The barcode object (Ean.h)
// wraps them; tools and benchmarks may call them directly.

#include "barcode/BarcodeTypes.h"

#include <string>
#include <string_view>

namespace etikor {

struct TBarCodeCheck {
    bool Ok = true;
    TLastPaintError Error = TLastPaintError::erOK;
    int ErrorPos = 0;   // 1-based; 0 when no position applies
    char ErrorChar = 0; // the rejected character, when there is one
    // The two-dimensional symbologies add the encoder's own words (libzint, English), such as
    // which AI of a GS1 string is wrong; empty for the linear ones.
    std::string Detail;
};

// Writes the check digits that the EAN/UPC family, ITF, UPC shipping, OPC and PZN always
// carry; other symbologies come back as typed.
std::string NormalizeBarCodeText(std::string_view text, TTypBarCode type);

// Validates a text for a symbology without changing it. The two-dimensional symbologies are
// checked by encoding, with their options.
TBarCodeCheck CheckBarCodeText(std::string_view text, TTypBarCode type, const TMatrixOptions& matrix = {});

// Checks and encodes: an empty pattern (and zero anchors) when the check fails. The EAN-13
// family, UPC-A and UPC-E get eight leading blank modules when ShowLabels is on.
BarcodeEncoding EncodeBarCodeText(std::string_view text, TTypBarCode type, const EncoderOptions& options,
                                  TBarCodeCheck* check = nullptr);

} // namespace etikor
