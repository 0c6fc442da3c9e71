#include "printing/ui/NyomtatasForm.h"

#include "data/Cp1250Text.h"
#include "data/ScopeGuard.h"
#include "services/Modal.h"

#include <QAbstractItemDelegate>
#include <QCheckBox>
#include <QColor>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TNyomtatasFormText {
    Q_DECLARE_TR_FUNCTIONS(TNyomtatasFormText)
};
} // namespace

namespace {
// Grid column -> selection table field.
const char* const kColumnFields[] = {"Darab", "Vonalkod1", "Vonalkod2"};
} // namespace

TSelectionGridModel::TSelectionGridModel(TPrintSelection& selection, IModal& modal, QObject* parent)
    : QAbstractTableModel(parent), FSelection(selection), FModal(modal) {}

int TSelectionGridModel::rowCount(const QModelIndex& parent) const {
    const TStoreTable& table = FSelection.Selection();
    return parent.isValid() || !table.Active() ? 0 : table.RecordCount();
}

int TSelectionGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant TSelectionGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    TStoreTable& table = FSelection.Selection();
    const TField& field = table.FieldByName(kColumnFields[index.column()]);
    const TVariant value = table.ValueAt(index.row(), field);
    if (index.column() == 0)
        return static_cast<int>(value.ToInt());
    return value.IsNull() ? QString() : FromCp1250(value.ToString());
}

bool TSelectionGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.column() == 1)
        return false;
    TStoreTable& table = FSelection.Selection();
    try {
        table.SetRecNo(index.row() + 1);
        table.Edit();
        TField& field = table.FieldByName(kColumnFields[index.column()]);
        if (index.column() == 0)
            field.SetAsInteger(value.toInt());
        else
            field.SetAsString(ToCp1250(value.toString()));
        table.Post();
    } catch (const std::exception& error) {
        table.Cancel();
        FModal.Message(QString(), QString::fromStdString(error.what()), QStringLiteral("H"));
        return false;
    }
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags TSelectionGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() != 1)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant TSelectionGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    const bool sorted = section != 0 && section == FSelection.SortedColumn;
    switch (role) {
    case Qt::DisplayRole: {
        static const char* const titles[] = {QT_TRANSLATE_NOOP("TNyomtatasFormText", "Db."),
                                             QT_TRANSLATE_NOOP("TNyomtatasFormText", "Vonalkód"),
                                             QT_TRANSLATE_NOOP("TNyomtatasFormText", "Típus")};
        return TNyomtatasFormText::tr(titles[section]);
    }
    case Qt::ForegroundRole:
        return QColor(sorted ? Qt::red : Qt::darkBlue);
    case Qt::BackgroundRole:
        return sorted ? QColor(Qt::yellow) : QPalette().color(QPalette::Button);
    default:
        return {};
    }
}

void TSelectionGridModel::Reload() {
    beginResetModel();
    endResetModel();
}

// ---- window ---------------------------------------------------------------------------------

namespace {
QPushButton* Button(QWidget* parent, const char* name, const QString& caption, const QString& hint) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}
} // namespace

