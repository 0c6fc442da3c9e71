#pragma once

// What the designer's tabs do to the template: creating elements from the tool bar, the
// selection and stepping through the rows, the page and label tabs' Apply, the element tab's
// value, field, date/time, rotation, alignment, font, barcode and picture commands, deleting,
// and undo/redo. Every change goes to the template model, which writes the file and keeps the
// history; the canvas and the tabs show the result. The main window hosts it: it supplies the
// data source values are taken from and shows what the editor reports.

#include "designer/Arrange.h"
#include "designer/BarcodeView.h"
#include "document/LabelTemplate.h"
#include "document/TemplateSchema.h"

#include <QObject>
#include <QPointer>

#include <optional>

class QPoint;

namespace etikor {

class IModal;
class TDM;
class TDataSet;
class TElementPanel;
class TElementView;
class TLabelCanvas;
class TLabelTab;
class TPageTab;
class TToolBar;
struct TDocumentState;
struct TPageSetup;
struct TSettings;

// The main window as the editor sees it.
class TElementEditorHost {
public:
    virtual ~TElementEditorHost();
    // The open series or linked worksheet (null before start-up) and its flags.
    virtual TDataSet* EditedDataSource() = 0;
    virtual TDocumentState& EditedState() = 0;
    // The element tab's field list rebuilt from the data source.
    virtual void FillFieldList() = 0;
    // Where the picture file dialog opens.
    virtual QString PictureFolder() = 0;
};

struct TElementEditorParts {
    TLabelCanvas& Canvas;
    TToolBar& Tools;
    TElementPanel& Panel;
    TPageTab& PageTab;
    TLabelTab& LabelTab;
};

class TElementEditor final : public QObject, private TTemplateListener {
    Q_OBJECT
public:
    TElementEditor(TDM& dm, const TSettings& settings, IModal& modal, TElementEditorHost& host,
                   const TElementEditorParts& parts, QObject* parent = nullptr);
    ~TElementEditor() override;

    // ---- selection ----
    // The view alone selected.
    void Select(TElementView* view);
    // A Ctrl or Shift click: the view joins the selection (and becomes primary) or leaves it.
    void ToggleSelected(TElementView* view);
    // The views of a rubber band selected, the topmost primary; `add` keeps the selection.
    void SelectBand(const QList<TElementView*>& views, bool add);
    void ClearSelection();
    // The barcode view selected last (copied to a bitmap file, cloned from the element tab).
    TBarcodeView* CurrentBarcode() const { return FCurrentBarcode; }
    // The canvas from the template as it is (zoom, picture size), the tabs following it.
    void BuildCanvas();
    void SetZoom(int zoom);
    // A zoom that keeps the label point under `viewPos` (a point of the canvas view) in place.
    void ZoomAt(int zoom, const QPointF& viewPos);
    // The largest step that shows the whole label.
    void FitZoom();

    // ---- page setup ----
    // The page and label tabs' values, as one page setup, and showing one there.
    TPageSetup ShownPageSetup() const;
    void ShowPageSetup(const TPageSetup& setup);
    // The Apply of the page and label tabs: the label size on the canvas, the page grown to take
    // it, the page setup written.
    void ApplyPageSetup();
    // The label stock chooser; a chosen sheet fills both tabs and is applied as one undo step.
    void ApplyStock();

    // "Auto betu" for this run: a barcode font chosen by hand switches it off.
    void SetAutoFontSize(bool on) { FAutoBetu = on; }

    // ---- commands ----
    void Create(TElemKind kind);
    void CreateDrawing(TDrawingKind kind);
    // Deletes every selected element as one step.
    void DeleteSelected();
    // Lines the selected elements up as one step.
    void Arrange(TArrangeKind kind);
    void PictureToOwnSize();
    void Undo();
    void Redo();

signals:
    // The selected element's position on the label, for the status bar.
    void PositionShown(const QString& text);

private:
    void PageChanged() override;
    void ElementChanged(const TLabelElement& element, TElementChange change) override;

    // The frame and the element tab on `view`, the other selected views kept.
    void ShowPrimary(TElementView* view);
    // A new element's view is selected and the arrow tool pressed, as after every creation.
    TElementView* ShowNewElement(const QString& name, std::optional<QPoint> screenPos = std::nullopt);
    // How far (stored pixels) a new element steps down and right from `start` so that it does
    // not cover an earlier new element there: a small cascade.
    int NewElementShift(int start) const;
    void CreateText();
    void CreateBarcode();
    void CreatePicture();
    void StepElement(int step);
    void ApplyValue();
    void TakeFieldValue();
    void PickField(int row);
    void Rotate(int code);
    void Align(TAlignment alignment);
    void ChooseFont();
    void ApplyBarcodeSettings();
    // The engine's setup dialog on a barcode, offering what the template keeps; what it
    // changed is written as one step.
    void SetupBarcode(TBarcodeView* view);
    // The canvas built again with the element of this name selected, as before the build.
    void ReselectAfterBuild(const QString& name);
    void CopyBarcodeToBitmap();
    void ChoosePictureFile();
    void GeometryEnded(TElementView* view);
    // The element tab's read-only fields: the selected element, or the page-setup row.
    void ShowSelectedRow();
    // The selected element's view while the selected flag is set.
    TElementView* SelectedView() const;
    int DataSourceRecordCount();
    void Warn(const QString& text);

    TDM& FDM;
    const TSettings& FSettings;
    IModal& FModal;
    TElementEditorHost& FHost;
    TLabelCanvas& FCanvas;
    TToolBar& FTools;
    TElementPanel& FPanel;
    TPageTab& FPageTab;
    TLabelTab& FLabelTab;
    QPointer<TBarcodeView> FCurrentBarcode;
    // The template's current row for stepping: the selected element's, the page-setup row's
    // while nothing is selected or after a step landed on it.
    QString FCurrentRow;
    bool FAutoBetu = true;
};

} // namespace etikor
