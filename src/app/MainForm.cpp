#include "app/MainForm.h"

#include "data/Cp1250.h"
#include "data/DatabaseError.h"
#include "data/FormatSettings.h"
#include "designer/BarcodeView.h"
#include "designer/LabelCanvas.h"
#include "designer/Ruler.h"
#include "designer/Sizer.h"
#include "document/FontDescriptor.h"
#include "document/TemplateModel.h"
#include "series/ManualEntry.h"
#include "series/ui/KeziForm.h"
#include "series/ui/TervezoForm.h"
#include "services/Modal.h"
#include "tablestore/StoreTable.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <stdexcept>

namespace etikor {

namespace {

const QString kCr = QStringLiteral("\r");
const char* const kPendingProperty = "etikorPending";

QString FromCp1250(const std::string& bytes) {
    return QString::fromStdString(Cp1250ToUtf8(bytes));
}

QString Mm2(double value) {
    return QString::fromStdString(FormatFloat("0.00", value));
}

// A millimetre spinner: range, one or two decimals, " mm".
QDoubleSpinBox* MmSpin(QWidget* parent, const char* name, double min, double max, int decimals,
                       const QString& hint) {
    auto* spin = new QDoubleSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(min, max);
    spin->setDecimals(decimals);
    spin->setSuffix(QStringLiteral(" mm"));
    spin->setToolTip(hint);
    return spin;
}

QLineEdit* ReadOnlyEdit(QWidget* parent, const char* name, const QString& hint) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setToolTip(hint);
    return edit;
}

} // namespace

TMainForm::TMainForm(TDM& dm, IModal& modal, QWidget* parent) : QMainWindow(parent), FDM(dm), FModal(modal) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Etikor"));
    FTimer1.setObjectName(QStringLiteral("Timer1"));
    FTimer1.setInterval(800);
    FTimer1.setSingleShot(false);
    connect(&FTimer1, &QTimer::timeout, this, [this] {
        FTimer1.stop();
        // The label wizard arrives with its own part of the program; until then the timer
        // only switches itself off.
    });

    BuildMenus();
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Kozep"));
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(BuildButtonBar());
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(BuildPageControl());
    body->addWidget(BuildToolBar());
    FCanvas = new TLabelCanvas(central);
    body->addWidget(FCanvas, 1);
    outer->addLayout(body, 1);
    setCentralWidget(central);
    BuildStatusBar();

    connect(FCanvas, &TLabelCanvas::ElementClicked, this, &TMainForm::SelectElement);
    connect(FCanvas, &TLabelCanvas::LabelClicked, this, &TMainForm::ClearSelectionNow);
    connect(FCanvas, &TLabelCanvas::PositionChanged, this,
            [this](const QString& text) { FPanels[0]->setText(text); });
    connect(FCanvas, &TLabelCanvas::PointerOverLabel, this, [this] {
        QWidget* tab = findChild<QWidget*>(QStringLiteral("tsElemek"));
        if (FPages->currentWidget() != tab)
            FPages->setCurrentWidget(tab);
    });
    connect(FCanvas, &TLabelCanvas::GeometryEnded, this, &TMainForm::ElementGeometryEnded);

    // Client area 780 x 476 under the menu; the border is not for resizing.
    const int menuHeight = menuBar()->sizeHint().height();
    setMinimumSize(724, 498);
    resize(780, 476 + menuHeight);
    setFixedSize(size());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // The window sees every key before the focused control.
    qApp->installEventFilter(this);
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(this);
}

TDocumentState& TMainForm::State() {
    return FFiles ? FFiles->State : FFallbackState;
}

int TMainForm::Zoom() const {
    return FCanvas->Zoom();
}

QString TMainForm::Panel(int number) const {
    return number >= 1 && number <= 4 ? FPanels[number - 1]->text() : QString();
}

// ---- construction -------------------------------------------------------------------------

QAction* TMainForm::AddItem(QMenu* menu, const QString& caption, const char* name,
                            const QKeySequence& shortcut) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QToolButton* TMainForm::AddButton(QWidget* parent, const char* name, const QString& hint,
                                  const QString& caption) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    if (!caption.isEmpty())
        button->setText(caption);
    button->setAutoRaise(true);
    return button;
}

void TMainForm::Pending(QWidget* widget) {
    widget->setProperty(kPendingProperty, true);
    widget->setEnabled(false);
}

void TMainForm::Pending(QAction* action) {
    action->setProperty(kPendingProperty, true);
    action->setEnabled(false);
}

void TMainForm::Allow(QWidget* widget, bool enabled) {
    widget->setEnabled(enabled && !widget->property(kPendingProperty).toBool());
}

void TMainForm::Allow(QAction* action, bool enabled) {
    action->setEnabled(enabled && !action->property(kPendingProperty).toBool());
}

