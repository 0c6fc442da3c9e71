#include "printing/ui/PreviewForm.h"

#include "pageengine/PreparedFile.h"
#include "services/Modal.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TPreviewFormText {
    Q_DECLARE_TR_FUNCTIONS(TPreviewFormText)
};
} // namespace

// The page shown, laid out when it is painted, drawn at the window's zoom on a sheet of paper.
class TPreviewPage : public QWidget {
public:
    explicit TPreviewPage(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("PreviewPage")); }

    TPageSource* Source = nullptr;
    int PageIndex = 0;
    double Dpi = 96;

    void Resize() {
        if (!Source)
            return;
        resize(static_cast<int>(std::lround(Source->PageWidthMm() / 25.4 * Dpi)),
               static_cast<int>(std::lround(Source->PageLengthMm() / 25.4 * Dpi)));
        update();
    }

protected:
    // Only the part to paint is rendered, at the screen's device pixels: a page zoomed far in
    // costs no more than the view, and stays sharp on a HiDPI screen.
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        const QRect area = event->rect();
        if (!Source || PageIndex < 0 || PageIndex >= Source->PageCount()) {
            painter.fillRect(area, Qt::white);
            return;
        }
        // The device painted on: the window's backing store, or an image the page is rendered to.
        const double ratio = painter.paintEngine()->paintDevice()->devicePixelRatioF();
        // The resolution as a whole-page render has it (an image keeps whole dots per inch),
        // and the part's offset a whole number of device pixels, so parts meet without seams.
        const int dotsPerMetre = static_cast<int>(std::lround(Dpi * ratio / 0.0254));
        QImage part((QSizeF(area.size()) * ratio).toSize().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        part.setDotsPerMeterX(dotsPerMetre);
        part.setDotsPerMeterY(dotsPerMetre);
        part.fill(Qt::white);
        const double dotsPerMm = std::round(dotsPerMetre * 0.0254) / 25.4;
        const TDeviceMap map = DeviceMapFor(part, QPointF(std::round(area.left() * ratio) / dotsPerMm,
                                                          std::round(area.top() * ratio) / dotsPerMm));
        {
            QPainter partPainter(&part);
            PaintPage(partPainter, map, Source->Page(PageIndex));
        }
        part.setDevicePixelRatio(ratio);
        painter.drawImage(area.topLeft(), part);
    }
};

namespace {
QToolButton* Button(QToolBar* bar, const char* name, const QString& caption, const QString& hint = {}) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolTip(hint.isEmpty() ? caption : hint);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addWidget(button);
    return button;
}
} // namespace

