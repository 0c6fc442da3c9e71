// Drawing throughput: the barcode object drawing EAN-13 and Code 128 values (check, encoding,
// module expansion, bars, human-readable text) into a 300 x 120 image, beside libzint encoding
// and rasterising the same values into a bitmap of about the same size
// (ZBarcode_Encode_and_Buffer). Also draws per second onto a PDF page at 1200 dpi.
// Target: the engine at least as fast as libzint per value.
// The two-dimensional symbologies (QR Code, Data Matrix, GS1 DataMatrix, PDF417, Aztec) are
// measured the same way, encode through libzint and draw per symbol, next to the linear ones.

#include "barcode/Ean.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#ifdef ETIKOR_HAVE_ZINT
#include <zint.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using etikor::TTypBarCode;

constexpr int kWidth = 300;
constexpr int kHeight = 120;

// The values of the encoding benchmark: twelve digits (the check digit is computed) and mixed
// Code 128 texts with digit runs.
const std::vector<std::string> kEan13 = {"977121010700", "400638133393", "590123412345", "871234567890",
                                         "599123456789", "123456789012", "000000000000", "978807226102",
                                         "460712345678", "301234567890", "761234567890", "999999999999"};
const std::vector<std::string> kCode128 = {"AB12345cd678901xy",
                                           "Order 2024-0001234",
                                           "KROVA",
                                           "1234567890123456",
                                           "SN:A1B2C3D4E5F6",
                                           "x9y88z777w6666",
                                           "Etikor 00042",
                                           "0101234567890128",
                                           "abc",
                                           "PART-7731-REV-B",
                                           "12345",
                                           "Qty 1000 pcs"};

