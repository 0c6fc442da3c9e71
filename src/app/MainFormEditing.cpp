// The main window's editing commands: creating elements, stepping through them, the page and
// label setup's Apply, the element tab's property commands, and undo/redo. Every change goes to
// the template model, which writes the file and keeps the history.

#include "app/MainForm.h"

#include "barcode/Ean.h"
#include "data/ColorQt.h"
#include "data/Cp1250Text.h"
#include "designer/BarcodeView.h"
#include "designer/CanvasGeometry.h"
#include "designer/ElementPanel.h"
#include "designer/ElementViews.h"
#include "designer/LabelCanvas.h"
#include "designer/SetupTabs.h"
#include "designer/Sizer.h"
#include "services/Modal.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>

namespace etikor {

namespace {

const QString kNoDataSource = QStringLiteral("Nincs adatforrás!");

// New elements start 10 pixels from the label's top-left corner.
constexpr int kNewElementOffset = 10;

struct TDrawingItem {
    const char* Name;
    const char* Caption;
    TDrawingKind Kind;
};
constexpr TDrawingItem kDrawingItems[] = {
    {"mVVonal", "Vízszintes vonal", TDrawingKind::dkHorizontalLine},
    {"mFVonal", "Függőleges vonal", TDrawingKind::dkVerticalLine},
    {"mNegyzet", "Négyzet", TDrawingKind::dkSquare},
    {"mKor", "Kör", TDrawingKind::dkCircle},
    {"mEllipszis", "Ellipszis", TDrawingKind::dkEllipse},
};

QString FieldText(TDataSet& data, const char* name) {
    TField* field = data.FindField(name);
    return field ? FromCp1250(field->AsString()) : QString();
}

} // namespace

void TMainForm::ConnectEditing() {
    RajzMenu = BuildDrawingMenu();
    connect(SzovegGomb, &QToolButton::clicked, this, &TMainForm::CreateText);
    connect(VonalkodGomb, &QToolButton::clicked, this, &TMainForm::CreateBarcode);
    connect(KepGomb, &QToolButton::clicked, this, &TMainForm::CreatePicture);
    connect(RajzGomb, &QToolButton::clicked, this, &TMainForm::ShowDrawingMenu);
    TElementPanel* p = FElementPanel;
    connect(p->Hatra, &QToolButton::clicked, this, [this] { StepElement(-1); });
    connect(p->Elore, &QToolButton::clicked, this, [this] { StepElement(1); });
    connect(FPageTab->OldalRGomb, &QPushButton::clicked, this, &TMainForm::ApplyPageSetup);
    connect(FLabelTab->CimkeRGomb, &QPushButton::clicked, this, &TMainForm::ApplyPageSetup);
    connect(p->SzRogzitoGomb, &QToolButton::clicked, this, &TMainForm::ApplyValue);
    connect(p->EMezoGomb, &QToolButton::clicked, this, &TMainForm::TakeFieldValue);
    connect(p->Mezok, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { PickField(row); });
    connect(p->DtGomb, &QToolButton::clicked, this, &TMainForm::ShowDateTimeList);
    connect(p->cb_Elforgat, &QComboBox::activated, this, &TMainForm::Rotate);
    connect(p->sbBalra, &QToolButton::clicked, this, [this] { Align(TAlignment::taLeftJustify); });
    connect(p->sbKozepre, &QToolButton::clicked, this, [this] { Align(TAlignment::taCenter); });
    connect(p->sbJobbra, &QToolButton::clicked, this, [this] { Align(TAlignment::taRightJustify); });
    connect(p->BetuGomb, &QToolButton::clicked, this, &TMainForm::ChooseElementFont);
    connect(p->VkRogzitGomb, &QToolButton::clicked, this, &TMainForm::ApplyBarcodeSettings);
    connect(p->Vk_bmp, &QToolButton::clicked, this, &TMainForm::CopyBarcodeToBitmap);
    connect(p->EFileGomb, &QToolButton::clicked, this, &TMainForm::ChoosePictureFile);
}

// ---- creation -----------------------------------------------------------------------------

QMenu* TMainForm::BuildDrawingMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("RajzMenu"));
    for (const TDrawingItem& item : kDrawingItems) {
        QAction* action = menu->addAction(QString::fromUtf8(item.Caption));
        action->setObjectName(QString::fromLatin1(item.Name));
        connect(action, &QAction::triggered, this, [this, kind = item.Kind] { CreateDrawing(kind); });
    }
    return menu;
}

