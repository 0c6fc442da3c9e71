#include "series/ui/KeziForm.h"

#include "barcode/ValueCheck.h"
#include "barcode/ui/DBEan.h"
#include "data/Cp1250Text.h"
#include "data/Variant.h"
#include "document/DataModule.h"
#include "document/TemplateSchema.h"
#include "series/ui/TervezoForm.h"
#include "services/Modal.h"
#include "tablestore/StoreDataset.h"
#include "ui/DBNavigator.h"
#include "ui/DataBindings.h"
#include "ui/Icons.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TKeziFormText {
    Q_DECLARE_TR_FUNCTIONS(TKeziFormText)
};
} // namespace

namespace {

QString Browsing() {
    return TKeziFormText::tr("Böngészés...");
}

template <typename W>
W* named(W* widget, const char* name, const QString& hint = {}) {
    widget->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty())
        widget->setToolTip(hint);
    return widget;
}

} // namespace

TKeziForm::TKeziForm(TDM& dm, const QString& seriesFileName, IModal& modal, QWidget* parent)
    : QDialog(parent), FDM(dm), FModal(modal), FEntry(dm.T1), FSource(&dm.T1),
      FSeriesFileName(seriesFileName) {
    setObjectName(QStringLiteral("KeziForm"));
    setWindowTitle(TKeziFormText::tr("Vonalkód adatok kézi rögzítése"));
    BuildControls();

    // Opening.
    FPanels[0]->setText(TKeziFormText::tr("Böngészés"));
    FPanels[1]->setText(TKeziFormText::tr("Sorozat: ") + seriesFileName);
    FEntry.Start();
    ShowCount();
    // The type list and the preview follow the current record while browsing.
    FSource.OnDataChange = [this](TDataSource&, const TField*) {
        if (FDM.T1.State() == TDataSetState::dsBrowse)
            TypeInStep();
    };
    TypeInStep();
    SetEntering(false);
}

TKeziForm::~TKeziForm() {
    FSource.OnDataChange = nullptr;
    // Normally done when the window closed; a destructor must not raise, so a failure to
    // reopen the series here goes to the application's handler.
    try {
        Finish();
    } catch (const std::exception& error) {
        ReportStoreException(error);
    }
}

