// Input: the bytes of a ".wmf" picture placed on a label. Playing it must give a null image or
// a picture of at most 4096 x 4096 pixels, never a read outside the bytes or a crash.

#include "document/WmfPicture.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "metafile: %s\n", what);
        std::abort();
    }
}

// Text is drawn with real fonts: a headless application, made once.
void ensureApplication() {
    static int argc = 1;
    static char name[] = "fuzz_wmf_picture";
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
    ensureApplication();
    const QImage image = etikor::RenderWmf(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!image.isNull())
        require(image.width() >= 1 && image.height() >= 1 && image.width() <= 4096 && image.height() <= 4096,
                "picture size out of bounds");
    return 0;
}
