#include "designer/ElementEditor.h"

#include "barcode/Ean.h"
#include "barcode/ui/EanSetup.h"
#include "barcode/ui/SavePicture.h"
#include "data/ColorQt.h"
#include "data/Cp1250Text.h"
#include "data/FormatSettings.h"
#include "designer/CanvasGeometry.h"
#include "designer/ElementPanel.h"
#include "designer/ElementViews.h"
#include "designer/LabelCanvas.h"
#include "designer/SetupTabs.h"
#include "designer/Sizer.h"
#include "designer/ToolBar.h"
#include "document/DataModule.h"
#include "document/PictureFiles.h"
#include "document/Settings.h"
#include "document/TemplateFiles.h"
#include "series/tables/SeriesTables.h"
#include "services/Modal.h"
#include "ui/StockChooser.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TElementEditorText {
    Q_DECLARE_TR_FUNCTIONS(TElementEditorText)
};
} // namespace

namespace {

QString NoDataSource() {
    return TElementEditorText::tr("Nincs adatforrás!");
}

// The help file's topic on the barcode setup dialog.
constexpr int kBarcodeSetupHelpTopic = 12;

// New elements start 10 pixels from the label's top-left corner.
constexpr int kNewElementOffset = 10;
// The cascade of new elements: its step (stored pixels) and length before it starts over.
constexpr int kNewElementStep = 10;
constexpr int kNewElementSteps = 8;

QString FieldText(TDataSet& data, std::string_view name) {
    TField* field = data.FindField(name);
    return field ? FromCp1250(field->AsString()) : QString();
}

} // namespace

TElementEditorHost::~TElementEditorHost() = default;

TElementEditor::TElementEditor(TDM& dm, const TSettings& settings, IModal& modal, TElementEditorHost& host,
                               const TElementEditorParts& parts, QObject* parent)
    : QObject(parent), FDM(dm), FSettings(settings), FModal(modal), FHost(host), FCanvas(parts.Canvas),
      FTools(parts.Tools), FPanel(parts.Panel), FPageTab(parts.PageTab), FLabelTab(parts.LabelTab) {
    connect(&FCanvas, &TLabelCanvas::ElementClicked, this, &TElementEditor::Select);
    connect(&FCanvas, &TLabelCanvas::ElementToggled, this, &TElementEditor::ToggleSelected);
    connect(&FCanvas, &TLabelCanvas::BandSelected, this, &TElementEditor::SelectBand);
    connect(&FCanvas, &TLabelCanvas::LabelClicked, this, &TElementEditor::ClearSelection);
    connect(&FCanvas, &TLabelCanvas::GeometryEnded, this, &TElementEditor::GeometryEnded);
    // After the double click has been handled: writing the setup builds the views again.
    connect(&FCanvas, &TLabelCanvas::BarcodeSetupRequested, this, [this](TBarcodeView* view) {
        QTimer::singleShot(0, this, [this, barcode = QPointer<TBarcodeView>(view)] {
            if (barcode)
                SetupBarcode(barcode);
        });
    });

    connect(&FTools, &TToolBar::ArrowClicked, this, &TElementEditor::ClearSelection);
    connect(&FTools, &TToolBar::CreateRequested, this, &TElementEditor::Create);
    connect(&FTools, &TToolBar::DrawingChosen, this, &TElementEditor::CreateDrawing);
    connect(&FTools, &TToolBar::DeleteClicked, this, &TElementEditor::DeleteSelected);
    connect(&FTools, &TToolBar::ArrangeChosen, this, &TElementEditor::Arrange);
    connect(&FCanvas, &TLabelCanvas::SelectionCountChanged, &FTools, &TToolBar::SetSelectionCount);
    connect(&FTools, &TToolBar::OwnSizeClicked, this, &TElementEditor::PictureToOwnSize);
    connect(&FTools, &TToolBar::ZoomClicked, this, &TElementEditor::SetZoom);
    connect(&FTools, &TToolBar::ZoomStepClicked, this, [this](int steps) {
        ZoomAt(StepZoom(FCanvas.Zoom(), steps), FCanvas.viewport()->rect().center());
    });
    connect(&FTools, &TToolBar::FitClicked, this, &TElementEditor::FitZoom);
    connect(&FCanvas, &TLabelCanvas::ZoomAtRequested, this, &TElementEditor::ZoomAt);

    connect(&FPanel, &TElementPanel::StepRequested, this, &TElementEditor::StepElement);
    connect(&FPanel, &TElementPanel::ApplyValueRequested, this, &TElementEditor::ApplyValue);
    connect(&FPanel, &TElementPanel::FieldValueRequested, this, &TElementEditor::TakeFieldValue);
    connect(&FPanel, &TElementPanel::FieldPicked, this, &TElementEditor::PickField);
    connect(&FPanel, &TElementPanel::RotationChosen, this, &TElementEditor::Rotate);
    connect(&FPanel, &TElementPanel::AlignmentChosen, this, &TElementEditor::Align);
    connect(&FPanel, &TElementPanel::FontRequested, this, &TElementEditor::ChooseFont);
    connect(&FPanel, &TElementPanel::BarcodeSettingsApplied, this, &TElementEditor::ApplyBarcodeSettings);
    connect(&FPanel, &TElementPanel::BarcodeBitmapRequested, this, &TElementEditor::CopyBarcodeToBitmap);
    connect(&FPanel, &TElementPanel::PictureFileRequested, this, &TElementEditor::ChoosePictureFile);

    connect(&FPageTab, &TPageTab::ApplyRequested, this, &TElementEditor::ApplyPageSetup);
    connect(&FLabelTab, &TLabelTab::ApplyRequested, this, &TElementEditor::ApplyPageSetup);
    connect(&FPageTab, &TPageTab::StockRequested, this, &TElementEditor::ApplyStock);
    connect(&FLabelTab, &TLabelTab::StockRequested, this, &TElementEditor::ApplyStock);
    FDM.Template.AddListener(this);
}

