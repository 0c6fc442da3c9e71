// Input: the bytes of a label template (".ctv"). Opening it as the program does (the table
// store, sorted by element name) either fails with the store's database error or gives a table
// whose page setup and element rows decode as the canvas and printing decode them: kinds,
// fonts, alignments, rotations, barcode types and the barcode values' patterns. A template
// missing a field the decoding needs fails with the database error too; nothing else may
// escape and nothing may crash.

#include "barcode/BarcodeEngine.h"
#include "data/DatabaseError.h"
#include "document/FontDescriptor.h"
#include "document/TemplateModel.h"
#include "tablestore/StoreErrors.h"
#include "tablestore/StoreTable.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "template: %s\n", what);
        std::abort();
    }
}

void decode(etikor::TStoreTable& elemek) {
    using namespace etikor;
    if (LocatePageSetup(elemek)) {
        const TPageSetup setup = ReadPageSetup(elemek);
        (void)setup;
    }
    TElementNamer namer;
    for (elemek.First(); !elemek.Eof(); elemek.Next()) {
        const TElementRow row = ReadElementRow(elemek);
        const std::optional<TElemKind> kind = row.Kind();
        if (!kind)
            continue;
        namer.Loaded(*kind);
        TFont font;
        try {
            ApplyFontDescriptor(row.Betu, font);
        } catch (const EConvertError&) {
        }
        (void)AlignmentFromLetter(row.Tajolas);
        (void)RotationDegrees(row.Forgat);
        if (*kind == TElemKind::ekBarcode) {
            // The value as the barcode view takes it: normalised, checked and encoded.
            const TTypBarCode type = BarcodeTypeForIndex(row.VkIndex).value_or(TTypBarCode::bcEan13);
            const std::string value =
                NormalizeBarCodeText(row.FErtek.empty() ? std::string(kNewBarcodeValue) : row.FErtek, type);
            EncoderOptions options;
            options.ShowLabels = row.VErtek;
            TBarCodeCheck check;
            const BarcodeEncoding encoding = EncodeBarCodeText(value, type, options, &check);
            require(encoding.BarPattern.empty() != check.Ok,
                    "a pattern with a failed check, or none without");
        }
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
