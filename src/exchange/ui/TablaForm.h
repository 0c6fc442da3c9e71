#pragma once

// The data browser: the records of the current data source in a read-only grid, a navigator
// with first, previous, next and last, and the record count. Closing leaves the data source on
// the record last selected.

#include <QDialog>

class QLabel;
class QTableView;
class QToolButton;

namespace etikor {

class TDataSet;
class TDataSetGridModel;

class TTablaForm final : public QDialog {
    Q_OBJECT
public:
    // `seriesFile`: the series data file of the current template (with folder), named in the
    // caption whatever the data source is.
    TTablaForm(TDataSet& source, const QString& seriesFile, QWidget* parent = nullptr);
    ~TTablaForm() override;

protected:
    void done(int result) override;

private:
    QTableView* TablaGrid = nullptr;
    QWidget* DBN = nullptr;
    QLabel* Lablec = nullptr;

    void MoveTo(int row);
    void GridRowChanged(int row);

    TDataSet& FSource;
    TDataSetGridModel* FModel = nullptr;
};

} // namespace etikor
