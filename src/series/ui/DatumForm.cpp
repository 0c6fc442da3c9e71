#include "series/ui/DatumForm.h"

#include "data/Cp1250Text.h"
#include "series/DateLayout.h"
#include "ui/RadioList.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TText {
    Q_DECLARE_TR_FUNCTIONS(DatumForm)
};
} // namespace

namespace {
// The last choice, for the next generation of this run.
int gLastChoice = 0;
} // namespace

TDatumBe::TDatumBe(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("DatumBe"));
    setWindowTitle(TText::tr("Dátum-formátum kiválasztása"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(TText::tr("A generálni kívánt kód dátumot is tartalmaz.\n"
                                           "Most válassza ki a megfelelő dátum-formátumot!"),
                                 this));
    QStringList items;
    for (const std::string& l : DateLayouts())
        items << FromCp1250(l);
    FRgDatum = new TRadioList(QStringLiteral("rgDatum"), QString(), items, 2, this);
    FRgDatum->SetItemIndex(gLastChoice);
    layout->addWidget(FRgDatum);
    auto* ok = new QPushButton(TText::tr("OK"), this);
    ok->setObjectName(QStringLiteral("RendBenGomb"));
    ok->setToolTip(TText::tr("Rendben"));
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    connect(ok, &QPushButton::clicked, this, &TDatumBe::RendBenGombClick);
}

void TDatumBe::RendBenGombClick() {
    gLastChoice = std::max(FRgDatum->ItemIndex(), 0);
    FClosing = true;
    accept();
}

void TDatumBe::closeEvent(QCloseEvent* event) {
    if (!FClosing)
        event->ignore();
}

std::string TDatumBe::Layout() const {
    const int index = std::max(FRgDatum->ItemIndex(), 0);
    return DateLayouts()[static_cast<std::size_t>(index)];
}

} // namespace etikor
