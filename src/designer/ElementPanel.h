#pragma once

// The element tab `tsElemek`: the value box with its buttons (apply, data field, date/time,
// picture file), the date/time list and the field list, alignment and rotation, the font
// button, the selected element's stored values, element navigation and the barcode panel
// `gbVonalkod`. It shows what the template holds for the selected element (or the page-setup
// row while nothing is selected) and passes its commands on as signals; the element editor
// (ElementEditor.h) carries them out and tells it what to show.

#include "document/DataModule.h"
#include "document/LabelTemplate.h"

#include <QWidget>

#include <optional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;
class QToolButton;

namespace etikor {

struct TCanvasBuild;

class TElementPanel final : public QWidget {
    Q_OBJECT
public:
    explicit TElementPanel(QWidget* parent = nullptr);

    // What the selection allows: a text whose value comes from a data field or a date/time code
    // can be aligned but not rotated, a text with a fixed value the other way round, a barcode
    // rotated.
    bool RotationAllowed() const { return FRotationAllowed; }
    bool AlignmentAllowed() const { return FAlignmentAllowed; }

    // The source the next apply of a value writes: the selected element's, until changed.
    const QString& PendingSource() const { return FPendingSource; }
    void SetPendingSource(const QString& source) { FPendingSource = source; }
    // The alignment whose button is down (one always is, enabled or not).
    TAlignment CheckedAlignment() const;

    // The value box `Ertek`.
    QString Value() const;
    void SetValue(const QString& value);
    void FocusValue();
    // The value box applies its value on Enter; the window's own Enter handling leaves it alone.
    bool IsValueBox(const QObject* widget) const;
    // The rotation list: 0..3 for 0, 90, 180 and 270 degrees.
    int RotationCode() const;
    void SetRotationCode(int code);
    // While the date/time list is shown: the code chosen there; the list is put away.
    std::optional<int> TakeDateTimeChoice();
    // The field list with its close button, focused, for a field to be picked.
    void ShowFieldPicker();

    // The barcode type index to store: the list position with the shown 2D settings.
    int BarcodeTypeIndex() const;
    // The position in the barcode type list.
    int ShownBarcodeListPosition() const;
    // Shows a stored type index: its list entry and its settings.
    void ShowBarcodeType(int storedIndex);
    // A series' type (a plain list position): another type starts with its defaults, the same
    // type keeps the settings shown.
    void ShowBarcodeListPosition(int position);
    // The barcode panel's switches: the value under the bars, the start/stop lines.
    bool BarcodeValueShown() const;
    bool StartStopLines() const;

    // An element was selected: its value, rotation and alignment, and the buttons its kind
    // allows.
    void ShowSelection(const TLabelElement& element);
    // Nothing is selected: lists hidden, value empty, rotation and alignment off.
    void ShowNoSelection();
    // The read-only fields: name, source, stored value and the geometry in mm.
    void ShowRow(const TPageSetupRow& row);
    void ShowRow(const TLabelElement& element);
    // After a canvas build: the last text's alignment and the last barcode's type stay shown.
    void ShowBuild(const TCanvasBuild& build);
    void ShowFieldList(const std::vector<TFieldListEntry>& fields);

signals:
    // The previous (-1) or next (+1) row of the template.
    void StepRequested(int step);
    // The value box's apply button.
    void ApplyValueRequested();
    // The data field button: the first record's value of the source's field.
    void FieldValueRequested();
    // A row of the field list, double-clicked.
    void FieldPicked(int row);
    void RotationChosen(int code);
    void AlignmentChosen(TAlignment alignment);
    void FontRequested();
    // The barcode panel's buttons: apply its settings, copy to a bitmap file, clone the value.
    void BarcodeSettingsApplied();
    void BarcodeBitmapRequested();
    void CloneRequested();
    void PictureFileRequested();

private:
    QToolButton* AlignmentButton(TAlignment alignment) const;
    // Fills and shows the settings lists for a list position.
    void ShowMatrixOptions(int position, const TMatrixOptions& options);
    void ShowValueProblem();
    void AllowRotation(bool allowed);
    void AllowAlignment(bool allowed);

    QLineEdit* Ertek = nullptr;
    QLabel* ErtekHiba = nullptr; // what is wrong with a barcode's value
    QToolButton* SzRogzitoGomb = nullptr;
    QToolButton* EMezoGomb = nullptr;
    QToolButton* DtGomb = nullptr;
    QToolButton* EFileGomb = nullptr;
    QListWidget* DtLista = nullptr;
    QTableWidget* Mezok = nullptr;
    QToolButton* MezoKilepGomb = nullptr;
    QButtonGroup* IgazitasCsoport = nullptr;
    QToolButton* sbBalra = nullptr;
    QToolButton* sbKozepre = nullptr;
    QToolButton* sbJobbra = nullptr;
    QComboBox* cb_Elforgat = nullptr;
    QToolButton* BetuGomb = nullptr;
    QLineEdit* ElemNev_edit = nullptr;
    QLineEdit* Forras_edit = nullptr;
    QLineEdit* Fertek_edit = nullptr;
    QLineEdit* Height_edit = nullptr;
    QLineEdit* Width_edit = nullptr;
    QLineEdit* Top_edit = nullptr;
    QLineEdit* Left_edit = nullptr;
    QToolButton* Hatra = nullptr;
    QToolButton* Elore = nullptr;
    QGroupBox* gbVonalkod = nullptr;
    QComboBox* cb_VkTNev = nullptr;
    // The settings of a two-dimensional type: one list (QR Code, Data Matrix, Aztec) or two
    // (PDF417: columns and level); hidden for the linear types.
    QLabel* lbVkOpcio = nullptr;
    QComboBox* cb_VkOpcio = nullptr;
    QLabel* lbVkOpcio2 = nullptr;
    QComboBox* cb_VkOpcio2 = nullptr;
    QCheckBox* cbVonalkodErtek = nullptr;
    QCheckBox* cbStartStop = nullptr;
    QToolButton* VkRogzitGomb = nullptr;
    QToolButton* Vk_bmp = nullptr;
    QToolButton* KlonozasGomb = nullptr;
    QToolButton* VonalkodKilepGomb = nullptr;

    QString FPendingSource;
    bool FRotationAllowed = false;
    bool FAlignmentAllowed = false;
};

} // namespace etikor
