#pragma once

// The records of one print run, in print order: blank places first, then the records of the
// data source, each as often as it is to print. The source's records are not copied: the
// sequence holds where each one is in the source's view (four bytes a label) and reads its
// values there without moving the source's current record, so a run of a million labels costs
// no second copy of its data. The source must therefore stay open and unchanged while the
// sequence is used; it is never written (a linked workbook stays as it is).

#include "data/DataSet.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace etikor {

class TPrintSequence final : public TDataSet {
public:
    explicit TPrintSequence(TFieldDefs defs);
    ~TPrintSequence() override;

    const TFieldDefs& Defs() const { return FDefs; }
    // A blank place: " " in the first field when it is a string field, null otherwise.
    void AddBlank();
    // One record of its own, values by field position (missing ones are null).
    void AddRecord(std::vector<TVariant> values);

    // The structure of `source`, `skip` blank places (none for 0 or less), then every record
    // of `source` from its first, in its order, `copies` times each (next to each other). The
    // source is left on its first record.
    static std::unique_ptr<TPrintSequence> FromDataSet(TDataSet& source, int skip, int copies = 1);
    // The sequence of a linked worksheet: `skip` blank places, then the records of `source`
    // in ascending order of its first field (nulls first, ties in the source's order).
    static std::unique_ptr<TPrintSequence> OrderedByFirstField(TDataSet& source, int skip);

    // Keeps only the places `from` to `from + count - 1` (from 0), after `blanks` new blank
    // places; the sequence is left on its first place.
    void KeepPlaces(int from, int count, int blanks);

protected:
    void InternalOpen() override;
    void InternalClose() override {}
    int ViewCount() const override { return static_cast<int>(FOrder.size()); }
    TRecordRef ViewRecord(int index) const override { return &FOrder[static_cast<size_t>(index)]; }
    TVariant ReadField(TRecordRef record, const TField& field) const override;

private:
    TFieldDefs FDefs;
    // Per place: a record of the source's view (0 and up), or one of the sequence's own
    // records (-1 for the first, -2 for the second, ...).
    std::vector<int32_t> FOrder;
    std::vector<std::vector<TVariant>> FOwn;
    TDataSet* FSource = nullptr;
    std::vector<const TField*> FSourceFields; // by the sequence's field position
};

} // namespace etikor
