#include "barcode/BarcodeDrawImage.h"

#include "data/Cp1250Text.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace etikor {

namespace {

// x times a / 255 in every channel, rounded as the raster painter rounds it.
inline quint32 byteMul(quint32 x, quint32 a) {
    quint64 t = ((quint64(x) | (quint64(x) << 24)) & 0x00ff00ff00ff00ffULL) * a;
    t = (t + ((t >> 8) & 0x00ff00ff00ff00ffULL) + 0x0080008000800080ULL) >> 8;
    t &= 0x00ff00ff00ff00ffULL;
    return quint32(t) | quint32(t >> 24);
}

// A glyph pixel of coverage c (1..255) in an opaque colour over the pixel beneath.
inline quint32 blendCoverage(quint32 under, quint32 color, quint32 c) {
    if (c == 255)
        return color;
    const quint32 s = byteMul(color, c);
    return s + byteMul(under, 255 - qAlpha(s));
}

// One glyph drawn alone by the painter with its pen `frac` of a pixel right of a whole pixel.
// Pixel (x, y) of the shot lies (x + Left, y + Top) from that whole pixel on the baseline.
struct GlyphShot {
    QImage Image;
    int Left = 0;
    int Top = 0;
};

GlyphShot shootGlyph(const QRawFont& raw, quint32 glyph, qreal frac, int margin, QRgb ground, QRgb pen) {
    const QRectF bounds = raw.boundingRect(glyph);
    GlyphShot shot;
    shot.Left = static_cast<int>(std::floor(bounds.left())) - margin;
    shot.Top = static_cast<int>(std::floor(bounds.top())) - margin;
    const int right = static_cast<int>(std::ceil(bounds.right())) + margin;
    const int bottom = static_cast<int>(std::ceil(bounds.bottom())) + margin;
    shot.Image = QImage(right - shot.Left, bottom - shot.Top, QImage::Format_RGB32);
    shot.Image.fill(ground);
    QPainter painter(&shot.Image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(QColor::fromRgb(pen));
    QGlyphRun run;
    run.setRawFont(raw);
    const QPointF origin(0, 0);
    run.setRawData(&glyph, &origin, 1);
    painter.drawGlyphRun(QPointF(-shot.Left + frac, -shot.Top), run);
    return shot;
}

// The coverage of a glyph: drawn in black on white, a pixel of coverage c comes out as 255 - c
// in every channel. False when the ink reaches the edge of the shot twice over, or is coloured
// (sub-pixel text), which a single coverage cannot describe.
bool captureGlyph(const QRawFont& raw, quint32 glyph, qreal frac, ImageFace::Mask& mask) {
    for (int margin : {4, 32}) {
        const GlyphShot shot = shootGlyph(raw, glyph, frac, margin, qRgb(255, 255, 255), qRgb(0, 0, 0));
        const QImage& image = shot.Image;
        int left = image.width(), top = image.height(), right = -1, bottom = -1;
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if ((row[x] & 0xffffff) == 0xffffff)
                    continue;
                if (qRed(row[x]) != qBlue(row[x]) || qGreen(row[x]) != qBlue(row[x]))
                    return false;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        if (right < 0) {
            mask.Usable = true; // a space: nothing to blend
            return true;
        }
        if (left == 0 || top == 0 || right == image.width() - 1 || bottom == image.height() - 1)
            continue;
        mask.Left = left + shot.Left;
        mask.Top = top + shot.Top;
        mask.Width = right - left + 1;
        mask.Height = bottom - top + 1;
        mask.Coverage.resize(static_cast<size_t>(mask.Width) * static_cast<size_t>(mask.Height));
        uchar* out = mask.Coverage.data();
        for (int y = top; y <= bottom; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = left; x <= right; ++x)
                *out++ = static_cast<uchar>(255 - qBlue(row[x]));
        }
        mask.Usable = true;
        return true;
    }
    return false;
}

// The painter blends glyph coverage linearly on this platform (no gamma-corrected text): a
// coloured glyph over a coloured ground comes out as the blend of its captured coverage.
bool blendMatchesPainter(const QRawFont& raw, quint32 glyph, qreal frac, const ImageFace::Mask& mask) {
    const QRgb ground = qRgb(240, 48, 144);
    const QRgb pen = qRgb(64, 128, 192);
    const GlyphShot shot = shootGlyph(raw, glyph, frac, 8, ground, pen);
    for (int y = 0; y < shot.Image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(shot.Image.constScanLine(y));
        for (int x = 0; x < shot.Image.width(); ++x) {
            const int mx = x + shot.Left - mask.Left;
            const int my = y + shot.Top - mask.Top;
            quint32 c = 0;
            if (mx >= 0 && my >= 0 && mx < mask.Width && my < mask.Height)
                c = mask.Coverage[static_cast<size_t>(my) * static_cast<size_t>(mask.Width) +
                                  static_cast<size_t>(mx)];
            const quint32 expected = c ? blendCoverage(ground, pen, c) : ground;
            if (row[x] != expected)
                return false;
        }
    }
    return true;
}

// The painter draws glyphs up to this pixel size from its glyph cache and larger ones as paths.
int maxCachedGlyphSize() {
    static const int size = [] {
        const int env = qEnvironmentVariableIntValue("QT_MAX_CACHED_GLYPH_SIZE");
        return env ? env : 64;
    }();
    return size;
}

thread_local std::vector<std::shared_ptr<ImageFace>> gFaces;

void registerFaceCleanup() {
    static const bool registered = [] {
        qAddPostRoutine(&ImageFace::ClearCache);
        return true;
    }();
    (void)registered;
}

} // namespace