void TMainForm::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File1"));
    connect(AddItem(file, QStringLiteral("Új sorozat..."), "mUj"), &QAction::triggered, this,
            [this] { FileCommand(&TTemplateFiles::New); });
    connect(AddItem(file, QStringLiteral("Megnyitás..."), "mMegnyit"), &QAction::triggered, this,
            [this] { FileCommand(&TTemplateFiles::Open); });
    connect(AddItem(file, QStringLiteral("Kézi rögzítés"), "mKezi"), &QAction::triggered, this,
            &TMainForm::OpenManualEntry);
    connect(AddItem(file, QStringLiteral("Mentés másként..."), "mMentes"), &QAction::triggered, this,
            [this] { FileCommand(&TTemplateFiles::SaveAs); });
    Pending(AddItem(file, QStringLiteral("Adatböngésző"), "mAdatbongeszo"));
    Pending(AddItem(file, QStringLiteral("Importálás (Excel)"), "ImportlsExcel1"));
    QMenu* exportMenu = file->addMenu(QStringLiteral("Export"));
    exportMenu->setObjectName(QStringLiteral("Export1"));
    Pending(AddItem(exportMenu, QStringLiteral("Excel file"), "Excelfile1"));
    file->addSeparator();
    connect(AddItem(file, QStringLiteral("Kilépés"), "Kilps2"), &QAction::triggered, this, &QWidget::close);

    QAction* settings = bar->addAction(QStringLiteral("Beállítások"));
    settings->setObjectName(QStringLiteral("Belltsok1"));
    Pending(settings);

    QMenu* edit = bar->addMenu(QStringLiteral("Szerkesztés"));
    edit->setObjectName(QStringLiteral("Szerkesztes1"));
    connect(AddItem(edit, QStringLiteral("Kurzor"), "mKurzor"), &QAction::triggered, this,
            &TMainForm::ClearSelectionNow);
    Pending(AddItem(edit, QStringLiteral("Szöveg"), "mSzoveg", QKeySequence(Qt::CTRL | Qt::Key_T)));
    Pending(AddItem(edit, QStringLiteral("Vonalkód"), "mVonalkod", QKeySequence(Qt::CTRL | Qt::Key_V)));
    Pending(AddItem(edit, QStringLiteral("Kép"), "mKep", QKeySequence(Qt::CTRL | Qt::Key_K)));
    Pending(AddItem(edit, QStringLiteral("Rajz"), "mRajz", QKeySequence(Qt::CTRL | Qt::Key_R)));
    QAction* torol =
        AddItem(edit, QStringLiteral("Elem törlése"), "mTorol", QKeySequence(Qt::CTRL | Qt::Key_D));
    torol->setEnabled(false);
    connect(torol, &QAction::triggered, this, &TMainForm::DeleteWithConfirmation);

    QMenu* print = bar->addMenu(QStringLiteral("Nyomtatás"));
    print->setObjectName(QStringLiteral("Nyomtatas1"));
    Pending(AddItem(print, QStringLiteral("Nyomtat..."), "mEtikett"));
    Pending(AddItem(print, QStringLiteral("Nyomtatási kép"), "mPreview"));

    QMenu* help = bar->addMenu(QStringLiteral("Súgó"));
    help->setObjectName(QStringLiteral("Sugo1"));
    connect(AddItem(help, QStringLiteral("Segitség  F1"), "mSugo"), &QAction::triggered, this,
            [this] { ShowHelp(10); });
    QAction* orsina = AddItem(help, QStringLiteral("Orsina"), "mOrsina");
    orsina->setCheckable(true);
    Pending(orsina);

    QAction* quit = bar->addAction(QStringLiteral("Kilépés"));
    quit->setObjectName(QStringLiteral("Kilps1"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
}

QWidget* TMainForm::BuildButtonBar() {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("PFejlec"));
    bar->installEventFilter(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 2, 4, 2);
    const QStyle* s = style();
    QToolButton* uj = AddButton(bar, "UjFileGomb", QStringLiteral("Új..."));
    uj->setIcon(s->standardIcon(QStyle::SP_FileIcon));
    connect(uj, &QToolButton::clicked, this, [this] { FileCommand(&TTemplateFiles::New); });
    QToolButton* open = AddButton(bar, "MegnyitasGomb", QStringLiteral("Megnyitás"));
    open->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    connect(open, &QToolButton::clicked, this, [this] { FileCommand(&TTemplateFiles::Open); });
    QToolButton* kezi = AddButton(bar, "KeziGomb", QStringLiteral("Vonalkód-sorozat kézi rögzítése"));
    kezi->setIcon(s->standardIcon(QStyle::SP_FileDialogDetailedView));
    connect(kezi, &QToolButton::clicked, this, &TMainForm::OpenManualEntry);
    QToolButton* print = AddButton(bar, "NyomtatasGomb", QStringLiteral("Nyomtatás"));
    print->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    Pending(print);
    QToolButton* excel = AddButton(bar, "ExcelImportGomb", QStringLiteral("Importálás MS-Excel táblából"));
    excel->setIcon(s->standardIcon(QStyle::SP_ArrowDown));
    Pending(excel);
    QToolButton* help = AddButton(bar, "SugoGomb", QStringLiteral("Súgó [F1]"));
    help->setIcon(s->standardIcon(QStyle::SP_DialogHelpButton));
    connect(help, &QToolButton::clicked, this, [this] { ShowHelp(10); });
    help->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(help, &QToolButton::customContextMenuRequested, this, [this] { AskHelpTopic(); });
    for (QToolButton* b : {uj, open, kezi, print, excel, help})
        layout->addWidget(b);
    layout->addStretch(1);
    return bar;
}

QWidget* TMainForm::BuildToolBar() {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("PEszkoz"));
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setFixedWidth(34);
    auto* layout = new QVBoxLayout(bar);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    auto* tools = new QButtonGroup(bar);
    tools->setObjectName(QStringLiteral("EszkozCsoport"));
    tools->setExclusive(true);
    struct Tool {
        const char* Name;
        QString Hint;
        QString Caption;
    };
    const Tool list[] = {{"NyilGomb", QStringLiteral("Kurzor"), QStringLiteral("↖")},
                         {"SzovegGomb", QStringLiteral("Szöveg elem"), QStringLiteral("A")},
                         {"VonalkodGomb", QStringLiteral("Vonalkód elem"), QStringLiteral("║")},
                         {"KepGomb", QStringLiteral("Kép elem"), QStringLiteral("▣")},
                         {"RajzGomb", QStringLiteral("Rajz elem"), QStringLiteral("○")}};
    for (const Tool& t : list) {
        QToolButton* b = AddButton(bar, t.Name, t.Hint, t.Caption);
        b->setCheckable(true);
        tools->addButton(b);
        layout->addWidget(b);
        if (QLatin1String(t.Name) == QLatin1String("NyilGomb")) {
            b->setChecked(true);
            connect(b, &QToolButton::clicked, this, &TMainForm::ClearSelectionNow);
        } else {
            // Creating elements comes with the element tools' own part of the program.
            Pending(b);
        }
    }
    layout->addSpacing(6);
    QToolButton* del =
        AddButton(bar, "ElemTorlesGomb", QStringLiteral("Aktuális elem törlése"), QStringLiteral("✕"));
    del->setEnabled(false);
    connect(del, &QToolButton::clicked, this, &TMainForm::DeleteSelected);
    layout->addWidget(del);
    QToolButton* size = AddButton(bar, "NagyitoKep",
                                  QStringLiteral("Kép elem eredeti méretének beállítása\nCímke frissítése."),
                                  QStringLiteral("⟳"));
    connect(size, &QToolButton::clicked, this, &TMainForm::PictureToOwnSize);
    layout->addWidget(size);
    layout->addSpacing(6);
    auto* zooms = new QButtonGroup(bar);
    zooms->setObjectName(QStringLiteral("NagyitasCsoport"));
    for (int z = 1; z <= 3; ++z) {
        const QByteArray name = "Nagyitas" + QByteArray::number(z);
        QToolButton* b = AddButton(bar, name.constData(), QStringLiteral("Nagyítás %1%").arg(z * 100),
                                   QStringLiteral("%1x").arg(z));
        b->setCheckable(true);
        b->setChecked(z == 1);
        zooms->addButton(b, z);
        layout->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, z] { SetZoom(z); });
    }
    layout->addStretch(1);
    return bar;
}

