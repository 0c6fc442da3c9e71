#include "document/WmfPicture.h"

#include "data/Cp1250Text.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace etikor {

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr int kMaxSide = 4096;       // a label picture; larger frames are scaled down
constexpr size_t kMaxObjects = 4096; // GDI object table slots

// Little-endian reads that fail instead of reading past the end.
class TReader {
public:
    TReader(const char* data, size_t size) : FData(reinterpret_cast<const uint8_t*>(data)), FSize(size) {}
    bool Has(size_t pos, size_t n) const { return pos <= FSize && n <= FSize - pos; }
    uint16_t U16(size_t pos) const { return static_cast<uint16_t>(FData[pos] | (FData[pos + 1] << 8)); }
    int16_t I16(size_t pos) const { return static_cast<int16_t>(U16(pos)); }
    uint32_t U32(size_t pos) const { return U16(pos) | (static_cast<uint32_t>(U16(pos + 2)) << 16); }
    const uint8_t* At(size_t pos) const { return FData + pos; }
    size_t Size() const { return FSize; }

private:
    const uint8_t* FData;
    size_t FSize;
};

QColor ColorRef(uint32_t c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Qt's glyph rasteriser caches every glyph at its device size and shape; a metafile's mapping
// can ask for glyphs thousands of pixels tall or stretched a thousandfold in one direction,
// which it cannot draw (it crashes). Such text is filled as an outline instead, which the
// painter clips like any shape, and text that maps to nothing is left out.
enum class TTextMapping { Glyphs, Outline, Invisible };

constexpr double kMaxGlyphPixels = 512;   // device size still drawn as glyphs
constexpr double kMaxGlyphStretch = 4;    // ratio of the two axes' scales still drawn as glyphs
constexpr double kMaxOutlinePixels = 1e6; // beyond this the text covers nothing recognisable

TTextMapping TextMapping(const QTransform& t, const QFont& font) {
    const double sx = std::hypot(t.m11(), t.m12());
    const double sy = std::hypot(t.m21(), t.m22());
    const double det = std::abs(t.determinant());
    if (!std::isfinite(sx) || !std::isfinite(sy) || !std::isfinite(det) || det < 1e-9 || sx < 1e-6 ||
        sy < 1e-6)
        return TTextMapping::Invisible;
    const double largest = std::max(sx, sy) * std::max(1.0, QFontMetricsF(font).height());
    if (largest > kMaxOutlinePixels)
        return TTextMapping::Invisible;
    if (largest > kMaxGlyphPixels || std::max(sx, sy) / std::min(sx, sy) > kMaxGlyphStretch ||
        t.type() > QTransform::TxRotate)
        return TTextMapping::Outline;
    return TTextMapping::Glyphs;
}

struct TLogFont {
    QFont Font;
    int Escapement = 0; // tenths of a degree
};
using TObject = std::variant<std::monostate, QPen, QBrush, TLogFont>;

class TPlayer {
public:
    TPlayer(QPainter& painter) : FPainter(painter) {
        FPainter.setPen(QPen(Qt::black, 0));
        FPainter.setBrush(Qt::white);
    }

    // One record: its function and parameter words from `pos`, `words` of them.
    void Play(const TReader& r, uint16_t function, size_t pos, size_t words) {
        auto has = [&](size_t n) { return words >= n; };
        auto w = [&](size_t i) { return r.I16(pos + 2 * i); };
        switch (function) {
        case 0x020B: // SETWINDOWORG y, x
            if (has(2))
                FPainter.setWindow(w(1), w(0), FPainter.window().width(), FPainter.window().height());
            break;
        case 0x020C: // SETWINDOWEXT y, x
            if (has(2) && w(0) != 0 && w(1) != 0)
                FPainter.setWindow(FPainter.window().x(), FPainter.window().y(), w(1), w(0));
            break;
        case 0x02FA: // CREATEPENINDIRECT style, width.x, width.y, colour
            if (has(5)) {
                const int style = r.U16(pos) & 0x0F;
                QPen pen(ColorRef(r.U32(pos + 6)), std::max<int>(0, w(1)));
                const Qt::PenStyle styles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                               Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen,
                                               Qt::SolidLine};
                pen.setStyle(style < 7 ? styles[style] : Qt::SolidLine);
                Add(pen);
            }
            break;
        case 0x02FC: // CREATEBRUSHINDIRECT style, colour, hatch
            if (has(4)) {
                const uint16_t style = r.U16(pos);
                const QColor color = ColorRef(r.U32(pos + 2));
                Add(style == 1   ? QBrush(Qt::NoBrush)
                    : style == 2 ? QBrush(color, Qt::DiagCrossPattern)
                                 : QBrush(color));
            }
            break;
        case 0x02FB: // CREATEFONTINDIRECT
            if (has(9)) {
                TLogFont f;
                const int height = w(0);
                f.Font.setPixelSize(std::max(1, std::abs(height)));
                f.Escapement = w(2);
                f.Font.setWeight(r.I16(pos + 8) >= 600 ? QFont::Bold : QFont::Normal);
                f.Font.setItalic(*r.At(pos + 10) != 0);
                f.Font.setUnderline(*r.At(pos + 11) != 0);
                f.Font.setStrikeOut(*r.At(pos + 12) != 0);
                std::string face;
                for (size_t i = 18; i < words * 2 && i < 18 + 32 && *r.At(pos + i) != 0; ++i)
                    face.push_back(static_cast<char>(*r.At(pos + i)));
                if (!face.empty())
                    f.Font.setFamily(FromCp1250(face));
                Add(f);
            }
            break;
        case 0x012D: // SELECTOBJECT
            if (has(1))
                Select(r.U16(pos));
            break;
        case 0x01F0: // DELETEOBJECT
            if (has(1) && r.U16(pos) < FObjects.size())
                FObjects[r.U16(pos)] = std::monostate{};
            break;
        case 0x0209: // SETTEXTCOLOR
            if (has(2))
                FTextColor = ColorRef(r.U32(pos));
            break;
        case 0x0214: // MOVETO y, x
            if (has(2))
                FCurrent = QPoint(w(1), w(0));
            break;
        case 0x0213: // LINETO y, x
            if (has(2)) {
                const QPoint to(w(1), w(0));
                FPainter.drawLine(FCurrent, to);
                FCurrent = to;
            }
            break;
        case 0x041B: // RECTANGLE bottom, right, top, left
        case 0x0418: // ELLIPSE
            if (has(4)) {
                const QRect rect(QPoint(w(3), w(2)), QPoint(w(1) - 1, w(0) - 1));
                if (function == 0x041B)
                    FPainter.drawRect(rect);
                else
                    FPainter.drawEllipse(rect);
            }
            break;
        case 0x0324: // POLYGON count, points
        case 0x0325: // POLYLINE
            if (has(1)) {
                const size_t count = r.U16(pos);
                if (!has(1 + 2 * count))
                    break;
                QPolygon polygon;
                for (size_t i = 0; i < count; ++i)
                    polygon << QPoint(w(1 + 2 * i), w(2 + 2 * i));
                if (function == 0x0324)
                    FPainter.drawPolygon(polygon);
                else
                    FPainter.drawPolyline(polygon);
            }
            break;
        case 0x0538: // POLYPOLYGON count, counts, points
            if (has(1)) {
                const size_t polygons = r.U16(pos);
                if (!has(1 + polygons))
                    break;
                size_t next = 1 + polygons;
                QPainterPath path;
                path.setFillRule(Qt::OddEvenFill);
                for (size_t p = 0; p < polygons; ++p) {
                    const size_t count = r.U16(pos + 2 * (1 + p));
                    if (!has(next + 2 * count))
                        return;
                    QPolygon polygon;
                    for (size_t i = 0; i < count; ++i)
                        polygon << QPoint(w(next + 2 * i), w(next + 2 * i + 1));
                    path.addPolygon(polygon);
                    path.closeSubpath();
                    next += 2 * count;
                }
                FPainter.drawPath(path);
            }
            break;
        case 0x0521: // TEXTOUT count, string, y, x
            if (has(1)) {
                const size_t count = r.U16(pos);
                const size_t padded = (count + 1) / 2;
                if (!has(1 + padded + 2))
                    break;
                const std::string text(reinterpret_cast<const char*>(r.At(pos + 2)), count);
                Text(QPoint(w(2 + padded), w(1 + padded)), text);
            }
            break;
        case 0x0A32: // EXTTEXTOUT y, x, count, options, [rect], string
            if (has(4)) {
                const size_t count = r.U16(pos + 4);
                const uint16_t options = r.U16(pos + 6);
                const size_t textAt = (options & 0x0006) ? 8 : 4; // ETO_OPAQUE / ETO_CLIPPED carry a rect
                if (!has(textAt + (count + 1) / 2))
                    break;
                const std::string text(reinterpret_cast<const char*>(r.At(pos + 2 * textAt)), count);
                Text(QPoint(w(1), w(0)), text);
            }
            break;
        case 0x0F43: // STRETCHDIB rop(2), usage, srcH, srcW, ySrc, xSrc, destH, destW, yDest, xDest, DIB
        case 0x0B41: // DIBSTRETCHBLT rop(2), srcH, srcW, ySrc, xSrc, destH, destW, yDest, xDest, DIB
            StretchDib(r, function, pos, words);
            break;
        default:
            break;
        }
    }

private:
    void Add(TObject object) {
        for (auto& slot : FObjects)
            if (std::holds_alternative<std::monostate>(slot)) {
                slot = std::move(object);
                return;
            }
        if (FObjects.size() < kMaxObjects)
            FObjects.push_back(std::move(object));
    }

    void Select(size_t index) {
        if (index >= FObjects.size())
            return;
        const TObject& o = FObjects[index];
        if (const auto* pen = std::get_if<QPen>(&o))
            FPainter.setPen(*pen);
        else if (const auto* brush = std::get_if<QBrush>(&o))
            FPainter.setBrush(*brush);
        else if (const auto* font = std::get_if<TLogFont>(&o))
            FFont = *font;
    }

    void Text(QPoint at, const std::string& cp1250) {
        FPainter.save();
        FPainter.setFont(FFont.Font);
        FPainter.setPen(FTextColor);
        FPainter.translate(at);
        FPainter.rotate(-FFont.Escapement / 10.0);
        // Text is placed by its top (TA_TOP, the default alignment).
        const QPointF origin(0, QFontMetrics(FFont.Font).ascent());
        switch (TextMapping(FPainter.combinedTransform(), FFont.Font)) {
        case TTextMapping::Glyphs:
            FPainter.drawText(origin, FromCp1250(cp1250));
            break;
        case TTextMapping::Outline: {
            QPainterPath path;
            path.addText(origin, FFont.Font, FromCp1250(cp1250));
            FPainter.fillPath(path, FTextColor);
            break;
        }
        case TTextMapping::Invisible:
            break;
        }
        FPainter.restore();
    }

    void StretchDib(const TReader& r, uint16_t function, size_t pos, size_t words) {
        const size_t head = function == 0x0F43 ? 11 : 10;
        if (words <= head)
            return;
        auto w = [&](size_t i) { return r.I16(pos + 2 * i); };
        const size_t d = function == 0x0F43 ? 3 : 2; // first of srcH, srcW, ySrc, xSrc
        const QRect source(w(d + 3), w(d + 2), w(d + 1), w(d));
        const QRect target(w(d + 7), w(d + 6), w(d + 5), w(d + 4));
        const size_t dibAt = pos + 2 * head;
        const size_t dibSize = 2 * (words - head);
        if (!r.Has(dibAt, dibSize) || dibSize < 40)
            return;
        // A DIB is a BMP file without its 14-byte file header.
        const uint32_t headerSize = r.U32(dibAt);
        const uint16_t bits = r.U16(dibAt + 14);
        uint32_t colours = r.U32(dibAt + 32);
        if (colours == 0 && bits <= 8)
            colours = 1u << bits;
        const uint32_t offset = 14 + headerSize + 4 * colours;
        QByteArray bmp("BM", 2);
        const uint32_t total = static_cast<uint32_t>(14 + dibSize);
        for (uint32_t v : {total, 0u, offset})
            for (int i = 0; i < 4; ++i)
                bmp.append(static_cast<char>((v >> (8 * i)) & 0xFF));
        bmp.append(reinterpret_cast<const char*>(r.At(dibAt)), static_cast<qsizetype>(dibSize));
        const QImage image = QImage::fromData(bmp, "BMP");
        if (image.isNull())
            return;
        // A bottom-up DIB's source rectangle counts from the bottom; the whole picture is the
        // usual case and needs no such care.
        FPainter.drawImage(target.normalized(), image, source.isEmpty() ? image.rect() : source.normalized());
    }

    QPainter& FPainter;
    std::vector<TObject> FObjects;
    QPoint FCurrent;
    QColor FTextColor = Qt::black;
    TLogFont FFont;
};

} // namespace