std::optional<DirectImage> DirectImage::Of(QPainter& canvas) {
    QPaintDevice* device = canvas.device();
    if (!device || device->devType() != QInternal::Image)
        return std::nullopt;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return std::nullopt;
    const QTransform& t = canvas.deviceTransform();
    if (canvas.hasClipping() || canvas.opacity() != 1.0 ||
        canvas.compositionMode() != QPainter::CompositionMode_SourceOver ||
        t.type() > QTransform::TxTranslate || t.dx() != std::floor(t.dx()) || t.dy() != std::floor(t.dy()))
        return std::nullopt;
    DirectImage out;
    // constBits: the painter's own buffer, never a detached copy.
    out.Bits = const_cast<uchar*>(image->constBits());
    out.Stride = image->bytesPerLine();
    out.Width = image->width();
    out.Height = image->height();
    out.Dx = static_cast<int>(t.dx());
    out.Dy = static_cast<int>(t.dy());
    // Glyph masks are captured with anti-aliased text and horizontal sub-pixel positions only;
    // plain ARGB32 is blended through a premultiplied copy of each pixel.
    const auto textHints = QPainter::TextAntialiasing | QPainter::VerticalSubpixelPositioning;
    out.BlendsText = format != QImage::Format_ARGB32 &&
                     (canvas.renderHints() & textHints) == QPainter::RenderHints(QPainter::TextAntialiasing);
    return out;
}

// --- ImageFace ------------------------------------------------------------------------------

std::shared_ptr<ImageFace> ImageFace::Of(const TBarcodeFont& font, int size, QPaintDevice* device) {
    size = std::max(1, size);
    const int dpi = device->logicalDpiY();
    auto& faces = gFaces;
    for (auto it = faces.rbegin(); it != faces.rend(); ++it) {
        ImageFace& face = **it;
        if (face.FSize == size && face.FDpi == dpi && face.FKey == font) {
            if (it != faces.rbegin())
                std::rotate(std::prev(it.base()), it.base(), faces.end()); // the most recent last
            return faces.back();
        }
    }
    registerFaceCleanup();
    // The few most recent: a sheet of values refits the text to a handful of sizes.
    if (faces.size() >= 32)
        faces.erase(faces.begin());
    faces.push_back(std::make_shared<ImageFace>(font, size, device));
    return faces.back();
}

void ImageFace::ClearCache() {
    gFaces.clear();
}

ImageFace::ImageFace(const TBarcodeFont& font, int size, QPaintDevice* device)
    : FKey(font), FSize(std::max(1, size)), FDpi(device->logicalDpiY()), FFont(FromCp1250(font.Name)) {
    FFont.setPointSize(FSize);
    FFont.setBold(font.Bold);
    FFont.setItalic(font.Italic);
    FFont.setUnderline(font.Underline);
    FFont.setStrikeOut(font.StrikeOut);
    FRaw = QRawFont::fromFont(QFont(FFont, device));
    const QFontMetrics metrics(FFont, device);
    FAscent = metrics.ascent();
    FHeight = metrics.height();
    const double limit = maxCachedGlyphSize();
    FMasksAllowed = FRaw.isValid() && FRaw.pixelSize() * FRaw.pixelSize() <= limit * limit;
}

