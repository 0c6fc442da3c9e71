#include "tablestore/StoreFile.h"

#include "tablestore/StoreCursor.h"
#include "tablestore/StoreErrors.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace etikor {

namespace {

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

std::size_t lastSeparator(std::string_view path) {
    return path.find_last_of("/\\");
}

std::string errnoText(int error) {
    return std::strerror(error);
}

[[noreturn]] void fail(const std::string& what, const std::string& path, int error) {
    throw EStoreFileError(what + " \"" + path + "\": " + errnoText(error));
}

// Closes a descriptor when it goes out of scope.
struct FileHandle {
    int fd = -1;
    ~FileHandle() {
        if (fd >= 0)
            ::close(fd);
    }
    int release() {
        const int result = fd;
        fd = -1;
        return result;
    }
};

bool writeAll(int fd, const char* data, std::size_t size, std::size_t& written, const TStoreWriteProbe& probe,
              int& error) {
    constexpr std::size_t kChunk = 1 << 20;
    while (written < size) {
        if (probe && !probe(written)) {
            error = EIO;
            return false;
        }
        const std::size_t chunk = std::min(kChunk, size - written);
        const ssize_t result = ::write(fd, data + written, chunk);
        if (result < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        written += static_cast<std::size_t>(result);
    }
    return true;
}

// The path a save writes to: symbolic links followed to the file they name, so that the link
// stays a link. A dangling link names the file to create.
std::string followLinks(const std::string& path) {
    std::string current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size())
            return current; // changed meanwhile: let the open report it
        target.resize(static_cast<std::size_t>(length));
        const std::size_t slash = current.rfind('/');
        if (target.empty() || target[0] == '/' || slash == std::string::npos)
            current = target;
        else
            current = current.substr(0, slash + 1) + target;
    }
    return current; // a loop: the open fails with ELOOP
}

uint32_t nameHash(std::string_view name) {
    uint32_t hash = 2166136261u; // FNV-1a
    for (unsigned char c : name) {
        hash ^= c;
        hash *= 16777619u;
    }
    return hash;
}

bool writeAllAt(int fd, std::string_view bytes) {
    std::size_t written = 0;
    int error = 0;
    return ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, bytes.data(), bytes.size(), written, {}, error) &&
           ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

