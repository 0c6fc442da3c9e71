#include "designer/LabelCanvas.h"

#include "data/Cp1250.h"
#include "data/FormatSettings.h"
#include "designer/BarcodeView.h"
#include "designer/Ruler.h"
#include "designer/Sizer.h"
#include "document/FontDescriptor.h"
#include "tablestore/StoreTable.h"

#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

namespace etikor {

namespace {

QString FromCp1250(const std::string& bytes) {
    return QString::fromStdString(Cp1250ToUtf8(bytes));
}

// The element font of a row: the descriptor applied over a new control's font. A colour the
// descriptor cannot name leaves the fields read before it applied (a damaged row still shows).
TFont RowFont(const std::string& betu) {
    TFont font;
    try {
        ApplyFontDescriptor(betu, font);
    } catch (const EConvertError&) {
    }
    return font;
}

// The font's pixel height at the screen resolution, as a control's font height.
int FontPixelHeight(int sizePt) {
    return RoundHalfEven(sizePt * kScreenPpi / 72.0);
}

} // namespace

TLabelCanvas::TLabelCanvas(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("ScrollB"));
    setWidgetResizable(false);
    FContainer = new QWidget;
    FContainer->setObjectName(QStringLiteral("ScrollBContent"));
    VonalzoX = new TRuler(Qt::Horizontal, FContainer);
    VonalzoX->setObjectName(QStringLiteral("VonalzoX"));
    VonalzoY = new TRuler(Qt::Vertical, FContainer);
    VonalzoY->setObjectName(QStringLiteral("VonalzoY"));
    RsRulerCorner1 = new QLabel(QStringLiteral("mm"), FContainer);
    RsRulerCorner1->setObjectName(QStringLiteral("RsRulerCorner1"));
    RsRulerCorner1->setToolTip(QStringLiteral("millimeter"));
    RsRulerCorner1->setAlignment(Qt::AlignCenter);
    RsRulerCorner1->setAutoFillBackground(true);
    RsRulerCorner1->setBackgroundRole(QPalette::Window);
    QPalette cornerPalette = RsRulerCorner1->palette();
    cornerPalette.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    cornerPalette.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    RsRulerCorner1->setPalette(cornerPalette);
    QFont small = RsRulerCorner1->font();
    small.setPixelSize(9);
    RsRulerCorner1->setFont(small);
    Cimke = new QWidget(FContainer);
    Cimke->setObjectName(QStringLiteral("Cimke"));
    Cimke->setAutoFillBackground(true);
    // Set explicitly: a widget otherwise takes the scroll box's dark role.
    Cimke->setBackgroundRole(QPalette::Window);
    QPalette white = Cimke->palette();
    white.setColor(QPalette::Window, Qt::white);
    Cimke->setPalette(white);
    Cimke->setMouseTracking(true);
    Cimke->installEventFilter(this);
    Sizer = new TSizer(Cimke);
    connect(Sizer, &TSizer::Dragging, this, [this](const QRect& r) { ShowPosition(r.topLeft()); });
    auto ended = [this](QWidget* target) {
        if (auto* view = qobject_cast<TElementView*>(target))
            emit GeometryEnded(view);
    };
    connect(Sizer, &TSizer::MoveEnded, this, ended);
    connect(Sizer, &TSizer::ResizeEnded, this, ended);
    AlapKep = new QLabel(FContainer);
    AlapKep->setObjectName(QStringLiteral("AlapKep"));
    AlapKep->setPixmap(QPixmap::fromImage(PlaceholderPicture()));
    AlapKep->setGeometry(0, 0, 23, 23);
    AlapKep->hide();
    setWidget(FContainer);
    setBackgroundRole(QPalette::Dark);
    Layout();
}

void TLabelCanvas::SetZoom(int zoom) {
    FZoom = std::clamp(zoom, 1, 3);
    VonalzoX->SetScale(100 * FZoom);
    VonalzoY->SetScale(100 * FZoom);
}