TElementEditor::~TElementEditor() {
    FDM.Template.RemoveListener(this);
}

void TElementEditor::PageChanged() {
    if (!FCanvas.Selected())
        ShowSelectedRow();
}

void TElementEditor::ElementChanged(const TLabelElement& element, TElementChange) {
    if (FCanvas.Selected() && FCanvas.Selected()->objectName() == element.Name)
        FPanel.ShowRow(element);
}

int TElementEditor::DataSourceRecordCount() {
    TDataSet* source = FHost.EditedDataSource();
    return source && source->Active() ? source->RecordCount() : 0;
}

void TElementEditor::Warn(const QString& text) {
    FModal.Message(QString(), text, QStringLiteral("F"));
}

// ---- selection ----------------------------------------------------------------------------

void TElementEditor::Select(TElementView* view) {
    if (!view)
        return;
    FCanvas.ClearOthers();
    ShowPrimary(view);
}

void TElementEditor::ToggleSelected(TElementView* view) {
    TElementView* primary = SelectedView();
    if (!view)
        return;
    if (!primary) {
        Select(view);
    } else if (view == primary) {
        if (TElementView* next = FCanvas.DropFromSelection(view))
            ShowPrimary(next);
        else
            ClearSelection();
    } else if (FCanvas.IsSelected(view)) {
        FCanvas.DropFromSelection(view);
    } else {
        FCanvas.AddToSelection(primary);
        ShowPrimary(view);
    }
}

void TElementEditor::SelectBand(const QList<TElementView*>& views, bool add) {
    if (views.isEmpty())
        return;
    if (!add || !SelectedView())
        ClearSelection();
    else
        FCanvas.AddToSelection(SelectedView());
    for (TElementView* view : views)
        FCanvas.AddToSelection(view);
    ShowPrimary(views.back());
}

void TElementEditor::ShowPrimary(TElementView* view) {
    FCanvas.Attach(view);
    FCurrentRow = view->objectName();
    FTools.SetDeleteEnabled(true);
    const TLabelElement* element = FDM.Template.Find(view->objectName());
    if (element) {
        FPanel.ShowSelection(*element);
        // The move/resize handling runs on the selected view as it stands; what it rewrites
        // (a text's own size, millimetres a row lacked) is a step of its own to undo.
        TLabelTemplate::TEditGroup group(FDM.Template, TElementEditorText::tr("Elem helyének rögzítése"));
        if (const std::optional<QString> warning = FCanvas.StoreGeometry(*view))
            Warn(*warning);
    }
    FTools.ShowTool(view->Kind());
    if (view->Kind() == TElemKind::ekBarcode) {
        // The frame sizes it from now on, not the engine.
        auto* barcode = static_cast<TBarcodeView*>(view);
        barcode->SetEngineAutoSize(false);
        FCurrentBarcode = barcode;
    } else {
        view->raise();
    }
    FCanvas.Sizer->raise();
    ShowSelectedRow();
    const int zoom = FCanvas.Zoom();
    emit PositionShown(PositionText(ScreenToMm(view->x(), zoom), ScreenToMm(view->y(), zoom),
                                    FormatSettings().DecimalSeparator));
}

