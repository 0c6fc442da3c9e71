#pragma once

// The print selection's logic: the selection table ("nytemp.tmp") listing the data source's
// records with a count each, and the print table ("Temp.tmp") that receives the blank places
// and the selected records in print order. Both live in the program's folder and are left
// empty on disk when the selection closes. The window (ui/) is a thin view over this.

#include "tablestore/StoreTable.h"

#include <QString>

#include <functional>

namespace etikor {

class IModal;

class TPrintSelection {
public:
    explicit TPrintSelection(QString programFolder);
    ~TPrintSelection();
    TPrintSelection(const TPrintSelection&) = delete;
    TPrintSelection& operator=(const TPrintSelection&) = delete;

    static constexpr int kMaxFirstPlace = 22;

    TStoreTable& Selection() { return FSelection; } // `NyTemp`
    TStoreTable& PrintTable() { return FPrint; }    // `Temp`

    // Kept between openings.
    int FirstPlace = 1; // `UresCimke`, 1 to 22
    bool Frame = false; // `Msn_Ch5`
    int Counter = 0;    // `Jelolt`
    // The column the selection is ordered by: 0 none, 1 `Vonalkod1`, 2 `Vonalkod2`.
    int SortedColumn = 0;

    // Refills the selection table from every record of `source` (count 0, running number,
    // the first six fields as text) and writes it.
    void Open(TDataSet& source);
    // Every row with count 0 gets 1; the counter shows the number of rows.
    void SelectAll();
    // Every count back to 0; the counter shows 0.
    void Clear();
    // Posts a pending edit and shows the sum of the counts on the counter.
    void SumCounts();
    // Orders the selection by a grid column (0, "Db.", changes no order) and goes to the
    // first row.
    void SortBy(int column);

    // Fills the print table: the blank places before the first free place, then each selected
    // row's record as often as its count, in the selection's current order. Returns the number
    // of labels selected (blank places not counted).
    int BuildPrintTable();
    // The whole print: builds the print table, warns when nothing is selected, asks whether to
    // start, then hands the print table over (page setup, band, printer dialog or preview);
    // afterwards the print table is emptied in every case. True when it was handed over.
    bool Print(IModal& modal, const std::function<void(TDataSet& printTable)>& handOver);
    // Closing: both scratch files are left empty on disk.
    void Close();

    QString SelectionFile() const;
    QString PrintFile() const;

private:
    void OpenPrintTable();

    QString FFolder;
    TStoreTable FSelection;
    TStoreTable FPrint;
};

// "Indulhat " + n + " db. cimke nyomtatása?" with n grouped by thousands.
QString StartQuestion(int labels);

} // namespace etikor
