#include "designer/ElementPanel.h"

#include "barcode/EncodeMatrix.h"
#include "barcode/ValueCheck.h"
#include "data/Cp1250Text.h"
#include "data/FormatSettings.h"
#include "designer/LabelCanvas.h"
#include "ui/Controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TElementPanelText {
    Q_DECLARE_TR_FUNCTIONS(TElementPanelText)
};
} // namespace

namespace {

// A date or time code as the list shows it: its layout in the letters of the window's language
// ("D: ÉÉÉÉ.HH.NN" is "D: YYYY.MM.DD" in English); the template stores the Hungarian text.
QString ShownDateTimeCode(const QString& code) {
    const qsizetype start = code.indexOf(QLatin1String(": "));
    if (start < 0)
        return code;
    const bool time = code.startsWith(QLatin1Char('I'));
    QString out = time ? TElementPanelText::tr("I", "time code") : TElementPanelText::tr("D", "date code");
    out += QLatin1String(": ");
    qsizetype i = start + 2;
    for (; i < code.size() && code[i] != QLatin1Char(' '); ++i) {
        const QChar c = code[i];
        if (c == QChar(0xC9))
            out += TElementPanelText::tr("É", "year letter");
        else if (c == QLatin1Char('H'))
            out += TElementPanelText::tr("H", "month letter");
        else if (c == QLatin1Char('N'))
            out += TElementPanelText::tr("N", "day letter");
        else if (c == QChar(0xD3))
            out += TElementPanelText::tr("Ó", "hour letter");
        else if (c == QLatin1Char('P'))
            out += TElementPanelText::tr("P", "minute letter");
        else
            out += c;
    }
    return out + code.mid(i);
}

} // namespace

namespace {

QString Mm2(double value) {
    return QString::fromStdString(FormatFloat("0.00", value));
}

} // namespace