void engineImage(benchmark::State& state, TTypBarCode type, const std::vector<std::string>& values,
                 bool labels = true, bool gs1 = false) {
    etikor::TEan ean;
    ean.SetTypBarCode(type);
    ean.SetShowLabels(labels);
    etikor::TMatrixOptions options;
    options.DmGs1 = gs1;
    ean.SetMatrixOptions(options);
    // Two-dimensional symbols in whole-pixel modules, as the pictures and the printer draw them.
    ean.SetSecurity(etikor::IsMatrixType(type));
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    size_t failed = 0;
    // One painter for the image, as a label sheet or a preview draws many barcodes with one
    // painter. Every drawing paints the whole box (background, bars, text), as libzint fills
    // its whole bitmap.
    QPainter painter(&image);
    for (auto _ : state) {
        for (const std::string& value : values) {
            ean.SetBarCode(value);
            ean.DrawBarCode(painter, etikor::TRect{0, 0, kWidth, kHeight}, etikor::TCanvasKind::ckScreen);
            failed += ean.LastPattern().empty();
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    if (failed)
        state.SkipWithError("a value was not drawn");
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}

// GS1 element strings for GS1 DataMatrix: GTINs with their check digits, dates and batches.
const std::vector<std::string> kGs1 = {"(01)09501101530003(17)261231(10)AB12",
                                       "(01)04006381333931(10)L0042",
                                       "(01)05901234123457(21)SN000123",
                                       "(01)08712345678906(17)250101",
                                       "(00)106141411234567897",
                                       "(01)09501101530003(10)X",
                                       "(01)04600000000008(17)270630(10)B7",
                                       "(01)03012345678902(21)A1B2C3",
                                       "(01)07612345678900",
                                       "(01)09501101530003(17)280229",
                                       "(01)09501101530003(21)1",
                                       "(01)09501101530003(10)LOT-2024-12"};

BENCHMARK_CAPTURE(engineImage, QRCode, TTypBarCode::bcQRCode, kCode128, false);
BENCHMARK_CAPTURE(engineImage, DataMatrix, TTypBarCode::bcDataMatrix, kCode128, false);
BENCHMARK_CAPTURE(engineImage, Gs1DataMatrix, TTypBarCode::bcDataMatrix, kGs1, false, true);
BENCHMARK_CAPTURE(engineImage, PDF417, TTypBarCode::bcPDF417, kCode128, false);
BENCHMARK_CAPTURE(engineImage, Aztec, TTypBarCode::bcAztec, kCode128, false);

BENCHMARK_CAPTURE(engineImage, Ean13, TTypBarCode::bcEan13, kEan13);
BENCHMARK_CAPTURE(engineImage, Code128, TTypBarCode::bcCode128, kCode128);
// The bars alone, to show what the human-readable text costs.
BENCHMARK_CAPTURE(engineImage, Ean13NoText, TTypBarCode::bcEan13, kEan13, false);
BENCHMARK_CAPTURE(engineImage, Code128NoText, TTypBarCode::bcCode128, kCode128, false);

void enginePdf(benchmark::State& state, TTypBarCode type, const std::vector<std::string>& values) {
    etikor::TEan ean;
    ean.SetTypBarCode(type);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(1200);
    QPainter painter(&pdf);
    // A 25 x 10 mm box at 1200 dpi; a new page every 48 barcodes, as on a label sheet.
    const int w = 1181;
    const int h = 472;
    int onPage = 0;
    for (auto _ : state) {
        for (const std::string& value : values) {
            ean.SetBarCode(value);
            const int x = (onPage % 4) * w;
            const int y = (onPage / 4) * h;
            ean.DrawOnPrinter(painter, etikor::TRect{x, y, x + w, y + h});
            if (++onPage == 48) {
                pdf.newPage();
                onPage = 0;
            }
        }
    }
    painter.end();
    state.counters["pdf_bytes"] = static_cast<double>(buffer.size());
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}

BENCHMARK_CAPTURE(enginePdf, Ean13, TTypBarCode::bcEan13, kEan13);
BENCHMARK_CAPTURE(enginePdf, Code128, TTypBarCode::bcCode128, kCode128);
BENCHMARK_CAPTURE(enginePdf, QRCode, TTypBarCode::bcQRCode, kCode128);
BENCHMARK_CAPTURE(enginePdf, DataMatrix, TTypBarCode::bcDataMatrix, kCode128);
BENCHMARK_CAPTURE(enginePdf, PDF417, TTypBarCode::bcPDF417, kCode128);
BENCHMARK_CAPTURE(enginePdf, Aztec, TTypBarCode::bcAztec, kCode128);

#ifdef ETIKOR_HAVE_ZINT
void zintBuffer(benchmark::State& state, int symbology, const std::vector<std::string>& values) {
    zint_symbol* symbol = ZBarcode_Create();
    // Scale and height chosen once so that the bitmap is about 300 x 120, like the image above.
    symbol->symbology = symbology;
    ZBarcode_Encode_and_Buffer(symbol, reinterpret_cast<const unsigned char*>(values[0].data()),
                               static_cast<int>(values[0].size()), 0);
    const float scale = std::max(0.5f, static_cast<float>(kWidth) / static_cast<float>(symbol->bitmap_width));
    float barHeight = 40;
    for (int pass = 0; pass < 3; ++pass) {
        ZBarcode_Clear(symbol);
        symbol->symbology = symbology;
        symbol->scale = scale;
        symbol->height = barHeight;
        ZBarcode_Encode_and_Buffer(symbol, reinterpret_cast<const unsigned char*>(values[0].data()),
                                   static_cast<int>(values[0].size()), 0);
        barHeight *= static_cast<float>(kHeight) / static_cast<float>(std::max(1, symbol->bitmap_height));
    }
    int width = 0;
    int height = 0;
    for (auto _ : state) {
        for (const std::string& value : values) {
            ZBarcode_Clear(symbol);
            const int error =
                ZBarcode_Encode_and_Buffer(symbol, reinterpret_cast<const unsigned char*>(value.data()),
                                           static_cast<int>(value.size()), 0);
            if (error >= ZINT_ERROR) {
                state.SkipWithError(symbol->errtxt);
                break;
            }
            width = symbol->bitmap_width;
            height = symbol->bitmap_height;
            benchmark::DoNotOptimize(symbol->bitmap);
        }
    }
    state.counters["bitmap_width"] = width;
    state.counters["bitmap_height"] = height;
    ZBarcode_Delete(symbol);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}

BENCHMARK_CAPTURE(zintBuffer, Ean13, BARCODE_EANX, kEan13);
BENCHMARK_CAPTURE(zintBuffer, Code128, BARCODE_CODE128, kCode128);
BENCHMARK_CAPTURE(zintBuffer, QRCode, BARCODE_QRCODE, kCode128);
BENCHMARK_CAPTURE(zintBuffer, DataMatrix, BARCODE_DATAMATRIX, kCode128);
BENCHMARK_CAPTURE(zintBuffer, PDF417, BARCODE_PDF417, kCode128);
BENCHMARK_CAPTURE(zintBuffer, Aztec, BARCODE_AZTEC, kCode128);
#endif

} // namespace

// Text is measured with real fonts: a headless GUI application around the benchmarks.
int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
