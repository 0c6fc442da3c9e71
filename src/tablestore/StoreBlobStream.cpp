#include "tablestore/StoreBlobStream.h"

#include "tablestore/StoreDataset.h"

#include <algorithm>
#include <cstring>

namespace etikor {

TStoreBlobStream::TStoreBlobStream(TStoreDataset& dataSet, TField& field, TBlobStreamMode mode,
                                   std::string bytes)
    : FDataSet(dataSet), FField(field), FMode(mode), FBytes(std::move(bytes)) {}

TStoreBlobStream::~TStoreBlobStream() {
    try {
        Flush();
    } catch (const std::exception& error) {
        ReportStoreException(error);
    }
}

void TStoreBlobStream::Flush() {
    if (!FModified)
        return;
    FModified = false;
    FDataSet.SetBlobValue(FField, FBytes);
}

std::size_t TStoreBlobStream::Read(void* buffer, std::size_t count) {
    count = std::min(count, FBytes.size() - FPosition);
    std::memcpy(buffer, FBytes.data() + FPosition, count);
    FPosition += count;
    return count;
}

std::size_t TStoreBlobStream::Write(const void* buffer, std::size_t count) {
    if (count == 0)
        return 0;
    if (FPosition + count > FBytes.size())
        FBytes.resize(FPosition + count);
    std::memcpy(FBytes.data() + FPosition, buffer, count);
    FPosition += count;
    FModified = true;
    return count;
}

std::size_t TStoreBlobStream::Seek(std::size_t position) {
    FPosition = std::min(position, FBytes.size());
    return FPosition;
}

void TStoreBlobStream::SetSize(std::size_t size) {
    FBytes.resize(size);
    FPosition = std::min(FPosition, size);
    FModified = true;
}

} // namespace etikor
