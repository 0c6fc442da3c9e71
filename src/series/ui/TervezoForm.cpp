#include "series/ui/TervezoForm.h"

#include "data/Cp1250Text.h"
#include "document/DataModule.h"
#include "document/TemplateSchema.h"
#include "series/SeriesDefinition.h"
#include "series/SeriesGeneration.h"
#include "series/ui/DatumForm.h"
#include "series/ui/EanSegedForm.h"
#include "services/Modal.h"
#include "ui/DataSetGridModel.h"
#include "ui/RadioList.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TTervezoFormText {
    Q_DECLARE_TR_FUNCTIONS(TTervezoFormText)
};
} // namespace

namespace {

enum ReszTipusIndex { kKarakter = 0, kSzam = 1, kDatum = 2, kEanAddUp = 3 };

template <typename W>
W* named(W* widget, const char* name, const QString& hint = {}) {
    widget->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty())
        widget->setToolTip(hint);
    return widget;
}

} // namespace

TTervezoForm::TTervezoForm(TDM& dm, const QString& seriesFileName, IModal& modal, QWidget* parent)
    : QDialog(parent), FDM(dm), FModal(modal), FSeriesFileName(seriesFileName) {
    setObjectName(QStringLiteral("TervezoForm"));
    setWindowTitle(TTervezoFormText::tr("Generálás / Kód tervező  [") + seriesFileName + QLatin1Char(']'));
    BuildControls();

    // The state every opening starts from.
    FVGomb1->setChecked(true);
    FReszTipus->setCurrentIndex(kSzam);
    FHossz->setValue(1);
    FNovekmeny->setValue(1);
    FSzamlalo->setChecked(false);
    UpdateValueFields();
    FErtek1->clear();
    FAdding = FEditing = false;
    if (!FDM.Ean128S.Active())
        FDM.Ean128S.Open();
    FDM.Ean128S.First();
    if (!FDM.M1.Active())
        FDM.M1.Open();
    FDM.M1.First();
    FVonalkodTipus->SetItemIndex(SeriesBarcodeType());
    ReloadGrid();
    VonalkodTipusClick(FVonalkodTipus->ItemIndex());
}

int TTervezoForm::SeriesBarcodeType() {
    // The type the series has, so generating it again does not change every record's type; a
    // series without records takes the type its definition was saved with.
    const auto listed = [](int index) { return index >= 0 && index < kBarcodeListSize; };
    TDataSet& series = FDM.T1;
    if (series.Active() && series.RecordCount() > 0)
        if (TField* type = series.FindField(kSeriesTypeField)) {
            const int recNo = series.RecNo();
            series.First();
            const int index = type->AsInteger();
            series.SetRecNo(recNo);
            if (listed(index))
                return index;
        }
    TDataSet& definition = FDM.M1;
    if (definition.Active() && definition.RecordCount() > 0)
        if (TField* type = definition.FindField("Vktip"); type && listed(type->AsInteger()))
            return type->AsInteger();
    return FVonalkodTipus->ItemIndex();
}

TTervezoForm::~TTervezoForm() {
    // Closing the designer closes the helper's table, which discards its rows.
    FDM.Ean128S.Close();
}

