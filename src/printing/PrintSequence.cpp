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
    FOwn.push_back(std::move(values));
    FOrder.push_back(-static_cast<int32_t>(FOwn.size()));
    if (Active())
        Resync(CurrentIndex() < 0 ? 0 : CurrentIndex());
}

void TPrintSequence::KeepPlaces(int from, int count, int blanks) {
    const bool wasActive = Active();
    Close();
    const size_t begin = std::min(static_cast<size_t>(std::max(from, 0)), FOrder.size());
    const size_t end = std::min(begin + static_cast<size_t>(std::max(count, 0)), FOrder.size());
    std::vector<int32_t> kept(FOrder.begin() + static_cast<std::ptrdiff_t>(begin),
                              FOrder.begin() + static_cast<std::ptrdiff_t>(end));
    FOrder.clear();
    for (int i = 0; i < blanks; ++i)
        AddBlank();
    FOrder.insert(FOrder.end(), kept.begin(), kept.end());
    if (wasActive)
        Open();
}

TVariant TPrintSequence::ReadField(TRecordRef record, const TField& field) const {
    const int32_t place = *static_cast<const int32_t*>(record);
    const size_t index = static_cast<size_t>(field.DataIndex());
    if (place < 0)
        return FOwn[static_cast<size_t>(-place - 1)][index];
    return FSource->ValueAt(place, *FSourceFields[index]);
}

std::unique_ptr<TPrintSequence> TPrintSequence::FromDataSet(TDataSet& source, int skip, int copies) {
    TFieldDefs defs;
    std::vector<const TField*> fields;
    for (int i = 0; i < source.FieldCount(); ++i) {
        const TField& field = source.Fields(i);
        if (field.Calculated())
            continue;
        defs.push_back({field.FieldName(), field.DataType(), field.Size()});
        fields.push_back(&field);
    }
    auto sequence = std::make_unique<TPrintSequence>(std::move(defs));
    for (int i = 0; i < skip; ++i)
        sequence->AddBlank();
    if (source.Active()) {
        sequence->FSource = &source;
        sequence->FSourceFields = std::move(fields);
        const int records = source.RecordCount();
        const int each = std::max(copies, 0);
        sequence->FOrder.reserve(sequence->FOrder.size() +
                                 static_cast<size_t>(records) * static_cast<size_t>(each));
        for (int record = 0; record < records; ++record)
            for (int c = 0; c < each; ++c)
                sequence->FOrder.push_back(record);
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
    std::vector<int32_t>& order = sequence->FOrder;
    if (!sequence->FSourceFields.empty() && order.size() > blanks) {
        sequence->Close();
        // Each key read once, not once a comparison; by the source's record.
        std::vector<TVariant> keys(static_cast<size_t>(source.RecordCount()));
        for (size_t record = 0; record < keys.size(); ++record)
            keys[record] = source.ValueAt(static_cast<int>(record), *sequence->FSourceFields.front());
        std::stable_sort(order.begin() + static_cast<std::ptrdiff_t>(blanks), order.end(),
                         [&](int32_t a, int32_t b) {
                             return ValueLess(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)]);
                         });
        sequence->Open();
    }
    return sequence;
}

} // namespace etikor
