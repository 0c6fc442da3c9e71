#pragma once

// The EAN-128 helper `TEanSegedForm`: the application identifiers of `Ean128S`. A double click
// or Enter on the grid closes it with OK and the chosen row current; closing it otherwise is
// cancel.

#include <QDialog>

class QTableView;

namespace etikor {

class TDM;
class TDataSetGridModel;

class TEanSegedForm : public QDialog {
    Q_OBJECT
public:
    explicit TEanSegedForm(TDM& dm, QWidget* parent = nullptr);

    QTableView& EanGrid() const { return *FGrid; }
    // Chooses the grid's row `row` and closes with OK (a double click or Enter on it).
    void Choose(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TDM& FDM;
    QTableView* FGrid;
    TDataSetGridModel* FModel;
};

} // namespace etikor
