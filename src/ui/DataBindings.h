#pragma once

// Data-aware bindings of plain Qt widgets to a data source:
//  - a grid (QTableView) over the dataset's view: reloads when the records change, selects the
//    current record, and moves the dataset when the user picks a row;
//  - a text field (QLineEdit) on one field: shows the current record's value (Windows-1250
//    converted), is editable only while the dataset is in edit or insert state, and writes
//    every keystroke into the field.
// A binding lives as long as the widget it is given (it is the widget's child).

#include "data/FieldDataLink.h"
#include "ui/DataSetGridModel.h"

#include <QObject>

#include <string>
#include <vector>

class QLineEdit;
class QTableView;

namespace etikor {

class TDataSource;

class TDataSetGridBinding : public QObject, private TDataLink {
    Q_OBJECT
public:
    TDataSetGridBinding(QTableView& view, TDataSource& source, std::vector<TGridColumn> columns);
    ~TDataSetGridBinding() override;

    TDataSetGridModel& Model() { return *FModel; }

private:
    void ActiveChanged() override;
    void LayoutChanged() override;
    void CurrentChanged() override;
    void DataSetChanged() override;
    void Reload();
    void SelectCurrent();
    void RowPicked(int row);

    QTableView& FView;
    TDataSetGridModel* FModel;
    bool FSyncing = false;
};

class TDBEditBinding : public QObject {
    Q_OBJECT
public:
    TDBEditBinding(QLineEdit& edit, TDataSource& source, std::string fieldName);
    ~TDBEditBinding() override;

private:
    void DataChange();
    void EditingChange();
    void TextEdited(const QString& text);

    QLineEdit& FEdit;
    TFieldDataLink FLink;
    bool FWriting = false;
};

} // namespace etikor
