// etikor-print as a user runs it, beside the bare QPdfWriter floor (bench_pdf_floor), at 10,000,
// 100,000 and 1,000,000 labels: each run is a child process, timed on the wall clock, and
// peak_MB is that child's peak resident size (getrusage of the child). The sheet is A4 with 21
// labels a page, each a data-bound text, a Code 128 bound to the same field with its value
// under the bars, and a frame. BM_PrintOverFloor runs the two in turn and reports their ratio
// (target: 1.2 or less at 10,000 labels). Targets: peak memory flat as the count grows, 1,000,000
// labels under 150 MB, time linear.

#include "document/DataModule.h"
#include "document/TemplateSchema.h"
#include "tablestore/StoreTable.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace etikor;
namespace fs = std::filesystem;

struct TChildRun {
    double Seconds = 0;
    double CpuSeconds = 0; // user + system: steadier than the wall clock on a shared machine
    double PeakMegabytes = 0;
    int ExitCode = -1;
};

// Runs `argv` to its end with its output thrown away.
TChildRun RunChild(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    TChildRun run;
    run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.CpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.PeakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

fs::path WorkFolder() {
    static const fs::path folder = [] {
        char pattern[] = "/tmp/etikor-print-bench-XXXXXX";
        if (!mkdtemp(pattern))
            throw std::runtime_error("no temporary folder");
        return fs::path(pattern);
    }();
    return folder;
}

// A4, 3 columns of 38.1 mm labels: 21 a page.
TPageSetup Sheet() {
    TPageSetup setup;
    setup.TopMarginMm = 13;
    setup.BottomMarginMm = 10;
    return setup;
}

std::string TemplateFile() {
    static const std::string path = [] {
        const std::string file = (WorkFolder() / "Cimke.ctv").string();
        TStoreTable t;
        t.FieldDefs = ElemekFieldDefs();
        t.Open();
        AppendPageSetupRow(t, Sheet());
        auto element = [&](TElemKind kind, const char* name, TPixelRect px, TMmRect mm) {
            AppendElementRow(t, kind, name, px);
            t.Edit();
            t.FieldByName("Forras").SetAsString("Vonalkod1");
            t.FieldByName("FErtek").SetAsString("12345678");
            t.FieldByName("Left_mm").SetAsFloat(mm.Left);
            t.FieldByName("Top_mm").SetAsFloat(mm.Top);
            t.FieldByName("Width_mm").SetAsFloat(mm.Width);
            t.FieldByName("Height_mm").SetAsFloat(mm.Height);
            t.FieldByName("Betu").SetAsString("Arial,10,,0,clBlack,1");
            t.Post();
        };
        element(TElemKind::ekText, "Szoveg_1", {8, 4, 120, 16}, {2, 1, 32, 4});
        element(TElemKind::ekBarcode, "Vkod_1", {8, 30, 220, 100}, {2, 8, 58, 26.5});
        t.SaveTable(file);
        return file;
    }();
    return path;
}

// A series of `count` records, written once per count.
std::string SeriesFile(int count) {
    static std::map<int, std::string> written;
    auto found = written.find(count);
    if (found != written.end())
        return found->second;
    const std::string file = (WorkFolder() / ("Cimke" + std::to_string(count) + ".sor")).string();
    TStoreTable t;
    t.FieldDefs = SeriesFieldDefs();
    t.Open();
    char value[24];
    for (int i = 0; i < count; ++i) {
        std::snprintf(value, sizeof value, "ETK%09d", i);
        t.Append();
        t.FieldByName("Vonalkod1").SetAsString(value);
        t.FieldByName("Tipus1").SetAsInteger(5);
        t.Post();
    }
    t.SaveTable(file);
    written.emplace(count, file);
    return file;
}

std::string PdfFile() {
    return (WorkFolder() / "labels.pdf").string();
}

// ETIKOR_BENCH_PRINT_TOOL names another etikor-print to measure (an earlier build, say).
std::string PrintTool() {
    const char* other = std::getenv("ETIKOR_BENCH_PRINT_TOOL");
    return other && *other ? other : ETIKOR_PRINT_TOOL;
}

TChildRun RunPrint(int count) {
    return RunChild({PrintTool(), "--template", TemplateFile(), "--series", SeriesFile(count), "--frame",
                     "-o", PdfFile()});
}

TChildRun RunFloor(int count) {
    return RunChild({ETIKOR_PDF_FLOOR, std::to_string(count), PdfFile()});
}

template <TChildRun (*Run)(int)>
void BM_Child(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    // The inputs are written before the clock starts.
    TemplateFile();
    SeriesFile(count);
    TChildRun last;
    double peak = 0;
    for (auto _ : state) {
        last = Run(count);
        state.SetIterationTime(last.Seconds);
        peak = std::max(peak, last.PeakMegabytes);
    }
    if (last.ExitCode != 0)
        state.SkipWithError("the child process failed");
    state.counters["cpu_s"] = last.CpuSeconds;
    state.counters["peak_MB"] = peak;
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10000)->Arg(100000)->Arg(1000000)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);
}

BENCHMARK_TEMPLATE(BM_Child, RunFloor)->Name("BM_PdfFloor")->Apply(Sizes);
BENCHMARK_TEMPLATE(BM_Child, RunPrint)->Name("BM_EtikorPrint")->Apply(Sizes);

// The two in turn, three times each, the best of each kept: ratio = etikor-print / floor in
// processor time, cpu_ratio; wall_ratio on the wall clock.
void BM_PrintOverFloor(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TemplateFile();
    SeriesFile(count);
    TChildRun best, bestFloor;
    for (auto _ : state) {
        for (int i = 0; i < 3; ++i) {
            const TChildRun floor = RunFloor(count);
            const TChildRun print = RunPrint(count);
            if (floor.ExitCode != 0 || print.ExitCode != 0)
                state.SkipWithError("the child process failed");
            if (i == 0 || floor.CpuSeconds < bestFloor.CpuSeconds)
                bestFloor = floor;
            if (i == 0 || print.CpuSeconds < best.CpuSeconds)
                best = print;
        }
        state.SetIterationTime(best.Seconds);
    }
    state.counters["cpu_s"] = best.CpuSeconds;
    state.counters["floor_cpu_s"] = bestFloor.CpuSeconds;
    state.counters["cpu_ratio"] = bestFloor.CpuSeconds > 0 ? best.CpuSeconds / bestFloor.CpuSeconds : 0;
    state.counters["wall_ratio"] = bestFloor.Seconds > 0 ? best.Seconds / bestFloor.Seconds : 0;
}
BENCHMARK(BM_PrintOverFloor)->Arg(10000)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // ETIKOR_BENCH_KEEP keeps the template, the series and the last PDF to look at.
    std::error_code ignored;
    if (std::getenv("ETIKOR_BENCH_KEEP"))
        std::printf("kept in %s\n", WorkFolder().c_str());
    else
        fs::remove_all(WorkFolder(), ignored);
    return 0;
}
