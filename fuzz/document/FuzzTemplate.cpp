// Input: the bytes of a label template (".ctv"). Opening it as the program does (the table
// store, sorted by element name) either fails with the store's database error or gives a table
// that the template model decodes as the canvas reads it: page setup, kinds, fonts,
// alignments, rotations, barcode types, and the barcode values' patterns. A template
// missing a field the decoding needs fails with the database error too; nothing else may
// escape and nothing may crash.

#include "barcode/BarcodeEngine.h"
#include "data/Cp1250Text.h"
#include "data/DatabaseError.h"
#include "document/LabelTemplate.h"
#include "document/TemplateSchema.h"
#include "support/FuzzSupport.h"
#include "tablestore/StoreErrors.h"
#include "tablestore/StoreTable.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
void decode(etikor::TStoreTable& elemek) {
    using namespace etikor;
    TLabelTemplate model(elemek);
    model.Load();
    for (const TLabelElement& element : model.Elements()) {
        if (element.Kind != TElemKind::ekBarcode)
            continue;
        // The value as the barcode view takes it: normalised, checked and encoded.
        const TTypBarCode type = BarcodeTypeForIndex(element.TypeIndex).value_or(TTypBarCode::bcEan13);
        const std::string stored = ToCp1250(element.Value);
        const std::string value =
            NormalizeBarCodeText(stored.empty() ? std::string(kNewBarcodeValue) : stored, type);
        EncoderOptions options;
        options.ShowLabels = element.ShowValue;
        TBarCodeCheck check;
        const BarcodeEncoding encoding = EncodeBarCodeText(value, type, options, &check);
        etikor::fuzz::Require(encoding.BarPattern.empty() != check.Ok, "template",
                              "a pattern with a failed check, or none without");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    etikor::TStoreTable elemek;
    elemek.SetLoadMode(etikor::lmStream);
    elemek.SetStream(std::string(reinterpret_cast<const char*>(data), size));
    elemek.SetIndexFieldNames("Elemnev");
    try {
        elemek.Open();
    } catch (const etikor::EDatabaseError&) {
        return 0;
    } catch (const etikor::EStoreError&) {
        return 0;
    }
    try {
        decode(elemek);
    } catch (const etikor::EDatabaseError&) {
    }
    return 0;
}
