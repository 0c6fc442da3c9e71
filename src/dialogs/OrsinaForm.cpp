#include "dialogs/OrsinaForm.h"

#include "services/Modal.h"
#include "ui/RadioList.h"
#include "ui/StockChooser.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TOrsinaFormText {
    Q_DECLARE_TR_FUNCTIONS(TOrsinaFormText)
};
} // namespace

IOrsinaHost::~IOrsinaHost() = default;

namespace {

const QString kCr = QStringLiteral("\r");

struct TPageText {
    const char* Tab;
    const char* Caption;
    const char* Bubble;
};
const TPageText kPages[3] = {
    {QT_TRANSLATE_NOOP("TOrsinaFormText", "Oldal méret"),
     QT_TRANSLATE_NOOP("TOrsinaFormText", "Orsina / Varázsló / Oldal méret beállítása"),
     QT_TRANSLATE_NOOP(
         "TOrsinaFormText",
         "Itt adhatod meg az etiketteket tartalmazó lap pontos méreteit.\r\nHa szalagon (egypályás "
         "nyomtatókhoz) vannak a címkék, akkor a címke méreténél egy kicsivel nagyobb méretet adj meg!")},
    {QT_TRANSLATE_NOOP("TOrsinaFormText", "Címke méret"),
     QT_TRANSLATE_NOOP("TOrsinaFormText", "Orsina / Varázsló / Címke méret beállítása"),
     QT_TRANSLATE_NOOP(
         "TOrsinaFormText",
         "Ebben a részben lehet beállítani a címkék pontos méreteit. Egyes nyomtatóknál a magassághoz "
         "érdemes egy kicsit hozzáadni a megfelelő nyomtatási kép eléréséhez.")},
    {QT_TRANSLATE_NOOP("TOrsinaFormText", "Adatforrás"),
     QT_TRANSLATE_NOOP("TOrsinaFormText", "Orsina / Varázsló / Adatforrás kiválasztása"),
     QT_TRANSLATE_NOOP(
         "TOrsinaFormText",
         "Annyi címkét nyomtat a program alapértelmezés szerint, amennyi az adatforrásban szerepel. Ha "
         "nem Excel-t használsz adatforrásként, akkor a nyomtatásnál is szabályozhatod a nyomtatni "
         "kívánt címkék mennyiségét.")},
};

// The assistant: a small drawn figure.
QPixmap OrsinaPicture() {
    QPixmap pixmap(90, 130);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Dress.
    QPainterPath dress;
    dress.moveTo(45, 52);
    dress.lineTo(15, 125);
    dress.lineTo(75, 125);
    dress.closeSubpath();
    p.setPen(QPen(QColor(90, 30, 110), 2));
    p.setBrush(QColor(160, 80, 190));
    p.drawPath(dress);
    // Hair, face, eyes, smile.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 70, 30));
    p.drawEllipse(QPointF(45, 30), 22, 24);
    p.setBrush(QColor(255, 220, 190));
    p.drawEllipse(QPointF(45, 33), 16, 18);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(39, 30), 2, 2.5);
    p.drawEllipse(QPointF(51, 30), 2, 2.5);
    p.setPen(QPen(QColor(170, 40, 40), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(38, 34, 14, 9), 200 * 16, 140 * 16);
    // A wand.
    p.setPen(QPen(QColor(80, 60, 20), 2));
    p.drawLine(QPointF(62, 80), QPointF(84, 58));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 200, 0));
    p.drawEllipse(QPointF(85, 57), 4, 4);
    return pixmap;
}

} // namespace

