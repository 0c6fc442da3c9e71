#pragma once

// QR Code, Data Matrix ECC 200, PDF417 and Aztec through libzint: the library encodes to the
// standards, the program takes its module matrix and draws the modules itself.

#include "barcode/BarcodeEngine.h"
#include "barcode/BarcodeTypes.h"

#include <string_view>

namespace etikor {

struct MatrixEncoding {
    BarcodeMatrix Matrix; // empty when Check fails
    TBarCodeCheck Check;
};

// `text` is Windows-1250. ASCII goes as it is; text that Latin-1 holds as Latin-1 behind ECI 3,
// other text as UTF-8 behind ECI 26, so no reader has to guess the character set. GS1 Data Matrix
// takes printable ASCII with the AIs in parentheses and checks the AIs and their check digits.
MatrixEncoding EncodeMatrixSymbol(std::string_view text, TTypBarCode type, const TMatrixOptions& options);

// Light modules the standard asks for around the symbol: QR Code 4, Data Matrix 1, PDF417 2,
// Aztec none (its finder needs no margin).
int MatrixQuietZone(TTypBarCode type);

// The option code that a template or a series keeps for a type's settings (0 = the defaults),
// and the settings back from it; codes the type does not know give its defaults.
int MatrixOptionCode(TTypBarCode type, const TMatrixOptions& options);
TMatrixOptions MatrixOptionsFromCode(TTypBarCode type, int code);

} // namespace etikor
