// Pages laid out one at a time: every page equals the page the whole-run layout made, in page
// order and in any other order, while the index grows and after; printing takes the pages in
// the order copies and collation ask for.

#include "pageengine/ReportPaint.h"

#include "MemDataSet.h"

#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QTemporaryDir>

#include <memory>

namespace etikor {
namespace {

using test::MemDataSet;

std::unique_ptr<MemDataSet> Records(int count) {
    std::vector<std::vector<TVariant>> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back({i % 7 == 3 ? TVariant() : TVariant("R" + std::to_string(i)), TVariant(i)});
    auto data = std::make_unique<MemDataSet>(
        TFieldDefs{{"Kod", TFieldType::ftString, 20}, {"Szam", TFieldType::ftInteger, 0}}, std::move(rows));
    data->Open();
    return data;
}

// A framed band with a bound text and a fixed one; a record with a null first field is a blank
// place (its frame only).
TReport Report(const TPageSetup& page) {
    TReport report;
    report.Page = page;
    report.BandFrame = true;
    auto bound = std::make_shared<TDataTextItem>();
    bound->FieldName = "Kod";
    bound->RectMm = QRectF(1, 2, 20, 5);
    report.Items.push_back(bound);
    auto fixed = std::make_shared<TTextItem>();
    fixed->Text = QStringLiteral("Etikor");
    fixed->RectMm = QRectF(25, 2, 20, 5);
    report.Items.push_back(fixed);
    report.BeforePrint = [](const TDataSet& data) { return !data.Fields(0).IsNull(); };
    return report;
}

TPageSetup Sheet(int columns, double labelHeight, double top = 10, double bottom = 10) {
    TPageSetup page;
    page.PageWidthMm = 200;
    page.PageLengthMm = 150;
    page.TopMarginMm = top;
    page.BottomMarginMm = bottom;
    page.LeftMarginMm = page.RightMarginMm = 5;
    page.Columns = columns;
    page.ColumnSpaceMm = 3;
    page.LabelHeightMm = labelHeight;
    return page;
}

void ExpectSamePage(const TPreparedPage& actual, const TPreparedPage& expected, const std::string& where) {
    ASSERT_EQ(actual.Items.size(), expected.Items.size()) << where;
    for (size_t i = 0; i < expected.Items.size(); ++i) {
        const TPlacedItem& a = actual.Items[i];
        const TPlacedItem& e = expected.Items[i];
        EXPECT_EQ(a.Kind, e.Kind) << where << " item " << i;
        EXPECT_EQ(a.RectMm, e.RectMm) << where << " item " << i;
        EXPECT_EQ(a.BandOriginMm, e.BandOriginMm) << where << " item " << i;
        EXPECT_EQ(a.Value, e.Value) << where << " item " << i;
        EXPECT_EQ(a.Item, e.Item) << where << " item " << i;
    }
}

TEST(StreamedPages, EveryPageEqualsTheWholeRunsLayout) {
    const struct {
        const char* name;
        TPageSetup page;
        int records;
    } rows[] = {
        {"three columns of four", Sheet(3, 30), 100},
        {"exact fit", Sheet(2, 32.5, 10, 10), 37}, // four labels fill 130 mm exactly
        {"one label per page", Sheet(1, 200), 5},  // taller than the page: once each
        {"a last page of one label", Sheet(3, 30), 12 * 4 + 1},
        {"no records", Sheet(3, 30), 0},
    };
    for (const auto& row : rows) {
        auto whole = Records(row.records);
        const TReport report = Report(row.page);
        const TPreparedReport prepared = Prepare(report, whole.get());
        auto data = Records(row.records);
        TStreamedPages pages(report, data.get());
        pages.IndexAll();
        ASSERT_EQ(pages.PageCount(), static_cast<int>(prepared.Pages.size())) << row.name;
        EXPECT_EQ(pages.LabelCount(), prepared.LabelCount) << row.name;
        EXPECT_EQ(pages.PageWidthMm(), prepared.PageWidthMm);
        EXPECT_EQ(pages.PageLengthMm(), prepared.PageLengthMm);
        // In page order, then backwards, then a page asked for twice with another between.
        for (int p = 0; p < pages.PageCount(); ++p)
            ExpectSamePage(pages.Page(p), prepared.Pages[static_cast<size_t>(p)],
                           std::string(row.name) + " page " + std::to_string(p + 1));
        for (int p = pages.PageCount() - 1; p >= 0; --p)
            ExpectSamePage(pages.Page(p), prepared.Pages[static_cast<size_t>(p)],
                           std::string(row.name) + " backwards, page " + std::to_string(p + 1));
        if (pages.PageCount() > 2) {
            pages.Page(1);
            data->Last(); // someone else moved the data set meanwhile
            ExpectSamePage(pages.Page(1), prepared.Pages[1], std::string(row.name) + " again");
        }
    }
}

TEST(StreamedPages, TheIndexGrowsInStepsAndNamesEachPagesFirstRecord) {
    auto data = Records(50); // twelve a page: 5 pages, the last with two labels
    const TReport report = Report(Sheet(3, 30));
    TStreamedPages pages(report, data.get());
    EXPECT_EQ(pages.PageCount(), 1);
    EXPECT_TRUE(pages.Page(0).Items.empty()); // nothing indexed yet
    EXPECT_TRUE(pages.IndexStep(5));
    // The page found last grows as the index does.
    const size_t fiveLabels = pages.Page(0).Items.size();
    EXPECT_TRUE(pages.IndexStep(20));
    EXPECT_EQ(pages.PageCount(), 3);
    EXPECT_GT(pages.Page(0).Items.size(), fiveLabels);
    EXPECT_FALSE(pages.IndexStep(1000));
    EXPECT_TRUE(pages.Indexed());
    EXPECT_EQ(pages.PageCount(), 5);
    for (int p = 0; p < 5; ++p)
        EXPECT_EQ(pages.PageStart(p), p * 12);
    // Page 5 holds records 49 and 50.
    const TPreparedPage& last = pages.Page(4);
    ASSERT_EQ(last.Items.size(), 2u * 3u);
    EXPECT_EQ(last.Items[0].Value, "R49");
    EXPECT_EQ(last.Items[3].Value, "R50");
}

// A page source that lists the pages asked for.
class TRecordedPages final : public TPageSource {
public:
    explicit TRecordedPages(TPageSource& pages) : FPages(pages) {}
    double PageWidthMm() const override { return FPages.PageWidthMm(); }
    double PageLengthMm() const override { return FPages.PageLengthMm(); }
    int PageCount() const override { return FPages.PageCount(); }
    int LabelCount() const override { return FPages.LabelCount(); }
    const std::vector<std::shared_ptr<TReportItem>>& Items() const override { return FPages.Items(); }
    const TPreparedPage& Page(int index) override {
        Asked.push_back(index + 1);
        return FPages.Page(index);
    }
    std::vector<int> Asked;

private:
    TPageSource& FPages;
};

TEST(StreamedPages, PrintingTakesEachPageWhenItIsPainted) {
    QTemporaryDir dir;
    const struct {
        TPrintRange range;
        std::vector<int> pages;
    } rows[] = {
        {{1, 0, 0, true}, {1, 2, 3, 4}},
        {{2, 0, 0, true}, {1, 2, 3, 4, 1, 2, 3, 4}},
        {{2, 0, 0, false}, {1, 1, 2, 2, 3, 3, 4, 4}},
        {{2, 2, 3, true}, {2, 3, 2, 3}},
        {{1, 3, 0, true}, {3, 4}},
        {{1, 5, 9, true}, {}},
    };
    for (const auto& row : rows) {
        auto data = Records(40); // 12 a page: 4 pages
        const TReport report = Report(Sheet(3, 30));
        TStreamedPages streamed(report, data.get());
        streamed.IndexAll();
        TRecordedPages pages(streamed);
        QPdfWriter pdf(dir.filePath(QStringLiteral("streamed.pdf")));
        EXPECT_EQ(PrintReport(pages, pdf, row.range), static_cast<int>(row.pages.size()));
        EXPECT_EQ(pages.Asked, row.pages);
    }
}

TEST(StreamedPages, APaintedPageMatchesTheWholeRunsPage) {
    auto whole = Records(30);
    auto data = Records(30);
    const TReport report = Report(Sheet(3, 30));
    const TPreparedReport prepared = Prepare(report, whole.get());
    TStreamedPages pages(report, data.get());
    pages.IndexAll();
    for (int p : {2, 0, 1})
        EXPECT_EQ(RenderPage(pages.Page(p), pages.PageWidthMm(), pages.PageLengthMm(), 50),
                  RenderPage(prepared, p, 50))
            << "page " << p + 1;
}

} // namespace
} // namespace etikor
