#include "document/WmfPicture.h"

#include "barcode/Metafile.h"

#include <gtest/gtest.h>

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
    QByteArray plain;
    auto u16 = [&](int v) {
        plain.append(static_cast<char>(v & 0xFF));
        plain.append(static_cast<char>((v >> 8) & 0xFF));
    };
    for (int v : {1, 9, 0x0300, 0, 0, 0, 0, 0, 0})
        u16(v);
    for (int v : {5, 0, 0x020C, 30, 50}) // SETWINDOWEXT y=30, x=50
        u16(v);
    for (int v : {3, 0, 0})
        u16(v);
    EXPECT_EQ(RenderWmf(plain).size(), QSize(50, 30));
    EXPECT_TRUE(RenderWmf(QByteArray("plain text, not a metafile")).isNull());
    EXPECT_TRUE(RenderWmf(QByteArray()).isNull());
    const QByteArray sample = SampleWmf();
    for (qsizetype cut = 0; cut < sample.size(); ++cut)
        (void)RenderWmf(sample.left(cut));
}

} // namespace
} // namespace etikor
