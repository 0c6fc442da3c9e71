#pragma once

// The layouts of the series files and the names of their fields: the series data `T1`
// (".sor", one record per label value) and the series definition `M1` (".vks", one record per
// segment of a generated value). The data module opens both and the shipped-files step creates
// them, so this part sits below the document layer; the series logic above it reads and writes
// the records through these names.

#include "data/FieldTypes.h"

#include <string_view>

namespace etikor {

// ---- `T1`: series data ----------------------------------------------------------------------

// Declared size of a value field: a value fits the template's stored value (128 characters).
inline constexpr int kVonalkodSize = 128;
inline constexpr int kOdbcTblSize = 255;

// The label value and its barcode type index (the designer's list position). The second and
// third pairs are kept empty by everything the program writes.
inline constexpr std::string_view kSeriesValueField = "Vonalkod1";
inline constexpr std::string_view kSeriesTypeField = "Tipus1";
inline constexpr std::string_view kSeriesValue2Field = "Vonalkod2";
inline constexpr std::string_view kSeriesType2Field = "Tipus2";
inline constexpr std::string_view kSeriesValue3Field = "Vonalkod3";
inline constexpr std::string_view kSeriesType3Field = "Tipus3";
// On the first record: whether the series was last used with a linked worksheet, and which.
inline constexpr std::string_view kSeriesLinkedField = "ODBC";
inline constexpr std::string_view kSeriesLinkedSheetField = "ODBC_tbl";

// Vonalkod1, Tipus1, Vonalkod2, Tipus2, Vonalkod3, Tipus3, ODBC, ODBC_tbl.
const TFieldDefs& SeriesFieldDefs();

// ---- `M1`: series definition -----------------------------------------------------------------

inline constexpr std::string_view kSegmentIdField = "Azon";
inline constexpr std::string_view kSegmentLengthField = "Hossz";
inline constexpr std::string_view kSegmentKindField = "Tipus";
inline constexpr std::string_view kSegmentCountsField = "Szamlalo";
inline constexpr std::string_view kSegmentStepField = "Szorzo";
inline constexpr std::string_view kSegmentStartField = "Ertek1";
inline constexpr std::string_view kSegmentEndField = "Ertek2";
inline constexpr std::string_view kSegmentBarcodeTypeField = "Vktip";
inline constexpr std::string_view kSegmentAiField = "AI";

// Azon, Hossz, Tipus, Szamlalo, Szorzo, Ertek1, Ertek2, Vktip, AI.
const TFieldDefs& DefinitionFieldDefs();

} // namespace etikor
