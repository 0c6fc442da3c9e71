// Generating a series into the series file, the files included: a fixed prefix, a 5-digit
// number counter and a 1-character counter. Targets: 100,000 values under 1 s; 200,000 within
// 2.2 times the time of 100,000 (the cost grows linearly).

#include "document/DataModule.h"
#include "series/SeriesGeneration.h"
#include "services/Modal.h"
#include "tablestore/StoreFile.h"
#include "tablestore/StoreFormat.h"
#include "tablestore/StoreTable.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using namespace etikor;

void AddSegment(TStoreTable& m1, const char* kind, int length, const char* from, const char* to) {
    m1.Append();
    m1.FieldByName("Azon").SetAsInteger(1);
    m1.FieldByName("Hossz").SetAsInteger(length);
    m1.FieldByName("Tipus").SetAsString(kind);
    m1.FieldByName("Szorzo").SetAsInteger(1);
    m1.FieldByName("Ertek1").SetAsString(from);
    m1.FieldByName("Ertek2").SetAsString(to);
    m1.Post();
}

// values = 10,000 numbers × 10 or 20 characters.
void BM_GenerateSeries(benchmark::State& state) {
    const int letters = static_cast<int>(state.range(0)) / 10000;
    const std::string lastLetter(1, static_cast<char>('A' + letters - 1));
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "etikor-bench-series";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "s.sor").string();
    SaveImageToFile(path, BuildEmptyTableImage(SeriesFieldDefs()));

    TStoreTable m1, t1;
    m1.FieldDefs = DefinitionFieldDefs();
    m1.Open();
    AddSegment(m1, "K", 6, "HU-LOT", "");
    AddSegment(m1, "S", 5, "00000", "09999");
    AddSegment(m1, "K", 1, "A", lastLetter.c_str());
    t1.SetTableName(path);
    t1.Open();
    TUnattendedModal modal(true);
    TGenerationOptions options;
    int64_t written = 0;
    options.Progress = [](const QString& text) { benchmark::DoNotOptimize(text); };
    for (auto _ : state) {
        const TGenerationResult result = GenerateSeries(m1, t1, modal, options);
        written = result.Written;
    }
    if (written != state.range(0))
        state.SkipWithError("wrong number of values");
    state.counters["values"] = static_cast<double>(written);
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_GenerateSeries)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