void TMainForm::ShowDrawingMenu() {
    // Beside the button, two button heights below its top.
    const QPoint at = RajzGomb->mapToGlobal(QPoint(RajzGomb->width(), 2 * RajzGomb->height()));
    RajzMenu->popup(at);
}

TElementView* TMainForm::ShowNewElement(const QString& name, std::optional<QPoint> screenPos) {
    const TLabelElement* element = FDM.Template.Find(name);
    if (!element)
        return nullptr;
    TElementView* view = FCanvas->AddElementView(*element, FSettings);
    if (!view)
        return nullptr;
    if (screenPos)
        view->move(*screenPos);
    FCanvas->Sizer->raise();
    FElementPanel->cb_Elforgat->setCurrentIndex(0);
    SelectElement(view);
    NyilGomb->setChecked(true);
    return view;
}

void TMainForm::CreateText() {
    TLabelTemplate::TEditGroup group(FDM.Template, QStringLiteral("Új szöveg elem"));
    // The text sits at (10, 10) on screen whatever the zoom and takes the size of its text; the
    // selection stores both divided by the zoom.
    const int stored = StoredFromScreen(kNewElementOffset, Zoom());
    const QString name = FDM.Template.AddElement(TElemKind::ekText, {stored, stored, 0, 0});
    ShowNewElement(name, QPoint(kNewElementOffset, kNewElementOffset));
}

void TMainForm::CreateBarcode() {
    TLabelTemplate::TEditGroup group(FDM.Template, QStringLiteral("Új vonalkód elem"));
    // Stored at (10, 10), 150 wide, shown at the zoom.
    const QString name = FDM.Template.AddElement(
        TElemKind::ekBarcode, {kNewElementOffset, kNewElementOffset, 150, TEan().Height()});
    auto* view = qobject_cast<TBarcodeView*>(ShowNewElement(name));
    if (!view)
        return;
    view->Ean().SetFontAutoSize(FAutoBetu);
    view->Ean().SetSecurity(FSettings.Security);
    if (!State().DataFlag || DataSourceRecordCount() == 0) {
        Warn(kNoDataSource);
        return;
    }
    if (State().LinkFlag)
        return;
    // A generated or hand-typed series: the new barcode shows its first value with its type.
    if (TField* type = FDataSource->FindField("Tipus1"))
        FElementPanel->ShowBarcodeListPosition(type->AsInteger());
    view->Ean().SetFontAutoSize(true);
    TakeFieldValue();
    ApplyValue();
    // A two-dimensional series type: no text under the new symbol unless asked for.
    const int typeIndex = FElementPanel->BarcodeTypeIndex();
    if (const std::optional<TTypBarCode> type = BarcodeTypeForIndex(typeIndex); type && IsMatrixType(*type))
        FDM.Template.SetBarcode(name, typeIndex, false, FElementPanel->cbStartStop->isChecked());
    ClearSelectionNow();
    BuildCanvas();
}

void TMainForm::CreatePicture() {
    TLabelTemplate::TEditGroup group(FDM.Template, QStringLiteral("Új kép elem"));
    const QString name =
        FDM.Template.AddElement(TElemKind::ekPicture, {kNewElementOffset, kNewElementOffset, 20, 20});
    ShowNewElement(name);
}

void TMainForm::CreateDrawing(TDrawingKind kind) {
    TLabelTemplate::TEditGroup group(FDM.Template, QStringLiteral("Új rajz elem"));
    const TDrawingShape shape = DrawingShape(kind);
    const QString name = FDM.Template.AddElement(
        TElemKind::ekDrawing, {kNewElementOffset, kNewElementOffset, shape.WidthPx, shape.HeightPx},
        shape.Shape);
    ShowNewElement(name);
}

// ---- stepping through the elements ----------------------------------------------------------