void TTervezoForm::BuildControls() {
    auto* outer = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    outer->addLayout(body);

    QStringList types;
    for (int i = 0; i < kBarcodeListSize; ++i)
        types << QString::fromLatin1(BarcodeTypeListText(i).data(),
                                     static_cast<int>(BarcodeTypeListText(i).size()));
    FVonalkodTipus = new TRadioList(QStringLiteral("VonalkodTipus"),
                                    TTervezoFormText::tr("Vonalkód &típusok"), types, 1, this);
    FVonalkodTipus->SetItemIndex(5);
    body->addWidget(FVonalkodTipus);
    connect(FVonalkodTipus, &TRadioList::Clicked, this, &TTervezoForm::VonalkodTipusClick);

    auto* right = new QVBoxLayout;
    body->addLayout(right, 1);
    auto* top = new QHBoxLayout;
    FRgFeldolg =
        new TRadioList(QStringLiteral("rgFeldolg"), TTervezoFormText::tr("Feldolgozás"),
                       {TTervezoFormText::tr("&Vízszintes"), TTervezoFormText::tr("&Függőleges")}, 2, this);
    FRgFeldolg->setToolTip(
        TTervezoFormText::tr("Víszintes: ABC1000A..Z,  ABC1001A..Z.\nFüggőleges: ABC1000A, ABC1001B, "
                             "ABC1002C."));
    FRgFeldolg->SetItemIndex(0);
    top->addWidget(FRgFeldolg, 1);
    FVGomb1 = named(new QToolButton(this), "vGomb1", TTervezoFormText::tr("Sorozat / Vonalkód 1"));
    FVGomb1->setText(QStringLiteral("1"));
    FVGomb1->setCheckable(true);
    top->addWidget(FVGomb1);
    connect(FVGomb1, &QToolButton::clicked, this, [this] {
        FVGomb1->setChecked(true); // the only series
        vGomb1Click();
    });
    right->addLayout(top);

    auto* gridLabel = new QLabel(TTervezoFormText::tr("Vonalkód részei"), this);
    right->addWidget(gridLabel);
    FReszGrid = named(new QTableView(this), "ReszGrid");
    auto yesNo = [](const TVariant& v) {
        return v.ToBool() ? TTervezoFormText::tr("I") : TTervezoFormText::tr("N");
    };
    FGridModel = new TDataSetGridModel(FDM.M1,
                                       {{"Hossz", TTervezoFormText::tr("Hossz")},
                                        {"Tipus", TTervezoFormText::tr("Típus")},
                                        {"Szamlalo", TTervezoFormText::tr("Sz"), yesNo},
                                        {"Ertek1", TTervezoFormText::tr("Érték 1")},
                                        {"Ertek2", TTervezoFormText::tr("Értek 2")},
                                        {"Vktip", TTervezoFormText::tr("Vktip")}},
                                       this);
    FReszGrid->setModel(FGridModel);
    FReszGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    FReszGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    FReszGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FReszGrid->verticalHeader()->setDefaultSectionSize(20);
    FReszGrid->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {50, 45, 30, 150, 150, 45};
    for (int i = 0; i < 6; ++i)
        FReszGrid->setColumnWidth(i, widths[i]);
    gridLabel->setBuddy(FReszGrid);
    right->addWidget(FReszGrid, 1);
    connect(FReszGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { GridRowChosen(current.row()); });

    auto* segmentButtons = new QHBoxLayout;
    FHozzaad = named(new QPushButton(TTervezoFormText::tr("Hozzáad"), this), "Hozzaad_Gomb");
    FSzerkeszt = named(new QPushButton(TTervezoFormText::tr("Szerkeszt"), this), "Szerkeszt_Gomb");
    FTorol = named(new QPushButton(TTervezoFormText::tr("Töröl"), this), "Torol_Gomb");
    for (QPushButton* b : {FHozzaad, FSzerkeszt, FTorol}) {
        b->setAutoDefault(false);
        segmentButtons->addWidget(b);
    }
    segmentButtons->addStretch(1);
    right->addLayout(segmentButtons);
    connect(FHozzaad, &QPushButton::clicked, this, &TTervezoForm::HozzaadGombClick);
    connect(FSzerkeszt, &QPushButton::clicked, this, &TTervezoForm::SzerkesztGombClick);
    connect(FTorol, &QPushButton::clicked, this, &TTervezoForm::TorolGombClick);

    FPanel = named(new QFrame(this), "P_Hozzaad");
    FPanel->setFrameShape(QFrame::StyledPanel);
    auto* panel = new QGridLayout(FPanel);
    auto* hosszLabel = new QLabel(TTervezoFormText::tr("Hossz"), FPanel);
    FHossz = named(new QSpinBox(FPanel), "Hossz_edit");
    FHossz->setRange(1, 128);
    hosszLabel->setBuddy(FHossz);
    auto* tipusLabel = new QLabel(TTervezoFormText::tr("Típus"), FPanel);
    FReszTipus = named(new QComboBox(FPanel), "ReszTipus");
    FReszTipus->addItems({TTervezoFormText::tr("Karakter"), TTervezoFormText::tr("Szám"),
                          TTervezoFormText::tr("Dátum"), QStringLiteral("Ean AddUp")});
    tipusLabel->setBuddy(FReszTipus);
    FSzamlalo = named(new QCheckBox(TTervezoFormText::tr("Számláló"), FPanel), "cb_Szamlalo");
    FLabel1 = named(new QLabel(TTervezoFormText::tr("Fixen tárolt érték"), FPanel), "FLabel1");
    FErtek1 = named(new QLineEdit(FPanel), "Ertek1_edit");
    FLabel2 = named(new QLabel(TTervezoFormText::tr("-Ig. érték"), FPanel), "FLabel2");
    FErtek2 = named(new QLineEdit(FPanel), "Ertek2_edit");
    FNLabel = named(new QLabel(TTervezoFormText::tr("Növekmény +"), FPanel), "NLabel");
    FNovekmeny = named(new QSpinBox(FPanel), "Novekmeny_edit");
    FNovekmeny->setRange(1, 128);
    FHHozzaad = named(new QToolButton(FPanel), "HHozzaad_Gomb", TTervezoFormText::tr("Alkalmaz"));
    FHHozzaad->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    FHKilep = named(new QToolButton(FPanel), "HKilep_Gomb", TTervezoFormText::tr("Mégsem/Vissza"));
    FHKilep->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    FEanGomb = named(new QToolButton(FPanel), "EanGomb", TTervezoFormText::tr("Ean128 segéd"));
    FEanGomb->setText(QStringLiteral("EAN"));
    FEanGomb->setEnabled(false);
    panel->addWidget(hosszLabel, 0, 0);
    panel->addWidget(FHossz, 1, 0);
    panel->addWidget(tipusLabel, 0, 1);
    panel->addWidget(FReszTipus, 1, 1);
    panel->addWidget(FSzamlalo, 1, 2);
    panel->addWidget(FLabel1, 2, 0, 1, 2);
    panel->addWidget(FErtek1, 3, 0, 1, 2);
    panel->addWidget(FLabel2, 2, 2);
    panel->addWidget(FErtek2, 3, 2);
    panel->addWidget(FNLabel, 2, 3);
    panel->addWidget(FNovekmeny, 3, 3);
    auto* panelButtons = new QHBoxLayout;
    panelButtons->addWidget(FEanGomb);
    panelButtons->addWidget(FHHozzaad);
    panelButtons->addWidget(FHKilep);
    panel->addLayout(panelButtons, 1, 3);
    FPanel->hide();
    right->addWidget(FPanel);
    connect(FHHozzaad, &QToolButton::clicked, this, &TTervezoForm::HHozzaadGombClick);
    connect(FHKilep, &QToolButton::clicked, this, &TTervezoForm::HKilepGombClick);
    connect(FEanGomb, &QToolButton::clicked, this, &TTervezoForm::EanGombClick);
    connect(FSzamlalo, &QCheckBox::clicked, this, &TTervezoForm::SzamlaloClick);
    connect(FReszTipus, &QComboBox::currentIndexChanged, this, &TTervezoForm::ReszTipusChange);
    FHossz->installEventFilter(this);
    FErtek1->installEventFilter(this);
    FErtek2->installEventFilter(this);

    auto* bottom = new QHBoxLayout;
    FGenerGomb = named(new QPushButton(TTervezoFormText::tr("&Generálás"), this), "GenerGomb",
                       TTervezoFormText::tr("Sorozat(ok) generálása"));
    FMegsemGomb = named(new QPushButton(TTervezoFormText::tr("&Kilép"), this), "MegsemGomb",
                        TTervezoFormText::tr("Kilépés [ESC]"));
    FSugoGomb = named(new QPushButton(TTervezoFormText::tr("Súgó [F1]"), this), "SugoGomb");
    for (QPushButton* b : {FGenerGomb, FMegsemGomb, FSugoGomb}) {
        b->setAutoDefault(false);
        bottom->addWidget(b);
    }
    bottom->insertStretch(1, 1);
    outer->addLayout(bottom);
    connect(FGenerGomb, &QPushButton::clicked, this, &TTervezoForm::GenerGombClick);
    connect(FMegsemGomb, &QPushButton::clicked, this, &QDialog::reject);
    connect(FSugoGomb, &QPushButton::clicked, this, &TTervezoForm::SugoGombClick);

    FLablec = named(new QStatusBar(this), "Lablec");
    FLablec->setSizeGripEnabled(false);
    outer->addWidget(FLablec);
    resize(640, 520);
}

