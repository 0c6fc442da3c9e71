// Input: byte 0 picks the linear symbology (mod 32); byte 1 holds the options (bit 0 ShowLabels,
// bit 1 AutoCheckDigit, bit 2 assign through BarCode so normalisation applies first); the
// rest, up to 1,000 bytes, is the text. Whatever the input, the object must report a failed
// check with an empty pattern, or give a non-empty pattern of module characters whose anchors
// are positions in it (length + 1 being the column just after the last module).

#include "barcode/Ean.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace etikor;
    if (size < 2)
        return 0;
    static TEan ean; // one object, as a screen keeps one; every call sets what it uses
    ean.SetTypBarCode(static_cast<TTypBarCode>(data[0] % kLinearBarCodeTypeCount));
    ean.SetShowLabels((data[1] & 1) != 0);
    ean.SetAutoCheckDigit((data[1] & 2) != 0);
    std::string_view text(reinterpret_cast<const char*>(data + 2), std::min<size_t>(size - 2, 1000));
    if (data[1] & 4) {
        ean.SetBarCode(text);
        text = ean.BarCode();
    }
    const BarcodeEncoding e = ean.BuildPattern(text);
    const std::string& p = e.BarPattern;
    if (ean.LastPaintError() != TLastPaintError::erOK) {
        require(p.empty());
        require(e.Anchors == TextAnchors{});
        return 0;
    }
    require(!p.empty());
    require(p.find_first_not_of("0 X12M") == std::string::npos);
    const TextAnchors& a = e.Anchors;
    for (int anchor : {a.Group1Start, a.Group1End, a.Group2Start, a.Group2End, a.AddOnStart, a.TrailingDigit})
        require(anchor >= 0 && anchor <= static_cast<int>(p.size()) + 1);
    return 0;
}
