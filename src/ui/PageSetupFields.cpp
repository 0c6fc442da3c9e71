#include "ui/PageSetupFields.h"

#include <QAbstractButton>
#include <QDoubleSpinBox>
#include <QSpinBox>

namespace etikor {

void TPageSetupFields::Show(const TPageSetup& setup) const {
    OldalHossz->setValue(setup.OldalHMm);
    OldalSzel->setValue(setup.OldalSzMm);
    Felsom->setValue(setup.FmMm);
    Balm->setValue(setup.BmMm);
    Jobbm->setValue(setup.JmMm);
    Alsom->setValue(setup.AmMm);
    CMagassag->setValue(setup.HeightMm);
    CSzelesseg->setValue(setup.WidthMm);
    COszlopok->setValue(setup.Oszlopok);
    CTerkoz->setValue(setup.TerkozMm);
}

TPageSetup TPageSetupFields::Read() const {
    TPageSetup setup;
    setup.OldalHMm = OldalHossz->value();
    setup.OldalSzMm = OldalSzel->value();
    setup.FmMm = Felsom->value();
    setup.BmMm = Balm->value();
    setup.JmMm = Jobbm->value();
    setup.AmMm = Alsom->value();
    setup.HeightMm = CMagassag->value();
    setup.WidthMm = CSzelesseg->value();
    setup.Oszlopok = COszlopok->value();
    setup.TerkozMm = CTerkoz->value();
    return setup;
}

void ConnectA4(QAbstractButton* button, QDoubleSpinBox* pageWidth, QDoubleSpinBox* pageLength) {
    QObject::connect(button, &QAbstractButton::clicked, pageWidth, [pageWidth, pageLength] {
        pageWidth->setValue(210);
        pageLength->setValue(297);
    });
}

} // namespace etikor
