#pragma once

// A data link to one field of its dataset, the base of every data-aware control that shows one
// value (an edit, an on-screen barcode). The control is told when the shown value may have
// changed and when the dataset enters or leaves editing; it reads the field through Field().

#include "data/DataSet.h"

#include <functional>
#include <string>

namespace etikor {

class TFieldDataLink : public TDataLink {
public:
    TFieldDataLink() = default;
    ~TFieldDataLink() override;

    const std::string& FieldName() const { return FFieldName; }
    void SetFieldName(std::string name);
    // The linked field of the open dataset; null when inactive or when there is no such field.
    TField* Field() const;
    // The dataset is in edit or insert state.
    bool Editing() const;

    // Another record, new data in the record or in the dataset, opened or closed: the value to
    // show may differ.
    std::function<void()> OnDataChange;
    // The dataset entered or left editing.
    std::function<void()> OnEditingChange;

protected:
    void ActiveChanged() override;
    void LayoutChanged() override;
    void CurrentChanged() override;
    void DataSetChanged() override;
    void RecordChanged(const TField* field) override;
    void StateChanged() override;

private:
    void DataChange();
    std::string FFieldName;
    bool FEditing = false;
};

} // namespace etikor
