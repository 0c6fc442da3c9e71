#include "printing/PrintSequence.h"

#include "tablestore/StoreKeys.h"

#include <algorithm>

namespace etikor {

TPrintSequence::TPrintSequence(TFieldDefs defs) : FDefs(std::move(defs)) {}

TPrintSequence::~TPrintSequence() {
    Close();
}

void TPrintSequence::InternalOpen() {
    BindFields(FDefs);
}

void TPrintSequence::AddBlank() {
    std::vector<TVariant> row(FDefs.size());
    if (!FDefs.empty() && FDefs.front().DataType == TFieldType::ftString)
        row.front() = TVariant(" ");
    AddRecord(std::move(row));
}

void TPrintSequence::AddRecord(std::vector<TVariant> values) {
    values.resize(FDefs.size());
    FRows.push_back(std::move(values));
    if (Active())
        Resync(CurrentIndex() < 0 ? 0 : CurrentIndex());
}

TVariant TPrintSequence::ReadField(TRecordRef record, const TField& field) const {
    const auto& row = *static_cast<const std::vector<TVariant>*>(record);
    return row[static_cast<size_t>(field.DataIndex())];
}

std::unique_ptr<TPrintSequence> TPrintSequence::FromDataSet(TDataSet& source, int skip, int copies) {
    TFieldDefs defs;
    std::vector<TField*> fields;
    for (int i = 0; i < source.FieldCount(); ++i) {
        TField& field = source.Fields(i);
        if (field.Calculated())
            continue;
        defs.push_back({field.FieldName(), field.DataType(), field.Size()});
        fields.push_back(&field);
    }
    auto sequence = std::make_unique<TPrintSequence>(std::move(defs));
    for (int i = 0; i < skip; ++i)
        sequence->AddBlank();
    if (source.Active()) {
        sequence->FRows.reserve(sequence->FRows.size() + static_cast<size_t>(source.RecordCount()) *
                                                             static_cast<size_t>(std::max(copies, 0)));
        for (source.First(); !source.Eof(); source.Next()) {
            std::vector<TVariant> row;
            row.reserve(fields.size());
            for (TField* field : fields)
                row.push_back(field->IsNull() ? TVariant() : field->Value());
            for (int c = 0; c < copies; ++c)
                sequence->FRows.push_back(row);
        }
        source.First();
    }
    sequence->Open();
    return sequence;
}

namespace {
// Ascending order of one value: null first, numbers by value, texts by the table store's
// collation.
bool ValueLess(const TVariant& a, const TVariant& b) {
    if (a.IsNull() || b.IsNull())
        return a.IsNull() && !b.IsNull();
    if (a.IsNumeric() && b.IsNumeric())
        return a.ToDouble() < b.ToDouble();
    if (a.Type() == TVarType::varDate && b.Type() == TVarType::varDate)
        return a.ToDateTime() < b.ToDateTime();
    return CompareTextCI(a.ToString(), b.ToString()) < 0;
}
} // namespace

std::unique_ptr<TPrintSequence> TPrintSequence::OrderedByFirstField(TDataSet& source, int skip) {
    std::unique_ptr<TPrintSequence> sequence = FromDataSet(source, skip);
    const size_t blanks = static_cast<size_t>(std::max(skip, 0));
    if (!sequence->FDefs.empty() && sequence->FRows.size() > blanks) {
        sequence->Close();
        std::stable_sort(sequence->FRows.begin() + static_cast<std::ptrdiff_t>(blanks), sequence->FRows.end(),
                         [](const auto& a, const auto& b) { return ValueLess(a.front(), b.front()); });
        sequence->Open();
    }
    return sequence;
}

} // namespace etikor