QWidget* TMainForm::BuildPageControl() {
    FPages = new QTabWidget(this);
    FPages->setObjectName(QStringLiteral("PageControl1"));
    FPages->setFixedWidth(262);
    // All four tabs fit side by side on the narrow left panel.
    QFont tabFont = FPages->tabBar()->font();
    tabFont.setPixelSize(11);
    FPages->tabBar()->setFont(tabFont);
    FPages->tabBar()->setUsesScrollButtons(false);
    FPages->addTab(BuildDataSourceTab(), QStringLiteral("&Adatforrás"));
    FPages->addTab(BuildElementTab(), QStringLiteral("&Elemek"));
    FPages->addTab(BuildPageTab(), QStringLiteral("Oldal"));
    FPages->addTab(BuildLabelTab(), QStringLiteral("Cimke"));
    connect(FPages, &QTabWidget::currentChanged, this, [this](int index) {
        const QString name = FPages->widget(index)->objectName();
        if (name == QLatin1String("tsAdatforras"))
            FHelpContext = 10;
        else if (name == QLatin1String("tsElemek"))
            FHelpContext = 11;
        else
            FHelpContext = 26;
    });
    return FPages;
}

QWidget* TMainForm::BuildDataSourceTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("tsAdatforras"));
    auto* layout = new QVBoxLayout(tab);
    auto* gen = new QToolButton(tab);
    gen->setObjectName(QStringLiteral("Gen_Gomb"));
    gen->setText(QStringLiteral("&Generált adatbázis"));
    gen->setCheckable(true);
    gen->setChecked(true);
    gen->setToolButtonStyle(Qt::ToolButtonTextOnly);
    gen->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout->addWidget(gen);
    auto* box = new QWidget(tab);
    box->setObjectName(QStringLiteral("Gen_doboz"));
    auto* boxLayout = new QVBoxLayout(box);
    auto addBoxButton = [&](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, box);
        b->setObjectName(QString::fromLatin1(name));
        boxLayout->addWidget(b);
        return b;
    };
    connect(addBoxButton("GNyit_Gomb", QStringLiteral("Megnyitás")), &QPushButton::clicked, this,
            [this] { FileCommand(&TTemplateFiles::Open); });
    Pending(addBoxButton("Bongeszo_Gomb", QStringLiteral("Adatböngésző")));
    connect(addBoxButton("General_Gomb", QStringLiteral("Generálás")), &QPushButton::clicked, this,
            &TMainForm::OpenSeriesDesigner);
    layout->addWidget(box);
    connect(gen, &QToolButton::toggled, box, &QWidget::setVisible);
    auto* odbc = new QPushButton(QStringLiteral("&ODBC adatforrás"), tab);
    odbc->setObjectName(QStringLiteral("ODBC_Gomb"));
    odbc->setEnabled(false);
    layout->addWidget(odbc);
    layout->addStretch(1);
    return tab;
}

