#pragma once

// The tool bar `PEszkoz` beside the canvas: the arrow and the four element tools (the pressed
// one shows the kind selected or being made), the drawing menu `RajzMenu`, deleting the
// selected element (or elements), lining them up from the menu `ElrendezesMenu`, a picture's
// own size and the three zoom buttons. It says what was pressed;
// the element editor and the main window act on it.

#include "designer/Arrange.h"
#include "document/LabelTemplate.h"
#include "document/TemplateSchema.h"

#include <QWidget>

class QButtonGroup;
class QMenu;
class QToolButton;

namespace etikor {

class TToolBar final : public QWidget {
    Q_OBJECT
public:
    explicit TToolBar(QWidget* parent = nullptr);

    // The tool of a kind pressed (it shows the selected element's kind), or the arrow.
    void ShowTool(TElemKind kind);
    void ShowArrow();
    bool BarcodeToolDown() const;
    // Presses a tool and clicks it, as its menu item does (a click on the pressed tool creates).
    void ClickTool(TElemKind kind);
    void SetDeleteEnabled(bool enabled);
    // What the selection allows: lining up from one element, spacing evenly from three.
    void SetSelectionCount(int count);
    // The lining-up items, also offered in the main window's edit menu.
    QMenu* ArrangeMenu() const { return ElrendezesMenu; }
    // Delete, if it is enabled now.
    void ClickDelete();
    void ShowZoom(int zoom);

signals:
    void ArrowClicked();
    void CreateRequested(TElemKind kind);
    void DrawingChosen(TDrawingKind kind);
    void DeleteClicked();
    void DeleteEnabledChanged(bool enabled);
    void ArrangeChosen(etikor::TArrangeKind kind);
    void OwnSizeClicked();
    void ZoomClicked(int zoom);
    // One step in (+1) or out (-1), and "fit".
    void ZoomStepClicked(int steps);
    void FitClicked();

private:
    QToolButton* Tool(TElemKind kind) const;
    void ShowDrawingMenu();

    QToolButton* NyilGomb = nullptr;
    QToolButton* SzovegGomb = nullptr;
    QToolButton* VonalkodGomb = nullptr;
    QToolButton* KepGomb = nullptr;
    QToolButton* RajzGomb = nullptr;
    QToolButton* ElemTorlesGomb = nullptr;
    QToolButton* Nagyitas[3] = {};
    QButtonGroup* FZooms = nullptr;
    QMenu* RajzMenu = nullptr;
    QToolButton* ElrendezesGomb = nullptr;
    QMenu* ElrendezesMenu = nullptr;
    QList<QAction*> FDistributeItems;
};

} // namespace etikor