// ---- helpers ------------------------------------------------------------------------------

void TTervezoForm::Warn(const QString& text) {
    FModal.Message(QString(), text, QStringLiteral("F"));
}

bool TTervezoForm::CounterTooLong() const {
    return FSzamlalo->isChecked() && FHossz->value() > 5 && FReszTipus->currentIndex() != kDatum;
}

void TTervezoForm::UpdateValueFields() {
    const bool counter = FSzamlalo->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{FNLabel, FNovekmeny, FLabel2, FErtek2})
        w->setVisible(counter);
    FLabel1->setText(counter ? TTervezoFormText::tr("Tól érték -")
                             : TTervezoFormText::tr("Fixen tárolt érték"));
    if (counter)
        FErtek1->setFocus();
    FErtek1->setMaxLength(FHossz->value());
    FErtek2->setMaxLength(FHossz->value());
}

void TTervezoForm::SetBrowsing(bool browsing) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{FVonalkodTipus, FGenerGomb, FMegsemGomb, FVGomb1, FReszGrid})
        w->setEnabled(browsing);
    FPanel->setVisible(!browsing);
    if (browsing)
        FAdding = FEditing = false;
}

void TTervezoForm::ReloadGrid() {
    FGridModel->Reload();
    if (FDM.M1.Active() && FDM.M1.RecordCount() > 0)
        FReszGrid->selectRow(FDM.M1.RecNo() - 1);
}

