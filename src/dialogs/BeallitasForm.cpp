#include "dialogs/BeallitasForm.h"

#include "services/Modal.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TBeallitasFormText {
    Q_DECLARE_TR_FUNCTIONS(TBeallitasFormText)
};
} // namespace

namespace {

// The millimetre fields of this dialog, wide enough for their longest value.
QDoubleSpinBox* WideMmField(QWidget* parent, TPageValue value) {
    QDoubleSpinBox* spin = PageValueSpin(parent, value, TPageControls::pcDialogs);
    spin->setMinimumWidth(90);
    return spin;
}

QCheckBox* Check(QWidget* parent, const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QLabel* Caption(TPageValue value, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(PageValueCaption(value), parent);
    label->setBuddy(buddy);
    return label;
}

QLabel* Note(QWidget* parent) {
    auto* note = new QLabel(TBeallitasFormText::tr("Csak akkor kapcsolja ki, ha biztos benne!"), parent);
    note->setContentsMargins(20, 0, 0, 6);
    QFont f = note->font();
    f.setItalic(true);
    note->setFont(f);
    return note;
}

// A sheet with its printable area, the picture the margin fields are placed round. Decorative.
class TDrawnPage final : public QWidget {
public:
    explicit TDrawnPage(QWidget* parent) : QWidget(parent) { setMinimumSize(70, 90); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        // An A4 proportion, centred.
        const double h = height() - 8.0;
        const double w = std::min(width() - 8.0, h * 210.0 / 297.0);
        const QRectF sheet((width() - w) / 2, 4, w, h);
        p.setPen(QPen(Qt::darkGray, 1));
        p.setBrush(Qt::white);
        p.drawRect(sheet.translated(2, 2).adjusted(0, 0, 0, 0));
        p.setBrush(Qt::white);
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(sheet);
        const QRectF area = sheet.adjusted(w * 0.08, h * 0.07, -w * 0.08, -h * 0.06);
        p.setPen(QPen(Qt::blue, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(area);
        // A few labels in the area.
        p.setPen(QPen(QColor(160, 160, 160), 1));
        const double lw = (area.width() - 4) / 3, lh = area.height() / 6;
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 3; ++c)
                p.drawRect(QRectF(area.left() + 1 + c * (lw + 1), area.top() + 2 + r * (lh + 2), lw - 1, lh));
    }
};

} // namespace

TBeallitasForm::TBeallitasForm(TSettings& settings, const TSettingsFile& file, IModal& modal, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      FSettings(settings), FFile(file), FModal(modal) {
    setObjectName(QStringLiteral("BeallitasForm"));
    setWindowTitle(TBeallitasFormText::tr("Beállítások"));
    auto* layout = new QVBoxLayout(this);
    Lapok = new QTabWidget(this);
    Lapok->setObjectName(QStringLiteral("Lapok"));
    Lapok->addTab(BuildGeneralPage(), TBeallitasFormText::tr("Általános"));
    Lapok->addTab(BuildPagePage(), TBeallitasFormText::tr("Etikett oldal"));
    Lapok->addTab(BuildLabelPage(), TBeallitasFormText::tr("Etikett címke"));
    Lapok->addTab(BuildBarcodePage(), TBeallitasFormText::tr("Vonalkód"));
    layout->addWidget(Lapok);

    auto* bar = new QHBoxLayout;
    RendbenGomb = new QPushButton(TBeallitasFormText::tr("Rendben"), this);
    RendbenGomb->setObjectName(QStringLiteral("RendbenGomb"));
    RendbenGomb->setToolTip(TBeallitasFormText::tr("Rögzítés"));
    VisszaGomb = new QPushButton(TBeallitasFormText::tr("Vissza"), this);
    VisszaGomb->setObjectName(QStringLiteral("VisszaGomb"));
    VisszaGomb->setToolTip(TBeallitasFormText::tr("Alapbeállítások visszaállítása"));
    SugoGomb = new QPushButton(TBeallitasFormText::tr("Súgó"), this);
    SugoGomb->setObjectName(QStringLiteral("SugoGomb"));
    // Enter moves between the fields; it must not press a button by default.
    for (QPushButton* b : {RendbenGomb, VisszaGomb, SugoGomb}) {
        b->setAutoDefault(false);
        bar->addWidget(b);
    }
    bar->insertStretch(0);
    layout->addLayout(bar);

    connect(RendbenGomb, &QPushButton::clicked, this, &TBeallitasForm::RendbenGombClick);
    connect(VisszaGomb, &QPushButton::clicked, this, &TBeallitasForm::VisszaGombClick);
    connect(SugoGomb, &QPushButton::clicked, this, [this] { ShowHelp(kHelpContext); });
    ConnectA4(A4Gomb, OldalSzel, OldalHossz);

    ShowGeometry();
    ConnectGeometry();
    ShowFlags();
    setFixedSize(456, 339);
}

QWidget* TBeallitasForm::BuildGeneralPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* group = new QGroupBox(TBeallitasFormText::tr("EGYÉB"), page);
    auto* g = new QVBoxLayout(group);
    cbAutoSugo = Check(group, "cbAutoSugo", TBeallitasFormText::tr("&Indításkor jelenjen meg a Súgó"));
    cbAOrsina =
        Check(group, "cbAOrsina", TBeallitasFormText::tr("&Indításkor jelenjen meg a Varázsló (Orsina)"));
    g->addWidget(cbAutoSugo);
    g->addWidget(cbAOrsina);
    layout->addWidget(group);
    layout->addStretch();
    return page;
}

QWidget* TBeallitasForm::BuildPagePage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    OldalHossz = WideMmField(page, TPageValue::pvPageLength);
    OldalSzel = WideMmField(page, TPageValue::pvPageWidth);
    Felsom = WideMmField(page, TPageValue::pvTopMargin);
    Balm = WideMmField(page, TPageValue::pvLeftMargin);
    Jobbm = WideMmField(page, TPageValue::pvRightMargin);
    Alsom = WideMmField(page, TPageValue::pvBottomMargin);
    // Round the drawn page the margins' captions say it all: this dialog gives them no hint.
    for (QDoubleSpinBox* margin : {Felsom, Balm, Jobbm, Alsom})
        margin->setToolTip(QString());
    A4Gomb = new QPushButton(TBeallitasFormText::tr("A4"), page);
    A4Gomb->setObjectName(QStringLiteral("A4Gomb"));
    A4Gomb->setToolTip(TBeallitasFormText::tr("A4 -es oldal méret beállítása"));
    A4Gomb->setAutoDefault(false);

    // Size on the left; the margins round the drawn page on the right.
    auto* size = new QVBoxLayout;
    size->addWidget(Caption(TPageValue::pvPageLength, OldalHossz, page));
    size->addWidget(OldalHossz);
    size->addWidget(Caption(TPageValue::pvPageWidth, OldalSzel, page));
    size->addWidget(OldalSzel);
    size->addWidget(A4Gomb);
    size->addStretch();
    grid->addLayout(size, 0, 0, 5, 1);

    auto* top = new QVBoxLayout;
    top->addWidget(Caption(TPageValue::pvTopMargin, Felsom, page), 0, Qt::AlignHCenter);
    top->addWidget(Felsom, 0, Qt::AlignHCenter);
    grid->addLayout(top, 0, 2);
    auto* left = new QVBoxLayout;
    left->addWidget(Caption(TPageValue::pvLeftMargin, Balm, page));
    left->addWidget(Balm);
    grid->addLayout(left, 1, 1, Qt::AlignVCenter);
    grid->addWidget(new TDrawnPage(page), 1, 2);
    auto* right = new QVBoxLayout;
    right->addWidget(Caption(TPageValue::pvRightMargin, Jobbm, page));
    right->addWidget(Jobbm);
    grid->addLayout(right, 1, 3, Qt::AlignVCenter);
    auto* bottom = new QVBoxLayout;
    bottom->addWidget(Caption(TPageValue::pvBottomMargin, Alsom, page), 0, Qt::AlignHCenter);
    bottom->addWidget(Alsom, 0, Qt::AlignHCenter);
    grid->addLayout(bottom, 2, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);
    return page;
}

QWidget* TBeallitasForm::BuildLabelPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    CMagassag = WideMmField(page, TPageValue::pvLabelHeight);
    CSzelesseg = WideMmField(page, TPageValue::pvLabelWidth);
    COszlopok = ColumnsSpin(page, TPageControls::pcDialogs);
    CTerkoz = WideMmField(page, TPageValue::pvColumnSpace);
    grid->addWidget(Caption(TPageValue::pvLabelHeight, CMagassag, page), 0, 0);
    grid->addWidget(CMagassag, 0, 1);
    grid->addWidget(Caption(TPageValue::pvLabelWidth, CSzelesseg, page), 1, 0);
    grid->addWidget(CSzelesseg, 1, 1);
    grid->addWidget(Caption(TPageValue::pvColumns, COszlopok, page), 2, 0);
    grid->addWidget(COszlopok, 2, 1);
    grid->addWidget(Caption(TPageValue::pvColumnSpace, CTerkoz, page), 3, 0);
    grid->addWidget(CTerkoz, 3, 1);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

QWidget* TBeallitasForm::BuildBarcodePage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    cbSecurity = Check(page, "cbSecurity", QStringLiteral("&Security"));
    cbAutoChD = Check(page, "cbAutoChD",
                      TBeallitasFormText::tr("&Ellenőrző szám automatikusan (Codabar, Code39, Code128)"));
    cbAutoBetu = Check(page, "cbAutoBetu", TBeallitasFormText::tr("Automatikus &betűméret"));
    cbAutoVonal = Check(page, "cbAutoVonal", TBeallitasFormText::tr("Automatikus &vonalkód méret"));
    cbAutoExcel = Check(page, "cbAutoExcel", TBeallitasFormText::tr("Adatforrás &automatikus megnyitása"));
    layout->addWidget(cbSecurity);
    layout->addWidget(cbAutoChD);
    layout->addWidget(Note(page));
    layout->addWidget(cbAutoBetu);
    layout->addWidget(cbAutoVonal);
    layout->addWidget(Note(page));
    layout->addWidget(cbAutoExcel);
    layout->addStretch();
    return page;
}