void TElementEditor::ClearSelection() {
    FCanvas.Detach();
    FCurrentRow = FromCp1250(std::string(kPageSetupName));
    FPanel.ShowNoSelection();
    ShowSelectedRow();
    FTools.ShowArrow();
    FTools.SetDeleteEnabled(false);
    FTools.setFocus();
}

void TElementEditor::ShowSelectedRow() {
    const TLabelElement* element =
        FCanvas.Selected() ? FDM.Template.Find(FCanvas.Selected()->objectName()) : nullptr;
    if (element)
        FPanel.ShowRow(*element);
    else
        FPanel.ShowRow(FDM.Template.PageSetupRow());
}

TElementView* TElementEditor::SelectedView() const {
    return FCanvas.SelectedFlag() == 1 ? FCanvas.Selected() : nullptr;
}

void TElementEditor::GeometryEnded(TElementView* view) {
    std::optional<QString> warning;
    {
        // The views that moved with it are stored in the same step.
        TLabelTemplate::TEditGroup group(FDM.Template, TElementEditorText::tr("Áthelyezés, átméretezés"));
        for (TElementView* other : FCanvas.Selection())
            if (other != view)
                FCanvas.StoreGeometry(*other);
        warning = FCanvas.StoreGeometry(*view);
    }
    if (warning)
        Warn(*warning);
}

void TElementEditor::BuildCanvas() {
    if (!FDM.Elemek.Active())
        return;
    const TCanvasBuild build = FCanvas.Build(FDM.Template, FSettings);
    ShowPageSetup(build.Setup);
    FPanel.ShowBuild(build);
    ShowSelectedRow();
}

void TElementEditor::SetZoom(int zoom) {
    ClearSelection();
    FCanvas.SetZoom(zoom);
    FTools.ShowZoom(FCanvas.Zoom());
    BuildCanvas();
}

void TElementEditor::ZoomAt(int zoom, const QPointF& viewPos) {
    const int old = FCanvas.Zoom();
    const TCanvasAxis x = FCanvas.AxisX();
    const TCanvasAxis y = FCanvas.AxisY();
    SetZoom(zoom);
    FCanvas.ScrollKeeping(x, y, viewPos, old);
}

void TElementEditor::FitZoom() {
    SetZoom(FCanvas.FitZoom());
}

void TElementEditor::StepElement(int step) {
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
        FPanel.ShowRow(FDM.Template.PageSetupRow());
        return;
    }
    if (TElementView* view = FCanvas.View(name))
        Select(view);
}

// ---- creation -----------------------------------------------------------------------------

TElementView* TElementEditor::ShowNewElement(const QString& name, std::optional<QPoint> screenPos) {
    const TLabelElement* element = FDM.Template.Find(name);
    if (!element)
        return nullptr;
    TElementView* view = FCanvas.AddElementView(*element, FSettings);
    if (!view)
        return nullptr;
    if (screenPos)
        view->move(*screenPos);
    FCanvas.Sizer->raise();
    FPanel.SetRotationCode(0);
    Select(view);
    FTools.ShowArrow();
    return view;
}

void TElementEditor::Create(TElemKind kind) {
    switch (kind) {
    case TElemKind::ekText:
        CreateText();
        break;
    case TElemKind::ekBarcode:
        CreateBarcode();
        break;
    case TElemKind::ekPicture:
        CreatePicture();
        break;
    case TElemKind::ekDrawing:
        break; // a drawing is made from the drawing menu
    }
}

