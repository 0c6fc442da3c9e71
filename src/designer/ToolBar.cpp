#include "designer/ToolBar.h"

#include "ui/Controls.h"

#include <QAction>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include <initializer_list>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TToolBarText {
    Q_DECLARE_TR_FUNCTIONS(TToolBarText)
};
} // namespace

namespace {

struct TDrawingItem {
    const char* Name;
    const char* Caption;
    TDrawingKind Kind;
};
constexpr TDrawingItem kDrawingItems[] = {
    {"mVVonal", QT_TRANSLATE_NOOP("TToolBarText", "Vízszintes vonal"), TDrawingKind::dkHorizontalLine},
    {"mFVonal", QT_TRANSLATE_NOOP("TToolBarText", "Függőleges vonal"), TDrawingKind::dkVerticalLine},
    {"mNegyzet", QT_TRANSLATE_NOOP("TToolBarText", "Négyzet"), TDrawingKind::dkSquare},
    {"mKor", QT_TRANSLATE_NOOP("TToolBarText", "Kör"), TDrawingKind::dkCircle},
    {"mEllipszis", QT_TRANSLATE_NOOP("TToolBarText", "Ellipszis"), TDrawingKind::dkEllipse},
};

struct TArrangeItem {
    const char* Name;
    const char* Caption;
    TArrangeKind Kind;
};
constexpr TArrangeItem kArrangeItems[] = {
    {"mIgazBalra", QT_TRANSLATE_NOOP("TToolBarText", "Igazítás balra"), TArrangeKind::akLeft},
    {"mIgazJobbra", QT_TRANSLATE_NOOP("TToolBarText", "Igazítás jobbra"), TArrangeKind::akRight},
    {"mIgazFelulre", QT_TRANSLATE_NOOP("TToolBarText", "Igazítás felülre"), TArrangeKind::akTop},
    {"mIgazAlulra", QT_TRANSLATE_NOOP("TToolBarText", "Igazítás alulra"), TArrangeKind::akBottom},
    {"mKozepVizszintes", QT_TRANSLATE_NOOP("TToolBarText", "Középre vízszintesen"),
     TArrangeKind::akHorizontalCentre},
    {"mKozepFuggoleges", QT_TRANSLATE_NOOP("TToolBarText", "Középre függőlegesen"),
     TArrangeKind::akVerticalCentre},
    {"mElosztVizszintes", QT_TRANSLATE_NOOP("TToolBarText", "Egyenletes elosztás vízszintesen"),
     TArrangeKind::akDistributeHorizontally},
    {"mElosztFuggoleges", QT_TRANSLATE_NOOP("TToolBarText", "Egyenletes elosztás függőlegesen"),
     TArrangeKind::akDistributeVertically},
};

} // namespace

