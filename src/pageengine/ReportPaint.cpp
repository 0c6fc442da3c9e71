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

void PaintPage(QPainter& painter, const TDeviceMap& map, const TPreparedPage& page) {
    // Every item sets the pen, brush and font it draws with; the page gives the painter back
    // as it came.
    painter.save();
    QPen framePen(Qt::black);
    framePen.setWidthF(std::max(25.4 / 96.0 * map.DotsPerMmX, 1.0));
    framePen.setJoinStyle(Qt::MiterJoin);
    for (const TPlacedItem& placed : page.Items) {
        if (placed.Item) {
            placed.Item->Paint(painter, map, placed);
        } else {
            painter.setPen(framePen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(map.Rect(placed.RectMm));
        }
    }
    painter.restore();
}

int PrintReport(TPageSource& pages, QPagedPaintDevice& device, const TPrintRange& range, QPointF offsetMm,
                const TProgressEvent& progress) {
    const int count = pages.PageCount();
    const int first = std::max(range.FirstPage > 0 ? range.FirstPage : 1, 1);
    const int last = std::min(range.LastPage > 0 ? range.LastPage : count, count);
    const int copies = std::max(range.Copies, 1);
    if (first > last)
        return 0;

    // The paper is the report's page, exactly (a near standard size must not snap to it).
    const QPageSize size(QSizeF(pages.PageWidthMm(), pages.PageLengthMm()), QPageSize::Millimeter, QString(),
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
        PaintPage(painter, map, pages.Page(page - 1));
        ++written;
        if (progress)
            progress(written, total);
    };
    if (range.Collate) {
        for (int copy = 0; copy < copies; ++copy)
            for (int page = first; page <= last; ++page)
                printPage(page);
    } else {
        // Each page is laid out once and painted as often as it is to print.
        for (int page = first; page <= last; ++page)
            for (int copy = 0; copy < copies; ++copy)
                printPage(page);
    }
    painter.end();
    return written;
}

int PrintReport(const TPreparedReport& report, QPagedPaintDevice& device, const TPrintRange& range,
                QPointF offsetMm, const TProgressEvent& progress) {
    TPreparedPages pages(report);
    return PrintReport(pages, device, range, offsetMm, progress);
}

QImage RenderPage(const TPreparedPage& page, double pageWidthMm, double pageLengthMm, double dpi) {
    const int width = static_cast<int>(std::lround(pageWidthMm / 25.4 * dpi));
    const int height = static_cast<int>(std::lround(pageLengthMm / 25.4 * dpi));
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintPage(painter, DeviceMapFor(image), page);
    return image;
}

QImage RenderPage(const TPreparedReport& report, int pageIndex, double dpi) {
    static const TPreparedPage blank;
    const bool valid = pageIndex >= 0 && pageIndex < static_cast<int>(report.Pages.size());
    return RenderPage(valid ? report.Pages[static_cast<size_t>(pageIndex)] : blank, report.PageWidthMm,
                      report.PageLengthMm, dpi);
}

} // namespace etikor
