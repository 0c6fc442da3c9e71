#include "designer/LabelCanvas.h"

#include "data/Cp1250Text.h"
#include "data/FormatSettings.h"
#include "designer/BarcodeView.h"
#include "designer/Ruler.h"
#include "designer/Sizer.h"

#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QRubberBand>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <functional>

namespace etikor {

namespace {

// The font's pixel height at the screen resolution, as a control's font height.
int FontPixelHeight(int sizePt) {
    return RoundHalfEven(sizePt * kScreenPpi / 72.0);
}

// The thin frames around the selected views other than the primary one; above the views, below
// the sizing frame, blind to the mouse.
class TSelectionMarks final : public QWidget {
public:
    TSelectionMarks(QWidget* parent, std::function<std::vector<QRect>()> rects)
        : QWidget(parent), FRects(std::move(rects)) {
        setObjectName(QStringLiteral("SelectionMarks"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(QColor(0x00, 0x80, 0x80), 1, Qt::DashLine));
        for (const QRect& r : FRects())
            painter.drawRect(r.adjusted(-2, -2, 1, 1));
    }

private:
    std::function<std::vector<QRect>()> FRects;
};

} // namespace

TLabelCanvas::TLabelCanvas(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("ScrollB"));
    setWidgetResizable(false);
    FContainer = new QWidget;
    FContainer->setObjectName(QStringLiteral("ScrollBContent"));
    // The rulers lie outside the scrolled view, in the margins kept for them.
    setViewportMargins(kRulerDepth, kRulerDepth, 0, 0);
    VonalzoX = new TRuler(Qt::Horizontal, this);
    VonalzoX->setObjectName(QStringLiteral("VonalzoX"));
    VonalzoY = new TRuler(Qt::Vertical, this);
    VonalzoY->setObjectName(QStringLiteral("VonalzoY"));
    RsRulerCorner1 = new QLabel(QStringLiteral("mm"), this);
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
    FMarks = new TSelectionMarks(Cimke, [this] {
        std::vector<QRect> rects;
        for (const QPointer<TElementView>& view : FOthers)
            if (view)
                rects.push_back(view->geometry());
        return rects;
    });
    FBand = new QRubberBand(QRubberBand::Rectangle, Cimke);
    FBand->setObjectName(QStringLiteral("KijeloloKeret"));
    Sizer = new TSizer(Cimke);
    connect(Sizer, &TSizer::Dragging, this, [this](const QRect& r) {
        ShowPosition(r.topLeft());
        FMarks->update();
    });
    connect(Sizer, &TSizer::ToggleClicked, this, [this](QWidget* target) {
        if (auto* view = qobject_cast<TElementView*>(target))
            emit ElementToggled(view);
    });
    // After a move or a resize (by the mouse or a key) the readout shows where the element is.
    auto ended = [this](QWidget* target) {
        if (auto* view = qobject_cast<TElementView*>(target)) {
            FMarks->update();
            ShowPosition(view->pos());
            emit GeometryEnded(view);
        }
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

TLabelCanvas::~TLabelCanvas() {
    if (FTemplate)
        FTemplate->RemoveListener(this);
}

void TLabelCanvas::ElementRemoved(const QString& name) {
    TElementView* view = View(name);
    if (!view)
        return;
    if (view == FSelected)
        Detach();
    std::erase(FOthers, view);
    delete view;
    FollowSelection();
}

void TLabelCanvas::SetZoom(int zoom) {
    FZoom = ClampZoom(zoom);
    VonalzoX->SetScale(100 * FZoom);
    VonalzoY->SetScale(100 * FZoom);
}

int TLabelCanvas::FitZoom() const {
    if (!FTemplate)
        return FZoom;
    const TPageSetup setup = FTemplate->PageSetup();
    return etikor::FitZoom(setup.LabelWidthMm, setup.LabelHeightMm, viewport()->width() - 2 * kMargin,
                           viewport()->height() - 2 * kMargin);
}

TCanvasAxis TLabelCanvas::AxisX() const {
    return {Cimke->x(), horizontalScrollBar()->value()};
}

TCanvasAxis TLabelCanvas::AxisY() const {
    return {Cimke->y(), verticalScrollBar()->value()};
}

void TLabelCanvas::ScrollKeeping(const TCanvasAxis& x, const TCanvasAxis& y, const QPointF& viewPos,
                                 int oldZoom) {
    // The ranges for the content as it is now, before the values are set.
    const QSize room = FContainer->size() - viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(room.width(), 0));
    verticalScrollBar()->setRange(0, std::max(room.height(), 0));
    horizontalScrollBar()->setValue(x.ScrollKeeping(viewPos.x(), oldZoom, FZoom));
    verticalScrollBar()->setValue(y.ScrollKeeping(viewPos.y(), oldZoom, FZoom));
}

void TLabelCanvas::Layout() {
    Cimke->setGeometry(kMargin, kMargin, FPanel.Width, FPanel.Height);
    FMarks->setGeometry(0, 0, FPanel.Width, FPanel.Height);
    // The content fills the view at least, so that a click beside a small label still lands.
    const QSize view = viewport()->size();
    FContainer->resize(std::max(kMargin + FPanel.Width + kMargin, view.width()),
                       std::max(kMargin + FPanel.Height + kMargin, view.height()));
    PlaceRulers();
}

void TLabelCanvas::PlaceRulers() {
    const QRect view = viewport()->geometry();
    RsRulerCorner1->setGeometry(view.left() - kRulerDepth, view.top() - kRulerDepth, kRulerDepth,
                                kRulerDepth);
    VonalzoX->setGeometry(view.left(), view.top() - kRulerDepth, view.width(), kRulerDepth);
    VonalzoY->setGeometry(view.left() - kRulerDepth, view.top(), kRulerDepth, view.height());
    const QPoint origin = Cimke->mapTo(viewport(), QPoint(0, 0));
    VonalzoX->SetOrigin(origin.x());
    VonalzoY->SetOrigin(origin.y());
}

void TLabelCanvas::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    Layout();
}

void TLabelCanvas::scrollContentsBy(int dx, int dy) {
    QScrollArea::scrollContentsBy(dx, dy);
    PlaceRulers();
}

void TLabelCanvas::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QScrollArea::wheelEvent(event);
        return;
    }
    event->accept();
    // A notch is 120; a touch pad sends smaller parts that add up to one.
    FWheelAngle += event->angleDelta().y();
    const int steps = FWheelAngle / 120;
    if (steps == 0)
        return;
    FWheelAngle -= steps * 120;
    const int zoom = StepZoom(FZoom, steps);
    if (zoom != FZoom)
        emit ZoomAtRequested(zoom, event->position());
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