void syncFolder(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

bool readFile(const std::string& path, std::string& bytes) {
    FileHandle file;
    file.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file.fd < 0)
        return false;
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    bytes.clear();
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (true) {
        if (done == bytes.size())
            bytes.resize(bytes.size() + 65536); // the file grew meanwhile
        const ssize_t result = ::read(file.fd, bytes.data() + done, bytes.size() - done);
        if (result < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (result == 0)
            break;
        done += static_cast<std::size_t>(result);
    }
    bytes.resize(done);
    return true;
}

// The rollback copy of a file written in place: its second line names the file by device,
// inode and birth time (where the file system keeps one), so that every hard-link name finds
// it and a later file that reuses the inode is never given it; the rest is the old content.
constexpr std::string_view kRollbackMark = "etikor-rollback\n";
// Set on the file while its rollback copy exists: the copy's full path, for names of the file
// in other folders (the copy lies beside the name that was written). File systems without user
// attributes have only the copy beside the name.
constexpr const char* kRollbackAttribute = "user.etikor.rollback";

std::string folderOf(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    return slash == std::string::npos ? std::string("./") : target.substr(0, slash + 1);
}

std::string nameOf(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    return slash == std::string::npos ? target : target.substr(slash + 1);
}

struct TFileIdentity {
    dev_t Device = 0;
    ino_t Inode = 0;
    std::string Born; // "seconds.nanoseconds", or empty where the file system keeps none

    std::string Line() const {
        return std::to_string(static_cast<unsigned long long>(Device)) + " " +
               std::to_string(static_cast<unsigned long long>(Inode)) + " " + Born;
    }
};

// `fd` >= 0: that open file; otherwise `path`.
bool identityOf(int fd, const std::string& path, TFileIdentity& identity) {
    struct statx info {};
    const int result = fd >= 0 ? ::statx(fd, "", AT_EMPTY_PATH, STATX_INO | STATX_BTIME, &info)
                               : ::statx(AT_FDCWD, path.c_str(), 0, STATX_INO | STATX_BTIME, &info);
    if (result != 0)
        return false;
    identity.Device = makedev(info.stx_dev_major, info.stx_dev_minor);
    identity.Inode = static_cast<ino_t>(info.stx_ino);
    identity.Born.clear();
    if (info.stx_mask & STATX_BTIME)
        identity.Born = std::to_string(info.stx_btime.tv_sec) + "." + std::to_string(info.stx_btime.tv_nsec);
    return true;
}

std::string rollbackPathFor(const std::string& folder, const TFileIdentity& identity) {
    char text[64];
    std::snprintf(text, sizeof text, ".etk-%llx-%llx-rollback",
                  static_cast<unsigned long long>(identity.Device),
                  static_cast<unsigned long long>(identity.Inode));
    return folder + text;
}

std::string rollbackHeader(const TFileIdentity& identity) {
    return std::string(kRollbackMark) + identity.Line() + "\n";
}

// Copies everything from `from` (read from `offset` on) to `to` (written where it stands), a
// chunk at a time, so a file of any size needs little memory.
bool copyContent(int from, off_t offset, int to, std::size_t& written, const TStoreWriteProbe& probe,
                 int& error) {
    constexpr std::size_t kChunk = 1 << 20;
    std::string buffer(kChunk, '\0');
    while (true) {
        if (probe && !probe(written)) {
            error = EIO;
            return false;
        }
        const ssize_t got = ::pread(from, buffer.data(), kChunk, offset + static_cast<off_t>(written));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        if (got == 0)
            return true;
        std::size_t done = 0;
        if (!writeAll(to, buffer.data(), static_cast<std::size_t>(got), done, {}, error))
            return false;
        written += done;
    }
}

// The whole content of `from` (read from `offset` on) in place of the content of `to`, flushed.
bool replaceContent(int from, off_t offset, int to) {
    std::size_t written = 0;
    int error = 0;
    return ::lseek(to, 0, SEEK_SET) == 0 && copyContent(from, offset, to, written, {}, error) &&
           ::ftruncate(to, static_cast<off_t>(written)) == 0 && ::fsync(to) == 0;
}

// What the copy at `rollback` did for the file `target` (of `identity`).
enum class TRollback { Missing, Busy, Foreign, Restored, Failed };

TRollback restoreFrom(const std::string& target, const TFileIdentity& identity, const std::string& rollback) {
    FileHandle copy;
    copy.fd = ::open(rollback.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (copy.fd < 0)
        return errno == ENOENT ? TRollback::Missing : TRollback::Failed;
    // A copy locked by a write still in progress is left alone.
    if (::flock(copy.fd, LOCK_EX | LOCK_NB) != 0)
        return TRollback::Busy;
    char head[256];
    const ssize_t got = ::pread(copy.fd, head, sizeof head, 0);
    const std::string_view text(head, got > 0 ? static_cast<std::size_t>(got) : 0);
    const std::size_t lineEnd = text.find('\n', kRollbackMark.size());
    if (!text.starts_with(kRollbackMark) || lineEnd == std::string_view::npos)
        return TRollback::Foreign;
    const std::string_view line = text.substr(kRollbackMark.size(), lineEnd - kRollbackMark.size());
    if (line != identity.Line()) {
        // The same inode born at another time: the file the copy was made for is gone.
        const std::string inode = identity.Line().substr(0, identity.Line().rfind(' ') + 1);
        if (!identity.Born.empty() && line.starts_with(inode))
            ::unlink(rollback.c_str());
        return TRollback::Foreign;
    }
    FileHandle file;
    file.fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (file.fd < 0 || !replaceContent(copy.fd, static_cast<off_t>(lineEnd + 1), file.fd))
        return TRollback::Failed;
    ::unlink(rollback.c_str());
    syncFolder(folderOf(rollback));
    return TRollback::Restored;
}

// Puts back the old content of a file whose in-place write was cut off: the rollback copy is
// looked for beside this name and where the file's attribute says (beside another name).
void restoreFromRollback(const std::string& target) {
    TFileIdentity identity;
    if (!identityOf(-1, target, identity))
        return;
    if (restoreFrom(target, identity, rollbackPathFor(folderOf(target), identity)) == TRollback::Restored) {
        ::removexattr(target.c_str(), kRollbackAttribute);
        return;
    }
    char pointed[4096];
    const ssize_t length = ::getxattr(target.c_str(), kRollbackAttribute, pointed, sizeof pointed);
    if (length <= 0)
        return;
    const TRollback result =
        restoreFrom(target, identity, std::string(pointed, static_cast<std::size_t>(length)));
    if (result == TRollback::Restored || result == TRollback::Missing || result == TRollback::Foreign)
        ::removexattr(target.c_str(), kRollbackAttribute); // done, or pointing at nothing of ours
}

// The new content of a file: bytes in memory, or a whole file read a chunk at a time.
struct TNewContent {
    std::string_view Bytes;
    int Fd = -1;
};

bool writeContent(int fd, const TNewContent& content, const TStoreWriteProbe& probe, std::size_t& written,
                  int& error) {
    if (content.Fd >= 0)
        return copyContent(content.Fd, 0, fd, written, probe, error);
    return writeAll(fd, content.Bytes.data(), content.Bytes.size(), written, probe, error);
}

// Writes the new content into the file itself: for a file whose folder cannot take a new
// file, or that has other hard links a rename would detach. The old content is first copied
// beside the file (complete and flushed, or not at all) and the copy removed once the new
// content is flushed, so a write cut off by a kill is undone by the next read or save of the
// file through any of its names; a write that fails (a full disk) puts the old content back
// at once. Neither content is held in memory whole (only where no copy can be made, the old
// one is, to undo a failed write).
void writeInPlace(const std::string& target, const std::string& shownPath, const TNewContent& content,
                  const TStoreWriteProbe& probe) {
    FileHandle file;
    file.fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC);
    TFileIdentity identity;
    if (file.fd < 0 || !identityOf(file.fd, target, identity))
        fail("Cannot create file", shownPath, errno);

    // The copy goes under a temporary name and is renamed when complete. A folder that takes no
    // new file gets no copy: the write is then undone only when it fails, not after a kill.
    const std::string folder = folderOf(target);
    const std::string rollback = rollbackPathFor(folder, identity);
    const std::string header = rollbackHeader(identity);
    std::string old;
    FileHandle copy;
    {
        std::string temp =
            folder + StoreTempPrefix(nameOf(target)) + std::string(kStoreTempRandomLength, 'X') + ".tmp";
        copy.fd = ::mkostemps(temp.data(), 4, O_CLOEXEC);
        if (copy.fd < 0 && errno != EACCES && errno != EPERM && errno != EROFS)
            fail("Cannot create file", shownPath, errno);
        if (copy.fd >= 0) {
            ::flock(copy.fd, LOCK_EX | LOCK_NB);
            std::size_t written = 0;
            int error = 0;
            if (!writeAll(copy.fd, header.data(), header.size(), written, {}, error) ||
                !(written = 0, copyContent(file.fd, 0, copy.fd, written, {}, error)) ||
                ::fsync(copy.fd) != 0 || ::rename(temp.c_str(), rollback.c_str()) != 0) {
                if (error == 0)
                    error = errno;
                ::unlink(temp.c_str());
                fail("Error writing file", shownPath, error); // the file is untouched
            }
            syncFolder(folder);
            // For the file's names in other folders; where the file system keeps no user
            // attributes only this folder's names find the copy.
            char* full = ::realpath(rollback.c_str(), nullptr);
            if (full) {
                if (::fsetxattr(file.fd, kRollbackAttribute, full, std::strlen(full), 0) == 0)
                    ::fsync(file.fd);
                std::free(full);
            }
        } else if (!readFile(target, old)) {
            fail("Cannot create file", shownPath, errno);
        }
    }

    auto done = [&] {
        ::unlink(rollback.c_str());
        syncFolder(folder);
        ::fremovexattr(file.fd, kRollbackAttribute);
    };
    // A copy whose content could not be put back (the disk still full) stays for the next read
    // or save to restore.
    auto undo = [&](const char* what, int error) {
        if (copy.fd >= 0) {
            if (replaceContent(copy.fd, static_cast<off_t>(header.size()), file.fd))
                done();
        } else {
            writeAllAt(file.fd, old);
        }
        fail(what, shownPath, error);
    };
    std::size_t written = 0;
    int error = 0;
    if (::lseek(file.fd, 0, SEEK_SET) != 0 || !writeContent(file.fd, content, probe, written, error))
        undo("Error writing file", error != 0 ? error : errno);
    if (::ftruncate(file.fd, static_cast<off_t>(written)) != 0 || ::fsync(file.fd) != 0)
        undo("Error writing file", errno);
    if (copy.fd >= 0)
        done();
    if (::close(file.release()) != 0)
        fail("Error writing file", shownPath, errno);
}

// Removes temporary files that an interrupted save of the same file left in the folder. A
// save in progress holds a lock on its temporary file, so only abandoned ones go.
void removeAbandonedTemps(const std::string& folder, const std::string& prefix) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() != prefix.size() + kStoreTempRandomLength + 4 || !name.starts_with(prefix) ||
            !name.ends_with(".tmp"))
            continue;
        const std::string path = folder + std::string(name);
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