TElementPanel::TElementPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsElemek"));
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(3);
    auto* ertekLabel = new QLabel(TElementPanelText::tr("Érték / &Szöveg / Adatforrás"), this);
    layout->addWidget(ertekLabel);
    Ertek = new QLineEdit(this);
    Ertek->setObjectName(QStringLiteral("Ertek"));
    ertekLabel->setBuddy(Ertek);
    layout->addWidget(Ertek);
    // What the barcode type makes of the value, while it is typed.
    ErtekHiba = new QLabel(this);
    ErtekHiba->setObjectName(QStringLiteral("ErtekHiba"));
    // One line that never widens the panel nor pushes its controls together; the whole
    // sentence is its tooltip.
    ErtekHiba->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    ErtekHiba->setStyleSheet(QStringLiteral("color: #b00000"));
    ErtekHiba->hide();
    layout->addWidget(ErtekHiba);
    connect(Ertek, &QLineEdit::textChanged, this, &TElementPanel::ShowValueProblem);
    auto* valueRow = new QHBoxLayout;
    SzRogzitoGomb = NamedToolButton(this, "SzRogzitoGomb", QString(), TElementPanelText::tr("Alkalmaz"));
    EMezoGomb = IconToolButton(this, "EMezoGomb", TElementPanelText::tr("Adatmező kiválasztása"), "field");
    DtGomb = IconToolButton(this, "DtGomb", TElementPanelText::tr("Rendszer dátum vagy idő beszúrása"),
                            "date-time");
    EFileGomb =
        IconToolButton(this, "EFileGomb", TElementPanelText::tr("Kép file kiválasztása"), "picture-file");
    for (QToolButton* b : {SzRogzitoGomb, EMezoGomb, DtGomb, EFileGomb})
        valueRow->addWidget(b);
    layout->addLayout(valueRow);
    DtLista = new QListWidget(this);
    DtLista->setObjectName(QStringLiteral("DtLista"));
    for (int i = 0; i < kDateTimeCodeCount; ++i)
        DtLista->addItem(ShownDateTimeCode(FromCp1250(DateTimeCodeListText(i))));
    DtLista->hide();
    layout->addWidget(DtLista);
    Mezok = new QTableWidget(0, 3, this);
    Mezok->setObjectName(QStringLiteral("Mezok"));
    Mezok->setHorizontalHeaderLabels({TElementPanelText::tr("Forrás neve (mező)"),
                                      TElementPanelText::tr("Tipus"), TElementPanelText::tr("Hossz")});
    Mezok->hide();
    layout->addWidget(Mezok);
    MezoKilepGomb = NamedToolButton(this, "MezoKilepGomb", QString(), TElementPanelText::tr("Mégsem/Vissza"));
    MezoKilepGomb->hide();
    connect(MezoKilepGomb, &QToolButton::clicked, Mezok, &QWidget::hide);
    connect(MezoKilepGomb, &QToolButton::clicked, MezoKilepGomb, &QWidget::hide);
    connect(MezoKilepGomb, &QToolButton::clicked, this, [this] { Ertek->setFocus(); });
    // Typing a value of one's own puts the field list away.
    connect(Ertek, &QLineEdit::textEdited, Mezok, &QWidget::hide);
    connect(Ertek, &QLineEdit::textEdited, MezoKilepGomb, &QWidget::hide);
    layout->addWidget(MezoKilepGomb);

    auto* alignRow = new QHBoxLayout;
    IgazitasCsoport = new QButtonGroup(this);
    IgazitasCsoport->setObjectName(QStringLiteral("IgazitasCsoport"));
    sbBalra = IconToolButton(this, "sbBalra", TElementPanelText::tr("Balra igazítás"), "align-left");
    sbKozepre = IconToolButton(this, "sbKozepre", TElementPanelText::tr("Középre igazítás"), "align-center");
    sbJobbra = IconToolButton(this, "sbJobbra", TElementPanelText::tr("Jobbra igazítás"), "align-right");
    for (QToolButton* b : {sbBalra, sbKozepre, sbJobbra}) {
        b->setCheckable(true);
        IgazitasCsoport->addButton(b);
        alignRow->addWidget(b);
    }
    sbBalra->setChecked(true);
    cb_Elforgat = new QComboBox(this);
    cb_Elforgat->setObjectName(QStringLiteral("cb_Elforgat"));
    cb_Elforgat->setToolTip(TElementPanelText::tr("Elforgatás (fok)"));
    cb_Elforgat->addItems(
        {QStringLiteral("0"), QStringLiteral("90"), QStringLiteral("180"), QStringLiteral("270")});
    alignRow->addWidget(cb_Elforgat);
    BetuGomb = IconToolButton(this, "BetuGomb", TElementPanelText::tr("Betűtípus beállítása"), "font");
    alignRow->addWidget(BetuGomb);
    layout->addLayout(alignRow);

    auto* form = new QFormLayout;
    form->setVerticalSpacing(1);
    ElemNev_edit = ReadOnlyEdit(this, "ElemNev_edit", TElementPanelText::tr("Elem belső azonosítója"));
    Forras_edit = ReadOnlyEdit(this, "Forras_edit", TElementPanelText::tr("Forrás (adatmező neve)"));
    Fertek_edit =
        ReadOnlyEdit(this, "Fertek_edit", TElementPanelText::tr("Tárolt érték / első adatmező tartalma"));
    Height_edit =
        ReadOnlyEdit(this, "Height_edit", TElementPanelText::tr("Kiválasztott elem magassága [mm]"));
    Width_edit = ReadOnlyEdit(this, "Width_edit", TElementPanelText::tr("Kiválasztott elem szélessége [mm]"));
    Top_edit = ReadOnlyEdit(this, "Top_edit", TElementPanelText::tr("Függőleges pozíció [mm]"));
    Left_edit = ReadOnlyEdit(this, "Left_edit", TElementPanelText::tr("Vízszintes pozíció [mm]"));
    form->addRow(TElementPanelText::tr("Név"), ElemNev_edit);
    form->addRow(TElementPanelText::tr("Forrás"), Forras_edit);
    form->addRow(TElementPanelText::tr("Érték"), Fertek_edit);
    form->addRow(TElementPanelText::tr("Magasság"), Height_edit);
    form->addRow(TElementPanelText::tr("Szélesség"), Width_edit);
    form->addRow(TElementPanelText::tr("Fent"), Top_edit);
    form->addRow(TElementPanelText::tr("Bal"), Left_edit);
    layout->addLayout(form);
    auto* nav = new QHBoxLayout;
    Hatra = IconToolButton(this, "Hatra", TElementPanelText::tr("Címke-elem kiválasztása"), "previous",
                           QStringLiteral("<"));
    Elore = IconToolButton(this, "Elore", TElementPanelText::tr("Címke-elem kiválasztása"), "next",
                           QStringLiteral(">"));
    nav->addWidget(Hatra);
    nav->addWidget(Elore);
    layout->addLayout(nav);

    gbVonalkod = new QGroupBox(TElementPanelText::tr("Vonalkód"), this);
    gbVonalkod->setObjectName(QStringLiteral("gbVonalkod"));
    auto* bl = new QVBoxLayout(gbVonalkod);
    cb_VkTNev = new QComboBox(gbVonalkod);
    cb_VkTNev->setObjectName(QStringLiteral("cb_VkTNev"));
    for (int t = 0; t < kBarcodeListSize; ++t)
        cb_VkTNev->addItem(FromCp1250(BarcodeTypeListText(t)));
    bl->addWidget(cb_VkTNev);
    // One row for a two-dimensional type's settings, where the start/stop lines (which it has
    // not) are for the linear types: the panel keeps its height.
    auto* options = new QHBoxLayout;
    lbVkOpcio = new QLabel(gbVonalkod);
    lbVkOpcio->setObjectName(QStringLiteral("lbVkOpcio"));
    cb_VkOpcio = new QComboBox(gbVonalkod);
    cb_VkOpcio->setObjectName(QStringLiteral("cb_VkOpcio"));
    lbVkOpcio2 = new QLabel(gbVonalkod);
    lbVkOpcio2->setObjectName(QStringLiteral("lbVkOpcio2"));
    cb_VkOpcio2 = new QComboBox(gbVonalkod);
    cb_VkOpcio2->setObjectName(QStringLiteral("cb_VkOpcio2"));
    lbVkOpcio->setBuddy(cb_VkOpcio);
    lbVkOpcio2->setBuddy(cb_VkOpcio2);
    for (QComboBox* list : {cb_VkOpcio, cb_VkOpcio2})
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cb_VkOpcio->setToolTip(TElementPanelText::tr("A kétdimenziós vonalkód beállítása"));
    cb_VkOpcio2->setToolTip(TElementPanelText::tr("PDF417 hibajavítási szint (0–8)"));
    for (QWidget* w : std::initializer_list<QWidget*>{lbVkOpcio, cb_VkOpcio, lbVkOpcio2, cb_VkOpcio2})
        options->addWidget(w);
    options->addStretch(1);
    connect(cb_VkTNev, &QComboBox::activated, this, [this](int position) {
        cbVonalkodErtek->show();
        ShowMatrixOptions(position, {});
        // A two-dimensional symbol shows no text unless asked for.
        if (!cb_VkOpcio->isHidden())
            cbVonalkodErtek->setChecked(false);
        ShowValueProblem();
    });
    for (QComboBox* list : {cb_VkOpcio, cb_VkOpcio2})
        connect(list, &QComboBox::activated, this, &TElementPanel::ShowValueProblem);
    cbVonalkodErtek = new QCheckBox(TElementPanelText::tr("Vonalkód érték látszik"), gbVonalkod);
    cbVonalkodErtek->setObjectName(QStringLiteral("cbVonalkodErtek"));
    bl->addWidget(cbVonalkodErtek);
    cbStartStop = new QCheckBox(TElementPanelText::tr("Start/Stop vonalak"), gbVonalkod);
    cbStartStop->setObjectName(QStringLiteral("cbStartStop"));
    bl->addWidget(cbStartStop);
    bl->addLayout(options);
    ShowMatrixOptions(0, {});
    auto* barcodeButtons = new QHBoxLayout;
    VkRogzitGomb = NamedToolButton(gbVonalkod, "VkRogzitGomb", QString(), TElementPanelText::tr("Alkalmaz"));
    Vk_bmp = IconToolButton(gbVonalkod, "Vk_bmp",
                            TElementPanelText::tr("Kijelölt vonalkód .bmp file-ba másolása"), "save-bitmap");
    KlonozasGomb = IconToolButton(
        gbVonalkod, "KlonozasGomb",
        TElementPanelText::tr("Kijelölt vonalkód értékének sokszorosítása (klónozás)"), "clone");
    VonalkodKilepGomb = IconToolButton(gbVonalkod, "VonalkodKilepGomb",
                                       TElementPanelText::tr("Vonalkód panel elrejtése"), "close");
    connect(VonalkodKilepGomb, &QToolButton::clicked, gbVonalkod, &QWidget::hide);
    for (QToolButton* b : {VkRogzitGomb, Vk_bmp, KlonozasGomb, VonalkodKilepGomb})
        barcodeButtons->addWidget(b);
    bl->addLayout(barcodeButtons);
    gbVonalkod->hide();
    layout->addWidget(gbVonalkod);
    layout->addStretch(1);

    // The date/time list opens here; what it chose is applied with the value.
    connect(DtGomb, &QToolButton::clicked, this, [this] {
        DtLista->show();
        DtLista->setCurrentRow(0);
        DtLista->setFocus();
    });
    connect(Hatra, &QToolButton::clicked, this, [this] { emit StepRequested(-1); });
    connect(Elore, &QToolButton::clicked, this, [this] { emit StepRequested(1); });
    connect(SzRogzitoGomb, &QToolButton::clicked, this, &TElementPanel::ApplyValueRequested);
    connect(Ertek, &QLineEdit::returnPressed, this, &TElementPanel::ApplyValueRequested);
    connect(EMezoGomb, &QToolButton::clicked, this, &TElementPanel::FieldValueRequested);
    connect(Mezok, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { emit FieldPicked(row); });
    connect(cb_Elforgat, &QComboBox::activated, this, &TElementPanel::RotationChosen);
    for (const TAlignment alignment :
         {TAlignment::taLeftJustify, TAlignment::taCenter, TAlignment::taRightJustify})
        connect(AlignmentButton(alignment), &QToolButton::clicked, this,
                [this, alignment] { emit AlignmentChosen(alignment); });
    connect(BetuGomb, &QToolButton::clicked, this, &TElementPanel::FontRequested);
    connect(VkRogzitGomb, &QToolButton::clicked, this, &TElementPanel::BarcodeSettingsApplied);
    connect(Vk_bmp, &QToolButton::clicked, this, &TElementPanel::BarcodeBitmapRequested);
    connect(KlonozasGomb, &QToolButton::clicked, this, &TElementPanel::CloneRequested);
    connect(EFileGomb, &QToolButton::clicked, this, &TElementPanel::PictureFileRequested);
}