TElementView* TLabelCanvas::AddView(TElementView* view, const TLabelElement& element) {
    view->setObjectName(element.Name);
    connect(view, &TElementView::Clicked, this, &TLabelCanvas::ElementClicked);
    connect(view, &TElementView::ToggleClicked, this, &TLabelCanvas::ElementToggled);
    view->show();
    // Later rows lie on top; the marks and the frame stay above every view.
    view->raise();
    FMarks->raise();
    return view;
}

TElementView* TLabelCanvas::AddElementView(const TLabelElement& element, const TSettings& settings,
                                           TCanvasBuild* build) {
    const int z = FZoom;
    const TPixelRect screen = ZoomRect(element.Px, z);
    switch (element.Kind) {
    case TElemKind::ekText: {
        auto* view = new TRotateLabel(Cimke);
        view->SetAlignment(element.Alignment);
        if (build)
            build->LastAlignment = element.Alignment;
        QFont qfont = ToQFont(element.Font);
        qfont.setPixelSize(std::max(1, FontPixelHeight(element.Font.Size()) * z));
        view->SetAutoSize(false);
        view->SetTextFont(qfont, ToQColor(element.Font.Color()));
        view->SetText(element.Value);
        view->SetScreenRect(screen);
        if (build && element.Rotation < 7)
            build->LastTextRotation = element.Rotation;
        view->SetEscapement(TextEscapement(element.Rotation));
        view->SetStoredBox(QSize(screen.Width, screen.Height));
        return AddView(view, element);
    }
    case TElemKind::ekBarcode: {
        auto* view = new TBarcodeView(Cimke);
        view->setObjectName(element.Name);
        view->SetEngineFont(element.Font, z);
        TEanSettings engine;
        engine.AutoCheckDigit = settings.AutoChd;
        engine.AutoSize = settings.AutoVonal;
        engine.Security = settings.Security;
        engine.Angle = RotationDegrees(element.Rotation);
        engine.Value = element.Value.isEmpty() ? std::string(kNewBarcodeValue) : ToCp1250(element.Value);
        engine.ShowLabels = element.ShowValue;
        engine.StartStopLines = element.StartStop;
        engine.Ean13AddUp = BarcodeIndexSetsEan13AddUp(element.TypeIndex);
        view->SetTypeIndex(element.TypeIndex);
        view->Configure(engine);
        if (build)
            build->LastBarcodeIndex = element.TypeIndex;
        view->SetScreenRect(screen);
        connect(view, &TBarcodeView::SetupRequested, this, &TLabelCanvas::BarcodeSetupRequested);
        return AddView(view, element);
    }
    case TElemKind::ekPicture: {
        auto* view = new TPictureView(Cimke);
        view->SetScreenRect(screen);
        QImage picture;
        const QString& file = element.Value;
        if (!element.Source.isEmpty() && !file.isEmpty() && QFileInfo(file).isFile())
            picture = LoadPictureFile(file);
        if (picture.isNull())
            view->SetPicture(PlaceholderPicture(), true);
        else
            view->SetPicture(picture, false);
        return AddView(view, element);
    }
    case TElemKind::ekDrawing: {
        auto* view = new TMyShape(Cimke);
        view->SetShape(element.TypeIndex);
        view->SetScreenRect(screen);
        return AddView(view, element);
    }
    }
    return nullptr;
}