void TMainForm::StepElement(int step) {
    const std::vector<QString>& rows = FDM.Template.RowOrder();
    if (rows.size() <= 1)
        return;
    const auto it = std::find(rows.begin(), rows.end(), FCurrentRow);
    const int current = it == rows.end() ? 0 : static_cast<int>(it - rows.begin());
    const int next = std::clamp(current + step, 0, static_cast<int>(rows.size()) - 1);
    if (next == current)
        return;
    const QString& name = rows[static_cast<size_t>(next)];
    if (name == FromCp1250(std::string(kPageSetupName))) {
        // The page-setup row becomes current; the selection stays as it was.
        FCurrentRow = name;
        FElementPanel->ShowRow(FDM.Template.PageSetupRow());
        return;
    }
    if (TElementView* view = FCanvas->View(name))
        SelectElement(view);
}

// ---- page and label setup ---------------------------------------------------------------

TPageSetupFields TMainForm::SetupFields() const {
    return {FPageTab->OldalHossz, FPageTab->OldalSzel, FPageTab->Felsom,     FPageTab->Balm,
            FPageTab->Jobbm,      FPageTab->Alsom,     FLabelTab->CMagassag, FLabelTab->CSzeles,
            FPageTab->COszlopok,  FPageTab->CTerkoz};
}

void TMainForm::ApplyPageSetup() {
    TPageTab& page = *FPageTab;
    TLabelTab& label = *FLabelTab;
    FCanvas->ApplyLabelSize(label.CSzeles->value(), label.CMagassag->value());
    // The page grows to take one label and its margins, within the controls' limits.
    const double length = label.CMagassag->value() + page.Felsom->value() + page.Alsom->value();
    if (page.OldalHossz->value() < length)
        page.OldalHossz->setValue(length);
    const double width = label.CSzeles->value() + page.Balm->value() + page.Jobbm->value();
    if (page.OldalSzel->value() < width)
        page.OldalSzel->setValue(width);
    FDM.Template.SetPageSetup(SetupFields().Read());
}

// ---- element properties -----------------------------------------------------------------

TElementView* TMainForm::SelectedView() const {
    return FCanvas->SelectedFlag() == 1 ? FCanvas->Selected() : nullptr;
}

void TMainForm::ApplyValue() {
    TElementView* view = SelectedView();
    if (!view)
        return;
    TElementPanel& p = *FElementPanel;
    if (!p.DtLista->isHidden()) {
        const int code = std::max(0, p.DtLista->currentRow());
        const std::string source = DateTimeCodeSource(code);
        p.Ertek->setText(FromCp1250(ResolveDateTimeCode(source, "").value_or(std::string())));
        p.SetPendingSource(FromCp1250(source));
        p.DtLista->hide();
    }
    if (p.Ertek->text().trimmed().isEmpty()) {
        Warn(QStringLiteral("Üres az érték mező!"));
        p.Ertek->setFocus();
        return;
    }
    TLabelTemplate::TEditGroup group(FDM.Template, QStringLiteral("Érték"));
    const QString name = view->objectName();
    if (auto* text = qobject_cast<TRotateLabel*>(view)) {
        text->SetAutoSize(false);
        text->SetText(p.Ertek->text());
        text->SetAutoSize(true);
    } else if (auto* barcode = qobject_cast<TBarcodeView*>(view)) {
        if (!State().LinkFlag && (!FDataSource || !FDataSource->Active() ||
                                  p.Ertek->text() != FieldText(*FDataSource, "Vonalkod1")))
            p.SetPendingSource(QString());
        barcode->SetTypeIndex(p.BarcodeTypeIndex());
        const std::string value = ToCp1250(p.Ertek->text());
        if (barcode->Ean().CheckBarCode(value)) {
            barcode->Ean().SetBarCode(value);
        } else {
            Warn(QStringLiteral("Nem megfelelő vonalkód érték!"));
            barcode->Ean().Caption().SetText("1234");
            p.Ertek->setText(FromCp1250(barcode->Ean().Caption().Text()));
        }
        barcode->SetEngineAutoSize(false);
        barcode->update();
    }
    const int rotation = p.cb_Elforgat->currentIndex();
    FDM.Template.ApplyValue(name, p.PendingSource(), p.Ertek->text(), rotation, p.CheckedAlignment(),
                            p.BarcodeTypeIndex());
    Rotate(rotation);
}

