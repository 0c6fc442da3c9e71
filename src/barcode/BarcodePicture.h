#pragma once

// Pictures of a barcode object: the raster and vector renderings behind SaveToFile, usable on
// their own by tools and the catalogue page.

#include "barcode/Ean.h"

#include <QByteArray>
#include <QImage>

#include <string>

namespace etikor {

// The control's picture on a white background (transparent for a PNG of a Transparent barcode),
// width x height pixels at 96 dpi.
QImage RenderBarcodeImage(TCustomEAN& ean, int width, int height, bool transparentBackground = false);

// The control drawn as a metafile of its size: WMF, or EMF when `enhanced`. Empty on failure.
std::string RenderBarcodeMetafile(TCustomEAN& ean, bool enhanced);

// The control drawn as an SVG document.
QByteArray RenderBarcodeSvg(TCustomEAN& ean);

// A baseline JPEG (libjpeg) of an image; empty on failure.
std::string EncodeJpeg(const QImage& image, int quality = 90);

// The dialog filters of the picture files.
inline constexpr const char* kPictureFilter =
    "Bitmap file|*.bmp|Windows metafile|*.wmf|Enhanced metafile|*.emf|GIF file|*.gif|";
inline constexpr const char* kBitmapFilter = "Bitmap file|*.bmp";
inline constexpr const char* kWmfFilter = "Windows metafile|*.wmf";
inline constexpr const char* kEmfFilter = "Enhanced metafile|*.emf";
inline constexpr const char* kGifFilter = "GIF file|*.gif";

} // namespace etikor
