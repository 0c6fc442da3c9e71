#pragma once

// A linked worksheet as a read-only dataset: opening reads the file (the file is never
// written), a file that cannot be read raises a database error with the reader's reason.

#include "data/DataSet.h"
#include "exchange/Worksheet.h"

#include <string>

namespace etikor {

class TWorksheetDataSet final : public TDataSet {
public:
    TWorksheetDataSet() = default;
    // The workbook or text file (full path); takes effect at the next open.
    std::string FileName;
    // After opening a .csv read as UTF-8 with stray bytes: the line of the first (0: none).
    std::size_t BadByteLine() const { return FSheet.BadByteLine; }
    // Reads a worksheet file as opening does (EWorksheetError with the reason), so that a link
    // can try a file before it replaces the open one; OpenWith then opens with what was read.
    static TWorksheet ReadFile(const std::string& fileName);
    void OpenWith(TWorksheet sheet);

protected:
    void InternalOpen() override;
    void InternalClose() override;
    int ViewCount() const override { return static_cast<int>(FSheet.Rows.size()); }
    TRecordRef ViewRecord(int index) const override {
        return FSheet.Rows.RecordOf(static_cast<std::size_t>(index));
    }
    TVariant ReadField(TRecordRef record, const TField& field) const override;

private:
    TWorksheet FSheet;
    bool FPrepared = false;
};

} // namespace etikor