const ImageFace::CharGlyph& ImageFace::charGlyph(unsigned char byte) {
    CharGlyph& g = FChars[byte];
    if (!g.Known) {
        g.Known = true;
        const QChar c(static_cast<char16_t>(Cp1250ToUnicode(byte)));
        int count = 1;
        QPointF advance;
        g.Mapped = FRaw.glyphIndexesForChars(&c, 1, &g.Glyph, &count) && count == 1 &&
                   FRaw.advancesForGlyphIndexes(&g.Glyph, &advance, 1);
        g.Advance = advance.x();
    }
    return g;
}

bool ImageFace::Layout(std::string_view cp1250, GlyphLine& line) {
    if (!FRaw.isValid() || cp1250.size() > static_cast<size_t>(GlyphLine::kMaxGlyphs))
        return false;
    qreal pen = 0;
    for (size_t i = 0; i < cp1250.size(); ++i) {
        const CharGlyph& g = charGlyph(static_cast<unsigned char>(cp1250[i]));
        if (!g.Mapped)
            return false;
        line.Glyphs[i] = g.Glyph;
        line.Positions[i] = QPointF(pen, 0);
        pen += g.Advance;
    }
    line.Count = static_cast<int>(cp1250.size());
    line.Width = pen;
    return true;
}

std::optional<int> ImageFace::Width(std::string_view cp1250) {
    if (!FRaw.isValid() || cp1250.size() > static_cast<size_t>(GlyphLine::kMaxGlyphs))
        return std::nullopt;
    qreal pen = 0;
    for (char c : cp1250) {
        const CharGlyph& g = charGlyph(static_cast<unsigned char>(c));
        if (!g.Mapped)
            return std::nullopt;
        pen += g.Advance;
    }
    return static_cast<int>(std::lround(pen));
}

ImageFace::Mask* ImageFace::GlyphMask(quint32 glyph, int frac64) {
    if (!FMasksAllowed || FBlendChecked < 0 || glyph >= (1u << 26))
        return nullptr;
    const auto [it, added] = FMasks.try_emplace(glyph << 6 | static_cast<quint32>(frac64));
    Mask& mask = it->second;
    if (added && !captureGlyph(FRaw, glyph, frac64 / 64.0, mask))
        mask.Usable = false;
    if (!mask.Usable)
        return nullptr;
    if (FBlendChecked == 0 && mask.Width > 0)
        FBlendChecked = blendMatchesPainter(FRaw, glyph, frac64 / 64.0, mask) ? 1 : -1;
    return FBlendChecked < 0 ? nullptr : &mask;
}

// --- DirectCanvas ---------------------------------------------------------------------------

// The box lists of the last drawing are handed to the next one, which need not allocate.
thread_local std::vector<DirectCanvas::Box> DirectCanvas::tSpareBars;
thread_local std::vector<DirectCanvas::Box> DirectCanvas::tSpareGlyphs;

DirectCanvas::DirectCanvas(const DirectImage& image) : FImage(image) {
    FBars.swap(tSpareBars);
    FGlyphs.swap(tSpareGlyphs);
    FBars.clear();
    FGlyphs.clear();
}

DirectCanvas::~DirectCanvas() {
    tSpareBars.swap(FBars);
    tSpareGlyphs.swap(FGlyphs);
}

