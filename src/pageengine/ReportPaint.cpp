#include "pageengine/ReportPaint.h"

#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace etikor {

QRectF TDeviceMap::Rect(const QRectF& mm) const {
    return QRectF(QPointF(X(mm.left()), Y(mm.top())), QPointF(X(mm.right()), Y(mm.bottom())));
}

int TDeviceMap::XPos(double mm) const {
    return static_cast<int>(std::lround(X(mm)));
}

int TDeviceMap::YPos(double mm) const {
    return static_cast<int>(std::lround(Y(mm)));
}

TDeviceMap DeviceMapFor(const QPaintDevice& device, QPointF offsetMm) {
    TDeviceMap map;
    map.DotsPerMmX = device.logicalDpiX() / 25.4;
    map.DotsPerMmY = device.logicalDpiY() / 25.4;
    map.OffsetMm = offsetMm;
    return map;
}

namespace {
void PaintFrame(QPainter& painter, const TDeviceMap& map, const QRectF& rectMm) {
    painter.save();
    QPen pen(Qt::black);
    pen.setWidthF(std::max(25.4 / 96.0 * map.DotsPerMmX, 1.0));
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(map.Rect(rectMm));
    painter.restore();
}
} // namespace

void PaintPage(QPainter& painter, const TDeviceMap& map, const TPreparedPage& page) {
    for (const TPlacedItem& placed : page.Items) {
        if (placed.Item)
            placed.Item->Paint(painter, map, placed);
        else
            PaintFrame(painter, map, placed.RectMm);
    }
}

int PrintReport(const TPreparedReport& report, QPagedPaintDevice& device, const TPrintRange& range,
                QPointF offsetMm, const TProgressEvent& progress) {
    const int count = static_cast<int>(report.Pages.size());
    const int first = std::max(range.FirstPage > 0 ? range.FirstPage : 1, 1);
    const int last = std::min(range.LastPage > 0 ? range.LastPage : count, count);
    const int copies = std::max(range.Copies, 1);
    if (first > last)
        return 0;

    // The paper is the report's page, exactly (a near standard size must not snap to it).
    const QPageSize size(QSizeF(report.PageWidthMm, report.PageLengthMm), QPageSize::Millimeter, QString(),
                         QPageSize::ExactMatch);
    device.setPageLayout(
        QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));

    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const TDeviceMap map = DeviceMapFor(device, offsetMm);
    const int total = (last - first + 1) * copies;
    int written = 0;
    auto printPage = [&](int page) {
        if (written > 0)
            device.newPage();
        PaintPage(painter, map, report.Pages[static_cast<size_t>(page - 1)]);
        ++written;
        if (progress)
            progress(written, total);
    };
    if (range.Collate) {
        for (int copy = 0; copy < copies; ++copy)
            for (int page = first; page <= last; ++page)
                printPage(page);
    } else {
        for (int page = first; page <= last; ++page)
            for (int copy = 0; copy < copies; ++copy)
                printPage(page);
    }
    painter.end();
    return written;
}

QImage RenderPage(const TPreparedReport& report, int pageIndex, double dpi) {
    const int width = static_cast<int>(std::lround(report.PageWidthMm / 25.4 * dpi));
    const int height = static_cast<int>(std::lround(report.PageLengthMm / 25.4 * dpi));
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    if (pageIndex >= 0 && pageIndex < static_cast<int>(report.Pages.size())) {
        QPainter painter(&image);
        PaintPage(painter, DeviceMapFor(image), report.Pages[static_cast<size_t>(pageIndex)]);
    }
    return image;
}

} // namespace etikor
