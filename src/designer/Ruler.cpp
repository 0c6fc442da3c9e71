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
    painter.setPen(QColor(0x00, 0x00, 0x80));
    const bool horizontal = FOrientation == Qt::Horizontal;
    const int length = horizontal ? width() : height();
    const int depth = horizontal ? height() : width();
    const double perMm = PixelsPerMm();
    // Numbers every 10 mm, or every 5 mm once the ruler is zoomed far enough to hold them.
    const int numberEvery = perMm * 5 >= 28 ? 5 : 10;
    for (int mm = 0;; ++mm) {
        const int pos = FOrigin + static_cast<int>(mm * perMm + 0.5);
        if (pos >= length)
            break;
        const int tick = mm % 10 == 0 ? depth / 2 : mm % 5 == 0 ? depth / 3 : depth / 5;
        if (horizontal)
            painter.drawLine(pos, depth - tick, pos, depth - 1);
        else
            painter.drawLine(depth - tick, pos, depth - 1, pos);
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
        painter.setPen(Qt::black);
        const int pos = FOrigin + FHairLine;
        if (horizontal)
            painter.drawLine(pos, 0, pos, depth - 1);
        else
            painter.drawLine(0, pos, depth - 1, pos);
    }
}

} // namespace etikor
