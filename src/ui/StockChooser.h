#pragma once

// The label stock chooser ("Címkeív"): the makers' sheets of the catalogue and the user's own
// page setups in one list, searched by size ("70x37") or by code and maker. Choosing one hands
// back its page setup; the page setup the window was opened with can be kept as an own entry,
// and own entries can be deleted. Opened from the page and label tabs and from the wizard.

#include "document/LabelStock.h"

#include <QDialog>

#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace etikor {

class IModal;

class TStockChooser final : public QDialog {
    Q_OBJECT
public:
    // `current`: what "Mentés sajátként" keeps. The files default to the program's own.
    TStockChooser(IModal& modal, const TPageSetup& current, QWidget* parent = nullptr,
                  QString cataloguePath = StockCataloguePath(), QString ownPath = OwnStockPath());

    // The chosen entry's page setup once accepted.
    const std::optional<TPageSetup>& Chosen() const { return FChosen; }

    // The entries listed now, in list order (the search applied).
    std::vector<const TStockEntry*> Listed() const;
    void SelectListed(int row);

    QLineEdit* Kereses = nullptr;
    QTreeWidget* Ivek = nullptr;
    QLabel* Hibak = nullptr;
    QLabel* Ok = nullptr;
    QPushButton* MentesGomb = nullptr;
    QPushButton* TorlesGomb = nullptr;
    QPushButton* ValasztGomb = nullptr;
    QPushButton* MegsemGomb = nullptr;

private:
    void Load();
    void Fill();
    void SelectionChanged();
    const TStockEntry* Selected() const;
    void Choose();
    void SaveOwn();
    void DeleteOwn();

    IModal& FModal;
    TPageSetup FCurrent;
    QString FCataloguePath;
    QString FOwnPath;
    std::vector<TStockEntry> FEntries; // own entries first, then the catalogue
    QStringList FProblems;
    std::optional<TPageSetup> FChosen;
};

// Opens the chooser through the modal seam; the chosen page setup, nullopt when cancelled.
std::optional<TPageSetup> ChooseStock(IModal& modal, const TPageSetup& current, QWidget* parent);

} // namespace etikor
