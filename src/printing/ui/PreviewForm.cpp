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
#include <QPainter>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TPreviewFormText {
    Q_DECLARE_TR_FUNCTIONS(TPreviewFormText)
};
} // namespace

// One prepared page drawn at the window's zoom on a sheet of paper.
class TPreviewPage : public QWidget {
public:
    explicit TPreviewPage(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("PreviewPage")); }

    const TPreparedReport* Report = nullptr;
    int PageIndex = 0;
    double Dpi = 96;

    void Resize() {
        if (!Report)
            return;
        resize(static_cast<int>(std::lround(Report->PageWidthMm / 25.4 * Dpi)),
               static_cast<int>(std::lround(Report->PageLengthMm / 25.4 * Dpi)));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (!Report || PageIndex < 0 || PageIndex >= static_cast<int>(Report->Pages.size())) {
            painter.fillRect(rect(), Qt::white);
            return;
        }
        painter.drawImage(0, 0, RenderPage(*Report, PageIndex, Dpi));
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
                           QWidget* parent)
    : QDialog(parent), FRange(range), FPrint(std::move(print)) {
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
    for (QToolButton* zoom : {fit, full, width}) {
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
    FPrintSetup->setEnabled(false);
    FPrintButton->setEnabled(false);
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
    FView->Report = &FRun->Result();
    FTimer = new QTimer(this);
    FTimer->setInterval(0);
    connect(FTimer, &QTimer::timeout, this, &TPreviewForm::PrepareStep);
    if (FRun->Finished())
        PreparationFinished();
    else
        FTimer->start();
    setWindowState(windowState() | Qt::WindowMaximized);
    SetZoom(TZoom::zmWidth);
}

TPreviewForm::~TPreviewForm() = default;

const TPreparedReport& TPreviewForm::Prepared() const {
    return FLoaded ? *FLoaded : FRun->Result();
}

int TPreviewForm::PageCount() const {
    return static_cast<int>(Prepared().Pages.size());
}

bool TPreviewForm::Preparing() const {
    return !FLoaded && !FRun->Finished();
}

void TPreviewForm::PrepareStep() {
    FRun->Step(RecordsPerStep);
    const int percent = FRun->Total() > 0 ? FRun->Done() * 100 / FRun->Total() : 100;
    if (percent >= 100) {
        FProgressPanel->clear();
        FShownPercent = 0;
    } else if (percent - FShownPercent >= 5) {
        FShownPercent = percent;
        FProgressPanel->setText(QString::number(percent) + '%');
    }
    if (FRun->Finished())
        PreparationFinished();
    UpdateStatus();
    FView->update();
}

void TPreviewForm::PreparationFinished() {
    FTimer->stop();
    FProgressPanel->clear();
    FPrintSetup->setEnabled(true);
    FPrintButton->setEnabled(true);
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
    const TPreparedReport& report = Prepared();
    const double screenDpi = logicalDpiX();
    const QSize room = FScroll->viewport()->size() - QSize(8, 8);
    const double widthInches = report.PageWidthMm / 25.4;
    const double lengthInches = report.PageLengthMm / 25.4;
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
    }
    UpdatePage();
}

void TPreviewForm::UpdatePage() {
    FView->Report = &Prepared();
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
    switch (event->key()) {
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
        QDialog::keyPressEvent(event);
    }
}

void TPreviewForm::PrintSetupClick() {
    TPrintChoice choice;
    choice.MinPage = 1;
    choice.MaxPage = std::max(PageCount(), 1);
    choice.FromPage = FRange.FirstPage;
    choice.ToPage = FRange.LastPage;
    choice.Copies = FRange.Copies;
    choice.Collate = FRange.Collate;
    const std::optional<TPrintChoice> chosen = Modal().ChoosePrinter(choice);
    if (!chosen)
        return;
    FRange.Copies = std::max(chosen->Copies, 1);
    FRange.FirstPage = chosen->FromPage;
    FRange.LastPage = chosen->ToPage;
    FRange.Collate = chosen->Collate;
}

void TPreviewForm::PrintClick() {
    if (FPrint)
        FPrint(Prepared(), FRange);
}

void TPreviewForm::SaveReportClick() {
    TFileDialogOptions options;
    options.Title = TPreviewFormText::tr("Mentés");
    options.Filter = TPreviewFormText::tr("Nyomtatási kép (*.qrp)");
    options.DefaultExt = QStringLiteral("qrp");
    const std::optional<QString> file = Modal().SaveFile(options);
    if (!file)
        return;
    if (!SavePrepared(Prepared(), *file))
        Modal().Message(QString(), TPreviewFormText::tr("A fájl nem írható: ") + *file, QStringLiteral("H"));
}

void TPreviewForm::LoadReportClick() {
    TFileDialogOptions options;
    options.Title = TPreviewFormText::tr("Betöltés");
    options.Filter = TPreviewFormText::tr("Nyomtatási kép (*.qrp)");
    options.DefaultExt = QStringLiteral("qrp");
    const std::optional<QString> file = Modal().OpenFile(options);
    if (!file)
        return;
    if (!QFileInfo(*file).isFile()) {
        Modal().Message(QString(), TPreviewFormText::tr("A fájl nem található: ") + *file,
                        QStringLiteral("H"));
        return;
    }
    std::optional<TPreparedReport> loaded = LoadPrepared(*file);
    if (!loaded) {
        Modal().Message(QString(), TPreviewFormText::tr("A fájl nem nyomtatási kép: ") + *file,
                        QStringLiteral("H"));
        return;
    }
    FTimer->stop();
    FLoaded = std::move(loaded);
    FProgressPanel->clear();
    FPrintSetup->setEnabled(false);
    FPrintButton->setEnabled(true);
    FPage = 1;
    SetZoom(FZoom);
}

} // namespace etikor