QWidget* TMainForm::BuildElementTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("tsElemek"));
    auto* layout = new QVBoxLayout(tab);
    layout->setSpacing(3);
    auto* ertekLabel = new QLabel(QStringLiteral("Érték / &Szöveg / Adatforrás"), tab);
    layout->addWidget(ertekLabel);
    auto* ertek = new QLineEdit(tab);
    ertek->setObjectName(QStringLiteral("Ertek"));
    ertekLabel->setBuddy(ertek);
    layout->addWidget(ertek);
    auto* valueRow = new QHBoxLayout;
    QToolButton* apply = AddButton(tab, "SzRogzitoGomb", QString(), QStringLiteral("Alkalmaz"));
    Pending(apply);
    QToolButton* field =
        AddButton(tab, "EMezoGomb", QStringLiteral("Adatmező kiválasztása"), QStringLiteral("…"));
    Pending(field);
    QToolButton* dt =
        AddButton(tab, "DtGomb", QStringLiteral("Rendszer dátum vagy idő beszúrása"), QStringLiteral("⌚"));
    Pending(dt);
    QToolButton* pic =
        AddButton(tab, "EFileGomb", QStringLiteral("Kép file kiválasztása"), QStringLiteral("▣"));
    Pending(pic);
    for (QToolButton* b : {apply, field, dt, pic})
        valueRow->addWidget(b);
    layout->addLayout(valueRow);
    auto* dtList = new QListWidget(tab);
    dtList->setObjectName(QStringLiteral("DtLista"));
    for (int i = 0; i < kDateTimeCodeCount; ++i)
        dtList->addItem(FromCp1250(DateTimeCodeListText(i)));
    dtList->hide();
    layout->addWidget(dtList);
    auto* fields = new QTableWidget(0, 3, tab);
    fields->setObjectName(QStringLiteral("Mezok"));
    fields->setHorizontalHeaderLabels(
        {QStringLiteral("Forrás neve (mező)"), QStringLiteral("Tipus"), QStringLiteral("Hossz")});
    fields->hide();
    layout->addWidget(fields);
    QToolButton* fieldsBack = AddButton(tab, "MezoKilepGomb", QString(), QStringLiteral("Mégsem/Vissza"));
    fieldsBack->hide();
    connect(fieldsBack, &QToolButton::clicked, fields, &QWidget::hide);
    connect(fieldsBack, &QToolButton::clicked, fieldsBack, &QWidget::hide);
    layout->addWidget(fieldsBack);

    auto* alignRow = new QHBoxLayout;
    auto* align = new QButtonGroup(tab);
    align->setObjectName(QStringLiteral("IgazitasCsoport"));
    const std::pair<const char*, QString> aligns[] = {{"sbBalra", QStringLiteral("Balra igazítás")},
                                                      {"sbKozepre", QStringLiteral("Középre igazítás")},
                                                      {"sbJobbra", QStringLiteral("Jobbra igazítás")}};
    const QString alignCaptions[] = {QStringLiteral("≡◂"), QStringLiteral("≡"), QStringLiteral("▸≡")};
    int i = 0;
    for (const auto& [name, hint] : aligns) {
        QToolButton* b = AddButton(tab, name, hint, alignCaptions[i++]);
        b->setCheckable(true);
        b->setEnabled(false);
        align->addButton(b);
        alignRow->addWidget(b);
    }
    tab->findChild<QToolButton*>(QStringLiteral("sbBalra"))->setChecked(true);
    auto* rotate = new QComboBox(tab);
    rotate->setObjectName(QStringLiteral("cb_Elforgat"));
    rotate->setToolTip(QStringLiteral("Elforgatás (fok)"));
    rotate->addItems(
        {QStringLiteral("0"), QStringLiteral("90"), QStringLiteral("180"), QStringLiteral("270")});
    rotate->setEnabled(false);
    alignRow->addWidget(rotate);
    QToolButton* fontButton =
        AddButton(tab, "BetuGomb", QStringLiteral("Betűtípus beállítása"), QStringLiteral("F"));
    Pending(fontButton);
    alignRow->addWidget(fontButton);
    layout->addLayout(alignRow);

    auto* form = new QFormLayout;
    form->setVerticalSpacing(1);
    form->addRow(QStringLiteral("Név"),
                 ReadOnlyEdit(tab, "ElemNev_edit", QStringLiteral("Elem belső azonosítója")));
    form->addRow(QStringLiteral("Forrás"),
                 ReadOnlyEdit(tab, "Forras_edit", QStringLiteral("Forrás (adatmező neve)")));
    form->addRow(QStringLiteral("Érték"),
                 ReadOnlyEdit(tab, "Fertek_edit", QStringLiteral("Tárolt érték / első adatmező tartalma")));
    form->addRow(QStringLiteral("Magasság"),
                 ReadOnlyEdit(tab, "Height_edit", QStringLiteral("Kiválasztott elem magassága [mm]")));
    form->addRow(QStringLiteral("Szélesség"),
                 ReadOnlyEdit(tab, "Width_edit", QStringLiteral("Kiválasztott elem szélessége [mm]")));
    form->addRow(QStringLiteral("Fent"),
                 ReadOnlyEdit(tab, "Top_edit", QStringLiteral("Függőleges pozíció [mm]")));
    form->addRow(QStringLiteral("Bal"),
                 ReadOnlyEdit(tab, "Left_edit", QStringLiteral("Vízszintes pozíció [mm]")));
    layout->addLayout(form);
    auto* nav = new QHBoxLayout;
    QToolButton* back =
        AddButton(tab, "Hatra", QStringLiteral("Címke-elem kiválasztása"), QStringLiteral("<"));
    QToolButton* next =
        AddButton(tab, "Elore", QStringLiteral("Címke-elem kiválasztása"), QStringLiteral(">"));
    Pending(back);
    Pending(next);
    nav->addWidget(back);
    nav->addWidget(next);
    layout->addLayout(nav);

    auto* barcode = new QGroupBox(QStringLiteral("Vonalkód"), tab);
    barcode->setObjectName(QStringLiteral("gbVonalkod"));
    auto* bl = new QVBoxLayout(barcode);
    auto* types = new QComboBox(barcode);
    types->setObjectName(QStringLiteral("cb_VkTNev"));
    for (int t = 0; t < kBarcodeTypeCount; ++t)
        types->addItem(FromCp1250(std::string(BarcodeTypeListText(t))));
    Pending(types);
    bl->addWidget(types);
    auto* showValue = new QCheckBox(QStringLiteral("Vonalkód érték látszik"), barcode);
    showValue->setObjectName(QStringLiteral("cbVonalkodErtek"));
    Pending(showValue);
    bl->addWidget(showValue);
    auto* startStop = new QCheckBox(QStringLiteral("Start/Stop vonalak"), barcode);
    startStop->setObjectName(QStringLiteral("cbStartStop"));
    Pending(startStop);
    bl->addWidget(startStop);
    auto* barcodeButtons = new QHBoxLayout;
    QToolButton* vkApply = AddButton(barcode, "VkRogzitGomb", QString(), QStringLiteral("Alkalmaz"));
    Pending(vkApply);
    QToolButton* bmp = AddButton(barcode, "Vk_bmp", QStringLiteral("Kijelölt vonalkód .bmp file-ba másolása"),
                                 QStringLiteral("bmp"));
    Pending(bmp);
    QToolButton* clone = AddButton(barcode, "KlonozasGomb",
                                   QStringLiteral("Kijelölt vonalkód értékének sokszorosítása (klónozás)"),
                                   QStringLiteral("⧉"));
    connect(clone, &QToolButton::clicked, this, &TMainForm::CloneShownBarcode);
    QToolButton* hide = AddButton(barcode, "VonalkodKilepGomb", QStringLiteral("Vonalkód panel elrejtése"),
                                  QStringLiteral("✕"));
    connect(hide, &QToolButton::clicked, barcode, &QWidget::hide);
    for (QToolButton* b : {vkApply, bmp, clone, hide})
        barcodeButtons->addWidget(b);
    bl->addLayout(barcodeButtons);
    barcode->hide();
    layout->addWidget(barcode);
    layout->addStretch(1);
    return tab;
}

QWidget* TMainForm::BuildPageTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("tsOldal"));
    auto* form = new QFormLayout(tab);
    form->addRow(QStringLiteral("Oldal szélesség"),
                 MmSpin(tab, "OldalSzel", 10, 210, 1, QStringLiteral("Oldal szélessége")));
    form->addRow(QStringLiteral("Oldal hossz."),
                 MmSpin(tab, "OldalHossz", 10, 297, 1, QStringLiteral("Oldal hosszúsága")));
    form->addRow(QStringLiteral("Felső margo"),
                 MmSpin(tab, "Felsom", 0, 100, 1, QStringLiteral("Felső margó")));
    form->addRow(QStringLiteral("Bal margo"), MmSpin(tab, "Balm", 0, 100, 1, QStringLiteral("Bal margó")));
    form->addRow(QStringLiteral("Jobb margo"), MmSpin(tab, "Jobbm", 0, 100, 1, QStringLiteral("Jobb margó")));
    form->addRow(QStringLiteral("Alsó margo"), MmSpin(tab, "Alsom", 0, 100, 1, QStringLiteral("Alsó margó")));
    auto* columns = new QSpinBox(tab);
    columns->setObjectName(QStringLiteral("COszlopok"));
    columns->setRange(1, 15);
    form->addRow(QStringLiteral("Cimke oszlopok száma /lap:"), columns);
    form->addRow(QStringLiteral("Címke oszlopok közötti távolság:"),
                 MmSpin(tab, "CTerkoz", 0, 100, 1, QStringLiteral("Cimkék közötti térköz")));
    auto* a4 = new QPushButton(QStringLiteral("A4"), tab);
    a4->setObjectName(QStringLiteral("A4Gomb"));
    a4->setToolTip(QStringLiteral("A4 -es oldal méret beállítása"));
    connect(a4, &QPushButton::clicked, this, [this] {
        findChild<QDoubleSpinBox*>(QStringLiteral("OldalSzel"))->setValue(210);
        findChild<QDoubleSpinBox*>(QStringLiteral("OldalHossz"))->setValue(297);
    });
    auto* apply = new QPushButton(QStringLiteral("Alkalmaz"), tab);
    apply->setObjectName(QStringLiteral("OldalRGomb"));
    Pending(apply);
    form->addRow(a4, apply);
    return tab;
}

