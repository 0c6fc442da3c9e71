#include "designer/SetupTabs.h"

#include "data/FormatSettings.h"
#include "ui/PageSetupFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TSetupTabsText {
    Q_DECLARE_TR_FUNCTIONS(TSetupTabsText)
};
} // namespace

namespace {

// "Címkeív…", on both tabs.
QPushButton* StockButton(QWidget* tab) {
    auto* button = new QPushButton(TSetupTabsText::tr("Címkeív…"), tab);
    button->setObjectName(QStringLiteral("CimkeivGomb"));
    button->setToolTip(TSetupTabsText::tr("Oldal és címke méret a gyártók címkeívei közül"));
    return button;
}

// The controls a tab has of the ten values (the others are null).
void ShowIn(const TPageSetupFields& fields, const TPageSetup& setup) {
    for (const TPageValueInfo& info : PageSetupValues())
        if (QAbstractSpinBox* control = fields.Control(info.Value))
            SetControlValue(control, setup.Value(info.Value));
}

void ReadFrom(const TPageSetupFields& fields, TPageSetup& setup) {
    for (const TPageValueInfo& info : PageSetupValues())
        if (const QAbstractSpinBox* control = fields.Control(info.Value))
            setup.SetValue(info.Value, ControlValue(control));
}

} // namespace

TPageTab::TPageTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsOldal"));
    auto* grid = new QGridLayout(this);
    constexpr TPageControls tabs = TPageControls::pcTemplate;
    int row = 0;
    // Short captions beside their values; the two long ones above theirs, so that the narrow
    // tab shows every caption and value in full.
    const auto beside = [&](TPageValue value) {
        QDoubleSpinBox* field = PageValueSpin(this, value, tabs);
        grid->addWidget(new QLabel(PageValueCaption(value), this), row, 0);
        grid->addWidget(field, row++, 1);
        return field;
    };
    const auto above = [&](TPageValue value, QWidget* field) {
        grid->addWidget(new QLabel(PageValueCaption(value), this), row++, 0, 1, 2);
        grid->addWidget(field, row++, 1);
    };
    OldalSzel = beside(TPageValue::pvPageWidth);
    OldalHossz = beside(TPageValue::pvPageLength);
    Felsom = beside(TPageValue::pvTopMargin);
    Balm = beside(TPageValue::pvLeftMargin);
    Jobbm = beside(TPageValue::pvRightMargin);
    Alsom = beside(TPageValue::pvBottomMargin);
    COszlopok = ColumnsSpin(this, tabs);
    above(TPageValue::pvColumns, COszlopok);
    CTerkoz = PageValueSpin(this, TPageValue::pvColumnSpace, tabs);
    above(TPageValue::pvColumnSpace, CTerkoz);
    A4Gomb = new QPushButton(TSetupTabsText::tr("A4"), this);
    A4Gomb->setObjectName(QStringLiteral("A4Gomb"));
    A4Gomb->setToolTip(TSetupTabsText::tr("A4 -es oldal méret beállítása"));
    ConnectA4(A4Gomb, OldalSzel, OldalHossz);
    OldalRGomb = new QPushButton(TSetupTabsText::tr("Alkalmaz"), this);
    OldalRGomb->setObjectName(QStringLiteral("OldalRGomb"));
    grid->addWidget(A4Gomb, row, 0);
    grid->addWidget(OldalRGomb, row++, 1);
    CimkeivGomb = StockButton(this);
    grid->addWidget(CimkeivGomb, row++, 0, 1, 2);
    connect(CimkeivGomb, &QPushButton::clicked, this, &TPageTab::StockRequested);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
    connect(OldalRGomb, &QPushButton::clicked, this, &TPageTab::ApplyRequested);
}

TPageSetupFields TPageTab::Fields() const {
    TPageSetupFields fields;
    fields.OldalHossz = OldalHossz;
    fields.OldalSzel = OldalSzel;
    fields.Felsom = Felsom;
    fields.Balm = Balm;
    fields.Jobbm = Jobbm;
    fields.Alsom = Alsom;
    fields.COszlopok = COszlopok;
    fields.CTerkoz = CTerkoz;
    return fields;
}

void TPageTab::ShowSetup(const TPageSetup& setup) {
    ShowIn(Fields(), setup);
}

