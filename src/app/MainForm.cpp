#include "app/MainForm.h"

#include "app/MainFormExchange.h"

#include "data/Cp1250Text.h"
#include "data/DatabaseError.h"
#include "data/FormatSettings.h"
#include "designer/BarcodeView.h"
#include "designer/DataSourceTab.h"
#include "designer/ElementPanel.h"
#include "designer/LabelCanvas.h"
#include "designer/Ruler.h"
#include "designer/SetupTabs.h"
#include "designer/Sizer.h"
#include "dialogs/BeallitasForm.h"
#include "dialogs/OrsinaForm.h"
#include "document/TemplateSchema.h"
#include "printing/ui/LabelPrint.h"
#include "printing/ui/PrintCommand.h"
#include "series/ManualEntry.h"
#include "series/ui/KeziForm.h"
#include "series/ui/TervezoForm.h"
#include "services/Modal.h"
#include "tablestore/StoreTable.h"
#include "ui/Controls.h"
#include "ui/Icons.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <stdexcept>

namespace etikor {

namespace {

const QString kCr = QStringLiteral("\r");

} // namespace

TMainForm::TMainForm(TDM& dm, IModal& modal, QWidget* parent) : QMainWindow(parent), FDM(dm), FModal(modal) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Etikor"));
    FTimer1.setObjectName(QStringLiteral("Timer1"));
    FTimer1.setInterval(800);
    FTimer1.setSingleShot(false);
    connect(&FTimer1, &QTimer::timeout, this, [this] {
        FTimer1.stop();
        if (FSettings.AutoOrsina)
            OpenWizard();
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
        if (FPages->currentWidget() != FElementPanel)
            FPages->setCurrentWidget(FElementPanel);
    });
    connect(FCanvas, &TLabelCanvas::GeometryEnded, this, &TMainForm::ElementGeometryEnded);

    // Client area 780 x 476 under the menu; the border is not for resizing.
    const int menuHeight = menuBar()->sizeHint().height();
    setMinimumSize(724, 498);
    resize(780, 476 + menuHeight);
    setFixedSize(size());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FDM.Template.AddListener(this);
    ConnectEditing();
    HistoryChanged();
    // The window sees every key before the focused control.
    qApp->installEventFilter(this);
    WireDataExchange();
}

TMainForm::~TMainForm() {
    FDM.Template.RemoveListener(this);
    qApp->removeEventFilter(this);
}

void TMainForm::NyomtatasGombClick() {
    SetHelpContext(24);
    if (!FDataSource)
        return;
    if (!FPrintCommand)
        FPrintCommand = std::make_unique<TPrintCommand>(FPaths.ProgramFolder, this);
    FPrintCommand->OpenSettings = [this] { OpenSettings(TBeallitasForm::kEtikettCimke); };
    TLabelRun run;
    run.Elements = FDM.Template.Elements();
    run.Page = FDM.Template.PageSetup();
    run.Options.DataFlag = State().DataFlag;
    run.Options.AutoBetu = FSettings.AutoBetu;
    run.Options.AutoChd = FSettings.AutoChd;
    run.Options.AutoVonal = FSettings.AutoVonal;
    run.Options.Security = FSettings.Security;
    run.PrinterName = FSettings.Nyomtato;
    run.PrinterChosen = [this](const QString& printer) {
        FSettings.Nyomtato = printer;
        if (FSettingsFile)
            FSettingsFile->WriteOrWarn(FSettings, FModal);
    };
    FPrintCommand->Mode = FPrintMode;
    if (State().LinkFlag) {
        // A linked worksheet prints straight away, framed as the label tab says; the worksheet
        // stays the data source with its own order.
        run.Mode = FPrintMode;
        run.Options.Frame = FLabelTab->cb_Keret->isChecked();
        RunLinkedPrint(run, *FDataSource, FModal, this);
    } else {
        FPrintCommand->Run(*FDataSource, run);
    }
    update();
}

