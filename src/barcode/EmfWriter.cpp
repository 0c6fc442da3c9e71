// Enhanced metafiles through libEMF's GDI-like API. Kept apart from every Qt header: the
// library's Windows headers define names that clash with Qt's.

#include "barcode/Metafile.h"

#include <cstdio>
#include <memory>

#include <libEMF/emf.h>

namespace etikor {

namespace {

COLORREF colorRef(uint32_t argb) {
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

// libEMF's reference device: 1024 x 768 pixels on 320 x 240 mm, so one unit is 31.25 hundredths
// of a millimetre.
constexpr double kHundredthsMmPerUnit = 32000.0 / 1024.0;

} // namespace

std::string WriteEmf(const TMetaPicture& picture) {
    std::unique_ptr<FILE, FileCloser> file(std::tmpfile());
    if (!file)
        return {};
    const RECT frame = {0, 0, static_cast<LONG>(picture.Width * kHundredthsMmPerUnit),
                        static_cast<LONG>(picture.Height * kHundredthsMmPerUnit)};
    // The description is the program's name and the picture's title, each ending in a NUL, and
    // the whole ending in a second NUL: libEMF scans for that pair. The array keeps every
    // character (a string built from the literal would stop at the first NUL).
    static constexpr char16_t kDescription[] = u"Etikor\0Barcode\0";
    static_assert(sizeof kDescription / sizeof kDescription[0] == 16);
    HDC dc = CreateEnhMetaFileWithFILEW(0, file.get(), &frame, reinterpret_cast<LPCWSTR>(kDescription));
    if (!dc)
        return {};
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_BASELINE);
    // Polygons are outlined with the selected pen: the null pen keeps the bars their width.
    // An explicit one rather than the stock object, which some readers ignore.
    HPEN nullPen = CreatePen(PS_NULL, 0, 0);
    SelectObject(dc, nullPen);

    for (const TMetaRecord& r : picture.Records) {
        switch (r.Kind) {
        case TMetaKind::mkPolygon: {
            if (r.Points.size() < 3)
                break;
            LOGBRUSH logBrush{};
            logBrush.lbStyle = r.Hatched ? BS_HATCHED : BS_SOLID;
            logBrush.lbColor = colorRef(r.Color);
            logBrush.lbHatch = r.Hatched ? HS_DIAGCROSS : 0;
            HBRUSH brush = CreateBrushIndirect(&logBrush);
            HGDIOBJ old = SelectObject(dc, brush);
            std::vector<POINT> points;
            points.reserve(r.Points.size());
            for (const TMetaPoint& p : r.Points)
                points.push_back({p.X, p.Y});
            Polygon(dc, points.data(), static_cast<INT>(points.size()));
            SelectObject(dc, old);
            DeleteObject(brush);
            break;
        }
        case TMetaKind::mkLine: {
            if (r.Points.size() != 2)
                break;
            HPEN pen = CreatePen(r.PenStyle, r.PenWidth, colorRef(r.Color));
            HGDIOBJ old = SelectObject(dc, pen);
            // libEMF has no SetROP2: lines are written with the plain copy mode.
            MoveToEx(dc, r.Points[0].X, r.Points[0].Y, nullptr);
            LineTo(dc, r.Points[1].X, r.Points[1].Y);
            SelectObject(dc, old);
            DeleteObject(pen);
            break;
        }
        case TMetaKind::mkText: {
            if (r.Points.empty() || r.Text.empty())
                break;
            LOGFONTW lf{};
            lf.lfHeight = r.FontHeight;
            lf.lfEscapement = r.Escapement;
            lf.lfOrientation = r.Escapement;
            lf.lfWeight = r.Weight;
            lf.lfItalic = r.Italic;
            lf.lfUnderline = r.Underline;
            lf.lfStrikeOut = r.StrikeOut;
            lf.lfCharSet = EASTEUROPE_CHARSET;
            lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
            lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
            lf.lfQuality = PROOF_QUALITY;
            lf.lfPitchAndFamily = VARIABLE_PITCH;
            const size_t faceLength = std::min<size_t>(r.FaceName.size(), LF_FACESIZE - 1);
            for (size_t i = 0; i < faceLength; ++i)
                lf.lfFaceName[i] = static_cast<WCHAR>(r.FaceName[i]);
            HFONT font = CreateFontIndirectW(&lf);
            HGDIOBJ old = SelectObject(dc, font);
            SetTextColor(dc, colorRef(r.Color));
            ExtTextOutW(dc, r.Points[0].X, r.Points[0].Y, 0, nullptr,
                        reinterpret_cast<LPCWSTR>(r.Text.c_str()), static_cast<UINT>(r.Text.size()), nullptr);
            SelectObject(dc, old);
            DeleteObject(font);
            break;
        }
        }
    }

    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(nullPen);
    HENHMETAFILE metafile = CloseEnhMetaFileWithFILE(dc);
    if (!metafile)
        return {};
    DeleteEnhMetaFile(metafile);
    std::fflush(file.get());
    if (std::fseek(file.get(), 0, SEEK_END) != 0)
        return {};
    const long size = std::ftell(file.get());
    if (size <= 0)
        return {};
    std::rewind(file.get());
    std::string bytes(static_cast<size_t>(size), '\0');
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return {};
    return bytes;
}

} // namespace etikor
