#pragma once

// The sizing frame: a teal frame with eight handles around the selected view. Dragging inside
// moves the view, a handle resizes it (left or right mouse button); the arrow keys move it by
// one pixel, Shift with an arrow moves its right or bottom edge. Never smaller than 2 x 2, no
// snapping. It reports intermediate rectangles while dragging and the final one at the end.
// The other selected views follow a move (not a resize) by the same offset.

#include "document/TemplateSchema.h"

#include <QPointer>
#include <QWidget>

namespace etikor {

class TSizer final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHandle = 5;
    static constexpr int kMinimum = 2;

    explicit TSizer(QWidget* parent);

    QWidget* Target() const { return FTarget; }
    void Attach(QWidget* target);
    void Detach();
    // The views moved along with the target.
    void SetFollowers(const QList<QWidget*>& followers);
    // Follows the target's geometry (after a change made from outside).
    void Follow();
    // Moves or resizes the target by a key (as the arrow keys do) and reports the end.
    void KeyStep(int key, bool shift);

signals:
    void Dragging(const QRect& rect);
    // A Ctrl or Shift click on the frame: the target leaves a selection of several views.
    void ToggleClicked(QWidget* target);
    void MoveEnded(QWidget* target);
    void ResizeEnded(QWidget* target);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // A double click belongs to the view under the frame.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool) override { return false; }

private:
    // Handle index 0..7 clockwise from the top-left corner; -1 inside (move).
    int HandleAt(const QPoint& pos) const;
    QRect HandleRect(int index) const;
    void MoveFollowers(const QPoint& offset);

    QPointer<QWidget> FTarget;
    int FDragHandle = -1;
    bool FDragging = false;
    QPoint FPressGlobal;
    QRect FPressRect;
    QList<QPointer<QWidget>> FFollowers;
    QList<QPoint> FFollowerStart;
};

} // namespace etikor
