#include "barcode/MetafileDevice.h"

#include <QFont>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>
#include <QTransform>

#include <cmath>
#include <numbers>

namespace etikor {

namespace {

constexpr int kDpi = 96;

int toGdiPenStyle(Qt::PenStyle style) {
    switch (style) {
    case Qt::DashLine:
        return 1;
    case Qt::DotLine:
        return 2;
    case Qt::DashDotLine:
        return 3;
    case Qt::DashDotDotLine:
        return 4;
    case Qt::NoPen:
        return 5;
    default:
        return 0;
    }
}

int toRop2(QPainter::CompositionMode mode) {
    switch (mode) {
    case QPainter::RasterOp_NotDestination:
        return 6; // R2_NOT
    case QPainter::RasterOp_NotSource:
        return 4; // R2_NOTCOPYPEN
    case QPainter::RasterOp_SourceAndNotDestination:
        return 5; // R2_MASKPENNOT
    case QPainter::RasterOp_NotSourceAndDestination:
        return 3; // R2_MASKNOTPEN
    case QPainter::RasterOp_NotSourceOrDestination:
        return 12; // R2_MERGENOTPEN
    case QPainter::RasterOp_SourceOrDestination:
        return 15; // R2_MERGEPEN
    case QPainter::RasterOp_NotSourceAndNotDestination:
        return 2; // R2_NOTMERGEPEN
    case QPainter::RasterOp_SourceAndDestination:
        return 9; // R2_MASKPEN
    case QPainter::RasterOp_NotSourceOrNotDestination:
        return 8; // R2_NOTMASKPEN
    case QPainter::RasterOp_SourceXorDestination:
        return 7; // R2_XORPEN
    case QPainter::RasterOp_NotSourceXorDestination:
        return 10; // R2_NOTXORPEN
    case QPainter::RasterOp_SourceOrNotDestination:
        return 14; // R2_MERGEPENNOT
    default:
        return 13; // R2_COPYPEN
    }
}

TMetaPoint point(const QTransform& t, const QPointF& p) {
    const QPointF m = t.map(p);
    return {static_cast<int>(std::lround(m.x())), static_cast<int>(std::lround(m.y()))};
}

class RecordingEngine final : public QPaintEngine {
public:
    explicit RecordingEngine(TMetaPicture& picture) : QPaintEngine(AllFeatures), FPicture(picture) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& s) override {
        const DirtyFlags flags = s.state();
        if (flags & DirtyPen)
            FPen = s.pen();
        if (flags & DirtyBrush)
            FBrush = s.brush();
        if (flags & DirtyTransform)
            FTransform = s.transform();
        if (flags & DirtyCompositionMode)
            FMode = s.compositionMode();
    }

    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i) {
            const QRectF& r = rects[i];
            const QPointF corners[] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
            polygon(corners, 4);
        }
    }
    void drawRects(const QRect* rects, int count) override {
        for (int i = 0; i < count; ++i) {
            // QRect's right and bottom are inclusive; the polygon's edges are not.
            const QRectF r(rects[i]);
            drawRects(&r, 1);
        }
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override { polygon(points, count); }
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode) override {
        std::vector<QPointF> p(points, points + count);
        polygon(p.data(), count);
    }
    void drawLines(const QLineF* lines, int count) override {
        if (FPen.style() == Qt::NoPen)
            return;
        for (int i = 0; i < count; ++i) {
            TMetaRecord r;
            r.Kind = TMetaKind::mkLine;
            r.Points = {point(FTransform, lines[i].p1()), point(FTransform, lines[i].p2())};
            r.Color = FPen.color().rgba();
            r.PenStyle = toGdiPenStyle(FPen.style());
            r.PenWidth = std::max(1, FPen.width());
            r.Rop2 = toRop2(FMode);
            FPicture.Records.push_back(std::move(r));
        }
    }
    void drawLines(const QLine* lines, int count) override {
        for (int i = 0; i < count; ++i) {
            const QLineF l(lines[i]);
            drawLines(&l, 1);
        }
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        const QFont font = item.font();
        TMetaRecord r;
        r.Kind = TMetaKind::mkText;
        r.Points = {point(FTransform, p)};
        r.Color = FPen.color().rgba();
        r.Text = item.text().toStdU16String();
        r.FaceName = font.family().toStdU16String();
        const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * kDpi / 72.0;
        r.FontHeight = -static_cast<int>(std::lround(pixels));
        r.Weight = font.bold() ? 700 : 400;
        r.Italic = font.italic();
        r.Underline = font.underline();
        r.StrikeOut = font.strikeOut();
        // The direction of the text's base line, counter-clockwise on the screen.
        const double degrees = std::atan2(-FTransform.m12(), FTransform.m11()) * 180.0 / std::numbers::pi;
        r.Escapement = static_cast<int>(std::lround(degrees * 10));
        FPicture.Records.push_back(std::move(r));
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

private:
    void polygon(const QPointF* points, int count) {
        if (FBrush.style() == Qt::NoBrush || count < 3)
            return;
        TMetaRecord r;
        r.Kind = TMetaKind::mkPolygon;
        r.Color = FBrush.color().rgba();
        r.Hatched = FBrush.style() != Qt::SolidPattern;
        r.Points.reserve(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            r.Points.push_back(point(FTransform, points[i]));
        FPicture.Records.push_back(std::move(r));
    }

    TMetaPicture& FPicture;
    QPen FPen;
    QBrush FBrush;
    QTransform FTransform;
    QPainter::CompositionMode FMode = QPainter::CompositionMode_SourceOver;
};

} // namespace

TMetafileDevice::TMetafileDevice(int width, int height)
    : FPicture{std::max(1, width), std::max(1, height), {}},
      FEngine(std::make_unique<RecordingEngine>(FPicture)) {}

TMetafileDevice::~TMetafileDevice() = default;

QPaintEngine* TMetafileDevice::paintEngine() const {
    return FEngine.get();
}

int TMetafileDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return FPicture.Width;
    case PdmHeight:
        return FPicture.Height;
    case PdmWidthMM:
        return static_cast<int>(std::lround(FPicture.Width * 25.4 / kDpi));
    case PdmHeightMM:
        return static_cast<int>(std::lround(FPicture.Height * 25.4 / kDpi));
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return kDpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
    default:
        return QPaintDevice::metric(metric);
    }
}

} // namespace etikor
