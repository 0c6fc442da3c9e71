// Costs of the table engine that grew faster than the records: deleting every record (from the
// first, the last or the middle), CopyFrom updating by a unique key, reading every field of a
// record with very many text fields, and the memory an open takes of hostile files (target:
// peak under 20 x the file size + 50 MB).

#include "data/FormatSettings.h"
#include "tablestore/StoreCursor.h"
#include "tablestore/StoreFormat.h"
#include "tablestore/StoreTable.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <malloc.h>
#include <string>

namespace etikor {
namespace {

const TFieldDefs kSeries = {{"Vonalkod1", TFieldType::ftString, 128}, {"Tipus1", TFieldType::ftInteger, 0}};

void Fill(TStoreTable& table, int count, int step = 1) {
    table.SetTableName("");
    table.FieldDefs = kSeries;
    table.Open();
    TField& code = table.FieldByName("Vonalkod1");
    TField& type = table.FieldByName("Tipus1");
    table.DisableControls();
    for (int i = 0; i < count; ++i) {
        table.Append();
        code.SetAsString(std::to_string(5990000000000LL + static_cast<long long>(i) * step));
        type.SetAsInteger(i % 15);
        table.Post();
    }
    table.EnableControls();
    table.CommitChanges();
}

enum class Where { First, Last, Middle };

void DeleteAll(benchmark::State& state, Where where) {
    SetFormatSettings(TFormatSettings::Invariant());
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        TStoreTable table;
        Fill(table, count);
        table.DisableControls();
        state.ResumeTiming();
        while (table.RecordCount() > 0) {
            switch (where) {
            case Where::First:
                table.First();
                break;
            case Where::Last:
                table.Last();
                break;
            case Where::Middle:
                table.SetRecNo(table.RecordCount() / 2 + 1);
                break;
            }
            table.Delete();
        }
        state.PauseTiming();
        table.EnableControls();
        table.Close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.SetComplexityN(count);
}

void BM_DeleteAllFromFirst(benchmark::State& state) {
    DeleteAll(state, Where::First);
}
void BM_DeleteAllFromLast(benchmark::State& state) {
    DeleteAll(state, Where::Last);
}
void BM_DeleteAllFromMiddle(benchmark::State& state) {
    DeleteAll(state, Where::Middle);
}
BENCHMARK(BM_DeleteAllFromFirst)
    ->Arg(100000)
    ->Arg(300000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_DeleteAllFromLast)
    ->Arg(100000)
    ->Arg(300000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_DeleteAllFromMiddle)
    ->Arg(100000)
    ->Arg(300000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Mode 1 of CopyFrom: every source record updates the record with its key or is appended. Half
// of the 100,000 source keys are in the 50,000-record table already.
void BM_CopyFromUniqueFields(benchmark::State& state) {
    SetFormatSettings(TFormatSettings::Invariant());
    const int sourceCount = static_cast<int>(state.range(0));
    TStoreTable source;
    Fill(source, sourceCount);
    for (auto _ : state) {
        state.PauseTiming();
        TStoreTable table;
        Fill(table, sourceCount / 2, 2); // every other key of the source
        table.UniqueFieldNames = "Vonalkod1";
        state.ResumeTiming();
        benchmark::DoNotOptimize(table.CopyFrom(&source, 1));
        state.PauseTiming();
        if (table.RecordCount() != sourceCount / 2 + sourceCount / 2)
            state.SkipWithError("wrong record count after the copy");
        if (!table.LastCopyIndexed())
            state.SkipWithError("the copy did not use its key index");
        table.Close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * sourceCount);
    state.SetComplexityN(sourceCount);
}
BENCHMARK(BM_CopyFromUniqueFields)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

template <typename T>
void append(std::string& out, T value) {
    char raw[sizeof value];
    std::memcpy(raw, &value, sizeof value);
    out.append(raw, sizeof value);
}

// A table image with the given descriptors and record bytes.
std::string Image(int32_t records, int32_t fields, const std::string& descriptors, const std::string& rest) {
    const std::string section = descriptors + '\x14';
    std::string image;
    append<int32_t>(image, static_cast<int32_t>(17 + section.size() + rest.size()));
    image += 'S';
    append<int32_t>(image, records);
    append<int32_t>(image, fields);
    append<int32_t>(image, static_cast<int32_t>(section.size()));
    return image + section + rest;
}

// One record of `fields` string fields of one character each (a crafted 1.4 MB file holds
// 160,000 of them); reading it and every field must be linear in the fields.
void BM_ReadManyStringFields(benchmark::State& state) {
    const int fields = static_cast<int>(state.range(0));
    std::string descriptors, lengths(static_cast<std::size_t>(fields), '\x04'), values;
    for (int i = 0; i < fields; ++i) {
        descriptors += "A s40\x12";
        append<int32_t>(values, 1);
        values += 'x';
    }
    const std::string image = Image(1, fields, descriptors, lengths + values);
    for (auto _ : state) {
        TStoreCursor cursor;
        std::string reason;
        cursor.ReadFromStream(image, reason);
        std::size_t total = 0;
        for (int i = 0; i < cursor.FieldCount(); ++i)
            total += cursor.GetString(cursor.Records()[0]->Values, i).size();
        if (total != static_cast<std::size_t>(fields))
            state.SkipWithError("values not read back");
    }
    state.counters["file_MB"] = static_cast<double>(image.size()) / 1e6;
    state.SetComplexityN(fields);
}
BENCHMARK(BM_ReadManyStringFields)
    ->Arg(40000)
    ->Arg(160000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

std::size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Heap held by a table opened as the program opens it (a dataset on the file's image) and by
// the store's cursor alone, against the target of 20 x the file size + 50 MB.
void MeasureOpen(benchmark::State& state, const std::string& image) {
    double dataset = 0, cursorOnly = 0, refused = 0;
    for (auto _ : state) {
        malloc_trim(0);
        std::size_t before = heapInUse();
        {
            TStoreCursor cursor;
            std::string reason;
            cursor.ReadFromStream(image, reason);
            cursorOnly = static_cast<double>(heapInUse() - before);
        }
        malloc_trim(0);
        before = heapInUse();
        {
            TStoreTable table;
            try {
                table.LoadFromStream(image);
            } catch (const EDatabaseError&) {
                refused = 1; // a dataset takes no table with this many fields
            }
            dataset = static_cast<double>(heapInUse() - before);
        }
    }
    const double file = static_cast<double>(image.size());
    const double target = 20 * file + 50e6;
    state.counters["file_MB"] = file / 1e6;
    state.counters["dataset_MB"] = dataset / 1e6;
    state.counters["cursor_MB"] = cursorOnly / 1e6;
    state.counters["target_MB"] = target / 1e6;
    state.counters["dataset/target"] = dataset / target;
    state.counters["dataset_refused"] = refused;
}

// 2,000,000 short field descriptors and no records (6 MB).
void BM_OpenMemoryManyFields(benchmark::State& state) {
    std::string descriptors;
    for (int i = 0; i < 2000000; ++i)
        descriptors += " 1\x12";
    MeasureOpen(state, Image(0, 2000000, descriptors, {}));
}
BENCHMARK(BM_OpenMemoryManyFields)->Unit(benchmark::kMillisecond)->Iterations(1);

// 5,000,000 one-byte records of one integer field (5 MB).
void BM_OpenMemoryManyRecords(benchmark::State& state) {
    MeasureOpen(state, Image(5000000, 1, "XXX.A i\x12", std::string(5000000, '\0')));
}
BENCHMARK(BM_OpenMemoryManyRecords)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace etikor