QString TElementPanel::Value() const {
    return Ertek->text();
}

void TElementPanel::SetValue(const QString& value) {
    Ertek->setText(value);
}

void TElementPanel::FocusValue() {
    Ertek->setFocus();
    Ertek->selectAll();
}

bool TElementPanel::IsValueBox(const QObject* widget) const {
    return widget == Ertek;
}

int TElementPanel::RotationCode() const {
    return cb_Elforgat->currentIndex();
}

void TElementPanel::SetRotationCode(int code) {
    cb_Elforgat->setCurrentIndex(code);
}

std::optional<int> TElementPanel::TakeDateTimeChoice() {
    if (DtLista->isHidden())
        return std::nullopt;
    const int code = std::max(0, DtLista->currentRow());
    DtLista->hide();
    return code;
}

void TElementPanel::ShowFieldPicker() {
    Mezok->show();
    MezoKilepGomb->show();
    Mezok->setFocus();
}

int TElementPanel::ShownBarcodeListPosition() const {
    return cb_VkTNev->currentIndex();
}

bool TElementPanel::BarcodeValueShown() const {
    return cbVonalkodErtek->isChecked();
}

bool TElementPanel::StartStopLines() const {
    return cbStartStop->isChecked();
}

void TElementPanel::ShowMatrixOptions(int position, const TMatrixOptions& o) {
    const std::optional<TTypBarCode> type = BarcodeTypeForIndex(position);
    const auto fill = [](QComboBox* list, QLabel* label, const QString& caption, const QStringList& items,
                         int current) {
        list->clear();
        list->addItems(items);
        list->setCurrentIndex(current);
        label->setText(caption);
        list->setVisible(!items.isEmpty());
        label->setVisible(!items.isEmpty());
    };
    const QString automatic = QStringLiteral("auto");
    const QString ecc = TElementPanelText::tr("&Hibajavítás:");
    QStringList first, second;
    QString firstCaption, secondCaption = ecc;
    int firstIndex = 0, secondIndex = 0;
    switch (type.value_or(TTypBarCode::bcEan13)) {
    case TTypBarCode::bcQRCode:
        firstCaption = ecc;
        first = {QStringLiteral("L (7 %)"), QStringLiteral("M (15 %)"), QStringLiteral("Q (25 %)"),
                 QStringLiteral("H (30 %)")};
        firstIndex = static_cast<int>(o.QrEcc);
        break;
    case TTypBarCode::bcDataMatrix:
        firstCaption = TElementPanelText::tr("&Forma:");
        first = {TElementPanelText::tr("Négyzet"), TElementPanelText::tr("Téglalap"),
                 TElementPanelText::tr("GS1 négyzet"), TElementPanelText::tr("GS1 téglalap")};
        firstIndex = MatrixOptionCode(TTypBarCode::bcDataMatrix, o);
        break;
    case TTypBarCode::bcPDF417:
        firstCaption = TElementPanelText::tr("&Oszlop:");
        first << automatic;
        for (int c = 1; c <= 30; ++c)
            first << QString::number(c);
        firstIndex = o.PdfColumns;
        secondCaption = TElementPanelText::tr("&Szint:");
        second << automatic;
        for (int level = 0; level <= 8; ++level)
            second << QString::number(level);
        secondIndex = o.PdfEcc + 1;
        break;
    case TTypBarCode::bcAztec:
        firstCaption = ecc;
        first = {automatic, QStringLiteral("10 %"), QStringLiteral("23 %"), QStringLiteral("36 %"),
                 QStringLiteral("50 %")};
        firstIndex = o.AztecEcc;
        break;
    default:
        break;
    }
    fill(cb_VkOpcio, lbVkOpcio, firstCaption, first, firstIndex);
    fill(cb_VkOpcio2, lbVkOpcio2, secondCaption, second, secondIndex);
    // A matrix has no guard bars: its settings take the start/stop lines' place.
    cbStartStop->setVisible(first.isEmpty());
}

