#pragma once

// The data module: the tables several windows share. `Elemek` (the open template's table, read
// and changed through `Template`), `T1` (the series data), `M1` (the series definition), the
// in-memory application identifier table `Ean128S` and the field list `ForrasStru` of the
// current data source. Also the structures of the print scratch tables; the series files'
// layouts are in series/tables.

#include "data/FieldTypes.h"
#include "document/LabelTemplate.h"
#include "series/tables/SeriesTables.h"
#include "tablestore/StoreTable.h"

#include <optional>
#include <string>
#include <string_view>

namespace etikor {

class TDataSet;

// The selection table copies the data source's first six fields as text; a linked worksheet's
// text columns hold up to 255 characters.
inline constexpr int kNyTempStringSize = 255;

// `Ean128S`: AI, Cim, Formatum, Maxhossz.
const TFieldDefs& Ean128FieldDefs();
// `ForrasStru`: Mezo, Tipus, Hossz.
const TFieldDefs& FieldListFieldDefs();
// "nytemp.tmp": Darab, Szamlalo, Vonalkod1 .. Vonalkod6.
const TFieldDefs& SelectionFieldDefs();

// The twelve application identifiers of the EAN-128 helper (texts in Windows-1250).
struct TEan128Row {
    std::string AI;
    std::string Cim;
    std::string Formatum;
    int Maxhossz;
};
const std::vector<TEan128Row>& Ean128Rows();

// One entry of the field list, as `ForrasStru` holds it (Windows-1250 bytes).
struct TFieldListEntry {
    std::string Name; // blank-padded to 15 characters
    std::string Type;
    int Size = 0;
};

// The type name the field list shows ("ftString", "ftInteger", ...).
std::string_view FieldTypeName(TFieldType type);
// A field name blank-padded (or cut) to the 15 characters of `Mezo`.
std::string FieldListName(std::string_view name);

class TDM {
public:
    TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;
    ~TDM();

    TStoreTable Elemek;
    TStoreTable T1;
    TStoreTable M1;
    TStoreTable Ean128S;
    TStoreTable ForrasStru;
    // The open template, decoded from `Elemek`; every window reads and changes it here.
    TLabelTemplate Template{Elemek};

    // The helper's table: kept as it is when it holds more than one row, otherwise emptied and
    // filled with the twelve rows; positioned on the first row.
    void FillEan128();
    // Rebuilds the field list from the fields of `source` (opened when closed), in order.
    void FillFieldList(TDataSet& source);
    // The worksheet the series data was last used with: the first record's `ODBC_tbl` while
    // its `ODBC` flag is set; nullopt otherwise (also for a closed or empty series).
    std::optional<std::string> StoredLink();
    // Reads the series file again and clears that link, writing the file when it changed.
    void ClearStoredLink();
    // The entries of the field list in order.
    std::vector<TFieldListEntry> FieldList();
};

} // namespace etikor