TNyomtatasForm::TNyomtatasForm(TPrintSelection& selection, THandOver handOver, IModal& modal, QWidget* parent)
    : QDialog(parent), FSelection(selection), FHandOver(std::move(handOver)), FModal(modal) {
    setObjectName(QStringLiteral("NyomtatasForm"));
    setWindowTitle(TNyomtatasFormText::tr("Etikett nyomtatás"));
    resize(508, 463);
    auto* layout = new QVBoxLayout(this);

    auto* buttons = new QHBoxLayout;
    QPushButton* all = Button(this, "Msn_All", TNyomtatasFormText::tr("Mind"),
                              TNyomtatasFormText::tr("Összes kijelölése (Darab=1)"));
    QPushButton* none = Button(this, "Msn_Del", TNyomtatasFormText::tr("Töröl"),
                               TNyomtatasFormText::tr("Kijelölést megszüntet"));
    QPushButton* narrow =
        Button(this, "Msn_Szuk", TNyomtatasFormText::tr("Szűkít"), TNyomtatasFormText::tr("Szűkítés"));
    QPushButton* widen = Button(this, "Msn_tSzukites", TNyomtatasFormText::tr("Mind látszik"),
                                TNyomtatasFormText::tr("Szűkítés visszavonása"));
    QPushButton* print = Button(this, "Msn_Ny", TNyomtatasFormText::tr("Nyomtat"),
                                TNyomtatasFormText::tr("Kiválasztott címkék nyomtatása"));
    QPushButton* settings = Button(this, "Msn_Beall", TNyomtatasFormText::tr("Beállítás"),
                                   TNyomtatasFormText::tr("A program paramétereinek beállítása"));
    narrow->setEnabled(false);
    widen->setEnabled(false);
    // Enabled once the program gives the window its settings dialog.
    settings->setEnabled(false);
    Msn_Beall = settings;
    connect(settings, &QPushButton::clicked, this, [this] {
        if (FSettingsDialog)
            FSettingsDialog();
    });
    for (QPushButton* b : {all, none, narrow, widen, print, settings})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    auto* options = new QHBoxLayout;
    auto* label = new QLabel(TNyomtatasFormText::tr("Első cimke:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    UresCimke = new QSpinBox(this);
    UresCimke->setObjectName(QStringLiteral("UresCimke"));
    UresCimke->setRange(1, TPrintSelection::kMaxFirstPlace);
    UresCimke->setValue(FSelection.FirstPlace);
    UresCimke->setToolTip(
        TNyomtatasFormText::tr("Hányadik cimkénél kezdődjön a nyomtatás (felhasznált cimkék átugrása)"));
    Msn_Ch5 = new QCheckBox(TNyomtatasFormText::tr("Keret"), this);
    Msn_Ch5->setObjectName(QStringLiteral("Msn_Ch5"));
    Msn_Ch5->setToolTip(TNyomtatasFormText::tr("Keret nyomtatása a cimke köré"));
    Msn_Ch5->setChecked(FSelection.Frame);
    Jelolt = new QLabel(this);
    Jelolt->setObjectName(QStringLiteral("Jelolt"));
    Jelolt->setToolTip(TNyomtatasFormText::tr("Nyomtatásra kijelölt cimkék száma"));
    Jelolt->setFrameShape(QFrame::Panel);
    Jelolt->setFrameShadow(QFrame::Sunken);
    Jelolt->setMinimumWidth(60);
    Jelolt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* close = Button(this, "Kilep", TNyomtatasFormText::tr("&Kilép"),
                         TNyomtatasFormText::tr("Kilép a nyomtatás funkcióból"));
    options->addWidget(label);
    options->addWidget(UresCimke);
    options->addWidget(Msn_Ch5);
    options->addStretch(1);
    options->addWidget(Jelolt);
    options->addWidget(close);
    layout->addLayout(options);

    FModel = new TSelectionGridModel(FSelection, FModal, this);
    Ny_Valaszt = new QTableView(this);
    Ny_Valaszt->setObjectName(QStringLiteral("Ny_Valaszt"));
    Ny_Valaszt->setModel(FModel);
    Ny_Valaszt->setSelectionBehavior(QAbstractItemView::SelectRows);
    Ny_Valaszt->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
    Ny_Valaszt->horizontalHeader()->setSectionsClickable(true);
    Ny_Valaszt->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(Ny_Valaszt, 1);

    connect(all, &QPushButton::clicked, this, &TNyomtatasForm::Msn_AllClick);
    connect(none, &QPushButton::clicked, this, &TNyomtatasForm::Msn_DelClick);
    connect(print, &QPushButton::clicked, this, &TNyomtatasForm::Msn_NyClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(UresCimke, &QSpinBox::valueChanged, this, [this](int value) { FSelection.FirstPlace = value; });
    connect(Msn_Ch5, &QCheckBox::toggled, this, [this](bool on) { FSelection.Frame = on; });
    connect(Ny_Valaszt->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TNyomtatasForm::Ny_ValasztTitleClick);
    // Enter in an open editor posts the row, sums the counts and moves to the next row.
    connect(Ny_Valaszt->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                if (hint == QAbstractItemDelegate::SubmitModelCache)
                    EnterPosted();
            });
    ShowCounter();
}

void TNyomtatasForm::Open(TDataSet& source) {
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const TScopeGuard restoreCursor([] { QGuiApplication::restoreOverrideCursor(); });
        FSelection.Open(source);
    }
    FModel->Reload();
    UresCimke->setValue(FSelection.FirstPlace);
    Msn_Ch5->setChecked(FSelection.Frame);
    ShowCounter();
    if (FModel->rowCount() > 0)
        Ny_Valaszt->setCurrentIndex(FModel->index(0, 0));
}

void TNyomtatasForm::showEvent(QShowEvent* event) {
    setWindowTitle(TNyomtatasFormText::tr("Etikett nyomtatás"));
    QDialog::showEvent(event);
}

void TNyomtatasForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        FModal.ShowHelp(24);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TNyomtatasForm::ShowCounter() {
    Jelolt->setText(QString::number(FSelection.Counter));
}

void TNyomtatasForm::EnterPosted() {
    FSelection.SumCounts();
    ShowCounter();
    const QModelIndex current = Ny_Valaszt->currentIndex();
    if (current.isValid() && current.row() + 1 < FModel->rowCount())
        Ny_Valaszt->setCurrentIndex(FModel->index(current.row() + 1, current.column()));
}

void TNyomtatasForm::SetSettingsDialog(std::function<void()> open) {
    FSettingsDialog = std::move(open);
    Msn_Beall->setEnabled(static_cast<bool>(FSettingsDialog));
}

void TNyomtatasForm::Msn_AllClick() {
    FSelection.SelectAll();
    FModel->Reload();
    ShowCounter();
    Ny_Valaszt->setCurrentIndex(FModel->index(0, 0));
}

void TNyomtatasForm::Msn_DelClick() {
    FSelection.Clear();
    FModel->Reload();
    ShowCounter();
    Ny_Valaszt->setCurrentIndex(FModel->index(0, 0));
}

void TNyomtatasForm::Ny_ValasztTitleClick(int column) {
    Ny_Valaszt->clearSelection();
    FSelection.SortBy(column);
    FModel->Reload();
    Ny_Valaszt->setCurrentIndex(FModel->index(0, 0));
}

void TNyomtatasForm::Msn_NyClick() {
    FSelection.Print(FModal, [this](TDataSet& printTable) {
        if (FHandOver)
            FHandOver(printTable, FSelection.Frame);
    });
    FModel->Reload();
}

void TNyomtatasForm::done(int result) {
    FSelection.Close();
    FModel->Reload();
    QDialog::done(result);
}

} // namespace etikor
