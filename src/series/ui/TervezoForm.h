#pragma once

// The series designer `TTervezoForm`: the segments of the series definition (`M1`) in a grid,
// a panel to add or edit one, the barcode type and processing order, the EAN-128 helper, and
// the generation of the series data (`T1`). Created for each opening.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QSpinBox;
class QStatusBar;
class QTableView;
class QToolButton;
class QPushButton;

namespace etikor {

class TDM;
class TDataSetGridModel;
class TRadioList;

class TTervezoForm : public QDialog {
    Q_OBJECT
public:
    // `seriesFileName`: the series file's name without folder (the caption and the overwrite
    // question show it).
    TTervezoForm(TDM& dm, const QString& seriesFileName, QWidget* parent = nullptr);
    ~TTervezoForm() override;

    // The help topic while the designer is open.
    static constexpr int kHelpContext = 29;

    // A generation replaced the series: the program has series data, no linked worksheet in use.
    bool SeriesReplaced() const { return FSeriesReplaced; }
    bool Adding() const { return FAdding; }
    bool Editing() const { return FEditing; }

    // Handlers, named after their components.
    void HozzaadGombClick();
    void SzerkesztGombClick();
    void TorolGombClick();
    void HHozzaadGombClick(); // "Alkalmaz"
    void HKilepGombClick();   // "Mégsem/Vissza"
    void SzamlaloClick();
    void HosszExit();
    void ReszTipusChange(int index);
    void VonalkodTipusClick(int index);
    void vGomb1Click();
    void EanGombClick();
    void GenerGombClick();
    void SugoGombClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    // The barcode type the designer starts from.
    int SeriesBarcodeType();
    void UpdateValueFields();
    void SetBrowsing(bool browsing);
    bool CounterTooLong() const;
    void Warn(const QString& text);
    void ReloadGrid();
    void GridRowChosen(int row);

    TDM& FDM;
    QString FSeriesFileName;
    bool FAdding = false;
    bool FEditing = false;
    int FEditedRecNo = 0;
    bool FSeriesReplaced = false;

    TRadioList* FVonalkodTipus = nullptr;
    TRadioList* FRgFeldolg = nullptr;
    QToolButton* FVGomb1 = nullptr;
    QTableView* FReszGrid = nullptr;
    TDataSetGridModel* FGridModel = nullptr;
    QPushButton* FHozzaad = nullptr;
    QPushButton* FSzerkeszt = nullptr;
    QPushButton* FTorol = nullptr;
    QFrame* FPanel = nullptr;
    QSpinBox* FHossz = nullptr;
    QComboBox* FReszTipus = nullptr;
    QCheckBox* FSzamlalo = nullptr;
    QLabel* FLabel1 = nullptr;
    QLineEdit* FErtek1 = nullptr;
    QLabel* FLabel2 = nullptr;
    QLineEdit* FErtek2 = nullptr;
    QLabel* FNLabel = nullptr;
    QSpinBox* FNovekmeny = nullptr;
    QToolButton* FHHozzaad = nullptr;
    QToolButton* FHKilep = nullptr;
    QToolButton* FEanGomb = nullptr;
    QPushButton* FGenerGomb = nullptr;
    QPushButton* FMegsemGomb = nullptr;
    QPushButton* FSugoGomb = nullptr;
    QStatusBar* FLablec = nullptr;
};

} // namespace etikor
