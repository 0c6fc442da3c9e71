#pragma once

// A memory stream over one field's value. Read and read-write streams start with the field's
// bytes, write streams empty. Writing or truncating marks the stream changed; when a changed
// stream is released its bytes become the field's value (in the edit buffer of the dataset,
// which must still be editing), and data-aware controls are told.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace etikor {

class TStoreDataset;
class TField;
enum class TBlobStreamMode : uint8_t { bmRead, bmWrite, bmReadWrite };

class TStoreBlobStream {
public:
    TStoreBlobStream(TStoreDataset& dataSet, TField& field, TBlobStreamMode mode, std::string bytes);
    TStoreBlobStream(const TStoreBlobStream&) = delete;
    TStoreBlobStream& operator=(const TStoreBlobStream&) = delete;
    // Stores a changed stream's bytes; an error goes to the store's exception handler.
    ~TStoreBlobStream();

    std::size_t Read(void* buffer, std::size_t count);
    std::size_t Write(const void* buffer, std::size_t count);
    void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }
    std::size_t Seek(std::size_t position); // clamped to the size
    std::size_t Position() const { return FPosition; }
    std::size_t Size() const { return FBytes.size(); }
    void SetSize(std::size_t size); // truncates or extends with zeros
    void Truncate() { SetSize(FPosition); }
    const std::string& Bytes() const { return FBytes; }
    bool Modified() const { return FModified; }
    // Stores the bytes now (raises), instead of at release.
    void Flush();

private:
    TStoreDataset& FDataSet;
    TField& FField;
    TBlobStreamMode FMode;
    std::string FBytes;
    std::size_t FPosition = 0;
    bool FModified = false;
};

} // namespace etikor
