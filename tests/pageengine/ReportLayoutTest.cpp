// Layout on prepared pages: column widths and edges, column-by-column placement, page breaks,
// the hook before each band, data-bound values.

#include "pageengine/Report.h"

#include "MemDataSet.h"

#include <gtest/gtest.h>

#include <QString>

#include <memory>

namespace etikor {
namespace {

using test::MemDataSet;

TFieldDefs TwoFields() {
    return {{"Vonalkod1", TFieldType::ftString, 20}, {"Tipus1", TFieldType::ftInteger, 0}};
}

std::unique_ptr<MemDataSet> Records(int count) {
    std::vector<std::vector<TVariant>> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back({TVariant("R" + std::to_string(i)), TVariant(i)});
    auto data = std::make_unique<MemDataSet>(TwoFields(), std::move(rows));
    data->Open();
    return data;
}

// A 210 x 297 mm page without margins, one column.
TPageSetup BarePage() {
    TPageSetup page;
    page.TopMarginMm = page.BottomMarginMm = page.LeftMarginMm = page.RightMarginMm = 0;
    page.Columns = 1;
    page.ColumnSpaceMm = 0;
    return page;
}

// A report with one data-bound text at (1, 2) on the band, framed.
TReport FramedReport(const TPageSetup& page, double bandHeight) {
    TReport report;
    report.Page = page;
    report.Page.LabelHeightMm = bandHeight;
    report.BandFrame = true;
    auto text = std::make_shared<TDataTextItem>();
    text->FieldName = "Vonalkod1";
    text->RectMm = QRectF(1, 2, 20, 5);
    report.Items.push_back(text);
    return report;
}

std::vector<const TPlacedItem*> OfKind(const TPreparedPage& page, TItemKind kind) {
    std::vector<const TPlacedItem*> found;
    for (const TPlacedItem& item : page.Items)
        if (item.Kind == kind)
            found.push_back(&item);
    return found;
}

TEST(ReportLayout, ColumnsShareTheWidthLeftAfterMarginsAndGaps) {
    // 210 mm page, 5 mm margins, 3 columns, 3 mm gaps: (210 - 5 - 5 - 2 x 3) / 3 = 64.67 mm.
    TPageSetup page = BarePage();
    page.LeftMarginMm = page.RightMarginMm = 5;
    page.Columns = 3;
    page.ColumnSpaceMm = 3;
    EXPECT_NEAR(page.ColumnWidthMm(), 64.6667, 1e-4);
    EXPECT_NEAR(page.ColumnLeftMm(0), 5, 1e-9);
    EXPECT_NEAR(page.ColumnLeftMm(1), 72.6667, 1e-4);
    EXPECT_NEAR(page.ColumnLeftMm(2), 140.3333, 1e-4);

    // Three labels of 297 mm fill the three columns: each frame is a column wide.
    auto data = Records(3);
    const TPreparedReport prepared = Prepare(FramedReport(page, 297), data.get());
    ASSERT_EQ(prepared.Pages.size(), 1u);
    const auto frames = OfKind(prepared.Pages[0], TItemKind::ikFrame);
    ASSERT_EQ(frames.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(frames[i]->RectMm.left(), page.ColumnLeftMm(i), 1e-9);
        EXPECT_NEAR(frames[i]->RectMm.width(), 64.6667, 1e-4);
        EXPECT_NEAR(frames[i]->RectMm.top(), 0, 1e-9);
    }
}

TEST(ReportLayout, FillsAColumnTopToBottomBeforeTheNextAndThenANewPage) {
    // Page 100 mm long with 10 mm margins: two 30 mm labels per column (10-40, 40-70; a third
    // would end at 100 > 90), two columns per page.
    TPageSetup page = BarePage();
    page.PageWidthMm = 100;
    page.PageLengthMm = 100;
    page.TopMarginMm = page.BottomMarginMm = 10;
    page.LeftMarginMm = page.RightMarginMm = 0;
    page.Columns = 2;
    page.ColumnSpaceMm = 0;
    auto data = Records(5);
    const TPreparedReport prepared = Prepare(FramedReport(page, 30), data.get());
    ASSERT_EQ(prepared.Pages.size(), 2u);
    EXPECT_EQ(prepared.LabelCount, 5);

    struct Expected {
        int page;
        double left, top;
        const char* value;
    };
    const Expected rows[] = {
        {0, 1, 12, "R1"},                    // column 1, top margin + 2
        {0, 1, 42, "R2"},                    // directly below
        {0, 51, 12, "R3"},                   // R3 would end below 90 mm: next column
        {0, 51, 42, "R4"}, {1, 1, 12, "R5"}, // after the last column: a new page
    };
    std::vector<std::vector<const TPlacedItem*>> texts = {OfKind(prepared.Pages[0], TItemKind::ikDataText),
                                                          OfKind(prepared.Pages[1], TItemKind::ikDataText)};
    ASSERT_EQ(texts[0].size(), 4u);
    ASSERT_EQ(texts[1].size(), 1u);
    size_t onPage[2] = {0, 0};
    for (const Expected& row : rows) {
        SCOPED_TRACE(row.value);
        const TPlacedItem& item = *texts[static_cast<size_t>(row.page)][onPage[row.page]++];
        EXPECT_NEAR(item.RectMm.left(), row.left, 1e-9);
        EXPECT_NEAR(item.RectMm.top(), row.top, 1e-9);
        EXPECT_EQ(item.Value, QString(row.value));
    }
}

TEST(ReportLayout, ALabelThatFitsExactlyStaysInItsColumn) {
    TPageSetup page = BarePage();
    page.PageLengthMm = 90;
    page.TopMarginMm = 10;
    page.BottomMarginMm = 20; // room for exactly two 30 mm labels: 10-40, 40-70
    page.Columns = 1;
    auto data = Records(3);
    const TPreparedReport prepared = Prepare(FramedReport(page, 30), data.get());
    ASSERT_EQ(prepared.Pages.size(), 2u);
    EXPECT_EQ(OfKind(prepared.Pages[0], TItemKind::ikFrame).size(), 2u);
}

TEST(ReportLayout, TheHookSwitchesTheItemsOfOneLabelOffButNotItsFrame) {
    TPageSetup page = BarePage();
    page.Columns = 1;
    TReport report = FramedReport(page, 20);
    report.BeforePrint = [](const TDataSet& data) { return data.Fields(0).AsString() != "R2"; };
    auto data = Records(3);
    const TPreparedReport prepared = Prepare(report, data.get());
    const auto texts = OfKind(prepared.Pages[0], TItemKind::ikDataText);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->Value, "R1");
    EXPECT_EQ(texts[1]->Value, "R3");
    EXPECT_NEAR(texts[1]->RectMm.top(), 40 + 2, 1e-9); // R2's place stays empty
    EXPECT_EQ(OfKind(prepared.Pages[0], TItemKind::ikFrame).size(), 3u);
}

TEST(ReportLayout, AnEmptyOrMissingDataSetGivesOnePageWithoutLabels) {
    TPageSetup page = BarePage();
    auto empty = Records(0);
    for (TDataSet* data : {static_cast<TDataSet*>(empty.get()), static_cast<TDataSet*>(nullptr)}) {
        const TPreparedReport prepared = Prepare(FramedReport(page, 20), data);
        ASSERT_EQ(prepared.Pages.size(), 1u);
        EXPECT_TRUE(prepared.Pages[0].Items.empty());
        EXPECT_EQ(prepared.LabelCount, 0);
    }
}

TEST(ReportLayout, ValuesAreResolvedPerRecordAndAMissingFieldIsEmpty) {
    TPageSetup page = BarePage();
    TReport report;
    report.Page = page;
    report.Page.LabelHeightMm = 20;
    auto fixed = std::make_shared<TTextItem>();
    fixed->Text = "Fix";
    auto missing = std::make_shared<TDataTextItem>();
    missing->FieldName = "Nincs";
    auto type = std::make_shared<TDataTextItem>();
    type->FieldName = "Tipus1";
    auto barcode = std::make_shared<TBarcodeItem>();
    barcode->FieldName = "Vonalkod1";
    report.Items = {fixed, missing, type, barcode};
    auto data = Records(2);
    const TPreparedReport prepared = Prepare(report, data.get());
    const auto& items = prepared.Pages[0].Items;
    ASSERT_EQ(items.size(), 8u);
    const char* expected[] = {"Fix", "", "1", "R1", "Fix", "", "2", "R2"};
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i].Value, QString(expected[i])) << i;
}

TEST(ReportLayout, StepsReportProgressUntilEveryRecordIsPlaced) {
    TPageSetup page = BarePage();
    auto data = Records(600);
    std::vector<int> seen;
    const TPreparedReport prepared = Prepare(FramedReport(page, 10), data.get(), [&](int done, int total) {
        EXPECT_EQ(total, 600);
        seen.push_back(done);
    });
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), 600);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(prepared.LabelCount, 600);
}

} // namespace
} // namespace etikor
