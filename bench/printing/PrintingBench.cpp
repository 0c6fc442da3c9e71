// A 3-column A4 sheet, each label a data-bound text, a fixed text and a Code 128 bound to
// Vonalkod1: laid out page by page and written to a PDF at 600 dpi, as printing does. peak_MB is
// the process's peak resident size so far (runs go from small to large, so each figure covers
// its own run). bench_print_run measures the whole etikor-print beside a bare QPdfWriter.

#include "document/DataModule.h"
#include "pageengine/ReportPaint.h"
#include "printing/LabelReport.h"
#include "printing/PrintSequence.h"
#include "printing/Verify.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace etikor;

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

TLabelElement Element(TElemKind kind, const char* source, const char* value, TMmRect mm, TPixelRect px) {
    TLabelElement e;
    e.Kind = kind;
    e.Source = QString::fromLatin1(source);
    e.Value = QString::fromLatin1(value);
    e.Mm = mm;
    e.Px = px;
    e.TypeIndex = kNewBarcodeIndex; // Code 128
    e.ShowValue = true;
    return e;
}

std::vector<TLabelElement> Elements() {
    return {Element(TElemKind::ekText, "Vonalkod1", "", {2, 1, 30, 4}, {}),
            Element(TElemKind::ekText, "", "Etikor Kft.", {35, 1, 25, 4}, {}),
            Element(TElemKind::ekBarcode, "Vonalkod1", "12345678", {}, {8, 24, 200, 90})};
}

TPageSetup A4ThreeColumns() {
    TPageSetup setup; // 210 x 297 mm, 3 columns of 38.1 mm labels: 21 a page
    setup.TopMarginMm = 13;
    setup.BottomMarginMm = 10;
    return setup;
}

std::unique_ptr<TPrintSequence> Series(int count) {
    auto series = std::make_unique<TPrintSequence>(SeriesFieldDefs());
    char value[24];
    for (int i = 0; i < count; ++i) {
        std::snprintf(value, sizeof value, "ETK%09d", i);
        series->AddRecord({TVariant(value), TVariant(5)});
    }
    series->Open();
    return series;
}

void BM_LabelsToPdf(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const auto series = Series(count);
    QTemporaryDir dir;
    int pages = 0;
    for (auto _ : state) {
        const TReport report = BuildLabelReport(Elements(), A4ThreeColumns(), series.get(), {});
        TStreamedPages streamed(report, series.get());
        streamed.IndexAll();
        QPdfWriter pdf(dir.filePath("labels.pdf"));
        pdf.setResolution(600);
        pages = PrintReport(streamed, pdf, {});
    }
    state.counters["pages"] = pages;
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_LabelsToPdf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Layout alone, page by page, as a print run lays its pages out.
void BM_Layout(benchmark::State& state) {
    const auto series = Series(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const TReport report = BuildLabelReport(Elements(), A4ThreeColumns(), series.get(), {});
        TStreamedPages pages(report, series.get());
        pages.IndexAll();
        size_t items = 0;
        for (int p = 0; p < pages.PageCount(); ++p)
            items += pages.Page(p).Items.size();
        benchmark::DoNotOptimize(items);
    }
}
BENCHMARK(BM_Layout)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The preview's first page of a 100,000-label run: the report built, the first batch of the
// page index, the first page laid out and painted at screen resolution.
void BM_FirstPageOf100k(benchmark::State& state) {
    const auto series = Series(100000);
    for (auto _ : state) {
        const TReport report = BuildLabelReport(Elements(), A4ThreeColumns(), series.get(), {});
        TStreamedPages pages(report, series.get());
        pages.IndexStep(10000);
        benchmark::DoNotOptimize(
            RenderPage(pages.Page(0), pages.PageWidthMm(), pages.PageLengthMm(), 96).width());
    }
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_FirstPageOf100k)->Unit(benchmark::kMillisecond)->Iterations(5);

// Verification of a run before it prints, against preparing its pages (layout, as above, and
// layout with the PDF written, BM_LabelsToPdf): every label a distinct Code 128, each drawn at
// the printer's resolution and read back once. The prepared pages are made outside the timing.
void BM_Verify(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const int dpi = static_cast<int>(state.range(1));
    const auto series = Series(count);
    const TReport report = BuildLabelReport(Elements(), A4ThreeColumns(), series.get(), {});
    const TPreparedReport prepared = Prepare(report, series.get());
    size_t unreadable = 0;
    for (auto _ : state)
        unreadable = VerifyPrepared(report, prepared, dpi).size();
    if (unreadable != 0)
        state.SkipWithError("a readable run reported unreadable labels");
    state.counters["labels_per_s"] = benchmark::Counter(
        static_cast<double>(count) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Verify)
    ->Args({10000, 600})
    ->Args({10000, 300})
    ->Args({10000, 203})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The preview of a 1,000,000-label run moving to its last page: the whole page index, then the
// last page laid out and painted at screen resolution (target under 200 ms).
void BM_LastPageOf1M(benchmark::State& state) {
    const auto series = Series(1000000);
    for (auto _ : state) {
        const TReport report = BuildLabelReport(Elements(), A4ThreeColumns(), series.get(), {});
        TStreamedPages pages(report, series.get());
        pages.IndexAll();
        const TPreparedPage& last = pages.Page(pages.PageCount() - 1);
        benchmark::DoNotOptimize(RenderPage(last, pages.PageWidthMm(), pages.PageLengthMm(), 96).width());
    }
}
BENCHMARK(BM_LastPageOf1M)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
