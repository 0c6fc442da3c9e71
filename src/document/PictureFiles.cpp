#include "document/PictureFiles.h"

#include "document/WmfPicture.h"

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPolygon>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace etikor {

QImage PlaceholderPicture() {
    QImage image(23, 23, QImage::Format_ARGB32);
    image.fill(QColor(0xC0, 0xC0, 0xC0));
    QPainter painter(&image);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(0, 0, 22, 22);
    // A small landscape: sun and hill, the usual sign of "a picture goes here".
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xFF, 0xFF, 0x00));
    painter.drawEllipse(4, 4, 5, 5);
    painter.setBrush(QColor(0x00, 0x80, 0x00));
    painter.drawPolygon(
        QPolygon({QPoint(2, 20), QPoint(9, 10), QPoint(14, 15), QPoint(17, 12), QPoint(21, 20)}));
    return image;
}

namespace {

struct JpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

void OnJpegError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->Jump, 1);
}

} // namespace

QImage DecodeJpeg(const QByteArray& bytes) {
    jpeg_decompress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = OnJpegError;
    QImage image;
    if (setjmp(error.Jump)) {
        jpeg_destroy_decompress(&info);
        return {};
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    // A picture on a label is small; a header claiming more is not worth decoding.
    if (info.output_width == 0 || info.output_height == 0 || info.output_width > 16384 ||
        info.output_height > 16384) {
        jpeg_destroy_decompress(&info);
        return {};
    }
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                   QImage::Format_RGB888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

QImage LoadPictureFile(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        return DecodeJpeg(bytes);
    if (ext == QLatin1String("bmp"))
        return QImage::fromData(bytes, "BMP");
    if (ext == QLatin1String("wmf"))
        return RenderWmf(bytes);
    if (ext == QLatin1String("ico"))
        return QImage::fromData(bytes, "ICO");
    return {};
}

} // namespace etikor
