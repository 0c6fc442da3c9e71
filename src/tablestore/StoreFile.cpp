#include "tablestore/StoreFile.h"

#include "tablestore/StoreCursor.h"
#include "tablestore/StoreErrors.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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

// Writes `bytes` to a new temporary file beside `path` and renames it over `path`. The target
// is only ever replaced by a complete, flushed file.
void replaceFile(const std::string& path, std::string_view bytes, const TStoreWriteProbe& probe) {
    const std::size_t slash = lastSeparator(path);
    const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);

    // A file the user may not write stays as it is, as it would if it were written in place.
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0)
        fail("Cannot create file", path, errno);

    std::string temp = path + ".XXXXXX";
    FileHandle file;
    file.fd = ::mkstemp(temp.data());
    if (file.fd < 0)
        fail("Cannot create file", path, errno);

    auto abandon = [&](const char* what, int error) {
        ::close(file.release());
        ::unlink(temp.c_str());
        fail(what, path, error);
    };

    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat existing {};
    mode_t mode = 0;
    if (::stat(path.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
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
    if (::close(file.release()) != 0) {
        const int closeError = errno;
        ::unlink(temp.c_str());
        fail("Error writing file", path, closeError);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temp.c_str());
        fail("Cannot create file", path, renameError);
    }
    // Make the rename itself durable.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes) {
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
    if (!(options & savSlowMode))
        reserve = static_cast<std::size_t>(cursor.RecordCount()) *
                  static_cast<std::size_t>(cursor.RecordSize()) * 5;
    std::string image;
    cursor.WriteToStream(image, progress, reserve);
    SaveImageToFile(path, image, options, probe);
}

} // namespace etikor
