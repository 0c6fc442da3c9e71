// Barcodes written straight into 32-bit images against the painter's own drawing of the same
// barcode: background, bars and the human-readable text must come out pixel for pixel alike.
// A clip rectangle over the whole image sends everything through the painter (same pixels,
// no direct writes), which gives the reference.

#include "DrawSupport.h"

#include "barcode/Ean.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <functional>
#include <string>

namespace etikor::test {
namespace {

using T = TTypBarCode;

struct Scene {
    QImage::Format Format = QImage::Format_RGB32;
    QSize Size{300, 120};
    TRect Box{0, 0, 300, 120};
    QPoint Translation{0, 0};
    // What lies in the image before the drawing: white, or a gradient with some transparency.
    bool PaintedUnder = false;
};

QImage Draw(TEan& ean, const Scene& scene, bool throughPainter) {
    QImage image(scene.Size, scene.Format);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    if (scene.PaintedUnder)
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y,
                               qPremultiply(qRgba(x & 255, (y * 2) & 255, (x + y) & 255, 128 + (x & 127))));
    QPainter painter(&image);
    painter.translate(scene.Translation);
    if (throughPainter)
        painter.setClipRect(QRect(QPoint(0, 0), scene.Size).translated(-scene.Translation));
    ean.DrawBarCode(painter, scene.Box, TCanvasKind::ckScreen);
    return image;
}

// Pixels of the text line that are neither the background nor the bar colour: the glyphs'
// anti-aliased edges, so that the comparison is not between two empty text lines.
int EdgePixels(const QImage& image, int fromRow) {
    int count = 0;
    for (int y = fromRow; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += p != qRgb(255, 255, 255) && p != qRgb(0, 0, 0);
        }
    return count;
}

// "" when two images are alike, else how many pixels differ and where the first one is.
std::string Differences(const QImage& a, const QImage& b) {
    if (a == b)
        return {};
    if (a.size() != b.size() || a.format() != b.format())
        return "different sizes or formats";
    int differing = 0;
    QPoint first;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && differing++ == 0)
                first = QPoint(x, y);
    return std::to_string(differing) + " pixels differ, the first at " + std::to_string(first.x()) + "," +
           std::to_string(first.y());
}

