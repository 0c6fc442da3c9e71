#include "barcode/ui/DBEanLink.h"

#include "data/FieldDataLink.h"

namespace etikor {

struct TDBEanLink::Impl {
    TFieldDataLink Link;
    std::function<void(const std::string&)> OnValue;
};

TDBEanLink::TDBEanLink(std::function<void(const std::string&)> onValue) : F(std::make_unique<Impl>()) {
    F->OnValue = std::move(onValue);
    F->Link.OnDataChange = [this] { Refresh(); };
}

void TDBEanLink::Refresh() {
    if (!F->Link.OnDataChange)
        return; // detached
    if (const TField* field = F->Link.Field())
        F->OnValue(field->AsString());
}

TDBEanLink::~TDBEanLink() {
    Detach();
}

TDataSource* TDBEanLink::DataSource() const {
    return F->Link.DataSource();
}

void TDBEanLink::SetDataSource(TDataSource* source) {
    F->Link.SetDataSource(source);
}

const std::string& TDBEanLink::FieldName() const {
    return F->Link.FieldName();
}

void TDBEanLink::SetFieldName(std::string name) {
    F->Link.SetFieldName(std::move(name));
}

void TDBEanLink::Detach() {
    F->Link.OnDataChange = nullptr;
    F->Link.SetDataSource(nullptr);
}

} // namespace etikor
