#include "ui/DataBindings.h"

#include "data/Cp1250Text.h"
#include "data/DataSet.h"
#include "data/ScopeGuard.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>

namespace etikor {

// ---- grid ---------------------------------------------------------------------------------

TDataSetGridBinding::TDataSetGridBinding(QTableView& view, TDataSource& source,
                                         std::vector<TGridColumn> columns)
    : QObject(&view), FView(view) {
    FModel = new TDataSetGridModel(*source.DataSet(), std::move(columns), this);
    FView.setModel(FModel);
    FView.setSelectionBehavior(QAbstractItemView::SelectRows);
    FView.setSelectionMode(QAbstractItemView::SingleSelection);
    FView.setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(FView.selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    RowPicked(current.row());
            });
    SetDataSource(&source);
    SelectCurrent();
}

TDataSetGridBinding::~TDataSetGridBinding() {
    SetDataSource(nullptr);
}

void TDataSetGridBinding::ActiveChanged() {
    Reload();
}

void TDataSetGridBinding::LayoutChanged() {
    Reload();
}

void TDataSetGridBinding::DataSetChanged() {
    Reload();
}

void TDataSetGridBinding::CurrentChanged() {
    SelectCurrent();
}

void TDataSetGridBinding::Reload() {
    if (!FModel)
        return;
    FSyncing = true;
    FModel->Reload();
    FSyncing = false;
    SelectCurrent();
}

void TDataSetGridBinding::SelectCurrent() {
    TDataSet* dataSet = DataSet();
    if (!FModel || !dataSet || !dataSet->Active())
        return;
    const int row = dataSet->RecNo() - 1;
    if (row < 0 || row >= FModel->rowCount())
        return;
    FSyncing = true;
    const QModelIndex index = FModel->index(row, 0);
    FView.selectionModel()->setCurrentIndex(index,
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    FView.scrollTo(index);
    FSyncing = false;
}

void TDataSetGridBinding::RowPicked(int row) {
    TDataSet* dataSet = DataSet();
    if (FSyncing || !dataSet || !dataSet->Active() || dataSet->State() != TDataSetState::dsBrowse)
        return;
    if (dataSet->RecNo() != row + 1)
        dataSet->SetRecNo(row + 1);
}

// ---- text field ---------------------------------------------------------------------------

TDBEditBinding::TDBEditBinding(QLineEdit& edit, TDataSource& source, std::string fieldName)
    : QObject(&edit), FEdit(edit) {
    FLink.OnDataChange = [this] { DataChange(); };
    FLink.OnEditingChange = [this] { EditingChange(); };
    connect(&FEdit, &QLineEdit::textEdited, this, &TDBEditBinding::TextEdited);
    FLink.SetFieldName(std::move(fieldName));
    FLink.SetDataSource(&source);
    EditingChange();
    DataChange();
}

TDBEditBinding::~TDBEditBinding() {
    FLink.OnDataChange = nullptr;
    FLink.OnEditingChange = nullptr;
    FLink.SetDataSource(nullptr);
}

void TDBEditBinding::DataChange() {
    if (FWriting)
        return;
    const TField* field = FLink.Field();
    const QString text = field ? FromCp1250(field->AsString()) : QString();
    if (FEdit.text() != text)
        FEdit.setText(text);
    if (field && field->Size() > 0)
        FEdit.setMaxLength(field->Size());
}

void TDBEditBinding::EditingChange() {
    FEdit.setReadOnly(!FLink.Editing());
}

void TDBEditBinding::TextEdited(const QString& text) {
    TField* field = FLink.Field();
    if (!field || !FLink.Editing())
        return;
    FWriting = true;
    const TScopeGuard done([this] { FWriting = false; });
    field->SetAsString(ToCp1250(text));
}

} // namespace etikor
