// A placeable Windows metafile with the records a barcode needs: window set-up, a null pen so
// that polygons have no outline, solid and hatched brushes, polygons, pens and lines, fonts with
// escapement and ExtTextOut. Record layouts as the published WMF format defines them.

#include "barcode/Metafile.h"

#include "data/Cp1250.h"

#include <algorithm>

namespace etikor {

namespace {

enum : uint16_t {
    META_EOF = 0x0000,
    META_SETBKMODE = 0x0102,
    META_SETMAPMODE = 0x0103,
    META_SETROP2 = 0x0104,
    META_SETTEXTALIGN = 0x012E,
    META_SELECTOBJECT = 0x012D,
    META_DELETEOBJECT = 0x01F0,
    META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_POLYGON = 0x0324,
    META_EXTTEXTOUT = 0x0A32,
};

constexpr uint16_t kMmAnisotropic = 8;
constexpr uint16_t kTransparent = 1;
constexpr uint16_t kTaBaseline = 24;
constexpr uint16_t kPsNull = 5;
constexpr uint16_t kBsSolid = 0;
constexpr uint16_t kBsHatched = 2;
constexpr uint16_t kHsDiagCross = 5;
constexpr uint8_t kEastEuropeCharset = 238;
constexpr uint8_t kOutTtOnlyPrecis = 7;
constexpr uint8_t kProofQuality = 2;
constexpr uint8_t kVariablePitch = 2;

int16_t clamp16(int v) {
    return static_cast<int16_t>(std::clamp(v, -32768, 32767));
}

// 0xAARRGGBB to a COLORREF (0x00BBGGRR).
uint32_t colorRef(uint32_t argb) {
    return ((argb & 0xFF) << 16) | (argb & 0xFF00) | ((argb >> 16) & 0xFF);
}

class Writer {
public:
    void word(int v) {
        const auto u = static_cast<uint16_t>(v);
        FRecord.push_back(static_cast<char>(u & 0xFF));
        FRecord.push_back(static_cast<char>(u >> 8));
    }
    void dword(uint32_t v) {
        word(static_cast<int>(v & 0xFFFF));
        word(static_cast<int>(v >> 16));
    }
    void bytes(const std::string& b) {
        FRecord += b;
        if (FRecord.size() % 2)
            FRecord.push_back('\0');
    }

    // Starts a record; its size is filled in by end().
    void begin(uint16_t function) {
        FRecord.clear();
        dword(0);
        word(function);
    }
    void end() {
        const auto words = static_cast<uint32_t>(FRecord.size() / 2);
        for (int i = 0; i < 4; ++i)
            FRecord[static_cast<size_t>(i)] = static_cast<char>((words >> (8 * i)) & 0xFF);
        FMaxRecord = std::max(FMaxRecord, words);
        FBody += FRecord;
    }

    // Object table: a new object takes the lowest free slot.
    int create() {
        for (size_t i = 0; i < FSlots.size(); ++i)
            if (!FSlots[i]) {
                FSlots[i] = true;
                return static_cast<int>(i);
            }
        FSlots.push_back(true);
        return static_cast<int>(FSlots.size()) - 1;
    }
    void release(int slot) { FSlots[static_cast<size_t>(slot)] = false; }

