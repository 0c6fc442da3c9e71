#pragma once

// `TEANSetupFmt`, the barcode engine's own editor window: every property of one barcode object
// on tabbed pages with a live preview, the catalogue's HTML export and a small sheet printer
// that prints the barcode repeatedly in a grid. Its texts are English. The target is written
// only by Apply (and OK); the pages change the preview alone.

#include "barcode/Ean.h"

#include <QDialog>
#include <QPointF>
#include <QSizeF>

#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPagedPaintDevice;
class QPainter;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QGroupBox;

namespace etikor {

class IModal;

// The sheet the print page fills, in millimetres.
struct TSheetGrid {
    double Width = 40;
    double Height = 20;
    double Left = 10;
    double Top = 10;
    double Right = 10;
    double Bottom = 10;
    double SpaceX = 10;
    double SpaceY = 10;
};
struct TGridSize {
    int Cols = 0;
    int Rows = 0;
};
// How many barcodes fit across and down a printable area of `printableMm`.
TGridSize SheetGridSize(const TSheetGrid& grid, QSizeF printableMm);

// The colour lists' entries: the sixteen standard colours, then "User color".
inline constexpr int kColorEntries = 17;
inline constexpr int kUserColorEntry = 16;
// The colour of an entry; "User color" gives the custom colour.
TColor ColorListColor(int entry);
// The entry showing `color`: "User color" when none of the sixteen is it.
int ColorListEntry(TColor color);
// The custom colour both lists share while the program runs (black at start).
TColor CustomColor();
void SetCustomColor(TColor color);

class TEANSetupFmt final : public QDialog {
    Q_OBJECT
public:
    explicit TEANSetupFmt(IModal& modal, QWidget* parent = nullptr);
    ~TEANSetupFmt() override;

    // Fills the pages from `target` and remembers it for Apply; the preview copies it.
    void LoadFrom(TCustomEAN& target);
    // Turns to the page whose component name is `pageName` (any case); false when none is.
    bool ShowPage(const QString& pageName);
    // Writes every page's value into the target.
    void Apply();
    // Offers only these symbologies and what a label template keeps of a barcode (type and
    // its 2D settings, value, quarter-turn angle, value text and guard bars): the colour,
    // caption, mask, function and print pages and the size controls are not shown.
    void OfferOnly(const std::vector<TTypBarCode>& types);
    // What the Help button shows; unset, it turns to the About page.
    std::function<void()> OnHelp;
    // The calibration of a print queue, mm (right and down): what the print button sends to
    // that queue moves by it. Unset: nothing moves.
    std::function<QPointF(const QString& queue)> QueueOffsetMm;

    // The printer's printable area in mm for the grid (by default the default printer's).
    void SetPrintableArea(QSizeF mm) { FPrintableMm = mm; }
    // Prints `count` copies of the preview barcode onto a device already begun by `painter`,
    // page after page; with `next` each following copy is the next text, and the text is back
    // as it was afterwards. `printableMm` is the area the painter's origin starts.
    // `offsetMm` moves every barcode (a printer's calibration).
    void PrintBarCodes(QPagedPaintDevice& device, QPainter& painter, int count, bool next,
                       QPointF offsetMm = {});

    TEan& EAN() { return FEAN; }

    QTabWidget* ZAL = nullptr;
    QComboBox* CBTyp = nullptr;
    QLineEdit* EANMEMO = nullptr;
    QLabel* EANMEMO_HIBA = nullptr;
    QCheckBox* AddUp = nullptr;
    QPlainTextEdit* ZNAKY = nullptr;
    // The two-dimensional symbologies' settings; each shows only for its own type.
    QGroupBox* GR_2D = nullptr;
    QComboBox* QR_ECC = nullptr;
    QComboBox* DM_SHAPE = nullptr;
    QCheckBox* DM_GS1 = nullptr;
    QSpinBox* PDF_COLUMNS = nullptr;
    QSpinBox* PDF_ECC = nullptr;
    QComboBox* AZTEC_ECC = nullptr;
    QComboBox* BGColor = nullptr;
    QComboBox* LinesColor = nullptr;
    QCheckBox* Transparent = nullptr;
    QCheckBox* FontAutoSize = nullptr;
    QLabel* EAN_Font = nullptr;
    QCheckBox* CA_Visible = nullptr;
    QCheckBox* BCA_Visible = nullptr;
    std::array<QCheckBox*, 30> Mask{};
    QCheckBox* StartStopLines = nullptr;
    QCheckBox* ShowLabels = nullptr;
    QCheckBox* SecurityZoom = nullptr;
    QSpinBox* EAN_ANGLE = nullptr;
    QSpinBox* EAN_Width = nullptr;
    QSpinBox* EAN_Height = nullptr;
    QLineEdit* E_WIDTH = nullptr;
    QLineEdit* E_HEIGHT = nullptr;
    QLineEdit* E_COUNT = nullptr;
    QLineEdit* E_LEFT = nullptr;
    QLineEdit* E_TOP = nullptr;
    QLineEdit* E_RIGHT = nullptr;
    QLineEdit* E_BOTTOM = nullptr;
    QLineEdit* E_SPACEX = nullptr;
    QLineEdit* E_SPACEY = nullptr;
    QLabel* LBL_FORMAT = nullptr;
    QCheckBox* E_NEXT = nullptr;

private:
    // One caption's controls (upper or lower).
    struct TCaptionControls {
        QCheckBox* Visible = nullptr;
        QGroupBox* Group = nullptr;
        QComboBox* Alignment = nullptr;
        QCheckBox* AutoCaption = nullptr;
        QCheckBox* AutoSize = nullptr;
        QLineEdit* Text = nullptr;
        QLabel* Font = nullptr;
    };
    QWidget* BuildMainPage();
    QWidget* BuildColorsPage();
    QWidget* BuildCaptionPage();
    QWidget* BuildMaskPage();
    QWidget* BuildMiscPage();
    QWidget* BuildFunctionsPage();
    QWidget* BuildPrintPage();
    QWidget* BuildAboutPage();
    void BuildCaption(QWidget* page, TCaptionControls& c, const char* prefix, const char* group,
                      const char* fontLabel, const char* fontButton, const QString& visibleCaption,
                      const QString& sample);
    void LoadCaption(TCaptionControls& c, const TBarcodeCaption& caption);
    void ApplyCaption(const TCaptionControls& c, TBarcodeCaption& caption) const;
    void CBTypChange();
    void ShowValueProblem();
    // The 2D controls of the type shown, filled from `options`.
    void ShowMatrixOptions(TTypBarCode type, const TMatrixOptions& options);
    TMatrixOptions MatrixOptionsShown() const;
    void ColorChosen(QComboBox* list);
    void ChangeFont(QLabel* sample);
    void RecomputeGrid();
    void PrintClick();
    void ExportClick();

    IModal& FModal;
    TEan FEAN;
    TCustomEAN* FTarget = nullptr;
    TCaptionControls FUpper;
    TCaptionControls FLower;
    QWidget* FPreview = nullptr;
    QSizeF FPrintableMm;
    std::vector<TTypBarCode> FOfferedTypes;
};

// Opens the setup dialog modally for `target` (through `modal`), on the page named
// `pageName` when given. The target keeps what Apply or OK wrote.
int ShowEditor(TCustomEAN& target, IModal& modal, const QString& pageName = {}, QWidget* parent = nullptr);

} // namespace etikor