int TElementEditor::NewElementShift(int start) const {
    const std::vector<TLabelElement>& elements = FDM.Template.Elements();
    for (int shift = 0; shift < kNewElementSteps * kNewElementStep; shift += kNewElementStep) {
        const int at = start + shift;
        if (std::none_of(elements.begin(), elements.end(),
                         [at](const TLabelElement& e) { return e.Px.Left == at && e.Px.Top == at; }))
            return shift;
    }
    return 0;
}

void TElementEditor::CreateText() {
    TLabelTemplate::TEditGroup group(FDM.Template, TElementEditorText::tr("Új szöveg elem"));
    // The text sits at (10, 10) on screen whatever the zoom (stepped on by the cascade) and takes
    // the size of its text; the selection stores both divided by the zoom.
    const int zoom = FCanvas.Zoom();
    const int start = StoredFromScreen(kNewElementOffset, zoom);
    const int shift = NewElementShift(start);
    const QString name = FDM.Template.AddElement(TElemKind::ekText, {start + shift, start + shift, 0, 0});
    const int screen = kNewElementOffset + shift * zoom;
    ShowNewElement(name, QPoint(screen, screen));
}

void TElementEditor::CreateBarcode() {
    TLabelTemplate::TEditGroup group(FDM.Template, TElementEditorText::tr("Új vonalkód elem"));
    // Stored at (10, 10) or further down the cascade, 150 wide, shown at the zoom.
    const int at = kNewElementOffset + NewElementShift(kNewElementOffset);
    const QString name = FDM.Template.AddElement(TElemKind::ekBarcode, {at, at, 150, TEan().Height()});
    auto* view = qobject_cast<TBarcodeView*>(ShowNewElement(name));
    if (!view)
        return;
    view->Ean().SetFontAutoSize(FAutoBetu);
    view->Ean().SetSecurity(FSettings.Security);
    const TDocumentState& state = FHost.EditedState();
    if (!state.DataFlag || DataSourceRecordCount() == 0) {
        Warn(NoDataSource());
        return;
    }
    if (state.LinkFlag)
        return;
    // A generated or hand-typed series: the new barcode shows its first value with its type.
    if (TField* type = FHost.EditedDataSource()->FindField(kSeriesTypeField))
        FPanel.ShowBarcodeListPosition(type->AsInteger());
    view->Ean().SetFontAutoSize(true);
    TakeFieldValue();
    ApplyValue();
    // A two-dimensional series type: no text under the new symbol unless asked for.
    const int typeIndex = FPanel.BarcodeTypeIndex();
    if (const std::optional<TTypBarCode> type = BarcodeTypeForIndex(typeIndex); type && IsMatrixType(*type))
        FDM.Template.SetBarcode(name, typeIndex, false, FPanel.StartStopLines());
    ClearSelection();
    BuildCanvas();
}

void TElementEditor::CreatePicture() {
    TLabelTemplate::TEditGroup group(FDM.Template, TElementEditorText::tr("Új kép elem"));
    const int at = kNewElementOffset + NewElementShift(kNewElementOffset);
    const QString name = FDM.Template.AddElement(TElemKind::ekPicture, {at, at, 20, 20});
    ShowNewElement(name);
}

void TElementEditor::CreateDrawing(TDrawingKind kind) {
    TLabelTemplate::TEditGroup group(FDM.Template, TElementEditorText::tr("Új rajz elem"));
    const TDrawingShape shape = DrawingShape(kind);
    const int at = kNewElementOffset + NewElementShift(kNewElementOffset);
    const QString name =
        FDM.Template.AddElement(TElemKind::ekDrawing, {at, at, shape.WidthPx, shape.HeightPx}, shape.Shape);
    ShowNewElement(name);
}

// ---- page and label setup ---------------------------------------------------------------

TPageSetup TElementEditor::ShownPageSetup() const {
    TPageSetup setup;
    FPageTab.ReadSetup(setup);
    FLabelTab.ReadSetup(setup);
    return setup;
}

void TElementEditor::ShowPageSetup(const TPageSetup& setup) {
    FPageTab.ShowSetup(setup);
    FLabelTab.ShowSetup(setup);
}