QWidget* TMainForm::BuildLabelTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("tsCimke"));
    auto* layout = new QVBoxLayout(tab);
    auto* group = new QGroupBox(QStringLiteral("Címke méret"), tab);
    group->setObjectName(QStringLiteral("gbCimkeMeret"));
    auto* form = new QFormLayout(group);
    QDoubleSpinBox* width = MmSpin(group, "CSzeles", 20, 210, 2, QString());
    QDoubleSpinBox* height = MmSpin(group, "CMagassag", 10, 297, 2, QString());
    for (QDoubleSpinBox* spin : {width, height}) {
        spin->setSuffix(QString());
        // Changed only with the spin buttons.
        spin->findChild<QLineEdit*>()->setReadOnly(true);
    }
    form->addRow(QStringLiteral("Szélesség mm."), width);
    form->addRow(QStringLiteral("Magasság mm."), height);
    auto* step = new QComboBox(group);
    step->setObjectName(QStringLiteral("Leptetes"));
    step->setToolTip(QStringLiteral("Méretek beállításának léptetési egysége"));
    step->addItems({QStringLiteral("0,01"), QStringLiteral("0,05"), QStringLiteral("1"),
                    QStringLiteral("1,5"), QStringLiteral("2"), QStringLiteral("2,5"), QStringLiteral("5"),
                    QStringLiteral("10")});
    auto* stepLabel = new QLabel(QStringLiteral("&Léptetés:"), group);
    stepLabel->setBuddy(step);
    form->addRow(stepLabel, step);
    connect(step, &QComboBox::currentIndexChanged, this, [this, step, width, height](int index) {
        double value = 0;
        const std::string text = step->itemText(index).toStdString();
        if (!TryStrToFloat(text, value) || value <= 0) {
            step->setCurrentIndex(0);
            return;
        }
        width->setSingleStep(value);
        height->setSingleStep(value);
    });
    step->setCurrentIndex(2);
    layout->addWidget(group);
    auto* frame = new QCheckBox(QStringLiteral("Keret a címkék körül"), tab);
    frame->setObjectName(QStringLiteral("cb_Keret"));
    layout->addWidget(frame);
    auto* apply = new QPushButton(QStringLiteral("Alkalmaz"), tab);
    apply->setObjectName(QStringLiteral("CimkeRGomb"));
    Pending(apply);
    layout->addWidget(apply);
    layout->addStretch(1);
    return tab;
}

void TMainForm::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("Lablec"));
    bar->setSizeGripEnabled(false);
    const int widths[4] = {80, 250, 250, 50};
    const bool centred[4] = {true, false, true, true};
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("Lablec%1").arg(i + 1));
        panel->setFixedWidth(widths[i]);
        panel->setAlignment(centred[i] ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        bar->addWidget(panel);
        FPanels[i] = panel;
    }
}

// ---- start-up and shutdown ----------------------------------------------------------------

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (FStartedUp)
        return;
    FStartedUp = true;
    try {
        Startup();
    } catch (const std::exception& e) {
        ApplicationException(QString::fromLocal8Bit(e.what()));
    }
}

void TMainForm::Startup() {
    // 1. The folders: the working folder is the current one at this moment.
    FPaths = AppPaths();
    // 2. Settings.
    FSettingsFile = std::make_unique<TSettingsFile>(FPaths.ProgramFolder);
    FSettings = FSettingsFile->Read();
    FFiles = std::make_unique<TTemplateFiles>(FDM, FSettings, *FSettingsFile, FModal, *this, FPaths);
    // 3., 4.
    setWindowTitle(QStringLiteral("Etikor"));
    State().DataFlag = false;
    State().LinkFlag = false;
    // 5. The series folder.
    const QString series = FPaths.SeriesFolder();
    if (!QFileInfo(series).isDir() && !QDir().mkpath(series))
        throw std::runtime_error((QStringLiteral("Nem lehet létrehozni a következő mappát: ") + series)
                                     .toLocal8Bit()
                                     .toStdString());
    // 6. The last template with its series files.
    if (!FFiles->StartupOpen())
        return;
    // 7.
    FDataSource = &FDM.T1;
    State().Panel2 = QStringLiteral("Sorozat: ") + State().SeriesName;
    State().Panel3.clear();
    State().Panel4 = QStringLiteral("0");
    ShowStatus();
    // 8. Help context; the label tab's step list shows "1".
    FHelpContext = 10;
    findChild<QComboBox*>(QStringLiteral("Leptetes"))->setCurrentIndex(2);
    // 9.
    FillFieldList();
    // 10.
    activateWindow();
    FCanvas->SetZoom(1);
    findChild<QToolButton*>(QStringLiteral("Nagyitas1"))->setChecked(true);
    // 11.
    ClearSelectionNow();
    RebuildCanvas();
    // 12.
    State().Panel4 = QString::fromStdString(FormatFloat("#,##0", DataSourceRecordCount()));
    ShowStatus();
    // 13.
    StoredLinkAtStartup();
    // 14.
    if (QAction* orsina = findChild<QAction*>(QStringLiteral("mOrsina"))) {
        orsina->setChecked(FSettings.AutoOrsina);
        if (FSettings.AutoOrsina)
            FTimer1.start();
    }
    // 15.
    if (FSettings.AutoSugo)
        ShowHelp(19);
}