bool DirectCanvas::FillGroundAndBars(const TRect& area, QRgb ground, const std::vector<TRect>& bars,
                                     QRgb color) {
    if (qAlpha(ground) != 255 || qAlpha(color) != 255)
        return false;
    const auto clip = [&](const TRect& r) {
        return Box{std::max(0, r.Left + FImage.Dx), std::max(0, r.Top + FImage.Dy),
                   std::min(FImage.Width, r.Right + FImage.Dx),
                   std::min(FImage.Height, r.Bottom + FImage.Dy)};
    };
    const Box a = clip(area);
    FGroundKnown = true;
    FGround = ground;
    FGroundBox = a;
    FBars.clear();
    FBarsInOrder = 0;
    FBarsBox = Box{FImage.Width, FImage.Height, 0, 0};
    for (const TRect& r : bars) {
        const Box b = clip(r);
        if (b.Left >= b.Right || b.Top >= b.Bottom)
            continue;
        if (FBarsInOrder == FBars.size() && (FBars.empty() || FBars.back().Right <= b.Left))
            ++FBarsInOrder;
        FBars.push_back(b);
        FBarsBox = Box{std::min(FBarsBox.Left, b.Left), std::min(FBarsBox.Top, b.Top),
                       std::max(FBarsBox.Right, b.Right), std::max(FBarsBox.Bottom, b.Bottom)};
    }
    const auto pixel = static_cast<quint32>(color);
    if (a.Left < a.Right && a.Top < a.Bottom) {
        // Every row of a band between two bar ends is the same: compose its first row and copy it.
        thread_local std::vector<int> edges;
        edges.clear();
        edges.push_back(a.Top);
        edges.push_back(a.Bottom);
        int lastTop = a.Top;
        int lastBottom = a.Bottom;
        for (const Box& b : FBars) {
            // Most bars end where their neighbour does.
            if (b.Top != lastTop)
                edges.push_back(std::clamp(lastTop = b.Top, a.Top, a.Bottom));
            if (b.Bottom != lastBottom)
                edges.push_back(std::clamp(lastBottom = b.Bottom, a.Top, a.Bottom));
        }
        std::sort(edges.begin(), edges.end());
        edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
        const size_t bytes = static_cast<size_t>(a.Right - a.Left) * sizeof(quint32);
        for (size_t e = 0; e + 1 < edges.size(); ++e) {
            const int y0 = edges[e];
            const int y1 = edges[e + 1];
            quint32* first = FImage.Row(y0);
            std::fill(first + a.Left, first + a.Right, static_cast<quint32>(ground));
            for (const Box& b : FBars)
                if (b.Top <= y0 && b.Bottom >= y1 && b.Left < a.Right && b.Right > a.Left)
                    std::fill(first + std::max(b.Left, a.Left), first + std::min(b.Right, a.Right), pixel);
            for (int y = y0 + 1; y < y1; ++y)
                std::memcpy(FImage.Row(y) + a.Left, first + a.Left, bytes);
        }
    }
    // Whatever of a bar lies outside the area goes over what is there.
    for (const Box& b : FBars) {
        if (b.Left >= a.Left && b.Right <= a.Right && b.Top >= a.Top && b.Bottom <= a.Bottom)
            continue;
        for (int y = b.Top; y < b.Bottom; ++y) {
            quint32* row = FImage.Row(y);
            if (y < a.Top || y >= a.Bottom) {
                std::fill(row + b.Left, row + b.Right, pixel);
                continue;
            }
            if (b.Left < a.Left)
                std::fill(row + b.Left, row + std::min(b.Right, a.Left), pixel);
            if (b.Right > a.Right)
                std::fill(row + std::max(b.Left, a.Right), row + b.Right, pixel);
        }
    }
    FGlyphs.clear();
    FGlyphsRight = 0;
    return true;
}

bool DirectCanvas::FillBars(const std::vector<TRect>& bars, QRgb color) {
    if (qAlpha(color) != 255)
        return false;
    const auto pixel = static_cast<quint32>(color);
    for (const TRect& r : bars) {
        const int left = std::max(0, r.Left + FImage.Dx);
        const int right = std::min(FImage.Width, r.Right + FImage.Dx);
        for (int y = std::max(0, r.Top + FImage.Dy); y < std::min(FImage.Height, r.Bottom + FImage.Dy); ++y)
            if (left < right)
                std::fill(FImage.Row(y) + left, FImage.Row(y) + right, pixel);
    }
    FGroundKnown = false;
    return true;
}

bool DirectCanvas::Text(ImageFace& face, int x, int baseline, std::string_view cp1250, QRgb color) {
    if (writeText(face, x, baseline, cp1250, color))
        return true;
    // The painter draws this line: what lies under the ground box is no longer known.
    FGroundKnown = false;
    return false;
}

