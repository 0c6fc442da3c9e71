#include "document/LabelStock.h"

#include "document/PageSetupValues.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace etikor {
namespace {

TEST(LabelStockCatalogue, EveryShippedSheetParsesFitsAndFillsAPrintableSetup) {
    const TStockLoad load = LoadStockCatalogue(QStringLiteral(ETIKOR_STOCK_CATALOGUE));
    EXPECT_TRUE(load.Problems.isEmpty()) << load.Problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_GE(load.Entries.size(), 40u);
    std::set<std::pair<QString, QString>> seen;
    for (const TStockEntry& e : load.Entries) {
        SCOPED_TRACE((e.Maker + QLatin1Char(' ') + e.Code).toStdString());
        EXPECT_TRUE(seen.insert({e.Maker, e.Code}).second) << "listed twice";
        if (!e.Usable) {
            // Only Letter sheets reaching past the program's page width are left unusable.
            EXPECT_EQ(e.Page, QStringLiteral("Letter"));
            continue;
        }
        const TPageSetup& s = e.Setup;
        for (const TPageValueInfo& info : PageSetupValues()) {
            EXPECT_GE(s.Value(info.Value), info.Template.Min) << info.Field;
            EXPECT_LE(s.Value(info.Value), info.Template.Max) << info.Field;
        }
        // A column is one label wide, the bands of a page are the sheet's rows.
        EXPECT_NEAR(s.ColumnWidthMm(), e.WidthMm, 0.06);
        EXPECT_EQ(s.Columns, e.Columns);
        const double room = s.PageLengthMm - s.TopMarginMm - s.BottomMarginMm;
        EXPECT_GE(room + 1e-9, e.Rows * s.LabelHeightMm);
        EXPECT_LT(room, (e.Rows + 1) * s.LabelHeightMm);
    }
    EXPECT_TRUE(std::any_of(load.Entries.begin(), load.Entries.end(), [](const TStockEntry& e) {
        return e.Page == QStringLiteral("Letter") && e.Usable;
    }));
}

TEST(LabelStockCatalogue, Avery3474FillsEveryValue) {
    const TStockLoad load =
        ParseStockCatalogue(QStringLiteral("# comment\n\nAvery Zweckform,3474,A4,70,37,3,8,0.5,0,0,0\n"
                                           "Avery,L7160,a4,63.5,38.1,3,7,15.1,7.2,2.5,0\r\n"),
                            QStringLiteral("labels.csv"));
    ASSERT_EQ(load.Entries.size(), 2u);
    EXPECT_TRUE(load.Problems.isEmpty());
    TPageSetup want;
    want.PageWidthMm = 210;
    want.PageLengthMm = 297;
    want.TopMarginMm = 0.5;
    want.LeftMarginMm = 0;
    want.RightMarginMm = 0;
    want.BottomMarginMm = 0.5;
    want.LabelHeightMm = 37;
    want.ColumnSpaceMm = 0;
    want.Columns = 3;
    want.LabelWidthMm = 70;
    EXPECT_EQ(load.Entries[0].Setup, want);
    const TPageSetup& l7160 = load.Entries[1].Setup;
    EXPECT_DOUBLE_EQ(l7160.RightMarginMm, 7.3);
    EXPECT_DOUBLE_EQ(l7160.ColumnSpaceMm, 2.5);
    EXPECT_DOUBLE_EQ(l7160.BottomMarginMm, 15.2);
    EXPECT_EQ(load.Entries[1].Page, QStringLiteral("A4"));
}

TEST(LabelStockCatalogue, RowGapJoinsTheBandAndWideLetterSheetsAreRefused) {
    const TStockLoad load =
        ParseStockCatalogue(QStringLiteral("M,gap,A4,60,30,3,8,10,10,5,3\n"
                                           "Avery,5160,Letter,66.675,25.4,3,10,12.7,4.7625,3.175,0\n"
                                           "Avery,5167,Letter,44.45,12.7,4,20,12.7,7.14375,7.62,0\n"),
                            QStringLiteral("x"));
    ASSERT_EQ(load.Entries.size(), 3u);
    EXPECT_DOUBLE_EQ(load.Entries[0].Setup.LabelHeightMm, 33);
    EXPECT_FALSE(load.Entries[1].Usable);
    EXPECT_FALSE(load.Entries[1].Reason.isEmpty());
    ASSERT_TRUE(load.Entries[2].Usable);
    EXPECT_DOUBLE_EQ(load.Entries[2].Setup.PageWidthMm, 210);
    EXPECT_DOUBLE_EQ(load.Entries[2].Setup.PageLengthMm, 279.4);
    EXPECT_NEAR(load.Entries[2].Setup.ColumnWidthMm(), 44.45, 0.06);
}

TEST(LabelStockCatalogue, MalformedLinesAreNamedAndSkipped) {
    const QString text = QStringLiteral("Good,1,A4,70,37,3,8,0.5,0,0,0\n"
                                        "Short,2,A4,70,37\n"
                                        "Word,3,A4,seventy,37,3,8,0.5,0,0,0\n"
                                        "Page,4,A5,70,37,3,8,0.5,0,0,0\n"
                                        "Wide,5,A4,70,37,4,8,0.5,0,0,0\n"
                                        "Long,6,A4,70,37,3,9,0.5,0,0,0\n"
                                        ",7,A4,70,37,3,8,0.5,0,0,0\n"
                                        "Half,8,A4,70,37,2.5,8,0.5,0,0,0\n"
                                        "Neg,9,A4,70,37,3,8,-1,0,0,0\n"
                                        "Good,10,A4,70,37,3,8,0.5,0,0,0\n");
    const TStockLoad load = ParseStockCatalogue(text, QStringLiteral("labels.csv"));
    ASSERT_EQ(load.Entries.size(), 2u);
    EXPECT_EQ(load.Entries[1].Code, QStringLiteral("10"));
    ASSERT_EQ(load.Problems.size(), 8);
    for (int i = 0; i < load.Problems.size(); ++i)
        EXPECT_TRUE(load.Problems[i].startsWith(QStringLiteral("labels.csv %1: ").arg(i + 2)))
            << load.Problems[i].toStdString();
    EXPECT_EQ(LoadStockCatalogue(QStringLiteral("/nonexistent/labels.csv")).Problems.size(), 1);
}

TEST(LabelStockSearch, BySizeByCodeAndByMaker) {
    TStockEntry e;
    e.Maker = QStringLiteral("Avery Zweckform");
    e.Code = QStringLiteral("L7160");
    e.Page = QStringLiteral("A4");
    e.WidthMm = 63.5;
    e.HeightMm = 38.1;
    struct Case {
        const char* Search;
        bool Match;
    };
    for (const Case& c :
         {Case{"", true}, Case{"63.5x38.1", true}, Case{"63,5x38,1", true}, Case{"64x38", true},
          Case{"63.5 x 38.1", true}, Case{"63.5×38.1", true}, Case{"63X38", true}, Case{"38.1x63.5", false},
          Case{"70x37", false}, Case{"l7160", true}, Case{"avery 63x38", true}, Case{"zweck L71", true},
          Case{"herma", false}, Case{"a4", true}, Case{"letter", false}}) {
        EXPECT_EQ(StockMatches(e, QString::fromUtf8(c.Search)), c.Match) << c.Search;
    }
}

TEST(LabelStockOwn, SaveReplaceLoadAndDelete) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(kOwnStockFile));
    EXPECT_TRUE(LoadOwnStock(path).Entries.empty());
    TPageSetup mine;
    mine.LabelWidthMm = 50.25;
    mine.LabelHeightMm = 20;
    mine.Columns = 4;
    mine.ColumnSpaceMm = 2.5;
    TPageSetup other;
    ASSERT_TRUE(SaveOwnStock(path, QStringLiteral("Polc; kicsi"), mine));
    ASSERT_TRUE(SaveOwnStock(path, QStringLiteral("Doboz"), other));
    TStockLoad load = LoadOwnStock(path);
    ASSERT_EQ(load.Entries.size(), 2u);
    EXPECT_TRUE(load.Problems.isEmpty());
    EXPECT_TRUE(load.Entries[0].Own);
    EXPECT_EQ(load.Entries[0].Code, QStringLiteral("Polc, kicsi"));
    EXPECT_EQ(load.Entries[0].Setup, mine);
    EXPECT_EQ(load.Entries[0].Page, QStringLiteral("210 x 297"));
    EXPECT_TRUE(StockMatches(load.Entries[0], QStringLiteral("50x20 polc")));

    // The same name (any case) replaces the entry in its place.
    ASSERT_TRUE(SaveOwnStock(path, QStringLiteral("polc, KICSI"), other));
    load = LoadOwnStock(path);
    ASSERT_EQ(load.Entries.size(), 2u);
    EXPECT_EQ(load.Entries[0].Setup, other);

    ASSERT_TRUE(DeleteOwnStock(path, QStringLiteral("Doboz")));
    load = LoadOwnStock(path);
    ASSERT_EQ(load.Entries.size(), 1u);
    EXPECT_EQ(load.Entries[0].Code, QStringLiteral("polc, KICSI"));

    QString error;
    EXPECT_FALSE(SaveOwnStock(path, QStringLiteral("  "), mine, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(SaveOwnStock(dir.filePath(QStringLiteral("no/such/folder/x.csv")), QStringLiteral("a"), mine,
                              &error));
}

TEST(LabelStockOwn, DamagedLinesAreReportedAndTheRestKept) {
    const TStockLoad load = ParseOwnStock(QStringLiteral("a;297;210;13;5;5;10;38.1;3;3;62.5\n"
                                                         "b;297;210\n"
                                                         "c;297;210;13;5;5;10;x;3;3;62.5\n"),
                                          QStringLiteral("own.csv"));
    ASSERT_EQ(load.Entries.size(), 1u);
    EXPECT_EQ(load.Entries[0].Setup, TPageSetup{});
    EXPECT_EQ(load.Entries[0].Rows, 7);
    ASSERT_EQ(load.Problems.size(), 2);
    EXPECT_TRUE(load.Problems[0].startsWith(QStringLiteral("own.csv 2: ")));
}

} // namespace
} // namespace etikor
