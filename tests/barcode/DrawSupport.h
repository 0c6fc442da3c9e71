#pragma once

// Helpers for the drawing tests: draw a barcode object into an image or onto the recording
// metafile device, and read pixel rows and columns back as module strings.

#include "barcode/BarcodeDraw.h"
#include "barcode/Ean.h"
#include "barcode/MetafileDevice.h"

#include <QImage>
#include <QPainter>

#include <string>
#include <string_view>
#include <vector>

namespace etikor::test {

// A white image of the given size (96 dpi) with the barcode drawn into the box.
inline QImage DrawToImage(TCustomEAN& ean, int width, int height, TRect box,
                          TCanvasKind kind = TCanvasKind::ckScreen, QColor fill = Qt::white) {
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(fill);
    QPainter painter(&image);
    ean.DrawBarCode(painter, box, kind);
    return image;
}

inline QImage DrawToImage(TCustomEAN& ean, int width, int height) {
    return DrawToImage(ean, width, height, TRect{0, 0, width, height});
}

// The records a drawing leaves on the metafile device.
inline TMetaPicture DrawToRecorder(TCustomEAN& ean, int width, int height) {
    TMetafileDevice device(width, height);
    QPainter painter(&device);
    ean.DrawBarCode(painter, TRect{0, 0, width, height}, TCanvasKind::ckScreen);
    painter.end();
    return device.Picture();
}

// '1' for a bar module or column, '0' for any space.
inline std::string Bits(std::string_view pattern) {
    std::string out(pattern);
    for (char& c : out)
        c = (c == '1' || c == '2' || c == 'M') ? '1' : '0';
    return out;
}

inline char PixelBit(QRgb p) {
    if (p == qRgb(0, 0, 0))
        return '1';
    if (p == qRgb(255, 255, 255))
        return '0';
    if (qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60)
        return 'R';
    return '?';
}

// Pixels from..to-1 of a row (or of a column, read top to bottom) as '1' black, '0' white,
// 'R' red and '?' anything else.
inline std::string RowBits(const QImage& image, int y, int from = 0, int to = -1) {
    if (to < 0)
        to = image.width();
    std::string out;
    for (int x = from; x < to; ++x)
        out.push_back(PixelBit(image.pixel(x, y)));
    return out;
}

inline std::string ColumnBits(const QImage& image, int x, int from = 0, int to = -1) {
    if (to < 0)
        to = image.height();
    std::string out;
    for (int y = from; y < to; ++y)
        out.push_back(PixelBit(image.pixel(x, y)));
    return out;
}

inline int CountRed(const QImage& image) {
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            red += PixelBit(image.pixel(x, y)) == 'R';
    return red;
}

inline bool AllWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

inline std::vector<TMetaRecord> Records(const TMetaPicture& picture, TMetaKind kind) {
    std::vector<TMetaRecord> out;
    for (const TMetaRecord& r : picture.Records)
        if (r.Kind == kind)
            out.push_back(r);
    return out;
}

inline const TMetaRecord* FindText(const TMetaPicture& picture, std::u16string_view text) {
    for (const TMetaRecord& r : picture.Records)
        if (r.Kind == TMetaKind::mkText && r.Text == text)
            return &r;
    return nullptr;
}

// The em height in pixels at 96 dpi that a font of `points` gets (negative, as in a LOGFONT).
inline int FontHeightAt96(int points) {
    return -static_cast<int>(std::lround(points * 96 / 72.0));
}

} // namespace etikor::test
