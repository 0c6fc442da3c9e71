#pragma once

// Painting prepared pages: millimetres from the paper edge become device units, with the
// device's unprintable offset taken off.

#include "pageengine/Report.h"

#include <QPointF>

class QImage;
class QPagedPaintDevice;
class QPainter;

namespace etikor {

struct TDeviceMap {
    double DotsPerMmX = 96 / 25.4;
    double DotsPerMmY = 96 / 25.4;
    // Where the device's origin lies on the paper (the unprintable margin), mm.
    QPointF OffsetMm;
    // The device stands for paper although it is an image (a barcode check renders one symbol
    // as the printer will print it): barcodes follow the printer's rules.
    bool Paper = false;

    double X(double mm) const { return (mm - OffsetMm.x()) * DotsPerMmX; }
    double Y(double mm) const { return (mm - OffsetMm.y()) * DotsPerMmY; }
    QRectF Rect(const QRectF& mm) const;
    int XPos(double mm) const;
    int YPos(double mm) const;
};

// The map of a paint device from its resolution; `offsetMm` is its unprintable offset.
TDeviceMap DeviceMapFor(const QPaintDevice& device, QPointF offsetMm = {});

// Draws one prepared page (white is not painted: the paper is).
void PaintPage(QPainter& painter, const TDeviceMap& map, const TPreparedPage& page);

// Which pages go to the device and how often.
struct TPrintRange {
    int Copies = 1;
    int FirstPage = 0; // 0: from the first
    int LastPage = 0;  // 0: to the last
    bool Collate = true;
};

// Prints the pages onto a paged device (a QPrinter or a QPdfWriter), one page per device page,
// each page taken from `pages` just before it is painted; the device's page size is set from
// the pages. `offsetMm` is the printer's unprintable offset (a QPrinter's full-page rectangle
// minus its paint rectangle; zero for a PDF). Returns the number of device pages written.
int PrintReport(TPageSource& pages, QPagedPaintDevice& device, const TPrintRange& range,
                QPointF offsetMm = {}, const TProgressEvent& progress = {});
int PrintReport(const TPreparedReport& report, QPagedPaintDevice& device, const TPrintRange& range,
                QPointF offsetMm = {}, const TProgressEvent& progress = {});

// One page as an image at `dpi` on white.
QImage RenderPage(const TPreparedPage& page, double pageWidthMm, double pageLengthMm, double dpi);
QImage RenderPage(const TPreparedReport& report, int pageIndex, double dpi);

} // namespace etikor
