#include "tablestore/StoreAppend.h"

#include "tablestore/StoreBytes.h"
#include "tablestore/StoreErrors.h"
#include "tablestore/StoreFile.h"
#include "tablestore/StoreFormat.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace etikor {

namespace {

[[noreturn]] void fail(const char* what, const std::string& path, int error) {
    throw EStoreFileError(std::string(what) + " \"" + path + "\": " + std::strerror(error));
}

} // namespace

TStoreAppender::~TStoreAppender() {
    if (FFd >= 0) {
        ::fsync(FFd);
        ::close(FFd);
    }
}

void TStoreAppender::Open(const std::string& path) {
    Close();
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        throw EStoreError(ErrorOpeningFileText(path));
    std::string reason;
    if (!FFields.ReadFromStream(bytes, reason))
        throw EStoreError(std::string(StoreMsg::ErrorOpeningTable) + reason);

    std::string image;
    FFields.WriteToStream(image);
    if (image != bytes)
        SaveImageToFile(path, image);
    FCount = FFields.RecordCount();
    FEnd = static_cast<int64_t>(image.size());
    FFields.ClearRecords();

    // Records follow the header, the descriptors and the note; the note is left out of the
    // scratch images so that encoding a record never copies it.
    FFields.Notes.clear();
    FFields.WriteToStream(FImage);
    FRecordStart = FImage.size();

    FFd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (FFd < 0)
        fail("Cannot open file", path, errno);
    FPath = path;
}

void TStoreAppender::Close() {
    if (FFd < 0)
        return;
    const int fd = FFd;
    FFd = -1;
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!synced)
        fail("Error writing file", FPath, error);
}

void TStoreAppender::WriteAt(int64_t offset, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t result = ::pwrite(FFd, bytes.data() + done, bytes.size() - done,
                                        static_cast<off_t>(offset) + static_cast<off_t>(done));
        if (result < 0) {
            if (errno == EINTR)
                continue;
            fail("Error writing file", FPath, errno);
        }
        done += static_cast<std::size_t>(result);
    }
}

void TStoreAppender::Append(const TStoreValues& values) {
    if (FFd < 0)
        throw EStoreError("Table file is not open for appending");
    // The record's bytes as the one writer encodes them.
    FFields.AppendRecord(values);
    FFields.WriteToStream(FImage, {}, FRecordStart + 64);
    FFields.ClearRecords();
    const std::string_view record = std::string_view(FImage).substr(FRecordStart);
    WriteAt(FEnd, record);

    // Then the header: total length, status, record count (offsets 0 to 8) in one write.
    const int64_t end = FEnd + static_cast<int64_t>(record.size());
    char header[9];
    StoreAt<uint32_t>(header, static_cast<uint32_t>(end));
    header[4] = 'S';
    StoreAt<int32_t>(header + 5, FCount + 1);
    WriteAt(0, std::string_view(header, sizeof header));
    FEnd = end;
    ++FCount;
}

} // namespace etikor
