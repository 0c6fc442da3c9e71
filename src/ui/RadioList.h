#pragma once

// A captioned group of radio buttons in columns, with the chosen item's index (a radio list).
// The buttons are named "<list name>_<index>" so tests can click them.

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace etikor {

class TRadioList : public QGroupBox {
    Q_OBJECT
public:
    TRadioList(const QString& name, const QString& caption, const QStringList& items, int columns,
               QWidget* parent = nullptr);

    int ItemIndex() const;
    void SetItemIndex(int index);
    QString ItemText(int index) const;
    int Count() const { return FItems.size(); }

signals:
    // The user (or SetItemIndex) chose another item.
    void Clicked(int index);

private:
    QStringList FItems;
    QButtonGroup* FGroup;
};

} // namespace etikor