bool DirectCanvas::writeText(ImageFace& face, int x, int baseline, std::string_view cp1250, QRgb color) {
    if (!FImage.BlendsText || qAlpha(color) != 255 || face.Font().underline() || face.Font().strikeOut())
        return false;
    GlyphLine line;
    if (!face.Layout(cp1250, line))
        return false;
    std::array<ImageFace::Mask*, GlyphLine::kMaxGlyphs> masks{};
    std::array<int, GlyphLine::kMaxGlyphs> pens{};
    for (int i = 0; i < line.Count; ++i) {
        // The painter places a glyph at the whole pixel left of its pen and picks its mask by
        // the rest: advances are in sixty-fourths of a pixel.
        const qreal pen = line.Positions[static_cast<size_t>(i)].x();
        const qreal whole = std::floor(pen);
        const qreal frac64 = (pen - whole) * 64;
        if (frac64 != std::floor(frac64))
            return false;
        masks[static_cast<size_t>(i)] =
            face.GlyphMask(line.Glyphs[static_cast<size_t>(i)], static_cast<int>(frac64));
        if (!masks[static_cast<size_t>(i)])
            return false;
        pens[static_cast<size_t>(i)] = x + FImage.Dx + static_cast<int>(whole);
    }
    const int y = baseline + FImage.Dy;
    for (int i = 0; i < line.Count; ++i) {
        ImageFace::Mask& mask = *masks[static_cast<size_t>(i)];
        putGlyph(mask, pens[static_cast<size_t>(i)] + mask.Left, y + mask.Top, color);
    }
    return true;
}

bool DirectCanvas::onGround(const Box& box) const {
    const auto meets = [&](const Box& b) {
        return b.Left < box.Right && box.Left < b.Right && b.Top < box.Bottom && box.Top < b.Bottom;
    };
    if (!FGroundKnown || box.Left < FGroundBox.Left || box.Top < FGroundBox.Top ||
        box.Right > FGroundBox.Right || box.Bottom > FGroundBox.Bottom)
        return false;
    if (meets(FBarsBox)) {
        // Bars in order: from the first that ends right of the box's left edge.
        const auto ordered = FBars.begin() + static_cast<std::ptrdiff_t>(FBarsInOrder);
        for (auto it = std::partition_point(FBars.begin(), ordered,
                                            [&](const Box& b) { return b.Right <= box.Left; });
             it != ordered && it->Left < box.Right; ++it)
            if (meets(*it))
                return false;
        for (auto it = ordered; it != FBars.end(); ++it)
            if (meets(*it))
                return false;
    }
    // Text runs left to right: a glyph right of every earlier one meets none of them.
    if (box.Left < FGlyphsRight)
        for (const Box& b : FGlyphs)
            if (meets(b))
                return false;
    return true;
}

void DirectCanvas::putGlyph(ImageFace::Mask& mask, int left, int top, QRgb color) {
    if (mask.Width == 0)
        return;
    const Box box{std::max(0, left), std::max(0, top), std::min(FImage.Width, left + mask.Width),
                  std::min(FImage.Height, top + mask.Height)};
    if (box.Left >= box.Right || box.Top >= box.Bottom)
        return;
    const auto pixel = static_cast<quint32>(color);
    const size_t width = static_cast<size_t>(mask.Width);
    const size_t dx = static_cast<size_t>(box.Left - left);
    const size_t n = static_cast<size_t>(box.Right - box.Left);
    if (onGround(box)) {
        // Only the ground beneath: the glyph blended over it once is copied row by row.
        if (mask.Tile.empty() || mask.TileColor != color || mask.TileGround != FGround) {
            mask.Tile.resize(mask.Coverage.size());
            for (size_t i = 0; i < mask.Coverage.size(); ++i) {
                const quint32 c = mask.Coverage[i];
                mask.Tile[i] = c ? blendCoverage(FGround, pixel, c) : static_cast<quint32>(FGround);
            }
            mask.TileColor = color;
            mask.TileGround = FGround;
        }
        for (int y = box.Top; y < box.Bottom; ++y) {
            const quint32* src = mask.Tile.data() + static_cast<size_t>(y - top) * width + dx;
            std::memcpy(FImage.Row(y) + box.Left, src, n * sizeof(quint32));
        }
    } else {
        for (int y = box.Top; y < box.Bottom; ++y) {
            const uchar* src = mask.Coverage.data() + static_cast<size_t>(y - top) * width + dx;
            quint32* dst = FImage.Row(y) + box.Left;
            for (size_t i = 0; i < n; ++i)
                if (src[i])
                    dst[i] = blendCoverage(dst[i], pixel, src[i]);
        }
    }
    if (FGroundKnown) {
        FGlyphs.push_back(box);
        FGlyphsRight = std::max(FGlyphsRight, box.Right);
    }
}

} // namespace etikor
