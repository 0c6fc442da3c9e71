#include "ui/DBNavigator.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TDBNavigatorText {
    Q_DECLARE_TR_FUNCTIONS(TDBNavigatorText)
};
} // namespace

TDBNavigator::TDBNavigator(const QString& name, TDataSource& source, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    struct Spec {
        const char* Suffix;
        QString Hint;
        QStyle::StandardPixmap Icon;
    };
    const Spec specs[] = {{"_First", TDBNavigatorText::tr("Első"), QStyle::SP_MediaSkipBackward},
                          {"_Prior", TDBNavigatorText::tr("Előző"), QStyle::SP_MediaSeekBackward},
                          {"_Next", TDBNavigatorText::tr("Következő"), QStyle::SP_MediaSeekForward},
                          {"_Last", TDBNavigatorText::tr("Utolsó"), QStyle::SP_MediaSkipForward}};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(name + QLatin1String(specs[i].Suffix));
        button->setToolTip(specs[i].Hint);
        button->setIcon(style()->standardIcon(specs[i].Icon));
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QToolButton::clicked, this, [this, i] { Move(i); });
        layout->addWidget(button);
        FButtons[i] = button;
    }
    layout->addStretch(1);
    setFocusPolicy(Qt::TabFocus);
    setFocusProxy(FButtons[0]);
    SetDataSource(&source);
}

TDBNavigator::~TDBNavigator() {
    SetDataSource(nullptr);
}

void TDBNavigator::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        UpdateButtons();
}

void TDBNavigator::UpdateButtons() {
    if (!FButtons[3])
        return; // still being built
    TDataSet* dataSet = DataSet();
    const bool browsing = Active() && dataSet->State() == TDataSetState::dsBrowse;
    const bool back = browsing && !dataSet->Bof();
    const bool forward = browsing && !dataSet->Eof();
    FButtons[0]->setEnabled(back);
    FButtons[1]->setEnabled(back);
    FButtons[2]->setEnabled(forward);
    FButtons[3]->setEnabled(forward);
}

void TDBNavigator::Move(int index) {
    TDataSet* dataSet = DataSet();
    if (!Active() || dataSet->State() != TDataSetState::dsBrowse)
        return;
    switch (index) {
    case 0:
        dataSet->First();
        break;
    case 1:
        dataSet->Prior();
        break;
    case 2:
        dataSet->Next();
        break;
    default:
        dataSet->Last();
        break;
    }
    UpdateButtons();
}

} // namespace etikor
