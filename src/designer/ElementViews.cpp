#include "designer/ElementViews.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <cstdio>

#include "data/TurnedText.h"
#include "designer/CanvasGeometry.h"
#include "document/PictureFiles.h"

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
    if (event->button() != Qt::LeftButton)
        return;
    if (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))
        emit ToggleClicked(this);
    else
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
        const TTurnedTextBox box = TurnedTextBox(extent.width(), extent.height(), FEscapement);
        resize(static_cast<int>(box.Width), static_cast<int>(box.Height));
    }
    update();
}

void TRotateLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(FColor);
    const QSize extent = TextExtent();
    // An auto-sized view is as wide as its text.
    const TTextStart start = TurnedTextStart(extent.width(), extent.height(), FEscapement, FAlignment,
                                             FAutoSize ? extent.width() : width());
    painter.translate(static_cast<int>(start.X), static_cast<int>(start.Y));
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

} // namespace etikor
