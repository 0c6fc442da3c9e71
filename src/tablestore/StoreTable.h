#pragma once

// A store dataset bound to its source: a file (TableName), field definitions for a new empty
// table, an image assigned by the caller, or another open table whose records it shares.

#include "data/FieldTypes.h"
#include "tablestore/StoreDataset.h"

#include <string>

namespace etikor {

enum class TStoreLoadMode : uint8_t { lmClear, lmFile, lmClone, lmStream };
using enum TStoreLoadMode;

class TStoreTable : public TStoreDataset {
public:
    TStoreTable() = default;
    ~TStoreTable() override;

    // Setting the name closes the table and sets LoadMode: lmFile for a name, lmClear for "".
    const std::string& TableName() const { return FTableName; }
    void SetTableName(std::string name);
    TStoreLoadMode LoadMode() const { return FLoadMode; }
    void SetLoadMode(TStoreLoadMode mode);
    // The table whose records an lmClone table shares.
    TStoreTable* CloneDS() const { return FCloneDS; }
    void SetCloneDS(TStoreTable* source);
    // The image an lmStream table opens on (consumed by the open).
    void SetStream(std::string image) { FPendingImage = std::move(image); }
    // The structure of an lmClear table.
    TFieldDefs FieldDefs;

    // Assigning a database with a non-empty path strips the folder from TableName.
    void SetDatabase(TStoreDatabase* database) override;
    // The path lmFile opens: TableName, or the database path and the bare name.
    std::string FilePath() const;

    // Copies from another dataset. Mode 0 appends every record; mode 1 updates the record with
    // the same UniqueFieldNames values or appends; mode 2 takes the source's structure and then
    // appends; mode 3 takes the structure only. Returns the records appended or updated.
    int CopyFrom(TDataSet* source, int mode);

protected:
    void ReadSource(TStoreCursor& cursor) override;
    std::string OwnFileName() const override;
    bool CanReload() const override;
    void InternalOpen() override;
    void InternalClose() override;

private:
    std::string FTableName;
    TStoreLoadMode FLoadMode = lmClear;
    TStoreTable* FCloneDS = nullptr;
};

} // namespace etikor
