#include "designer/Sizer.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace etikor {

TSizer::TSizer(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Sizer"));
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_TranslucentBackground);
    hide();
}

void TSizer::Attach(QWidget* target) {
    FTarget = target;
    Follow();
    show();
    raise();
}

void TSizer::SetFollowers(const QList<QWidget*>& followers) {
    FFollowers.clear();
    for (QWidget* w : followers)
        if (w != FTarget)
            FFollowers.append(w);
}

void TSizer::MoveFollowers(const QPoint& offset) {
    for (qsizetype i = 0; i < FFollowers.size() && i < FFollowerStart.size(); ++i)
        if (FFollowers[i])
            FFollowers[i]->move(FFollowerStart[i] + offset);
}

void TSizer::Detach() {
    FTarget = nullptr;
    FFollowers.clear();
    FDragging = false;
    hide();
}

void TSizer::Follow() {
    if (!FTarget)
        return;
    setGeometry(FTarget->geometry().adjusted(-kHandle, -kHandle, kHandle, kHandle));
    update();
}

QRect TSizer::HandleRect(int index) const {
    const int w = width() - kHandle;
    const int h = height() - kHandle;
    static constexpr int xs[8] = {0, 1, 2, 2, 2, 1, 0, 0};
    static constexpr int ys[8] = {0, 0, 0, 1, 2, 2, 2, 1};
    return {xs[index] * w / 2, ys[index] * h / 2, kHandle, kHandle};
}

int TSizer::HandleAt(const QPoint& pos) const {
    for (int i = 0; i < 8; ++i)
        if (HandleRect(i).contains(pos))
            return i;
    return -1;
}

void TSizer::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor teal(0x00, 0x80, 0x80);
    painter.setPen(QPen(teal, 1, Qt::DotLine));
    // A one-pixel line through the pixel's middle covers that pixel at any device pixel ratio
    // (on the pixel's edge it would straddle two device pixels at 2x).
    painter.translate(0.5, 0.5);
    painter.drawRect(rect().adjusted(kHandle / 2, kHandle / 2, -kHandle / 2 - 1, -kHandle / 2 - 1));
    painter.resetTransform();
    for (int i = 0; i < 8; ++i)
        painter.fillRect(HandleRect(i), teal);
}

void TSizer::mousePressEvent(QMouseEvent* event) {
    if (!FTarget || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton))
        return;
    setFocus();
    if (event->button() == Qt::LeftButton &&
        (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))) {
        emit ToggleClicked(FTarget);
        return;
    }
    FDragHandle = HandleAt(event->position().toPoint());
    FDragging = true;
    FPressGlobal = event->globalPosition().toPoint();
    FPressRect = FTarget->geometry();
    FFollowerStart.clear();
    for (const QPointer<QWidget>& w : FFollowers)
        FFollowerStart.append(w ? w->pos() : QPoint());
}

void TSizer::mouseMoveEvent(QMouseEvent* event) {
    if (!FDragging || !FTarget)
        return;
    const QPoint d = event->globalPosition().toPoint() - FPressGlobal;
    QRect r = FPressRect;
    if (FDragHandle < 0) {
        r.translate(d);
        MoveFollowers(d);
    } else {
        // Which edges a handle drags: corners two, sides one.
        const bool left = FDragHandle == 0 || FDragHandle == 6 || FDragHandle == 7;
        const bool right = FDragHandle >= 2 && FDragHandle <= 4;
        const bool top = FDragHandle <= 2;
        const bool bottom = FDragHandle >= 4 && FDragHandle <= 6;
        if (left)
            r.setLeft(std::min(r.left() + d.x(), r.right() + 1 - kMinimum));
        if (right)
            r.setRight(std::max(r.right() + d.x(), r.left() + kMinimum - 1));
        if (top)
            r.setTop(std::min(r.top() + d.y(), r.bottom() + 1 - kMinimum));
        if (bottom)
            r.setBottom(std::max(r.bottom() + d.y(), r.top() + kMinimum - 1));
    }
    FTarget->setGeometry(r);
    Follow();
    emit Dragging(r);
}

void TSizer::mouseReleaseEvent(QMouseEvent*) {
    if (!FDragging || !FTarget)
        return;
    FDragging = false;
    const bool moved = FDragHandle < 0;
    if (FTarget->geometry() == FPressRect)
        return;
    if (moved)
        emit MoveEnded(FTarget);
    else
        emit ResizeEnded(FTarget);
}

void TSizer::KeyStep(int key, bool shift) {
    if (!FTarget)
        return;
    QRect r = FTarget->geometry();
    int dx = 0;
    int dy = 0;
    switch (key) {
    case Qt::Key_Left:
        dx = -1;
        break;
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Up:
        dy = -1;
        break;
    case Qt::Key_Down:
        dy = 1;
        break;
    default:
        return;
    }
    if (shift) {
        r.setWidth(std::max(r.width() + dx, kMinimum));
        r.setHeight(std::max(r.height() + dy, kMinimum));
    } else {
        r.translate(dx, dy);
        FFollowerStart.clear();
        for (const QPointer<QWidget>& w : FFollowers)
            FFollowerStart.append(w ? w->pos() : QPoint());
        MoveFollowers({dx, dy});
    }
    FTarget->setGeometry(r);
    Follow();
    if (shift)
        emit ResizeEnded(FTarget);
    else
        emit MoveEnded(FTarget);
}

void TSizer::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        KeyStep(event->key(), event->modifiers() & Qt::ShiftModifier);
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TSizer::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (!FTarget)
        return;
    QMouseEvent forwarded(QEvent::MouseButtonDblClick, FTarget->mapFromGlobal(event->globalPosition()),
                          event->globalPosition(), event->button(), event->buttons(), event->modifiers());
    QCoreApplication::sendEvent(FTarget, &forwarded);
}

} // namespace etikor