TOrsinaForm::TOrsinaForm(IOrsinaHost& host, TSettings& settings, IModal& modal, QWidget* parent)
    : QDialog(parent), FHost(host), FSettings(settings), FModal(modal) {
    setObjectName(QStringLiteral("OrsinaForm"));
    auto* layout = new QVBoxLayout(this);
    auto* middle = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Orsina"));
    picture->setPixmap(OrsinaPicture().scaledToHeight(96, Qt::SmoothTransformation));
    picture->setToolTip(QStringLiteral("Orsina"));
    auto* side = new QVBoxLayout;
    Buborek = new QLabel(this);
    Buborek->setObjectName(QStringLiteral("Buborek"));
    Buborek->setWordWrap(true);
    Buborek->setFixedWidth(200);
    QFont small = Buborek->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    Buborek->setFont(small);
    Buborek->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Buborek->setStyleSheet(QStringLiteral("QLabel { background: #FFFFE1; border: 1px solid #808080; "
                                          "border-radius: 10px; padding: 4px; color: black; }"));
    side->addWidget(Buborek);
    side->addWidget(picture, 0, Qt::AlignHCenter | Qt::AlignBottom);
    Lapok = new QTabWidget(this);
    Lapok->setObjectName(QStringLiteral("Lapok"));
    Lapok->setDocumentMode(true); // the pages' tabs look like flat buttons
    Lapok->addTab(BuildSheetPage(), TOrsinaFormText::tr(kPages[0].Tab));
    Lapok->addTab(BuildLabelPage(), TOrsinaFormText::tr(kPages[1].Tab));
    Lapok->addTab(BuildSourcePage(), TOrsinaFormText::tr(kPages[2].Tab));
    middle->addWidget(Lapok, 1);
    middle->addLayout(side);
    layout->addLayout(middle, 1);

    auto* bar = new QHBoxLayout;
    cb_Varazslo = new QCheckBox(TOrsinaFormText::tr("&Varázsló automatikus indítása"), this);
    cb_Varazslo->setObjectName(QStringLiteral("cb_Varazslo"));
    SugoGomb = new QPushButton(TOrsinaFormText::tr("Súgó [F1]"), this);
    SugoGomb->setObjectName(QStringLiteral("SugoGomb"));
    VisszaGomb = new QPushButton(TOrsinaFormText::tr("<< &Vissza"), this);
    VisszaGomb->setObjectName(QStringLiteral("VisszaGomb"));
    TovabbGomb = new QPushButton(TOrsinaFormText::tr("&Tovább >>"), this);
    TovabbGomb->setObjectName(QStringLiteral("TovabbGomb"));
    bar->addWidget(cb_Varazslo);
    bar->addStretch();
    for (QPushButton* b : {SugoGomb, VisszaGomb, TovabbGomb}) {
        b->setAutoDefault(false);
        bar->addWidget(b);
    }
    layout->addLayout(bar);

    connect(SugoGomb, &QPushButton::clicked, this, [this] { FModal.ShowHelp(FHost.HelpContext()); });
    connect(VisszaGomb, &QPushButton::clicked, this, [this] { ShowPage(Page() - 1); });
    connect(TovabbGomb, &QPushButton::clicked, this, [this] {
        if (Page() == 2)
            accept(); // through the closing question
        else
            ShowPage(Page() + 1);
    });
    connect(Lapok, &QTabWidget::currentChanged, this, &TOrsinaForm::PageShown);
    ConnectA4(A4Gomb, OldalSzel, OldalHossz);
    connect(cb_Varazslo, &QCheckBox::toggled, this, [this](bool on) { FSettings.AutoOrsina = on; });
    connect(gr_Aforras, &TRadioList::Clicked, this, &TOrsinaForm::SourceClicked);

    // Opening.
    FLinkedAtOpening = FHost.LinkFlag();
    FWorkbookAtOpening = FHost.WorkbookPath();
    FSourceAtOpening = FHost.DataSource();
    Fields().Show(FHost.Geometry());
    cb_Varazslo->setChecked(FSettings.AutoOrsina);
    FHost.SetHelpContext(kHelpContext);
    PageShown();

    FAskTimer.setSingleShot(true);
    FAskTimer.setInterval(kAskDelayMs);
    connect(&FAskTimer, &QTimer::timeout, this, &TOrsinaForm::AskForNewTemplate);
    FAskTimer.start();
    setFixedSize(567, 290);
}

