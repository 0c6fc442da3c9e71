#pragma once

// Picture files placed on labels, read the same way by the designer and by printing: bitmap,
// JPEG (libjpeg), icon and Windows metafile. Files are untrusted input: anything unreadable
// gives a null image, and the caller shows the placeholder.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace etikor {

// The 23 x 23 placeholder of pictures without a readable file.
QImage PlaceholderPicture();
// A picture file by its extension: bitmap, JPEG (libjpeg), icon, Windows metafile; a null image when the file
// cannot be read or its kind cannot be shown (the caller shows the placeholder).
QImage LoadPictureFile(const QString& path);
// JPEG bytes decoded with libjpeg; a null image for anything libjpeg rejects.
QImage DecodeJpeg(const QByteArray& bytes);

} // namespace etikor
