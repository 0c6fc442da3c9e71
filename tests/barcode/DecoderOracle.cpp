#include "DecoderOracle.h"

#include <ZXing/BarcodeFormat.h>
#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>

namespace etikor::test {

std::vector<uint8_t> RenderPattern(std::string_view pattern, const OracleOptions& options, int& width) {
    const int modules = static_cast<int>(pattern.size()) + 2 * options.quietModules;
    width = modules * options.pixelsPerModule;
    std::vector<uint8_t> row(static_cast<size_t>(width), 255);
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '1' && c != '2' && c != 'M')
            continue;
        const size_t x = (static_cast<size_t>(options.quietModules) + i) * options.pixelsPerModule;
        std::fill_n(row.begin() + static_cast<std::ptrdiff_t>(x), options.pixelsPerModule, uint8_t{0});
    }
    std::vector<uint8_t> image;
    image.reserve(row.size() * static_cast<size_t>(options.height));
    for (int y = 0; y < options.height; ++y)
        image.insert(image.end(), row.begin(), row.end());
    return image;
}

namespace {

DecodeResult resultOf(const ZXing::Result& result) {
    DecodeResult decoded;
    decoded.ok = result.isValid();
    decoded.format = ZXing::ToString(result.format());
    decoded.text = result.text();
    decoded.symbology = result.symbologyIdentifier();
    decoded.ecLevel = result.ecLevel();
    if (!decoded.ok)
        decoded.error = result.error().msg();
    return decoded;
}

} // namespace

DecodeResult DecodeModules(const std::vector<uint8_t>& modules, int rows, int columns, int quietModules,
                           int pixelsPerModule) {
    const int width = (columns + 2 * quietModules) * pixelsPerModule;
    const int height = (rows + 2 * quietModules) * pixelsPerModule;
    std::vector<uint8_t> image(static_cast<size_t>(width) * static_cast<size_t>(height), 255);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            if (!modules[static_cast<size_t>(r) * static_cast<size_t>(columns) + static_cast<size_t>(c)])
                continue;
            for (int dy = 0; dy < pixelsPerModule; ++dy) {
                const size_t y = static_cast<size_t>((r + quietModules) * pixelsPerModule + dy);
                const size_t x = static_cast<size_t>((c + quietModules) * pixelsPerModule);
                std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(y * static_cast<size_t>(width) + x),
                            pixelsPerModule, uint8_t{0});
            }
        }
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormatsFromString(kMatrixFormats));
    hints.setTryHarder(true);
    hints.setMaxNumberOfSymbols(1);
    hints.setIsPure(false);
    const ZXing::ImageView view(image.data(), width, height, ZXing::ImageFormat::Lum);
    return resultOf(ZXing::ReadBarcode(view, hints));
}

DecodeResult DecodePattern(std::string_view pattern, const OracleOptions& options) {
    int width = 0;
    const std::vector<uint8_t> image = RenderPattern(pattern, options, width);
    ZXing::DecodeHints hints;
    hints.setFormats(options.formats.empty() ? ZXing::BarcodeFormat::LinearCodes
                                             : ZXing::BarcodeFormatsFromString(options.formats));
    hints.setTryHarder(true);
    hints.setTryRotate(false);
    hints.setMaxNumberOfSymbols(1);
    hints.setTryCode39ExtendedMode(options.code39FullAscii);
    hints.setEanAddOnSymbol(options.readAddOn ? ZXing::EanAddOnSymbol::Read : ZXing::EanAddOnSymbol::Ignore);
    const ZXing::ImageView view(image.data(), width, options.height, ZXing::ImageFormat::Lum);
    return resultOf(ZXing::ReadBarcode(view, hints));
}

} // namespace etikor::test