void TMainForm::StoredLinkAtStartup() {
    if (!FDM.T1.Active() || FDM.T1.RecordCount() == 0)
        return;
    FDM.T1.First();
    if (!FDM.T1.FieldByName("ODBC").AsBoolean())
        return;
    FHelpContext = 38;
    const QString table = FromCp1250(FDM.T1.FieldByName("ODBC_tbl").AsString());
    const QString series = FPaths.SeriesFolder();
    const QString reminder = QStringLiteral("Ez a címketerv kapcsolt adatokat tartalmaz!") + kCr +
                             QStringLiteral("[ Táblanév: ") + table + QStringLiteral(" ]") + kCr +
                             QStringLiteral("Kapcsolja újra az adatokat!");
    if (FSettings.AutoAdatforras) {
        if (!QFileInfo(TAppPaths::Join(series, table)).isFile()) {
            FModal.Message(QString(),
                           QStringLiteral("A(z) ") + table + QStringLiteral(" file") + kCr +
                               QStringLiteral("nem található az alapértelmezett") + kCr +
                               QStringLiteral("(") + series + QStringLiteral(") mappában!") + kCr +
                               QStringLiteral("A kapcsolat nem jött létre!"),
                           QStringLiteral("F"));
            return;
        }
        // The worksheet link itself arrives with the Excel link; until then the user is
        // reminded to link it by hand.
        FModal.Message(QString(), reminder, QStringLiteral("i"));
        return;
    }
    FModal.Message(QString(), reminder, QStringLiteral("i"));
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // 1. No assistant character in this program. 2. The closing flag keeps the settings.
    if (!State().ClosingFlag && FSettingsFile) {
        FSettings.Utolso = State().TemplateName.isEmpty() ? FSettings.Utolso : State().TemplateName;
        FSettings.AblakMagassag = frameGeometry().height(); // the outer size, with the frame
        FSettings.AblakSzelesseg = frameGeometry().width();
        FSettingsFile->WriteOrWarn(FSettings, FModal);
        if (FDataSource)
            FDataSource->Close();
        FDM.M1.Close();
        FDM.Elemek.Close();
    }
    FTimer1.stop();
    event->accept();
}

void TMainForm::CloseMainWindow() {
    // Start-up may ask for this from inside the first show: close once the show is over.
    if (FCloseQueued)
        return;
    FCloseQueued = true;
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void TMainForm::ApplicationException(const QString& message) {
    if (State().ClosingFlag)
        return;
    if (message.left(11) == QLatin1String("General SQL"))
        return;
    try {
        if (FDataSource)
            FDataSource->Close();
        if (FFiles && !State().SeriesName.isEmpty()) {
            TStoreTable& t1 = FDM.T1;
            t1.Close();
            t1.Open();
            t1.First();
            if (!t1.IsEmpty() && t1.FieldByName("ODBC").AsBoolean()) {
                t1.Edit();
                t1.FieldByName("ODBC").SetAsBoolean(false);
                t1.FieldByName("ODBC_tbl").SetAsString("");
                t1.Post();
                t1.SaveTable(t1.FilePath());
            }
        }
    } catch (const std::exception&) {
        // The series may be what failed; the message below still tells the user.
    }
    FModal.Message(QString(),
                   QStringLiteral("Hiba történt a program futtatása közben.") + kCr +
                       QStringLiteral("Indítsa újra a programot!") + kCr + message,
                   QStringLiteral("H"));
    CloseMainWindow();
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        FPanels[0]->clear();
        FCanvas->SetSelectedFlag(0);
        findChild<QToolButton*>(QStringLiteral("ElemTorlesGomb"))->setEnabled(false);
        findChild<QAction*>(QStringLiteral("mTorol"))->setEnabled(false);
    }
}

// ---- host of the template files -----------------------------------------------------------

void TMainForm::FileCommand(void (TTemplateFiles::*command)()) {
    if (!FFiles)
        return;
    (FFiles.get()->*command)();
    ShowStatus();
}

// The series designer, modal; a generation there makes the series the data source again.
void TMainForm::OpenSeriesDesigner() {
    const int helpContext = FHelpContext;
    FHelpContext = TTervezoForm::kHelpContext;
    TTervezoForm designer(FDM, State().SeriesName, this);
    FModal.RunModal(designer);
    FHelpContext = helpContext;
    if (!designer.SeriesReplaced())
        return;
    // The series is the data source again; it has data when the generation wrote any.
    State().LinkFlag = false;
    SeriesBecomesDataSource();
    State().DataFlag = DataSourceRecordCount() > 0;
    State().Panel4 = QString::fromStdString(FormatFloat("#,##0", DataSourceRecordCount()));
    ShowStatus();
    RebuildCanvas();
}

// Manual entry, modal (not while a worksheet is linked); the series is the data source after.
void TMainForm::OpenManualEntry() {
    if (State().LinkFlag)
        return;
    {
        TKeziForm form(FDM, State().SeriesName, this);
        form.HelpContext = [this] { return FHelpContext; };
        form.SetHelpContext = [this](int topic) { FHelpContext = topic; };
        form.ExternalDataNotInUse = [this] { State().LinkFlag = false; };
        FModal.RunModal(form);
    }
    SeriesBecomesDataSource();
    State().DataFlag = DataSourceRecordCount() > 0;
    State().Panel4 = GroupedCount(DataSourceRecordCount());
    ShowStatus();
    RebuildCanvas();
}

// Clones the value of the barcode shown on the element tab with the tab's barcode type.
void TMainForm::CloneShownBarcode() {
    if (!FCurrentBarcode)
        return;
    const int type = findChild<QComboBox*>(QStringLiteral("cb_VkTNev"))->currentIndex();
    CloneFromMainWindow(FDM.T1, Utf8ToCp1250(FCurrentBarcode->Value().toStdString()), type, FModal, [this] {
        State().Panel4 = GroupedCount(DataSourceRecordCount());
        ShowStatus();
    });
}

void TMainForm::ShowStatus() {
    FPanels[1]->setText(State().Panel2);
    FPanels[2]->setText(State().Panel3);
    FPanels[3]->setText(State().Panel4);
}

void TMainForm::ShowDataSourceTab() {
    FPages->setCurrentWidget(findChild<QWidget*>(QStringLiteral("tsAdatforras")));
}

void TMainForm::SeriesBecomesDataSource() {
    FDataSource = &FDM.T1;
}

