// SaveToFile and its single-format variants, the clipboard, and the renderings behind them.

#include "barcode/BarcodePicture.h"

#include "barcode/MetafileDevice.h"

#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMimeData>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace etikor {

namespace {

constexpr int kDotsPerMeter96 = 3780; // 96 dpi, the screen resolution pictures are drawn at

bool writeBytes(const std::string& fileName, const char* data, size_t size) {
    QSaveFile file(QString::fromStdString(fileName));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(data, static_cast<qint64>(size)) != static_cast<qint64>(size)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool writeImage(const std::string& fileName, const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        return false;
    return writeBytes(fileName, bytes.constData(), static_cast<size_t>(bytes.size()));
}

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void jpegErrorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

// Only plain data lives across the setjmp: the caller owns every object with a destructor.
bool compressJpeg(const unsigned char* rgb, int width, int height, int stride, int quality,
                  unsigned char** out, unsigned long* outSize) {
    jpeg_compress_struct info;
    JpegError error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegErrorExit;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, outSize);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.density_unit = 1; // dots per inch
    info.X_density = 96;
    info.Y_density = 96;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(rgb + static_cast<size_t>(info.next_scanline) * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

QImage RenderBarcodeImage(TCustomEAN& ean, int width, int height, bool transparentBackground) {
    QImage image(std::max(1, width), std::max(1, height),
                 transparentBackground ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter96);
    image.setDotsPerMeterY(kDotsPerMeter96);
    image.fill(transparentBackground ? Qt::transparent : Qt::white);
    QPainter painter(&image);
    ean.DrawBarCode(painter, TRect{0, 0, width, height}, TCanvasKind::ckScreen);
    return image;
}

std::string RenderBarcodeMetafile(TCustomEAN& ean, bool enhanced) {
    TMetafileDevice device(ean.Width(), ean.Height());
    {
        QPainter painter(&device);
        ean.DrawBarCode(painter, TRect{0, 0, ean.Width(), ean.Height()}, TCanvasKind::ckScreen);
    }
    return enhanced ? WriteEmf(device.Picture()) : WriteWmf(device.Picture());
}

QByteArray RenderBarcodeSvg(TCustomEAN& ean) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(ean.Width(), ean.Height()));
    svg.setViewBox(QRect(0, 0, ean.Width(), ean.Height()));
    svg.setResolution(96);
    svg.setTitle(QStringLiteral("Barcode"));
    svg.setDescription(QStringLiteral("Drawn by Etikor"));
    QPainter painter(&svg);
    ean.DrawBarCode(painter, TRect{0, 0, ean.Width(), ean.Height()}, TCanvasKind::ckScreen);
    painter.end();
    return bytes;
}

std::string EncodeJpeg(const QImage& image, int quality) {
    if (image.isNull())
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    unsigned char* data = nullptr;
    unsigned long size = 0;
    const bool ok = compressJpeg(rgb.constBits(), rgb.width(), rgb.height(),
                                 static_cast<int>(rgb.bytesPerLine()), quality, &data, &size);
    std::string out;
    if (ok && data)
        out.assign(reinterpret_cast<const char*>(data), size);
    std::free(data);
    return out;
}

bool TCustomEAN::SaveToFile(const std::string& fileName) {
    const QString ext = QFileInfo(QString::fromStdString(fileName)).suffix().toUpper();
    if (ext == "BMP")
        return writeImage(fileName, RenderBarcodeImage(*this, FWidth, FHeight), "bmp");
    if (ext == "WMF" || ext == "EMF")
        return SaveToMetafile(fileName, ext == "EMF");
    if (ext == "PNG")
        return writeImage(fileName, RenderBarcodeImage(*this, FWidth, FHeight, FTransparent), "png");
    if (ext == "SVG") {
        const QByteArray svg = RenderBarcodeSvg(*this);
        return writeBytes(fileName, svg.constData(), static_cast<size_t>(svg.size()));
    }
    if (ext == "JPG" || ext == "JPEG") {
        const std::string jpeg = EncodeJpeg(RenderBarcodeImage(*this, FWidth, FHeight));
        return !jpeg.empty() && writeBytes(fileName, jpeg.data(), jpeg.size());
    }
    // No name, a GIF or an extension of no picture format: nothing is written.
    return false;
}

bool TCustomEAN::SaveToBitmap(const std::string& fileName) {
    return !fileName.empty() && writeImage(fileName, RenderBarcodeImage(*this, FWidth, FHeight), "bmp");
}

bool TCustomEAN::SaveToWmf(const std::string& fileName) {
    return !fileName.empty() && SaveToMetafile(fileName, false);
}

bool TCustomEAN::SaveToEmf(const std::string& fileName) {
    return !fileName.empty() && SaveToMetafile(fileName, true);
}

bool TCustomEAN::SaveToGif(const std::string&) {
    return false;
}

bool TCustomEAN::SaveToMetafile(const std::string& fileName, bool enhanced) {
    const std::string bytes = RenderBarcodeMetafile(*this, enhanced);
    if (bytes.empty())
        return false;
    if (!fileName.empty())
        return writeBytes(fileName, bytes.data(), bytes.size());
    // No name: the clipboard, as a metafile and as a bitmap for programs that take no metafiles.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    auto* data = new QMimeData;
    data->setData(enhanced ? QStringLiteral("image/x-emf") : QStringLiteral("image/x-wmf"),
                  QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    data->setImageData(RenderBarcodeImage(*this, FWidth, FHeight));
    QGuiApplication::clipboard()->setMimeData(data);
    return true;
}

} // namespace etikor
