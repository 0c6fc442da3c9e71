#pragma once

// A read-only grid over a dataset: one row per record of its view, the chosen fields as
// columns. The owner calls Reload() after the dataset changed.

#include <QAbstractTableModel>

#include <functional>
#include <string>
#include <vector>

namespace etikor {

class TDataSet;
class TVariant;

struct TGridColumn {
    std::string Field;
    QString Title;
    // The shown text of a value; empty: the value's text converted from Windows-1250.
    std::function<QString(const TVariant&)> Format = {};
    // What is wrong with the row's value, shown as a warning mark with the text as its tooltip;
    // empty: nothing. Asked only for the rows a view paints.
    std::function<QString(int row)> Problem = {};
};

class TDataSetGridModel : public QAbstractTableModel {
public:
    TDataSetGridModel(TDataSet& dataSet, std::vector<TGridColumn> columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void Reload();

private:
    TDataSet& FDataSet;
    std::vector<TGridColumn> FColumns;
};

} // namespace etikor
