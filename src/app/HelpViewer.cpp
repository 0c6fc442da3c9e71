#include "app/HelpViewer.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QTextBrowser>

namespace etikor {

THelpViewer::THelpViewer(THelpFile file, QWidget* parent) : QDialog(parent), FFile(std::move(file)) {
    setObjectName(QStringLiteral("SugoAblak"));
    setWindowTitle(QStringLiteral("Etikor súgó"));
    setModal(false);
    auto* layout = new QHBoxLayout(this);
    FList = new QListWidget(this);
    FList->setObjectName(QStringLiteral("SugoTemak"));
    FList->setMaximumWidth(220);
    for (int number : FFile.Numbers()) {
        auto* item = new QListWidgetItem(FFile.Topic(number)->Title, FList);
        item->setData(Qt::UserRole, number);
    }
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
    resize(720, 480);
}

void THelpViewer::ShowTopic(int topic) {
    FCurrent = topic;
    FBrowser->setHtml(FFile.Page(topic));
    for (int i = 0; i < FList->count(); ++i)
        if (FList->item(i)->data(Qt::UserRole).toInt() == topic)
            FList->setCurrentRow(i);
    show();
    raise();
}

} // namespace etikor