void TTervezoForm::GridRowChosen(int row) {
    if (row >= 0 && FDM.M1.Active() && row < FDM.M1.RecordCount() && FDM.M1.RecNo() != row + 1)
        FDM.M1.SetRecNo(row + 1);
}

// ---- handlers -----------------------------------------------------------------------------

void TTervezoForm::HozzaadGombClick() {
    SetBrowsing(false);
    FAdding = true;
    FEditing = false;
    FHossz->setValue(1);
    FReszTipus->setCurrentIndex(kSzam);
    FSzamlalo->setChecked(false);
    UpdateValueFields();
    FErtek1->clear();
    FErtek2->clear();
    FHossz->setFocus();
}

void TTervezoForm::SzerkesztGombClick() {
    TDataSet& m1 = FDM.M1;
    if (m1.RecordCount() == 0)
        return;
    SetBrowsing(false);
    FEditing = true;
    FAdding = false;
    FEditedRecNo = m1.RecNo();
    FHossz->setValue(m1.FieldByName(kSegmentLengthField).AsInteger());
    const std::string tipus = m1.FieldByName(kSegmentKindField).AsString();
    if (tipus == "D")
        FReszTipus->setCurrentIndex(kDatum);
    else if (tipus == "K")
        FReszTipus->setCurrentIndex(kKarakter);
    else if (tipus == "S")
        FReszTipus->setCurrentIndex(kSzam);
    FSzamlalo->setChecked(m1.FieldByName(kSegmentCountsField).AsBoolean());
    UpdateValueFields();
    FErtek1->setText(FromCp1250(m1.FieldByName(kSegmentStartField).AsString()));
    FErtek2->setText(FromCp1250(m1.FieldByName(kSegmentEndField).AsString()));
    FNovekmeny->setValue(m1.FieldByName(kSegmentStepField).AsInteger());
    FHossz->setFocus();
}

