#include "exchange/ui/TablaForm.h"

#include "data/Cp1250Text.h"
#include "data/DataSet.h"
#include "ui/DataSetGridModel.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TTablaFormText {
    Q_DECLARE_TR_FUNCTIONS(TTablaFormText)
};
} // namespace

namespace {

QToolButton* navigatorButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                             const QString& hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(hint);
    return button;
}

} // namespace

TTablaForm::TTablaForm(TDataSet& source, const QString& seriesFile, QWidget* parent)
    : QDialog(parent), FSource(source) {
    setObjectName(QStringLiteral("TablaForm"));
    setWindowTitle(TTablaFormText::tr("Adatböngésző - ") + seriesFile);
    resize(652, 391);

    if (!FSource.Active())
        FSource.Open();
    FSource.First();
    std::vector<TGridColumn> columns;
    for (int i = 0; i < FSource.FieldCount(); ++i)
        columns.push_back({FSource.Fields(i).FieldName(), FromCp1250(FSource.Fields(i).DisplayName())});

    TablaGrid = new QTableView(this);
    TablaGrid->setObjectName(QStringLiteral("TablaGrid"));
    FModel = new TDataSetGridModel(FSource, std::move(columns), TablaGrid);
    TablaGrid->setModel(FModel);
    TablaGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TablaGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    TablaGrid->setSelectionMode(QAbstractItemView::SingleSelection);

    DBN = new QWidget(this);
    DBN->setObjectName(QStringLiteral("DBN"));
    auto* nav = new QHBoxLayout(DBN);
    nav->setContentsMargins(0, 0, 0, 0);
    const struct {
        const char* name;
        QStyle::StandardPixmap icon;
        QString hint;
        int (*target)(int current, int count);
    } buttons[] = {
        {"DBN_First", QStyle::SP_MediaSkipBackward, TTablaFormText::tr("Első rekord"),
         [](int, int) { return 0; }},
        {"DBN_Prior", QStyle::SP_MediaSeekBackward, TTablaFormText::tr("Előző rekord"),
         [](int current, int) { return current - 1; }},
        {"DBN_Next", QStyle::SP_MediaSeekForward, TTablaFormText::tr("Következő rekord"),
         [](int current, int) { return current + 1; }},
        {"DBN_Last", QStyle::SP_MediaSkipForward, TTablaFormText::tr("Utolsó rekord"),
         [](int, int count) { return count - 1; }},
    };
    for (const auto& b : buttons) {
        QToolButton* button = navigatorButton(DBN, b.name, b.icon, b.hint);
        const auto target = b.target;
        connect(button, &QToolButton::clicked, this, [this, target] {
            MoveTo(target(TablaGrid->currentIndex().isValid() ? TablaGrid->currentIndex().row() : 0,
                          FModel->rowCount()));
        });
        nav->addWidget(button);
    }
    nav->addStretch(1);

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("LablecBar"));
    status->setSizeGripEnabled(false);
    Lablec =
        new QLabel(TTablaFormText::tr("Rekordok száma: ") + QString::number(FSource.RecordCount()), status);
    Lablec->setObjectName(QStringLiteral("Lablec"));
    status->addWidget(Lablec, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(TablaGrid, 1);
    layout->addWidget(DBN);
    layout->addWidget(status);

    connect(TablaGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { GridRowChanged(current.row()); });
    if (FModel->rowCount() > 0)
        MoveTo(0);
}

TTablaForm::~TTablaForm() = default;

void TTablaForm::MoveTo(int row) {
    const int count = FModel->rowCount();
    if (count == 0)
        return;
    row = std::clamp(row, 0, count - 1);
    TablaGrid->setCurrentIndex(FModel->index(row, 0));
    TablaGrid->selectRow(row);
}

void TTablaForm::GridRowChanged(int row) {
    if (row >= 0 && FSource.Active() && row < FSource.RecordCount())
        FSource.SetRecNo(row + 1);
}

void TTablaForm::done(int result) {
    // The data source stays on the record last selected.
    const QModelIndex current = TablaGrid->currentIndex();
    if (current.isValid())
        GridRowChanged(current.row());
    QDialog::done(result);
}

} // namespace etikor
