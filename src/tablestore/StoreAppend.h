#pragma once

// Appending records to an existing table file without rewriting it. Each append writes the
// record's bytes after the last record and then updates the header's total length and record
// count, so at every moment the file on disk is a complete table: a process killed between the
// two writes leaves bytes after the declared records, which the reader never looks at, and the
// next open cuts them off. The file stays byte for byte what the whole-table writer would write
// for the same records.

#include "tablestore/StoreCursor.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace etikor {

class TStoreAppender {
public:
    TStoreAppender() = default;
    ~TStoreAppender();
    TStoreAppender(const TStoreAppender&) = delete;
    TStoreAppender& operator=(const TStoreAppender&) = delete;

    // Opens a table file for appending. The file is read once and checked by the ordinary
    // reader; when its bytes are not the writer's image of what it holds (bytes left after the
    // last record, a header length out of date) it is first rewritten as that image. Throws
    // EStoreError "Error opening file <path>" / "Error opening table: <reason>", or
    // EStoreFileError when the file cannot be written.
    void Open(const std::string& path);
    // Flushes the file to the disk and closes it. Also done by the destructor (errors dropped).
    void Close();
    bool IsOpen() const { return FFd >= 0; }

    // The file's field list (for building values with the cursor's setters).
    const TStoreCursor& Fields() const { return FFields; }
    TStoreValues NewValues() const { return FFields.NewValues(); }
    int32_t RecordCount() const { return FCount; }
    int64_t FileSize() const { return FEnd; }

    // Appends one record. Throws EStoreFileError when a write fails; the file then still holds
    // the records appended before.
    void Append(const TStoreValues& values);

private:
    void WriteAt(int64_t offset, std::string_view bytes);

    std::string FPath;
    int FFd = -1;
    TStoreCursor FFields;         // the field list; holds one record at a time while it is encoded
    std::size_t FRecordStart = 0; // size of the writer's image of the table without records
    std::string FImage;           // scratch image of one record
    int64_t FEnd = 0;
    int32_t FCount = 0;
};

} // namespace etikor
