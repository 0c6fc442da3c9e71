#include "designer/Ruler.h"

#include "designer/CanvasGeometry.h"

#include <QPainter>

namespace etikor {

TRuler::TRuler(Qt::Orientation orientation, QWidget* parent) : QWidget(parent), FOrientation(orientation) {
    QFont small = font();
    small.setPixelSize(9);
    setFont(small);
}

void TRuler::SetScale(int scale) {
    FScale = scale;
    update();
}

void TRuler::SetOrigin(int px) {
    FOrigin = px;
    update();
}

void TRuler::SetHairLine(int px) {
    if (px == FHairLine)
        return;
    FHairLine = px;
    update();
}

double TRuler::PixelsPerMm() const {
    return kScreenPpi * FScale / 100.0 / 25.4;
}

void TRuler::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xC0, 0xC0, 0xC0));
    const QColor navy(0x00, 0x00, 0x80);
    painter.setPen(navy);
    const bool horizontal = FOrientation == Qt::Horizontal;
    const int length = horizontal ? width() : height();
    const int depth = horizontal ? height() : width();
    const double perMm = PixelsPerMm();
    // Numbers every 10 mm, or every 5 mm once the ruler is zoomed far enough to hold them.
    const int numberEvery = perMm * 5 >= 28 ? 5 : 10;
    // From the first millimetre in sight: scrolled far along, the ticks before it are not drawn.
    const int first = FOrigin < 0 ? static_cast<int>(-FOrigin / perMm) : 0;
    for (int mm = first;; ++mm) {
        const int pos = FOrigin + static_cast<int>(mm * perMm + 0.5);
        if (pos >= length)
            break;
        const int tick = mm % 10 == 0 ? depth / 2 : mm % 5 == 0 ? depth / 3 : depth / 5;
        // Filled pixels rather than lines: a line on a pixel's edge straddles two device pixels
        // at a device pixel ratio of 2.
        if (horizontal)
            painter.fillRect(pos, depth - tick, 1, tick, navy);
        else
            painter.fillRect(depth - tick, pos, tick, 1, navy);
        if (mm % numberEvery == 0 && mm > 0) {
            const QString number = QString::number(mm);
            if (horizontal)
                painter.drawText(pos + 2, 9, number);
            else {
                painter.save();
                painter.translate(9, pos - 2);
                painter.rotate(-90);
                painter.drawText(0, 0, number);
                painter.restore();
            }
        }
    }
    if (FHairLine >= 0) {
        const int pos = FOrigin + FHairLine;
        if (horizontal)
            painter.fillRect(pos, 0, 1, depth, Qt::black);
        else
            painter.fillRect(0, pos, depth, 1, Qt::black);
    }
}

} // namespace etikor
