#pragma once

// Whether one printed page is another moved by whole dots: two renderings of the same job, one
// with a printer's calibration, compared dot by dot.

#include <QImage>

#include <algorithm>

namespace etikor::test {

// Dots of `moved` that differ from `page` shifted by (dx, dy) (both gray, the same size); the
// dark dots of `page` compared are counted in `dark`. Dots the shift brings in over the page's
// edge are not compared.
inline int DotsOffTheShift(const QImage& page, const QImage& moved, int dx, int dy, int& dark) {
    int off = 0;
    dark = 0;
    for (int y = std::max(0, -dy); y < std::min(page.height(), page.height() - dy); ++y) {
        const uchar* from = page.constScanLine(y);
        const uchar* to = moved.constScanLine(y + dy);
        for (int x = std::max(0, -dx); x < std::min(page.width(), page.width() - dx); ++x) {
            dark += from[x] < 128;
            off += (from[x] < 128) != (to[x + dx] < 128);
        }
    }
    return off;
}

} // namespace etikor::test
