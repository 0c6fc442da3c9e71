#include "ui/PageSetupFields.h"

#include "ui/Controls.h"

#include <QCoreApplication>
#include <QAbstractButton>
#include <QDoubleSpinBox>
#include <QSpinBox>

namespace etikor {

namespace {

const char* NameIn(const TPageValueInfo& info, TPageControls controls) {
    return controls == TPageControls::pcTemplate ? info.Name : info.DialogName;
}

TPageValueRange RangeIn(const TPageValueInfo& info, TPageControls controls) {
    return controls == TPageControls::pcTemplate ? info.Template : info.Dialogs;
}

} // namespace

QDoubleSpinBox* PageValueSpin(QWidget* parent, TPageValue value, TPageControls controls) {
    const TPageValueInfo& info = PageValueInfo(value);
    const TPageValueRange range = RangeIn(info, controls);
    return MmSpin(parent, NameIn(info, controls), range.Min, range.Max, info.Decimals,
                  QCoreApplication::translate("PageSetupValues", info.Hint));
}

QSpinBox* ColumnsSpin(QWidget* parent, TPageControls controls) {
    const TPageValueInfo& info = PageValueInfo(TPageValue::pvColumns);
    const TPageValueRange range = RangeIn(info, controls);
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(NameIn(info, controls)));
    spin->setRange(static_cast<int>(range.Min), static_cast<int>(range.Max));
    spin->setToolTip(QCoreApplication::translate("PageSetupValues", info.Hint));
    return spin;
}

QString PageValueCaption(TPageValue value) {
    return QCoreApplication::translate("PageSetupValues", PageValueInfo(value).Caption);
}

QAbstractSpinBox* TPageSetupFields::Control(TPageValue value) const {
    switch (value) {
    case TPageValue::pvPageLength:
        return OldalHossz;
    case TPageValue::pvPageWidth:
        return OldalSzel;
    case TPageValue::pvTopMargin:
        return Felsom;
    case TPageValue::pvLeftMargin:
        return Balm;
    case TPageValue::pvRightMargin:
        return Jobbm;
    case TPageValue::pvBottomMargin:
        return Alsom;
    case TPageValue::pvLabelHeight:
        return CMagassag;
    case TPageValue::pvColumnSpace:
        return CTerkoz;
    case TPageValue::pvColumns:
        return COszlopok;
    case TPageValue::pvLabelWidth:
        return CSzelesseg;
    }
    return nullptr;
}

void TPageSetupFields::Show(const TPageSetup& setup) const {
    for (const TPageValueInfo& info : PageSetupValues())
        SetControlValue(Control(info.Value), setup.Value(info.Value));
}

TPageSetup TPageSetupFields::Read() const {
    TPageSetup setup;
    for (const TPageValueInfo& info : PageSetupValues())
        setup.SetValue(info.Value, ControlValue(Control(info.Value)));
    return setup;
}

double ControlValue(const QAbstractSpinBox* control) {
    if (const auto* whole = qobject_cast<const QSpinBox*>(control))
        return whole->value();
    return static_cast<const QDoubleSpinBox*>(control)->value();
}

void SetControlValue(QAbstractSpinBox* control, double value) {
    if (auto* whole = qobject_cast<QSpinBox*>(control))
        whole->setValue(static_cast<int>(value));
    else
        static_cast<QDoubleSpinBox*>(control)->setValue(value);
}

void ConnectA4(QAbstractButton* button, QDoubleSpinBox* pageWidth, QDoubleSpinBox* pageLength) {
    QObject::connect(button, &QAbstractButton::clicked, pageWidth, [pageWidth, pageLength] {
        pageWidth->setValue(210);
        pageLength->setValue(297);
    });
}

} // namespace etikor