void TLabelCanvas::Layout() {
    const int origin = kRulerDepth + kMargin;
    Cimke->setGeometry(origin, origin, FPanel.Width, FPanel.Height);
    RsRulerCorner1->setGeometry(0, 0, kRulerDepth, kRulerDepth);
    const int width = origin + FPanel.Width + kMargin;
    const int height = origin + FPanel.Height + kMargin;
    VonalzoX->setGeometry(kRulerDepth, 0, width - kRulerDepth, kRulerDepth);
    VonalzoX->SetOrigin(kMargin);
    VonalzoY->setGeometry(0, kRulerDepth, kRulerDepth, height - kRulerDepth);
    VonalzoY->SetOrigin(kMargin);
    FContainer->resize(width, height);
}

std::vector<TElementView*> TLabelCanvas::Views() const {
    std::vector<TElementView*> views;
    for (QObject* child : Cimke->children())
        if (auto* view = qobject_cast<TElementView*>(child))
            views.push_back(view);
    return views;
}

TElementView* TLabelCanvas::View(const QString& name) const {
    for (TElementView* view : Views())
        if (view->objectName() == name)
            return view;
    return nullptr;
}

TElementView* TLabelCanvas::AddView(TElementView* view, const TElementRow& row) {
    view->setObjectName(FromCp1250(row.Elemnev));
    connect(view, &TElementView::Clicked, this, &TLabelCanvas::ElementClicked);
    view->show();
    // Later rows lie on top; the frame stays above every view.
    view->raise();
    return view;
}

TCanvasBuild TLabelCanvas::Build(TStoreTable& elemek, const TSettings& settings) {
    Detach();
    const std::vector<TElementView*> old = Views();
    for (auto it = old.rbegin(); it != old.rend(); ++it)
        delete *it;
    FNamer.Reset();

    TCanvasBuild result;
    if (LocatePageSetup(elemek)) {
        result.Setup = ReadPageSetup(elemek);
    } else {
        // As the label setup's Apply would write the settings' default page and label.
        result.Setup = AppliedPageSetup(DefaultPageSetup(settings));
        AppendPageSetupRow(elemek, result.Setup);
        elemek.SaveTable(elemek.FilePath());
        result.SetupRowAdded = true;
    }
    FPanel = LabelPanelSize(result.Setup.WidthMm, result.Setup.HeightMm, FZoom);
    Layout();

    const int z = FZoom;
    Cimke->setUpdatesEnabled(false);
    for (elemek.First(); !elemek.Eof(); elemek.Next()) {
        const TElementRow row = ReadElementRow(elemek);
        const std::optional<TElemKind> kind = row.Kind();
        if (!kind)
            continue;
        const TPixelRect screen = ZoomRect(row.Px, z);
        switch (*kind) {
        case TElemKind::ekText: {
            auto* view = new TRotateLabel(Cimke);
            const TTextAlignment alignment = AlignmentFromLetter(row.Tajolas);
            view->SetAlignment(alignment);
            result.LastAlignment = alignment;
            const TFont font = RowFont(row.Betu);
            QFont qfont = ToQFont(font);
            qfont.setPixelSize(std::max(1, FontPixelHeight(font.Size()) * z));
            view->SetAutoSize(false);
            view->SetTextFont(qfont, ToQColor(font.Color()));
            view->SetText(FromCp1250(row.FErtek));
            view->SetScreenRect(screen);
            if (row.Forgat < 7)
                result.LastTextRotation = row.Forgat;
            view->SetEscapement(TextEscapement(row.Forgat));
            view->SetAutoSize(true);
            AddView(view, row);
            break;
        }
        case TElemKind::ekBarcode: {
            auto* view = new TBarcodeView(Cimke);
            view->setObjectName(FromCp1250(row.Elemnev));
            const TFont font = RowFont(row.Betu);
            TViewFont vf;
            vf.Name = font.Name();
            vf.SizePt = std::max(1, font.Size() * z);
            vf.Bold = font.Style() & fsBold;
            vf.Italic = font.Style() & fsItalic;
            vf.Underline = font.Style() & fsUnderline;
            vf.StrikeOut = font.Style() & fsStrikeOut;
            vf.Color = ToQColor(font.Color());
            view->SetEngineFont(vf);
            TEanSettings engine;
            engine.AutoCheckDigit = settings.AutoChd;
            engine.AutoSize = settings.AutoVonal;
            engine.Security = settings.Security;
            engine.Angle = RotationDegrees(row.Forgat);
            engine.Value = row.FErtek.empty() ? std::string(kNewBarcodeValue) : row.FErtek;
            engine.ShowLabels = row.VErtek;
            engine.StartStopLines = row.Startstop;
            engine.Ean13AddUp = BarcodeIndexSetsEan13AddUp(row.VkIndex);
            view->SetTypeIndex(row.VkIndex);
            view->Configure(engine);
            result.LastBarcodeIndex = row.VkIndex;
            view->SetScreenRect(screen);
            AddView(view, row);
            break;
        }
        case TElemKind::ekPicture: {
            auto* view = new TPictureView(Cimke);
            view->SetScreenRect(screen);
            QImage picture;
            const QString file = FromCp1250(row.FErtek);
            if (!row.Forras.empty() && !file.isEmpty() && QFileInfo(file).isFile())
                picture = LoadPictureFile(file);
            if (picture.isNull())
                view->SetPicture(PlaceholderPicture(), true);
            else
                view->SetPicture(picture, false);
            AddView(view, row);
            break;
        }
        case TElemKind::ekDrawing: {
            auto* view = new TMyShape(Cimke);
            view->SetShape(row.VkIndex);
            view->SetScreenRect(screen);
            AddView(view, row);
            break;
        }
        }
        FNamer.Loaded(*kind);
    }
    elemek.First();
    Cimke->setUpdatesEnabled(true);
    Sizer->raise();
    return result;
}

