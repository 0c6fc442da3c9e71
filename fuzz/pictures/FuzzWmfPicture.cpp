// Input: the bytes of a ".wmf" picture placed on a label. Playing it must give a null image or
// a picture of at most 4096 x 4096 pixels, never a read outside the bytes or a crash.

#include "document/WmfPicture.h"
#include "support/FuzzSupport.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    etikor::fuzz::EnsureGuiApplication();
    const QImage image = etikor::RenderWmf(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!image.isNull())
        etikor::fuzz::Require(image.width() >= 1 && image.height() >= 1 && image.width() <= 4096 &&
                                  image.height() <= 4096,
                              "metafile", "picture size out of bounds");
    return 0;
}
