#include "document/DataModule.h"

#include "data/Cp1250.h"
#include "data/DataSet.h"
#include "document/TemplateSchema.h"

#include <QtGlobal>
#include <array>

namespace etikor {

using enum TFieldType;

const TFieldDefs& Ean128FieldDefs() {
    static const TFieldDefs defs = {
        {"AI", ftString, 4}, {"Cim", ftString, 120}, {"Formatum", ftString, 12}, {"Maxhossz", ftInteger, 0}};
    return defs;
}

const TFieldDefs& FieldListFieldDefs() {
    static const TFieldDefs defs = {{"Mezo", ftString, 15}, {"Tipus", ftString, 25}, {"Hossz", ftInteger, 0}};
    return defs;
}

const TFieldDefs& SelectionFieldDefs() {
    static const TFieldDefs defs = [] {
        TFieldDefs d = {{"Darab", ftInteger, 0}, {"Szamlalo", ftInteger, 0}};
        for (int i = 1; i <= 6; ++i)
            d.push_back({"Vonalkod" + std::to_string(i), ftString, kNyTempStringSize});
        return d;
    }();
    return defs;
}

const std::vector<TEan128Row>& Ean128Rows() {
    static const std::vector<TEan128Row> rows = [] {
        const struct {
            const char* AI;
            const char* Cim; // UTF-8 here, Windows-1250 in the table; shown translated
            const char* Formatum;
            int Maxhossz;
        } utf8[] = {
            {"00", QT_TRANSLATE_NOOP("Ean128Rows", "Szállítási Egységek Sorszám Kódja (SSCC)"), "n2+n18", 18},
            {"01", QT_TRANSLATE_NOOP("Ean128Rows", "Globális Kereskedelmi Egység Szám (GTIN)"), "n2+n14", 14},
            {"02", QT_TRANSLATE_NOOP("Ean128Rows", "Logisztikai egység tartalmának GTIN-je"), "n2+n14", 14},
            {"10", QT_TRANSLATE_NOOP("Ean128Rows", "Gyártási tételszám"), "n2+an...20", 20},
            {"11", QT_TRANSLATE_NOOP("Ean128Rows", "Gyártás napja (ÉÉHHNN)"), "n2+n6", 6},
            {"15", QT_TRANSLATE_NOOP("Ean128Rows", "Minőségmegőrzési határidő (ÉÉHHNN)"), "n2+n6", 6},
            {"17", QT_TRANSLATE_NOOP("Ean128Rows", "Fogyaszthatósági határidő (ÉÉHHNN)"), "n2+n6", 6},
            {"21", QT_TRANSLATE_NOOP("Ean128Rows", "Gyártási szám"), "n2+an...20", 20},
            {"310X", QT_TRANSLATE_NOOP("Ean128Rows", "Nettó tömeg (kg)"), "n2+n6", 6},
            {"37", QT_TRANSLATE_NOOP("Ean128Rows", "Logisztikai egységben lévő kereskedelmi egységek száma (db)"), "n2+n...8", 8},
            {"401", QT_TRANSLATE_NOOP("Ean128Rows", "Küldeményszám"), "n3+an...30", 30},
            {"420", QT_TRANSLATE_NOOP("Ean128Rows", "Belföldi szállítási cím postai irányítószámmal"), "n3+an...30", 30},
        };
        std::vector<TEan128Row> out;
        for (const auto& r : utf8)
            out.push_back({r.AI, Utf8ToCp1250(r.Cim), r.Formatum, r.Maxhossz});
        return out;
    }();
    return rows;
}

std::string_view FieldTypeName(TFieldType type) {
    static constexpr std::array<std::string_view, 20> names{
        "ftUnknown",  "ftString", "ftSmallint", "ftInteger", "ftWord",     "ftBoolean", "ftFloat",
        "ftCurrency", "ftBCD",    "ftDate",     "ftTime",    "ftDateTime", "ftBytes",   "ftVarBytes",
        "ftAutoInc",  "ftBlob",   "ftMemo",     "ftGraphic", "ftFmtMemo",  "ftLargeint"};
    const auto index = static_cast<size_t>(type);
    return index < names.size() ? names[index] : names[0];
}

std::string FieldListName(std::string_view name) {
    std::string out(name.substr(0, 15));
    out.resize(15, ' ');
    return out;
}

TDM::TDM() {
    Elemek.Name = "Elemek";
    T1.Name = "T1";
    M1.Name = "M1";
    Ean128S.Name = "Ean128S";
    Ean128S.FieldDefs = Ean128FieldDefs();
    ForrasStru.Name = "ForrasStru";
    ForrasStru.FieldDefs = FieldListFieldDefs();
}

TDM::~TDM() = default;

void TDM::FillEan128() {
    if (!Ean128S.Active())
        Ean128S.Open();
    if (Ean128S.RecordCount() <= 1) {
        Ean128S.EmptyTable();
        for (const auto& row : Ean128Rows()) {
            Ean128S.Append();
            Ean128S.FieldByName("AI").SetAsString(row.AI);
            Ean128S.FieldByName("Cim").SetAsString(row.Cim);
            Ean128S.FieldByName("Formatum").SetAsString(row.Formatum);
            Ean128S.FieldByName("Maxhossz").SetAsInteger(row.Maxhossz);
            Ean128S.Post();
        }
    }
    Ean128S.First();
}

void TDM::FillFieldList(TDataSet& source) {
    ForrasStru.Close();
    ForrasStru.Open();
    ForrasStru.EmptyTable();
    if (!source.Active())
        source.Open();
    for (int i = 0; i < source.FieldCount(); ++i) {
        const TField& field = source.Fields(i);
        if (field.Calculated())
            continue;
        ForrasStru.Append();
        ForrasStru.FieldByName("Mezo").SetAsString(FieldListName(field.FieldName()));
        ForrasStru.FieldByName("Tipus").SetAsString(FieldTypeName(field.DataType()));
        ForrasStru.FieldByName("Hossz").SetAsInteger(field.Size());
        ForrasStru.Post();
    }
    ForrasStru.First();
}

std::optional<std::string> TDM::StoredLink() {
    if (!T1.Active() || T1.RecordCount() == 0)
        return std::nullopt;
    T1.First();
    if (!T1.FieldByName(kSeriesLinkedField).AsBoolean())
        return std::nullopt;
    return T1.FieldByName(kSeriesLinkedSheetField).AsString();
}

void TDM::ClearStoredLink() {
    T1.Close();
    T1.Open();
    T1.First();
    if (T1.IsEmpty() || !T1.FieldByName(kSeriesLinkedField).AsBoolean())
        return;
    T1.Edit();
    T1.FieldByName(kSeriesLinkedField).SetAsBoolean(false);
    T1.FieldByName(kSeriesLinkedSheetField).SetAsString("");
    T1.Post();
    T1.SaveTable(T1.FilePath());
}

std::vector<TFieldListEntry> TDM::FieldList() {
    std::vector<TFieldListEntry> entries;
    if (!ForrasStru.Active())
        return entries;
    for (ForrasStru.First(); !ForrasStru.Eof(); ForrasStru.Next())
        entries.push_back({ForrasStru.FieldByName("Mezo").AsString(),
                           ForrasStru.FieldByName("Tipus").AsString(),
                           ForrasStru.FieldByName("Hossz").AsInteger()});
    ForrasStru.First();
    return entries;
}

} // namespace etikor
