#include "series/ui/DatumForm.h"

#include "data/Cp1250Text.h"
#include "series/DateLayout.h"
#include "ui/RadioList.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace etikor {

namespace {
// The last choice, for the next generation of this run.
int gLastChoice = 0;
} // namespace

TDatumBe::TDatumBe(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("DatumBe"));
    setWindowTitle(QStringLiteral("Dátum-formátum kiválasztása"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("A generálni kívánt kód dátumot is tartalmaz.\n"
                                                "Most válassza ki a megfelelő dátum-formátumot!"),
                                 this));
    QStringList items;
    for (const std::string& l : DateLayouts())
        items << FromCp1250(l);
    FRgDatum = new TRadioList(QStringLiteral("rgDatum"), QString(), items, 2, this);
    FRgDatum->SetItemIndex(gLastChoice);
    layout->addWidget(FRgDatum);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("RendBenGomb"));
    ok->setToolTip(QStringLiteral("Rendben"));
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