// Writes `bytes` to a new temporary file beside the file and renames it over it, so the file is
// only ever replaced by a complete, flushed one; or writes in place where a rename would fail or
// detach other names of the file.
void replaceFile(const std::string& path, std::string_view bytes, const TStoreWriteProbe& probe) {
    const std::string target = followLinks(path);
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string("./") : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);

    restoreFromRollback(target);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    // A file the user may not write stays as it is, as it would if it were written in place.
    if (exists && ::access(target.c_str(), W_OK) != 0)
        fail("Cannot create file", path, errno);
    const std::string prefix = StoreTempPrefix(name);
    removeAbandonedTemps(folder, prefix);
    if (exists && existing.st_nlink > 1) {
        writeInPlace(target, path, {bytes}, probe);
        return;
    }

    std::string temp = folder + prefix + std::string(kStoreTempRandomLength, 'X') + ".tmp";
    FileHandle file;
    file.fd = ::mkostemps(temp.data(), 4, O_CLOEXEC);
    if (file.fd < 0) {
        const int error = errno;
        if (exists && (error == EACCES || error == EPERM || error == EROFS)) {
            writeInPlace(target, path, {bytes}, probe); // the folder takes no new file
            return;
        }
        fail("Cannot create file", path, error);
    }
    // Held until the rename: a save of the same file elsewhere leaves this one alone.
    ::flock(file.fd, LOCK_EX | LOCK_NB);

    auto abandon = [&](const char* what, int error) {
        ::unlink(temp.c_str());
        fail(what, path, error);
    };

    // Keep the permissions (and, where allowed, the owner) of the file being replaced; a new
    // file gets the usual ones.
    mode_t mode = 0;
    if (exists) {
        mode = existing.st_mode & 07777;
        if (::fchown(file.fd, existing.st_uid, existing.st_gid) != 0) {
            // Only the owner's own files can be given away; the saver then owns the new one.
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(file.fd, mode) != 0)
        abandon("Cannot create file", errno);

    std::size_t written = 0;
    int error = 0;
    if (!writeAll(file.fd, bytes.data(), bytes.size(), written, probe, error))
        abandon("Error writing file", error);
    if (::fsync(file.fd) != 0)
        abandon("Error writing file", errno);
    if (::rename(temp.c_str(), target.c_str()) != 0)
        abandon("Cannot create file", errno);
    if (::close(file.release()) != 0)
        fail("Error writing file", path, errno);
    // Make the rename itself durable.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace

void RestoreInterruptedWrite(const std::string& path) {
    restoreFromRollback(followLinks(path));
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    RestoreInterruptedWrite(path);
    return readFile(path, bytes);
}

bool HasFolder(std::string_view tableName) {
    return lastSeparator(tableName) != std::string_view::npos;
}

std::string StripFolder(std::string_view tableName) {
    const std::size_t slash = lastSeparator(tableName);
    return std::string(slash == std::string_view::npos ? tableName : tableName.substr(slash + 1));
}

std::string NormalizeDatabasePath(std::string_view path) {
    std::string result(path);
    if (!result.empty() && !isSeparator(result.back()))
        result += '/';
    return result;
}

std::string ResolveTablePath(std::string_view tableName, std::string_view databasePath) {
    if (HasFolder(tableName) || databasePath.empty())
        return std::string(tableName);
    return NormalizeDatabasePath(databasePath) + std::string(tableName);
}

std::string StoreTempPrefix(std::string_view fileName) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(nameHash(fileName)));
    return ".etk-" + std::string(text) + "-";
}

