#pragma once

// The symbology catalogue: one fixed row per TTypBarCode member. Texts are Windows-1250 bytes.

#include "barcode/BarcodeTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace etikor {

struct TBarCodeInfo {
    std::string Name;
    std::string Description;
    std::string Sample;  // assigned to BarCode when the symbology is chosen
    std::string CharSet; // accepted characters in value order
    // Head of the family; ordinal 0 (bcEan8, which heads no family) stands for none.
    TTypBarCode Family = TTypBarCode::bcEan8;
    uint16_t Year = 0; // 0 = not given
    std::string Country;
    bool Supplement = false; // takes a 2- or 5-digit add-on
    bool AutoCaption = false;

    bool HasFamily() const { return Family != TTypBarCode::bcEan8; }
};

TBarCodeInfo GetBarCodeInfo(TTypBarCode type);

// The same character set without building a record; the view stays valid for the program's life.
std::string_view BarCodeCharSet(TTypBarCode type);

// Whether a byte belongs to the character set of a symbology (constant time).
bool InBarCodeCharSet(TTypBarCode type, unsigned char c);

// The member's identifier ("bcEan13") and the way back from it.
std::string_view BarCodeTypeIdent(TTypBarCode type);
std::optional<TTypBarCode> BarCodeTypeFromIdent(std::string_view ident);

} // namespace etikor
