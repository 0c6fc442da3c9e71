#include "ui/Icons.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

namespace etikor {
namespace {

bool HasInk(const QIcon& icon, int size) {
    const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128)
                return true;
    return false;
}

// Every icon of the set is in the resources and draws something at a small and a large size;
// a name the set lacks is no icon.
TEST(Icons, EveryIconOfTheSetDraws) {
    for (const char* name : {"new",          "open",       "manual-entry", "print",       "excel-import",
                             "help",         "pointer",    "text",         "barcode",     "picture",
                             "drawing",      "delete",     "picture-size", "field",       "date-time",
                             "picture-file", "align-left", "align-center", "align-right", "font",
                             "previous",     "next",       "save-bitmap",  "clone",       "close"}) {
        SCOPED_TRACE(name);
        const QIcon icon = ProgramIcon(name);
        ASSERT_FALSE(icon.isNull());
        EXPECT_TRUE(HasInk(icon, 16));
        EXPECT_TRUE(HasInk(icon, 48));
    }
    EXPECT_TRUE(ProgramIcon("no-such-icon").isNull());
}

} // namespace
} // namespace etikor
