#include "document/WmfPicture.h"

#include "barcode/Metafile.h"

#include <gtest/gtest.h>

#include <QFile>

namespace etikor {
namespace {

// A placeable metafile written by the program's own WMF writer: a red square on the left, a
// black line at the bottom.
QByteArray SampleWmf() {
    TMetaPicture picture;
    picture.Width = 40;
    picture.Height = 20;
    TMetaRecord square;
    square.Kind = TMetaKind::mkPolygon;
    square.Points = {{0, 0}, {20, 0}, {20, 20}, {0, 20}};
    square.Color = 0xFFFF0000;
    TMetaRecord line;
    line.Kind = TMetaKind::mkLine;
    line.Points = {{0, 18}, {40, 18}};
    line.Color = 0xFF000000;
    picture.Records = {square, line};
    const std::string bytes = WriteWmf(picture);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// A metafile without a placeable header: its header, the records given as 16-bit words, and
// the closing record.
QByteArray PlainWmf(std::initializer_list<std::initializer_list<int>> records) {
    QByteArray bytes;
    auto words = [&](std::initializer_list<int> values) {
        for (int v : values) {
            bytes.append(static_cast<char>(v & 0xFF));
            bytes.append(static_cast<char>((v >> 8) & 0xFF));
        }
    };
    words({1, 9, 0x0300, 0, 0, 0, 0, 0, 0});
    for (const auto& record : records)
        words(record);
    words({3, 0, 0});
    return bytes;
}

TEST(WmfPicture, PlaysPolygonsAndLines) {
    const QImage image = RenderWmf(SampleWmf());
    ASSERT_EQ(image.size(), QSize(40, 20)); // 96 units per inch: one unit a pixel
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(30, 5), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(30, 18), QColor(Qt::black));
}

// A header-only metafile sized by its window extent (no placeable header), and bytes that are
// no metafile or are cut anywhere: a picture or a null image, never a crash.
TEST(WmfPicture, UntrustedBytes) {
    const QByteArray plain = PlainWmf({{5, 0, 0x020C, 30, 50}}); // SETWINDOWEXT y=30, x=50
    EXPECT_EQ(RenderWmf(plain).size(), QSize(50, 30));
    EXPECT_TRUE(RenderWmf(QByteArray("plain text, not a metafile")).isNull());
    EXPECT_TRUE(RenderWmf(QByteArray()).isNull());
    const QByteArray sample = SampleWmf();
    for (qsizetype cut = 0; cut < sample.size(); ++cut)
        (void)RenderWmf(sample.left(cut));
}

// A metafile without a placeable header: SETWINDOWEXT records and a TEXTOUT of "AB" at the
// origin. The text is played under the first extent, the picture is sized by the last.
QByteArray StretchedTextWmf(int textExtX, int textExtY, int frameExtX, int frameExtY) {
    return PlainWmf({{5, 0, 0x020C, textExtY, textExtX},        // SETWINDOWEXT y, x
                     {7, 0, 0x0521, 2, 'A' | ('B' << 8), 0, 0}, // TEXTOUT "AB" at 0, 0
                     {5, 0, 0x020C, frameExtY, frameExtX}});
}

int DarkPixels(const QImage& image) {
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

// Text under a mapping that stretches it far more in one direction than the other, or to
// glyphs far larger than the picture, crashed Qt's glyph rasteriser. Such text is drawn as an
// outline, text mapped to nothing is left out, and ordinary text is still drawn.
TEST(WmfPicture, TextUnderExtremeMappings) {
    struct TCase {
        const char* What;
        int TextExtX, TextExtY, FrameExtX, FrameExtY;
        bool Visible; // the glyphs fall inside the picture at a readable size
    };
    const TCase cases[] = {
        {"one unit wide, 32767 high: 50 times wider than tall", 1, 32767, 50, 50, false},
        {"stretched a thousandfold across a tall frame", 32767, -1, 50, 4000, false},
        {"moderately stretched (5 : 1)", 10, 50, 50, 50, true},
        {"huge glyphs: one unit a 4000-pixel square", 1, 1, 4000, 4000, false},
        {"ordinary: one unit a pixel", 50, 50, 50, 50, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        const QImage image = RenderWmf(StretchedTextWmf(c.TextExtX, c.TextExtY, c.FrameExtX, c.FrameExtY));
        ASSERT_FALSE(image.isNull());
        if (c.Visible) {
            EXPECT_GT(DarkPixels(image), 0);
        }
    }
}

// The 66-byte metafile that took the program down in Qt's glyph rasteriser, kept as it was: the
// anisotropic map mode, a window one unit wide and 32767 high while "AB" is drawn, then a
// 4000 x 50 window that sizes the picture, so the text is stretched millions of times more
// across than down. It plays; the text is outlined or left out.
TEST(WmfPicture, TheStretchedTextMetafileThatCrashedPlays) {
    QFile file(ETIKOR_DOCUMENT_FIXTURES "/stretched_text.wmf");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.size(), 66);
    EXPECT_EQ(bytes.mid(18, 8), PlainWmf({{4, 0, 0x0103, 8}}).mid(18, 8)); // SETMAPMODE anisotropic
    EXPECT_EQ(bytes.mid(26, 34), StretchedTextWmf(1, 32767, 4000, 50).mid(18, 34));
    EXPECT_EQ(RenderWmf(bytes).size(), QSize(4000, 50));
}

} // namespace
} // namespace etikor
