// Input: byte 0 picks the extension (".jpg", ".jpeg", ".bmp", ".ico"), the rest is the file.
// Loading it as a picture element loads its file (by extension, libjpeg for JPEG, Qt's readers
// for bitmaps and icons) must give a null image or a picture, never a crash, a read outside
// the bytes or an unbounded allocation.

#include "document/PictureFiles.h"
#include "support/FuzzSupport.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    etikor::fuzz::EnsureGuiApplication();
    static const std::unique_ptr<QTemporaryDir> folder = std::make_unique<QTemporaryDir>();
    etikor::fuzz::Require(folder->isValid(), "picture file", "no temporary folder");
    static const char* const extensions[] = {"jpg", "jpeg", "bmp", "ico"};
    const QString path =
        folder->filePath(QStringLiteral("picture.") + QLatin1String(extensions[data[0] % 4]));
    {
        QFile file(path);
        etikor::fuzz::Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "picture file",
                              "cannot write the input");
        file.write(reinterpret_cast<const char*>(data + 1), static_cast<qint64>(size - 1));
    }
    const QImage image = etikor::LoadPictureFile(path);
    if (!image.isNull())
        etikor::fuzz::Require(image.width() >= 1 && image.height() >= 1, "picture file",
                              "an empty picture that is not null");
    return 0;
}