void TPageTab::ReadSetup(TPageSetup& setup) const {
    ReadFrom(Fields(), setup);
}

void TPageTab::GrowPageFor(double labelWidthMm, double labelHeightMm) {
    const double length = labelHeightMm + Felsom->value() + Alsom->value();
    if (OldalHossz->value() < length)
        OldalHossz->setValue(length);
    const double width = labelWidthMm + Balm->value() + Jobbm->value();
    if (OldalSzel->value() < width)
        OldalSzel->setValue(width);
}

TLabelTab::TLabelTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsCimke"));
    auto* layout = new QVBoxLayout(this);
    gbCimkeMeret = new QGroupBox(TSetupTabsText::tr("Címke méret"), this);
    gbCimkeMeret->setObjectName(QStringLiteral("gbCimkeMeret"));
    auto* form = new QFormLayout(gbCimkeMeret);
    CSzeles = PageValueSpin(gbCimkeMeret, TPageValue::pvLabelWidth, TPageControls::pcTemplate);
    CMagassag = PageValueSpin(gbCimkeMeret, TPageValue::pvLabelHeight, TPageControls::pcTemplate);
    // Under the group's title the captions are short and carry the unit.
    for (QDoubleSpinBox* spin : {CSzeles, CMagassag}) {
        spin->setSuffix(QString());
        // Changed only with the spin buttons.
        spin->findChild<QLineEdit*>()->setReadOnly(true);
    }
    form->addRow(TSetupTabsText::tr("Szélesség mm."), CSzeles);
    form->addRow(TSetupTabsText::tr("Magasság mm."), CMagassag);
    Leptetes = new QComboBox(gbCimkeMeret);
    Leptetes->setObjectName(QStringLiteral("Leptetes"));
    Leptetes->setToolTip(TSetupTabsText::tr("Méretek beállításának léptetési egysége"));
    // The steps are written with the locale's decimal separator, as they are read back.
    for (const char* step : {"0.01", "0.05", "1", "1.5", "2", "2.5", "5", "10"})
        Leptetes->addItem(QString::fromLatin1(step).replace(QLatin1Char('.'),
                                                            QLatin1Char(FormatSettings().DecimalSeparator)));
    auto* stepLabel = new QLabel(TSetupTabsText::tr("&Léptetés:"), gbCimkeMeret);
    stepLabel->setBuddy(Leptetes);
    form->addRow(stepLabel, Leptetes);
    connect(Leptetes, &QComboBox::currentIndexChanged, this, [this](int index) {
        double value = 0;
        const std::string text = Leptetes->itemText(index).toStdString();
        if (!TryStrToFloat(text, value) || value <= 0) {
            Leptetes->setCurrentIndex(0);
            return;
        }
        CSzeles->setSingleStep(value);
        CMagassag->setSingleStep(value);
    });
    Leptetes->setCurrentIndex(2);
    layout->addWidget(gbCimkeMeret);
    cb_Keret = new QCheckBox(TSetupTabsText::tr("Keret a címkék körül"), this);
    cb_Keret->setObjectName(QStringLiteral("cb_Keret"));
    layout->addWidget(cb_Keret);
    CimkeRGomb = new QPushButton(TSetupTabsText::tr("Alkalmaz"), this);
    CimkeRGomb->setObjectName(QStringLiteral("CimkeRGomb"));
    layout->addWidget(CimkeRGomb);
    CimkeivGomb = StockButton(this);
    layout->addWidget(CimkeivGomb);
    layout->addStretch(1);
    connect(CimkeRGomb, &QPushButton::clicked, this, &TLabelTab::ApplyRequested);
    connect(CimkeivGomb, &QPushButton::clicked, this, &TLabelTab::StockRequested);
}

TPageSetupFields TLabelTab::Fields() const {
    TPageSetupFields fields;
    fields.CMagassag = CMagassag;
    fields.CSzelesseg = CSzeles;
    return fields;
}

void TLabelTab::ShowSetup(const TPageSetup& setup) {
    ShowIn(Fields(), setup);
}

void TLabelTab::ReadSetup(TPageSetup& setup) const {
    ReadFrom(Fields(), setup);
}

bool TLabelTab::FrameAroundLabels() const {
    return cb_Keret->isChecked();
}

void TLabelTab::ResetStep() {
    Leptetes->setCurrentIndex(2);
}

} // namespace etikor
