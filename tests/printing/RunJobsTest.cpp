// A large run cut into jobs (whole sheets, the skipped places only in the first), named by
// their labels; a range of the run's labels narrowed to the places it had, or repacked; the
// progress line.

#include "printing/RunJobs.h"

#include "MemDataSet.h"
#include "pageengine/Report.h"
#include "printing/LabelReport.h"
#include "printing/PrintSequence.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <utility>

namespace etikor {
namespace {

using test::MemDataSet;

// 3 columns of 30 mm labels on 80 mm of paper between 10 mm margins: 6 places a sheet.
TPageSetup SmallSheet() {
    TPageSetup setup;
    setup.PageWidthMm = 150;
    setup.PageLengthMm = 80;
    setup.LeftMarginMm = setup.RightMarginMm = 5;
    setup.TopMarginMm = setup.BottomMarginMm = 10;
    setup.Columns = 3;
    setup.ColumnSpaceMm = 3;
    setup.LabelHeightMm = 30;
    setup.LabelWidthMm = 40;
    return setup;
}

// A run of `count` labels "L1", "L2", ... after `skip` blank places, laid out on SmallSheet.
struct TRun {
    TRun(int count, int skip) {
        std::vector<std::vector<TVariant>> rows;
        for (int i = 1; i <= count; ++i)
            rows.push_back({TVariant(QStringLiteral("L%1").arg(i).toStdString())});
        Data = std::make_unique<MemDataSet>(TFieldDefs{{"Kod", TFieldType::ftString, 10}}, std::move(rows));
        Data->Open();
        Sequence = TPrintSequence::FromDataSet(*Data, skip);
        TLabelElement text;
        text.Kind = TElemKind::ekText;
        text.Name = QStringLiteral("Szoveg_1");
        text.Source = QStringLiteral("Kod");
        text.Mm = {1, 1, 20, 5};
        text.Px = {4, 4, 76, 19};
        TLabelRunOptions options;
        options.DataFlag = true;
        Report = std::make_unique<TReport>(BuildLabelReport({text}, SmallSheet(), Sequence.get(), options));
    }
    std::unique_ptr<TStreamedPages> Pages() {
        auto pages = std::make_unique<TStreamedPages>(*Report, Sequence.get());
        pages->IndexAll();
        return pages;
    }
    // Per page, its labels: value and place (blank places print nothing).
    std::vector<std::vector<std::pair<QString, QRectF>>> Labels() {
        const auto pages = Pages();
        std::vector<std::vector<std::pair<QString, QRectF>>> labels;
        for (int p = 0; p < pages->PageCount(); ++p) {
            std::vector<std::pair<QString, QRectF>> page;
            for (const TPlacedItem& item : pages->Page(p).Items)
                if (item.Kind == TItemKind::ikDataText)
                    page.emplace_back(item.Value, item.RectMm);
            labels.push_back(page);
        }
        return labels;
    }
    std::unique_ptr<MemDataSet> Data;
    std::unique_ptr<TPrintSequence> Sequence;
    std::unique_ptr<TReport> Report;
};

TEST(RunJobs, JobsAreWholeSheetsWithTheirLabels) {
    struct Case {
        int labels, skip, jobPages;
        std::vector<TRunJob> expected;
    };
    const Case cases[] = {
        // 6 places a sheet: 2 skipped, then 20 labels fill 22 places on 4 sheets.
        {20, 2, 2, {{1, 2, 1, 10}, {3, 4, 11, 20}}},
        {20, 2, 3, {{1, 3, 1, 16}, {4, 4, 17, 20}}},
        {20, 2, 0, {{1, 4, 1, 20}}},
        {20, 0, 1, {{1, 1, 1, 6}, {2, 2, 7, 12}, {3, 3, 13, 18}, {4, 4, 19, 20}}},
        {12, 0, 2, {{1, 2, 1, 12}}},
        {12, 0, 5, {{1, 2, 1, 12}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.labels << " labels, skip " << c.skip << ", " << c.jobPages);
        TRun run(c.labels, c.skip);
        const auto pages = run.Pages();
        const std::vector<TRunJob> jobs = SplitIntoJobs(*pages, c.skip, c.jobPages);
        ASSERT_EQ(jobs.size(), c.expected.size());
        for (size_t j = 0; j < jobs.size(); ++j) {
            EXPECT_EQ(jobs[j].FirstPage, c.expected[j].FirstPage) << j;
            EXPECT_EQ(jobs[j].LastPage, c.expected[j].LastPage) << j;
            EXPECT_EQ(jobs[j].FirstLabel, c.expected[j].FirstLabel) << j;
            EXPECT_EQ(jobs[j].LastLabel, c.expected[j].LastLabel) << j;
        }
    }
}

TEST(RunJobs, JobNamesTellTheJobsApart) {
    EXPECT_EQ(JobName(QStringLiteral("Cimke.ctv"), 3, 12, {101, 150, 4201, 6300}),
              QStringLiteral("Etikor: Cimke.ctv 3/12, labels 4201\u20136300"));
    // A sheet of skipped places only: no labels to name.
    EXPECT_EQ(JobName(QStringLiteral("Cimke.ctv"), 1, 1, {1, 1, 1, 0}),
              QStringLiteral("Etikor: Cimke.ctv 1/1"));
}

TEST(RunJobs, LabelRangesAreParsedOrRefused) {
    struct Case {
        const char* text;
        int first, last;
        bool ok;
    };
    const Case cases[] = {{"4201-6300", 4201, 6300, true},
                          {" 7 - 9 ", 7, 9, true},
                          {"5", 5, 5, true},
                          {"9-7", 0, 0, false},
                          {"0-3", 0, 0, false},
                          {"a-b", 0, 0, false},
                          {"1-2-3", 0, 0, false},
                          {"", 0, 0, false},
                          {"-4", 0, 0, false}};
    for (const Case& c : cases) {
        const TParsedLabelRange parsed = ParseLabelRange(QString::fromLatin1(c.text));
        EXPECT_EQ(parsed.Error.isEmpty(), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(parsed.Range.First, c.first) << c.text;
            EXPECT_EQ(parsed.Range.Last, c.last) << c.text;
        }
    }
}

// Labels `first` to `last` of a run of 20 after 2 skipped places (6 places a sheet), narrowed:
// per page, the labels in order with their places.
std::vector<std::vector<std::pair<QString, QRectF>>> Narrowed(int first, int last, bool repack,
                                                              int repackSkip) {
    TRun run(20, 2);
    const auto whole = run.Pages();
    EXPECT_TRUE(NarrowToLabels(*run.Sequence, *whole, 2, {first, last}, repack, repackSkip).isEmpty());
    return run.Labels();
}

TEST(RunJobs, ARangeKeepsItsPlacesOrStartsFromTheFirst) {
    const auto wholeRun = TRun(20, 2).Labels();
    // Where the whole run put each label.
    std::map<QString, std::pair<int, QRectF>> placed;
    for (size_t p = 0; p < wholeRun.size(); ++p)
        for (const auto& [value, rect] : wholeRun[p])
            placed[value] = {static_cast<int>(p), rect};
    struct Case {
        int first, last;
        std::vector<int> perPage; // labels on each page of the reprint
    };
    // Label 3 was on the first sheet's fifth place, label 5 on the second's first.
    const Case cases[] = {{3, 10, {2, 6}}, {5, 9, {5}}, {4, 4, {1}}, {1, 20, {4, 6, 6, 4}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << "-" << c.last);
        const auto pages = Narrowed(c.first, c.last, false, 0);
        ASSERT_EQ(pages.size(), c.perPage.size());
        int label = c.first;
        const int firstPage = placed[QStringLiteral("L%1").arg(c.first)].first;
        for (size_t p = 0; p < pages.size(); ++p) {
            ASSERT_EQ(static_cast<int>(pages[p].size()), c.perPage[p]) << p;
            for (const auto& [value, rect] : pages[p]) {
                const QString expected = QStringLiteral("L%1").arg(label++);
                EXPECT_EQ(value, expected);
                EXPECT_EQ(rect, placed[expected].second) << expected.toStdString();
                EXPECT_EQ(placed[expected].first - firstPage, static_cast<int>(p)) << expected.toStdString();
            }
        }
    }
    {
        // Repacked after one place used on the reprint's sheet: as a run of 8 after 1 skipped.
        const auto pages = Narrowed(3, 10, true, 1);
        const auto fresh = TRun(8, 1).Labels();
        ASSERT_EQ(pages.size(), fresh.size());
        for (size_t p = 0; p < pages.size(); ++p) {
            ASSERT_EQ(pages[p].size(), fresh[p].size()) << p;
            for (size_t i = 0; i < pages[p].size(); ++i)
                EXPECT_EQ(pages[p][i].second, fresh[p][i].second) << pages[p][i].first.toStdString();
        }
        EXPECT_EQ(pages[0].front().first, QStringLiteral("L3"));
        EXPECT_EQ(pages.back().back().first, QStringLiteral("L10"));
    }
    {
        // Past the run's end: refused, the run unchanged.
        TRun run(20, 2);
        const auto whole = run.Pages();
        EXPECT_FALSE(NarrowToLabels(*run.Sequence, *whole, 2, {18, 21}, false, 0).isEmpty());
        EXPECT_EQ(run.Sequence->RecordCount(), 22);
    }
}

TEST(RunJobs, TheProgressLineCountsAndEstimates) {
    TRunProgress progress;
    progress.Labels = 100000;
    progress.Pages = 4762;
    progress.Jobs = 48;
    EXPECT_EQ(ProgressLine(progress),
              QStringLiteral("0/100000 labels prepared, 0/4762 pages written, 0/48 jobs sent"));
    progress.LabelsPrepared = 4200;
    progress.PagesWritten = 200;
    progress.JobsSent = 2;
    progress.ElapsedSeconds = 10;
    // 4562 pages still to write at 20 pages a second: 228.1 s.
    EXPECT_EQ(
        ProgressLine(progress),
        QStringLiteral("4200/100000 labels prepared, 200/4762 pages written, 2/48 jobs sent, 3:49 left"));
}

} // namespace
} // namespace etikor