QImage RenderWmf(const QByteArray& bytes) {
    const TReader r(bytes.constData(), static_cast<size_t>(bytes.size()));
    size_t pos = 0;
    std::optional<QRect> frame;
    int unitsPerInch = 96;
    if (r.Has(0, 22) && r.U32(0) == kPlaceableKey) {
        frame = QRect(QPoint(r.I16(6), r.I16(8)), QPoint(r.I16(10) - 1, r.I16(12) - 1)).normalized();
        unitsPerInch = r.U16(14) == 0 ? 96 : r.U16(14);
        pos = 22;
    }
    if (!r.Has(pos, 18))
        return {};
    const uint16_t type = r.U16(pos);
    const uint16_t headerWords = r.U16(pos + 2);
    if ((type != 1 && type != 2) || headerWords != 9)
        return {};
    const size_t recordsAt = pos + 18;

    // Without a placeable frame the window extent sets the size.
    QRect window = frame.value_or(QRect());
    if (!frame) {
        for (size_t p = recordsAt; r.Has(p, 6);) {
            const uint32_t size = r.U32(p);
            const uint16_t function = r.U16(p + 4);
            if (size < 3 || function == 0)
                break;
            if (function == 0x020C && r.Has(p + 6, 4))
                window.setSize(QSize(r.I16(p + 8), r.I16(p + 6)));
            if (function == 0x020B && r.Has(p + 6, 4))
                window.moveTopLeft(QPoint(r.I16(p + 8), r.I16(p + 6)));
            if (size > (r.Size() - p) / 2)
                break;
            p += 2 * static_cast<size_t>(size);
        }
    }
    window = window.normalized();
    if (window.width() <= 0 || window.height() <= 0)
        return {};
    QSize pixels(static_cast<int>(window.width() * 96.0 / unitsPerInch + 0.5),
                 static_cast<int>(window.height() * 96.0 / unitsPerInch + 0.5));
    pixels = pixels.boundedTo(QSize(kMaxSide, kMaxSide)).expandedTo(QSize(1, 1));
    if (std::max(window.width(), window.height()) * 96.0 / unitsPerInch > kMaxSide)
        pixels = QSize(window.width(), window.height())
                     .scaled(kMaxSide, kMaxSide, Qt::KeepAspectRatio)
                     .expandedTo(QSize(1, 1));

    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setViewport(image.rect());
    painter.setWindow(window);
    TPlayer player(painter);
    for (size_t p = recordsAt; r.Has(p, 6);) {
        const uint32_t size = r.U32(p);
        const uint16_t function = r.U16(p + 4);
        if (function == 0 || size < 3 || size > (r.Size() - p) / 2)
            break;
        player.Play(r, function, p + 6, size - 3);
        p += 2 * static_cast<size_t>(size);
    }
    return image;
}

} // namespace etikor
