#pragma once

// "Etikett nyomtatás": the print selection window, a thin view over TPrintSelection. The grid
// shows the selection table (count, value, type); the buttons select, clear and print.

#include "printing/PrintSelection.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <functional>

class QCheckBox;
class QPushButton;
class QLabel;
class QSpinBox;
class QTableView;

namespace etikor {

class IModal;

// The selection table's three grid columns; counts and types can be edited.
class TSelectionGridModel : public QAbstractTableModel {
public:
    TSelectionGridModel(TPrintSelection& selection, IModal& modal, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void Reload();

private:
    TPrintSelection& FSelection;
    IModal& FModal;
};

class TNyomtatasForm : public QDialog {
public:
    // Hands the print table over to the label report (page setup, band, printer or preview),
    // with the frame switch.
    using THandOver = std::function<void(TDataSet& printTable, bool frame)>;

    TNyomtatasForm(TPrintSelection& selection, THandOver handOver, IModal& modal, QWidget* parent = nullptr);

    // Fills the selection from the data source (each opening).
    void Open(TDataSet& source);
    // What the settings button opens (the settings dialog on its label page); without it the
    // button stays disabled.
    void SetSettingsDialog(std::function<void()> open);

    // Handlers, named after their components.
    void Msn_AllClick();
    void Msn_DelClick();
    void Msn_NyClick();
    void Ny_ValasztTitleClick(int column);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    void ShowCounter();
    void EnterPosted();

    TPrintSelection& FSelection;
    THandOver FHandOver;
    IModal& FModal;
    std::function<void()> FSettingsDialog;
    QPushButton* Msn_Beall = nullptr;
    TSelectionGridModel* FModel = nullptr;
    QTableView* Ny_Valaszt = nullptr;
    QSpinBox* UresCimke = nullptr;
    QCheckBox* Msn_Ch5 = nullptr;
    QLabel* Jelolt = nullptr;
};

} // namespace etikor
