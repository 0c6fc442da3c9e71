#include "tablestore/StoreDatabase.h"

#include "data/Cp1250.h"
#include "tablestore/StoreDataset.h"
#include "tablestore/StoreFile.h"

#include <algorithm>

namespace etikor {

namespace {

void Remove(std::vector<TStoreDataset*>& list, TStoreDataset* table) {
    list.erase(std::remove(list.begin(), list.end(), table), list.end());
}

} // namespace

TStoreDatabase::TStoreDatabase() {
    Session().FDatabases.push_back(this);
}

TStoreDatabase::~TStoreDatabase() {
    try {
        CloseTables();
    } catch (const std::exception&) {
        // Tables that still refuse to close are detached below and close with their owners.
    }
    for (TStoreDataset* table : std::vector<TStoreDataset*>(FTables))
        table->SetDatabase(nullptr);
    auto& databases = Session().FDatabases;
    databases.erase(std::remove(databases.begin(), databases.end(), this), databases.end());
}

void TStoreDatabase::SetDatabasePath(std::string_view path) {
    FPath = NormalizeDatabasePath(path);
}

std::vector<TStoreDataset*> TStoreDatabase::OpenTables() const {
    std::vector<TStoreDataset*> open;
    for (TStoreDataset* table : FTables)
        if (table->Active())
            open.push_back(table);
    return open;
}

void TStoreDatabase::CloseTables() {
    // Clones first: a table with open clones refuses to close.
    std::vector<TStoreDataset*> open = OpenTables();
    for (int pass = 0; pass < 2; ++pass)
        for (TStoreDataset* table : open)
            try {
                table->Close();
            } catch (const std::exception&) {
                if (pass == 1)
                    throw;
            }
}

void TStoreDatabase::Attach(TStoreDataset* table) {
    if (std::find(FTables.begin(), FTables.end(), table) == FTables.end())
        FTables.push_back(table);
}

void TStoreDatabase::Detach(TStoreDataset* table) {
    Remove(FTables, table);
    Remove(FChanged, table);
}

void TStoreDatabase::SetChanged(TStoreDataset* table, bool changed) {
    Remove(FChanged, table);
    if (changed)
        FChanged.push_back(table);
}

TStoreSession& TStoreSession::Instance() {
    static TStoreSession session;
    return session;
}

TStoreSession& Session() {
    return TStoreSession::Instance();
}

TStoreDatabase* TStoreSession::FindDatabase(std::string_view name) const {
    for (TStoreDatabase* database : FDatabases)
        if (Cp1250SameText(database->Name, name))
            return database;
    return nullptr;
}

void TStoreSession::CloseAll() {
    for (TStoreDatabase* database : std::vector<TStoreDatabase*>(FDatabases))
        database->CloseTables();
}

} // namespace etikor
