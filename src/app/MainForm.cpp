#include "app/MainForm.h"

#include "app/MainFormExchange.h"

#include "data/DatabaseError.h"
#include "data/FormatSettings.h"
#include "designer/DataSourceTab.h"
#include "designer/ElementPanel.h"
#include "designer/LabelCanvas.h"
#include "designer/SetupTabs.h"
#include "designer/ToolBar.h"
#include "dialogs/BeallitasForm.h"
#include "printing/ui/LabelPrint.h"
#include "printing/ui/PrintCommand.h"
#include "series/ManualEntry.h"
#include "services/Modal.h"
#include "ui/Controls.h"
#include "ui/Icons.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TMainFormText {
    Q_DECLARE_TR_FUNCTIONS(TMainFormText)
};
} // namespace

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
    FTools = new TToolBar(central);
    body->addWidget(FTools);
    // The tool bar's lining-up items are in the edit menu too, below deleting.
    if (auto* edit = menuBar()->findChild<QMenu*>(QStringLiteral("Szerkesztes1"))) {
        const QList<QAction*> items = edit->actions();
        const qsizetype next = items.indexOf(mTorol) + 1;
        edit->insertMenu(next > 0 && next < items.size() ? items[next] : nullptr, FTools->ArrangeMenu());
    }
    FCanvas = new TLabelCanvas(central);
    body->addWidget(FCanvas, 1);
    outer->addLayout(body, 1);
    setCentralWidget(central);
    BuildStatusBar();

    TElementEditorHost& editorHost = *this;
    FEditor = std::make_unique<TElementEditor>(
        FDM, FSettings, FModal, editorHost,
        TElementEditorParts{*FCanvas, *FTools, *FElementPanel, *FPageTab, *FLabelTab});
    connect(FEditor.get(), &TElementEditor::PositionShown, FPanels[0], &QLabel::setText);
    connect(FTools, &TToolBar::DeleteEnabledChanged, mTorol, &QAction::setEnabled);
    connect(FCanvas, &TLabelCanvas::PositionChanged, this,
            [this](const QString& text) { FPanels[0]->setText(text); });
    connect(FCanvas, &TLabelCanvas::PointerOverLabel, this, [this] {
        if (FPages->currentWidget() != FElementPanel)
            FPages->setCurrentWidget(FElementPanel);
    });

    // Client area 780 x 476 under the menu at first; the canvas takes whatever the window grows by.
    const int menuHeight = menuBar()->sizeHint().height();
    setMinimumSize(724, 498);
    resize(780, 476 + menuHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FDM.Template.AddListener(this);
    HistoryChanged();
    // The window sees every key before the focused control.
    qApp->installEventFilter(this);
    WireDataExchange();
}

TMainForm::~TMainForm() {
    FDM.Template.RemoveListener(this);
    qApp->removeEventFilter(this);
}

int TMainForm::TabHelpContext() const {
    const QWidget* tab = FPages->currentWidget();
    if (tab == FDataSourceTab)
        return 10;
    if (tab == FElementPanel)
        return 11;
    return 26;
}

void TMainForm::NyomtatasGombClick() {
    SetHelpContext(24);
    // After the run F1 is about the tab in view again.
    struct TabHelpAfter {
        TMainForm& Form;
        ~TabHelpAfter() { Form.FHelpContext = Form.TabHelpContext(); }
    } tabHelpAfter{*this};
    if (!FDataSource)
        return;
    if (!FPrintCommand)
        FPrintCommand = std::make_unique<TPrintCommand>(FPaths.ProgramFolder, FModal, this);
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
    run.Offsets = FSettings.Eltolas;
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
        run.Options.Frame = FLabelTab->FrameAroundLabels();
        RunLinkedPrint(run, *FDataSource, FModal, this);
    } else {
        FPrintCommand->Run(*FDataSource, run);
    }
    update();
}

