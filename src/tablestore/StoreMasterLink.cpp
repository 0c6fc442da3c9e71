#include "tablestore/StoreMasterLink.h"

#include "tablestore/StoreDataset.h"

#include <algorithm>

namespace etikor {

std::vector<TField*> TStoreMasterLink::MasterFieldList() const {
    TDataSet* master = DataSet();
    if (!master || !master->Active() || FDetail.MasterFields().empty())
        return {};
    return master->GetFieldList(FDetail.MasterFields());
}

void TStoreMasterLink::Update() {
    TDataSet* master = DataSet();
    if (master && master->State() == TDataSetState::dsSetKey)
        return;
    if (FDetail.Active())
        FDetail.ApplyMasterRange(true);
}

void TStoreMasterLink::ActiveChanged() {
    Update();
}

void TStoreMasterLink::LayoutChanged() {
    Update();
}

void TStoreMasterLink::CurrentChanged() {
    Update();
}

void TStoreMasterLink::DataSetChanged() {
    Update();
}

void TStoreMasterLink::RecordChanged(const TField* field) {
    if (!field) {
        Update();
        return;
    }
    std::vector<TField*> masters = MasterFieldList();
    if (std::find(masters.begin(), masters.end(), field) != masters.end())
        Update();
}

} // namespace etikor
