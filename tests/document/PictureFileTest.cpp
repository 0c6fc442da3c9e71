#include "document/PictureFiles.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QBuffer>

namespace etikor {
namespace {

// JPEG pictures go through libjpeg: a real file decodes with its size and colours, anything
// else is a null image (the canvas then shows the placeholder).
TEST(PictureFiles, JpegDecodedByLibjpeg) {
    QImage source(30, 20, QImage::Format_RGB32);
    source.fill(QColor(0, 0, 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(source.save(&buffer, "JPEG", 95));
    const QImage decoded = DecodeJpeg(bytes);
    ASSERT_EQ(decoded.size(), QSize(30, 20));
    EXPECT_GT(decoded.pixelColor(15, 10).blue(), 240);
    EXPECT_LT(decoded.pixelColor(15, 10).red(), 16);
    EXPECT_TRUE(DecodeJpeg(QByteArray("not a jpeg")).isNull());
}

// By extension: bitmap, JPEG and icon load; a missing file or another kind is null.
TEST(PictureFiles, LoadByExtension) {
    test::TempDir dir;
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::green);
    const QString bmp = QString::fromStdString(dir.file("a.bmp"));
    const QString jpg = QString::fromStdString(dir.file("a.JPG"));
    const QString ico = QString::fromStdString(dir.file("a.ico"));
    ASSERT_TRUE(image.save(bmp, "BMP"));
    ASSERT_TRUE(image.save(jpg, "JPEG"));
    const bool icoWritten = image.save(ico, "ICO");
    EXPECT_EQ(LoadPictureFile(bmp).size(), QSize(16, 16));
    EXPECT_EQ(LoadPictureFile(jpg).size(), QSize(16, 16));
    if (icoWritten) {
        EXPECT_EQ(LoadPictureFile(ico).size(), QSize(16, 16));
    }
    EXPECT_TRUE(LoadPictureFile(QString::fromStdString(dir.file("missing.bmp"))).isNull());
    EXPECT_EQ(PlaceholderPicture().size(), QSize(23, 23));
}

} // namespace
} // namespace etikor
