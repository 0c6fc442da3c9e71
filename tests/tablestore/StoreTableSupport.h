#pragma once

// Helpers of the dataset-level table-store tests: tables built through the ordinary lmClear
// path, filled row by row, and read back as lists of texts.

#include "data/FormatSettings.h"
#include "support/ErrorOf.h"
#include "tablestore/StoreTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace etikor::test {

// Appends one record with these texts in field order ("" leaves a field empty).
inline void AddRow(TStoreDataset& table, const std::vector<std::string>& texts) {
    table.Append();
    for (size_t i = 0; i < texts.size(); ++i)
        if (!texts[i].empty())
            table.Fields(static_cast<int>(i)).SetAsString(texts[i]);
    table.Post();
}

// A new lmClear table with these fields and rows.
inline void MakeTable(TStoreTable& table, TFieldDefs defs,
                      const std::vector<std::vector<std::string>>& rows = {}) {
    table.SetTableName("");
    table.FieldDefs = std::move(defs);
    table.Open();
    for (const auto& row : rows)
        AddRow(table, row);
}

// The texts of one field over the view, in view order; the position is kept.
inline std::vector<std::string> Column(TStoreDataset& table, const std::string& field) {
    std::vector<std::string> texts;
    for (int i = 0; i < table.RecordCount(); ++i)
        texts.push_back(table.ValueAt(i, table.FieldByName(field)).ToString());
    return texts;
}

using Texts = std::vector<std::string>;

// A read-only dataset that is not a store dataset: fixed rows of variants.
class AnyDataSet : public TDataSet {
public:
    TFieldDefs Defs;
    std::vector<std::vector<TVariant>> Rows;
    bool FailOpen = false;

    AnyDataSet() = default;
    AnyDataSet(TFieldDefs defs, std::vector<std::vector<TVariant>> rows)
        : Defs(std::move(defs)), Rows(std::move(rows)) {}
    ~AnyDataSet() override { Close(); }

protected:
    void InternalOpen() override {
        if (FailOpen)
            DatabaseError("cannot open");
        BindFields(Defs);
    }
    void InternalClose() override {}
    int ViewCount() const override { return static_cast<int>(Rows.size()); }
    TRecordRef ViewRecord(int index) const override { return &Rows[static_cast<size_t>(index)]; }
    TVariant ReadField(TRecordRef record, const TField& field) const override {
        return (*static_cast<const std::vector<TVariant>*>(record))[static_cast<size_t>(field.DataIndex())];
    }
};

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override { SetFormatSettings(TFormatSettings::Invariant()); }
};

} // namespace etikor::test
