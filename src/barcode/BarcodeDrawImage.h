#pragma once

// Unrotated barcodes written straight into the pixels of 32-bit images: the background and the
// bars as bands of identical rows, the human-readable text from glyph masks captured once per
// font, glyph and sub-pixel offset. Every pixel written is the one the raster painter would
// write; whatever cannot be written exactly so is reported, and the caller draws it with the
// painter instead. A painter call costs a span set-up per row and a blend per glyph pixel,
// while a barcode is a few long bands and a line of glyphs that recur from value to value.

#include "barcode/Ean.h"

#include <QColor>
#include <QFont>
#include <QRawFont>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

class QPainter;
class QPaintDevice;

namespace etikor {

// The pixels behind a painter that would write them as plain stores: a 32-bit image (RGB32 or
// premultiplied ARGB32; plain ARGB32 for opaque fills only), no clipping, at most a whole-pixel
// translation, full opacity, plain source-over.
struct DirectImage {
    uchar* Bits = nullptr;
    qsizetype Stride = 0; // bytes per line
    int Width = 0;
    int Height = 0;
    int Dx = 0; // the painter's translation
    int Dy = 0;
    bool BlendsText = false; // glyph blending matches the painter's on this format

    quint32* Row(int y) const { return reinterpret_cast<quint32*>(Bits + y * Stride); }

    static std::optional<DirectImage> Of(QPainter& canvas);
};

// The glyphs of a line laid out from the font's own advances (no shaping), as the painter's
// glyph run takes them.
struct GlyphLine {
    static constexpr int kMaxGlyphs = 64;
    std::array<quint32, kMaxGlyphs> Glyphs{};
    std::array<QPointF, kMaxGlyphs> Positions{};
    int Count = 0;
    qreal Width = 0;
};

// A font as drawn into images of one resolution: its metrics, the glyph and advance of every
// Windows-1250 byte, and the coverage masks the painter blends, captured once per glyph and
// sub-pixel offset by drawing the glyph alone.
class ImageFace {
public:
    // The face of `font` at `size` points for images of the device's resolution, kept for the
    // next drawings (the most recently used few).
    static std::shared_ptr<ImageFace> Of(const TBarcodeFont& font, int size, QPaintDevice* device);
    // Forgets every face (they hold font engines, which go with the application).
    static void ClearCache();

    ImageFace(const TBarcodeFont& font, int size, QPaintDevice* device);

    const QFont& Font() const { return FFont; }
    const QRawFont& Raw() const { return FRaw; }
    int Ascent() const { return FAscent; }
    int Height() const { return FHeight; }

    // The line placed from the glyph advances; false when it cannot be (an invalid font, more
    // glyphs than a line holds, a character without a glyph).
    bool Layout(std::string_view cp1250, GlyphLine& line);
    // Its width rounded to pixels; nullopt when Layout fails.
    std::optional<int> Width(std::string_view cp1250);

    struct Mask {
        bool Usable = false;
        int Left = 0; // ink box from the pen's whole pixel and the baseline
        int Top = 0;
        int Width = 0;
        int Height = 0;
        std::vector<uchar> Coverage;
        // The glyph already blended over one ground in one colour: copied where only that
        // ground lies beneath.
        std::vector<quint32> Tile;
        QRgb TileColor = 0;
        QRgb TileGround = 0;
    };
    // The mask of a glyph with the pen at `frac64` sixty-fourths of a pixel; nullptr when the
    // painter's glyph cannot be captured or blended exactly (the painter draws that line).
    Mask* GlyphMask(quint32 glyph, int frac64);

private:
    struct CharGlyph {
        bool Known = false;
        bool Mapped = false;
        quint32 Glyph = 0;
        qreal Advance = 0;
    };
    const CharGlyph& charGlyph(unsigned char byte);

    TBarcodeFont FKey;
    int FSize;
    int FDpi;
    QFont FFont;
    QRawFont FRaw;
    int FAscent = 0;
    int FHeight = 0;
    bool FMasksAllowed = false; // glyphs of this size come from the painter's glyph cache
    int FBlendChecked = 0;      // 0 not yet, 1 matches the painter, -1 does not
    std::array<CharGlyph, 256> FChars{};
    std::unordered_map<quint32, Mask> FMasks;
};

// One drawing's writes into a DirectImage, in the painter's logical coordinates.
class DirectCanvas {
public:
    explicit DirectCanvas(const DirectImage& image);
    DirectCanvas(const DirectCanvas&) = delete;
    DirectCanvas& operator=(const DirectCanvas&) = delete;
    ~DirectCanvas();

    // The background over `area` with the bars over it: each band of rows between bar ends is
    // composed once and copied down. Afterwards the text knows that only the background lies
    // under `area` outside the bars. False (nothing written) for colours that are not opaque.
    bool FillGroundAndBars(const TRect& area, QRgb ground, const std::vector<TRect>& bars, QRgb color);
    // Bars over whatever is there. False (nothing written) for a colour that is not opaque.
    bool FillBars(const std::vector<TRect>& bars, QRgb color);
    // A line of text with the pen starting at (x, baseline); false when it cannot be written
    // exactly as the painter's glyph run (nothing is written then).
    bool Text(ImageFace& face, int x, int baseline, std::string_view cp1250, QRgb color);

private:
    struct Box {
        int Left, Top, Right, Bottom;
    };
    bool writeText(ImageFace& face, int x, int baseline, std::string_view cp1250, QRgb color);
    bool onGround(const Box& box) const;
    void putGlyph(ImageFace::Mask& mask, int left, int top, QRgb color);

    DirectImage FImage;
    bool FGroundKnown = false; // only the ground lies under FGroundBox outside what is inked
    QRgb FGround = 0;
    Box FGroundBox{};
    Box FBarsBox{}; // the box around every bar
    std::vector<Box> FBars;
    size_t FBarsInOrder = 0; // the leading bars that follow one another left to right
    std::vector<Box> FGlyphs;
    int FGlyphsRight = 0; // the right end of the rightmost glyph
    static thread_local std::vector<Box> tSpareBars;
    static thread_local std::vector<Box> tSpareGlyphs;
};

} // namespace etikor
