#include "ImageDecoder.h"

#include <ZXing/BarcodeFormat.h>
#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>

namespace etikor::test {

DecodeResult DecodeImage(const QImage& image, const std::string& formats, bool code39FullAscii) {
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    ZXing::DecodeHints hints;
    hints.setFormats(formats.empty() ? ZXing::BarcodeFormat::LinearCodes
                                     : ZXing::BarcodeFormatsFromString(formats));
    hints.setTryHarder(true);
    hints.setTryRotate(true);
    hints.setMaxNumberOfSymbols(1);
    hints.setTryCode39ExtendedMode(code39FullAscii);
    hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Ignore);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum,
                                static_cast<int>(gray.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    DecodeResult decoded;
    decoded.ok = result.isValid();
    decoded.format = ZXing::ToString(result.format());
    decoded.text = result.text();
    decoded.symbology = result.symbologyIdentifier();
    if (!decoded.ok)
        decoded.error = result.error().msg();
    return decoded;
}

} // namespace etikor::test