void TKeziForm::BuildControls() {
    auto* outer = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    outer->addLayout(body, 1);

    // The values and their navigator.
    auto* left = new QVBoxLayout;
    body->addLayout(left, 1);
    FEanGrid = named(new QTableView(this), "EanGrid");
    TGridColumn valueColumn{std::string(kSeriesValueField), TKeziFormText::tr("Vonalkód érték")};
    // A mark beside every value its own type cannot encode; the user may keep such values.
    valueColumn.Problem = [this](int row) {
        TDataSet& series = FDM.T1;
        const TVariant typeIndex = series.ValueAt(row, series.FieldByName(kSeriesTypeField));
        const std::optional<TTypBarCode> type =
            typeIndex.IsNumeric() ? BarcodeTypeForIndex(static_cast<int>(typeIndex.ToInt())) : std::nullopt;
        if (!type)
            return QString();
        EncoderOptions options = PreviewOptions();
        options.Matrix = BarcodeOptionsForIndex(static_cast<int>(typeIndex.ToInt()));
        return BarCodeValueProblem(*type, options,
                                   series.ValueAt(row, series.FieldByName(kSeriesValueField)).ToString());
    };
    new TDataSetGridBinding(*FEanGrid, FSource, {std::move(valueColumn)});
    FEanGrid->verticalHeader()->setDefaultSectionSize(20);
    FEanGrid->verticalHeader()->hide();
    FEanGrid->horizontalHeader()->setStretchLastSection(true);
    FEanGrid->setMinimumWidth(220);
    left->addWidget(FEanGrid, 1);
    FNavigator = new TDBNavigator(QStringLiteral("DBN1"), FSource, this);
    left->addWidget(FNavigator);

    // Actions, the type and the value, the preview.
    auto* right = new QVBoxLayout;
    body->addLayout(right, 2);
    auto* actions = new QHBoxLayout;
    auto button = [this](const char* name, const QString& caption, const QString& hint) {
        return named(new QPushButton(caption, this), name, hint);
    };
    FFelvetel = button("FelvetelGomb", TKeziFormText::tr("Felvétel"), TKeziFormText::tr("Új adat felvétele"));
    FModositas =
        button("ModositasGomb", TKeziFormText::tr("Módosítás"), TKeziFormText::tr("Adat módosítása"));
    FTorles = button("TorlesGomb", TKeziFormText::tr("Törlés"), TKeziFormText::tr("Adat törlése"));
    FRendben = button("RendbenGomb", TKeziFormText::tr("Rendben"), TKeziFormText::tr("Rögzítés"));
    FMegsem = button("MegsemGomb", TKeziFormText::tr("Mégsem"), TKeziFormText::tr("Visszavonás"));
    for (QPushButton* b : {FFelvetel, FModositas, FTorles, FRendben, FMegsem}) {
        b->setAutoDefault(false);
        actions->addWidget(b);
    }
    right->addLayout(actions);
    connect(FFelvetel, &QPushButton::clicked, this, &TKeziForm::FelvetelGombClick);
    connect(FModositas, &QPushButton::clicked, this, &TKeziForm::ModositasGombClick);
    connect(FTorles, &QPushButton::clicked, this, &TKeziForm::TorlesGombClick);
    connect(FRendben, &QPushButton::clicked, this, &TKeziForm::RendbenGombClick);
    connect(FMegsem, &QPushButton::clicked, this, &TKeziForm::MegsemGombClick);

    auto* tools = new QHBoxLayout;
    auto tool = [this](const char* name, const QString& hint, const char* icon) {
        auto* b = named(new QToolButton(this), name, hint);
        b->setIcon(ProgramIcon(icon));
        b->setIconSize(QSize(20, 20));
        return b;
    };
    FOTorol = tool("OTorolGomb", TKeziFormText::tr("Összes adat törlése"), "delete");
    FKlonozas = tool("KlonozasGomb",
                     TKeziFormText::tr("Kijelölt vonalkód értékének sokszorosítása (klónozás)"), "clone");
    FGeneral = tool("GeneralGomb", TKeziFormText::tr("Vonalkód generálás"), "barcode");
    for (QToolButton* b : {FOTorol, FKlonozas, FGeneral})
        tools->addWidget(b);
    tools->addStretch(1);
    right->addLayout(tools);
    connect(FOTorol, &QToolButton::clicked, this, &TKeziForm::OTorolGombClick);
    connect(FKlonozas, &QToolButton::clicked, this, &TKeziForm::KlonozasGombClick);
    connect(FGeneral, &QToolButton::clicked, this, &TKeziForm::GeneralGombClick);

    auto* fields = new QGridLayout;
    auto* typeLabel = new QLabel(TKeziFormText::tr("Vonalkód típusa"), this);
    FTypes = named(new QComboBox(this), "cb_VkTNev");
    for (int i = 0; i < kBarcodeListSize; ++i)
        FTypes->addItem(FromCp1250(BarcodeTypeListText(i)));
    typeLabel->setBuddy(FTypes);
    fields->addWidget(typeLabel, 0, 0);
    fields->addWidget(FTypes, 0, 1);
    auto* valueLabel = new QLabel(TKeziFormText::tr("Vonalkód érték"), this);
    FErtek = named(new QLineEdit(this), "Ertek_edit");
    new TDBEditBinding(*FErtek, FSource, std::string(kSeriesValueField));
    valueLabel->setBuddy(FErtek);
    fields->addWidget(valueLabel, 1, 0);
    fields->addWidget(FErtek, 1, 1);
    // What the chosen type makes of the value, while it is typed.
    FErtekHiba = named(new QLabel(this), "ErtekHiba");
    FErtekHiba->setWordWrap(true);
    FErtekHiba->setStyleSheet(QStringLiteral("color: #b00000"));
    fields->addWidget(FErtekHiba, 2, 1);
    fields->setColumnStretch(1, 1);
    right->addLayout(fields);
    connect(FTypes, &QComboBox::activated, this, &TKeziForm::TypeChosen);
    connect(FErtek, &QLineEdit::textChanged, this, [this] { ShowValueProblem(); });

    auto* sample = named(new QGroupBox(TKeziFormText::tr("MINTA"), this), "MintaDoboz");
    auto* sampleLayout = new QVBoxLayout(sample);
    FPreview = named(new TDBEan(sample), "MVonalkod");
    FPreview->SetShowLabels(true);
    FPreview->SetStartStopLines(true);
    FPreview->SetAutoCheckDigit(true);
    FPreview->setMinimumSize(260, 110);
    FPreview->SetDataSource(&FSource);
    FPreview->SetDataField(std::string(kSeriesValueField));
    sampleLayout->addWidget(FPreview);
    right->addWidget(sample, 1);

    auto* status = named(new QStatusBar(this), "Lablec");
    status->setSizeGripEnabled(false);
    const int widths[] = {140, 250, 80};
    for (int i = 0; i < 3; ++i) {
        FPanels[i] = new QLabel(status);
        FPanels[i]->setObjectName(QStringLiteral("Lablec_%1").arg(i + 1));
        FPanels[i]->setMinimumWidth(widths[i]);
        FPanels[i]->setAlignment(i == 1 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        status->addWidget(FPanels[i], i == 1 ? 1 : 0);
    }
    outer->addWidget(status);
    resize(640, 400);
}

QString TKeziForm::Panel(int number) const {
    return number >= 1 && number <= 3 ? FPanels[number - 1]->text() : QString();
}

void TKeziForm::SetEntering(bool entering) {
    const bool any = FDM.T1.Active() && !FDM.T1.IsEmpty();
    FEanGrid->setEnabled(!entering);
    FNavigator->setEnabled(!entering);
    FFelvetel->setEnabled(!entering);
    // Changing, deleting or cloning needs a record.
    FModositas->setEnabled(!entering && any);
    FTorles->setEnabled(!entering && any);
    FKlonozas->setEnabled(!entering && any);
    // Nothing else may change the series while an entry is open.
    FOTorol->setEnabled(!entering);
    FGeneral->setEnabled(!entering);
    FRendben->setEnabled(entering);
    FMegsem->setEnabled(entering);
}

void TKeziForm::ShowCount() {
    FPanels[2]->setText(GroupedCount(FDM.T1.Active() ? FDM.T1.RecordCount() : 0));
}

void TKeziForm::TypeInStep() {
    const int index = FEntry.CurrentType();
    if (index >= 0 && index < FTypes->count())
        FTypes->setCurrentIndex(index);
    TypeChosen(FTypes->currentIndex());
}

void TKeziForm::TypeChosen(int index) {
    if (const std::optional<TTypBarCode> type = BarcodeTypeForIndex(index))
        FPreview->SetTypBarCode(*type);
    FPreview->update();
    ShowValueProblem();
}

EncoderOptions TKeziForm::PreviewOptions() const {
    EncoderOptions options;
    options.AutoCheckDigit = true; // as the preview draws it
    return options;
}

void TKeziForm::ShowValueProblem() {
    const std::optional<TTypBarCode> type = BarcodeTypeForIndex(FTypes->currentIndex());
    const QString text = FErtek->text();
    // Nothing to say about an empty box while browsing an empty series.
    const QString problem = type && !(text.isEmpty() && !FEntry.Entering())
                                ? BarCodeValueProblem(*type, PreviewOptions(), ToCp1250(text))
                                : QString();
    FErtekHiba->setText(problem);
    FErtekHiba->setVisible(!problem.isEmpty());
}

void TKeziForm::FelvetelGombClick() {
    SetEntering(true);
    FPanels[0]->setText(TKeziFormText::tr("Új adat felvétele..."));
    FEntry.BeginNew();
    if (FTypes->currentIndex() == 0)
        FTypes->setFocus();
    else
        FErtek->setFocus();
}

void TKeziForm::ModositasGombClick() {
    SetEntering(true);
    FPanels[0]->setText(TKeziFormText::tr("Módosítás..."));
    FEntry.BeginChange();
    FErtek->setFocus();
}

void TKeziForm::RendbenGombClick() {
    if (!FEntry.Entering())
        return;
    const QString before = FPanels[0]->text();
    FPanels[0]->setText(Browsing());
    if (!FEntry.Confirm(FTypes->currentIndex())) {
        FPanels[0]->setText(before);
        FModal.Message(QString(), TKeziFormText::tr("Nem vett fel vonalkód-értéket!"), QStringLiteral("H"));
        FErtek->setFocus();
        return;
    }
    SetEntering(false);
    TypeInStep();
    ShowCount();
}

void TKeziForm::MegsemGombClick() {
    FPanels[0]->setText(Browsing());
    if (FEntry.Entering())
        FEntry.Cancel();
    SetEntering(false);
    TypeInStep();
}

void TKeziForm::TorlesGombClick() {
    FPanels[0]->setText(TKeziFormText::tr("Törlés..."));
    FEntry.Delete(FModal);
    FPanels[0]->setText(Browsing());
    ShowCount();
    SetEntering(false);
    FNavigator->setFocus();
}

void TKeziForm::OTorolGombClick() {
    FPanels[0]->setText(TKeziFormText::tr("Törlés..."));
    FEntry.DeleteAll(FModal);
    FPanels[0]->setText(Browsing());
    ShowCount();
    SetEntering(false);
    FNavigator->setFocus();
}

void TKeziForm::KlonozasGombClick() {
    CloneSeriesValue(FDM.T1, FEntry.CurrentValue(), FTypes->currentIndex(), FModal, [this] {
        ShowCount();
        SetEntering(false);
        TypeInStep();
    });
}

void TKeziForm::GeneralGombClick() {
    if (SetHelpContext)
        SetHelpContext(TTervezoForm::kHelpContext);
    if (ExternalDataNotInUse)
        ExternalDataNotInUse();
    {
        TTervezoForm designer(FDM, FSeriesFileName, FModal, this);
        FModal.RunModal(designer);
    }
    if (SetHelpContext)
        SetHelpContext(10);
    FEntry.ReloadAfterGeneration();
    ShowCount();
    SetEntering(false);
    TypeInStep();
}

void TKeziForm::Finish() {
    if (FFinished)
        return;
    FFinished = true;
    FEntry.Finish();
}

void TKeziForm::done(int result) {
    Finish();
    QDialog::done(result);
}

void TKeziForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        focusNextChild();
        return;
    case Qt::Key_Escape:
        reject();
        return;
    case Qt::Key_F1:
        FModal.ShowHelp(HelpContext ? HelpContext() : 10);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace etikor
