#pragma once

// "Nyomtató eltolása": each printer's calibration, the horizontal and vertical offset that
// moves everything printed on it. The queue chosen in the list shows its own values; edits of
// several queues are kept until OK.

#include "document/Settings.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;

namespace etikor {

class TEltolasForm : public QDialog {
public:
    // `queues` are the print queues to offer; `current` is chosen first (added when the list
    // lacks it, as a queue calibrated earlier may be switched off now).
    TEltolasForm(const TPrintOffsets& offsets, QStringList queues, const QString& current,
                 QWidget* parent = nullptr);

    // The calibrations as the dialog leaves them (queues without a change keep theirs).
    const TPrintOffsets& Offsets() const { return FOffsets; }
    QString Queue() const;

private:
    void ShowQueue();
    void KeepValues();

    TPrintOffsets FOffsets;
    QComboBox* FQueue = nullptr;
    QDoubleSpinBox* FX = nullptr;
    QDoubleSpinBox* FY = nullptr;
    bool FShowing = false;
};

} // namespace etikor
