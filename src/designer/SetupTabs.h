#pragma once

// The page tab `tsOldal` (page size, margins, label columns and their gap) and the label tab
// `tsCimke` (label size and the step its spinners change by, the frame option). Both show the
// template's page setup.

#include "document/TemplateSchema.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QPushButton;
class QSpinBox;

namespace etikor {

class TPageTab final : public QWidget {
    Q_OBJECT
public:
    explicit TPageTab(QWidget* parent = nullptr);

    QDoubleSpinBox* OldalSzel = nullptr;
    QDoubleSpinBox* OldalHossz = nullptr;
    QDoubleSpinBox* Felsom = nullptr;
    QDoubleSpinBox* Balm = nullptr;
    QDoubleSpinBox* Jobbm = nullptr;
    QDoubleSpinBox* Alsom = nullptr;
    QSpinBox* COszlopok = nullptr;
    QDoubleSpinBox* CTerkoz = nullptr;
    QPushButton* A4Gomb = nullptr;
    QPushButton* OldalRGomb = nullptr;
};

class TLabelTab final : public QWidget {
    Q_OBJECT
public:
    explicit TLabelTab(QWidget* parent = nullptr);

    QGroupBox* gbCimkeMeret = nullptr;
    QDoubleSpinBox* CSzeles = nullptr;
    QDoubleSpinBox* CMagassag = nullptr;
    QComboBox* Leptetes = nullptr;
    QCheckBox* cb_Keret = nullptr;
    QPushButton* CimkeRGomb = nullptr;
};

} // namespace etikor