void TElementEditor::ApplyPageSetup() {
    const TPageSetup shown = ShownPageSetup();
    FCanvas.ApplyLabelSize(shown.LabelWidthMm, shown.LabelHeightMm);
    // The page grows to take one label and its margins, within the controls' limits.
    FPageTab.GrowPageFor(shown.LabelWidthMm, shown.LabelHeightMm);
    FDM.Template.SetPageSetup(ShownPageSetup());
}

void TElementEditor::ApplyStock() {
    const std::optional<TPageSetup> chosen = ChooseStock(FModal, ShownPageSetup(), FPageTab.window());
    if (!chosen)
        return;
    ShowPageSetup(*chosen);
    TLabelTemplate::TEditGroup group(FDM.Template, TElementEditorText::tr("Címkeív"));
    ApplyPageSetup();
}

// ---- element properties -----------------------------------------------------------------

void TElementEditor::ApplyValue() {
    TElementView* view = SelectedView();
    if (!view)
        return;
    TElementPanel& p = FPanel;
    if (const std::optional<int> code = p.TakeDateTimeChoice()) {
        const std::string source = DateTimeCodeSource(*code);
        p.SetValue(FromCp1250(ResolveDateTimeCode(source, "").value_or(std::string())));
        p.SetPendingSource(FromCp1250(source));
    }
    if (p.Value().trimmed().isEmpty()) {
        Warn(TElementEditorText::tr("Üres az érték mező!"));
        p.FocusValue();
        return;
    }
    TLabelTemplate::TEditGroup group(FDM.Template, TElementEditorText::tr("Érték"));
    const QString name = view->objectName();
    if (auto* text = qobject_cast<TRotateLabel*>(view)) {
        text->SetAutoSize(false);
        text->SetText(p.Value());
        text->SetStoredBox(text->size());
    } else if (auto* barcode = qobject_cast<TBarcodeView*>(view)) {
        TDataSet* source = FHost.EditedDataSource();
        if (!FHost.EditedState().LinkFlag &&
            (!source || !source->Active() || p.Value() != FieldText(*source, kSeriesValueField)))
            p.SetPendingSource(QString());
        barcode->SetTypeIndex(p.BarcodeTypeIndex());
        const std::string value = ToCp1250(p.Value());
        if (barcode->Ean().CheckBarCode(value)) {
            barcode->Ean().SetBarCode(value);
        } else {
            Warn(TElementEditorText::tr("Nem megfelelő vonalkód érték!"));
            barcode->Ean().Caption().SetText("1234");
            p.SetValue(FromCp1250(barcode->Ean().Caption().Text()));
        }
        barcode->SetEngineAutoSize(false);
        barcode->update();
    }
    const int rotation = p.RotationCode();
    FDM.Template.ApplyValue(name, p.PendingSource(), p.Value(), rotation, p.CheckedAlignment(),
                            p.BarcodeTypeIndex());
    Rotate(rotation);
}

void TElementEditor::TakeFieldValue() {
    TElementPanel& p = FPanel;
    TDataSet* source = FHost.EditedDataSource();
    if (!FHost.EditedState().DataFlag || !source) {
        Warn(NoDataSource());
        return;
    }
    p.SetPendingSource(QString());
    if (FHost.EditedState().LinkFlag) {
        FHost.FillFieldList();
        p.ShowFieldPicker();
        // The element's source should be one of the listed fields.
        const TLabelElement* element =
            SelectedView() ? FDM.Template.Find(SelectedView()->objectName()) : nullptr;
        const QString wanted = element ? element->Source.trimmed() : QString();
        bool listed = false;
        for (const TFieldListEntry& field : FDM.FieldList())
            listed = listed || FromCp1250(field.Name).startsWith(wanted, Qt::CaseInsensitive);
        if (!listed)
            Warn(TElementEditorText::tr("Hiányzik a beállított mezőnév!"));
        return;
    }
    source->First();
    p.SetValue(FieldText(*source, kSeriesValueField));
    p.SetPendingSource(QString::fromLatin1(kSeriesValueField.data(), int(kSeriesValueField.size())));
    if (FTools.BarcodeToolDown())
        if (TField* type = source->FindField(kSeriesTypeField))
            p.ShowBarcodeListPosition(type->AsInteger());
}