void TTervezoForm::TorolGombClick() {
    TStoreTable& m1 = FDM.M1;
    if (m1.RecordCount() == 0)
        return;
    if (!FModal.Message(QString(),
                        TTervezoFormText::tr("Valóban törli az aktuális definíciót?\rÉrték: ") +
                            FromCp1250(m1.FieldByName(kSegmentStartField).AsString()),
                        QStringLiteral("K")))
        return;
    DeleteSegment(m1);
    ReloadGrid();
}

void TTervezoForm::HHozzaadGombClick() {
    if (FErtek1->text() != QLatin1String("  ")) {
        bool missing = false;
        if (!FErtek1->isHidden() && FErtek1->text().trimmed().isEmpty()) {
            Warn(TTervezoFormText::tr("Hiányzik a ") + FLabel1->text() + TTervezoFormText::tr(" értéke!"));
            FErtek1->setFocus();
            missing = true;
        }
        if (!FErtek2->isHidden() && FErtek2->text().trimmed().isEmpty()) {
            Warn(TTervezoFormText::tr("Hiányzik a ") + FLabel2->text() + TTervezoFormText::tr(" értéke!"));
            FErtek2->setFocus();
            missing = true;
        }
        if (missing)
            return;
    }
    TSegmentValues values;
    values.Azon = 1;
    values.Hossz = FHossz->value();
    const QChar letter = FReszTipus->currentText().at(0);
    values.Tipus = letter == QLatin1Char('E') ? "K" : ToCp1250(QString(letter));
    values.Szamlalo = FSzamlalo->isChecked();
    values.Szorzo = FNovekmeny->value();
    values.Ertek1 = ToCp1250(FErtek1->text());
    values.Ertek2 = ToCp1250(FErtek2->text());
    values.Vktip = FVonalkodTipus->ItemIndex();
    if (FAdding) {
        AppendSegment(FDM.M1, values);
    } else if (FEditing) {
        if (FEditedRecNo >= 1 && FEditedRecNo <= FDM.M1.RecordCount())
            FDM.M1.SetRecNo(FEditedRecNo);
        ChangeSegment(FDM.M1, values);
    }
    SetBrowsing(true);
    ReloadGrid();
}

void TTervezoForm::HKilepGombClick() {
    FAdding = FEditing = false;
    FPanel->hide();
    const TDataSetState state = FDM.M1.State();
    if (state == TDataSetState::dsEdit || state == TDataSetState::dsInsert)
        FDM.M1.Cancel();
    SetBrowsing(true);
}

void TTervezoForm::SzamlaloClick() {
    if (FSzamlalo->isChecked() && FHossz->value() > 5 && FReszTipus->currentIndex() != kDatum) {
        Warn(TTervezoFormText::tr("Túl hosszú számláló érték."));
        FHossz->setFocus();
        return;
    }
    UpdateValueFields();
}

void TTervezoForm::HosszExit() {
    if (CounterTooLong()) {
        Warn(TTervezoFormText::tr("Túl hosszú számláló érték."));
        FHossz->setFocus();
    }
}

void TTervezoForm::ReszTipusChange(int index) {
    if (index != kEanAddUp || !(FAdding || FEditing))
        return;
    // A fixed two-character segment of two spaces, applied at once.
    FHossz->setValue(2);
    FSzamlalo->setChecked(false);
    UpdateValueFields();
    FNovekmeny->setValue(1);
    FErtek1->setText(QStringLiteral("  "));
    FErtek2->clear();
    HHozzaadGombClick();
}