void TMainForm::FillFieldList() {
    if (!FDataSource)
        return;
    FDM.FillFieldList(*FDataSource);
    auto* grid = findChild<QTableWidget*>(QStringLiteral("Mezok"));
    grid->setRowCount(0);
    TStoreTable& list = FDM.ForrasStru;
    for (list.First(); !list.Eof(); list.Next()) {
        const int row = grid->rowCount();
        grid->insertRow(row);
        grid->setItem(row, 0,
                      new QTableWidgetItem(FromCp1250(list.FieldByName("Mezo").AsString()).trimmed()));
        grid->setItem(row, 1, new QTableWidgetItem(FromCp1250(list.FieldByName("Tipus").AsString())));
        grid->setItem(row, 2, new QTableWidgetItem(QString::number(list.FieldByName("Hossz").AsInteger())));
    }
}

void TMainForm::ReconnectLink() {
    StoredLinkAtStartup();
}

int TMainForm::DataSourceRecordCount() {
    return FDataSource && FDataSource->Active() ? FDataSource->RecordCount() : 0;
}

void TMainForm::LoadSetupControls(const TPageSetup& setup) {
    auto set = [this](const char* name, double value) {
        findChild<QDoubleSpinBox*>(QString::fromLatin1(name))->setValue(value);
    };
    set("OldalHossz", setup.OldalHMm);
    set("OldalSzel", setup.OldalSzMm);
    set("CMagassag", setup.HeightMm);
    set("CSzeles", setup.WidthMm);
    set("Felsom", setup.FmMm);
    set("Balm", setup.BmMm);
    set("Jobbm", setup.JmMm);
    set("Alsom", setup.AmMm);
    set("CTerkoz", setup.TerkozMm);
    findChild<QSpinBox*>(QStringLiteral("COszlopok"))->setValue(setup.Oszlopok);
}

void TMainForm::RebuildCanvas() {
    if (!FDM.Elemek.Active())
        return;
    const TCanvasBuild build = FCanvas->Build(FDM.Elemek, FSettings);
    LoadSetupControls(build.Setup);
    if (build.LastAlignment) {
        const char* names[] = {"sbBalra", "sbKozepre", "sbJobbra"};
        findChild<QToolButton*>(QString::fromLatin1(names[static_cast<int>(*build.LastAlignment)]))
            ->setChecked(true);
    }
    if (build.LastBarcodeIndex && *build.LastBarcodeIndex >= 0 && *build.LastBarcodeIndex < kBarcodeTypeCount)
        findChild<QComboBox*>(QStringLiteral("cb_VkTNev"))->setCurrentIndex(*build.LastBarcodeIndex);
    findChild<QComboBox*>(QStringLiteral("cb_Elforgat"))->setCurrentIndex(0);
    FillRowViews();
}

// ---- selection ----------------------------------------------------------------------------

void TMainForm::FillRowViews() {
    TStoreTable& e = FDM.Elemek;
    const bool row = e.Active() && !e.IsEmpty();
    auto text = [&](const char* field) {
        return row ? FromCp1250(e.FieldByName(field).AsString()) : QString();
    };
    auto mm = [&](const char* field) { return row ? Mm2(e.FieldByName(field).AsFloat()) : QString(); };
    auto set = [this](const char* name, const QString& value) {
        findChild<QLineEdit*>(QString::fromLatin1(name))->setText(value);
    };
    set("ElemNev_edit", text("Elemnev"));
    set("Forras_edit", text("Forras"));
    set("Fertek_edit", text("FErtek"));
    set("Height_edit", mm("Height_mm"));
    set("Width_edit", mm("Width_mm"));
    set("Top_edit", mm("Top_mm"));
    set("Left_edit", mm("Left_mm"));
}

void TMainForm::Warn(const QString& text) {
    FModal.Message(QString(), text, QStringLiteral("F"));
}

void TMainForm::SelectElement(TElementView* view) {
    if (!view)
        return;
    auto* barcodePanel = findChild<QGroupBox*>(QStringLiteral("gbVonalkod"));
    auto* ertek = findChild<QLineEdit*>(QStringLiteral("Ertek"));
    auto* rotate = findChild<QComboBox*>(QStringLiteral("cb_Elforgat"));
    auto* dt = findChild<QToolButton*>(QStringLiteral("DtGomb"));
    auto* efile = findChild<QToolButton*>(QStringLiteral("EFileGomb"));
    auto* emezo = findChild<QToolButton*>(QStringLiteral("EMezoGomb"));
    QToolButton* aligns[] = {findChild<QToolButton*>(QStringLiteral("sbBalra")),
                             findChild<QToolButton*>(QStringLiteral("sbKozepre")),
                             findChild<QToolButton*>(QStringLiteral("sbJobbra"))};
    // 1.-3.
    barcodePanel->hide();
    FCanvas->Attach(view);
    findChild<QToolButton*>(QStringLiteral("ElemTorlesGomb"))->setEnabled(true);
    findChild<QAction*>(QStringLiteral("mTorol"))->setEnabled(true);
    rotate->setEnabled(true);
    dt->show();
    Allow(efile, false);
    Allow(emezo, false);
    Allow(dt, false);
    ertek->setReadOnly(false);
    for (QToolButton* b : aligns)
        b->setEnabled(false);
    // 4. The row.
    TStoreTable& e = FDM.Elemek;
    const std::string name = Utf8ToCp1250(view->objectName().toStdString());
    std::string forras;
    if (e.Locate("Elemnev", TVariant(name), 0)) {
        const TElementRow row = ReadElementRow(e);
        forras = row.Forras;
        FPendingSource = FromCp1250(row.Forras);
        ertek->setText(FromCp1250(row.FErtek));
        if (row.Forgat >= 0 && row.Forgat < rotate->count())
            rotate->setCurrentIndex(row.Forgat);
        aligns[static_cast<int>(AlignmentFromLetter(row.Tajolas))]->setChecked(true);
        if (const std::optional<QString> warning = FCanvas->StoreGeometry(e, *view))
            Warn(*warning);
    }
    // 5. By kind.
    const auto tool = [this](const char* name) {
        findChild<QToolButton*>(QString::fromLatin1(name))->setChecked(true);
    };
    switch (view->Kind()) {
    case TElemKind::ekText:
        if (!FPendingSource.trimmed().isEmpty())
            for (QToolButton* b : aligns)
                b->setEnabled(true);
        tool("SzovegGomb");
        Allow(emezo, true);
        Allow(dt, true);
        if (!forras.empty())
            rotate->setEnabled(false);
        view->raise();
        break;
    case TElemKind::ekBarcode: {
        barcodePanel->show();
        barcodePanel->raise();
        // The frame sizes it from now on, not the engine.
        static_cast<TBarcodeView*>(view)->SetEngineAutoSize(false);
        FCurrentBarcode = static_cast<TBarcodeView*>(view);
        tool("VonalkodGomb");
        Allow(emezo, true);
        Allow(dt, true);
        if (e.Locate("Elemnev", TVariant(name), 0)) {
            const TElementRow row = ReadElementRow(e);
            if (row.VkIndex >= 0 && row.VkIndex < kBarcodeTypeCount)
                findChild<QComboBox*>(QStringLiteral("cb_VkTNev"))->setCurrentIndex(row.VkIndex);
            findChild<QCheckBox*>(QStringLiteral("cbVonalkodErtek"))->setChecked(row.VErtek);
            findChild<QCheckBox*>(QStringLiteral("cbStartStop"))->setChecked(row.Startstop);
        }
        break;
    }
    case TElemKind::ekPicture:
        tool("KepGomb");
        dt->hide();
        Allow(efile, true);
        ertek->setReadOnly(true);
        rotate->setEnabled(false);
        view->raise();
        break;
    case TElemKind::ekDrawing:
        tool("RajzGomb");
        dt->hide();
        Allow(efile, false);
        ertek->setReadOnly(true);
        rotate->setEnabled(false);
        view->raise();
        break;
    }
    FCanvas->Sizer->raise();
    FillRowViews();
    // 6. Position readout.
    FPanels[0]->setText(PositionText(ScreenToMm(view->x(), Zoom()), ScreenToMm(view->y(), Zoom()),
                                     FormatSettings().DecimalSeparator));
}

