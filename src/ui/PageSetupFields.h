#pragma once

// The page and label controls that several windows show (the page and label tabs, the settings
// dialog, the label wizard): built from the page-setup table (PageSetupValues.h), read and
// filled as one page setup. Each window lays them out itself.

#include "document/PageSetupValues.h"

#include <QString>

class QAbstractButton;
class QAbstractSpinBox;
class QDoubleSpinBox;
class QSpinBox;
class QWidget;

namespace etikor {

// Which of the table's names and ranges a control takes.
enum class TPageControls : uint8_t {
    pcTemplate, // the page and label tabs: the template's own values
    pcDialogs,  // the settings dialog's default page and the wizard
};

// The control of a millimetre value: its component name, range, decimals, " mm" and hint.
QDoubleSpinBox* PageValueSpin(QWidget* parent, TPageValue value, TPageControls controls);
// The column count's control.
QSpinBox* ColumnsSpin(QWidget* parent, TPageControls controls);
// The caption the table gives a value.
QString PageValueCaption(TPageValue value);

struct TPageSetupFields {
    QDoubleSpinBox* OldalHossz = nullptr; // page length
    QDoubleSpinBox* OldalSzel = nullptr;  // page width
    QDoubleSpinBox* Felsom = nullptr;
    QDoubleSpinBox* Balm = nullptr;
    QDoubleSpinBox* Jobbm = nullptr;
    QDoubleSpinBox* Alsom = nullptr;
    QDoubleSpinBox* CMagassag = nullptr;  // label height
    QDoubleSpinBox* CSzelesseg = nullptr; // label width
    QSpinBox* COszlopok = nullptr;
    QDoubleSpinBox* CTerkoz = nullptr;

    // The control that holds `value`.
    QAbstractSpinBox* Control(TPageValue value) const;
    // Fills the controls (their own limits apply) and reads them back.
    void Show(const TPageSetup& setup) const;
    TPageSetup Read() const;
};

// The value a page-setup control shows, and setting it (within the control's limits).
double ControlValue(const QAbstractSpinBox* control);
void SetControlValue(QAbstractSpinBox* control, double value);

// The A4 button: the page becomes 210 x 297 mm.
void ConnectA4(QAbstractButton* button, QDoubleSpinBox* pageWidth, QDoubleSpinBox* pageLength);

} // namespace etikor
