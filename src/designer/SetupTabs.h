#pragma once

// The page tab `tsOldal` (page size, margins, label columns and their gap) and the label tab
// `tsCimke` (label size and the step its spinners change by, the frame option). Both show the
// template's page setup; their Apply buttons are signals the element editor carries out.

#include "document/TemplateSchema.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QPushButton;
class QSpinBox;

namespace etikor {

struct TPageSetup;
struct TPageSetupFields;

class TPageTab final : public QWidget {
    Q_OBJECT
public:
    explicit TPageTab(QWidget* parent = nullptr);

    // Its values of a page setup: the page size, the margins, the columns and their gap (the
    // controls' own limits apply).
    void ShowSetup(const TPageSetup& setup);
    void ReadSetup(TPageSetup& setup) const;
    // The page grows, within its limits, to take a label of this size with its margins.
    void GrowPageFor(double labelWidthMm, double labelHeightMm);

signals:
    void ApplyRequested();
    // "Címkeív…": the label stock chooser.
    void StockRequested();

private:
    TPageSetupFields Fields() const;

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
    QPushButton* CimkeivGomb = nullptr;
};

class TLabelTab final : public QWidget {
    Q_OBJECT
public:
    explicit TLabelTab(QWidget* parent = nullptr);

    // Its values of a page setup: the label size.
    void ShowSetup(const TPageSetup& setup);
    void ReadSetup(TPageSetup& setup) const;
    // "Keret a címkék körül": a linked worksheet prints with a frame around each label.
    bool FrameAroundLabels() const;
    // The step list back at its start, "1".
    void ResetStep();

signals:
    void ApplyRequested();
    // "Címkeív…": the label stock chooser.
    void StockRequested();

private:
    TPageSetupFields Fields() const;

    QGroupBox* gbCimkeMeret = nullptr;
    QDoubleSpinBox* CSzeles = nullptr;
    QDoubleSpinBox* CMagassag = nullptr;
    QComboBox* Leptetes = nullptr;
    QCheckBox* cb_Keret = nullptr;
    QPushButton* CimkeRGomb = nullptr;
    QPushButton* CimkeivGomb = nullptr;
};

} // namespace etikor
