#include "series/tables/SeriesTables.h"

#include <string>

namespace etikor {

using enum TFieldType;

namespace {

std::string Name(std::string_view name) {
    return std::string(name);
}

} // namespace

const TFieldDefs& SeriesFieldDefs() {
    static const TFieldDefs defs = {
        {Name(kSeriesValueField), ftString, kVonalkodSize},
        {Name(kSeriesTypeField), ftInteger, 0},
        {Name(kSeriesValue2Field), ftString, kVonalkodSize},
        {Name(kSeriesType2Field), ftInteger, 0},
        {Name(kSeriesValue3Field), ftString, kVonalkodSize},
        {Name(kSeriesType3Field), ftInteger, 0},
        {Name(kSeriesLinkedField), ftBoolean, 0},
        {Name(kSeriesLinkedSheetField), ftString, kOdbcTblSize},
    };
    return defs;
}

const TFieldDefs& DefinitionFieldDefs() {
    static const TFieldDefs defs = {
        {Name(kSegmentIdField), ftInteger, 0},   {Name(kSegmentLengthField), ftInteger, 0},
        {Name(kSegmentKindField), ftString, 1},  {Name(kSegmentCountsField), ftBoolean, 0},
        {Name(kSegmentStepField), ftInteger, 0}, {Name(kSegmentStartField), ftString, 200},
        {Name(kSegmentEndField), ftString, 200}, {Name(kSegmentBarcodeTypeField), ftInteger, 0},
        {Name(kSegmentAiField), ftString, 4},
    };
    return defs;
}

} // namespace etikor
