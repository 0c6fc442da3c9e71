#include "app/HelpViewer.h"

#include "services/AppPaths.h"
#include "ui/QtModal.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct THelpViewerText {
    Q_DECLARE_TR_FUNCTIONS(THelpViewerText)
};
} // namespace

THelpViewer::THelpViewer(THelpFile file, QWidget* owner)
    : QDialog(owner), FFile(std::move(file)), FOwner(owner) {
    setObjectName(QStringLiteral("SugoAblak"));
    setWindowTitle(THelpViewerText::tr("Etikor súgó"));
    setModal(false);
    auto* layout = new QHBoxLayout(this);
    FList = new QListWidget(this);
    FList->setObjectName(QStringLiteral("SugoTemak"));
    for (int number : FFile.Numbers()) {
        auto* item = new QListWidgetItem(FFile.Topic(number)->Title, FList);
        item->setData(Qt::UserRole, number);
    }
    // Wide enough for the longest title, without a horizontal scroll bar.
    FList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * FList->frameWidth();
    FList->setFixedWidth(FList->sizeHintForColumn(0) + frame +
                         FList->verticalScrollBar()->sizeHint().width() + 2 * FList->spacing() + 8);
    FBrowser = new QTextBrowser(this);
    FBrowser->setObjectName(QStringLiteral("SugoSzoveg"));
    FBrowser->setOpenLinks(false);
    connect(FBrowser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        // Links between topics are written "#topic-N".
        const QString fragment = url.fragment().isEmpty() ? url.toString() : url.fragment();
        bool ok = false;
        const int number =
            QString(fragment).remove(QStringLiteral("#")).remove(QStringLiteral("topic-")).toInt(&ok);
        if (ok)
            ShowTopic(number);
    });
    connect(FList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ShowTopic(item->data(Qt::UserRole).toInt()); });
    layout->addWidget(FList);
    layout->addWidget(FBrowser, 1);
    resize(std::max(720, FList->width() + 480), 480);
}

void THelpViewer::ShowTopic(int topic) {
    FCurrent = topic;
    FBrowser->setHtml(FFile.Page(topic));
    // An unknown number shows the "missing" page with no topic of the list marked.
    int row = -1;
    for (int i = 0; i < FList->count(); ++i)
        if (FList->item(i)->data(Qt::UserRole).toInt() == topic)
            row = i;
    FList->setCurrentRow(row);
    if (row < 0)
        FList->clearSelection();
    FollowModalWindow();
    show();
    ToFront();
}

void THelpViewer::FollowModalWindow() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == this || (modal && isAncestorOf(modal)))
        modal = nullptr;
    if (modal && modal != FModalHost) {
        // A modal window blocks every window but its own: the viewer becomes one of them.
        if (FModalHost)
            FModalHost->removeEventFilter(this);
        FModalHost = modal;
        modal->installEventFilter(this);
        MoveUnder(modal);
    } else if (!modal && FModalHost) {
        FModalHost->removeEventFilter(this);
        FModalHost = nullptr;
        MoveUnder(FOwner);
    }
}

void THelpViewer::MoveUnder(QWidget* parent) {
    if (parentWidget() == parent)
        return;
    const bool visible = isVisible();
    const QRect place = geometry();
    setParent(parent, windowFlags());
    if (visible) {
        setGeometry(place);
        show();
    }
}

bool THelpViewer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FWaitingFor && event->type() == QEvent::Expose && FWaitingFor->isExposed()) {
        FWaitingFor->removeEventFilter(this);
        FWaitingFor = nullptr;
        if (isVisible())
            ToFront();
    }
    // The modal window closes: the viewer stays open under its owner (it would otherwise go
    // with the window).
    if (watched == FModalHost && (event->type() == QEvent::Hide || event->type() == QEvent::Close)) {
        FModalHost->removeEventFilter(this);
        FModalHost = nullptr;
        MoveUnder(FOwner);
    }
    return QDialog::eventFilter(watched, event);
}

void THelpViewer::ToFront() {
    raise();
    activateWindow();
    // At start-up the viewer is shown while its owner is still being mapped; the window manager
    // then puts the owner on top. Come to the front again once the owner is on screen.
    QWindow* ownerWindow = FOwner ? FOwner->window()->windowHandle() : nullptr;
    if (ownerWindow && !ownerWindow->isExposed()) {
        if (FWaitingFor != ownerWindow) {
            if (FWaitingFor)
                FWaitingFor->removeEventFilter(this);
            FWaitingFor = ownerWindow;
            ownerWindow->installEventFilter(this);
        }
        return;
    }
    if (FFrontPending)
        return;
    FFrontPending = true;
    QTimer::singleShot(0, this, [this] {
        FFrontPending = false;
        if (!isVisible())
            return;
        raise();
        activateWindow();
    });
}

void InstallHelpViewer(TQtModal& modal, QWidget& owner) {
    QPointer<QWidget> ownerGuard(&owner);
    auto viewer = std::make_shared<QPointer<THelpViewer>>();
    modal.HelpViewer = [viewer, ownerGuard](int topic) {
        if (!*viewer) {
            const TAppPaths& paths = AppPaths();
            *viewer = new THelpViewer(THelpFile::Load(THelpFile::Locate(
                                          paths.WorkingFolder, paths.ProgramFolder, paths.SharedFolder)),
                                      ownerGuard.data());
        }
        (*viewer)->ShowTopic(topic);
    };
}

} // namespace etikor
