#include "data/FieldDataLink.h"

namespace etikor {

TFieldDataLink::~TFieldDataLink() {
    // The owner's handlers may already be gone; nothing is told while detaching.
    OnDataChange = nullptr;
    OnEditingChange = nullptr;
    SetDataSource(nullptr);
}

void TFieldDataLink::SetFieldName(std::string name) {
    if (name == FFieldName)
        return;
    FFieldName = std::move(name);
    DataChange();
}

TField* TFieldDataLink::Field() const {
    if (!Active() || FFieldName.empty())
        return nullptr;
    return DataSet()->FindField(FFieldName);
}

bool TFieldDataLink::Editing() const {
    if (!Active())
        return false;
    const TDataSetState state = DataSet()->State();
    return state == TDataSetState::dsEdit || state == TDataSetState::dsInsert;
}

void TFieldDataLink::DataChange() {
    if (OnDataChange)
        OnDataChange();
}

void TFieldDataLink::ActiveChanged() {
    StateChanged();
    DataChange();
}

void TFieldDataLink::LayoutChanged() {
    DataChange();
}

void TFieldDataLink::CurrentChanged() {
    DataChange();
}

void TFieldDataLink::DataSetChanged() {
    DataChange();
}

void TFieldDataLink::RecordChanged(const TField* field) {
    if (!field || field == Field())
        DataChange();
}

void TFieldDataLink::StateChanged() {
    const bool editing = Editing();
    if (editing == FEditing)
        return;
    FEditing = editing;
    if (OnEditingChange)
        OnEditingChange();
}

} // namespace etikor
