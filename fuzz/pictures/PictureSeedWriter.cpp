// Writes the seeds of the picture fuzz targets: small JPEG, bitmap and icon files (each behind
// its extension byte) and Windows metafiles that use every record the player knows.
// Usage: picture_seed_writer FOLDER (writes FOLDER/picture_files and FOLDER/wmf_picture)

#include "barcode/BarcodePicture.h"
#include "barcode/Ean.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

void save(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

QImage sample(QImage::Format format) {
    QImage image(16, 12, format);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(2, 2, 6, 8, Qt::black);
    painter.fillRect(9, 3, 5, 5, QColor(200, 30, 30));
    return image;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A metafile built record by record (16-bit words, little-endian).
class Wmf {
public:
    void record(uint16_t function, const std::vector<int>& words, const QByteArray& tail = {}) {
        const uint32_t size = static_cast<uint32_t>(3 + words.size() + (tail.size() + 1) / 2);
        u32(FRecords, size);
        u16(FRecords, function);
        for (int w : words)
            u16(FRecords, static_cast<uint16_t>(w));
        FRecords += tail;
        if (tail.size() % 2)
            FRecords += '\0';
        FMaxRecord = std::max(FMaxRecord, size);
    }
    QByteArray bytes(bool placeable) {
        record(0, {}); // end
        QByteArray out;
        if (placeable) {
            u32(out, 0x9AC6CDD7);
            for (int w : {0, 0, 0, 200, 100, 96, 0, 0})
                u16(out, static_cast<uint16_t>(w));
            uint16_t check = 0;
            for (int i = 0; i < 20; i += 2)
                check ^= static_cast<uint16_t>(static_cast<uint8_t>(out[i]) | static_cast<uint8_t>(out[i + 1])
                                                                                  << 8);
            u16(out, check);
        }
        u16(out, 1);
        u16(out, 9);
        u16(out, 0x0300);
        u32(out, static_cast<uint32_t>(9 + FRecords.size() / 2));
        u16(out, 4);
        u32(out, FMaxRecord);
        u16(out, 0);
        return out + FRecords;
    }

private:
    static void u16(QByteArray& b, uint16_t v) {
        b += static_cast<char>(v & 0xFF);
        b += static_cast<char>(v >> 8);
    }
    static void u32(QByteArray& b, uint32_t v) {
        u16(b, static_cast<uint16_t>(v & 0xFFFF));
        u16(b, static_cast<uint16_t>(v >> 16));
    }
    QByteArray FRecords;
    uint32_t FMaxRecord = 3;
};

QByteArray everyRecord(bool placeable) {
    Wmf wmf;
    wmf.record(0x020B, {0, 0});                    // SETWINDOWORG
    wmf.record(0x020C, {100, 200});                // SETWINDOWEXT
    wmf.record(0x02FA, {0, 2, 0, 0x00FF, 0x0000}); // CREATEPENINDIRECT solid, 2, red
    wmf.record(0x02FC, {0, 0xFF00, 0x0000, 0});    // CREATEBRUSHINDIRECT solid, green
    wmf.record(0x02FC, {2, 0x0000, 0x00FF, 5});    // hatched
    QByteArray face("Arial");
    face.append(32 - face.size(), '\0');
    wmf.record(0x02FB, {-16, 0, 450, 450, 700, 1, 0, 0xEE00, 0x0300}, face);             // CREATEFONTINDIRECT
    wmf.record(0x012D, {0});                                                             // SELECTOBJECT pen
    wmf.record(0x012D, {1});                                                             // brush
    wmf.record(0x012D, {3});                                                             // font
    wmf.record(0x0209, {0x0080, 0x0000});                                                // SETTEXTCOLOR
    wmf.record(0x0214, {10, 10});                                                        // MOVETO
    wmf.record(0x0213, {90, 190});                                                       // LINETO
    wmf.record(0x041B, {60, 80, 10, 10});                                                // RECTANGLE
    wmf.record(0x0418, {90, 190, 50, 120});                                              // ELLIPSE
    wmf.record(0x0324, {3, 5, 5, 50, 5, 25, 40});                                        // POLYGON
    wmf.record(0x0325, {3, 5, 95, 50, 60, 95, 95});                                      // POLYLINE
    wmf.record(0x0538, {2, 3, 3, 100, 10, 150, 10, 125, 40, 100, 50, 150, 50, 125, 80}); // POLYPOLYGON
    wmf.record(0x0521, {5},
               QByteArray("Etikor").left(5) + QByteArray(1, '\0') + QByteArray("\x14\x00\x14\x00", 4));
    wmf.record(0x0A32, {70, 20, 4, 0}, QByteArray("Címke", 5)); // EXTTEXTOUT
    // STRETCHDIB of a 2 x 2 24-bit DIB.
    QByteArray dib;
    for (uint32_t v : {40u, 2u, 2u})
        for (int i = 0; i < 4; ++i)
            dib += static_cast<char>((v >> (8 * i)) & 0xFF);
    dib += QByteArray("\x01\x00\x18\x00", 4);
    dib += QByteArray(24, '\0');
    dib += QByteArray("\x00\x00\x00\xFF\xFF\xFF\x00\x00\xFF\xFF\xFF\x00\x00\x00\x00\x00", 16);
    wmf.record(0x0F43, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 40, 40, 55, 150}, dib);
    wmf.record(0x01F0, {0}); // DELETEOBJECT
    return wmf.bytes(placeable);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: picture_seed_writer FOLDER\n");
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir root(QString::fromLocal8Bit(argv[1]));
    root.mkpath(QStringLiteral("picture_files"));
    root.mkpath(QStringLiteral("wmf_picture"));
    const QString pictures = root.filePath(QStringLiteral("picture_files"));
    const QString metafiles = root.filePath(QStringLiteral("wmf_picture"));

    // Byte 0 picks the extension: 0 ".jpg", 1 ".jpeg", 2 ".bmp", 3 ".ico".
    const QImage rgb = sample(QImage::Format_RGB32);
    const std::string jpeg = etikor::EncodeJpeg(rgb, 75);
    save(pictures + "/rgb.jpg", QByteArray(1, '\0') + QByteArray::fromStdString(jpeg));
    save(pictures + "/gray.jpeg", QByteArray(1, '\1') + QByteArray::fromStdString(etikor::EncodeJpeg(
                                                            rgb.convertToFormat(QImage::Format_Grayscale8))));
    save(pictures + "/rgb.bmp", QByteArray(1, '\2') + encoded(rgb, "BMP"));
    save(pictures + "/indexed.bmp",
         QByteArray(1, '\2') + encoded(rgb.convertToFormat(QImage::Format_Indexed8), "BMP"));
    save(pictures + "/mono.bmp",
         QByteArray(1, '\2') + encoded(rgb.convertToFormat(QImage::Format_Mono), "BMP"));
    save(pictures + "/argb.ico", QByteArray(1, '\3') + encoded(sample(QImage::Format_ARGB32), "ICO"));

    // A barcode as the program writes it, and every record the player knows.
    etikor::TEan ean;
    ean.SetBarCode("9771210107001 12");
    ean.SetBounds(220, 80);
    save(metafiles + "/barcode.wmf", QByteArray::fromStdString(etikor::RenderBarcodeMetafile(ean, false)));
    save(metafiles + "/records_placeable.wmf", everyRecord(true));
    save(metafiles + "/records_window.wmf", everyRecord(false));
    return 0;
}
