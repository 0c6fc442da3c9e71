#include "tablestore/StoreTable.h"

#include "data/Cp1250.h"
#include "data/ScopeGuard.h"
#include "tablestore/StoreDatabase.h"
#include "tablestore/StoreErrors.h"
#include "tablestore/StoreFormat.h"

#include <algorithm>
#include <unordered_map>

namespace etikor {

TStoreTable::~TStoreTable() {
    CloseClones();
    try {
        Close();
    } catch (...) {
        DetachStorage();
    }
}

void TStoreTable::SetTableName(std::string name) {
    Close();
    FTableName = std::move(name);
    FLoadMode = FTableName.empty() ? lmClear : lmFile;
}

void TStoreTable::SetLoadMode(TStoreLoadMode mode) {
    if (mode == FLoadMode)
        return;
    Close();
    FLoadMode = mode;
}

void TStoreTable::SetCloneDS(TStoreTable* source) {
    Close();
    FCloneDS = source;
    if (source)
        FLoadMode = lmClone;
}

void TStoreTable::SetDatabase(TStoreDatabase* database) {
    TStoreDataset::SetDatabase(database);
    if (database && !database->DatabasePath().empty())
        FTableName = StripFolder(FTableName);
}

std::string TStoreTable::FilePath() const {
    return ResolveTablePath(FTableName, Database() ? Database()->DatabasePath() : std::string());
}

std::string TStoreTable::OwnFileName() const {
    if (FOpeningFromImage)
        return {};
    if (FLoadMode == lmFile)
        return FilePath();
    if (FLoadMode == lmClone && FCloneDS)
        return FCloneDS->OwnFileName();
    return {};
}

bool TStoreTable::CanReload() const {
    if (FOpeningFromImage)
        return false;
    if (FLoadMode == lmFile)
        return true;
    return FLoadMode == lmClone && FCloneDS && FCloneDS->CanReload();
}

void TStoreTable::InternalOpen() {
    if (!FOpeningFromImage && FLoadMode == lmClone) {
        if (!FCloneDS || FCloneDS == this)
            DatabaseError("Cannot do this operation on closed dataset");
        ShareStorageOf(*FCloneDS);
    }
    TStoreDataset::InternalOpen();
}

void TStoreTable::InternalClose() {
    TStoreDataset::InternalClose();
}

void TStoreTable::ReadSource(TStoreCursor& cursor) {
    if (FOpeningFromImage) {
        TStoreDataset::ReadSource(cursor);
        return;
    }
    switch (FLoadMode) {
    case lmFile: {
        std::string path = FilePath();
        std::string image;
        if (!ReadWholeFile(path, image))
            DatabaseError(ErrorOpeningFileText(path));
        ReadImage(cursor, image);
        break;
    }
    case lmClear:
        if (FieldDefs.empty())
            DatabaseError(StoreMsg::NoFieldDescriptions);
        if (FieldDefs.size() > static_cast<std::size_t>(kStoreMaxDatasetFields))
            DatabaseError("Error creating table: " +
                          TooManyFieldsText(static_cast<int64_t>(FieldDefs.size())));
        try {
            CreateEmptyTable(cursor, FieldDefs);
        } catch (const EStoreError& error) {
            RaiseStoreError(error);
        }
        cursor.Notes = Notes();
        break;
    case lmStream:
    case lmClone: // a clone shares its source's storage and never reads
        TStoreDataset::ReadSource(cursor);
        break;
    }
}

namespace {

std::string Underscored(std::string name) {
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

} // namespace

int TStoreTable::CopyFrom(TDataSet* source, int mode) {
    if (!source || source == this)
        DatabaseError("Source for copying is not assigned or same as destination");
    bool openedSource = false;
    if (!source->Active()) {
        try {
            source->Open();
        } catch (const std::exception&) {
            DatabaseError("Error opening source table for copying");
        }
        openedSource = true;
    }
    source->DisableControls();
    DisableControls();
    int count = 0;
    const TScopeGuard restore([&] {
        EnableControls();
        source->EnableControls();
        if (openedSource)
            source->Close();
    });
    source->First();
    if (mode == 2 || mode == 3) {
        Close();
        FieldDefs.clear();
        for (int i = 0; i < source->FieldCount(); ++i) {
            const TField& field = source->Fields(i);
            if (!field.Calculated())
                FieldDefs.push_back({Underscored(field.FieldName()), field.DataType(), field.Size()});
        }
        if (auto* store = dynamic_cast<TStoreDataset*>(source)) {
            SetDatabase(store->Database());
            UniqueFieldNames = store->UniqueFieldNames;
            SetRangeFieldNames(store->RangeFieldNames());
            SetIndexFieldNames(store->IndexFieldNames());
            SetNotes(store->Notes());
        }
    }
    Open();
    if (mode != 3) {
        // Mode 1 needs the unique key fields in the source; otherwise it appends.
        std::vector<TField*> uniqueSource;
        std::vector<TField*> uniqueOwn;
        if (mode == 1 && !UniqueFieldNames.empty()) {
            uniqueOwn = GetFieldList(UniqueFieldNames);
            for (TField* own : uniqueOwn) {
                TField* found = nullptr;
                for (int i = 0; i < source->FieldCount() && !found; ++i)
                    if (!source->Fields(i).Calculated() &&
                        Cp1250SameText(Underscored(source->Fields(i).FieldName()), own->FieldName()))
                        found = &source->Fields(i);
                if (!found) {
                    uniqueSource.clear();
                    break;
                }
                uniqueSource.push_back(found);
            }
        }
        bool update = !uniqueSource.empty();
        std::vector<std::pair<TField*, TField*>> copied; // source, own
        for (int i = 0; i < source->FieldCount(); ++i) {
            TField& from = source->Fields(i);
            TField* to = FindField(Underscored(from.FieldName()));
            if (!to || to->Calculated() || from.Calculated())
                continue;
            if (update && std::find(uniqueOwn.begin(), uniqueOwn.end(), to) != uniqueOwn.end())
                continue;
            copied.emplace_back(&from, to);
        }
        // The records by their unique key, first in view order: every source record finds its
        // match in one look-up instead of a scan of the view (which stops being sorted with
        // the first post).
        KeyBuffer probe;
        std::unordered_map<std::string, int> byKey;
        const TStoreCursor& cursor = *Cursor();
        if (update) {
            BuildKeys(probe, UniqueFieldNames);
            byKey.reserve(FView.size());
            for (std::size_t i = 0; i < FView.size(); ++i)
                byKey.emplace(KeyIdentity(cursor, FView[i]->Values, probe.Keys), static_cast<int>(i));
        }
        FLastCopyIndexed = update;
        auto findKey = [&](const std::string& text) {
            cursor.ClearValues(probe.Values);
            if (SetKeysFromText(cursor, probe.Values, probe.Keys, text) !=
                static_cast<int>(probe.Keys.size())) {
                FLastCopyIndexed = false; // a value holding a tab: search as the key text reads
                return FindKeyIndex(UniqueFieldNames, text, 0);
            }
            const auto found = byKey.find(KeyIdentity(cursor, probe.Values, probe.Keys));
            return found == byKey.end() ? -1 : found->second;
        };
        while (!source->Eof()) {
            if (update) {
                std::string key;
                for (TField* field : uniqueSource) {
                    key += field->AsString();
                    key += '\t';
                }
                int index = findKey(key);
                if (index >= 0) {
                    SetRecNo(index + 1);
                    Edit();
                } else {
                    Append();
                    for (size_t k = 0; k < uniqueOwn.size(); ++k)
                        uniqueOwn[k]->SetAsString(uniqueSource[k]->AsString());
                }
            } else {
                Append();
            }
            for (auto& [from, to] : copied) {
                if (from->IsNull())
                    continue;
                try {
                    to->SetAsString(from->AsString());
                } catch (const EDatabaseError&) {
                    // a value that does not convert is left out
                }
            }
            Post();
            if (update && CurrentIndex() >= 0)
                byKey.emplace(
                    KeyIdentity(cursor, FView[static_cast<std::size_t>(CurrentIndex())]->Values, probe.Keys),
                    CurrentIndex());
            ++count;
            source->Next();
        }
        First();
    }
    return count;
}

} // namespace etikor