TPageSetupFields TBeallitasForm::Fields() const {
    return {OldalHossz, OldalSzel, Felsom, Balm, Jobbm, Alsom, CMagassag, CSzelesseg, COszlopok, CTerkoz};
}

void TBeallitasForm::ShowGeometry() {
    const TPageSetup page = FSettings.Page; // the fields write into the settings as they change
    Fields().Show(page);
}

void TBeallitasForm::ConnectGeometry() {
    const TPageSetupFields fields = Fields();
    for (const TPageValueInfo& info : PageSetupValues()) {
        QAbstractSpinBox* control = fields.Control(info.Value);
        const auto store = [this, control, value = info.Value] {
            FSettings.Page.SetValue(value, ControlValue(control));
        };
        if (auto* whole = qobject_cast<QSpinBox*>(control))
            connect(whole, &QSpinBox::valueChanged, this, store);
        else
            connect(static_cast<QDoubleSpinBox*>(control), &QDoubleSpinBox::valueChanged, this, store);
    }
}

void TBeallitasForm::ShowFlags() {
    cbAutoSugo->setChecked(FSettings.AutoSugo);
    cbAOrsina->setChecked(FSettings.AutoOrsina);
    cbSecurity->setChecked(FSettings.Security);
    cbAutoChD->setChecked(FSettings.AutoChd);
    cbAutoBetu->setChecked(FSettings.AutoBetu);
    cbAutoVonal->setChecked(FSettings.AutoVonal);
    cbAutoExcel->setChecked(FSettings.AutoAdatforras);
}

