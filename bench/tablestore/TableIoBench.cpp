// Load and save of the series data table (eight fields) with 100,000 records: records/s and MB/s
// of file image in each direction, in memory and through a file, and the memory a loaded table
// takes relative to its file size.

#include "document/DataModule.h"
#include "tablestore/StoreCursor.h"
#include "tablestore/StoreFile.h"
#include "tablestore/StoreFormat.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <malloc.h>
#include <string>
#include <unistd.h>

namespace {

using namespace etikor;

constexpr int kRecords = 100000;

// Realistic series data: a 13-digit barcode and its type index in the first pair of fields,
// the rest empty but for the occasional second barcode.
const std::string& seriesImage() {
    static const std::string image = [] {
        TStoreCursor cursor;
        CreateEmptyTable(cursor, SeriesFieldDefs());
        for (int i = 0; i < kRecords; ++i) {
            TStoreValues values = cursor.NewValues();
            cursor.SetString(values, 0, std::to_string(5991234000000LL + i));
            cursor.SetInteger(values, 1, 1);
            if (i % 10 == 0) {
                cursor.SetString(values, 2, std::to_string(4006381000000LL + i));
                cursor.SetInteger(values, 3, 2);
            }
            cursor.AppendRecord(std::move(values));
        }
        std::string bytes;
        cursor.WriteToStream(bytes);
        return bytes;
    }();
    return image;
}

void setCounters(benchmark::State& state, std::size_t bytes) {
    state.counters["records/s"] = benchmark::Counter(
        static_cast<double>(kRecords) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_LoadFromImage(benchmark::State& state) {
    const std::string& image = seriesImage();
    for (auto _ : state) {
        TStoreCursor cursor;
        std::string reason;
        benchmark::DoNotOptimize(cursor.ReadFromStream(image, reason));
    }
    setCounters(state, image.size());
}
BENCHMARK(BM_LoadFromImage)->Unit(benchmark::kMillisecond);

void BM_SaveToImage(benchmark::State& state) {
    TStoreCursor cursor;
    std::string reason;
    cursor.ReadFromStream(seriesImage(), reason);
    std::string image;
    for (auto _ : state) {
        cursor.WriteToStream(image, {},
                             static_cast<std::size_t>(cursor.RecordCount()) *
                                 static_cast<std::size_t>(cursor.RecordSize()) * 5);
        benchmark::DoNotOptimize(image.data());
    }
    setCounters(state, image.size());
}
BENCHMARK(BM_SaveToImage)->Unit(benchmark::kMillisecond);

std::string benchFile() {
    return (std::filesystem::temp_directory_path() / ("etikor_bench_" + std::to_string(::getpid()) + ".sor"))
        .string();
}

void BM_LoadFile(benchmark::State& state) {
    const std::string path = benchFile();
    SaveImageToFile(path, seriesImage());
    for (auto _ : state) {
        std::string bytes;
        ReadWholeFile(path, bytes);
        TStoreCursor cursor;
        std::string reason;
        benchmark::DoNotOptimize(cursor.ReadFromStream(bytes, reason));
    }
    setCounters(state, seriesImage().size());
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole save: image in memory, temporary file, fsync, rename.
void BM_SaveFile(benchmark::State& state) {
    TStoreCursor cursor;
    std::string reason;
    cursor.ReadFromStream(seriesImage(), reason);
    const std::string path = benchFile();
    for (auto _ : state)
        SaveCursorToFile(cursor, path);
    setCounters(state, seriesImage().size());
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// Heap bytes in use, mapped blocks included.
std::size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Heap bytes held by a loaded table, relative to its file size (target: at most 2 × file size
// plus a small constant per record).
void BM_LoadedMemory(benchmark::State& state) {
    const std::string& image = seriesImage();
    double held = 0;
    for (auto _ : state) {
        malloc_trim(0);
        const std::size_t before = heapInUse();
        TStoreCursor cursor;
        std::string reason;
        cursor.ReadFromStream(image, reason);
        const std::size_t after = heapInUse();
        held = static_cast<double>(after - before);
        benchmark::DoNotOptimize(cursor.RecordCount());
    }
    state.counters["file_bytes"] = static_cast<double>(image.size());
    state.counters["memory_bytes"] = held;
    state.counters["memory/file"] = held / static_cast<double>(image.size());
    state.counters["bytes/record_over_2x_file"] =
        (held - 2.0 * static_cast<double>(image.size())) / static_cast<double>(kRecords);
}
BENCHMARK(BM_LoadedMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
