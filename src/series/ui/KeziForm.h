#pragma once

// The manual-entry window `TKeziForm`: the series data (`T1`) sorted by value in a grid with a
// navigator, new / change / confirm / cancel / delete / delete-all buttons, cloning of the
// current value, the series designer, the barcode type list and the value field, and a live
// preview of the current value. Created for each opening; every completed change is in the
// series file at once (TManualEntry).

#include "barcode/BarcodeTypes.h"
#include "data/DataSet.h"
#include "series/ManualEntry.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;

namespace etikor {

class TDBEan;
class TDBNavigator;
class IModal;
class TDM;

class TKeziForm : public QDialog {
    Q_OBJECT
public:
    // `seriesFileName`: the series file's name without folder (status panel 2).
    TKeziForm(TDM& dm, const QString& seriesFileName, IModal& modal, QWidget* parent = nullptr);
    ~TKeziForm() override;

    // The program's current help context (F1 shows it; the series designer changes it while
    // open). Unset: topic 10 and nothing to change.
    std::function<int()> HelpContext;
    std::function<void(int)> SetHelpContext;
    // The series designer is about to run: linked external data is no longer in use.
    std::function<void()> ExternalDataNotInUse;

    QString Panel(int number) const; // status panels 1..3
    bool Entering() const { return FEntry.Entering(); }

    // Handlers, named after their components.
    void FelvetelGombClick();
    void ModositasGombClick();
    void RendbenGombClick();
    void MegsemGombClick();
    void TorlesGombClick();
    void OTorolGombClick();
    void KlonozasGombClick();
    void GeneralGombClick();

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void SetEntering(bool entering);
    void ShowCount();
    // The type list and the preview take the current record's type.
    void TypeInStep();
    void TypeChosen(int index);
    EncoderOptions PreviewOptions() const;
    void ShowValueProblem();
    void Finish();

    TDM& FDM;
    IModal& FModal;
    TManualEntry FEntry;
    TDataSource FSource;
    QString FSeriesFileName;
    bool FFinished = false;

    QTableView* FEanGrid = nullptr;
    TDBNavigator* FNavigator = nullptr;
    QPushButton* FFelvetel = nullptr;
    QPushButton* FModositas = nullptr;
    QPushButton* FTorles = nullptr;
    QPushButton* FRendben = nullptr;
    QPushButton* FMegsem = nullptr;
    QToolButton* FOTorol = nullptr;
    QToolButton* FKlonozas = nullptr;
    QToolButton* FGeneral = nullptr;
    QComboBox* FTypes = nullptr;
    QLineEdit* FErtek = nullptr;
    QLabel* FErtekHiba = nullptr;
    TDBEan* FPreview = nullptr;
    QLabel* FPanels[3] = {};
};

} // namespace etikor
