#include "ui/Controls.h"

#include "ui/Icons.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QToolButton>
#include <QVariant>

namespace etikor {

namespace {
const char* const kPendingProperty = "etikorPending";
}

QToolButton* NamedToolButton(QWidget* parent, const char* name, const QString& hint, const QString& caption) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    if (!caption.isEmpty())
        button->setText(caption);
    button->setAutoRaise(true);
    return button;
}

QToolButton* IconToolButton(QWidget* parent, const char* name, const QString& hint, const char* icon,
                            const QString& caption) {
    QToolButton* button = NamedToolButton(parent, name, hint, caption);
    button->setIcon(ProgramIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return button;
}

QDoubleSpinBox* MmSpin(QWidget* parent, const char* name, double min, double max, int decimals,
                       const QString& hint) {
    auto* spin = new QDoubleSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(min, max);
    spin->setDecimals(decimals);
    spin->setSuffix(QStringLiteral(" mm"));
    spin->setToolTip(hint);
    return spin;
}

QLineEdit* ReadOnlyEdit(QWidget* parent, const char* name, const QString& hint) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setToolTip(hint);
    return edit;
}

void MarkPending(QWidget* widget) {
    widget->setProperty(kPendingProperty, true);
    widget->setEnabled(false);
}

void MarkPending(QAction* action) {
    action->setProperty(kPendingProperty, true);
    action->setEnabled(false);
}

bool IsPending(const QWidget* widget) {
    return widget->property(kPendingProperty).toBool();
}

void Allow(QWidget* widget, bool enabled) {
    widget->setEnabled(enabled && !IsPending(widget));
}

void Allow(QAction* action, bool enabled) {
    action->setEnabled(enabled && !action->property(kPendingProperty).toBool());
}

} // namespace etikor
