#include "series/ui/DatumForm.h"

#include "data/Cp1250Text.h"
#include "series/DateLayout.h"
#include "ui/RadioList.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TDatumFormText {
    Q_DECLARE_TR_FUNCTIONS(TDatumFormText)
};
} // namespace

namespace {
// The last choice, for the next generation of this run.
int gLastChoice = 0;
} // namespace

TDatumBe::TDatumBe(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("DatumBe"));
    setWindowTitle(TDatumFormText::tr("Dátum-formátum kiválasztása"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(TDatumFormText::tr("A generálni kívánt kód dátumot is tartalmaz.\n"
                                                    "Most válassza ki a megfelelő dátum-formátumot!"),
                                 this));
    QStringList items;
    // The layouts name their parts by the Hungarian letters (Év, Hónap, Nap); shown in the
    // language of the windows.
    const QString year = TDatumFormText::tr("É", "year letter of a date layout");
    const QString month = TDatumFormText::tr("H", "month letter of a date layout");
    const QString day = TDatumFormText::tr("N", "day letter of a date layout");
    for (const std::string& l : DateLayouts()) {
        QString shown;
        for (const QChar c : FromCp1250(l))
            shown += c == QChar(0xC9)        ? year
                     : c == QLatin1Char('H') ? month
                     : c == QLatin1Char('N') ? day
                                             : QString(c);
        items << shown;
    }
    FRgDatum = new TRadioList(QStringLiteral("rgDatum"), QString(), items, 2, this);
    FRgDatum->SetItemIndex(gLastChoice);
    layout->addWidget(FRgDatum);
    auto* ok = new QPushButton(TDatumFormText::tr("OK"), this);
    ok->setObjectName(QStringLiteral("RendBenGomb"));
    ok->setToolTip(TDatumFormText::tr("Rendben"));
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    connect(ok, &QPushButton::clicked, this, &TDatumBe::RendBenGombClick);
    // A window manager cuts a title wider than the window: room for it in a bold title font
    // beside the window's icon and buttons.
    QFont title = font();
    title.setBold(true);
    setMinimumWidth(QFontMetrics(title).horizontalAdvance(windowTitle()) + kTitleBarExtras);
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
