#include "series/ui/EanSegedForm.h"

#include "data/Cp1250Text.h"
#include "document/DataModule.h"
#include "ui/DataSetGridModel.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <QVBoxLayout>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TEanSegedFormText {
    Q_DECLARE_TR_FUNCTIONS(TEanSegedFormText)
};
} // namespace

TEanSegedForm::TEanSegedForm(TDM& dm, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FDM(dm) {
    setObjectName(QStringLiteral("EanSegedForm"));
    setWindowTitle(TEanSegedFormText::tr("EAN 128 Segéd"));
    FDM.FillEan128();
    auto* layout = new QVBoxLayout(this);
    FGrid = new QTableView(this);
    FGrid->setObjectName(QStringLiteral("EanGrid"));
    FModel = new TDataSetGridModel(FDM.Ean128S,
                                   {{"AI", QStringLiteral("AI")},
                                    {"Cim", TEanSegedFormText::tr("Teljes cím"),
                                     [](const TVariant& v) {
                                         return QCoreApplication::translate(
                                             "Ean128Rows", FromCp1250(v.ToString()).toUtf8().constData());
                                     }},
                                    {"Formatum", TEanSegedFormText::tr("Formátum")}},
                                   this);
    FGrid->setModel(FModel);
    FGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    FGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    FGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FGrid->verticalHeader()->hide();
    FGrid->horizontalHeader()->setStretchLastSection(false);
    FGrid->setColumnWidth(0, 50);
    FGrid->setColumnWidth(1, 420);
    FGrid->setColumnWidth(2, 100);
    FGrid->selectRow(0);
    FGrid->installEventFilter(this);
    layout->addWidget(FGrid);
    resize(620, 420);
    connect(FGrid, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { Choose(index.row()); });
}

void TEanSegedForm::Choose(int row) {
    if (row < 0 || row >= FDM.Ean128S.RecordCount())
        return;
    FDM.Ean128S.SetRecNo(row + 1);
    accept();
}

bool TEanSegedForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FGrid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Choose(FGrid->currentIndex().isValid() ? FGrid->currentIndex().row() : 0);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace etikor
