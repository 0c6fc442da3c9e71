// Painting prepared pages: what is drawn lies where the layout placed it, the unprintable
// offset is taken off, copies and page ranges choose the device pages, barcodes decode.

#include "pageengine/ReportPaint.h"

#include "ImageDecoder.h"
#include "MemDataSet.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPdfWriter>

namespace etikor {
namespace {

using test::MemDataSet;

// The bounding box of the non-white pixels of an image.
QRect InkBounds(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    return box;
}

TPreparedReport OneItem(std::shared_ptr<TReportItem> item, double bandHeight = 40) {
    TReport report;
    report.Page.PageWidthMm = 60;
    report.Page.PageLengthMm = 60;
    report.Page.TopMarginMm = 10;
    report.Page.LeftMarginMm = 10;
    report.Page.RightMarginMm = report.Page.BottomMarginMm = 0;
    report.Page.Columns = 1;
    report.Page.LabelHeightMm = bandHeight;
    report.Items.push_back(std::move(item));
    MemDataSet data({{"Vonalkod1", TFieldType::ftString, 20}}, {{TVariant("ABC-123")}});
    data.Open();
    return Prepare(report, &data);
}

TEST(ReportPaint, ARectangleLandsAtItsPlaceInMillimetres) {
    auto rect = std::make_shared<TShapeItem>(TItemKind::ikRect);
    rect->RectMm = QRectF(5, 10, 20, 10);                  // page: 15..35 x 20..30 mm
    const QImage page = RenderPage(OneItem(rect), 0, 254); // 10 dots per mm
    const QRect ink = InkBounds(page);
    EXPECT_NEAR(ink.left(), 150, 2);
    EXPECT_NEAR(ink.top(), 200, 2);
    EXPECT_NEAR(ink.right(), 350, 2);
    EXPECT_NEAR(ink.bottom(), 300, 2);
}

TEST(ReportPaint, TheUnprintableOffsetIsTakenOff) {
    TDeviceMap map;
    map.DotsPerMmX = map.DotsPerMmY = 10;
    map.OffsetMm = QPointF(4.2, 3);
    EXPECT_EQ(map.XPos(15), 108);
    EXPECT_EQ(map.YPos(20), 170);
    EXPECT_EQ(map.Rect(QRectF(15, 20, 20, 10)), QRectF(108, 170, 200, 100));
}

TEST(ReportPaint, TextTurnedByAQuarterIsTallerThanWide) {
    struct Row {
        int degrees;
        bool tall;
    };
    for (const Row& row : {Row{0, false}, Row{90, true}, Row{180, false}, Row{270, true}}) {
        SCOPED_TRACE(row.degrees);
        auto text = std::make_shared<TTextItem>();
        text->Text = "ETIKOR ETIKOR";
        text->Font = QFont("Liberation Sans", 12);
        text->RotationDegrees = row.degrees;
        text->RectMm = QRectF(10, 2, 30, 30);
        const QRect ink = InkBounds(RenderPage(OneItem(text), 0, 200));
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_EQ(ink.height() > ink.width(), row.tall);
        // The text stays inside the band's column, right and below the item's corner.
        EXPECT_GE(ink.left(), static_cast<int>(20 / 25.4 * 200) - 1);
        EXPECT_GE(ink.top(), static_cast<int>(12 / 25.4 * 200) - 1);
    }
}

// A Code 128 bound to Vonalkod1, 40 x 20 mm at (2, 2) in the band.
std::shared_ptr<TBarcodeItem> BoundCode128(int angle = 0) {
    auto barcode = std::make_shared<TBarcodeItem>();
    barcode->FieldName = "Vonalkod1";
    barcode->Barcode.SetTypBarCode(TTypBarCode::bcCode128);
    barcode->Barcode.SetAngle(angle);
    barcode->Barcode.Left = 2;
    barcode->Barcode.Top = 2;
    barcode->Barcode.Width = 40;
    barcode->Barcode.Height = 20;
    barcode->SyncRect();
    return barcode;
}

TEST(ReportPaint, ABoundBarcodePaintsItsRecordsValueReadably) {
    const TPreparedReport prepared = OneItem(BoundCode128());
    ASSERT_EQ(prepared.Pages[0].Items.size(), 1u);
    EXPECT_EQ(prepared.Pages[0].Items[0].Value, "ABC-123");
    const test::DecodeResult read = test::DecodeImage(RenderPage(prepared, 0, 300));
    EXPECT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.text, "ABC-123");
}

// On a screen whose scale gives a module less than a pixel (the preview's whole page) the
// barcode is still drawn, scaled down, in its place; it was only the error hatch. A printer at
// the same scale draws nothing there, as ever.
TEST(ReportPaint, ABarcodeSmallerThanItsModulesStillShowsOnAScreen) {
    for (const int angle : {0, 90}) {
        SCOPED_TRACE(angle);
        const TPreparedReport prepared = OneItem(BoundCode128(angle));
        const QImage page = RenderPage(prepared, 0, 25); // about one pixel a millimetre
        // The box: 12..52 x 12..32 mm on the page, so about 10..55 x 10..35 pixels.
        int dark = 0, red = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                dark += qGray(c.rgb()) < 200 && c.red() < 200;
                red += c.red() > 200 && c.green() < 100;
            }
        EXPECT_GT(dark, 20);
        EXPECT_EQ(red, 0);
        EXPECT_TRUE(InkBounds(page).intersects(QRect(10, 10, 45, 25)));
    }
}

TEST(ReportPaint, CopiesAndPageRangesChooseTheDevicePages) {
    TReport report;
    report.Page.PageLengthMm = 50;
    report.Page.TopMarginMm = report.Page.BottomMarginMm = 0;
    report.Page.Columns = 1;
    report.Page.LabelHeightMm = 50;
    report.BandFrame = true;
    MemDataSet data({{"A", TFieldType::ftString, 5}}, {{TVariant("1")}, {TVariant("2")}, {TVariant("3")}});
    data.Open();
    const TPreparedReport prepared = Prepare(report, &data);
    ASSERT_EQ(prepared.Pages.size(), 3u);
    struct Row {
        TPrintRange range;
        int pages;
    };
    const Row rows[] = {
        {{1, 0, 0, true}, 3},  // no bounds
        {{2, 0, 0, true}, 6},  // two copies of all
        {{2, 2, 3, false}, 4}, // pages 2 to 3, twice
        {{1, 3, 0, true}, 1},  // from page 3 on
        {{1, 0, 1, true}, 1},  // up to page 1
        {{1, 3, 2, true}, 0},  // an empty range prints nothing
    };
    for (const Row& row : rows) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        EXPECT_EQ(PrintReport(prepared, pdf, row.range), row.pages)
            << row.range.Copies << " " << row.range.FirstPage << "-" << row.range.LastPage;
    }
}

} // namespace
} // namespace etikor