QWidget* TOrsinaForm::BuildSheetPage() {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    constexpr TPageControls dialog = TPageControls::pcDialogs;
    OldalHossz = PageValueSpin(page, TPageValue::pvPageLength, dialog);
    OldalSzel = PageValueSpin(page, TPageValue::pvPageWidth, dialog);
    A4Gomb = new QPushButton(TOrsinaFormText::tr("A4"), page);
    A4Gomb->setObjectName(QStringLiteral("A4Gomb"));
    A4Gomb->setToolTip(TOrsinaFormText::tr("A4 -es oldal méret beállítása"));
    A4Gomb->setAutoDefault(false);
    Felsom = PageValueSpin(page, TPageValue::pvTopMargin, dialog);
    Balm = PageValueSpin(page, TPageValue::pvLeftMargin, dialog);
    Jobbm = PageValueSpin(page, TPageValue::pvRightMargin, dialog);
    Alsom = PageValueSpin(page, TPageValue::pvBottomMargin, dialog);
    // The margins round a drawn sheet.
    auto* sheet = new QLabel(page);
    QPixmap pixmap(34, 46);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(0, 0, 33, 45);
        p.setPen(QPen(Qt::blue, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(4, 5, 25, 36);
    }
    sheet->setPixmap(pixmap);
    // The margins round the sheet, the sheet's size below.
    g->setVerticalSpacing(3);
    g->addWidget(Felsom, 0, 1);
    g->addWidget(Balm, 1, 0, Qt::AlignVCenter);
    g->addWidget(sheet, 1, 1, Qt::AlignCenter);
    g->addWidget(Jobbm, 1, 2, Qt::AlignVCenter);
    g->addWidget(Alsom, 2, 1);
    g->addWidget(new QLabel(PageValueCaption(TPageValue::pvPageLength), page), 3, 0);
    g->addWidget(new QLabel(PageValueCaption(TPageValue::pvPageWidth), page), 3, 1);
    g->addWidget(OldalHossz, 4, 0);
    g->addWidget(OldalSzel, 4, 1);
    g->addWidget(A4Gomb, 4, 2);
    CimkeivGomb = new QPushButton(TOrsinaFormText::tr("Címkeív…"), page);
    CimkeivGomb->setObjectName(QStringLiteral("CimkeivGomb"));
    CimkeivGomb->setToolTip(TOrsinaFormText::tr("Oldal és címke méret a gyártók címkeívei közül"));
    CimkeivGomb->setAutoDefault(false);
    g->addWidget(CimkeivGomb, 5, 0, 1, 2);
    connect(CimkeivGomb, &QPushButton::clicked, this, [this] {
        if (const std::optional<TPageSetup> chosen = ChooseStock(FModal, Fields().Read(), this))
            Fields().Show(*chosen);
    });
    return page;
}

QWidget* TOrsinaForm::BuildLabelPage() {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    constexpr TPageControls dialog = TPageControls::pcDialogs;
    CSzelesseg = PageValueSpin(page, TPageValue::pvLabelWidth, dialog);
    CMagassag = PageValueSpin(page, TPageValue::pvLabelHeight, dialog);
    COszlopok = ColumnsSpin(page, dialog);
    CTerkoz = PageValueSpin(page, TPageValue::pvColumnSpace, dialog);
    int row = 0;
    for (const auto& [value, field] : {std::pair<TPageValue, QWidget*>{TPageValue::pvLabelWidth, CSzelesseg},
                                       {TPageValue::pvLabelHeight, CMagassag},
                                       {TPageValue::pvColumns, COszlopok},
                                       {TPageValue::pvColumnSpace, CTerkoz}}) {
        auto* caption = new QLabel(PageValueCaption(value), page);
        caption->setBuddy(field);
        g->addWidget(caption, row, 0);
        g->addWidget(field, row++, 1);
    }
    g->setRowStretch(4, 1);
    return page;
}

QWidget* TOrsinaForm::BuildSourcePage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    gr_Aforras = new TRadioList(QStringLiteral("gr_Aforras"), TOrsinaFormText::tr("Adatforrás"),
                                {TOrsinaFormText::tr("Vonalkód adatok kézi rögzítése"),
                                 TOrsinaFormText::tr("Vonalkód sorozat generálása"),
                                 TOrsinaFormText::tr("MS-Excel kapcsolat"),
                                 TOrsinaFormText::tr("Kapcsolat bontása (MS-Excel)")},
                                1, page);
    // Linking a workbook is not in every build of the program: its two items wait for it.
    if (!FHost.CanLink()) {
        const QList<QRadioButton*> items = gr_Aforras->findChildren<QRadioButton*>();
        for (QRadioButton* item : items)
            if (item->objectName().endsWith(QLatin1String("_2")) ||
                item->objectName().endsWith(QLatin1String("_3")))
                item->setEnabled(false);
    }
    layout->addWidget(gr_Aforras);
    layout->addStretch();
    return page;
}

int TOrsinaForm::Page() const {
    return Lapok->currentIndex();
}

