#pragma once

// The page and label controls that several windows show (the page and label tabs, the settings
// dialog, the label wizard), read and filled as one page setup. Each window lays them out and
// names them itself; this only knows which control holds which value.

#include "document/TemplateModel.h"

class QAbstractButton;
class QDoubleSpinBox;
class QSpinBox;

namespace etikor {

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

    // Fills the controls (their own limits apply) and reads them back.
    void Show(const TPageSetup& setup) const;
    TPageSetup Read() const;
};

// The A4 button: the page becomes 210 x 297 mm.
void ConnectA4(QAbstractButton* button, QDoubleSpinBox* pageWidth, QDoubleSpinBox* pageLength);

} // namespace etikor
