#pragma once

// Table files on disk: reading a whole file, the table-name-to-path rule, and saving an image.
//
// Every save replaces the file atomically: the image goes to a temporary file in the same folder,
// is flushed to the disk and renamed over the target, so a failed save leaves the previous file
// exactly as it was. A save through a symbolic link replaces the file the link names; the file's
// permission bits are kept. A file whose folder takes no new file, or that has other hard links,
// is written in place instead (flushed; the backup copy, when asked for, is made first). Before
// an in-place write the old content is copied beside the file (".etk-DEV-INODE-rollback", named
// by the file's device and inode so every name of the file in that folder finds it; the file
// carries the copy's path in a user attribute for its names in other folders) and the copy is
// removed once the new content is on the disk: a write that fails puts the old content back at
// once, and one cut off by a kill is undone by the next read or save of the file through any
// of its names, so the file is always its complete old or complete new content. (A folder that
// takes no new file has no room for the copy: there only a failed write is undone. On a file
// system without user attributes, only the names in the written name's folder find the copy.)
//
// Temporary files are named ".etk-HHHHHHHH-RRRRRR.tmp" (24 bytes, whatever the file's name):
// H is a hash of the file's name, R random. A save holds a lock on its temporary file; the next
// save of the same file removes unlocked ones that an interrupted save left behind.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace etikor {

enum TStoreSaveOption : uint8_t {
    savAutoBackup = 1 << 0,  // copy the existing file to "<name>.~d" first
    savSlowMode = 1 << 1,    // build the image without reserving its memory in advance
    savSortOnIndex = 1 << 2, // the dataset sorts storage by IndexFieldNames before saving
};
using TStoreSaveOptions = uint8_t;

// The whole file into `bytes`. False when the file does not exist or cannot be read (the dataset
// then raises "Error opening file <path>").
bool ReadWholeFile(const std::string& path, std::string& bytes);

// True when the name holds a folder part ("/" or "\" anywhere).
bool HasFolder(std::string_view tableName);
// The name without its folder part.
std::string StripFolder(std::string_view tableName);
// A database path as kept by TStoreDatabase: with a trailing "/" added when it ends in neither
// "/" nor "\". An empty path stays empty.
std::string NormalizeDatabasePath(std::string_view path);
// The path of a table file: the name itself when it holds a folder or when there is no database
// path, otherwise the database path followed by the name.
std::string ResolveTablePath(std::string_view tableName, std::string_view databasePath);
// The auto-backup copy's name: the extension of the last path component replaced by ".~d"
// (added when there is none).
std::string BackupPathFor(std::string_view path);

// The fixed start of the temporary files of a file with this name (".etk-" + hash + "-").
std::string StoreTempPrefix(std::string_view fileName);
inline constexpr std::size_t kStoreTempRandomLength = 6;

// Test seam: called before each chunk of a save is written to the temporary file, with the
// number of bytes already written; returning false makes that write fail.
using TStoreWriteProbe = std::function<bool(std::size_t written)>;

// An empty new file beside `path`, named as a save's temporary file (so the next save of `path`
// removes one that a killed process left); its path is returned. For building a replacement of
// the file record by record.
std::string CreateStoreTempFile(const std::string& path);
// Puts the complete file `source` (from CreateStoreTempFile) in the place of `path`, keeping the
// permissions: renamed over it, or, for a file with other hard links, copied into it in place
// a chunk at a time (under a rollback copy, as a save), so a file of any size needs little
// memory. `source` is gone afterwards. Throws EStoreFileError; `path` is then as it was.
void ReplaceFileWith(const std::string& path, const std::string& source, const TStoreWriteProbe& probe = {});

// Undoes an in-place write of `path` that a killed process cut off (its rollback copy is left
// beside it); does nothing otherwise. Readers of files the store writes call it first.
void RestoreInterruptedWrite(const std::string& path);

// Writes `image` to `path` atomically, honouring savAutoBackup. Throws EStoreFileError with
// the platform's reason; the old file (and an older backup copy) stay as they were then.
void SaveImageToFile(const std::string& path, std::string_view image, TStoreSaveOptions options = 0,
                     const TStoreWriteProbe& probe = {});

} // namespace etikor

namespace etikor {

class TStoreCursor;
using TStoreProgress = std::function<void(int percent)>;

// Builds the cursor's image in memory (reserved at records × RecordSize × 5 bytes unless
// savSlowMode) and saves it with SaveImageToFile. Storage order is written as it stands: with
// savSortOnIndex the caller sorts storage first.
void SaveCursorToFile(const TStoreCursor& cursor, const std::string& path, TStoreSaveOptions options = 0,
                      const TStoreProgress& progress = {}, const TStoreWriteProbe& probe = {});

} // namespace etikor
