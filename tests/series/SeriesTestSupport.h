#pragma once

// Definitions written compactly for the series tests.

#include "data/Cp1250.h"
#include "document/DataModule.h"
#include "series/SeriesSegments.h"
#include "tablestore/StoreTable.h"

#include <string>
#include <vector>

namespace etikor::test {

// One definition row: type letter, length, step, first and last value (UTF-8).
struct SegmentRow {
    const char* Tipus;
    int Hossz;
    int Szorzo;
    std::string Ertek1;
    std::string Ertek2 = {};
};
using SegmentRows = std::vector<SegmentRow>;

// Appends the rows to an open definition table.
inline void AppendSegments(TStoreTable& m1, const SegmentRows& rows) {
    for (const SegmentRow& r : rows) {
        m1.Append();
        m1.FieldByName("Azon").SetAsInteger(1);
        m1.FieldByName("Hossz").SetAsInteger(r.Hossz);
        m1.FieldByName("Tipus").SetAsString(r.Tipus);
        m1.FieldByName("Szamlalo").SetAsBoolean(!r.Ertek2.empty());
        m1.FieldByName("Szorzo").SetAsInteger(r.Szorzo);
        m1.FieldByName("Ertek1").SetAsString(Utf8ToCp1250(r.Ertek1));
        m1.FieldByName("Ertek2").SetAsString(Utf8ToCp1250(r.Ertek2));
        m1.FieldByName("Vktip").SetAsInteger(5);
        m1.Post();
    }
}

// The segment array of a definition with these rows, read as generation reads it.
inline std::vector<TSeriesSegment> Segments(const SegmentRows& rows) {
    TStoreTable m1;
    m1.Name = "M1";
    m1.FieldDefs = DefinitionFieldDefs();
    m1.Open();
    AppendSegments(m1, rows);
    return BuildSegments(m1);
}

inline std::string Cp(const char* utf8) {
    return Utf8ToCp1250(utf8);
}

} // namespace etikor::test