int TBeallitasForm::Execute(int page) {
    ShowFlags();
    if (page >= 0 && page < Lapok->count())
        Lapok->setCurrentIndex(page);
    const int before = CurrentHelpContext();
    if (SetHelpContext)
        SetHelpContext(kHelpContext);
    FHelpContext = kHelpContext;
    const int result = FModal.RunModal(*this);
    if (SetHelpContext)
        SetHelpContext(before);
    FHelpContext = before;
    return result;
}

void TBeallitasForm::RendbenGombClick() {
    FSettings.AutoSugo = cbAutoSugo->isChecked();
    FSettings.AutoOrsina = cbAOrsina->isChecked();
    FSettings.Security = cbSecurity->isChecked();
    FSettings.AutoChd = cbAutoChD->isChecked();
    FSettings.AutoBetu = cbAutoBetu->isChecked();
    FSettings.AutoVonal = cbAutoVonal->isChecked();
    FSettings.AutoAdatforras = cbAutoExcel->isChecked();
    if (Save)
        Save();
    else
        FFile.WriteOrWarn(FSettings, FModal);
    if (SettingsChanged)
        SettingsChanged();
    accept();
}

void TBeallitasForm::VisszaGombClick() {
    if (!FModal.Message(windowTitle(), TBeallitasFormText::tr("Valóban visszaállítja az alapbeállításokat?"),
                        QStringLiteral("K")))
        return;
    const std::optional<TSettings> defaults = FFile.Reset();
    if (!defaults)
        return;
    // The template name and the window size are not settings the dialog shows.
    TSettings fresh = *defaults;
    fresh.Utolso = FSettings.Utolso;
    fresh.AblakMagassag = FSettings.AblakMagassag;
    fresh.AblakSzelesseg = FSettings.AblakSzelesseg;
    FSettings = fresh;
    ShowGeometry();
    ShowFlags();
    if (SettingsChanged)
        SettingsChanged();
}

int TBeallitasForm::CurrentHelpContext() const {
    return HelpContext ? HelpContext() : FHelpContext;
}

void TBeallitasForm::ShowHelp(int topic) {
    FModal.ShowHelp(topic);
}

void TBeallitasForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        focusNextChild();
        return;
    case Qt::Key_F1:
        ShowHelp(CurrentHelpContext());
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace etikor