std::string BackupPathFor(std::string_view path) {
    const std::size_t slash = lastSeparator(path);
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = path.find_last_of('.');
    std::string result(path);
    if (dot != std::string_view::npos && dot > nameStart)
        result.resize(dot);
    result += ".~d";
    return result;
}

std::string CreateStoreTempFile(const std::string& path) {
    const std::string target = followLinks(path);
    std::string temp = folderOf(target) + StoreTempPrefix(nameOf(target)) +
                       std::string(kStoreTempRandomLength, 'X') + ".tmp";
    FileHandle file;
    file.fd = ::mkostemps(temp.data(), 4, O_CLOEXEC);
    if (file.fd < 0)
        fail("Cannot create file", path, errno);
    return temp;
}

void ReplaceFileWith(const std::string& path, const std::string& source, const TStoreWriteProbe& probe) {
    const std::string target = followLinks(path);
    restoreFromRollback(target);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        const int error = errno;
        ::unlink(source.c_str());
        fail("Cannot create file", path, error);
    }
    if (exists) {
        if (::chmod(source.c_str(), existing.st_mode & 07777) != 0) {
            // The new file keeps the usual permissions.
        }
        if (::chown(source.c_str(), existing.st_uid, existing.st_gid) != 0) {
            // Only the owner's own files can be given away.
        }
    } else {
        // A new file gets the usual permissions, not the private ones of a temporary file.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::chmod(source.c_str(), 0666 & ~mask) != 0) {
            // It stays readable by its owner.
        }
    }
    if (!(exists && existing.st_nlink > 1) && ::rename(source.c_str(), target.c_str()) == 0) {
        syncFolder(folderOf(target));
        return;
    }
    // Other names of the file would be detached by a rename: the content is copied into it.
    FileHandle from;
    from.fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (from.fd < 0) {
        const int error = errno;
        ::unlink(source.c_str());
        fail("Error reading file", source, error);
    }
    struct RemoveSource {
        const std::string& Path;
        ~RemoveSource() { ::unlink(Path.c_str()); }
    } removeSource{source};
    writeInPlace(target, path, {{}, from.fd}, probe);
}