int TElementPanel::BarcodeTypeIndex() const {
    const int position = cb_VkTNev->currentIndex();
    const std::optional<TTypBarCode> type = BarcodeTypeForIndex(position);
    if (!type || !IsMatrixType(*type))
        return position;
    TMatrixOptions o;
    const int first = std::max(0, cb_VkOpcio->currentIndex());
    switch (*type) {
    case TTypBarCode::bcQRCode:
        o.QrEcc = static_cast<TQrEcc>(std::min(first, 3));
        break;
    case TTypBarCode::bcDataMatrix:
        o = MatrixOptionsFromCode(*type, first);
        break;
    case TTypBarCode::bcPDF417:
        o.PdfColumns = first;
        o.PdfEcc = std::max(0, cb_VkOpcio2->currentIndex()) - 1;
        break;
    default:
        o.AztecEcc = first;
        break;
    }
    return BarcodeStoredIndex(position, o);
}

void TElementPanel::ShowBarcodeType(int storedIndex) {
    const int position = BarcodeListPosition(storedIndex);
    if (position < 0)
        return;
    cb_VkTNev->setCurrentIndex(position);
    ShowMatrixOptions(position, BarcodeOptionsForIndex(storedIndex));
}

void TElementPanel::ShowBarcodeListPosition(int position) {
    if (position < 0 || position >= kBarcodeListSize || position == cb_VkTNev->currentIndex())
        return;
    ShowBarcodeType(position);
}

