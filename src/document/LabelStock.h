#pragma once

// Label stock: the catalogue of makers' label sheets shipped with the program (stock/labels.csv)
// and the user's own named page setups kept beside the settings file. Both are listed together;
// choosing an entry fills a page setup.

#include "data/PageSetup.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace etikor {

inline constexpr const char* kStockFolderName = "stock";
inline constexpr const char* kStockCatalogueFile = "labels.csv";
inline constexpr const char* kOwnStockFile = "sajat_cimkeiv.csv";

// One sheet as its maker describes it, in millimetres.
struct TStockSheet {
    QString Maker;
    QString Code;
    QString Page; // "A4" or "Letter"
    double PageWidthMm = 0;
    double PageLengthMm = 0;
    double WidthMm = 0;
    double HeightMm = 0;
    int Columns = 0;
    int Rows = 0;
    double TopMm = 0;
    double LeftMm = 0;
    double ColumnGapMm = 0;
    double RowGapMm = 0;

    // Whether the labels stay on the page across and down.
    bool FitsPage() const;
};

// An entry of the chooser: a catalogue sheet or one of the user's own page setups.
struct TStockEntry {
    bool Own = false;
    QString Maker; // empty for an own entry
    QString Code;  // the product code, or the own entry's name
    QString Page;  // "A4", "Letter", or the page size of an own entry ("210 x 297")
    double WidthMm = 0;
    double HeightMm = 0;
    int Columns = 0;
    int Rows = 0;
    // What choosing it fills; valid only when Usable.
    TPageSetup Setup;
    bool Usable = true;
    QString Reason; // why not usable (UTF-8 Hungarian)
};

struct TStockLoad {
    std::vector<TStockEntry> Entries;
    // One line for each line left out: "labels.csv 12: reason".
    QStringList Problems;
};

// The sheet's page setup: the band is one label and its row gap, the right margin makes a
// column exactly one label wide, and the values are rounded as their controls show them.
// Nullopt-like: Usable false with a reason when the program's page ranges cannot take it.
TStockEntry StockEntryOf(const TStockSheet& sheet);

// Parses catalogue text (see stock/README.md); `source` names the file in problems.
TStockLoad ParseStockCatalogue(const QString& text, const QString& source);
// Reads the catalogue file; a missing file is a problem, not an error.
TStockLoad LoadStockCatalogue(const QString& path);
// Where the catalogue is: the shared folder's stock folder when installed, otherwise beside the
// executable.
QString StockCataloguePath();

// The user's own entries: "name;ten page values in the settings file's order".
TStockLoad ParseOwnStock(const QString& text, const QString& source);
TStockLoad LoadOwnStock(const QString& path);
// Beside the settings file.
QString OwnStockPath();
// Adds or replaces (same name) an own entry and writes the file; false with `error` set when
// it cannot be written.
bool SaveOwnStock(const QString& path, const QString& name, const TPageSetup& setup,
                  QString* error = nullptr);
bool DeleteOwnStock(const QString& path, const QString& name, QString* error = nullptr);

// Whether an entry matches a search: every word must match; a word like "70x37" (also "70 x
// 37", "70×37", "63,5x38,1") matches the label size within half a millimetre, any other word a
// part of the maker, the code or the own name, ignoring case.
bool StockMatches(const TStockEntry& entry, const QString& search);

} // namespace etikor
