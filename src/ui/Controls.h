#pragma once

// Small helpers the windows build their controls with: named tool buttons, millimetre spinners,
// read-only fields, and the mark for controls whose behaviour the program does not have yet
// (they stay disabled whatever a selection enables).

#include <QString>

class QAction;
class QDoubleSpinBox;
class QLineEdit;
class QToolButton;
class QWidget;

namespace etikor {

QToolButton* NamedToolButton(QWidget* parent, const char* name, const QString& hint,
                             const QString& caption = {});
// A tool button showing one of the program's icons; `caption` stays its text for those who
// read it instead.
QToolButton* IconToolButton(QWidget* parent, const char* name, const QString& hint, const char* icon,
                            const QString& caption = {});
// A millimetre spinner: range, decimals, " mm".
QDoubleSpinBox* MmSpin(QWidget* parent, const char* name, double min, double max, int decimals,
                       const QString& hint);
QLineEdit* ReadOnlyEdit(QWidget* parent, const char* name, const QString& hint);

// Disabled for good: the control's behaviour is not built.
void MarkPending(QWidget* widget);
void MarkPending(QAction* action);
bool IsPending(const QWidget* widget);
// Enabled as asked, unless pending.
void Allow(QWidget* widget, bool enabled);
void Allow(QAction* action, bool enabled);

} // namespace etikor
