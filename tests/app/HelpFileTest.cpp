#include "app/HelpFile.h"
#include "app/HelpViewer.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTextBrowser>

namespace etikor {
namespace {

// Every topic number the program asks for has a real text in the shipped help file.
TEST(HelpFile, ShippedFileHasEveryTopicTheProgramUses) {
    const THelpFile file = THelpFile::Load(QStringLiteral(ETIKOR_HELP_FILE));
    for (int topic : {10, 11, 12, 18, 19, 20, 21, 22, 24, 26, 27, 29, 38}) {
        SCOPED_TRACE(topic);
        ASSERT_TRUE(file.Has(topic));
        EXPECT_FALSE(file.Topic(topic)->Title.isEmpty());
        EXPECT_GT(file.Topic(topic)->Html.size(), 300);
    }
}

// Sections by number with their headings; a missing topic gets a page saying so.
TEST(HelpFile, ParseAndMissingTopic) {
    const THelpFile file = THelpFile::Parse(
        QStringLiteral("<section id=\"topic-7\"><h1>Hét <b>cím</b></h1><p>szöveg</p></section>"
                       "<section id=\"topic-x\"><h1>rossz</h1></section><section id=\"topic-8\"><p>cím "
                       "nélkül</p></section>"));
    EXPECT_EQ(file.Numbers(), (QList<int>{7, 8}));
    EXPECT_EQ(file.Topic(7)->Title, QStringLiteral("Hét cím"));
    EXPECT_TRUE(file.Topic(8)->Title.isEmpty());
    EXPECT_TRUE(file.Page(99).contains(QStringLiteral("99. súgótéma nem található")));
    EXPECT_TRUE(THelpFile::Load(QStringLiteral("/nonexistent/Etisg.hlp")).Numbers().isEmpty());
}

// The file is looked for in the working folder first, then beside the program.
TEST(HelpFile, Locate) {
    test::TempDir work;
    test::TempDir program;
    const QString w = QString::fromStdString(work.path().string());
    const QString p = QString::fromStdString(program.path().string());
    EXPECT_TRUE(THelpFile::Locate(w, p).isEmpty());
    QFile(QString::fromStdString(program.file("etisg.hlp"))).open(QIODevice::WriteOnly);
    EXPECT_EQ(THelpFile::Locate(w, p), QString::fromStdString(program.file("etisg.hlp")));
    QFile(QString::fromStdString(work.file("Etisg.hlp"))).open(QIODevice::WriteOnly);
    EXPECT_EQ(THelpFile::Locate(w, p), QString::fromStdString(work.file("Etisg.hlp")));
}

// The viewer shows the topic asked for.
TEST(HelpFile, ViewerShowsTheTopic) {
    THelpViewer viewer(THelpFile::Load(QStringLiteral(ETIKOR_HELP_FILE)), nullptr);
    viewer.ShowTopic(26);
    EXPECT_EQ(viewer.CurrentTopic(), 26);
    EXPECT_TRUE(viewer.Browser()->toPlainText().contains(QStringLiteral("Oldal és címke beállítása")));
    EXPECT_TRUE(viewer.isVisible());
}

} // namespace
} // namespace etikor