    const std::string& body() const { return FBody; }
    uint32_t maxRecord() const { return FMaxRecord; }
    int objects() const { return static_cast<int>(FSlots.size()); }

private:
    std::string FRecord;
    std::string FBody;
    uint32_t FMaxRecord = 0;
    std::vector<bool> FSlots;
};

void simple(Writer& w, uint16_t function, std::initializer_list<int> words) {
    w.begin(function);
    for (int v : words)
        w.word(v);
    w.end();
}

int createBrush(Writer& w, const TMetaRecord& r) {
    w.begin(META_CREATEBRUSHINDIRECT);
    w.word(r.Hatched ? kBsHatched : kBsSolid);
    w.dword(colorRef(r.Color));
    w.word(r.Hatched ? kHsDiagCross : 0);
    w.end();
    return w.create();
}

int createPen(Writer& w, int style, int width, uint32_t color) {
    w.begin(META_CREATEPENINDIRECT);
    w.word(style);
    w.word(width);
    w.word(0);
    w.dword(colorRef(color));
    w.end();
    return w.create();
}

int createFont(Writer& w, const TMetaRecord& r) {
    w.begin(META_CREATEFONTINDIRECT);
    w.word(clamp16(r.FontHeight));
    w.word(0);
    w.word(clamp16(r.Escapement));
    w.word(clamp16(r.Escapement));
    w.word(r.Weight);
    std::string flags;
    flags.push_back(r.Italic ? 1 : 0);
    flags.push_back(r.Underline ? 1 : 0);
    flags.push_back(r.StrikeOut ? 1 : 0);
    flags.push_back(static_cast<char>(kEastEuropeCharset));
    flags.push_back(static_cast<char>(kOutTtOnlyPrecis));
    flags.push_back(0); // clip precision: default
    flags.push_back(static_cast<char>(kProofQuality));
    flags.push_back(static_cast<char>(kVariablePitch));
    w.bytes(flags);
    std::string face;
    for (char16_t c : r.FaceName) {
        unsigned char b = '?';
        UnicodeToCp1250(c, b);
        face.push_back(static_cast<char>(b));
    }
    face.resize(32, '\0');
    face[31] = '\0';
    w.bytes(face);
    w.end();
    return w.create();
}

void deleteObject(Writer& w, int slot) {
    simple(w, META_DELETEOBJECT, {slot});
    w.release(slot);
}

} // namespace

std::string WriteWmf(const TMetaPicture& picture) {
    Writer w;
    simple(w, META_SETMAPMODE, {kMmAnisotropic});
    simple(w, META_SETWINDOWORG, {0, 0});
    simple(w, META_SETWINDOWEXT, {clamp16(picture.Height), clamp16(picture.Width)});
    simple(w, META_SETBKMODE, {kTransparent});
    simple(w, META_SETTEXTALIGN, {kTaBaseline});
    // Polygons are drawn with the selected pen too: a null pen keeps the bars their width.
    const int nullPen = createPen(w, kPsNull, 0, 0);
    simple(w, META_SELECTOBJECT, {nullPen});

    for (const TMetaRecord& r : picture.Records) {
        switch (r.Kind) {
        case TMetaKind::mkPolygon: {
            if (r.Points.size() < 3)
                break;
            const int brush = createBrush(w, r);
            simple(w, META_SELECTOBJECT, {brush});
            w.begin(META_POLYGON);
            w.word(static_cast<int>(r.Points.size()));
            for (const TMetaPoint& p : r.Points) {
                w.word(clamp16(p.X));
                w.word(clamp16(p.Y));
            }
            w.end();
            deleteObject(w, brush); // GDI keeps a deleted selected brush alive until replaced
            break;
        }
        case TMetaKind::mkLine: {
            if (r.Points.size() != 2)
                break;
            const int pen = createPen(w, r.PenStyle, r.PenWidth, r.Color);
            simple(w, META_SELECTOBJECT, {pen});
            w.begin(META_SETROP2);
            w.word(r.Rop2);
            w.word(0);
            w.end();
            simple(w, META_MOVETO, {clamp16(r.Points[0].Y), clamp16(r.Points[0].X)});
            simple(w, META_LINETO, {clamp16(r.Points[1].Y), clamp16(r.Points[1].X)});
            simple(w, META_SETROP2, {13});
            simple(w, META_SELECTOBJECT, {nullPen});
            deleteObject(w, pen);
            break;
        }
        case TMetaKind::mkText: {
            if (r.Points.empty() || r.Text.empty())
                break;
            const int font = createFont(w, r);
            simple(w, META_SELECTOBJECT, {font});
            w.begin(META_SETTEXTCOLOR);
            w.dword(colorRef(r.Color));
            w.end();
            std::string text;
            for (char16_t c : r.Text) {
                unsigned char b = '?';
                UnicodeToCp1250(c, b);
                text.push_back(static_cast<char>(b));
            }
            w.begin(META_EXTTEXTOUT);
            w.word(clamp16(r.Points[0].Y));
            w.word(clamp16(r.Points[0].X));
            w.word(static_cast<int>(text.size()));
            w.word(0); // no options, no clipping rectangle
            w.bytes(text);
            w.end();
            deleteObject(w, font);
            break;
        }
        }
    }
    deleteObject(w, nullPen);
    simple(w, META_EOF, {});

    // Placeable header: bounding box in metafile units, 96 units per inch, checksum.
    std::string out;
    const auto put16 = [&out](int v) {
        const auto u = static_cast<uint16_t>(v);
        out.push_back(static_cast<char>(u & 0xFF));
        out.push_back(static_cast<char>(u >> 8));
    };
    const auto put32 = [&put16](uint32_t v) {
        put16(static_cast<int>(v & 0xFFFF));
        put16(static_cast<int>(v >> 16));
    };
    put32(0x9AC6CDD7);
    put16(0);
    put16(0);
    put16(0);
    put16(clamp16(picture.Width));
    put16(clamp16(picture.Height));
    put16(96);
    put32(0);
    uint16_t checksum = 0;
    for (size_t i = 0; i < 20; i += 2)
        checksum ^= static_cast<uint16_t>(static_cast<unsigned char>(out[i]) |
                                          (static_cast<unsigned char>(out[i + 1]) << 8));
    put16(checksum);

    // Standard header: in memory, 9 words, version 3.0, sizes in words.
    const auto totalWords = static_cast<uint32_t>(9 + w.body().size() / 2);
    put16(1);
    put16(9);
    put16(0x0300);
    put32(totalWords);
    put16(std::max(1, w.objects()));
    put32(w.maxRecord());
    put16(0);
    out += w.body();
    return out;
}

} // namespace etikor
