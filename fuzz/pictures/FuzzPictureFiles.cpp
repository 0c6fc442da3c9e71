// Input: byte 0 picks the extension (".jpg", ".jpeg", ".bmp", ".ico"), the rest is the file.
// Loading it as a picture element loads its file (by extension, libjpeg for JPEG, Qt's readers
// for bitmaps and icons) must give a null image or a picture, never a crash, a read outside
// the bytes or an unbounded allocation.

#include "document/PictureFiles.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "picture file: %s\n", what);
        std::abort();
    }
}

void ensureApplication() {
    static int argc = 1;
    static char name[] = "fuzz_picture_files";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        if (!std::getenv("QT_QPA_PLATFORM"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    ensureApplication();
    static const std::unique_ptr<QTemporaryDir> folder = std::make_unique<QTemporaryDir>();
    require(folder->isValid(), "no temporary folder");
    static const char* const extensions[] = {"jpg", "jpeg", "bmp", "ico"};
    const QString path =
        folder->filePath(QStringLiteral("picture.") + QLatin1String(extensions[data[0] % 4]));
    {
        QFile file(path);
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the input");
        file.write(reinterpret_cast<const char*>(data + 1), static_cast<qint64>(size - 1));
    }
    const QImage image = etikor::LoadPictureFile(path);
    if (!image.isNull())
        require(image.width() >= 1 && image.height() >= 1, "an empty picture that is not null");
    return 0;
}