TToolBar::TToolBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PEszkoz"));
    setFocusPolicy(Qt::StrongFocus);
    setFixedWidth(34);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    auto* tools = new QButtonGroup(this);
    tools->setObjectName(QStringLiteral("EszkozCsoport"));
    tools->setExclusive(true);
    NyilGomb = IconToolButton(this, "NyilGomb", TToolBarText::tr("Kurzor"), "pointer");
    SzovegGomb = IconToolButton(this, "SzovegGomb", TToolBarText::tr("Szöveg elem"), "text");
    VonalkodGomb = IconToolButton(this, "VonalkodGomb", TToolBarText::tr("Vonalkód elem"), "barcode");
    KepGomb = IconToolButton(this, "KepGomb", TToolBarText::tr("Kép elem"), "picture");
    RajzGomb = IconToolButton(this, "RajzGomb", TToolBarText::tr("Rajz elem"), "drawing");
    for (QToolButton* b : {NyilGomb, SzovegGomb, VonalkodGomb, KepGomb, RajzGomb}) {
        b->setCheckable(true);
        tools->addButton(b);
        layout->addWidget(b);
    }
    NyilGomb->setChecked(true);
    connect(NyilGomb, &QToolButton::clicked, this, &TToolBar::ArrowClicked);
    connect(SzovegGomb, &QToolButton::clicked, this, [this] { emit CreateRequested(TElemKind::ekText); });
    connect(VonalkodGomb, &QToolButton::clicked, this,
            [this] { emit CreateRequested(TElemKind::ekBarcode); });
    connect(KepGomb, &QToolButton::clicked, this, [this] { emit CreateRequested(TElemKind::ekPicture); });
    connect(RajzGomb, &QToolButton::clicked, this, &TToolBar::ShowDrawingMenu);
    layout->addSpacing(6);
    ElemTorlesGomb =
        IconToolButton(this, "ElemTorlesGomb", TToolBarText::tr("Aktuális elem törlése"), "delete");
    ElemTorlesGomb->setEnabled(false);
    connect(ElemTorlesGomb, &QToolButton::clicked, this, &TToolBar::DeleteClicked);
    layout->addWidget(ElemTorlesGomb);
    QToolButton* size = IconToolButton(
        this, "NagyitoKep", TToolBarText::tr("Kép elem eredeti méretének beállítása\nCímke frissítése."),
        "picture-size");
    connect(size, &QToolButton::clicked, this, &TToolBar::OwnSizeClicked);
    layout->addWidget(size);
    ElrendezesGomb = IconToolButton(this, "ElrendezesGomb", TToolBarText::tr("Elrendezés"), "arrange");
    ElrendezesGomb->setPopupMode(QToolButton::InstantPopup);
    ElrendezesGomb->setEnabled(false);
    layout->addWidget(ElrendezesGomb);
    layout->addSpacing(6);
    auto* zooms = FZooms = new QButtonGroup(this);
    zooms->setObjectName(QStringLiteral("NagyitasCsoport"));
    for (int z = 1; z <= 3; ++z) {
        const QByteArray name = "Nagyitas" + QByteArray::number(z);
        QToolButton* b =
            NamedToolButton(this, name.constData(), TToolBarText::tr("Nagyítás %1%").arg(z * 100),
                            QStringLiteral("%1x").arg(z));
        b->setCheckable(true);
        b->setChecked(z == 1);
        Nagyitas[z - 1] = b;
        zooms->addButton(b, z);
        layout->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, z] { emit ZoomClicked(z); });
    }
    // The steps up to the largest and "fit"; the keys work wherever the focus is in the window.
    struct TZoomButton {
        const char* Name;
        const char* Caption;
        const char* Hint;
        int Steps; // 0: fit
        std::initializer_list<QKeyCombination> Keys;
    };
    const TZoomButton zoomButtons[] = {
        {"NagyitasBe",
         "+",
         QT_TRANSLATE_NOOP("TToolBarText", "Nagyítás (Ctrl++, Ctrl+görgő)"),
         1,
         {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}},
        {"NagyitasKi",
         "-",
         QT_TRANSLATE_NOOP("TToolBarText", "Kicsinyítés (Ctrl+-, Ctrl+görgő)"),
         -1,
         {Qt::CTRL | Qt::Key_Minus}},
        {"NagyitasIllesztes",
         "[ ]",
         QT_TRANSLATE_NOOP("TToolBarText", "Az egész címke látszik (Ctrl+0)"),
         0,
         {Qt::CTRL | Qt::Key_0}},
    };
    for (const TZoomButton& item : zoomButtons) {
        QToolButton* b =
            NamedToolButton(this, item.Name, TToolBarText::tr(item.Hint), QString::fromLatin1(item.Caption));
        layout->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, steps = item.Steps] {
            if (steps == 0)
                emit FitClicked();
            else
                emit ZoomStepClicked(steps);
        });
        for (QKeyCombination key : item.Keys) {
            auto* shortcut = new QShortcut(QKeySequence(key), this);
            connect(shortcut, &QShortcut::activated, b, &QToolButton::click);
        }
    }
    layout->addStretch(1);

    RajzMenu = new QMenu(this);
    RajzMenu->setObjectName(QStringLiteral("RajzMenu"));
    for (const TDrawingItem& item : kDrawingItems) {
        QAction* action = RajzMenu->addAction(TToolBarText::tr(item.Caption));
        action->setObjectName(QString::fromLatin1(item.Name));
        connect(action, &QAction::triggered, this, [this, kind = item.Kind] { emit DrawingChosen(kind); });
    }

    ElrendezesMenu = new QMenu(TToolBarText::tr("Elrendezés"), this);
    ElrendezesMenu->setObjectName(QStringLiteral("ElrendezesMenu"));
    for (const TArrangeItem& item : kArrangeItems) {
        if (item.Kind == TArrangeKind::akDistributeHorizontally)
            ElrendezesMenu->addSeparator();
        QAction* action = ElrendezesMenu->addAction(TToolBarText::tr(item.Caption));
        action->setObjectName(QString::fromLatin1(item.Name));
        if (item.Kind == TArrangeKind::akDistributeHorizontally ||
            item.Kind == TArrangeKind::akDistributeVertically)
            FDistributeItems.append(action);
        connect(action, &QAction::triggered, this, [this, kind = item.Kind] { emit ArrangeChosen(kind); });
    }
    ElrendezesGomb->setMenu(ElrendezesMenu);
    SetSelectionCount(0);
}

void TToolBar::SetSelectionCount(int count) {
    ElrendezesGomb->setEnabled(count > 0);
    ElrendezesMenu->setEnabled(count > 0);
    for (QAction* action : ElrendezesMenu->actions())
        action->setEnabled(count > 0);
    for (QAction* action : FDistributeItems)
        action->setEnabled(count >= 3);
}

QToolButton* TToolBar::Tool(TElemKind kind) const {
    switch (kind) {
    case TElemKind::ekText:
        return SzovegGomb;
    case TElemKind::ekBarcode:
        return VonalkodGomb;
    case TElemKind::ekPicture:
        return KepGomb;
    case TElemKind::ekDrawing:
        return RajzGomb;
    }
    return NyilGomb;
}

void TToolBar::ShowTool(TElemKind kind) {
    Tool(kind)->setChecked(true);
}

void TToolBar::ShowArrow() {
    NyilGomb->setChecked(true);
}

bool TToolBar::BarcodeToolDown() const {
    return VonalkodGomb->isChecked();
}

void TToolBar::ClickTool(TElemKind kind) {
    Tool(kind)->click();
}

void TToolBar::SetDeleteEnabled(bool enabled) {
    ElemTorlesGomb->setEnabled(enabled);
    emit DeleteEnabledChanged(enabled);
}

void TToolBar::ClickDelete() {
    if (ElemTorlesGomb->isEnabled())
        ElemTorlesGomb->click();
}

void TToolBar::ShowZoom(int zoom) {
    if (zoom >= 1 && zoom <= 3) {
        Nagyitas[zoom - 1]->setChecked(true);
        return;
    }
    // Past the three buttons none of them is down.
    FZooms->setExclusive(false);
    for (QToolButton* b : Nagyitas)
        b->setChecked(false);
    FZooms->setExclusive(true);
}

void TToolBar::ShowDrawingMenu() {
    // Beside the button, two button heights below its top.
    const QPoint at = RajzGomb->mapToGlobal(QPoint(RajzGomb->width(), 2 * RajzGomb->height()));
    RajzMenu->popup(at);
}

} // namespace etikor