void TMainForm::TakeFieldValue() {
    TElementPanel& p = *FElementPanel;
    if (!State().DataFlag || !FDataSource) {
        Warn(kNoDataSource);
        return;
    }
    p.SetPendingSource(QString());
    if (State().LinkFlag) {
        FillFieldList();
        p.Mezok->show();
        p.MezoKilepGomb->show();
        p.Mezok->setFocus();
        // The element's source should be one of the listed fields.
        const TLabelElement* element =
            SelectedView() ? FDM.Template.Find(SelectedView()->objectName()) : nullptr;
        const QString source = element ? element->Source.trimmed() : QString();
        bool listed = false;
        for (const TFieldListEntry& field : FDM.FieldList())
            listed = listed || FromCp1250(field.Name).startsWith(source, Qt::CaseInsensitive);
        if (!listed)
            Warn(QStringLiteral("Hiányzik a beállított mezőnév!"));
        return;
    }
    FDataSource->First();
    p.Ertek->setText(FieldText(*FDataSource, "Vonalkod1"));
    p.SetPendingSource(QStringLiteral("Vonalkod1"));
    if (VonalkodGomb->isChecked())
        if (TField* type = FDataSource->FindField("Tipus1"))
            p.ShowBarcodeListPosition(type->AsInteger());
}

void TMainForm::PickField(int row) {
    const std::vector<TFieldListEntry>& fields = FDM.FieldList();
    if (!FDataSource || row < 0 || row >= static_cast<int>(fields.size()))
        return;
    TElementPanel& p = *FElementPanel;
    FDataSource->First();
    const QString listed = FromCp1250(fields[static_cast<size_t>(row)].Name);
    const QString name = listed.trimmed();
    p.Ertek->setText(FieldText(*FDataSource, name.toLatin1().constData()));
    p.SetPendingSource(listed);
    if (VonalkodGomb->isChecked() && name.startsWith(QLatin1String("Vonalkod")) && name.size() == 9) {
        const QByteArray typeField = "Tipus" + name.right(1).toLatin1();
        if (TField* type = FDM.T1.Active() ? FDM.T1.FindField(typeField.constData()) : nullptr)
            p.ShowBarcodeListPosition(type->AsInteger());
    }
}

void TMainForm::ShowDateTimeList() {
    TElementPanel& p = *FElementPanel;
    p.DtLista->show();
    p.DtLista->setCurrentRow(0);
    p.DtLista->setFocus();
}

void TMainForm::Rotate(int code) {
    TElementView* view = SelectedView();
    if (!view)
        return;
    if (auto* text = qobject_cast<TRotateLabel*>(view)) {
        text->SetAutoSize(false);
        text->SetEscapement(TextEscapement(code));
        text->SetAutoSize(true);
    } else if (auto* barcode = qobject_cast<TBarcodeView*>(view)) {
        if (const std::optional<int> degrees = RotationDegrees(code))
            barcode->Ean().SetAngle(*degrees);
        barcode->update();
    }
    FDM.Template.SetRotation(view->objectName(), code);
    ClearSelectionNow();
}

void TMainForm::Align(TAlignment alignment) {
    TElementView* view = SelectedView();
    if (!view)
        return;
    if (auto* text = qobject_cast<TRotateLabel*>(view)) {
        text->SetAutoSize(false);
        text->SetAlignment(alignment);
        text->update();
        FDM.Template.SetAlignment(view->objectName(), alignment);
    }
    ClearSelectionNow();
}