void TElementEditor::PickField(int row) {
    const std::vector<TFieldListEntry>& fields = FDM.FieldList();
    TDataSet* source = FHost.EditedDataSource();
    if (!source || row < 0 || row >= static_cast<int>(fields.size()))
        return;
    source->First();
    const QString listed = FromCp1250(fields[static_cast<size_t>(row)].Name);
    const QString name = listed.trimmed();
    FPanel.SetValue(FieldText(*source, name.toLatin1().constData()));
    FPanel.SetPendingSource(listed);
    if (FTools.BarcodeToolDown() && name.startsWith(QLatin1String("Vonalkod")) && name.size() == 9) {
        const QByteArray typeField = "Tipus" + name.right(1).toLatin1();
        if (TField* type = FDM.T1.Active() ? FDM.T1.FindField(typeField.constData()) : nullptr)
            FPanel.ShowBarcodeListPosition(type->AsInteger());
    }
}

void TElementEditor::Rotate(int code) {
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
    // The frame follows the element's new outline.
    ShowPrimary(view);
}

void TElementEditor::Align(TAlignment alignment) {
    TElementView* view = SelectedView();
    if (!view)
        return;
    if (auto* text = qobject_cast<TRotateLabel*>(view)) {
        text->SetAutoSize(false);
        text->SetAlignment(alignment);
        text->update();
        FDM.Template.SetAlignment(view->objectName(), alignment);
    }
}

void TElementEditor::ChooseFont() {
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
        const int zoom = FCanvas.Zoom();
        if (text) {
            auto* label = static_cast<TRotateLabel*>(view);
            QFont qfont = ToQFont(font);
            qfont.setPixelSize(std::max(1, RoundHalfEven(font.Size() * kScreenPpi / 72.0) * zoom));
            label->SetTextFont(qfont, ToQColor(font.Color()));
        } else {
            auto* code = static_cast<TBarcodeView*>(view);
            code->SetEngineFont(font, zoom);
            code->SetEngineAutoSize(false);
            code->Ean().SetFontAutoSize(false);
            // New barcodes no longer size their font by themselves in this run.
            FAutoBetu = false;
        }
    }
}

void TElementEditor::ApplyBarcodeSettings() {
    TElementView* view = SelectedView();
    if (!view || !FDM.Template.Find(view->objectName()))
        return;
    const QString name = view->objectName();
    FDM.Template.SetBarcode(name, FPanel.BarcodeTypeIndex(), FPanel.BarcodeValueShown(),
                            FPanel.StartStopLines());
    ReselectAfterBuild(name);
}

void TElementEditor::SetupBarcode(TBarcodeView* view) {
    if (!view)
        return;
    if (SelectedView() != view)
        Select(view);
    const QString name = view->objectName();
    const TLabelElement* found = FDM.Template.Find(name);
    if (!found)
        return;
    const TLabelElement before = *found;
    const TLabelElement* element = &before;
    std::vector<TTypBarCode> types;
    for (int i = 0; i < kBarcodeListSize; ++i)
        if (const std::optional<TTypBarCode> type = BarcodeTypeForIndex(i))
            types.push_back(*type);
    TEANSetupFmt setup(FModal, FCanvas.window());
    setup.OfferOnly(types);
    setup.OnHelp = [this] { FModal.ShowHelp(kBarcodeSetupHelpTopic); };
    setup.QueueOffsetMm = [this](const QString& queue) {
        const TPrintOffset offset = OffsetOfQueue(FSettings.Eltolas, queue);
        return QPointF(offset.X, offset.Y);
    };
    const QString shownValue = FromCp1250(view->Ean().BarCode());
    setup.LoadFrom(view->Ean());
    FModal.RunModal(setup);

    // What OK or Apply left on the view's barcode, as the template keeps it.
    const TEan& ean = view->Ean();
    const int position = BarcodeIndexOf(ean.TypBarCode());
    const int typeIndex =
        position < 0 ? element->TypeIndex : BarcodeStoredIndex(position, ean.MatrixOptions());
    const QString value = FromCp1250(ean.BarCode());
    const int angle = ((ean.Angle() % 360) + 360) % 360;
    const int rotation = angle % 90 == 0 ? angle / 90 : element->Rotation;
    TLabelTemplate::TEditGroup group(FDM.Template, TElementEditorText::tr("Vonalkód beállítása"));
    FDM.Template.SetBarcode(name, typeIndex, ean.ShowLabels(), ean.StartStopLines());
    if (value != shownValue)
        // A value typed in the dialog no longer comes from the field.
        FDM.Template.SetValue(name, QString(), value);
    if (rotation != element->Rotation)
        FDM.Template.SetRotation(name, rotation);
    ReselectAfterBuild(name);
}