TEST(BarcodeDrawImage, DirectWritesMatchThePainter) {
    struct Row {
        const char* what;
        T type;
        std::string text;
        std::function<void(TEan&, Scene&)> setUp;
    };
    const Row rows[] = {
        // The drawing benchmark's case: text fitted to the bars, up to half of the box high.
        {"Code 128 long text", T::bcCode128, "AB12345cd678901xy", nullptr},
        {"Code 128 short text at half height", T::bcCode128, "KROVA", nullptr},
        {"Code 128 mixed", T::bcCode128, "Order 2024-0001234", nullptr},
        // Guard bars reach into the text line, the add-on digits stand above lowered bars.
        {"EAN-13 with add-on", T::bcEan13, "9771210107001 12345", nullptr},
        {"EAN-13 add-on below", T::bcEan13, "9771210107001 12",
         [](TEan& e, Scene&) { e.SetEan13AddUp(false); }},
        {"EAN-13 digits wider than their groups, over the guard bars", T::bcEan13, "590123412345",
         [](TEan& e, Scene& s) {
             e.SetFontAutoSize(false);
             e.SetFont({"Arial", 22, true});
             s.Box = TRect{0, 0, 190, 80};
         }},
        {"UPC-A leading and trailing digits", T::bcUPCA, "01234567890", nullptr},
        {"UPC-E small digits", T::bcUPCE0, "123456", nullptr},
        {"OPC regrouped", T::bcOPC, "123456789", nullptr},
        // Italic glyphs whose ink overlaps their neighbours'.
        {"italic overlapping glyphs", T::bcCode128, "ffffjWAVyjfff",
         [](TEan& e, Scene&) {
             e.SetFont({"Liberation Serif", 14, false, true});
         }},
        {"bold, not fitted", T::bcCode128, "Bold 42",
         [](TEan& e, Scene&) {
             e.SetFontAutoSize(false);
             e.SetFont({"Arial", 11, true});
         }},
        // A character above the ascent and one below the descent (LabelMask shows any byte).
        {"accented label", T::bcCode128, "Agyzat",
         [](TEan& e, Scene&) { e.SetLabelMask("\xC1_\xFD__\xDD"); }}, // Á, ý, Ý in Windows-1250
        {"coloured", T::bcCode128, "Colour 123",
         [](TEan& e, Scene&) {
             e.SetLinesColor(RgbColor(0x8A, 0x10, 0x20));
             e.SetBackgroundColor(RgbColor(0xF8, 0xF0, 0xC8));
         }},
        // Transparent: the glyphs blend over whatever the image holds.
        {"transparent over a gradient", T::bcCode128, "Over 987",
         [](TEan& e, Scene& s) {
             e.SetTransparent(true);
             s.PaintedUnder = true;
             s.Format = QImage::Format_ARGB32_Premultiplied;
         }},
        {"premultiplied image", T::bcEan13, "590123412345",
         [](TEan&, Scene& s) { s.Format = QImage::Format_ARGB32_Premultiplied; }},
        // Captions: nothing is known to lie between the bars.
        {"captions", T::bcCode128, "Cap 1",
         [](TEan& e, Scene&) {
             e.Caption().SetText("Upper caption");
             e.CaptionBottom().SetText("lower");
         }},
        // A translated painter and a box reaching out of the image on two sides.
        {"translated, clipped at the edges", T::bcCode128, "Edge 1234567",
         [](TEan&, Scene& s) {
             s.Translation = {7, 5};
             s.Box = TRect{-20, -4, 290, 118};
         }},
        // A line wider than the box: the glyphs beside it go over what the image holds there.
        {"text wider than the box", T::bcCode128, "WW",
         [](TEan& e, Scene& s) {
             e.SetFontAutoSize(false);
             e.SetStartStopLines(false);
             e.SetFont({"Arial", 30});
             s.PaintedUnder = true;
             s.Size = QSize(200, 80);
             s.Box = TRect{70, 0, 130, 80};
         }},
        // Glyphs over 64 pixels are drawn as paths by the painter.
        {"text larger than the glyph cache", T::bcCode128, "W8",
         [](TEan& e, Scene& s) {
             e.SetFontAutoSize(false);
             e.SetFont({"Arial", 60});
             s.Size = QSize(300, 200);
             s.Box = TRect{0, 0, 300, 200};
         }},
        {"underlined", T::bcCode128, "Under 1",
         [](TEan& e, Scene&) {
             e.SetFont({"Arial", 16, false, false, true});
         }},
        {"horizontal lines over the text", T::bcCode128, "Lines 1",
         [](TEan& e, Scene&) {
             e.HorzLines().SetLinesCount(5);
             e.HorzLines().SetColor(RgbColor(0x30, 0x60, 0xC0));
         }},
        {"narrow box, small text", T::bcCode128, "0101234567890128",
         [](TEan&, Scene& s) {
             s.Size = QSize(180, 40);
             s.Box = TRect{0, 0, 180, 40};
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TEan ean;
        ean.SetTypBarCode(row.type);
        ean.SetBarCode(row.text);
        Scene scene;
        if (row.setUp)
            row.setUp(ean, scene);
        const QImage direct = Draw(ean, scene, false);
        ASSERT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
        const QImage painted = Draw(ean, scene, true);
        EXPECT_GT(EdgePixels(painted, scene.Size.height() / 2), 0);
        EXPECT_EQ(Differences(direct, painted), "");
    }
}

TEST(BarcodeDrawImage, EveryValueOfASheetMatchesThePainter) {
    // One painter drawing value after value into the same image, as a label sheet does: the
    // glyph masks captured for one value serve the next at other sizes and sub-pixel offsets.
    const char* const values[] = {"AB12345cd678901xy", "Order 2024-0001234", "KROVA", "1234567890123456",
                                  "SN:A1B2C3D4E5F6",   "x9y88z777w6666",     "abc",   "Qty 1000 pcs"};
    TEan ean;
    ean.SetTypBarCode(T::bcCode128);
    QImage direct(300, 120, QImage::Format_RGB32);
    QImage painted(300, 120, QImage::Format_RGB32);
    for (QImage* image : {&direct, &painted}) {
        image->setDotsPerMeterX(3780);
        image->setDotsPerMeterY(3780);
        image->fill(Qt::white);
    }
    QPainter directPainter(&direct);
    QPainter painter(&painted);
    painter.setClipRect(painted.rect());
    for (const TRect box : {TRect{0, 0, 300, 120}, TRect{3, 2, 251, 99}})
        for (const char* value : values) {
            ean.SetBarCode(value);
            ean.DrawBarCode(directPainter, box, TCanvasKind::ckScreen);
            ean.DrawBarCode(painter, box, TCanvasKind::ckScreen);
            ASSERT_EQ(ean.LastPaintError(), TLastPaintError::erOK) << value;
            EXPECT_EQ(Differences(direct, painted), "") << value << " in a box " << box.Right << " wide";
        }
}

} // namespace
} // namespace etikor::test