QToolButton* TElementPanel::AlignmentButton(TAlignment alignment) const {
    switch (alignment) {
    case TAlignment::taCenter:
        return sbKozepre;
    case TAlignment::taRightJustify:
        return sbJobbra;
    default:
        return sbBalra;
    }
}

TAlignment TElementPanel::CheckedAlignment() const {
    if (sbKozepre->isChecked())
        return TAlignment::taCenter;
    if (sbJobbra->isChecked())
        return TAlignment::taRightJustify;
    return TAlignment::taLeftJustify;
}

void TElementPanel::AllowRotation(bool allowed) {
    FRotationAllowed = allowed;
    Allow(cb_Elforgat, allowed);
}

void TElementPanel::AllowAlignment(bool allowed) {
    FAlignmentAllowed = allowed;
    for (QToolButton* b : {sbBalra, sbKozepre, sbJobbra})
        Allow(b, allowed);
}

void TElementPanel::ShowSelection(const TLabelElement& element) {
    gbVonalkod->hide();
    AllowRotation(true);
    DtGomb->show();
    Allow(EFileGomb, false);
    Allow(EMezoGomb, false);
    Allow(DtGomb, false);
    Ertek->setReadOnly(false);
    AllowAlignment(false);

    FPendingSource = element.Source;
    Ertek->setText(element.Value);
    if (element.Rotation >= 0 && element.Rotation < cb_Elforgat->count())
        cb_Elforgat->setCurrentIndex(element.Rotation);
    AlignmentButton(element.Alignment)->setChecked(true);

    switch (element.Kind) {
    case TElemKind::ekText:
        if (element.HasSource())
            AllowAlignment(true);
        Allow(EMezoGomb, true);
        Allow(DtGomb, true);
        if (!element.Source.isEmpty())
            AllowRotation(false);
        break;
    case TElemKind::ekBarcode:
        gbVonalkod->show();
        gbVonalkod->raise();
        Allow(EMezoGomb, true);
        Allow(DtGomb, true);
        ShowBarcodeType(element.TypeIndex);
        cbVonalkodErtek->setChecked(element.ShowValue);
        cbStartStop->setChecked(element.StartStop);
        break;
    case TElemKind::ekPicture:
        DtGomb->hide();
        Allow(EFileGomb, true);
        Ertek->setReadOnly(true);
        AllowRotation(false);
        break;
    case TElemKind::ekDrawing:
        DtGomb->hide();
        Allow(EFileGomb, false);
        Ertek->setReadOnly(true);
        AllowRotation(false);
        break;
    }
    ShowValueProblem();
}

