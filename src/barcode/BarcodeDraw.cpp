// DrawBarCode: fitting and rotation, module expansion, bars, ITF bearer bars, the
// human-readable text, captions and horizontal lines. Every shape is an axis-aligned rectangle
// turned by a multiple of 90 degrees about the box centre, so the fills stay pixel-exact on any
// device; texts are drawn from their turned top-left corner with the font turned alike.
// Unrotated into a 32-bit image, background, bars and text are written into the pixels
// (BarcodeDrawImage) wherever that gives the painter's own pixels.

#include "barcode/BarcodeDraw.h"

#include "barcode/BarcodeDrawImage.h"
#include "barcode/Encoders.h"
#include "data/ColorQt.h"
#include "data/Cp1250Text.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygon>
#include <QRawFont>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <numbers>
#include <vector>

namespace etikor {

namespace {

using T = TTypBarCode;

// Round to nearest, halves to even (the default floating-point rounding mode).
int roundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

bool isBar(char c) {
    return c == '1' || c == '2' || c == 'M';
}

QColor toQColor(TColor c) {
    return ToQColor(c);
}

// Fonts of recent drawings on other surfaces than images (images keep an ImageFace): a copy
// shares the resolved font engine, so measuring and drawing the same barcode again does not
// look the font up anew.
struct FontEntry {
    TBarcodeFont Font;
    int Size;
    QFont Resolved;
};
thread_local std::vector<FontEntry> gFonts;

// The cached fonts hold font engines: they go before the application that owns the engines.
void clearFontCaches() {
    gFonts.clear();
}

void registerCacheCleanup() {
    static const bool registered = [] {
        qAddPostRoutine(clearFontCaches);
        return true;
    }();
    (void)registered;
}

QFont toQFont(const TBarcodeFont& font, int size) {
    size = std::max(1, size);
    registerCacheCleanup();
    auto& cache = gFonts;
    for (const FontEntry& e : cache)
        if (e.Size == size && e.Font == font)
            return e.Resolved;
    QFont f(FromCp1250(font.Name));
    f.setPointSize(size);
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    f.setStrikeOut(font.StrikeOut);
    if (cache.size() >= 16)
        cache.erase(cache.begin());
    cache.push_back({font, size, f});
    return f;
}

// Characters from..to (1-based, inclusive) of a text, clipped to it.
std::string_view part(std::string_view text, int from, int to) {
    if (from < 1)
        from = 1;
    if (to > static_cast<int>(text.size()))
        to = static_cast<int>(text.size());
    if (to < from)
        return {};
    return text.substr(static_cast<size_t>(from) - 1, static_cast<size_t>(to - from + 1));
}

std::string withoutControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 32)
            out.push_back(c);
    return out;
}

std::string masked(std::string text, std::string_view mask) {
    const size_t n = std::min(text.size(), mask.size());
    for (size_t i = 0; i < n; ++i)
        if (mask[i] != '_')
            text[i] = mask[i];
    return text;
}