void TMainForm::ChooseElementFont() {
    TElementView* view = SelectedView();
    if (!view)
        return;
    const TLabelElement* element = FDM.Template.Find(view->objectName());
    TFontChoice initial;
    if (element) {
        initial.Font = ToQFont(element->Font);
        initial.Color = ToQColor(element->Font.Color());
    }
    const std::optional<TFontChoice> choice = FModal.ChooseFont(initial);
    if (!choice || !element)
        return;
    const bool text = view->Kind() == TElemKind::ekText;
    const bool barcode = view->Kind() == TElemKind::ekBarcode;
    if (text || barcode) {
        TFont font = element->Font;
        AssignQFont(choice->Font, font);
        font.SetColor(FromQColor(choice->Color));
        const QString name = view->objectName();
        FDM.Template.SetFont(name, font);
        if (text) {
            auto* label = static_cast<TRotateLabel*>(view);
            QFont qfont = ToQFont(font);
            qfont.setPixelSize(std::max(1, RoundHalfEven(font.Size() * kScreenPpi / 72.0) * Zoom()));
            label->SetTextFont(qfont, ToQColor(font.Color()));
        } else {
            auto* code = static_cast<TBarcodeView*>(view);
            code->SetEngineFont(font, Zoom());
            code->SetEngineAutoSize(false);
            code->Ean().SetFontAutoSize(false);
            // New barcodes no longer size their font by themselves in this run.
            FAutoBetu = false;
        }
    }
    ClearSelectionNow();
}

void TMainForm::ApplyBarcodeSettings() {
    TElementView* view = SelectedView();
    if (!view || !FDM.Template.Find(view->objectName()))
        return;
    TElementPanel& p = *FElementPanel;
    FDM.Template.SetBarcode(view->objectName(), p.BarcodeTypeIndex(), p.cbVonalkodErtek->isChecked(),
                            p.cbStartStop->isChecked());
    ClearSelectionNow();
    BuildCanvas();
}

void TMainForm::CopyBarcodeToBitmap() {
    if (!FCurrentBarcode)
        return;
    TFileDialogOptions options;
    options.Filter = QStringLiteral("Bitmap file|*.bmp");
    const std::optional<QString> file = FModal.SaveFile(options);
    if (file && FCurrentBarcode)
        FCurrentBarcode->Ean().SaveToFile(file->toLocal8Bit().toStdString());
}

void TMainForm::ChoosePictureFile() {
    TFileDialogOptions options;
    options.Title = QStringLiteral("Kép file");
    options.InitialDir = FPaths.SeriesFolder();
    options.DefaultExt = QStringLiteral("*.jpg");
    options.Filter = QStringLiteral("Kép fileok|*.bmp;*.jpg;*.jpeg;*.wmf;*.ico");
    const std::optional<QString> file = FModal.OpenPicture(options);
    if (!file)
        return;
    TElementView* view = SelectedView();
    auto* picture = qobject_cast<TPictureView*>(view);
    if (!picture)
        return;
    const QImage image = LoadPictureFile(*file);
    if (image.isNull()) {
        // A file that cannot be shown leaves the element as it was; the program goes on.
        Warn(QStringLiteral("A kép file nem olvasható!") + QLatin1Char('\r') + *file);
        return;
    }
    picture->SetPicture(image, false);
    FDM.Template.SetValue(picture->objectName(), *file, *file);
}

// ---- undo and redo ----------------------------------------------------------------------

void TMainForm::HistoryChanged() {
    if (!mVisszavonas)
        return;
    const TTemplateHistory& history = FDM.Template.History();
    mVisszavonas->setEnabled(history.CanUndo());
    mMegis->setEnabled(history.CanRedo());
    const QString undo = history.CanUndo() ? QStringLiteral("Visszavonás: ") + history.UndoHint() : QString();
    const QString redo = history.CanRedo() ? QStringLiteral("Mégis: ") + history.RedoHint() : QString();
    mVisszavonas->setToolTip(undo.isEmpty() ? mVisszavonas->text() : undo);
    mVisszavonas->setStatusTip(undo);
    mMegis->setToolTip(redo.isEmpty() ? mMegis->text() : redo);
    mMegis->setStatusTip(redo);
}

void TMainForm::UndoEdit() {
    ClearSelectionNow();
    if (FDM.Template.Undo())
        BuildCanvas();
}

void TMainForm::RedoEdit() {
    ClearSelectionNow();
    if (FDM.Template.Redo())
        BuildCanvas();
}

} // namespace etikor
