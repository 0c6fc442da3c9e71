#include "designer/SetupTabs.h"

#include "data/FormatSettings.h"
#include "ui/Controls.h"
#include "ui/PageSetupFields.h"

#include <QCheckBox>
#include <QComboBox>
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

TPageTab::TPageTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsOldal"));
    auto* grid = new QGridLayout(this);
    OldalSzel = MmSpin(this, "OldalSzel", 10, 210, 1, QStringLiteral("Oldal szélessége"));
    OldalHossz = MmSpin(this, "OldalHossz", 10, 297, 1, QStringLiteral("Oldal hosszúsága"));
    Felsom = MmSpin(this, "Felsom", 0, 100, 1, QStringLiteral("Felső margó"));
    Balm = MmSpin(this, "Balm", 0, 100, 1, QStringLiteral("Bal margó"));
    Jobbm = MmSpin(this, "Jobbm", 0, 100, 1, QStringLiteral("Jobb margó"));
    Alsom = MmSpin(this, "Alsom", 0, 100, 1, QStringLiteral("Alsó margó"));
    COszlopok = new QSpinBox(this);
    COszlopok->setObjectName(QStringLiteral("COszlopok"));
    COszlopok->setRange(1, 15);
    CTerkoz = MmSpin(this, "CTerkoz", 0, 100, 1, QStringLiteral("Cimkék közötti térköz"));
    int row = 0;
    // Short captions beside their values; the two long ones above theirs, so that the narrow
    // tab shows every caption and value in full.
    const auto beside = [&](const QString& caption, QWidget* field) {
        grid->addWidget(new QLabel(caption, this), row, 0);
        grid->addWidget(field, row++, 1);
    };
    const auto above = [&](const QString& caption, QWidget* field) {
        grid->addWidget(new QLabel(caption, this), row++, 0, 1, 2);
        grid->addWidget(field, row++, 1);
    };
    beside(QStringLiteral("Oldal szélesség"), OldalSzel);
    beside(QStringLiteral("Oldal hossz."), OldalHossz);
    beside(QStringLiteral("Felső margo"), Felsom);
    beside(QStringLiteral("Bal margo"), Balm);
    beside(QStringLiteral("Jobb margo"), Jobbm);
    beside(QStringLiteral("Alsó margo"), Alsom);
    above(QStringLiteral("Cimke oszlopok száma /lap:"), COszlopok);
    above(QStringLiteral("Címke oszlopok közötti távolság:"), CTerkoz);
    A4Gomb = new QPushButton(QStringLiteral("A4"), this);
    A4Gomb->setObjectName(QStringLiteral("A4Gomb"));
    A4Gomb->setToolTip(QStringLiteral("A4 -es oldal méret beállítása"));
    ConnectA4(A4Gomb, OldalSzel, OldalHossz);
    OldalRGomb = new QPushButton(QStringLiteral("Alkalmaz"), this);
    OldalRGomb->setObjectName(QStringLiteral("OldalRGomb"));
    grid->addWidget(A4Gomb, row, 0);
    grid->addWidget(OldalRGomb, row++, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
}

TLabelTab::TLabelTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsCimke"));
    auto* layout = new QVBoxLayout(this);
    gbCimkeMeret = new QGroupBox(QStringLiteral("Címke méret"), this);
    gbCimkeMeret->setObjectName(QStringLiteral("gbCimkeMeret"));
    auto* form = new QFormLayout(gbCimkeMeret);
    CSzeles = MmSpin(gbCimkeMeret, "CSzeles", 20, 210, 2, QString());
    CMagassag = MmSpin(gbCimkeMeret, "CMagassag", 10, 297, 2, QString());
    for (QDoubleSpinBox* spin : {CSzeles, CMagassag}) {
        spin->setSuffix(QString());
        // Changed only with the spin buttons.
        spin->findChild<QLineEdit*>()->setReadOnly(true);
    }
    form->addRow(QStringLiteral("Szélesség mm."), CSzeles);
    form->addRow(QStringLiteral("Magasság mm."), CMagassag);
    Leptetes = new QComboBox(gbCimkeMeret);
    Leptetes->setObjectName(QStringLiteral("Leptetes"));
    Leptetes->setToolTip(QStringLiteral("Méretek beállításának léptetési egysége"));
    // The steps are written with the locale's decimal separator, as they are read back.
    for (const char* step : {"0.01", "0.05", "1", "1.5", "2", "2.5", "5", "10"})
        Leptetes->addItem(QString::fromLatin1(step).replace(QLatin1Char('.'),
                                                            QLatin1Char(FormatSettings().DecimalSeparator)));
    auto* stepLabel = new QLabel(QStringLiteral("&Léptetés:"), gbCimkeMeret);
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
    cb_Keret = new QCheckBox(QStringLiteral("Keret a címkék körül"), this);
    cb_Keret->setObjectName(QStringLiteral("cb_Keret"));
    layout->addWidget(cb_Keret);
    CimkeRGomb = new QPushButton(QStringLiteral("Alkalmaz"), this);
    CimkeRGomb->setObjectName(QStringLiteral("CimkeRGomb"));
    layout->addWidget(CimkeRGomb);
    layout->addStretch(1);
}

} // namespace etikor