void TLabelCanvas::Attach(TElementView* view) {
    FSelected = view;
    Sizer->Attach(view);
    // The arrow keys go to the frame of the element just selected.
    Sizer->setFocus();
    FSelectedFlag = 1;
}

void TLabelCanvas::Detach() {
    FSelected = nullptr;
    Sizer->Detach();
    FSelectedFlag = 0;
}

std::optional<QString> TLabelCanvas::StoreGeometry(TStoreTable& elemek, TElementView& view) {
    const std::string name = Utf8ToCp1250(view.objectName().toStdString());
    if (!elemek.Locate("Elemnev", TVariant(name), 0))
        return std::nullopt;
    const TPixelRect screen = view.ScreenRect();
    const TElementGeometry g = GeometryFromScreen(screen, FZoom);
    elemek.Edit();
    elemek.FieldByName("Height_mm").SetAsFloat(g.HeightMm);
    elemek.FieldByName("Left_mm").SetAsFloat(g.LeftMm);
    elemek.FieldByName("Top_mm").SetAsFloat(g.TopMm);
    elemek.FieldByName("Width_mm").SetAsFloat(g.WidthMm);
    elemek.FieldByName("Height_px").SetAsInteger(g.Px.Height);
    elemek.FieldByName("Left_px").SetAsInteger(g.Px.Left);
    elemek.FieldByName("Top_px").SetAsInteger(g.Px.Top);
    elemek.FieldByName("Width_px").SetAsInteger(g.Px.Width);
    elemek.Post();
    elemek.SaveTable(elemek.FilePath());
    if (auto* barcode = qobject_cast<TBarcodeView*>(&view); barcode && barcode->Angle() == 0) {
        const TBarcodeWidthCheck check = CheckBarcodeWidth(screen.Width, FZoom, barcode->MinimumWidth());
        if (check.TooNarrow())
            return check.Message();
    }
    return std::nullopt;
}

void TLabelCanvas::ShowPosition(const QPoint& labelPos) {
    VonalzoX->SetHairLine(labelPos.x());
    VonalzoY->SetHairLine(labelPos.y());
    emit PositionChanged(PositionText(ScreenToMm(labelPos.x(), FZoom), ScreenToMm(labelPos.y(), FZoom),
                                      FormatSettings().DecimalSeparator));
}

bool TLabelCanvas::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Cimke) {
        if (event->type() == QEvent::MouseMove) {
            emit PointerOverLabel();
            ShowPosition(static_cast<QMouseEvent*>(event)->position().toPoint());
        } else if (event->type() == QEvent::MouseButtonPress) {
            emit LabelClicked();
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

} // namespace etikor
