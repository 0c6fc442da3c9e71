#pragma once

// A drawing recorded as the few Windows GDI records a barcode needs (filled polygons without
// outline, lines, rotated text), and the writers that turn it into a Windows metafile (WMF,
// written here) or an enhanced metafile (EMF, through libEMF). Plain C++: the recording paint
// device (MetafileDevice.h) fills it from QPainter calls. Coordinates are pixels at 96 dpi.

#include <cstdint>
#include <string>
#include <vector>

namespace etikor {

struct TMetaPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TMetaPoint&, const TMetaPoint&) = default;
};

enum class TMetaKind : uint8_t { mkPolygon, mkLine, mkText };

// GDI values written as they are: PS_* pen styles, R2_* mix modes.
struct TMetaRecord {
    TMetaKind Kind = TMetaKind::mkPolygon;
    std::vector<TMetaPoint> Points; // polygon corners; a line's two ends; a text's baseline start
    uint32_t Color = 0xFF000000;    // 0xAARRGGBB: fill, pen or text colour
    bool Hatched = false;           // polygon: diagonal cross hatch instead of a solid fill
    int PenStyle = 0;               // line
    int PenWidth = 1;
    int Rop2 = 13; // R2_COPYPEN
    // Text: UTF-16, with the font as a LOGFONT describes it.
    std::u16string Text;
    std::u16string FaceName;
    int FontHeight = 0; // negative: em height in pixels
    int Weight = 400;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int Escapement = 0; // tenths of a degree, counter-clockwise
};

struct TMetaPicture {
    int Width = 0;
    int Height = 0;
    std::vector<TMetaRecord> Records;
};

// A placeable Windows metafile (16-bit records, text in Windows-1250), 96 units per inch.
std::string WriteWmf(const TMetaPicture& picture);

// An enhanced metafile; empty when libEMF fails.
std::string WriteEmf(const TMetaPicture& picture);

} // namespace etikor