void TElementPanel::ShowValueProblem() {
    if (!gbVonalkod || !ErtekHiba)
        return; // still being built
    const std::optional<TTypBarCode> type =
        gbVonalkod->isHidden() ? std::nullopt : BarcodeTypeForIndex(cb_VkTNev->currentIndex());
    QString problem;
    if (type) {
        EncoderOptions options;
        options.Matrix = BarcodeOptionsForIndex(BarcodeTypeIndex());
        problem = BarCodeValueProblem(*type, options, ToCp1250(Ertek->text()));
    }
    ErtekHiba->setText(problem);
    ErtekHiba->setToolTip(problem);
    ErtekHiba->setVisible(!problem.isEmpty());
}

void TElementPanel::ShowNoSelection() {
    DtLista->hide();
    gbVonalkod->hide();
    for (QToolButton* b : {EFileGomb, EMezoGomb, DtGomb})
        Allow(b, false);
    Ertek->clear();
    ShowValueProblem();
    cb_Elforgat->setCurrentIndex(0);
    AllowRotation(false);
    AllowAlignment(false);
}

void TElementPanel::ShowRow(const TPageSetupRow& row) {
    ElemNev_edit->setText(row.Name);
    Forras_edit->setText(row.Source);
    Fertek_edit->setText(row.Value);
    Height_edit->setText(Mm2(row.Mm.Height));
    Width_edit->setText(Mm2(row.Mm.Width));
    Top_edit->setText(Mm2(row.Mm.Top));
    Left_edit->setText(Mm2(row.Mm.Left));
}

void TElementPanel::ShowRow(const TLabelElement& element) {
    ShowRow(TPageSetupRow{element.Name, element.Source, element.Value, element.Mm});
}

void TElementPanel::ShowBuild(const TCanvasBuild& build) {
    if (build.LastAlignment)
        AlignmentButton(*build.LastAlignment)->setChecked(true);
    if (build.LastBarcodeIndex)
        ShowBarcodeType(*build.LastBarcodeIndex);
    cb_Elforgat->setCurrentIndex(0);
}

void TElementPanel::ShowFieldList(const std::vector<TFieldListEntry>& fields) {
    Mezok->setRowCount(0);
    for (const TFieldListEntry& field : fields) {
        const int row = Mezok->rowCount();
        Mezok->insertRow(row);
        Mezok->setItem(row, 0, new QTableWidgetItem(FromCp1250(field.Name).trimmed()));
        Mezok->setItem(row, 1, new QTableWidgetItem(FromCp1250(field.Type)));
        Mezok->setItem(row, 2, new QTableWidgetItem(QString::number(field.Size)));
    }
}

} // namespace etikor