TPreviewForm::TPreviewForm(const TReport& report, TDataSet* data, TPrintRange range, TPrintEvent print,
                           IModal& modal, QWidget* parent)
    : QDialog(parent), FRange(range), FPrint(std::move(print)), FModal(modal) {
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(TPreviewFormText::tr("Nyomtatási kép"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    layout->addWidget(bar);
    QToolButton* fit = Button(bar, "ZoomFit", TPreviewFormText::tr("Egy lap"));
    QToolButton* full = Button(bar, "Zoom100", TPreviewFormText::tr("100% nagyítás"), QStringLiteral("100%"));
    QToolButton* width = Button(bar, "ZoomToWidth", TPreviewFormText::tr("Nagyítás sz."));
    FZoomButtons[0] = fit;
    FZoomButtons[1] = full;
    FZoomButtons[2] = width;
    for (QToolButton* zoom : FZoomButtons) {
        zoom->setCheckable(true);
        zoom->setAutoExclusive(true);
    }
    width->setChecked(true);
    connect(fit, &QToolButton::clicked, this, [this] { SetZoom(TZoom::zmFit); });
    connect(full, &QToolButton::clicked, this, [this] { SetZoom(TZoom::zm100); });
    connect(width, &QToolButton::clicked, this, [this] { SetZoom(TZoom::zmWidth); });
    bar->addSeparator();
    connect(Button(bar, "FirstPage", TPreviewFormText::tr("Első lap")), &QToolButton::clicked, this,
            [this] { GoToPage(1); });
    connect(Button(bar, "PreviousPage", TPreviewFormText::tr("Előző lap")), &QToolButton::clicked, this,
            [this] { GoToPage(FPage - 1); });
    connect(Button(bar, "ToolButton2", TPreviewFormText::tr("Következő lap")), &QToolButton::clicked, this,
            [this] { GoToPage(FPage + 1); });
    connect(Button(bar, "LastPage", TPreviewFormText::tr("Utolsó lap")), &QToolButton::clicked, this,
            [this] { GoToPage(PageCount()); });
    bar->addSeparator();
    FPrintSetup = Button(bar, "PrintSetup", TPreviewFormText::tr("Nyomtató beáll."),
                         TPreviewFormText::tr("Nyomtató beállítása"));
    FPrintButton = Button(bar, "Print", TPreviewFormText::tr("Nyomtatás"));
    // The page on screen alone: a spoiled sheet printed again.
    FPrintPage = Button(bar, "PrintPage", TPreviewFormText::tr("Ez a lap"),
                        TPreviewFormText::tr("Csak a látható lap nyomtatása"));
    FPrintSetup->setEnabled(false);
    FPrintButton->setEnabled(false);
    FPrintPage->setEnabled(false);
    connect(FPrintPage, &QToolButton::clicked, this, [this] {
        if (FPrint)
            FPrint(Pages(), TPrintRange{FRange.Copies, FPage, FPage, FRange.Collate});
    });
    connect(FPrintSetup, &QToolButton::clicked, this, &TPreviewForm::PrintSetupClick);
    connect(FPrintButton, &QToolButton::clicked, this, &TPreviewForm::PrintClick);
    bar->addSeparator();
    connect(Button(bar, "SaveReport", TPreviewFormText::tr("Mentés")), &QToolButton::clicked, this,
            &TPreviewForm::SaveReportClick);
    connect(Button(bar, "LoadReport", TPreviewFormText::tr("Betöltés")), &QToolButton::clicked, this,
            &TPreviewForm::LoadReportClick);
    bar->addSeparator();
    connect(Button(bar, "ExitButton", TPreviewFormText::tr("&Bezár")), &QToolButton::clicked, this,
            &QDialog::reject);

    FScroll = new QScrollArea(this);
    FScroll->setObjectName(QStringLiteral("PreviewScroll"));
    FScroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    FScroll->setBackgroundRole(QPalette::Dark);
    FView = new TPreviewPage(FScroll);
    FScroll->setWidget(FView);
    FScroll->setWidgetResizable(false);
    // Ctrl+wheel over the page (or beside it) zooms.
    FScroll->viewport()->installEventFilter(this);
    layout->addWidget(FScroll, 1);

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar"));
    status->setSizeGripEnabled(false);
    FProgressPanel = new QLabel(status);
    FProgressPanel->setObjectName(QStringLiteral("ProgressPanel"));
    FProgressPanel->setMinimumWidth(80);
    FPagePanel = new QLabel(status);
    FPagePanel->setObjectName(QStringLiteral("PagePanel"));
    status->addWidget(FProgressPanel);
    status->addWidget(FPagePanel, 1);
    layout->addWidget(status);

    FRun.emplace(report, data);
    FView->Source = &*FRun;
    FTimer = new QTimer(this);
    FTimer->setInterval(0);
    connect(FTimer, &QTimer::timeout, this, &TPreviewForm::PrepareStep);
    if (FRun->Indexed())
        PreparationFinished();
    else
        FTimer->start();
    setWindowState(windowState() | Qt::WindowMaximized);
    SetZoom(TZoom::zmWidth);
}

TPreviewForm::~TPreviewForm() = default;

TPageSource& TPreviewForm::Pages() {
    if (FLoadedPages)
        return *FLoadedPages;
    return *FRun;
}

const TPageSource& TPreviewForm::Pages() const {
    if (FLoadedPages)
        return *FLoadedPages;
    return *FRun;
}

double TPreviewForm::PageDpi() const {
    return FView->Dpi;
}

int TPreviewForm::PageCount() const {
    return Pages().PageCount();
}

bool TPreviewForm::Preparing() const {
    return !FLoaded && !FRun->Indexed();
}

void TPreviewForm::PrepareStep() {
    const int before = PageCount();
    FRun->IndexStep(RecordsPerStep);
    const int percent =
        FRun->Total() > 0 ? static_cast<int>(qint64(FRun->IndexedRecords()) * 100 / FRun->Total()) : 100;
    if (percent >= 100) {
        FProgressPanel->clear();
        FShownPercent = 0;
    } else if (percent - FShownPercent >= 5) {
        FShownPercent = percent;
        FProgressPanel->setText(QString::number(percent) + '%');
    }
    if (FRun->Indexed())
        PreparationFinished();
    UpdateStatus();
    // Only the last page found so far can have grown.
    if (FPage >= before)
        FView->update();
}

void TPreviewForm::PreparationFinished() {
    FTimer->stop();
    FProgressPanel->clear();
    FPrintSetup->setEnabled(true);
    FPrintButton->setEnabled(true);
    FPrintPage->setEnabled(true);
    UpdateStatus();
}

void TPreviewForm::GoToPage(int page) {
    const int target = std::clamp(page, 1, std::max(PageCount(), 1));
    if (target == FPage)
        return;
    FPage = target;
    UpdatePage();
}

void TPreviewForm::SetZoom(TZoom zoom) {
    FZoom = zoom;
    const TPageSource& pages = Pages();
    const double screenDpi = logicalDpiX();
    const QSize room = FScroll->viewport()->size() - QSize(8, 8);
    const double widthInches = pages.PageWidthMm() / 25.4;
    const double lengthInches = pages.PageLengthMm() / 25.4;
    switch (zoom) {
    case TZoom::zm100:
        FView->Dpi = screenDpi;
        break;
    case TZoom::zmWidth:
        FView->Dpi = std::max(room.width() / widthInches, 8.0);
        break;
    case TZoom::zmFit:
        FView->Dpi = std::max(std::min(room.width() / widthInches, room.height() / lengthInches), 8.0);
        break;
    case TZoom::zmFree:
        break;
    }
    UpdatePage();
}

void TPreviewForm::ZoomBy(int steps, const QPointF& viewPos) {
    const double screenDpi = logicalDpiX();
    const double old = FView->Dpi;
    const double dpi =
        std::clamp(old * std::pow(kZoomStep, steps), screenDpi * kMinZoom, screenDpi * kMaxZoom);
    // The page point under the pointer, before and after.
    const QPointF onPage = viewPos - QPointF(FView->pos());
    const double ratio = dpi / old;
    FZoom = TZoom::zmFree;
    for (QToolButton* button : FZoomButtons) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
    FView->Dpi = dpi;
    UpdatePage();
    FScroll->horizontalScrollBar()->setValue(static_cast<int>(std::lround(onPage.x() * ratio - viewPos.x())));
    FScroll->verticalScrollBar()->setValue(static_cast<int>(std::lround(onPage.y() * ratio - viewPos.y())));
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FScroll->viewport() && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            // A notch is 120; a touch pad sends smaller parts that add up to one.
            FWheelAngle += wheel->angleDelta().y();
            const int steps = FWheelAngle / 120;
            FWheelAngle -= steps * 120;
            if (steps != 0)
                ZoomBy(steps, wheel->position());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPreviewForm::UpdatePage() {
    FView->Source = &Pages();
    FView->PageIndex = FPage - 1;
    FView->Resize();
    UpdateStatus();
}

void TPreviewForm::UpdateStatus() {
    FPagePanel->setText(QStringLiteral("Page ") + QString::number(FPage) + QStringLiteral(" of ") +
                        QString::number(PageCount()));
}

void TPreviewForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (FView)
        SetZoom(FZoom);
}

void TPreviewForm::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const QPointF middle = QRectF(FScroll->viewport()->rect()).center();
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        if (!ctrl)
            break;
        ZoomBy(1, middle);
        return;
    case Qt::Key_Minus:
        if (!ctrl)
            break;
        ZoomBy(-1, middle);
        return;
    case Qt::Key_0:
        if (!ctrl)
            break;
        FZoomButtons[0]->setChecked(true);
        SetZoom(TZoom::zmFit);
        return;
    case Qt::Key_PageUp:
        GoToPage(ctrl ? 1 : FPage - 1);
        return;
    case Qt::Key_PageDown:
        GoToPage(ctrl ? PageCount() : FPage + 1);
        return;
    case Qt::Key_Home:
        GoToPage(1);
        return;
    case Qt::Key_End:
        GoToPage(PageCount());
        return;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

void TPreviewForm::PrintSetupClick() {
    TPrintChoice choice;
    choice.MinPage = 1;
    choice.MaxPage = std::max(PageCount(), 1);
    choice.FromPage = FRange.FirstPage;
    choice.ToPage = FRange.LastPage;
    choice.Copies = FRange.Copies;
    choice.Collate = FRange.Collate;
    const std::optional<TPrintChoice> chosen = FModal.ChoosePrinter(choice);
    if (!chosen)
        return;
    FRange.Copies = std::max(chosen->Copies, 1);
    FRange.FirstPage = chosen->FromPage;
    FRange.LastPage = chosen->ToPage;
    FRange.Collate = chosen->Collate;
}

void TPreviewForm::PrintClick() {
    if (FPrint)
        FPrint(Pages(), FRange);
}

void TPreviewForm::SaveReportClick() {
    TFileDialogOptions options;
    options.Title = TPreviewFormText::tr("Mentés");
    options.Filter = TPreviewFormText::tr("Nyomtatási kép (*.qrp)");
    options.DefaultExt = QStringLiteral("qrp");
    const std::optional<QString> file = FModal.SaveFile(options);
    if (!file)
        return;
    // Every page, also while the index is still being built.
    if (!FLoaded && !FRun->Indexed()) {
        FRun->IndexAll();
        PreparationFinished();
    }
    if (!SavePrepared(Pages(), *file))
        FModal.Message(QString(), TPreviewFormText::tr("A fájl nem írható: ") + *file, QStringLiteral("H"));
}

void TPreviewForm::LoadReportClick() {
    TFileDialogOptions options;
    options.Title = TPreviewFormText::tr("Betöltés");
    options.Filter = TPreviewFormText::tr("Nyomtatási kép (*.qrp)");
    options.DefaultExt = QStringLiteral("qrp");
    const std::optional<QString> file = FModal.OpenFile(options);
    if (!file)
        return;
    if (!QFileInfo(*file).isFile()) {
        FModal.Message(QString(), TPreviewFormText::tr("A fájl nem található: ") + *file,
                       QStringLiteral("H"));
        return;
    }
    std::optional<TPreparedReport> loaded = LoadPrepared(*file);
    if (!loaded) {
        FModal.Message(QString(), TPreviewFormText::tr("A fájl nem nyomtatási kép: ") + *file,
                       QStringLiteral("H"));
        return;
    }
    FTimer->stop();
    FLoadedPages.reset();
    FLoaded = std::move(loaded);
    FLoadedPages.emplace(*FLoaded);
    FProgressPanel->clear();
    FPrintSetup->setEnabled(false);
    FPrintButton->setEnabled(true);
    FPrintPage->setEnabled(true);
    FPage = 1;
    SetZoom(FZoom);
}

} // namespace etikor
