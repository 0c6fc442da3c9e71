#include "ui/RadioList.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

#include <algorithm>

namespace etikor {

TRadioList::TRadioList(const QString& name, const QString& caption, const QStringList& items, int columns,
                       QWidget* parent)
    : QGroupBox(caption, parent), FItems(items), FGroup(new QButtonGroup(this)) {
    setObjectName(name);
    auto* layout = new QGridLayout(this);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / std::max(columns, 1);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(name + QLatin1Char('_') + QString::number(i));
        FGroup->addButton(button, i);
        layout->addWidget(button, i % rows, i / rows);
    }
    connect(FGroup, &QButtonGroup::idClicked, this, &TRadioList::Clicked);
}

int TRadioList::ItemIndex() const {
    return FGroup->checkedId();
}

void TRadioList::SetItemIndex(int index) {
    if (QAbstractButton* button = FGroup->button(index)) {
        button->setChecked(true);
        emit Clicked(index);
    }
}

QString TRadioList::ItemText(int index) const {
    return FItems.value(index);
}

} // namespace etikor
