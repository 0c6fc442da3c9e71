#include "services/Language.h"

#include "services/Modal.h"
#include "support/CLocale.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>

#include <cstdio>

namespace etikor {
namespace {

TEST(Language, CodesAndTheDesktopsLanguage) {
    EXPECT_EQ(LanguageFromCode(QStringLiteral("hu")), TLanguage::Hungarian);
    EXPECT_EQ(LanguageFromCode(QStringLiteral("en")), TLanguage::English);
    EXPECT_EQ(LanguageFromCode(QString()), std::nullopt);
    EXPECT_EQ(LanguageFromCode(QStringLiteral("de")), std::nullopt);

    const struct {
        std::optional<TLanguage> Requested;
        const char* Desktop;
        TLanguage Expected;
    } rows[] = {
        {std::nullopt, "hu_HU", TLanguage::Hungarian},
        {std::nullopt, "en_US", TLanguage::English},
        {std::nullopt, "de_DE", TLanguage::English}, // no German texts: English for any other
        {std::nullopt, "C", TLanguage::English},
        {TLanguage::English, "hu_HU", TLanguage::English},
        {TLanguage::Hungarian, "en_US", TLanguage::Hungarian},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Desktop);
        EXPECT_EQ(ChooseLanguage(row.Requested, QLocale(QString::fromLatin1(row.Desktop))), row.Expected);
    }
}

// English puts the program's English texts in place, Hungarian Qt's own Hungarian ones (the
// program's are Hungarian already); taking them out leaves the source's texts.
TEST(Language, InstallsAndTakesOutTheTexts) {
    const auto question = [] { return MessageStyle(QStringLiteral("K")); };
    const auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };

    ASSERT_TRUE(InstallLanguage(TLanguage::English));
    EXPECT_EQ(question().Caption, QStringLiteral("Question"));
    EXPECT_EQ(question().Buttons, QStringList({"&Yes", "&No", "&Help"}));
    EXPECT_EQ(cancel(), QStringLiteral("Cancel"));

    EXPECT_TRUE(InstallLanguage(TLanguage::Hungarian)) << "qt6-translations-l10n missing?";
    EXPECT_EQ(question().Caption, QStringLiteral("Kérdés"));
    EXPECT_EQ(question().Buttons, QStringList({"&Igen", "&Nem", "&Súgó"}));
    EXPECT_EQ(cancel(), QStringLiteral("Mégse"));

    UninstallLanguage();
    EXPECT_EQ(question().Buttons.first(), QStringLiteral("&Igen"));
    EXPECT_EQ(cancel(), QStringLiteral("Cancel"));
}

// What a program start picks from the environment a desktop gives it.
const test::ChildRegistration kStart("language-at-start", [](const QStringList&) {
    InstallLanguage(ChooseLanguage(std::nullopt, QLocale::system()));
    std::printf("yes=%s cancel=%s\n", MessageStyle(QStringLiteral("K")).Buttons.first().toUtf8().constData(),
                QCoreApplication::translate("QPlatformTheme", "Cancel").toUtf8().constData());
    return 0;
});

TEST(Language, TheDesktopsLanguageDecidesAtStart) {
    const struct {
        const char* Lang;
        const char* Language; // the desktop's list of message languages
        const char* Expected;
    } rows[] = {
        {test::kHungarianCLocale, "", "yes=&Igen cancel=Mégse"},
        {"en_US.UTF-8", "", "yes=&Yes cancel=Cancel"},
        {"C.UTF-8", "", "yes=&Yes cancel=Cancel"},
        // Hungarian formats with English messages first: English.
        {test::kHungarianCLocale, "en_GB:hu", "yes=&Yes cancel=Cancel"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.Lang) + " " + row.Language);
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("LC_ALL"), QString());
        environment.insert(QStringLiteral("LC_MESSAGES"), QString());
        environment.insert(QStringLiteral("LANG"), QString::fromLatin1(row.Lang));
        environment.insert(QStringLiteral("LANGUAGE"), QString::fromLatin1(row.Language));
        QString output;
        ASSERT_EQ(test::RunChild(QStringLiteral("language-at-start"), {}, environment, &output), 0)
            << output.toStdString();
        EXPECT_TRUE(output.contains(QString::fromUtf8(row.Expected))) << output.toStdString();
    }
}

} // namespace
} // namespace etikor