void TOrsinaForm::ShowPage(int page) {
    if (page >= 0 && page < Lapok->count())
        Lapok->setCurrentIndex(page);
}

void TOrsinaForm::PageShown() {
    const int page = Page();
    FHost.SetHelpContext(page == 2 ? 27 : kHelpContext);
    setWindowTitle(TOrsinaFormText::tr(kPages[page].Caption));
    Buborek->setText(
        TOrsinaFormText::tr(kPages[page].Bubble).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    VisszaGomb->setEnabled(page > 0);
    TovabbGomb->setEnabled(true);
    TovabbGomb->setText(page == 2 ? TOrsinaFormText::tr("VÉGE") : TOrsinaFormText::tr("&Tovább >>"));
}

TPageSetupFields TOrsinaForm::Fields() const {
    return {OldalHossz, OldalSzel, Felsom, Balm, Jobbm, Alsom, CMagassag, CSzelesseg, COszlopok, CTerkoz};
}

void TOrsinaForm::AskForNewTemplate() {
    FHost.SetHelpContext(21);
    const bool yes =
        FModal.Message(windowTitle(),
                       TOrsinaFormText::tr("A varázsló futtatása előtt célszerű egy új sablont létrehozni.") +
                           kCr + TOrsinaFormText::tr("Létrehozzunk egy új címke-sablont?"),
                       QStringLiteral("K"));
    if (yes)
        FHost.SaveAs();
    FHost.SetHelpContext(kHelpContext);
}

void TOrsinaForm::WarnLinked() {
    FHost.SetHelpContext(38);
    FModal.Message(
        windowTitle(),
        TOrsinaFormText::tr("Jelenleg MS-Excel filehoz kapcsolódik, így nem lehet kézzel rögzíteni.") + kCr +
            TOrsinaFormText::tr("Kapcsolat: ") + FHost.StoredWorkbookName() + kCr +
            TOrsinaFormText::tr("Használja a kapcsolat bontása funkciót!"),
        QStringLiteral("F"));
}

void TOrsinaForm::SourceClicked(int item) {
    switch (item) {
    case 0:
        if (FHost.LinkFlag())
            WarnLinked();
        else
            FHost.ManualEntry();
        break;
    case 1:
        FHost.SetHelpContext(29);
        if (FHost.LinkFlag())
            WarnLinked();
        else
            FHost.SeriesDesigner();
        break;
    case 2:
        FHost.SetHelpContext(38);
        FHost.LinkWorkbook();
        break;
    case 3:
        if (!FHost.LinkFlag())
            break;
        FHost.SetHelpContext(38);
        FHost.SeriesInsteadOfLink();
        FHost.SetLinkFlag(false);
        FModal.Message(windowTitle(), TOrsinaFormText::tr("Nincs kapcsolt adat!"), QStringLiteral("I"));
        break;
    default:
        break;
    }
}

bool TOrsinaForm::Closing() {
    FHost.SetHelpContext(kHelpContext);
    const bool yes = FModal.Message(windowTitle(), TOrsinaFormText::tr("Felhasználod a beállított adatokat?"),
                                    QStringLiteral("K"));
    if (yes) {
        if (!FHost.DataSourceUsable() || gr_Aforras->ItemIndex() < 0) {
            FModal.Message(windowTitle(), TOrsinaFormText::tr("Nincs, vagy üres az adatforrás!"),
                           QStringLiteral("F"));
            ShowPage(2);
            TovabbGomb->setText(TOrsinaFormText::tr("&Tovább >>"));
            return false;
        }
        FHost.ApplyGeometry(Fields().Read());
    } else {
        FHost.SetDataSource(FSourceAtOpening);
        if (FLinkedAtOpening && FSettings.AutoAdatforras)
            FHost.Reconnect(FWorkbookAtOpening);
        else if (FHost.LinkFlag())
            FHost.SeriesInsteadOfLink();
        FHost.SetLinkFlag(FLinkedAtOpening);
        FHost.FirstRecord();
    }
    FHost.ShowRecordCount();
    FHost.SaveSettings();
    return true;
}

void TOrsinaForm::done(int result) {
    if (FClosed || !Closing())
        return;
    FClosed = true;
    FAskTimer.stop();
    QDialog::done(result);
}

void TOrsinaForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        focusNextChild();
        return;
    case Qt::Key_F1:
        FModal.ShowHelp(FHost.HelpContext());
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace etikor
