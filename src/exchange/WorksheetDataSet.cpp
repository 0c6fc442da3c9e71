#include "exchange/WorksheetDataSet.h"

#include "data/ScopeGuard.h"

#include <new>
#include <stdexcept>

namespace etikor {

void TWorksheetDataSet::OpenWith(TWorksheet sheet) {
    Close();
    FSheet = std::move(sheet);
    FPrepared = true;
    const TScopeGuard done([this] { FPrepared = false; });
    Open();
}

TWorksheet TWorksheetDataSet::ReadFile(const std::string& fileName) {
    try {
        return ReadWorksheetFile(fileName);
    } catch (const std::bad_alloc&) {
        // Within the readers' limits this takes a machine already short of memory.
        throw EWorksheetError("Not enough memory for the worksheet");
    } catch (const std::length_error&) {
        throw EWorksheetError("Not enough memory for the worksheet");
    }
}

void TWorksheetDataSet::InternalOpen() {
    if (!FPrepared) {
        try {
            FSheet = ReadFile(FileName);
        } catch (const EWorksheetError& error) {
            FSheet = {};
            DatabaseError(error.what());
        }
    }
    BindFields(FSheet.Columns);
}

void TWorksheetDataSet::InternalClose() {
    FSheet = {};
}

TVariant TWorksheetDataSet::ReadField(TRecordRef record, const TField& field) const {
    const int index = field.DataIndex();
    if (index < 0)
        return {};
    return FSheet.Rows.Value(*static_cast<const TWorksheetRows::Span*>(record),
                             static_cast<std::size_t>(index));
}

} // namespace etikor
