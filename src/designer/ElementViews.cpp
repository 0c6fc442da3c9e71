#include "designer/ElementViews.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "designer/CanvasGeometry.h"
#include "designer/WmfPicture.h"

namespace etikor {

TElementView::TElementView(TElemKind kind, QWidget* parent) : QWidget(parent), FKind(kind) {
    setAttribute(Qt::WA_TranslucentBackground);
}

TPixelRect TElementView::ScreenRect() const {
    return {x(), y(), width(), height()};
}

void TElementView::SetScreenRect(const TPixelRect& rect) {
    setGeometry(rect.Left, rect.Top, rect.Width, rect.Height);
}

void TElementView::mousePressEvent(QMouseEvent* event) {
    // Taken here: the label behind the view would clear the selection.
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit Clicked(this);
}

// ---- text ---------------------------------------------------------------------------------

TRotateLabel::TRotateLabel(QWidget* parent) : TElementView(TElemKind::ekText, parent) {}

void TRotateLabel::SetText(const QString& text) {
    FText = text;
    Adjust();
}

void TRotateLabel::SetTextFont(const QFont& font, const QColor& color) {
    setFont(font);
    FColor = color;
    Adjust();
}

void TRotateLabel::SetAlignment(TAlignment alignment) {
    FAlignment = alignment;
    update();
}

void TRotateLabel::SetEscapement(int degrees) {
    FEscapement = NormalizedAngle(degrees);
    Adjust();
}

void TRotateLabel::SetAutoSize(bool autoSize) {
    FAutoSize = autoSize;
    Adjust();
}

QSize TRotateLabel::TextExtent() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(FText), metrics.height()};
}

void TRotateLabel::Adjust() {
    if (FAutoSize) {
        const QSize extent = TextExtent();
        const TRotatedTextLayout layout = RotatedTextLayout(extent.width(), extent.height(), FEscapement);
        resize(layout.Width, layout.Height);
    }
    update();
}

void TRotateLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(FColor);
    const QSize extent = TextExtent();
    int x = 0;
    int y = 0;
    if (FAutoSize) {
        const TRotatedTextLayout layout = RotatedTextLayout(extent.width(), extent.height(), FEscapement);
        x = layout.StartX;
        y = layout.StartY;
    } else if (FEscapement == 0) {
        const int spare = width() - extent.width();
        if (FAlignment == TAlignment::taCenter)
            x = spare / 2;
        else if (FAlignment == TAlignment::taRightJustify)
            x = spare;
    }
    // The start point is the text's top-left corner before the turn.
    painter.translate(x, y);
    painter.rotate(-FEscapement);
    painter.drawText(QPoint(0, QFontMetrics(font()).ascent()), FText);
}

// ---- picture ------------------------------------------------------------------------------

TPictureView::TPictureView(QWidget* parent) : TElementView(TElemKind::ekPicture, parent) {}

void TPictureView::SetPicture(const QImage& picture, bool placeholder) {
    FPicture = picture;
    FPlaceholder = placeholder;
    update();
}

void TPictureView::paintEvent(QPaintEvent*) {
    if (FPicture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), FPicture);
}

// ---- drawing ------------------------------------------------------------------------------

TMyShape::TMyShape(QWidget* parent) : TElementView(TElemKind::ekDrawing, parent) {}

void TMyShape::SetShape(int shape) {
    FShape = shape;
    update();
}

void TMyShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    // The outline lies inside the bounds: a one-pixel line is a 1-pixel-high rectangle.
    const int w = std::max(width() - 1, 0);
    const int h = std::max(height() - 1, 0);
    switch (FShape) {
    case stEllipse:
        painter.drawEllipse(0, 0, w, h);
        break;
    case stCircle: {
        const int d = std::min(w, h);
        painter.drawEllipse((w - d) / 2, (h - d) / 2, d, d);
        break;
    }
    default:
        painter.drawRect(0, 0, w, h);
        break;
    }
}

// ---- picture files ------------------------------------------------------------------------

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