void TMainForm::PageChanged() {
    if (!FCanvas->Selected())
        ShowSelectedRow();
}

void TMainForm::ElementChanged(const TLabelElement& element, TElementChange) {
    if (FCanvas->Selected() && FCanvas->Selected()->objectName() == element.Name)
        FElementPanel->ShowRow(element);
}

TDocumentState& TMainForm::State() {
    return FFiles ? FFiles->State : FFallbackState;
}

int TMainForm::Zoom() const {
    return FCanvas->Zoom();
}

const QString& TMainForm::PendingSource() const {
    return FElementPanel->PendingSource();
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
    AddItem(file, QStringLiteral("Adatböngésző"), "mAdatbongeszo");
    AddItem(file, QStringLiteral("Importálás (Excel)"), "ImportlsExcel1");
    QMenu* exportMenu = file->addMenu(QStringLiteral("Export"));
    exportMenu->setObjectName(QStringLiteral("Export1"));
    AddItem(exportMenu, QStringLiteral("Excel file"), "Excelfile1");
    file->addSeparator();
    connect(AddItem(file, QStringLiteral("Kilépés"), "Kilps2"), &QAction::triggered, this, &QWidget::close);

    QAction* settings = bar->addAction(QStringLiteral("Beállítások"));
    settings->setObjectName(QStringLiteral("Belltsok1"));
    connect(settings, &QAction::triggered, this, [this] { OpenSettings(); });

    QMenu* edit = bar->addMenu(QStringLiteral("Szerkesztés"));
    edit->setObjectName(QStringLiteral("Szerkesztes1"));
    connect(AddItem(edit, QStringLiteral("Kurzor"), "mKurzor"), &QAction::triggered, this,
            &TMainForm::ClearSelectionNow);
    // Each presses its tool and clicks it, as a click on the pressed tool creates an element.
    connect(AddItem(edit, QStringLiteral("Szöveg"), "mSzoveg", QKeySequence(Qt::CTRL | Qt::Key_T)),
            &QAction::triggered, this, [this] { SzovegGomb->click(); });
    connect(AddItem(edit, QStringLiteral("Vonalkód"), "mVonalkod", QKeySequence(Qt::CTRL | Qt::Key_V)),
            &QAction::triggered, this, [this] { VonalkodGomb->click(); });
    connect(AddItem(edit, QStringLiteral("Kép"), "mKep", QKeySequence(Qt::CTRL | Qt::Key_K)),
            &QAction::triggered, this, [this] { KepGomb->click(); });
    connect(AddItem(edit, QStringLiteral("Rajz"), "mRajz", QKeySequence(Qt::CTRL | Qt::Key_R)),
            &QAction::triggered, this, [this] { RajzGomb->click(); });
    mTorol = AddItem(edit, QStringLiteral("Elem törlése"), "mTorol", QKeySequence(Qt::CTRL | Qt::Key_D));
    mTorol->setEnabled(false);
    connect(mTorol, &QAction::triggered, this, &TMainForm::DeleteWithConfirmation);
    edit->addSeparator();
    edit->setToolTipsVisible(true);
    mVisszavonas =
        AddItem(edit, QStringLiteral("Visszavonás"), "mVisszavonas", QKeySequence(Qt::CTRL | Qt::Key_Z));
    mMegis = AddItem(edit, QStringLiteral("Mégis"), "mMegis");
    mMegis->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(mVisszavonas, &QAction::triggered, this, &TMainForm::UndoEdit);
    connect(mMegis, &QAction::triggered, this, &TMainForm::RedoEdit);

    QMenu* print = bar->addMenu(QStringLiteral("Nyomtatás"));
    print->setObjectName(QStringLiteral("Nyomtatas1"));
    // The menu chooses the print mode, then runs the print button.
    connect(AddItem(print, QStringLiteral("Nyomtat..."), "mEtikett"), &QAction::triggered, this, [this] {
        FPrintMode = TPrintMode::pmPrint;
        NyomtatasGombClick();
    });
    connect(AddItem(print, QStringLiteral("Nyomtatási kép"), "mPreview"), &QAction::triggered, this, [this] {
        FPrintMode = TPrintMode::pmPreview;
        NyomtatasGombClick();
    });

    QMenu* help = bar->addMenu(QStringLiteral("Súgó"));
    help->setObjectName(QStringLiteral("Sugo1"));
    connect(AddItem(help, QStringLiteral("Segitség  F1"), "mSugo"), &QAction::triggered, this,
            [this] { ShowHelp(10); });
    mOrsina = AddItem(help, QStringLiteral("Orsina"), "mOrsina");
    mOrsina->setCheckable(true);
    connect(mOrsina, &QAction::triggered, this, [this] { OpenWizard(); });

    QAction* quit = bar->addAction(QStringLiteral("Kilépés"));
    quit->setObjectName(QStringLiteral("Kilps1"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
}

QWidget* TMainForm::BuildButtonBar() {
    auto* bar = new QWidget(this);
    PFejlec = bar;
    bar->setObjectName(QStringLiteral("PFejlec"));
    bar->installEventFilter(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 2, 4, 2);
    QToolButton* uj = NamedToolButton(bar, "UjFileGomb", QStringLiteral("Új..."));
    uj->setIcon(ProgramIcon("new"));
    connect(uj, &QToolButton::clicked, this, [this] { FileCommand(&TTemplateFiles::New); });
    QToolButton* open = NamedToolButton(bar, "MegnyitasGomb", QStringLiteral("Megnyitás"));
    open->setIcon(ProgramIcon("open"));
    connect(open, &QToolButton::clicked, this, [this] { FileCommand(&TTemplateFiles::Open); });
    QToolButton* kezi = NamedToolButton(bar, "KeziGomb", QStringLiteral("Vonalkód-sorozat kézi rögzítése"));
    kezi->setIcon(ProgramIcon("manual-entry"));
    connect(kezi, &QToolButton::clicked, this, &TMainForm::OpenManualEntry);
    QToolButton* print = NamedToolButton(bar, "NyomtatasGomb", QStringLiteral("Nyomtatás"));
    print->setIcon(ProgramIcon("print"));
    connect(print, &QToolButton::clicked, this, &TMainForm::NyomtatasGombClick);
    QToolButton* excel =
        NamedToolButton(bar, "ExcelImportGomb", QStringLiteral("Importálás MS-Excel táblából"));
    excel->setIcon(ProgramIcon("excel-import"));
    QToolButton* help = NamedToolButton(bar, "SugoGomb", QStringLiteral("Súgó [F1]"));
    help->setIcon(ProgramIcon("help"));
    connect(help, &QToolButton::clicked, this, [this] { ShowHelp(10); });
    help->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(help, &QToolButton::customContextMenuRequested, this, [this] { AskHelpTopic(); });
    for (QToolButton* b : {uj, open, kezi, print, excel, help}) {
        b->setIconSize(QSize(22, 22));
        layout->addWidget(b);
    }
    layout->addStretch(1);
    return bar;
}

QWidget* TMainForm::BuildToolBar() {
    auto* bar = new QWidget(this);
    PEszkoz = bar;
    bar->setObjectName(QStringLiteral("PEszkoz"));
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setFixedWidth(34);
    auto* layout = new QVBoxLayout(bar);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    auto* tools = new QButtonGroup(bar);
    tools->setObjectName(QStringLiteral("EszkozCsoport"));
    tools->setExclusive(true);
    NyilGomb = IconToolButton(bar, "NyilGomb", QStringLiteral("Kurzor"), "pointer");
    SzovegGomb = IconToolButton(bar, "SzovegGomb", QStringLiteral("Szöveg elem"), "text");
    VonalkodGomb = IconToolButton(bar, "VonalkodGomb", QStringLiteral("Vonalkód elem"), "barcode");
    KepGomb = IconToolButton(bar, "KepGomb", QStringLiteral("Kép elem"), "picture");
    RajzGomb = IconToolButton(bar, "RajzGomb", QStringLiteral("Rajz elem"), "drawing");
    for (QToolButton* b : {NyilGomb, SzovegGomb, VonalkodGomb, KepGomb, RajzGomb}) {
        b->setCheckable(true);
        tools->addButton(b);
        layout->addWidget(b);
    }
    NyilGomb->setChecked(true);
    connect(NyilGomb, &QToolButton::clicked, this, &TMainForm::ClearSelectionNow);
    layout->addSpacing(6);
    ElemTorlesGomb = IconToolButton(bar, "ElemTorlesGomb", QStringLiteral("Aktuális elem törlése"), "delete");
    ElemTorlesGomb->setEnabled(false);
    connect(ElemTorlesGomb, &QToolButton::clicked, this, &TMainForm::DeleteSelected);
    layout->addWidget(ElemTorlesGomb);
    QToolButton* size = IconToolButton(
        bar, "NagyitoKep", QStringLiteral("Kép elem eredeti méretének beállítása\nCímke frissítése."),
        "picture-size");
    connect(size, &QToolButton::clicked, this, &TMainForm::PictureToOwnSize);
    layout->addWidget(size);
    layout->addSpacing(6);
    auto* zooms = new QButtonGroup(bar);
    zooms->setObjectName(QStringLiteral("NagyitasCsoport"));
    for (int z = 1; z <= 3; ++z) {
        const QByteArray name = "Nagyitas" + QByteArray::number(z);
        QToolButton* b = NamedToolButton(bar, name.constData(), QStringLiteral("Nagyítás %1%").arg(z * 100),
                                         QStringLiteral("%1x").arg(z));
        b->setCheckable(true);
        b->setChecked(z == 1);
        Nagyitas[z - 1] = b;
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
    FDataSourceTab = new TDataSourceTab;
    FElementPanel = new TElementPanel;
    FPageTab = new TPageTab;
    FLabelTab = new TLabelTab;
    FPages->addTab(FDataSourceTab, QStringLiteral("&Adatforrás"));
    FPages->addTab(FElementPanel, QStringLiteral("&Elemek"));
    FPages->addTab(FPageTab, QStringLiteral("Oldal"));
    FPages->addTab(FLabelTab, QStringLiteral("Cimke"));
    connect(FPages, &QTabWidget::currentChanged, this, [this](int index) {
        const QWidget* tab = FPages->widget(index);
        if (tab == FDataSourceTab)
            FHelpContext = 10;
        else if (tab == FElementPanel)
            FHelpContext = 11;
        else
            FHelpContext = 26;
    });
    connect(FDataSourceTab->GNyit_Gomb, &QPushButton::clicked, this,
            [this] { FileCommand(&TTemplateFiles::Open); });
    connect(FDataSourceTab->General_Gomb, &QPushButton::clicked, this, &TMainForm::OpenSeriesDesigner);
    connect(FElementPanel->KlonozasGomb, &QToolButton::clicked, this, &TMainForm::CloneShownBarcode);
    return FPages;
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
    // The working folder is the current one at this moment.
    FPaths = AppPaths();
    FSettingsFile = std::make_unique<TSettingsFile>(FPaths.SettingsLocation());
    FSettings = FSettingsFile->Read();
    FStoredUtolso = FSettings.Utolso;
    if (!FStartTemplate.isEmpty())
        FSettings.Utolso = FStartTemplate;
    FAutoBetu = FSettings.AutoBetu;
    FFiles = std::make_unique<TTemplateFiles>(FDM, FSettings, *FSettingsFile, FModal, *this, FPaths);
    setWindowTitle(QStringLiteral("Etikor"));
    State().DataFlag = false;
    State().LinkFlag = false;
    // The series folder; a folder that cannot be made ends the program through the error
    // handler.
    const QString series = FPaths.SeriesFolder();
    if (!QFileInfo(series).isDir() && !QDir().mkpath(series))
        throw std::runtime_error((QStringLiteral("Nem lehet létrehozni a következő mappát: ") + series)
                                     .toLocal8Bit()
                                     .toStdString());
    // The last template with its series files; false when the program must end.
    if (!FFiles->StartupOpen())
        return;
    FTemplateOpened = true;
    FDataSource = &FDM.T1;
    State().Panel2 = QStringLiteral("Sorozat: ") + State().SeriesName;
    State().Panel3.clear();
    State().Panel4 = QStringLiteral("0");
    ShowStatus();
    // The label tab's step list starts at "1".
    FHelpContext = 10;
    FLabelTab->Leptetes->setCurrentIndex(2);
    FillFieldList();
    activateWindow();
    FCanvas->SetZoom(1);
    Nagyitas[0]->setChecked(true);
    ClearSelectionNow();
    RebuildCanvas();
    // The record count once the canvas shows the template.
    State().Panel4 = QString::fromStdString(FormatFloat("#,##0", DataSourceRecordCount()));
    ShowStatus();
    // A series last used with a linked worksheet: reconnect or remind.
    StoredLinkAtStartup();
    // The wizard's start-up timer runs only while "Auto Orsina" is on.
    mOrsina->setChecked(FSettings.AutoOrsina);
    if (FSettings.AutoOrsina)
        FTimer1.start();
    if (FSettings.AutoSugo)
        ShowHelp(19);
}

void TMainForm::StoredLinkAtStartup() {
    FLink->Reconnect(FPaths.SeriesFolder(), FSettings.AutoAdatforras);
}

void TMainForm::SaveSettings() {
    if (!FSettingsFile)
        return;
    FSettings.Utolso = State().TemplateName.isEmpty() ? FSettings.Utolso : State().TemplateName;
    // A template from another folder is not the last one of the series folder.
    if (!FPaths.SeriesOverride.isEmpty())
        FSettings.Utolso = FStoredUtolso;
    FSettings.AblakMagassag = frameGeometry().height(); // the outer size, with the frame
    FSettings.AblakSzelesseg = frameGeometry().width();
    FSettingsFile->WriteOrWarn(FSettings, FModal);
}

int TMainForm::OpenSettings(int page) {
    if (!FSettingsFile)
        return QDialog::Rejected;
    TBeallitasForm form(FSettings, *FSettingsFile, FModal, this);
    form.HelpContext = [this] { return FHelpContext; };
    form.SetHelpContext = [this](int topic) { FHelpContext = topic; };
    form.Save = [this] { SaveSettings(); };
    bool changed = false;
    form.SettingsChanged = [&changed] { changed = true; };
    const int result = form.Execute(page);
    if (changed) {
        // The barcode options reach the designer's barcodes when they are built again.
        FAutoBetu = FSettings.AutoBetu;
        mOrsina->setChecked(FSettings.AutoOrsina);
        ClearSelectionNow();
        BuildCanvas();
    }
    return result;
}

// The main window as the label wizard sees it.
class TWizardHost final : public IOrsinaHost {
public:
    explicit TWizardHost(TMainForm& form) : F(form) {}

    TPageSetup Geometry() override { return F.SetupFields().Read(); }
    void ApplyGeometry(const TPageSetup& g) override {
        // The controls' own limits apply (a label is at least 20 mm wide there).
        F.SetupFields().Show(g);
        F.FLabelTab->CimkeRGomb->click();
    }
    void SaveAs() override { F.FileCommand(&TTemplateFiles::SaveAs); }
    void ManualEntry() override { F.OpenManualEntry(); }
    void SeriesDesigner() override { F.OpenSeriesDesigner(); }
    int HelpContext() override { return F.FHelpContext; }
    void SetHelpContext(int topic) override { F.FHelpContext = topic; }
    bool CanLink() override { return true; }
    void LinkWorkbook() override { F.FLink->LinkFromDialog(F.FPaths.SeriesFolder()); }
    bool LinkFlag() override { return F.State().LinkFlag; }
    void SetLinkFlag(bool linked) override { F.State().LinkFlag = linked; }
    QString StoredWorkbookName() override {
        const std::optional<std::string> link = F.FDM.StoredLink();
        return link ? QFileInfo(FromCp1250(*link)).fileName() : QString();
    }
    QString WorkbookPath() override {
        const QString name = StoredWorkbookName();
        return name.isEmpty() ? QString() : TAppPaths::Join(F.FPaths.SeriesFolder(), name);
    }
    bool Reconnect(const QString& path) override {
        const QFileInfo file(path);
        return F.FLink->ConnectInFolder(file.absolutePath(), file.fileName());
    }
    void SeriesInsteadOfLink() override {
        F.FDM.ClearStoredLink();
        F.SeriesBecomesDataSource();
        F.State().Panel2 = QStringLiteral("Sorozat: ") + F.State().SeriesName;
        F.State().Panel4 = GroupedCount(F.DataSourceRecordCount());
        F.ShowStatus();
    }
    void* DataSource() override { return F.FDataSource; }
    void SetDataSource(void* source) override { F.FDataSource = static_cast<TDataSet*>(source); }
    bool DataSourceUsable() override { return F.DataSourceRecordCount() > 0; }
    void FirstRecord() override {
        if (F.FDataSource && F.FDataSource->Active())
            F.FDataSource->First();
    }
    void ShowRecordCount() override {
        F.State().Panel4 = GroupedCount(F.DataSourceRecordCount());
        F.ShowStatus();
    }
    void SaveSettings() override { F.SaveSettings(); }

private:
    TMainForm& F;
};

void TMainForm::OpenWizard() {
    if (!FSettingsFile)
        return;
    TWizardHost host(*this);
    {
        TOrsinaForm wizard(host, FSettings, FModal, this);
        FModal.RunModal(wizard);
    }
    mOrsina->setChecked(FSettings.AutoOrsina);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // The closing flag keeps the settings a failed start-up wrote.
    if (!State().ClosingFlag && FSettingsFile) {
        SaveSettings();
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
        // The next start must not try to reconnect.
        if (FFiles && !State().SeriesName.isEmpty())
            FDM.ClearStoredLink();
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
        ElemTorlesGomb->setEnabled(false);
        mTorol->setEnabled(false);
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
    // The template itself did not change: its undo history stays.
    ClearSelectionNow();
    BuildCanvas();
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
    const int type = FElementPanel->cb_VkTNev->currentIndex();
    CloneFromMainWindow(FDM.T1, ToCp1250(FCurrentBarcode->Value()), type, FModal, [this] {
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
    FPages->setCurrentWidget(FDataSourceTab);
}

void TMainForm::SeriesBecomesDataSource() {
    FDataSource = &FDM.T1;
}

void TMainForm::FillFieldList() {
    if (!FDataSource)
        return;
    FDM.FillFieldList(*FDataSource);
    FElementPanel->ShowFieldList(FDM.FieldList());
}

void TMainForm::ReconnectLink() {
    StoredLinkAtStartup();
}

int TMainForm::DataSourceRecordCount() {
    return FDataSource && FDataSource->Active() ? FDataSource->RecordCount() : 0;
}

void TMainForm::RebuildCanvas() {
    // The template files call this after they opened or replaced the template's table.
    FDM.Template.Load();
    BuildCanvas();
    // A page-setup row the build added is part of the opened template, not an edit.
    FDM.Template.ClearHistory();
}

void TMainForm::BuildCanvas() {
    if (!FDM.Elemek.Active())
        return;
    const TCanvasBuild build = FCanvas->Build(FDM.Template, FSettings);
    SetupFields().Show(build.Setup);
    FElementPanel->ShowBuild(build);
    ShowSelectedRow();
}

// ---- selection ----------------------------------------------------------------------------

void TMainForm::ShowSelectedRow() {
    const TLabelElement* element =
        FCanvas->Selected() ? FDM.Template.Find(FCanvas->Selected()->objectName()) : nullptr;
    if (element)
        FElementPanel->ShowRow(*element);
    else
        FElementPanel->ShowRow(FDM.Template.PageSetupRow());
}

void TMainForm::Warn(const QString& text) {
    FModal.Message(QString(), text, QStringLiteral("F"));
}

void TMainForm::SelectElement(TElementView* view) {
    if (!view)
        return;
    FCanvas->Attach(view);
    FCurrentRow = view->objectName();
    ElemTorlesGomb->setEnabled(true);
    mTorol->setEnabled(true);
    const TLabelElement* element = FDM.Template.Find(view->objectName());
    if (element) {
        FElementPanel->ShowSelection(*element);
        // The move/resize handling runs on the selected view as it stands; what it rewrites
        // (a text's own size, millimetres a row lacked) is a step of its own to undo.
        TLabelTemplate::TEditGroup group(FDM.Template, QStringLiteral("Elem helyének rögzítése"));
        if (const std::optional<QString> warning = FCanvas->StoreGeometry(*view))
            Warn(*warning);
    }
    switch (view->Kind()) {
    case TElemKind::ekText:
        SzovegGomb->setChecked(true);
        view->raise();
        break;
    case TElemKind::ekBarcode:
        // The frame sizes it from now on, not the engine.
        static_cast<TBarcodeView*>(view)->SetEngineAutoSize(false);
        FCurrentBarcode = static_cast<TBarcodeView*>(view);
        VonalkodGomb->setChecked(true);
        break;
    case TElemKind::ekPicture:
        KepGomb->setChecked(true);
        view->raise();
        break;
    case TElemKind::ekDrawing:
        RajzGomb->setChecked(true);
        view->raise();
        break;
    }
    FCanvas->Sizer->raise();
    ShowSelectedRow();
    FPanels[0]->setText(PositionText(ScreenToMm(view->x(), Zoom()), ScreenToMm(view->y(), Zoom()),
                                     FormatSettings().DecimalSeparator));
}

void TMainForm::ClearSelectionNow() {
    FCanvas->Detach();
    FCurrentRow = FromCp1250(std::string(kPageSetupName));
    FElementPanel->ShowNoSelection();
    ShowSelectedRow();
    NyilGomb->setChecked(true);
    ElemTorlesGomb->setEnabled(false);
    mTorol->setEnabled(false);
    PEszkoz->setFocus();
}

void TMainForm::ElementGeometryEnded(TElementView* view) {
    if (const std::optional<QString> warning = FCanvas->StoreGeometry(*view))
        Warn(*warning);
}

void TMainForm::SetZoom(int zoom) {
    ClearSelectionNow();
    FCanvas->SetZoom(zoom);
    Nagyitas[FCanvas->Zoom() - 1]->setChecked(true);
    BuildCanvas();
}

void TMainForm::DeleteSelected() {
    TElementView* view = FCanvas->Selected();
    if (FCanvas->SelectedFlag() == 0 || !view)
        return;
    // The canvas drops the element's view as the template removes it.
    FDM.Template.Remove(view->objectName());
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
        TLabelTemplate::TEditGroup group(FDM.Template, QStringLiteral("Kép eredeti mérete"));
        picture->resize(picture->Picture().size());
        FCanvas->StoreGeometry(*picture);
    }
    ClearSelectionNow();
    BuildCanvas();
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
        if (ElemTorlesGomb->isEnabled())
            ElemTorlesGomb->click();
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
    if (event->type() == QEvent::Enter && watched == PFejlec)
        ClearSelectionNow();
    return QMainWindow::eventFilter(watched, event);
}

} // namespace etikor
