// Encoding throughput per value: the barcode object's BuildPattern (check, normalised copy,
// encoder, anchors) beside libzint's ZBarcode_Encode (check, encoder, module rows; no
// rendering) on the same values. Target: the engine at least as fast as libzint per value.

#include "barcode/Ean.h"

#include <benchmark/benchmark.h>

#ifdef ETIKOR_HAVE_ZINT
#include <zint.h>
#endif

#include <string>
#include <vector>

namespace {

using etikor::TTypBarCode;

// Twelve digits: both sides compute the check digit.
const std::vector<std::string> kEan13 = {"977121010700", "400638133393", "590123412345", "871234567890",
                                         "599123456789", "123456789012", "000000000000", "978807226102",
                                         "460712345678", "301234567890", "761234567890", "999999999999"};

// Mixed letters, digit runs of odd and even length, lower case.
const std::vector<std::string> kCode128 = {"AB12345cd678901xy",
                                           "Order 2024-0001234 lot 77",
                                           "KROVA",
                                           "1234567890123456",
                                           "SN:A1B2C3D4E5F6",
                                           "x9y88z777w6666",
                                           "Etikor label 00042",
                                           "0101234567890128",
                                           "abc",
                                           "PART-7731-REV-B 12345",
                                           "12345",
                                           "Qty 1000 pcs"};

const std::vector<std::string> kCode39 = {
    "KROVA", "ABC-1234",         "CODE 39 TEST", "12345678",   "$/+%. -",  "PART 7731 REV B",
    "X",     "HELLO WORLD 2024", "A1B2C3D4E5",   "9876543210", "LOT-0042", "ETIKOR"};

void engine(benchmark::State& state, TTypBarCode type, const std::vector<std::string>& values) {
    etikor::TEan ean;
    ean.SetTypBarCode(type);
    size_t modules = 0;
    for (auto _ : state) {
        for (const std::string& value : values) {
            etikor::BarcodeEncoding e = ean.BuildPattern(value);
            modules += e.BarPattern.size();
            benchmark::DoNotOptimize(e);
        }
    }
    if (modules == 0)
        state.SkipWithError("nothing encoded");
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}

BENCHMARK_CAPTURE(engine, Ean13, TTypBarCode::bcEan13, kEan13);
BENCHMARK_CAPTURE(engine, Code128, TTypBarCode::bcCode128, kCode128);
BENCHMARK_CAPTURE(engine, Code39, TTypBarCode::bcCode39Standard, kCode39);

#ifdef ETIKOR_HAVE_ZINT
void zint(benchmark::State& state, int symbology, const std::vector<std::string>& values) {
    zint_symbol* symbol = ZBarcode_Create();
    symbol->symbology = symbology;
    for (auto _ : state) {
        for (const std::string& value : values) {
            ZBarcode_Clear(symbol);
            const int error = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(value.data()),
                                              static_cast<int>(value.size()));
            if (error >= ZINT_ERROR) {
                state.SkipWithError(symbol->errtxt);
                break;
            }
            benchmark::DoNotOptimize(symbol->width);
        }
    }
    ZBarcode_Delete(symbol);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}

BENCHMARK_CAPTURE(zint, Ean13, BARCODE_EANX, kEan13);
BENCHMARK_CAPTURE(zint, Code128, BARCODE_CODE128, kCode128);
BENCHMARK_CAPTURE(zint, Code39, BARCODE_CODE39, kCode39);
#endif

} // namespace
