// The report barcode items: the width from CharWidthMM per unit, printing only in the final
// pass and while enabled, the box from the engine's conversions, the data-bound text.

#include "pageengine/QrEan.h"

#include "MemDataSet.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace etikor {
namespace {

using test::MemDataSet;

TEST(QrEan, CharWidthSetsTheStoredWidthPerUnit) {
    struct Row {
        TReportUnit unit;
        double width; // 13 characters x 2.5 mm
    };
    const Row rows[] = {
        {TReportUnit::ruMillimetres, 32}, // 32.5 rounds to even
        {TReportUnit::ruInches, 1},       // 1.28
        {TReportUnit::ruNative, 325},     // tenths of a millimetre
        {TReportUnit::ruPixels, 77},      // left alone
        {TReportUnit::ruCharacters, 77},  // left alone
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.unit));
        TQrEan ean;
        ean.Unit = row.unit;
        ean.Width = 77;
        ean.SetBarCode("9771210107001");
        ean.SetCharWidthMM(2.5);
        EXPECT_EQ(ean.Width, row.width);
    }
}

TEST(QrEan, ANewTextUpdatesTheWidth) {
    TQrEan ean;
    ean.SetTypBarCode(TTypBarCode::bcCode128);
    ean.SetCharWidthMM(3);
    ean.SetBarCode("ABCD");
    EXPECT_EQ(ean.Width, 12);
    ean.SetBarCode("ABCDEF");
    EXPECT_EQ(ean.Width, 18);
}

TEST(QrEan, StartsWithSecurityOffAndTheInnerBarcodesSize) {
    TQrEan ean;
    EXPECT_FALSE(ean.Security());
    EXPECT_NEAR(ean.Height, ean.Ean().Height() * 25.4 / 96, 1e-9);
}

struct PrintProbe {
    QImage Page{400, 200, QImage::Format_RGB32};
    std::string Calls;

    PrintProbe() { Page.fill(Qt::white); }
    bool Blank() const {
        for (int y = 0; y < Page.height(); ++y)
            for (int x = 0; x < Page.width(); ++x)
                if (Page.pixel(x, y) != qRgb(255, 255, 255))
                    return false;
        return true;
    }
    void Print(TQrEan& ean, bool finalPass) {
        ean.OnBeforePrint = [this](TQrEan&) { Calls += 'B'; };
        ean.OnAfterPrint = [this](TQrEan&) { Calls += 'A'; };
        QPainter painter(&Page);
        TReportPrintContext context;
        context.FinalPass = finalPass;
        context.Canvas = &painter;
        context.XPos = [](double mm) { return static_cast<int>(mm * 4); };
        context.YPos = [](double mm) { return static_cast<int>(mm * 4); };
        ean.Print(context, 10, 5);
    }
};

TQrEan& Code128(TQrEan& ean, std::string_view text) {
    ean.SetTypBarCode(TTypBarCode::bcCode128);
    ean.SetBarCode(text);
    ean.Left = 5;
    ean.Top = 5;
    ean.Width = 60;
    ean.Height = 20;
    return ean;
}

TEST(QrEan, PrintsOnlyInTheFinalPassAndWhileEnabled) {
    {
        TQrEan ean;
        PrintProbe probe;
        probe.Print(Code128(ean, "ABC"), false);
        EXPECT_EQ(probe.Calls, "");
        EXPECT_TRUE(probe.Blank());
    }
    {
        TQrEan ean;
        ean.Enabled = false;
        PrintProbe probe;
        probe.Print(Code128(ean, "ABC"), true);
        EXPECT_EQ(probe.Calls, "");
        EXPECT_TRUE(probe.Blank());
    }
    {
        TQrEan ean;
        PrintProbe probe;
        probe.Print(Code128(ean, "ABC"), true);
        EXPECT_EQ(probe.Calls, "BA");
        EXPECT_FALSE(probe.Blank());
        // The box: (5 + 10) x 4 = 60 to (10 + 5 + 60) x 4 = 300, height 20 x 4 = 80.
        EXPECT_EQ(ean.Ean().Width(), 240);
        EXPECT_EQ(ean.Ean().Height(), 80);
    }
}

TEST(QrDBEan, FollowsTheFieldAndPrintsNothingForAnInvalidText) {
    MemDataSet data({{"Kod", TFieldType::ftString, 20}}, {{TVariant("12345670")}, {TVariant("12A")}});
    data.Open();
    TDataSource source(&data);
    TQrDBEan ean;
    ean.SetTypBarCode(TTypBarCode::bcEan8);
    ean.SetDataSource(&source);
    ean.SetDataField("Kod");
    EXPECT_EQ(ean.BarCode(), "12345670");
    data.Next();
    EXPECT_EQ(ean.BarCode(), "12A");
    ean.Left = 5;
    ean.Top = 5;
    ean.Width = 60;
    ean.Height = 20;
    PrintProbe probe;
    probe.Print(ean, true);
    EXPECT_TRUE(probe.Blank());
    EXPECT_NE(ean.LastPaintError(), TLastPaintError::erOK);
}

TEST(QrDBEan, WithoutAFieldItShowsItsNameOnlyAtDesignTime) {
    TQrDBEan ean;
    ean.Name = "Vkod_1";
    ean.SetDataField("");
    EXPECT_EQ(ean.BarCode(), "");
    ean.Designing = true;
    ean.DataChanged();
    EXPECT_EQ(ean.BarCode(), "Vkod_1");
}

TEST(QrDBEan, ForgetsADataSourceThatGoesAway) {
    MemDataSet data({{"Kod", TFieldType::ftString, 20}}, {{TVariant("1")}});
    data.Open();
    TQrDBEan ean;
    {
        TDataSource source(&data);
        ean.SetDataSource(&source);
        EXPECT_EQ(ean.DataSource(), &source);
    }
    EXPECT_EQ(ean.DataSource(), nullptr);
}

} // namespace
} // namespace etikor
