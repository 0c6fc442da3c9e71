#include "ui/DataSetGridModel.h"

#include "data/Cp1250Text.h"
#include "data/DataSet.h"
#include "data/Field.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>

namespace etikor {

TDataSetGridModel::TDataSetGridModel(TDataSet& dataSet, std::vector<TGridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), FDataSet(dataSet), FColumns(std::move(columns)) {}

int TDataSetGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !FDataSet.Active())
        return 0;
    return FDataSet.RecordCount();
}

int TDataSetGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(FColumns.size());
}

QVariant TDataSetGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !FDataSet.Active() || index.row() >= FDataSet.RecordCount())
        return {};
    const TGridColumn& column = FColumns[static_cast<std::size_t>(index.column())];
    if (role == Qt::DecorationRole || role == Qt::ToolTipRole) {
        if (!column.Problem)
            return {};
        const QString problem = column.Problem(index.row());
        if (problem.isEmpty())
            return {};
        if (role == Qt::ToolTipRole)
            return problem;
        return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    }
    if (role != Qt::DisplayRole)
        return {};
    const TVariant value = FDataSet.ValueAt(index.row(), FDataSet.FieldByName(column.Field));
    if (column.Format)
        return column.Format(value);
    return FromCp1250(value.ToString());
}

QVariant TDataSetGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(FColumns.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    return FColumns[static_cast<std::size_t>(section)].Title;
}

void TDataSetGridModel::Reload() {
    beginResetModel();
    endResetModel();
}

} // namespace etikor
