#pragma once

// Windows metafiles (".wmf") placed on labels, played onto a picture: pens, brushes, fonts,
// lines, polygons, rectangles, ellipses, text and stretched bitmaps. The file is untrusted:
// anything unreadable gives a null image, never a read outside the bytes.

#include <QByteArray>
#include <QImage>

namespace etikor {

// The picture of a metafile at 96 dpi (the placeable header's frame, or the window extent);
// a null image when the bytes are no metafile.
QImage RenderWmf(const QByteArray& bytes);

} // namespace etikor
