#include "ui/StockChooser.h"

#include "services/Modal.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace etikor {

namespace {

struct TStockChooserText {
    Q_DECLARE_TR_FUNCTIONS(TStockChooserText)
};

QString Mm(double value) {
    return QLocale().toString(value, 'f', 2).remove(QRegularExpression(QStringLiteral("[.,]?0+$")));
}

constexpr int kEntryRole = Qt::UserRole;

} // namespace

TStockChooser::TStockChooser(IModal& modal, const TPageSetup& current, QWidget* parent, QString cataloguePath,
                             QString ownPath)
    : QDialog(parent), FModal(modal), FCurrent(current), FCataloguePath(std::move(cataloguePath)),
      FOwnPath(std::move(ownPath)) {
    setObjectName(QStringLiteral("CimkeivForm"));
    setWindowTitle(TStockChooserText::tr("Címkeív"));
    auto* layout = new QVBoxLayout(this);

    auto* searchRow = new QHBoxLayout;
    auto* searchLabel = new QLabel(TStockChooserText::tr("&Keresés:"), this);
    Kereses = new QLineEdit(this);
    Kereses->setObjectName(QStringLiteral("Kereses"));
    Kereses->setPlaceholderText(TStockChooserText::tr("méret (pl. 70x37), cikkszám vagy gyártó"));
    Kereses->setClearButtonEnabled(true);
    searchLabel->setBuddy(Kereses);
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(Kereses, 1);
    layout->addLayout(searchRow);

    Ivek = new QTreeWidget(this);
    Ivek->setObjectName(QStringLiteral("Ivek"));
    Ivek->setRootIsDecorated(false);
    Ivek->setUniformRowHeights(true);
    Ivek->setAlternatingRowColors(true);
    Ivek->setHeaderLabels({TStockChooserText::tr("Gyártó"), TStockChooserText::tr("Cikkszám / név"),
                           TStockChooserText::tr("Lap"), TStockChooserText::tr("Címke (mm)"),
                           TStockChooserText::tr("Oszlop × sor")});
    Ivek->header()->setStretchLastSection(false);
    Ivek->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Ivek->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    layout->addWidget(Ivek, 1);

    Ok = new QLabel(this);
    Ok->setObjectName(QStringLiteral("Ok"));
    Ok->setWordWrap(true);
    layout->addWidget(Ok);
    Hibak = new QLabel(this);
    Hibak->setObjectName(QStringLiteral("Hibak"));
    Hibak->setWordWrap(true);
    Hibak->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(Hibak);

    auto* buttons = new QHBoxLayout;
    MentesGomb = new QPushButton(TStockChooserText::tr("&Mentés sajátként…"), this);
    MentesGomb->setObjectName(QStringLiteral("MentesGomb"));
    MentesGomb->setToolTip(TStockChooserText::tr("A mostani oldalbeállítás mentése saját címkeívként"));
    MentesGomb->setAutoDefault(false);
    TorlesGomb = new QPushButton(TStockChooserText::tr("&Törlés"), this);
    TorlesGomb->setObjectName(QStringLiteral("TorlesGomb"));
    TorlesGomb->setToolTip(TStockChooserText::tr("A kijelölt saját címkeív törlése"));
    TorlesGomb->setAutoDefault(false);
    ValasztGomb = new QPushButton(TStockChooserText::tr("&Választ"), this);
    ValasztGomb->setObjectName(QStringLiteral("ValasztGomb"));
    ValasztGomb->setDefault(true);
    MegsemGomb = new QPushButton(TStockChooserText::tr("Mégsem"), this);
    MegsemGomb->setObjectName(QStringLiteral("MegsemGomb"));
    MegsemGomb->setAutoDefault(false);
    buttons->addWidget(MentesGomb);
    buttons->addWidget(TorlesGomb);
    buttons->addStretch(1);
    buttons->addWidget(ValasztGomb);
    buttons->addWidget(MegsemGomb);
    layout->addLayout(buttons);

    connect(Kereses, &QLineEdit::textChanged, this, &TStockChooser::Fill);
    connect(Ivek, &QTreeWidget::currentItemChanged, this, &TStockChooser::SelectionChanged);
    connect(Ivek, &QTreeWidget::itemActivated, this, &TStockChooser::Choose);
    connect(ValasztGomb, &QPushButton::clicked, this, &TStockChooser::Choose);
    connect(MegsemGomb, &QPushButton::clicked, this, &QDialog::reject);
    connect(MentesGomb, &QPushButton::clicked, this, &TStockChooser::SaveOwn);
    connect(TorlesGomb, &QPushButton::clicked, this, &TStockChooser::DeleteOwn);

    resize(640, 420);
    Load();
    Fill();
    Kereses->setFocus();
}

void TStockChooser::Load() {
    TStockLoad own = LoadOwnStock(FOwnPath);
    TStockLoad catalogue = LoadStockCatalogue(FCataloguePath);
    FEntries = std::move(own.Entries);
    FEntries.insert(FEntries.end(), std::make_move_iterator(catalogue.Entries.begin()),
                    std::make_move_iterator(catalogue.Entries.end()));
    FProblems = own.Problems + catalogue.Problems;
    Hibak->setVisible(!FProblems.isEmpty());
    Hibak->setText(TStockChooserText::tr("Kihagyott sorok: %1").arg(FProblems.join(QStringLiteral("; "))));
}