void TTervezoForm::VonalkodTipusClick(int index) {
    FEanGomb->setEnabled(BarcodeIndexTakesAis(index));
}

void TTervezoForm::vGomb1Click() {
    TDataSet& m1 = FDM.M1;
    m1.SetFilter(std::string());
    m1.SetFiltered(false);
    m1.SetFilter("Azon=1");
    m1.SetFiltered(true);
    m1.First();
    ReloadGrid();
}

void TTervezoForm::EanGombClick() {
    TEanSegedForm helper(FDM, this);
    if (FModal.RunModal(helper) != QDialog::Accepted)
        return;
    const std::string ai = FDM.Ean128S.FieldByName("AI").AsString();
    const int maxLength = FDM.Ean128S.FieldByName("Maxhossz").AsInteger();
    const bool adding = FAdding;
    if (!InsertAiSegment(FDM.M1, FModal, ai, adding, FEditedRecNo, 1, FVonalkodTipus->ItemIndex())) {
        ReloadGrid();
        return;
    }
    if (!adding) {
        // The identifier took the edited segment's place: the segment after it (its data) is
        // edited next, or a new one is added when there is none.
        if (FEditedRecNo < FDM.M1.RecordCount()) {
            ++FEditedRecNo;
            FDM.M1.SetRecNo(FEditedRecNo);
        } else {
            FEditing = false;
            FAdding = true;
        }
    }
    ReloadGrid();
    FHossz->setValue(maxLength);
    if (ai == "11" || ai == "15" || ai == "17")
        FReszTipus->setCurrentIndex(kDatum);
    FReszTipus->setFocus();
}

void TTervezoForm::GenerGombClick() {
    TGenerationOptions options;
    options.Vertical = FRgFeldolg->ItemIndex() == 1;
    options.BarcodeType = FVonalkodTipus->ItemIndex();
    options.SeriesFileName = FSeriesFileName;
    options.ChooseDateFormat = [this]() -> std::optional<std::string> {
        TDatumBe chooser(this);
        FModal.RunModal(chooser);
        return chooser.Layout();
    };
    options.Progress = [this](const QString& text) {
        FLablec->showMessage(text);
        FLablec->repaint();
    };
    options.Busy = [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    try {
        if (GenerateSeries(FDM.M1, FDM.T1, FModal, options).SeriesReplaced())
            FSeriesReplaced = true;
    } catch (const std::exception& error) {
        // A file that could not be written (a full disk): the series is as it was.
        FModal.Message(QString(), QString::fromUtf8(error.what()), QStringLiteral("H"));
    }
    vGomb1Click();
}

void TTervezoForm::SugoGombClick() {
    FModal.ShowHelp(kHelpContext);
}

// ---- keys and events ----------------------------------------------------------------------

bool TTervezoForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && watched == FHossz) {
        // Not when a message box or another window takes the focus (the warning itself would).
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            HosszExit();
    } else if (event->type() == QEvent::FocusIn && (watched == FErtek1 || watched == FErtek2)) {
        auto* edit = static_cast<QLineEdit*>(watched);
        edit->setMaxLength(FHossz->value());
        if (edit == FErtek2 && FErtek2->text().trimmed().isEmpty())
            FErtek2->setText(FErtek1->text());
    }
    return QDialog::eventFilter(watched, event);
}

void TTervezoForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (focusWidget() != FReszGrid)
            focusNextChild();
        return;
    case Qt::Key_Escape:
        // With the segment panel open Esc steps back from it; otherwise it closes the window.
        if (!FPanel->isHidden())
            HKilepGombClick();
        else
            reject();
        return;
    case Qt::Key_F1:
        SugoGombClick();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace etikor