void TElementEditor::ReselectAfterBuild(const QString& name) {
    ClearSelection();
    BuildCanvas();
    if (TElementView* view = FCanvas.View(name))
        Select(view);
}

void TElementEditor::CopyBarcodeToBitmap() {
    if (!FCurrentBarcode)
        return;
    TFileDialogOptions options;
    options.Filter = TElementEditorText::tr("Bitmap file|*.bmp");
    const std::optional<QString> file = FModal.SaveFile(options);
    if (file && FCurrentBarcode)
        SaveBarcodePicture(FCurrentBarcode->Ean(), file->toLocal8Bit().toStdString(), FModal);
}

void TElementEditor::ChoosePictureFile() {
    TFileDialogOptions options;
    options.Title = TElementEditorText::tr("Kép file");
    options.InitialDir = FHost.PictureFolder();
    options.DefaultExt = QStringLiteral("*.jpg");
    options.Filter = TElementEditorText::tr("Kép fileok|*.bmp;*.jpg;*.jpeg;*.wmf;*.ico");
    const std::optional<QString> file = FModal.OpenPicture(options);
    if (!file)
        return;
    auto* picture = qobject_cast<TPictureView*>(SelectedView());
    if (!picture)
        return;
    const QImage image = LoadPictureFile(*file);
    if (image.isNull()) {
        // A file that cannot be shown leaves the element as it was; the program goes on.
        Warn(TElementEditorText::tr("A kép file nem olvasható!") + QLatin1Char('\r') + *file);
        return;
    }
    picture->SetPicture(image, false);
    FDM.Template.SetValue(picture->objectName(), *file, *file);
}

// ---- deleting, own size, undo and redo ----------------------------------------------------

void TElementEditor::DeleteSelected() {
    TElementView* view = FCanvas.Selected();
    if (FCanvas.SelectedFlag() == 0 || !view)
        return;
    QStringList names;
    for (TElementView* selected : FCanvas.Selection())
        names.append(selected->objectName());
    ClearSelection();
    // One step however many; the canvas drops each view as the template removes its element.
    TLabelTemplate::TEditGroup group(FDM.Template, TElementEditorText::tr("Elem törlése"));
    for (const QString& name : names)
        FDM.Template.Remove(name);
}

void TElementEditor::Arrange(TArrangeKind kind) {
    const std::vector<TElementView*> views = FCanvas.Selection();
    if (views.empty())
        return;
    std::vector<TPixelRect> rects;
    rects.reserve(views.size());
    for (const TElementView* view : views)
        rects.push_back(view->ScreenRect());
    const TPanelSize& panel = FCanvas.PanelSize();
    const std::vector<TPixelRect> arranged = Arranged(rects, kind, {0, 0, panel.Width, panel.Height});
    TLabelTemplate::TEditGroup group(FDM.Template, TElementEditorText::tr("Elrendezés"));
    for (size_t i = 0; i < views.size(); ++i) {
        views[i]->SetScreenRect(arranged[i]);
        FCanvas.StoreGeometry(*views[i]);
    }
    FCanvas.SelectionMoved();
}

void TElementEditor::PictureToOwnSize() {
    auto* picture = qobject_cast<TPictureView*>(FCanvas.Selected());
    if (picture && FCanvas.SelectedFlag() == 1 && !picture->Picture().isNull()) {
        TLabelTemplate::TEditGroup group(FDM.Template, TElementEditorText::tr("Kép eredeti mérete"));
        picture->resize(picture->Picture().size());
        FCanvas.StoreGeometry(*picture);
        ReselectAfterBuild(picture->objectName());
        return;
    }
    ClearSelection();
    BuildCanvas();
}

void TElementEditor::Undo() {
    ClearSelection();
    if (FDM.Template.Undo())
        BuildCanvas();
}

void TElementEditor::Redo() {
    ClearSelection();
    if (FDM.Template.Redo())
        BuildCanvas();
}

} // namespace etikor
