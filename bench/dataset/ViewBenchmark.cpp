// The view of a store table: rebuilding it with a sort on a string key, and locating on the
// sort key by binary search (sorted view) and by linear scan (after a post).

#include "data/FormatSettings.h"
#include "document/DataModule.h"
#include "tablestore/StoreTable.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace etikor {
namespace {

// 13-digit barcodes in random order.
std::vector<std::string> Barcodes(int count) {
    std::mt19937_64 random(42);
    std::vector<std::string> codes;
    codes.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        codes.push_back(std::to_string(5990000000000ULL + random() % 9999999999ULL));
    return codes;
}

// A series table of `count` records, sorted on Vonalkod1.
void FillSeries(TStoreTable& table, const std::vector<std::string>& codes) {
    table.FieldDefs = SeriesFieldDefs();
    table.Open();
    TField& code = table.FieldByName("Vonalkod1");
    TField& type = table.FieldByName("Tipus1");
    table.DisableControls();
    for (const std::string& value : codes) {
        table.Append();
        code.SetAsString(value);
        type.SetAsInteger(2);
        table.Post();
    }
    table.EnableControls();
    table.CommitChanges();
    table.SetIndexFieldNames("Vonalkod1");
}

void BM_RebuildViewStringKey(benchmark::State& state) {
    SetFormatSettings(TFormatSettings::Invariant());
    TStoreTable table;
    FillSeries(table, Barcodes(static_cast<int>(state.range(0))));
    for (auto _ : state)
        table.RebuildView(false);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RebuildViewStringKey)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LocateBinarySearch(benchmark::State& state) {
    SetFormatSettings(TFormatSettings::Invariant());
    std::vector<std::string> codes = Barcodes(static_cast<int>(state.range(0)));
    TStoreTable table;
    FillSeries(table, codes);
    size_t next = 0;
    for (auto _ : state) {
        bool found = table.Locate("Vonalkod1", TVariant(codes[next]), 0);
        benchmark::DoNotOptimize(found);
        next = (next + 7919) % codes.size();
    }
    if (table.LastSearchPath() != TStoreSearchPath::Binary)
        state.SkipWithError("not on the binary-search path");
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LocateBinarySearch)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity(benchmark::oLogN);

void BM_LocateLinearScan(benchmark::State& state) {
    SetFormatSettings(TFormatSettings::Invariant());
    std::vector<std::string> codes = Barcodes(static_cast<int>(state.range(0)));
    TStoreTable table;
    FillSeries(table, codes);
    table.First();
    table.Edit(); // a post leaves the view unsorted: searches scan
    table.Post();
    size_t next = 0;
    for (auto _ : state) {
        bool found = table.Locate("Vonalkod1", TVariant(codes[next]), 0);
        benchmark::DoNotOptimize(found);
        next = (next + 7919) % codes.size();
    }
    if (table.LastSearchPath() != TStoreSearchPath::Linear)
        state.SkipWithError("not on the scan path");
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LocateLinearScan)
    ->Arg(1000)
    ->Arg(100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace etikor