Qt::PenStyle toQtPenStyle(TPenStyle style) {
    switch (style) {
    case TPenStyle::psDash:
        return Qt::DashLine;
    case TPenStyle::psDot:
        return Qt::DotLine;
    case TPenStyle::psDashDot:
        return Qt::DashDotLine;
    case TPenStyle::psDashDotDot:
        return Qt::DashDotDotLine;
    case TPenStyle::psClear:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

// The pen modes that have a raster operation; the rest draw as a plain copy.
QPainter::CompositionMode toCompositionMode(TPenMode mode) {
    switch (mode) {
    case TPenMode::pmNot:
        return QPainter::RasterOp_NotDestination;
    case TPenMode::pmNotCopy:
        return QPainter::RasterOp_NotSource;
    case TPenMode::pmMaskPenNot:
        return QPainter::RasterOp_SourceAndNotDestination;
    case TPenMode::pmMaskNotPen:
        return QPainter::RasterOp_NotSourceAndDestination;
    case TPenMode::pmMergeNotPen:
        return QPainter::RasterOp_NotSourceOrDestination;
    case TPenMode::pmMerge:
        return QPainter::RasterOp_SourceOrDestination;
    case TPenMode::pmNotMerge:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case TPenMode::pmMask:
        return QPainter::RasterOp_SourceAndDestination;
    case TPenMode::pmNotMask:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case TPenMode::pmXor:
        return QPainter::RasterOp_SourceXorDestination;
    case TPenMode::pmNotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    case TPenMode::pmMergePenNot:
        return QPainter::RasterOp_SourceOrNotDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

// A font as one drawing uses it, with its line metrics. On images it comes with the face that
// lays out, measures and writes its glyphs from the font's own advances, so a line is not
// shaped again for every measure and every drawing. Other surfaces (metafiles, PDF, SVG) keep
// their text as text and measure it with the font metrics.
struct TextFont {
    QFont Font;
    std::shared_ptr<ImageFace> Face;
    int Ascent = 0;
    int Height = 0;
};

TextFont fontAt(const TBarcodeFont& font, int size, QPaintDevice* device) {
    if (device && device->devType() == QInternal::Image) {
        std::shared_ptr<ImageFace> face = ImageFace::Of(font, size, device);
        const QFont& f = face->Font();
        const int ascent = face->Ascent();
        const int height = face->Height();
        return {f, std::move(face), ascent, height};
    }
    TextFont out{toQFont(font, size), nullptr, 0, 0};
    const QFontMetrics metrics(out.Font, device);
    out.Ascent = metrics.ascent();
    out.Height = metrics.height();
    return out;
}

int textWidth(const TextFont& font, QPaintDevice* device, std::string_view cp1250) {
    if (font.Face)
        if (const std::optional<int> width = font.Face->Width(cp1250))
            return *width;
    return QFontMetrics(font.Font, device).horizontalAdvance(FromCp1250(cp1250));
}

// The painter's state is saved, and antialiasing switched off for the fills, the first time a
// drawing needs the painter: a drawing written straight into an image never touches it.
class PainterScope {
public:
    explicit PainterScope(QPainter& painter) : FPainter(painter) {}
    PainterScope(const PainterScope&) = delete;
    PainterScope& operator=(const PainterScope&) = delete;
    ~PainterScope() { end(); }

    QPainter& operator()() {
        if (!FSaved) {
            FPainter.save();
            FPainter.setRenderHint(QPainter::Antialiasing, false);
            FSaved = true;
        }
        return FPainter;
    }
    void end() {
        if (FSaved)
            FPainter.restore();
        FSaved = false;
    }

private:
    QPainter& FPainter;
    bool FSaved = false;
};

// Draws in the unrotated layout rectangle and turns every point onto the box by a multiple of
// 90 degrees. The turn maps the layout's edges exactly onto the box's edges (rather than
// rounding about a centre that falls between pixels when a side is odd), so every column of
// the symbol lands on the box at every angle.
class TurnedCanvas {
public:
    TurnedCanvas(PainterScope& painter, DirectCanvas* direct, const TRect& box, const TRect& layout,
                 int angle)
        : FPainter(painter), FDirect(direct), FBox(box), FLayout(layout), FAngle(angle),
          FQuarter((((angle / 90) % 4) + 4) % 4) {}

    // A point on the layout's pixel edges, turned onto the box.
    QPoint map(int x, int y) const {
        const int dx = x - FLayout.Left;
        const int dy = y - FLayout.Top;
        switch (FQuarter) {
        case 1: // counter-clockwise: the start at the bottom
            return {FBox.Left + dy, FBox.Bottom - dx};
        case 2:
            return {FBox.Right - dx, FBox.Bottom - dy};
        case 3:
            return {FBox.Right - dy, FBox.Top + dx};
        default:
            return {FBox.Left + dx, FBox.Top + dy};
        }
    }

    // The pixel that pixel (x, y) of the layout becomes.
    QPoint mapPixel(int x, int y) const {
        const QPoint a = map(x, y);
        const QPoint b = map(x + 1, y + 1);
        return {std::min(a.x(), b.x()), std::min(a.y(), b.y())};
    }

    // The rectangle x1..x2, y1..y2 (right and bottom exclusive), filled without an outline.
    void fill(int x1, int y1, int x2, int y2, const QBrush& brush) {
        if (x2 <= x1 || y2 <= y1)
            return;
        QPainter& painter = FPainter();
        const QPoint a = map(x1, y1);
        const QPoint b = map(x2, y2);
        const int left = std::min(a.x(), b.x());
        const int top = std::min(a.y(), b.y());
        painter.fillRect(QRect(left, top, std::abs(b.x() - a.x()), std::abs(b.y() - a.y())), brush);
    }

    // The rectangles in one brush. On paper the painter's state is set once for them all (a
    // PDF or a printer would write it again for every bar filled on its own), each still a path
    // of its own: a renderer snaps a lone rectangle to its pixel grid, which keeps the bars on
    // the printer's dots. Other surfaces keep a fill each.
    void fillAll(const std::vector<TRect>& rects, const QBrush& brush, bool paper) {
        if (!paper) {
            for (const TRect& r : rects)
                fill(r.Left, r.Top, r.Right, r.Bottom, brush);
            return;
        }
        QPainter* painter = nullptr;
        for (const TRect& r : rects) {
            if (r.Right <= r.Left || r.Bottom <= r.Top)
                continue;
            if (!painter) {
                painter = &FPainter();
                painter->setPen(Qt::NoPen);
                painter->setBrush(brush);
            }
            const QPoint a = map(r.Left, r.Top);
            const QPoint b = map(r.Right, r.Bottom);
            painter->drawRect(QRect(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::abs(b.x() - a.x()),
                                    std::abs(b.y() - a.y())));
        }
    }

    // A text (Windows-1250) whose unrotated top-left corner is (x, y).
    void text(int x, int y, std::string_view s, const TextFont& font, TColor color) {
        if (s.empty())
            return;
        const QPoint at = map(x, y);
        if (FAngle == 0 && FDirect && font.Face &&
            FDirect->Text(*font.Face, at.x(), at.y() + font.Ascent, s, ToRgb(color)))
            return;
        QPainter& painter = FPainter();
        painter.setFont(font.Font);
        painter.setPen(toQColor(color));
        if (FAngle == 0) {
            if (!drawGlyphs(at.x(), at.y() + font.Ascent, s, font))
                painter.drawText(at.x(), at.y() + font.Ascent, FromCp1250(s));
            return;
        }
        painter.save();
        painter.translate(at);
        painter.rotate(-FAngle); // escapement turns counter-clockwise
        painter.drawText(0, font.Ascent, FromCp1250(s));
        painter.restore();
    }

private:
    // Into an image the glyphs are placed from the font's own advances (see TextFont).
    bool drawGlyphs(int x, int baseline, std::string_view s, const TextFont& font) {
        GlyphLine line;
        if (!font.Face || !font.Face->Layout(s, line))
            return false;
        QGlyphRun run;
        run.setRawFont(font.Face->Raw());
        run.setRawData(line.Glyphs.data(), line.Positions.data(), line.Count);
        run.setUnderline(font.Font.underline());
        run.setStrikeOut(font.Font.strikeOut());
        FPainter().drawGlyphRun(QPointF(x, baseline), run);
        return true;
    }

    PainterScope& FPainter;
    DirectCanvas* FDirect;
    TRect FBox;
    TRect FLayout;
    int FAngle;
    int FQuarter;
};

// |Font.Height|: the em height in device pixels.
int fontPixelHeight(const QFont& font, QPaintDevice* device) {
    const int dpi = device ? device->logicalDpiY() : 96;
    return roundEven(font.pointSizeF() * dpi / 72.0);
}

// A caption as one drawing places it.
struct CaptionLine {
    const TBarcodeCaption* Caption = nullptr;
    TextFont Font;
    int X = 0;
    int Y = 0;
    int Width = 0; // of its text
};

// Where a caption's text starts over a symbol `width` pixels wide from `left`.
int captionX(const CaptionLine& line, int left, int width) {
    switch (line.Caption->Alignment()) {
    case TAlignment::taRightJustify:
        return left + width - line.Width;
    case TAlignment::taCenter:
        return left + (width - line.Width) / 2;
    default:
        return left;
    }
}

// The visible captions with text over a symbol `width` pixels wide: each takes its line off
// `r`, the upper one at the top, the lower one at the bottom.
std::vector<CaptionLine> placeCaptions(const TBarcodeCaption& upper, const TBarcodeCaption& lower, int width,
                                       TRect& r, QPaintDevice* device) {
    std::vector<CaptionLine> lines;
    const int layoutHeight = r.Bottom - r.Top;
    const int dpi = device ? device->logicalDpiY() : 96;
    const auto lineHeight = [dpi](int size) { return roundEven(1.2 * roundEven(size * dpi / 72.0)); };
    const auto place = [&](const TBarcodeCaption& c, bool top) {
        if (!c.Visible() || c.Text().empty())
            return;
        int size = c.Font().Size;
        if (c.AutoSize()) {
            size = AutoFitFontSize(size, width, textWidth(fontAt(c.Font(), size, device), device, c.Text()));
            // A short text would grow as tall as the box: a fitted caption line takes at most a
            // quarter of the height, so the two captions leave the bars and their text at least
            // half of it.
            const int limit = layoutHeight / 4;
            if (lineHeight(size) + 1 > limit)
                size = std::max(1, static_cast<int>((limit - 1) / 1.2 * 72.0 / dpi) + 1);
            while (size > 1 && lineHeight(size) + 1 > limit)
                --size;
        }
        CaptionLine line{&c, fontAt(c.Font(), size, device), r.Left, 0, 0};
        line.Width = textWidth(line.Font, device, c.Text());
        line.X = captionX(line, r.Left, width);
        const int height = roundEven(1.2 * fontPixelHeight(line.Font.Font, device));
        if (top) {
            line.Y = r.Top;
            r.Top += height + 1;
        } else {
            line.Y = r.Bottom - height;
            r.Bottom = line.Y - 1;
        }
        lines.push_back(std::move(line));
    };
    place(upper, true);
    place(lower, false);
    return lines;
}

// What every drawing starts from: the layout rectangle for the box at the angle, the painter
// (saved on first use), the image's own pixels when the drawing is unrotated into one, and the
// canvas that turns the layout onto the box.
struct DrawSurface {
    DrawSurface(QPainter& canvas, const TRect& box, int angle)
        : Layout(FitLayoutRect(box, angle)), Painter(canvas),
          Turned(Painter, directInto(Direct, canvas, angle), box, Layout, angle) {}
    DrawSurface(const DrawSurface&) = delete;
    DrawSurface& operator=(const DrawSurface&) = delete;

    TRect Layout;
    PainterScope Painter;
    std::optional<DirectCanvas> Direct; // before Turned, which points at it
    TurnedCanvas Turned;

private:
    static DirectCanvas* directInto(std::optional<DirectCanvas>& slot, QPainter& canvas, int angle) {
        if (angle == 0)
            if (const std::optional<DirectImage> image = DirectImage::Of(canvas))
                return &slot.emplace(*image);
        return nullptr;
    }
};

// The reference text whose width FontAutoSize fits into the first digit group.
std::string autoSizeReference(T type, std::string_view text, std::string_view human) {
    switch (type) {
    case T::bcEan8:
    case T::bcJAN8:
        return std::string(part(text, 1, 4));
    case T::bcEan13:
    case T::bcISBN:
    case T::bcISSN:
    case T::bcISMN:
    case T::bcUPCE0:
    case T::bcUPCE1:
    case T::bcJAN13:
        return std::string(part(text, 2, 7));
    case T::bcUPCA:
        return std::string(part(text, 2, 6));
    case T::bcUPCShipping:
        return std::string(text) + "     ";
    case T::bcOPC:
        return std::string(text) + "--";
    case T::bcPZN:
        return std::string(human);
    default:
        return withoutControls(text);
    }
}

} // namespace

std::optional<ExpandedPattern> ExpandModules(std::string_view pattern, const TextAnchors& anchors, int width,
                                             bool security) {
    ExpandedPattern out;
    out.Anchors = anchors;
    const int n = static_cast<int>(pattern.size());
    if (n == 0)
        return out;
    int* const a[] = {&out.Anchors.Group1Start, &out.Anchors.Group1End,  &out.Anchors.Group2Start,
                      &out.Anchors.Group2End,   &out.Anchors.AddOnStart, &out.Anchors.TrailingDigit};
    if (security) {
        const int k = width / n;
        if (k == 0)
            return std::nullopt;
        out.Columns.reserve(static_cast<size_t>(n) * static_cast<size_t>(k));
        for (char c : pattern)
            out.Columns.append(static_cast<size_t>(k), c);
        for (int* p : a)
            *p *= k;
        return out;
    }
    if (width <= 0)
        return out;
    // Module i (1-based) takes columns ceil((i - 1) w / n) up to ceil(i w / n): w div n each, one
    // more while the running remainder is short. An anchor on module i becomes the number of
    // columns before it; anchors off the pattern keep their values.
    const int q = width / n;
    const int rest = width % n;
    // Eight spare bytes: a module's columns are stored eight at a time (most modules take one
    // to three columns), the next module overwriting what the last store wrote beyond them.
    out.Columns.resize(static_cast<size_t>(width) + 8);
    char* column = out.Columns.data();
    int acc = 0; // n * columns so far - modules so far * width, in [0, n)
    for (char c : pattern) {
        int k = q;
        if (acc < rest) {
            ++k;
            acc += n;
        }
        acc -= rest;
        const std::uint64_t eight = 0x0101010101010101ULL * static_cast<unsigned char>(c);
        for (int j = 0; j < k; j += 8)
            std::memcpy(column + j, &eight, 8);
        column += k;
    }
    out.Columns.resize(static_cast<size_t>(width));
    for (int* p : a)
        if (*p >= 1 && *p <= n)
            *p = static_cast<int>((static_cast<long long>(*p - 1) * width + n - 1) / n);
    return out;
}

TRect FitLayoutRect(const TRect& box, int angle) {
    const int width = box.Right - box.Left;
    const int height = box.Bottom - box.Top;
    const int cx = (box.Left + box.Right) / 2;
    const int cy = (box.Top + box.Bottom) / 2;
    const double t = std::tan(angle * std::numbers::pi / 180.0);
    const double r = (width - height * t) / (1 - t * t);
    const double a = r * t;
    const int w = roundEven(std::sqrt(r * r + a * a));
    const int h = roundEven(std::sqrt((width - r) * (width - r) + (height - a) * (height - a)));
    // The full w x h: halving both sides would lose a pixel of every odd width.
    const int left = cx - w / 2;
    const int top = cy - h / 2;
    return {left, top, left + w, top + h};
}

int AutoFitFontSize(int size, int available, int textWidth) {
    if (textWidth <= 0)
        return size;
    const int fitted = static_cast<int>(std::trunc(size * 0.9 * available / textWidth));
    return std::max(1, fitted);
}

bool IsPrinterCanvas(const QPainter& canvas) {
    const QPaintDevice* device = canvas.device();
    if (device && device->devType() == QInternal::Printer)
        return true;
    const QPaintEngine* engine = canvas.paintEngine();
    return engine && engine->type() == QPaintEngine::Pdf;
}

void TCustomEAN::DrawOnPrinter(QPainter& printerCanvas, const TRect& rect) {
    DrawBarCode(printerCanvas, rect, TCanvasKind::ckPrinter);
}

// ---- the phases of a drawing ---------------------------------------------------------------

namespace {

// Ends a drawing: the painter is given back as it came, the outcome stored, OnPaint called.
void finishDrawing(TCustomEAN& ean, PainterScope& painter, TLastPaintError error, std::string drawn,
                   const TRect& rect) {
    painter.end();
    ean.SetPaintResult(error, std::move(drawn));
    ean.DoPaint(rect);
}

// A symbol that cannot be drawn: on screen its box is hatched red over its background; a
// printed page stays blank there.
void drawFailure(const TCustomEAN& ean, TurnedCanvas& turned, const TRect& ground, bool printer) {
    if (printer)
        return;
    if (!ean.Transparent())
        turned.fill(ground.Left, ground.Top, ground.Right, ground.Bottom,
                    QBrush(toQColor(ean.BackgroundColor())));
    turned.fill(ground.Left, ground.Top, ground.Right, ground.Bottom, QBrush(Qt::red, Qt::DiagCrossPattern));
}

// What a linear symbol is drawn from: its modules expanded onto the layout's width and the
// text they stand for.
struct LinearSymbol {
    std::optional<ExpandedPattern> Expanded; // none: nothing to draw, for the reason in Error
    TLastPaintError Error = TLastPaintError::erOK;
    std::string Text;  // a book number in its EAN form
    std::string Human; // the human-readable line before the mask
};

LinearSymbol encodeLinear(TCustomEAN& ean, int width) {
    LinearSymbol symbol;
    const T type = ean.TypBarCode();
    BarcodeEncoding encoding = ean.BuildPattern(ean.BarCode());
    symbol.Error = ean.LastPaintError();
    if (encoding.BarPattern.empty() && symbol.Error == TLastPaintError::erOK)
        symbol.Error = TLastPaintError::erErrorInBarCode; // a rejected text never passes as drawn
    const bool bookNumber = type == T::bcISBN || type == T::bcISSN || type == T::bcISMN;
    symbol.Text = bookNumber ? EanForm(ean.BarCode(), type) : ean.BarCode();
    symbol.Human = withoutControls(type == T::bcPZN ? "PZN - " + symbol.Text : symbol.Text);
    if (static_cast<int>(encoding.BarPattern.size()) > width) {
        symbol.Error = TLastPaintError::erSmallPaintBox;
        return symbol;
    }
    if (!encoding.BarPattern.empty()) {
        symbol.Expanded = ExpandModules(encoding.BarPattern, encoding.Anchors, width, ean.Security());
        if (!symbol.Expanded)
            symbol.Error = TLastPaintError::erOutOfSecurityBox;
    }
    return symbol;
}

// The lines of text around a linear symbol: the captions, each of which has taken its line off
// the layout, and the human-readable font with its line height.
struct LinearText {
    std::vector<CaptionLine> Captions;
    TextFont Font;
    int Height = 0;
};

LinearText fitLinearText(const TCustomEAN& ean, const LinearSymbol& symbol, TRect& r, QPaintDevice* device) {
    LinearText out;
    const ExpandedPattern& expanded = *symbol.Expanded;
    const int patternWidth = static_cast<int>(expanded.Columns.size());
    out.Captions = placeCaptions(ean.Caption(), ean.CaptionBottom(), patternWidth, r, device);
    const TBarcodeFont& font = ean.Font();
    out.Font = fontAt(font, font.Size, device);
    if (ean.FontAutoSize()) {
        int size = font.Size;
        const int w =
            textWidth(out.Font, device, autoSizeReference(ean.TypBarCode(), symbol.Text, symbol.Human));
        if (w > 0) {
            size = AutoFitFontSize(font.Size, expanded.Anchors.Group1End - expanded.Anchors.Group1Start, w);
            out.Font = fontAt(font, size, device);
        }
        // A short text over a long symbol would grow taller than the box and leave no bars:
        // the fitted text never takes more than half of the height.
        const int room = (r.Bottom - r.Top) / 2;
        const int height = out.Font.Height;
        if (height > room && height > 0)
            out.Font = fontAt(font, std::max(1, static_cast<int>(size * static_cast<double>(room) / height)),
                              device);
    }
    out.Height = out.Font.Height;
    return out;
}

// The bars of the expanded columns in `r`: runs of bar columns, each ended by a space column
// (a sentinel closes the last). Bars end above the text of height `th`, guard bars reach into
// it, PostNet's short bars are half height, and ITF has bearer bars across the whole pattern.
std::vector<TRect> linearBars(const TCustomEAN& ean, const std::string& columns, const TRect& r, int th) {
    const T type = ean.TypBarCode();
    const bool postNet = type == T::bcPostNet;
    const bool upc = type == T::bcUPCA || type == T::bcUPCE0 || type == T::bcUPCE1;
    const bool labels = ean.ShowLabels();
    const int patternWidth = static_cast<int>(columns.size());
    std::vector<TRect> bars;
    bars.reserve(patternWidth / 2 + 2);
    int firstBar = -1;
    int lastCut = 0;
    bool afterAddOnMark = false;
    int run = 0;
    for (int j = 0; j <= patternWidth; ++j) {
        const char c = j < patternWidth ? columns[static_cast<size_t>(j)] : '0';
        if (isBar(c)) {
            ++run;
            continue;
        }
        if (run > 0) {
            const char last = columns[static_cast<size_t>(j) - 1];
            // Without the text nothing is shortened to make room for it.
            int top = afterAddOnMark && ean.Ean13AddUp() && labels ? th : 0;
            int cut;
            if (postNet) {
                cut = 0;
                top = last == 'M' ? (r.Bottom - r.Top) / 2 : 0;
            } else if (last == '2' && ean.StartStopLines()) {
                cut = upc && labels ? th / 2 : 0;
            } else {
                cut = labels ? th : 0;
            }
            bars.push_back({r.Left + j - run, r.Top + top, r.Left + j, r.Bottom - cut});
            if (firstBar < 0)
                firstBar = run;
            lastCut = cut;
            run = 0;
        }
        if (c == 'X')
            afterAddOnMark = true;
    }
    if (type == T::bcITF && firstBar > 0) {
        const int right = r.Left + patternWidth;
        bars.push_back({r.Left, r.Top, right, r.Top + 2 * firstBar});
        bars.push_back({r.Left, r.Bottom - lastCut - 2 * firstBar, right, r.Bottom - lastCut});
    }
    return bars;
}

// The human-readable text under (an add-on's over) the bars, in the digit groups the
// symbology's anchors give.
void drawHumanReadable(const TCustomEAN& ean, TurnedCanvas& turned, const LinearSymbol& symbol,
                       const LinearText& lines, const TRect& r, QPaintDevice* device) {
    const TextAnchors& anchors = symbol.Expanded->Anchors;
    const TextFont& font = lines.Font;
    const TColor color = ean.LinesColor();
    const std::string& text = symbol.Text;
    const std::string shown = masked(symbol.Human, ean.LabelMask());
    const int textTop = r.Bottom - lines.Height;
    const auto at = [&](int x, int y, std::string_view s, const TextFont& f) {
        turned.text(x, y, s, f, color);
    };
    const auto centred = [&](int a, int b, std::string_view s) {
        turned.text(r.Left + a + (b - a - textWidth(font, device, s)) / 2, textTop, s, font, color);
    };
    const auto addOn = [&](std::string_view s) {
        at(r.Left + anchors.AddOnStart, ean.Ean13AddUp() ? r.Top : textTop, s, font);
    };
    const int g1s = anchors.Group1Start, g1e = anchors.Group1End;
    const int g2s = anchors.Group2Start, g2e = anchors.Group2End;
    switch (ean.TypBarCode()) {
    case T::bcEan8:
    case T::bcJAN8:
        centred(g1s, g1e, part(shown, 1, 4));
        centred(g2s, g2e, part(shown, 5, 8));
        addOn(part(shown, 10, 14));
        break;
    case T::bcEan13:
    case T::bcISBN:
    case T::bcISSN:
    case T::bcISMN:
    case T::bcJAN13:
        at(r.Left, textTop, part(shown, 1, 1), font);
        centred(g1s, g1e, part(shown, 2, 7));
        centred(g2s, g2e, part(shown, 8, 13));
        addOn(part(shown, 15, 19));
        break;
    case T::bcUPCA:
        at(r.Left, textTop, part(shown, 1, 1), font);
        centred(g1s, g1e, part(shown, 2, 6));
        centred(g2s, g2e, part(shown, 7, 11));
        addOn(part(shown, 14, 18));
        at(r.Left + anchors.TrailingDigit, textTop, part(shown, 12, 12), font);
        break;
    case T::bcUPCE0:
    case T::bcUPCE1: {
        centred(g1s, g1e, part(shown, 2, 7));
        addOn(part(shown, 10, 14));
        const TextFont small = fontAt(ean.Font(), roundEven(font.Font.pointSize() * 0.75), device);
        const int smallTop = r.Bottom - small.Height;
        at(r.Left, smallTop, part(shown, 1, 1), small);
        at(r.Left + anchors.TrailingDigit, smallTop, part(shown, 8, 8), small);
        break;
    }
    case T::bcUPCShipping: {
        std::string grouped;
        grouped.append(part(text, 1, 1)).append("  ").append(part(text, 2, 3)).append("  ");
        grouped.append(part(text, 4, 8)).append("  ").append(part(text, 9, 13)).append("  ");
        grouped.append(part(text, 14, 14));
        centred(g1s, g1e, grouped);
        addOn(part(shown, 16, 21));
        break;
    }
    case T::bcOPC: {
        std::string grouped;
        grouped.append(part(shown, 1, 5)).append("-").append(part(shown, 6, 9)).append("-");
        grouped.append(part(shown, 10, 10));
        centred(g1s, g1e, grouped);
        break;
    }
    default:
        centred(g1s, g1e, shown);
        break;
    }
}

// Horizontal lines across the layout, turned with the barcode so that they stay inside the box.
void drawHorzLines(const TBarCodeHorzLines& lines, PainterScope& painter, const TurnedCanvas& turned,
                   const TRect& r) {
    if (lines.LinesCount() <= 0 || lines.Mode() == TPenMode::pmNop)
        return;
    QColor color = toQColor(lines.Color());
    if (lines.Mode() == TPenMode::pmBlack)
        color = Qt::black;
    else if (lines.Mode() == TPenMode::pmWhite)
        color = Qt::white;
    QPen pen(color);
    pen.setWidth(lines.Width());
    pen.setStyle(toQtPenStyle(lines.Style()));
    QPainter& p = painter();
    p.save();
    p.setPen(pen);
    if (p.paintEngine() && p.paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
        p.setCompositionMode(toCompositionMode(lines.Mode()));
    const int step = (r.Bottom - r.Top) / (lines.LinesCount() + 1);
    for (int i = 1; i <= lines.LinesCount(); ++i) {
        const int y = r.Top + i * step;
        // The end point is excluded, as a line drawn with LineTo is.
        p.drawLine(turned.mapPixel(r.Left, y), turned.mapPixel(r.Right - 1, y));
    }
    p.restore();
}

} // namespace

void TCustomEAN::DrawBarCode(QPainter& canvas, const TRect& rect, TCanvasKind kind) {
    if (FBarCode.empty()) {
        // Nothing is drawn; the reason is reported rather than a stale success.
        SetPaintResult(TLastPaintError::erEmptyCode, {});
        return;
    }
    const bool printer =
        kind == TCanvasKind::ckPrinter || (kind == TCanvasKind::ckAuto && IsPrinterCanvas(canvas));
    if (IsMatrixType(FTypBarCode)) {
        drawMatrix(canvas, rect, printer);
        return;
    }
    QPaintDevice* const device = canvas.device();

    // Fitting; unrotated into a 32-bit image, bars and text are written into the pixels.
    DrawSurface surface(canvas, rect, FAngle);
    const TRect ground = surface.Layout;
    TRect r = ground; // less the captions' lines

    LinearSymbol symbol = encodeLinear(*this, r.Right - r.Left);
    if (!symbol.Expanded && symbol.Error == TLastPaintError::erOutOfSecurityBox) {
        finishDrawing(*this, surface.Painter, symbol.Error, {}, rect);
        return;
    }
    LinearText lines;
    if (symbol.Expanded) {
        lines = fitLinearText(*this, symbol, r, device);
        // Captions or the text that leave the bars no height: the box is too small for them.
        const int textCut = FShowLabels && FTypBarCode != T::bcPostNet ? lines.Height : 0;
        if (r.Bottom - r.Top - textCut < 1) {
            symbol.Expanded.reset();
            symbol.Error = TLastPaintError::erSmallPaintBox;
        }
    }
    if (!symbol.Expanded) {
        drawFailure(*this, surface.Turned, ground, printer);
        finishDrawing(*this, surface.Painter, symbol.Error, {}, rect);
        return;
    }

    // On an opaque background with nothing between the bars (a caption's descender could reach
    // in), the background and the bars are written together once the bars are known.
    const bool uniform = !FTransparent && qAlpha(ToRgb(FBackgroundColor)) == 255 && lines.Captions.empty();
    const bool groundWithBars = surface.Direct && uniform && qAlpha(ToRgb(FLinesColor)) == 255;
    if (!FTransparent && !groundWithBars)
        surface.Turned.fill(ground.Left, ground.Top, ground.Right, ground.Bottom,
                            QBrush(toQColor(FBackgroundColor)));
    for (const CaptionLine& line : lines.Captions)
        surface.Turned.text(line.X, line.Y, line.Caption->Text(), line.Font, line.Caption->Font().Color);

    const std::vector<TRect> bars = linearBars(*this, symbol.Expanded->Columns, r, lines.Height);
    if (groundWithBars)
        surface.Direct->FillGroundAndBars(ground, ToRgb(FBackgroundColor), bars, ToRgb(FLinesColor));
    else if (!surface.Direct || !surface.Direct->FillBars(bars, ToRgb(FLinesColor)))
        surface.Turned.fillAll(bars, QBrush(toQColor(FLinesColor)), IsPrinterCanvas(canvas));

    if (FShowLabels && FTypBarCode != T::bcPostNet)
        drawHumanReadable(*this, surface.Turned, symbol, lines, r, device);
    drawHorzLines(FHorzLines, surface.Painter, surface.Turned, r);
    finishDrawing(*this, surface.Painter, TLastPaintError::erOK, std::move(symbol.Expanded->Columns), rect);
}

// The module edges of a matrix drawn `pixels` wide for `modules` modules: whole pixels of k
// each (whole-pixel modules), or spread evenly over the width.
namespace {

std::vector<int> moduleEdges(int modules, int k, double size) {
    std::vector<int> edges(static_cast<size_t>(modules) + 1);
    for (int i = 0; i <= modules; ++i)
        edges[static_cast<size_t>(i)] = k > 0 ? i * k : roundEven(i * size);
    return edges;
}

} // namespace

void TCustomEAN::drawMatrix(QPainter& canvas, const TRect& rect, bool printer) {
    QPaintDevice* const device = canvas.device();
    DrawSurface surface(canvas, rect, FAngle);
    const TRect ground = surface.Layout; // the whole box: background and hatch
    TRect r = ground;                    // less the captions' lines
    PainterScope& painter = surface.Painter;
    std::optional<DirectCanvas>& direct = surface.Direct;
    TurnedCanvas& turned = surface.Turned;

    FLastPaintError = TLastPaintError::erOK;
    const BarcodeEncoding encoding = BuildPattern(FBarCode);
    TLastPaintError error = FLastPaintError;
    const BarcodeMatrix& m = encoding.Matrix;
    // Captions over and under the symbol, fitted to the widest it can be; aligned on it once
    // its size is known.
    std::vector<CaptionLine> captionLines;
    if (!m.Empty())
        captionLines = placeCaptions(
            FCaption, FCaptionBottom,
            std::min(r.Right - r.Left, (r.Bottom - r.Top) * m.TotalColumns() / std::max(1, m.TotalRows())), r,
            device);
    const int boxWidth = r.Right - r.Left;
    const int boxHeight = r.Bottom - r.Top;

    // The optional text line below the symbol: the value, fitted to the symbol's width.
    TextFont font;
    int th = 0;
    const std::string human = withoutControls(FBarCode);
    if (!m.Empty() && FShowLabels && !human.empty()) {
        font = fontAt(FFont, FFont.Size, device);
        if (FFontAutoSize) {
            // Fitted first to the widest the symbol can be; narrowed below once its size is known.
            const int symbolWidth =
                std::min(boxWidth, boxHeight * m.TotalColumns() / std::max(1, m.TotalRows()));
            const int w = textWidth(font, device, human);
            int size = w > 0 ? AutoFitFontSize(FFont.Size, symbolWidth, w) : FFont.Size;
            font = fontAt(FFont, size, device);
            // Never more than a quarter of the height: the symbol keeps the rest.
            const int room = boxHeight / 4;
            if (font.Height > room && font.Height > 0) {
                size = std::max(1, static_cast<int>(size * static_cast<double>(room) / font.Height));
                font = fontAt(FFont, size, device);
            }
        }
        th = font.Height;
    }

    // Square modules: whole pixels (whole dots on a printer) with Security, else as large as
    // the box allows. A symbol that does not fit with its quiet zone is an error.
    const int columns = m.TotalColumns();
    // A symbol without a quiet zone of its own (Aztec) keeps one module between it and the text.
    const int gap = th > 0 && m.QuietZone == 0 ? 1 : 0;
    const int rows = m.TotalRows() + gap;
    int k = 0;
    double size = 0;
    const int roomHeight = boxHeight - th;
    if (!m.Empty()) {
        if (columns > boxWidth || rows > roomHeight) {
            error = TLastPaintError::erSmallPaintBox;
        } else if (FSecurity || printer) {
            k = std::min(boxWidth / columns, roomHeight / rows);
        } else {
            size = std::min(static_cast<double>(boxWidth) / columns, static_cast<double>(roomHeight) / rows);
        }
    }
    if (m.Empty() && error == TLastPaintError::erOK)
        error = TLastPaintError::erErrorInBarCode;
    if (error != TLastPaintError::erOK) {
        drawFailure(*this, turned, ground, printer);
        finishDrawing(*this, painter, error, {}, rect);
        return;
    }

    if (!FTransparent)
        turned.fill(ground.Left, ground.Top, ground.Right, ground.Bottom, QBrush(toQColor(FBackgroundColor)));
    const std::vector<int> xs = moduleEdges(columns, k, size);
    const std::vector<int> ys = moduleEdges(rows, k, size);
    const int q = m.QuietZone;
    // Runs of dark modules, a row of runs stretched down over the rows that repeat it (the three
    // module rows of every PDF417 row).
    std::vector<TRect> dark;
    dark.reserve(static_cast<size_t>(m.Rows) * 4);
    // ys has the gap's row at the end; the matrix rows come first.
    size_t rowStart = 0;
    for (int y = 0; y < m.Rows; ++y) {
        const int top = r.Top + ys[static_cast<size_t>(y + q)];
        const int bottom = r.Top + ys[static_cast<size_t>(y + q + 1)];
        const bool repeats =
            y > 0 && std::equal(m.Modules.begin() + static_cast<std::ptrdiff_t>(y) * m.Columns,
                                m.Modules.begin() + static_cast<std::ptrdiff_t>(y + 1) * m.Columns,
                                m.Modules.begin() + static_cast<std::ptrdiff_t>(y - 1) * m.Columns);
        if (repeats) {
            for (size_t i = rowStart; i < dark.size(); ++i)
                dark[i].Bottom = bottom;
            continue;
        }
        rowStart = dark.size();
        for (int x = 0; x < m.Columns;) {
            if (!m.Dark(y, x)) {
                ++x;
                continue;
            }
            int end = x;
            while (end < m.Columns && m.Dark(y, end))
                ++end;
            dark.push_back({r.Left + xs[static_cast<size_t>(x + q)], top,
                            r.Left + xs[static_cast<size_t>(end + q)], bottom});
            x = end;
        }
    }
    if (!direct || !direct->FillBars(dark, ToRgb(FLinesColor)))
        turned.fillAll(dark, QBrush(toQColor(FLinesColor)), IsPrinterCanvas(canvas));
    const int symbolWidth = xs.back();
    const int symbolHeight = ys.back(); // with the gap below an Aztec symbol
    for (CaptionLine& line : captionLines) {
        line.X = captionX(line, r.Left, symbolWidth);
        turned.text(line.X, line.Y, line.Caption->Text(), line.Font, line.Caption->Font().Color);
    }
    if (th > 0) {
        const std::string shown = masked(human, FLabelMask);
        if (FFontAutoSize) {
            const int w = textWidth(font, device, shown);
            if (w > symbolWidth)
                font = fontAt(FFont, AutoFitFontSize(font.Font.pointSize(), symbolWidth, w), device);
        }
        const int x = r.Left + (symbolWidth - textWidth(font, device, shown)) / 2;
        turned.text(x, r.Top + symbolHeight, shown, font, FLinesColor);
    }

    // The first module row through the symbol, one character per pixel column: what was drawn.
    std::string drawn(static_cast<size_t>(symbolWidth), '0');
    for (int x = 0; x < m.Columns; ++x)
        if (m.Dark(0, x))
            std::fill(drawn.begin() + xs[static_cast<size_t>(x + q)],
                      drawn.begin() + xs[static_cast<size_t>(x + q + 1)], '1');
    finishDrawing(*this, painter, TLastPaintError::erOK, std::move(drawn), rect);
}

} // namespace etikor