void TMainForm::ClearSelectionNow() {
    FCanvas->Detach();
    findChild<QListWidget*>(QStringLiteral("DtLista"))->hide();
    if (FDM.Elemek.Active())
        LocatePageSetup(FDM.Elemek);
    FillRowViews();
    findChild<QGroupBox*>(QStringLiteral("gbVonalkod"))->hide();
    findChild<QToolButton*>(QStringLiteral("NyilGomb"))->setChecked(true);
    findChild<QToolButton*>(QStringLiteral("ElemTorlesGomb"))->setEnabled(false);
    findChild<QAction*>(QStringLiteral("mTorol"))->setEnabled(false);
    for (const char* name : {"EFileGomb", "EMezoGomb", "DtGomb"})
        Allow(findChild<QToolButton*>(QString::fromLatin1(name)), false);
    findChild<QLineEdit*>(QStringLiteral("Ertek"))->clear();
    auto* rotate = findChild<QComboBox*>(QStringLiteral("cb_Elforgat"));
    rotate->setCurrentIndex(0);
    rotate->setEnabled(false);
    for (const char* name : {"sbBalra", "sbKozepre", "sbJobbra"})
        findChild<QToolButton*>(QString::fromLatin1(name))->setEnabled(false);
    findChild<QWidget*>(QStringLiteral("PEszkoz"))->setFocus();
}

void TMainForm::ElementGeometryEnded(TElementView* view) {
    if (const std::optional<QString> warning = FCanvas->StoreGeometry(FDM.Elemek, *view))
        Warn(*warning);
    FillRowViews();
}

void TMainForm::SetZoom(int zoom) {
    ClearSelectionNow();
    FCanvas->SetZoom(zoom);
    if (auto* button = findChild<QToolButton*>(QStringLiteral("Nagyitas%1").arg(FCanvas->Zoom())))
        button->setChecked(true);
    RebuildCanvas();
}

void TMainForm::DeleteSelected() {
    TElementView* view = FCanvas->Selected();
    if (FCanvas->SelectedFlag() == 0 || !view)
        return;
    TStoreTable& e = FDM.Elemek;
    if (e.Locate("Elemnev", TVariant(Utf8ToCp1250(view->objectName().toStdString())), 0)) {
        e.Delete();
        e.SaveTable(e.FilePath());
    }
    FCanvas->Detach();
    delete view;
    ClearSelectionNow();
}

void TMainForm::DeleteWithConfirmation() {
    FHelpContext = 18;
    if (FModal.Message(QString(), QStringLiteral("Valóban törölni kívánja a kiválasztott elemet?"),
                       QStringLiteral("K")))
        DeleteSelected();
    FHelpContext = 10;
}

void TMainForm::PictureToOwnSize() {
    auto* picture = qobject_cast<TPictureView*>(FCanvas->Selected());
    if (picture && FCanvas->SelectedFlag() == 1 && !picture->Picture().isNull()) {
        picture->resize(picture->Picture().size());
        FCanvas->StoreGeometry(FDM.Elemek, *picture);
    }
    ClearSelectionNow();
    RebuildCanvas();
}

// ---- help and keys ------------------------------------------------------------------------

void TMainForm::ShowHelp(int topic) {
    FModal.ShowHelp(topic);
}

void TMainForm::AskHelpTopic() {
    if (AskHelpContext())
        ShowHelp(FHelpContext);
}

bool TMainForm::AskHelpContext() {
    const std::optional<QString> answer =
        FModal.InputBox(QStringLiteral("Súgó téma"), QStringLiteral("Sorszám:"), QStringLiteral("10"));
    if (!answer)
        return false;
    bool ok = false;
    const int topic = answer->trimmed().toInt(&ok);
    if (!ok)
        throw EConvertError(("'" + answer->toStdString() + "' is not a valid integer value"));
    FHelpContext = topic;
    return true;
}

bool TMainForm::HandleKey(QObject* watched, QKeyEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (qobject_cast<QAbstractItemView*>(widget))
            return false;
        focusNextChild();
        return true;
    case Qt::Key_Delete: {
        // In an editable text box Delete deletes a character, not the element.
        if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && !edit->isReadOnly())
            return false;
        auto* del = findChild<QToolButton*>(QStringLiteral("ElemTorlesGomb"));
        if (del->isEnabled())
            del->click();
        return true;
    }
    case Qt::Key_F1:
        // Shift+F1 sets the context; F1 then shows it.
        if ((event->modifiers() & Qt::ShiftModifier) && !AskHelpContext())
            return true;
        ShowHelp(FHelpContext);
        return true;
    default:
        return false;
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        try {
            return HandleKey(watched, static_cast<QKeyEvent*>(event));
        } catch (const std::exception& e) {
            ApplicationException(QString::fromLocal8Bit(e.what()));
            return true;
        }
    }
    if (event->type() == QEvent::Enter && watched == findChild<QWidget*>(QStringLiteral("PFejlec")))
        ClearSelectionNow();
    return QMainWindow::eventFilter(watched, event);
}

} // namespace etikor