TCanvasBuild TLabelCanvas::Build(TLabelTemplate& labelTemplate, const TSettings& settings) {
    Detach();
    if (FTemplate != &labelTemplate) {
        if (FTemplate)
            FTemplate->RemoveListener(this);
        FTemplate = &labelTemplate;
        FTemplate->AddListener(this);
    }
    const std::vector<TElementView*> old = Views();
    for (auto it = old.rbegin(); it != old.rend(); ++it)
        delete *it;
    labelTemplate.RecountNames();

    TCanvasBuild result;
    // As the label setup's Apply would write the settings' default page and label.
    result.SetupRowAdded = labelTemplate.EnsurePageSetup(AppliedPageSetup(settings.Page));
    result.Setup = labelTemplate.PageSetup();
    FPanel = LabelPanelSize(result.Setup.LabelWidthMm, result.Setup.LabelHeightMm, FZoom);
    Layout();

    Cimke->setUpdatesEnabled(false);
    for (const TLabelElement& element : labelTemplate.Elements())
        AddElementView(element, settings, &result);
    Cimke->setUpdatesEnabled(true);
    FMarks->raise();
    Sizer->raise();
    return result;
}

void TLabelCanvas::ApplyLabelSize(double widthMm, double heightMm) {
    FPanel = AppliedLabelPanelSize(widthMm, heightMm, FZoom);
    Layout();
}

void TLabelCanvas::Attach(TElementView* view) {
    std::erase(FOthers, view);
    FSelected = view;
    Sizer->Attach(view);
    FollowSelection();
    // The arrow keys go to the frame of the element just selected.
    Sizer->setFocus();
    FSelectedFlag = 1;
}

void TLabelCanvas::Detach() {
    FSelected = nullptr;
    FOthers.clear();
    Sizer->Detach();
    FSelectedFlag = 0;
    FMarks->update();
    emit SelectionCountChanged(0);
}

std::vector<TElementView*> TLabelCanvas::Selection() const {
    std::vector<TElementView*> selected;
    for (TElementView* view : Views())
        if (IsSelected(view))
            selected.push_back(view);
    return selected;
}

bool TLabelCanvas::IsSelected(const TElementView* view) const {
    if (!view)
        return false;
    if (view == FSelected)
        return true;
    return std::any_of(FOthers.begin(), FOthers.end(),
                       [view](const QPointer<TElementView>& other) { return other == view; });
}

void TLabelCanvas::AddToSelection(TElementView* view) {
    // The primary view may join the others: the frame is about to move to another view.
    if (!view || std::find(FOthers.begin(), FOthers.end(), view) != FOthers.end())
        return;
    FOthers.emplace_back(view);
    FollowSelection();
}

void TLabelCanvas::ClearOthers() {
    FOthers.clear();
    FollowSelection();
}

TElementView* TLabelCanvas::DropFromSelection(TElementView* view) {
    if (view != FSelected) {
        std::erase(FOthers, view);
        FollowSelection();
        return nullptr;
    }
    std::erase(FOthers, nullptr);
    if (FOthers.empty())
        return nullptr;
    TElementView* next = FOthers.back();
    FOthers.pop_back();
    return next;
}

void TLabelCanvas::FollowSelection() {
    QList<QWidget*> followers;
    for (const QPointer<TElementView>& view : FOthers)
        if (view)
            followers.append(view);
    Sizer->SetFollowers(followers);
    FMarks->raise();
    Sizer->raise();
    FMarks->update();
    emit SelectionCountChanged(static_cast<int>(Selection().size()));
}

void TLabelCanvas::SelectionMoved() {
    Sizer->Follow();
    FMarks->update();
}

std::optional<QString> TLabelCanvas::StoreGeometry(TElementView& view) {
    if (!FTemplate)
        return std::nullopt;
    const TPixelRect screen = view.ScreenRect();
    if (!FTemplate->SetScreenGeometry(view.objectName(), screen, FZoom))
        return std::nullopt;
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
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseMove) {
            emit PointerOverLabel();
            const QPoint pos = mouse->position().toPoint();
            ShowPosition(pos);
            if (FBandStart) {
                FBand->setGeometry(QRect(*FBandStart, pos).normalized());
                FBand->show();
                FBand->raise();
            }
        } else if (event->type() == QEvent::MouseButtonPress) {
            FBandAdds = mouse->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
            FBandStart.reset();
            if (mouse->button() == Qt::LeftButton)
                FBandStart = mouse->position().toPoint();
            if (!FBandAdds)
                emit LabelClicked();
        } else if (event->type() == QEvent::MouseButtonRelease && FBandStart) {
            FBandStart.reset();
            if (FBand->isVisible()) {
                FBand->hide();
                const QRect band = FBand->geometry();
                QList<TElementView*> inside;
                for (TElementView* view : Views())
                    if (band.contains(view->geometry()))
                        inside.append(view);
                if (!inside.isEmpty())
                    emit BandSelected(inside, FBandAdds);
            }
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

} // namespace etikor
