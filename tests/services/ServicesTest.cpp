#include "services/AppPaths.h"
#include "services/Modal.h"

#include <gtest/gtest.h>

#include <QDir>

namespace etikor {
namespace {

TEST(MessageStyle, KindLetters) {
    // The message routine's table: kind letter, caption, buttons.
    const struct {
        const char* Kind;
        TMessageIcon Icon;
        const char* Caption;
        QStringList Buttons;
    } cases[] = {
        {"H", TMessageIcon::Error, "Hiba", {"&Megszakít", "&Súgó"}},
        {"I", TMessageIcon::Information, "Információ", {"OK"}},
        {"K", TMessageIcon::Question, "Kérdés", {"&Igen", "&Nem", "&Súgó"}},
        {"i", TMessageIcon::Information, "Információ", {"OK", "&Súgó"}},
        {"F", TMessageIcon::Warning, "Figyelmeztetés", {"OK"}},
        {"", TMessageIcon::Warning, "Figyelmeztetés", {"OK"}},
        {"h", TMessageIcon::Warning, "Figyelmeztetés", {"OK"}}, // letters are case-sensitive
    };
    for (const auto& c : cases) {
        const TMessageStyle style = MessageStyle(QString::fromUtf8(c.Kind));
        EXPECT_EQ(style.Icon, c.Icon) << c.Kind;
        EXPECT_EQ(style.Caption, QString::fromUtf8(c.Caption)) << c.Kind;
        EXPECT_EQ(style.Buttons, c.Buttons) << c.Kind;
        EXPECT_EQ(style.HasHelp, c.Buttons.contains("&Súgó")) << c.Kind;
    }
}

TEST(AppPaths, SeriesFolderAndJoin) {
    TAppPaths paths;
    paths.WorkingFolder = QStringLiteral("/tmp/munka");
    const QString sep = QDir::separator();
    EXPECT_EQ(paths.SeriesFolder(), QDir::toNativeSeparators("/tmp/munka") + sep + "Sorozat");
    EXPECT_EQ(TAppPaths::Join(QStringLiteral("/tmp/munka/"), "a.ctv"),
              QDir::toNativeSeparators("/tmp/munka/a.ctv"));
    EXPECT_EQ(TAppPaths::Join(QString(), "a.ctv"), "a.ctv");

    SetAppPaths(paths);
    EXPECT_EQ(AppPaths().WorkingFolder, "/tmp/munka");
}

} // namespace
} // namespace etikor
