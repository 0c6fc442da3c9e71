#pragma once

// Test oracle for drawn pictures: reads the one barcode in an image with zxing-cpp, trying
// every rotation. The image must hold a single symbol (zxing 1.4 aborts on several).

#include "DecoderOracle.h"

#include <QImage>

#include <string>

namespace etikor::test {

DecodeResult DecodeImage(const QImage& image, const std::string& formats = {}, bool code39FullAscii = false);

} // namespace etikor::test
