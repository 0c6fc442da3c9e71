#pragma once

// The folder object of the table store, and the one session that knows every folder object.

#include <string>
#include <string_view>
#include <vector>

namespace etikor {

class TStoreDataset;

class TStoreDatabase {
public:
    TStoreDatabase();
    TStoreDatabase(const TStoreDatabase&) = delete;
    TStoreDatabase& operator=(const TStoreDatabase&) = delete;
    // Closes its open tables and detaches every table.
    ~TStoreDatabase();

    std::string Name;
    // Always ends with a separator ("/" added when missing); "" stays "".
    const std::string& DatabasePath() const { return FPath; }
    void SetDatabasePath(std::string_view path);

    // The tables assigned to this database, those open, and those with unsaved changes.
    const std::vector<TStoreDataset*>& Tables() const { return FTables; }
    std::vector<TStoreDataset*> OpenTables() const;
    const std::vector<TStoreDataset*>& ChangedTables() const { return FChanged; }
    void CloseTables();

private:
    friend class TStoreDataset;
    void Attach(TStoreDataset* table);
    void Detach(TStoreDataset* table);
    void SetChanged(TStoreDataset* table, bool changed);
    std::string FPath;
    std::vector<TStoreDataset*> FTables;
    std::vector<TStoreDataset*> FChanged;
};

// Keeps the list of live databases; the application closes them all at its end.
class TStoreSession {
public:
    static TStoreSession& Instance();
    const std::vector<TStoreDatabase*>& Databases() const { return FDatabases; }
    TStoreDatabase* FindDatabase(std::string_view name) const;
    // Closes the tables of every remaining database.
    void CloseAll();

private:
    friend class TStoreDatabase;
    std::vector<TStoreDatabase*> FDatabases;
};

TStoreSession& Session();

} // namespace etikor
