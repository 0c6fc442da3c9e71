#pragma once

// A small in-memory dataset for the framework tests: rows of variants, editable, with the
// filter hook applied when the view is built.

#include "data/DataSet.h"

#include <memory>
#include <vector>

namespace etikor::test {

class MemDataSet : public TDataSet {
public:
    TFieldDefs Defs;
    std::vector<std::vector<TVariant>> Rows; // storage; the view holds row indices

    explicit MemDataSet(TFieldDefs defs, std::vector<std::vector<TVariant>> rows = {})
        : Defs(std::move(defs)), Rows(std::move(rows)) {}
    ~MemDataSet() override { Close(); }

    void RebuildView() {
        FView.clear();
        for (size_t i = 0; i < Rows.size(); ++i)
            if (!FDeleted[i] && FilterRecord(&FDeleted[i]))
                FView.push_back(i);
        Resync(0);
    }

protected:
    void InternalOpen() override {
        FDeleted.assign(Rows.size() + 1000, 0); // stable addresses as record identities
        BindFields(Defs);
        FView.clear();
        for (size_t i = 0; i < Rows.size(); ++i)
            if (FilterRecord(&FDeleted[i]))
                FView.push_back(i);
    }
    void InternalClose() override { FView.clear(); }
    int ViewCount() const override { return static_cast<int>(FView.size()); }
    TRecordRef ViewRecord(int index) const override { return &FDeleted[FView[static_cast<size_t>(index)]]; }
    TVariant ReadField(TRecordRef record, const TField& field) const override {
        size_t row = static_cast<const char*>(record) - FDeleted.data();
        return Rows[row][static_cast<size_t>(field.DataIndex())];
    }
    bool InternalCanModify() const override { return true; }
    int InternalPost(bool inserting, int index) override {
        if (inserting) {
            Rows.push_back(EditValues());
            FView.push_back(Rows.size() - 1);
            return ViewCount() - 1;
        }
        Rows[FView[static_cast<size_t>(index)]] = EditValues();
        return index;
    }
    void InternalDelete(int index) override {
        FDeleted[FView[static_cast<size_t>(index)]] = 1;
        FView.erase(FView.begin() + index);
    }
    void FilterChanged() override { RebuildView(); }

private:
    std::vector<char> FDeleted;
    std::vector<size_t> FView;
};

// Records every notification a data link receives, as letters: A active, L layout,
// C current, D dataset, R record, S state.
class RecordingLink : public TDataLink {
public:
    std::string Events;

protected:
    void ActiveChanged() override { Events += 'A'; }
    void LayoutChanged() override { Events += 'L'; }
    void CurrentChanged() override { Events += 'C'; }
    void DataSetChanged() override { Events += 'D'; }
    void RecordChanged(const TField*) override { Events += 'R'; }
    void StateChanged() override { Events += 'S'; }
};

} // namespace etikor::test
