// Picture files: every format SaveToFile writes is opened by something other than the writer
// (Qt's image readers and SVG renderer, Debian's wmf2svg and emf2svg-conv) and the barcode in
// it is read back by zxing. GIF, the save dialog and the clipboard go through their seams.

#include "DrawSupport.h"
#include "ImageDecoder.h"
#include "support/TempDir.h"

#include "barcode/BarcodePicture.h"
#include "barcode/Ean.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>

#include <filesystem>

namespace etikor::test {
namespace {

// EAN-13 of the catalogue sample, three pixels per module.
void SetUpEan13(TEan& ean) {
    ean.SetTypBarCode(TTypBarCode::bcEan13);
    ean.SetBarCode("977121010700");
    ean.SetBounds(3 * ean.MinimumWidth() + 20, 100);
}

// An SVG document drawn onto a white image of its own size.
QImage RasteriseSvg(const QByteArray& svg, QSize size) {
    QSvgRenderer renderer(svg);
    EXPECT_TRUE(renderer.isValid());
    QImage image(size + QSize(40, 40), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(20, 20, size.width(), size.height()));
    return image;
}

TEST(BarcodePicture, RasterFilesOpenAndDecode) {
    TempDir dir;
    TEan ean;
    SetUpEan13(ean);
    struct Row {
        const char* name;
        const char* magic; // the format's signature at the start of the file
    } rows[] = {
        {"code.bmp", "BM"},
        {"CODE.BMP", "BM"}, // the extension in any case
        {"code.png", "\x89PNG"},
        {"code.jpg", "\xFF\xD8\xFF"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = dir.file(row.name);
        ASSERT_TRUE(ean.SaveToFile(path));
        EXPECT_EQ(ReadFileBytes(path).rfind(row.magic, 0), 0u);
        QImage image(QString::fromStdString(path));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(ean.Width(), ean.Height())); // as large as the control
        const DecodeResult read = DecodeImage(image, "EAN13");
        ASSERT_TRUE(read.ok) << read.error;
        EXPECT_EQ(read.text, "9771210107001");
    }
    // A BMP is a plain Windows bitmap: BITMAPINFOHEADER, no compression.
    const std::string bmp = ReadFileBytes(dir.file("code.bmp"));
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(static_cast<unsigned char>(bmp[14]), 40u);
    EXPECT_EQ(bmp[30], 0);
}

TEST(BarcodePicture, SvgRendersAndDecodes) {
    TempDir dir;
    TEan ean;
    SetUpEan13(ean);
    ean.SetAngle(90);
    ean.SetBounds(100, 3 * ean.MinimumWidth());
    const std::string path = dir.file("code.svg");
    ASSERT_TRUE(ean.SaveToFile(path));
    const QByteArray svg = QByteArray::fromStdString(ReadFileBytes(path));
    EXPECT_TRUE(svg.contains("<svg"));
    const DecodeResult read = DecodeImage(RasteriseSvg(svg, QSize(ean.Width(), ean.Height())), "EAN13");
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.text, "9771210107001");
}

// Runs a converter from Debian's packages; nullopt when it is not installed.
std::optional<int> RunConverter(const QString& program, const QStringList& arguments) {
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(path, arguments);
    process.waitForFinished(30000);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

TEST(BarcodePicture, MetafilesOpenInOtherPrograms) {
    if (QStandardPaths::findExecutable("wmf2svg").isEmpty() ||
        QStandardPaths::findExecutable("emf2svg-conv").isEmpty())
        GTEST_SKIP() << "wmf2svg (libwmf-bin) or emf2svg-conv (emf2svg) is not installed: scripts/deps.sh";
    TempDir dir;
    TEan ean;
    SetUpEan13(ean);
    ean.SetBarCode("9771210107001 12");
    ean.SetBounds(3 * ean.MinimumWidth(), 100);
    struct Row {
        const char* file;
        QString program;
        QStringList arguments;
        const char* magic;
    } rows[] = {
        // Placeable WMF: key 0x9AC6CDD7.
        {"code.wmf", "wmf2svg", {"-o", "wmf.svg", "code.wmf"}, "\xD7\xCD\xC6\x9A"},
        // EMF: EMR_HEADER record type 1, " EMF" signature at offset 40.
        {"code.emf", "emf2svg-conv", {"-i", "code.emf", "-o", "emf.svg"}, "\x01\x00\x00\x00"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        const std::string path = dir.file(row.file);
        ASSERT_TRUE(ean.SaveToFile(path));
        EXPECT_EQ(ReadFileBytes(path).rfind(row.magic, 0), 0u);
        QStringList arguments;
        for (const QString& a : row.arguments)
            arguments << QString::fromStdString(dir.file(a.toStdString()));
        arguments[0] = row.arguments[0];
        if (row.arguments.size() == 4)
            arguments[2] = row.arguments[2];
        const std::optional<int> exit = RunConverter(row.program, arguments);
        ASSERT_TRUE(exit);
        EXPECT_EQ(*exit, 0);
        const std::string svgPath = dir.file(std::string(row.program == "wmf2svg" ? "wmf.svg" : "emf.svg"));
        QByteArray svg = QByteArray::fromStdString(ReadFileBytes(svgPath));
        ASSERT_FALSE(svg.isEmpty());
        // emf2svg outlines every polygon with one pixel whatever the selected pen (the file
        // selects a PS_NULL pen, as the record dump of emf2svg-conv -v shows): drop the outline.
        svg.replace("stroke-width=\"1px\"", "stroke-width=\"0\"");
        // The digits come through as text, the bars as shapes a reader decodes.
        EXPECT_TRUE(svg.contains("771210"));
        EXPECT_TRUE(svg.contains("107001"));
        EXPECT_TRUE(svg.contains(">12<") || svg.contains("[12]"));
        QSvgRenderer renderer(svg);
        ASSERT_TRUE(renderer.isValid());
        const DecodeResult read = DecodeImage(RasteriseSvg(svg, renderer.defaultSize()), "EAN13");
        ASSERT_TRUE(read.ok) << read.error;
        EXPECT_EQ(read.text, "9771210107001");
    }
    // The EMF carries its signature where readers look for it.
    EXPECT_EQ(ReadFileBytes(dir.file("code.emf")).substr(40, 4), " EMF");
}

// QR Code, Data Matrix, PDF417 and Aztec in every picture format, each read back: the raster
// files directly, SVG through Qt's renderer, the metafiles through Debian's converters.
TEST(BarcodePicture, TwoDimensionalSymbolsInEveryFormat) {
    const bool converters = !QStandardPaths::findExecutable("wmf2svg").isEmpty() &&
                            !QStandardPaths::findExecutable("emf2svg-conv").isEmpty();
    TempDir dir;
    const struct {
        TTypBarCode type;
        const char* text;
    } symbols[] = {
        {TTypBarCode::bcQRCode, "Etikor QR 2D"},
        {TTypBarCode::bcDataMatrix, "Etikor DM 2D"},
        {TTypBarCode::bcPDF417, "Etikor PDF 2D"},
        {TTypBarCode::bcAztec, "Etikor Aztec 2D"},
    };
    for (const auto& symbol : symbols)
        for (const char* extension : {"bmp", "png", "svg", "emf", "wmf"}) {
            SCOPED_TRACE(std::string(symbol.text) + " ." + extension);
            TEan ean;
            ean.SetTypBarCode(symbol.type);
            ean.SetBarCode(symbol.text);
            ean.SetSecurity(true);
            ean.SetAngle(symbol.type == TTypBarCode::bcPDF417 ? 90 : 0);
            const int along = 4 * ean.MinimumWidth();
            const int across = 4 * ean.MinimumHeight();
            if (ean.Angle() == 90)
                ean.SetBounds(across, along);
            else
                ean.SetBounds(along, across);
            const std::string path = dir.file(std::string("code.") + extension);
            ASSERT_TRUE(ean.SaveToFile(path));
            ASSERT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
            QImage image;
            const std::string ext = extension;
            if (ext == "bmp" || ext == "png") {
                image = QImage(QString::fromStdString(path));
                ASSERT_EQ(image.size(), QSize(ean.Width(), ean.Height()));
                // Some white around it, as on a page.
                QImage page(image.size() + QSize(20, 20), QImage::Format_RGB32);
                page.fill(Qt::white);
                QPainter painter(&page);
                painter.drawImage(10, 10, image);
                painter.end();
                image = page;
            } else if (ext == "svg") {
                image = RasteriseSvg(QByteArray::fromStdString(ReadFileBytes(path)),
                                     QSize(ean.Width(), ean.Height()));
            } else {
                if (!converters)
                    continue;
                const bool wmf = ext == "wmf";
                const std::string svgPath = dir.file("meta.svg");
                const std::optional<int> exit =
                    wmf ? RunConverter("wmf2svg",
                                       {"-o", QString::fromStdString(svgPath), QString::fromStdString(path)})
                        : RunConverter("emf2svg-conv", {"-i", QString::fromStdString(path), "-o",
                                                        QString::fromStdString(svgPath)});
                ASSERT_TRUE(exit);
                ASSERT_EQ(*exit, 0);
                QByteArray svg = QByteArray::fromStdString(ReadFileBytes(svgPath));
                svg.replace("stroke-width=\"1px\"", "stroke-width=\"0\"");
                QSvgRenderer renderer(svg);
                ASSERT_TRUE(renderer.isValid());
                // Rendered at twice the size: the converters' coordinates are not whole pixels.
                image = RasteriseSvg(svg, renderer.defaultSize() * 2);
            }
            const DecodeResult read = DecodeImage(image, kMatrixFormats);
            ASSERT_TRUE(read.ok) << read.error;
            EXPECT_EQ(read.text, symbol.text);
        }
}

// The EMF header's description is the program's name and the picture's title, each ending in
// a NUL, with a second NUL at the end (16 UTF-16 units), and nothing else is read into it.
TEST(BarcodePicture, EmfDescriptionIsExactlyNameAndTitle) {
    TEan ean;
    SetUpEan13(ean);
    const std::string emf = RenderBarcodeMetafile(ean, true);
    ASSERT_GT(emf.size(), 88u);
    const auto dword = [&](size_t at) {
        uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | static_cast<unsigned char>(emf[at + static_cast<size_t>(i)]);
        return value;
    };
    const uint32_t count = dword(60); // nDescription, in UTF-16 units
    const uint32_t offset = dword(64);
    ASSERT_EQ(count, 16u);
    ASSERT_LE(offset + 2 * count, emf.size());
    std::u16string description;
    for (uint32_t i = 0; i < count; ++i)
        description += static_cast<char16_t>(static_cast<unsigned char>(emf[offset + 2 * i]) |
                                             static_cast<unsigned char>(emf[offset + 2 * i + 1]) << 8);
    EXPECT_EQ(description, std::u16string(u"Etikor\0Barcode\0\0", 16));
}

TEST(BarcodePicture, MetafileWithoutANameGoesToTheClipboard) {
    TEan ean;
    SetUpEan13(ean);
    QClipboard* clipboard = QGuiApplication::clipboard();
    ASSERT_TRUE(ean.SaveToMetafile("", true));
    const QMimeData* data = clipboard->mimeData();
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->data("image/x-emf").startsWith(QByteArray("\x01\x00\x00\x00", 4)));
    ASSERT_TRUE(ean.SaveToMetafile("", false));
    data = clipboard->mimeData();
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->data("image/x-wmf").startsWith("\xD7\xCD\xC6\x9A"));
    EXPECT_TRUE(data->hasImage());
}

TEST(BarcodePicture, UnwritablePlaceOrUnknownExtensionWritesNothing) {
    TempDir dir;
    TEan ean;
    EXPECT_FALSE(ean.SaveToFile(dir.file("missing-folder/code.bmp")));
    EXPECT_FALSE(ean.SaveToFile(dir.file("code.txt")));
    // The engine asks for nothing: no name, or a format it does not write, is no file.
    EXPECT_FALSE(ean.SaveToFile(""));
    EXPECT_FALSE(ean.SaveToFile(dir.file("code.gif")));
    EXPECT_FALSE(ean.SaveToGif(dir.file("other.gif")));
    EXPECT_FALSE(ean.SaveToBitmap(""));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace
} // namespace etikor::test
