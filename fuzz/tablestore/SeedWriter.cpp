// Writes the seed images of the table-reader fuzz target into a folder, built with the store
// itself: the series data and series definition tables, a table of every field kind with a
// note, an empty table and an error image.
// Usage: table_reader_seeds FOLDER

#include "tablestore/StoreCursor.h"
#include "tablestore/StoreFormat.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace etikor;
using FT = TFieldType;

void save(const std::filesystem::path& folder, const char* name, const TStoreCursor& cursor) {
    std::string image;
    cursor.WriteToStream(image);
    std::ofstream(folder / name, std::ios::binary) << image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: table_reader_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);

    TStoreCursor series;
    CreateEmptyTable(series, {{"Vonalkod1", FT::ftString, 128},
                              {"Tipus1", FT::ftInteger, 0},
                              {"Vonalkod2", FT::ftString, 128},
                              {"Tipus2", FT::ftInteger, 0},
                              {"Vonalkod3", FT::ftString, 128},
                              {"Tipus3", FT::ftInteger, 0},
                              {"ODBC", FT::ftBoolean, 0},
                              {"ODBC_tbl", FT::ftString, 255}});
    for (int i = 0; i < 4; ++i) {
        TStoreValues values = series.NewValues();
        series.SetString(values, 0, "599123456789" + std::to_string(i));
        series.SetInteger(values, 1, i);
        if (i == 0) {
            series.SetBoolean(values, 6, true);
            series.SetString(values, 7, "C:\\adat\\munka.xls");
        }
        series.AppendRecord(std::move(values));
    }
    save(folder, "series.sor", series);

    TStoreCursor definition;
    CreateEmptyTable(definition, {{"Azon", FT::ftInteger, 0},
                                  {"Hossz", FT::ftInteger, 0},
                                  {"Tipus", FT::ftString, 1},
                                  {"Szamlalo", FT::ftBoolean, 0},
                                  {"Szorzo", FT::ftInteger, 0},
                                  {"Ertek1", FT::ftString, 200},
                                  {"Ertek2", FT::ftString, 200},
                                  {"Vktip", FT::ftInteger, 0},
                                  {"AI", FT::ftString, 4}});
    TStoreValues segment = definition.NewValues();
    definition.SetInteger(segment, 0, 1);
    definition.SetInteger(segment, 1, 4);
    definition.SetString(segment, 2, "S");
    definition.SetInteger(segment, 4, 1);
    definition.SetString(segment, 5, "(01)");
    definition.SetInteger(segment, 7, 8);
    definition.SetString(segment, 8, "01");
    definition.AppendRecord(std::move(segment));
    save(folder, "definition.vks", definition);

    TStoreCursor kinds;
    CreateEmptyTable(kinds, {{"Small", FT::ftSmallint, 0},
                             {"Int", FT::ftInteger, 0},
                             {"Bool", FT::ftBoolean, 0},
                             {"Dbl", FT::ftFloat, 0},
                             {"Cur", FT::ftCurrency, 0},
                             {"Dat", FT::ftDate, 0},
                             {"Tim", FT::ftTime, 0},
                             {"DT", FT::ftDateTime, 0},
                             {"Auto", FT::ftAutoInc, 0},
                             {"Short", FT::ftString, 35},
                             {"Long", FT::ftString, 300},
                             {"Bin", FT::ftBlob, 0},
                             {"Mem", FT::ftMemo, 0},
                             {"Fmt", FT::ftFmtMemo, 0},
                             {"Pic", FT::ftGraphic, 0},
                             {"Odd type", FT::ftBCD, 0}});
    kinds.Notes = "Seed table";
    for (int i = 0; i < 3; ++i) {
        TStoreValues values = kinds.NewValues();
        kinds.SetInteger(values, 0, -7 * i);
        kinds.SetInteger(values, 1, 100000 * i);
        kinds.SetBoolean(values, 2, i == 1);
        kinds.SetFloat(values, 3, 1.25 * i);
        kinds.SetFloat(values, 4, 99.5);
        kinds.SetInteger(values, 5, 738960 + i);
        kinds.SetInteger(values, 6, 3600000 * i);
        kinds.SetFloat(values, 7, 738960.0 * 86400000 + i);
        kinds.SetInteger(values, 8, i + 1);
        kinds.SetString(values, 9, std::string(static_cast<std::size_t>(i * 10), 'k'));
        kinds.SetString(values, 10, "hosszabb sz\xF6veg " + std::to_string(i));
        kinds.SetString(values, 11, std::string("\0\1\2", 3));
        kinds.SetString(values, 12, "sor1\r\nsor2");
        kinds.SetString(values, 14, "BM");
        kinds.AppendRecord(std::move(values));
    }
    save(folder, "kinds.tbl", kinds);

    TStoreCursor empty;
    CreateEmptyTable(empty, {{"Azon", FT::ftInteger, 0}, {"Tipus", FT::ftString, 1}});
    save(folder, "empty.tbl", empty);

    std::ofstream(folder / "error.tbl", std::ios::binary) << std::string("\x0F\0\0\0EDisk full", 15);
    return 0;
}
