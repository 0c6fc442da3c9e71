#pragma once

// The link of a detail dataset to its master's data source: it re-applies the detail's range
// whenever the master opens, closes, changes its layout, its current record or a master field.

#include "data/DataSet.h"

namespace etikor {

class TStoreDataset;

class TStoreMasterLink : public TDataLink {
public:
    explicit TStoreMasterLink(TStoreDataset& detail) : FDetail(detail) {}
    // The master fields, from the detail's MasterFields (empty when the master is closed).
    std::vector<TField*> MasterFieldList() const;

protected:
    void ActiveChanged() override;
    void LayoutChanged() override;
    void CurrentChanged() override;
    void DataSetChanged() override;
    void RecordChanged(const TField* field) override;

private:
    void Update();
    TStoreDataset& FDetail;
};

} // namespace etikor