void TStockChooser::Fill() {
    const TStockEntry* keep = Selected();
    const QString keepCode = keep ? keep->Code : QString();
    const QString keepMaker = keep ? keep->Maker : QString();
    const bool keepOwn = keep && keep->Own;
    Ivek->clear();
    QTreeWidgetItem* reselect = nullptr;
    for (size_t i = 0; i < FEntries.size(); ++i) {
        const TStockEntry& e = FEntries[i];
        if (!StockMatches(e, Kereses->text()))
            continue;
        auto* item = new QTreeWidgetItem(Ivek);
        item->setText(0, e.Own ? TStockChooserText::tr("(saját)") : e.Maker);
        item->setText(1, e.Code);
        item->setText(2, e.Page);
        item->setText(3, QStringLiteral("%1 × %2").arg(Mm(e.WidthMm), Mm(e.HeightMm)));
        item->setText(4, QStringLiteral("%1 × %2").arg(e.Columns).arg(e.Rows));
        item->setData(0, kEntryRole, static_cast<qulonglong>(i));
        if (e.Own) {
            QFont font = item->font(0);
            font.setItalic(true);
            for (int c = 0; c < Ivek->columnCount(); ++c)
                item->setFont(c, font);
        }
        if (!e.Usable) {
            for (int c = 0; c < Ivek->columnCount(); ++c) {
                item->setForeground(c, palette().brush(QPalette::Disabled, QPalette::Text));
                item->setToolTip(c, e.Reason);
            }
        }
        if (keep && e.Own == keepOwn && e.Code == keepCode && e.Maker == keepMaker)
            reselect = item;
    }
    Ivek->setCurrentItem(reselect ? reselect : Ivek->topLevelItem(0));
    SelectionChanged();
}

const TStockEntry* TStockChooser::Selected() const {
    const QTreeWidgetItem* item = Ivek ? Ivek->currentItem() : nullptr;
    if (!item)
        return nullptr;
    const auto index = item->data(0, kEntryRole).toULongLong();
    return index < FEntries.size() ? &FEntries[index] : nullptr;
}

std::vector<const TStockEntry*> TStockChooser::Listed() const {
    std::vector<const TStockEntry*> listed;
    for (int row = 0; row < Ivek->topLevelItemCount(); ++row)
        listed.push_back(&FEntries[Ivek->topLevelItem(row)->data(0, kEntryRole).toULongLong()]);
    return listed;
}

void TStockChooser::SelectListed(int row) {
    Ivek->setCurrentItem(Ivek->topLevelItem(row));
}

void TStockChooser::SelectionChanged() {
    const TStockEntry* e = Selected();
    ValasztGomb->setEnabled(e && e->Usable);
    TorlesGomb->setEnabled(e && e->Own);
    if (!e) {
        Ok->setText(Ivek->topLevelItemCount() == 0 ? TStockChooserText::tr("Nincs ilyen címkeív.")
                                                   : QString());
        return;
    }
    if (!e->Usable) {
        Ok->setText(e->Reason);
        return;
    }
    const TPageSetup& s = e->Setup;
    Ok->setText(TStockChooserText::tr("Oldal %1 × %2 mm, margók: felső %3, bal %4, jobb %5, alsó %6 mm, "
                                      "oszlopköz %7 mm.")
                    .arg(Mm(s.PageWidthMm), Mm(s.PageLengthMm), Mm(s.TopMarginMm), Mm(s.LeftMarginMm),
                         Mm(s.RightMarginMm), Mm(s.BottomMarginMm), Mm(s.ColumnSpaceMm)));
}

void TStockChooser::Choose() {
    const TStockEntry* e = Selected();
    if (!e || !e->Usable)
        return;
    FChosen = e->Setup;
    accept();
}

void TStockChooser::SaveOwn() {
    const std::optional<QString> name =
        FModal.InputBox(windowTitle(), TStockChooserText::tr("A saját címkeív neve:"), QString());
    if (!name || name->trimmed().isEmpty())
        return;
    for (const TStockEntry& e : FEntries) {
        if (e.Own && e.Code.compare(name->trimmed(), Qt::CaseInsensitive) == 0 &&
            !FModal.Message(windowTitle(),
                            TStockChooserText::tr("Már van „%1” nevű saját címkeív. Felülírod?").arg(e.Code),
                            QStringLiteral("K")))
            return;
    }
    QString error;
    if (!SaveOwnStock(FOwnPath, *name, FCurrent, &error)) {
        FModal.Message(windowTitle(), TStockChooserText::tr("A saját címkeív nem menthető: %1").arg(error),
                       QStringLiteral("H"));
        return;
    }
    Load();
    Kereses->clear();
    Fill();
    const std::vector<const TStockEntry*> listed = Listed();
    for (size_t row = 0; row < listed.size(); ++row) {
        if (listed[row]->Own && listed[row]->Code.compare(name->trimmed(), Qt::CaseInsensitive) == 0)
            SelectListed(static_cast<int>(row));
    }
}

void TStockChooser::DeleteOwn() {
    const TStockEntry* e = Selected();
    if (!e || !e->Own)
        return;
    const QString name = e->Code;
    if (!FModal.Message(windowTitle(), TStockChooserText::tr("Törlöd a(z) „%1” saját címkeívet?").arg(name),
                        QStringLiteral("K")))
        return;
    QString error;
    if (!DeleteOwnStock(FOwnPath, name, &error)) {
        FModal.Message(windowTitle(), TStockChooserText::tr("A saját címkeív nem törölhető: %1").arg(error),
                       QStringLiteral("H"));
        return;
    }
    Load();
    Fill();
}

std::optional<TPageSetup> ChooseStock(IModal& modal, const TPageSetup& current, QWidget* parent) {
    TStockChooser chooser(modal, current, parent);
    if (modal.RunModal(chooser) != QDialog::Accepted)
        return std::nullopt;
    return chooser.Chosen();
}

} // namespace etikor