void SaveImageToFile(const std::string& path, std::string_view image, TStoreSaveOptions options,
                     const TStoreWriteProbe& probe) {
    if (options & savAutoBackup) {
        std::string previous;
        if (ReadWholeFile(path, previous))
            replaceFile(BackupPathFor(path), previous, {});
    }
    replaceFile(path, image, probe);
}

void SaveCursorToFile(const TStoreCursor& cursor, const std::string& path, TStoreSaveOptions options,
                      const TStoreProgress& progress, const TStoreWriteProbe& probe) {
    std::size_t reserve = 0;
    if (!(options & savSlowMode)) {
        // Five times the raw record data, but never more than the image can take: records of a
        // wide table with few values would otherwise reserve far more than their file.
        reserve = static_cast<std::size_t>(cursor.RecordCount()) *
                  static_cast<std::size_t>(cursor.RecordSize()) * 5;
        std::size_t bound = 64 + cursor.Notes.size();
        for (const TStoreField& field : cursor.Fields())
            bound += field.Name.size() + 16;
        for (const TStoreRecord* record : cursor.Records())
            bound += static_cast<std::size_t>(cursor.FieldCount()) + record->Values.Size() +
                     4 * static_cast<std::size_t>(cursor.FieldCount());
        reserve = std::min(reserve, bound);
    }
    std::string image;
    cursor.WriteToStream(image, progress, reserve);
    SaveImageToFile(path, image, options, probe);
}

} // namespace etikor
