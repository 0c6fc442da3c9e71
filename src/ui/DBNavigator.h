#pragma once

// A record navigator: first, prior, next and last buttons over a data source, each enabled
// only where it can move (none while the dataset edits or is closed). The buttons are named
// "<name>_First", "<name>_Prior", "<name>_Next" and "<name>_Last" so tests can press them.

#include "data/DataSet.h"

#include <QWidget>

class QToolButton;

namespace etikor {

class TDBNavigator : public QWidget, private TDataLink {
    Q_OBJECT
public:
    TDBNavigator(const QString& name, TDataSource& source, QWidget* parent = nullptr);
    ~TDBNavigator() override;

    QToolButton* Button(int index) const { return FButtons[index]; } // 0 first .. 3 last

protected:
    void changeEvent(QEvent* event) override;

private:
    void ActiveChanged() override { UpdateButtons(); }
    void CurrentChanged() override { UpdateButtons(); }
    void DataSetChanged() override { UpdateButtons(); }
    void StateChanged() override { UpdateButtons(); }
    void UpdateButtons();
    void Move(int index);

    QToolButton* FButtons[4] = {};
};

} // namespace etikor
