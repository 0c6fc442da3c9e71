#include "exchange/WorksheetDataSet.h"

namespace etikor {

void TWorksheetDataSet::InternalOpen() {
    try {
        FSheet = ReadWorksheetFile(FileName);
    } catch (const EWorksheetError& error) {
        FSheet = {};
        DatabaseError(error.what());
    }
    BindFields(FSheet.Columns);
}

void TWorksheetDataSet::InternalClose() {
    FSheet = {};
}

TVariant TWorksheetDataSet::ReadField(TRecordRef record, const TField& field) const {
    const auto& row = *static_cast<const std::vector<TVariant>*>(record);
    const int index = field.DataIndex();
    return index >= 0 && static_cast<std::size_t>(index) < row.size() ? row[static_cast<std::size_t>(index)]
                                                                      : TVariant();
}

} // namespace etikor