void TMainForm::HistoryChanged() {
    if (!mVisszavonas)
        return;
    const TTemplateHistory& history = FDM.Template.History();
    mVisszavonas->setEnabled(history.CanUndo());
    mMegis->setEnabled(history.CanRedo());
    const QString undo =
        history.CanUndo() ? TMainFormText::tr("Visszavonás: ") + history.UndoHint() : QString();
    const QString redo = history.CanRedo() ? TMainFormText::tr("Mégis: ") + history.RedoHint() : QString();
    mVisszavonas->setToolTip(undo.isEmpty() ? mVisszavonas->text() : undo);
    mVisszavonas->setStatusTip(undo);
    mMegis->setToolTip(redo.isEmpty() ? mMegis->text() : redo);
    mMegis->setStatusTip(redo);
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
    QMenu* file = bar->addMenu(TMainFormText::tr("&File"));
    file->setObjectName(QStringLiteral("File1"));
    connect(AddItem(file, TMainFormText::tr("Új sorozat..."), "mUj", QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, [this] { FileCommand(&TTemplateFiles::New); });
    connect(AddItem(file, TMainFormText::tr("Megnyitás..."), "mMegnyit", QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, [this] { FileCommand(&TTemplateFiles::Open); });
    mKezi = AddItem(file, TMainFormText::tr("Kézi rögzítés"), "mKezi");
    connect(mKezi, &QAction::triggered, this, &TMainForm::OpenManualEntry);
    // Every edit is written at once: saving is saving under another name.
    connect(
        AddItem(file, TMainFormText::tr("Mentés másként..."), "mMentes", QKeySequence(Qt::CTRL | Qt::Key_S)),
        &QAction::triggered, this, [this] { FileCommand(&TTemplateFiles::SaveAs); });
    connect(AddItem(file, TMainFormText::tr("Adatböngésző"), "mAdatbongeszo"), &QAction::triggered, this,
            &TMainForm::OpenDataBrowser);
    connect(AddItem(file, TMainFormText::tr("Importálás (Excel)"), "ImportlsExcel1"), &QAction::triggered,
            this, &TMainForm::LinkWorkbook);
    QMenu* exportMenu = file->addMenu(QStringLiteral("Export"));
    exportMenu->setObjectName(QStringLiteral("Export1"));
    connect(AddItem(exportMenu, TMainFormText::tr("Excel file"), "Excelfile1"), &QAction::triggered, this,
            &TMainForm::ExportToExcel);
    file->addSeparator();
    connect(AddItem(file, TMainFormText::tr("Kilépés"), "Kilps2"), &QAction::triggered, this,
            &QWidget::close);

    QAction* settings = bar->addAction(TMainFormText::tr("&Beállítások"));
    settings->setObjectName(QStringLiteral("Belltsok1"));
    connect(settings, &QAction::triggered, this, [this] { OpenSettings(); });

    QMenu* edit = bar->addMenu(TMainFormText::tr("&Szerkesztés"));
    edit->setObjectName(QStringLiteral("Szerkesztes1"));
    connect(AddItem(edit, TMainFormText::tr("Kurzor"), "mKurzor"), &QAction::triggered, this,
            &TMainForm::ClearSelectionNow);
    // Each presses its tool and clicks it, as a click on the pressed tool creates an element.
    connect(AddItem(edit, TMainFormText::tr("Szöveg"), "mSzoveg", QKeySequence(Qt::CTRL | Qt::Key_T)),
            &QAction::triggered, this, [this] { FTools->ClickTool(TElemKind::ekText); });
    connect(AddItem(edit, TMainFormText::tr("Vonalkód"), "mVonalkod", QKeySequence(Qt::CTRL | Qt::Key_V)),
            &QAction::triggered, this, [this] { FTools->ClickTool(TElemKind::ekBarcode); });
    connect(AddItem(edit, TMainFormText::tr("Kép"), "mKep", QKeySequence(Qt::CTRL | Qt::Key_K)),
            &QAction::triggered, this, [this] { FTools->ClickTool(TElemKind::ekPicture); });
    connect(AddItem(edit, TMainFormText::tr("Rajz"), "mRajz", QKeySequence(Qt::CTRL | Qt::Key_R)),
            &QAction::triggered, this, [this] { FTools->ClickTool(TElemKind::ekDrawing); });
    mTorol = AddItem(edit, TMainFormText::tr("Elem törlése"), "mTorol", QKeySequence(Qt::CTRL | Qt::Key_D));
    mTorol->setEnabled(false);
    connect(mTorol, &QAction::triggered, this, &TMainForm::DeleteWithConfirmation);
    edit->addSeparator();
    edit->setToolTipsVisible(true);
    mVisszavonas =
        AddItem(edit, TMainFormText::tr("Visszavonás"), "mVisszavonas", QKeySequence(Qt::CTRL | Qt::Key_Z));
    mMegis = AddItem(edit, TMainFormText::tr("Mégis"), "mMegis");
    mMegis->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(mVisszavonas, &QAction::triggered, this, [this] { FEditor->Undo(); });
    connect(mMegis, &QAction::triggered, this, [this] { FEditor->Redo(); });

    QMenu* print = bar->addMenu(TMainFormText::tr("&Nyomtatás"));
    print->setObjectName(QStringLiteral("Nyomtatas1"));
    // The menu chooses the print mode, then runs the print button.
    connect(AddItem(print, TMainFormText::tr("Nyomtat..."), "mEtikett", QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, this, [this] {
                FPrintMode = TPrintMode::pmPrint;
                NyomtatasGombClick();
            });
    connect(AddItem(print, TMainFormText::tr("Nyomtatási kép"), "mPreview",
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)),
            &QAction::triggered, this, [this] {
                FPrintMode = TPrintMode::pmPreview;
                NyomtatasGombClick();
            });
    print->addSeparator();
    connect(AddItem(print, TMainFormText::tr("Nyomtató eltolása..."), "mEltolas"), &QAction::triggered, this,
            &TMainForm::OpenPrinterOffsets);

    QMenu* help = bar->addMenu(TMainFormText::tr("Sú&gó"));
    help->setObjectName(QStringLiteral("Sugo1"));
    connect(AddItem(help, TMainFormText::tr("Segitség  F1"), "mSugo"), &QAction::triggered, this,
            [this] { ShowHelp(10); });
    mOrsina = AddItem(help, QStringLiteral("Orsina"), "mOrsina");
    mOrsina->setCheckable(true);
    connect(mOrsina, &QAction::triggered, this, [this] { OpenWizard(); });

    QAction* quit = bar->addAction(TMainFormText::tr("&Kilépés"));
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
    QToolButton* uj = NamedToolButton(bar, "UjFileGomb", TMainFormText::tr("Új..."));
    uj->setIcon(ProgramIcon("new"));
    connect(uj, &QToolButton::clicked, this, [this] { FileCommand(&TTemplateFiles::New); });
    QToolButton* open = NamedToolButton(bar, "MegnyitasGomb", TMainFormText::tr("Megnyitás"));
    open->setIcon(ProgramIcon("open"));
    connect(open, &QToolButton::clicked, this, [this] { FileCommand(&TTemplateFiles::Open); });
    FKeziGomb = NamedToolButton(bar, "KeziGomb", TMainFormText::tr("Vonalkód-sorozat kézi rögzítése"));
    FKeziGomb->setIcon(ProgramIcon("manual-entry"));
    connect(FKeziGomb, &QToolButton::clicked, this, &TMainForm::OpenManualEntry);
    QToolButton* print = NamedToolButton(bar, "NyomtatasGomb", TMainFormText::tr("Nyomtatás"));
    print->setIcon(ProgramIcon("print"));
    connect(print, &QToolButton::clicked, this, &TMainForm::NyomtatasGombClick);
    QToolButton* excel =
        NamedToolButton(bar, "ExcelImportGomb", TMainFormText::tr("Importálás MS-Excel táblából"));
    excel->setIcon(ProgramIcon("excel-import"));
    connect(excel, &QToolButton::clicked, this, &TMainForm::LinkWorkbook);
    QToolButton* help = NamedToolButton(bar, "SugoGomb", TMainFormText::tr("Súgó [F1]"));
    help->setIcon(ProgramIcon("help"));
    connect(help, &QToolButton::clicked, this, [this] { ShowHelp(10); });
    help->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(help, &QToolButton::customContextMenuRequested, this, [this] { AskHelpTopic(); });
    for (QToolButton* b : {uj, open, FKeziGomb, print, excel, help}) {
        b->setIconSize(QSize(22, 22));
        layout->addWidget(b);
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
    FPages->addTab(FDataSourceTab, TMainFormText::tr("&Adatforrás"));
    FPages->addTab(FElementPanel, TMainFormText::tr("&Elemek"));
    FPages->addTab(FPageTab, TMainFormText::tr("Oldal"));
    FPages->addTab(FLabelTab, TMainFormText::tr("Cimke"));
    connect(FPages, &QTabWidget::currentChanged, this, [this] { FHelpContext = TabHelpContext(); });
    connect(FDataSourceTab, &TDataSourceTab::OpenRequested, this,
            [this] { FileCommand(&TTemplateFiles::Open); });
    connect(FDataSourceTab, &TDataSourceTab::BrowseRequested, this, &TMainForm::OpenDataBrowser);
    connect(FDataSourceTab, &TDataSourceTab::GenerateRequested, this, &TMainForm::OpenSeriesDesigner);
    connect(FElementPanel, &TElementPanel::CloneRequested, this, &TMainForm::CloneShownBarcode);
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
        // The record count keeps its 50 pixels unless eight digits with their separators would
        // be cut there.
        const int width =
            i == 3 ? std::max(widths[i], panel->fontMetrics().horizontalAdvance(GroupedCount(99'999'999)) +
                                             2 * panel->margin() + 8)
                   : widths[i];
        panel->setFixedWidth(width);
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
    RestoreWindowSize();
    if (!FStartTemplate.isEmpty())
        FSettings.Utolso = FStartTemplate;
    FEditor->SetAutoFontSize(FSettings.AutoBetu);
    FFiles = std::make_unique<TTemplateFiles>(FDM, FSettings, *FSettingsFile, FModal, *this, FPaths);
    setWindowTitle(QStringLiteral("Etikor"));
    State().DataFlag = false;
    State().LinkFlag = false;
    // The series folder; a folder that cannot be made ends the program through the error
    // handler.
    const QString series = FPaths.SeriesFolder();
    if (!QFileInfo(series).isDir() && !QDir().mkpath(series))
        throw std::runtime_error((TMainFormText::tr("Nem lehet létrehozni a következő mappát: ") + series)
                                     .toLocal8Bit()
                                     .toStdString());
    // The last template with its series files; false when the program must end.
    if (!FFiles->StartupOpen())
        return;
    FTemplateOpened = true;
    FDataSource = &FDM.T1;
    State().Panel2 = TMainFormText::tr("Sorozat: ") + State().SeriesName;
    State().Panel3.clear();
    State().Panel4 = QStringLiteral("0");
    ShowStatus();
    // The label tab's step list starts at "1".
    FHelpContext = 10;
    FLabelTab->ResetStep();
    FillFieldList();
    activateWindow();
    FCanvas->SetZoom(1);
    FTools->ShowZoom(1);
    ClearSelectionNow();
    RebuildCanvas();
    // The record count once the canvas shows the template.
    State().Panel4 = GroupedCount(DataSourceRecordCount());
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

void TMainForm::RestoreWindowSize() {
    if (FSettings.AblakSzelesseg <= 0 || FSettings.AblakMagassag <= 0)
        return;
    // The settings keep the outer size, frame included; never larger than the screen.
    const QSize frame = frameGeometry().size() - size();
    QSize inner = QSize(FSettings.AblakSzelesseg, FSettings.AblakMagassag) - frame;
    if (QScreen* screen = this->screen())
        inner = inner.boundedTo(screen->availableGeometry().size() - frame);
    resize(inner.expandedTo(minimumSize()));
    // Centred again at its new size, as it was at its first.
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
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
                   TMainFormText::tr("Hiba történt a program futtatása közben.") + kCr +
                       TMainFormText::tr("Indítsa újra a programot!") + kCr + message,
                   QStringLiteral("H"));
    CloseMainWindow();
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Coming back from a dialog (or another window) the selected element stays selected and
    // every control acts on it; only a frame without an element is left over and cleared.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !FCanvas->Selected()) {
        FPanels[0]->clear();
        FCanvas->SetSelectedFlag(0);
        FTools->SetDeleteEnabled(false);
    }
}

// ---- host of the template files -----------------------------------------------------------

void TMainForm::FileCommand(void (TTemplateFiles::*command)()) {
    if (!FFiles)
        return;
    (FFiles.get()->*command)();
    ShowStatus();
}

void TMainForm::ShowStatus() {
    FPanels[1]->setText(State().Panel2);
    FPanels[2]->setText(State().Panel3);
    FPanels[3]->setText(State().Panel4);
    setWindowTitle(State().TemplateName.isEmpty() ? QStringLiteral("Etikor")
                                                  : State().TemplateName + QStringLiteral(" – Etikor"));
    ShowManualEntryState();
}

void TMainForm::ShowManualEntryState() {
    // Hand-typed values go into the series, which is not the data source while a worksheet is.
    const bool linked = State().LinkFlag;
    const QString hint =
        linked ? TMainFormText::tr("A kézi rögzítés nem használható, amíg Excel-munkalap az adatforrás.")
               : TMainFormText::tr("Vonalkód-sorozat kézi rögzítése");
    if (mKezi) {
        mKezi->setEnabled(!linked);
        mKezi->setToolTip(hint);
    }
    if (FKeziGomb) {
        FKeziGomb->setEnabled(!linked);
        FKeziGomb->setToolTip(hint);
    }
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
    ShowManualEntryState();
    BuildCanvas();
    // A page-setup row the build added is part of the opened template, not an edit.
    FDM.Template.ClearHistory();
}

void TMainForm::BuildCanvas() {
    FEditor->BuildCanvas();
}

// ---- selection ----------------------------------------------------------------------------

void TMainForm::SelectElement(TElementView* view) {
    FEditor->Select(view);
}

void TMainForm::ClearSelectionNow() {
    FEditor->ClearSelection();
}

void TMainForm::SetZoom(int zoom) {
    FEditor->SetZoom(zoom);
}

void TMainForm::DeleteWithConfirmation() {
    FHelpContext = 18;
    const QString question = FCanvas->Selection().size() > 1
                                 ? TMainFormText::tr("Valóban törölni kívánja a kiválasztott elemeket?")
                                 : TMainFormText::tr("Valóban törölni kívánja a kiválasztott elemet?");
    if (FModal.Message(QString(), question, QStringLiteral("K")))
        FEditor->DeleteSelected();
    FHelpContext = 10;
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
        FModal.InputBox(TMainFormText::tr("Súgó téma"), TMainFormText::tr("Sorszám:"), QStringLiteral("10"));
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
        if (qobject_cast<QAbstractItemView*>(widget) || FElementPanel->IsValueBox(widget))
            return false;
        focusNextChild();
        return true;
    case Qt::Key_Delete: {
        // In an editable text box Delete deletes a character, not the element.
        if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && !edit->isReadOnly())
            return false;
        FTools->ClickDelete();
        return true;
    }
    case Qt::Key_F2:
        FPages->setCurrentWidget(FElementPanel);
        FElementPanel->FocusValue();
        return true;
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
