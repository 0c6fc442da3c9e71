#include "tablestore/StoreFile.h"

#include "StoreTestSupport.h"
#include "support/KilledSave.h"
#include "support/TempDir.h"
#include "tablestore/StoreErrors.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// The largest block asked of operator new while one is watched: a file copied whole into memory
// shows as one block of its size.
namespace {
std::atomic<bool> gWatchAllocations{false};
std::atomic<std::size_t> gLargestAllocation{0};
} // namespace

void* operator new(std::size_t size) {
    if (gWatchAllocations.load(std::memory_order_relaxed) &&
        size > gLargestAllocation.load(std::memory_order_relaxed))
        gLargestAllocation.store(size, std::memory_order_relaxed);
    if (void* block = std::malloc(size > 0 ? size : 1))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

namespace etikor {
namespace {

using namespace etikor::test;
namespace fs = std::filesystem;

TEST(StoreFile, PathRules) {
    // A name with a folder is used as it is; a bare name goes into the database folder.
    const struct {
        const char* table;
        const char* database;
        const char* path;
    } rows[] = {
        {"/data/Sorozat0.sor", "/other/", "/data/Sorozat0.sor"},
        {"C:\\Etikor\\Sor\\Sorozat0.sor", "/other/", "C:\\Etikor\\Sor\\Sorozat0.sor"},
        {"Sorozat0.sor", "", "Sorozat0.sor"},
        {"Sorozat0.sor", "/data/", "/data/Sorozat0.sor"},
        {"Sorozat0.sor", "/data", "/data/Sorozat0.sor"},
        {"Sorozat0.sor", "C:\\data\\", "C:\\data\\Sorozat0.sor"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ResolveTablePath(row.table, row.database), row.path) << row.table << " in " << row.database;

    EXPECT_EQ(NormalizeDatabasePath("/data"), "/data/");
    EXPECT_EQ(NormalizeDatabasePath("/data/"), "/data/");
    EXPECT_EQ(NormalizeDatabasePath("C:\\x\\"), "C:\\x\\");
    EXPECT_EQ(NormalizeDatabasePath(""), "");
    EXPECT_EQ(StripFolder("/a/b/T1.sor"), "T1.sor");
    EXPECT_EQ(StripFolder("C:\\a\\T1.sor"), "T1.sor");
    EXPECT_EQ(StripFolder("T1.sor"), "T1.sor");
    EXPECT_TRUE(HasFolder("a/b"));
    EXPECT_FALSE(HasFolder("b.sor"));
}

TEST(StoreFile, BackupNameReplacesTheExtension) {
    EXPECT_EQ(BackupPathFor("/data/Sorozat0.sor"), "/data/Sorozat0.~d");
    EXPECT_EQ(BackupPathFor("/data/a.b/noext"), "/data/a.b/noext.~d");
    EXPECT_EQ(BackupPathFor("nytemp.tmp"), "nytemp.~d");
    EXPECT_EQ(BackupPathFor("/data/.hidden"), "/data/.hidden.~d");
}

TEST(StoreFile, ReadWholeFile) {
    TempDir dir;
    std::string bytes = "junk";
    EXPECT_FALSE(ReadWholeFile(dir.file("missing.sor"), bytes));
    EXPECT_FALSE(ReadWholeFile(dir.path().string(), bytes)); // a folder is no table file
    const std::string content("S\0\x12\xFF", 4);
    WriteFileBytes(dir.file("x.sor"), content);
    ASSERT_TRUE(ReadWholeFile(dir.file("x.sor"), bytes));
    EXPECT_EQ(bytes, content);
    EXPECT_EQ(ErrorOpeningFileText("/p/x.sor"), "Error opening file /p/x.sor");
}

TEST(StoreFile, SaveReplacesTheFileAndKeepsItsPermissions) {
    TempDir dir;
    const std::string path = dir.file("T1.sor");
    SaveImageToFile(path, "first");
    EXPECT_EQ(ReadFileBytes(path), "first");
    ::chmod(path.c_str(), 0640);
    SaveImageToFile(path, "second, longer");
    EXPECT_EQ(ReadFileBytes(path), "second, longer");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    // Nothing but the file itself is left in the folder.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST(StoreFile, AutoBackupCopiesThePreviousFile) {
    TempDir dir;
    const std::string path = dir.file("Sorozat0.sor");
    SaveImageToFile(path, "v1", savAutoBackup); // no previous file: no copy
    EXPECT_FALSE(fs::exists(dir.file("Sorozat0.~d")));
    SaveImageToFile(path, "v2", savAutoBackup);
    EXPECT_EQ(ReadFileBytes(dir.file("Sorozat0.~d")), "v1");
    SaveImageToFile(path, "v3", savAutoBackup);
    EXPECT_EQ(ReadFileBytes(dir.file("Sorozat0.~d")), "v2");
    EXPECT_EQ(ReadFileBytes(path), "v3");
}

TEST(StoreFile, FailedWriteLeavesTheOldFileIntact) {
    TempDir dir;
    const std::string path = dir.file("T1.sor");
    SaveImageToFile(path, "the old table");
    // An image of several write chunks; the write fails after the first chunk went out.
    const std::string image(3u << 20, 'x');
    try {
        SaveImageToFile(path, image, 0, [](std::size_t written) { return written == 0; });
        FAIL() << "no error";
    } catch (const EStoreFileError& error) {
        EXPECT_NE(std::string(error.what()).find("T1.sor"), std::string::npos) << error.what();
    }
    EXPECT_EQ(ReadFileBytes(path), "the old table");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1); // the temporary file is gone
}

int countFiles(const fs::path& folder) {
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++files;
    return files;
}

// A save through a symbolic link replaces the file the link names; the link stays a link.
TEST(StoreFile, SaveThroughASymbolicLink) {
    TempDir dir;
    fs::create_directory(dir.path() / "real");
    const std::string target = dir.file("real/T1.sor");
    SaveImageToFile(target, "old");
    ::chmod(target.c_str(), 0600);
    fs::create_symlink("real/T1.sor", dir.path() / "link.sor"); // relative to the link's folder
    fs::create_symlink(dir.path() / "link.sor", dir.path() / "chain.sor");
    SaveImageToFile(dir.file("link.sor"), "through the link");
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.sor"));
    EXPECT_EQ(ReadFileBytes(target), "through the link");
    SaveImageToFile(dir.file("chain.sor"), "through two links");
    EXPECT_TRUE(fs::is_symlink(dir.path() / "chain.sor"));
    EXPECT_EQ(ReadFileBytes(target), "through two links");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(countFiles(dir.path() / "real"), 1);
    // A dangling link names the file to create.
    fs::create_symlink("real/new.sor", dir.path() / "dangling.sor");
    SaveImageToFile(dir.file("dangling.sor"), "created");
    EXPECT_TRUE(fs::is_symlink(dir.path() / "dangling.sor"));
    EXPECT_EQ(ReadFileBytes(dir.file("real/new.sor")), "created");
}

// A file with other hard links is written in place: every name keeps showing the table.
TEST(StoreFile, HardLinkedFileIsWrittenInPlace) {
    TempDir dir;
    const std::string path = dir.file("T1.sor");
    SaveImageToFile(path, "a longer old content");
    fs::create_hard_link(path, dir.path() / "other.sor");
    const auto inode = [](const std::string& p) {
        struct stat info {};
        ::stat(p.c_str(), &info);
        return info.st_ino;
    };
    const auto before = inode(path);
    SaveImageToFile(path, "new", savAutoBackup);
    EXPECT_EQ(ReadFileBytes(path), "new");
    EXPECT_EQ(ReadFileBytes(dir.file("other.sor")), "new");
    EXPECT_EQ(inode(path), before);
    EXPECT_EQ(ReadFileBytes(dir.file("T1.~d")), "a longer old content"); // the backup came first
}

// A hard-linked file written in place whose write fails part-way (a full disk): the old content
// is put back at once and no rollback copy is left.
TEST(StoreFile, FailedInPlaceWritePutsTheOldContentBack) {
    TempDir dir;
    const std::string path = dir.file("T1.sor");
    const std::string old(5u << 20, 'o');
    SaveImageToFile(path, old);
    fs::create_hard_link(path, dir.path() / "other.sor");
    const std::string image(3u << 20, 'x');
    EXPECT_THROW(SaveImageToFile(path, image, 0, [](std::size_t written) { return written == 0; }),
                 EStoreFileError);
    EXPECT_EQ(ReadFileBytes(dir.file("other.sor")), old);
    EXPECT_EQ(countFiles(dir.path()), 2);
}

// A 3 MiB table at path with a second name, "other.sor", beside it; returns its content.
std::string LinkedTable(const TempDir& dir, const std::string& path) {
    const std::string old(3u << 20, 'o');
    SaveImageToFile(path, old);
    fs::create_hard_link(path, dir.path() / "other.sor");
    return old;
}

// A failed in-place write whose old content cannot be put back either (the disk still full):
// the rollback copy stays, and the next read restores the complete old content.
TEST(StoreFile, FailedInPlaceWriteThatCannotBeUndoneKeepsTheRollbackCopy) {
    TempDir dir;
    const std::string path = dir.file("T1.sor");
    const std::string old = LinkedTable(dir, path);
    const pid_t child = fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const std::string image(4u << 20, 'x');
        try {
            SaveImageToFile(path, image, 0, [](std::size_t written) {
                if (written < (2u << 20))
                    return true;
                // 2 MiB of the new content are in; no file may now grow past 1 MiB, so putting
                // the old 3 MiB back fails too.
                const rlimit limit{1u << 20, 1u << 20};
                ::setrlimit(RLIMIT_FSIZE, &limit);
                return false;
            });
        } catch (const EStoreFileError&) {
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
    ASSERT_NE(ReadFileBytes(dir.file("other.sor")), old);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, old);
    EXPECT_EQ(ReadFileBytes(dir.file("other.sor")), old);
    EXPECT_EQ(countFiles(dir.path()), 2);
}

// ReplaceFileWith of `path` by a new file of `size` bytes, killed part-way.
bool ReplaceKilledPartWay(const std::string& path, std::size_t size) {
    return KilledPartWay([&](const TStoreWriteProbe& probe) {
        const std::string source = CreateStoreTempFile(path);
        WriteFileBytes(source, std::string(size, 'r'));
        ReplaceFileWith(path, source, probe);
    });
}

// A process killed in the middle of an in-place write (a save, or a file put in the place of
// the table) leaves a cut file and the rollback copy; the next read or save of the file,
// through the name written or any other of its names, here or in another folder, restores the
// complete old content first.
TEST(StoreFile, InPlaceWriteCutOffByAKillIsUndoneByTheNextReadOrSave) {
    enum class TNext { Read, Save };
    const struct {
        const char* What;
        bool Replace;     // cut off in ReplaceFileWith instead of a save
        const char* Name; // the name the next read or save goes through
        TNext Next;
    } cases[] = {
        {"save cut, read", false, "T1.sor", TNext::Read},
        {"save cut, saved", false, "T1.sor", TNext::Save},
        {"save cut, read through the other name", false, "other.sor", TNext::Read},
        {"save cut, saved through the other name", false, "other.sor", TNext::Save},
        {"save cut, read through a name in another folder", false, "elsewhere/third.sor", TNext::Read},
        {"replace cut, read", true, "T1.sor", TNext::Read},
        {"replace cut, read through the other name", true, "other.sor", TNext::Read},
        {"replace cut, saved through a name in another folder", true, "elsewhere/third.sor", TNext::Save},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        TempDir dir;
        const std::string path = dir.file("T1.sor");
        const std::string old = LinkedTable(dir, path);
        fs::create_directory(dir.path() / "elsewhere");
        fs::create_hard_link(path, dir.path() / "elsewhere/third.sor");
        ASSERT_TRUE(c.Replace ? ReplaceKilledPartWay(path, 4u << 20) : SaveKilledPartWay(path, 4u << 20));
        ASSERT_NE(ReadFileBytes(path), old); // cut off: part new, part old
        const std::string expected = c.Next == TNext::Save ? "new" : old;
        if (c.Next == TNext::Save) {
            SaveImageToFile(dir.file(c.Name), "new");
        } else {
            std::string bytes;
            ASSERT_TRUE(ReadWholeFile(dir.file(c.Name), bytes));
            EXPECT_EQ(bytes, old);
        }
        for (const char* name : {"T1.sor", "other.sor", "elsewhere/third.sor"})
            EXPECT_EQ(ReadFileBytes(dir.file(name)), expected) << name;
        // The rollback copy is gone (a killed replacement leaves its new file, which the next
        // save through that folder removes).
        for (const auto& entry : fs::recursive_directory_iterator(dir.path()))
            EXPECT_FALSE(entry.path().string().ends_with("-rollback")) << entry.path();
        if (c.Next == TNext::Save && std::string_view(c.Name).find('/') == std::string_view::npos) {
            EXPECT_EQ(countFiles(dir.path()), 3);
        }
    }
}

// A rollback copy is put back only into the file it was made for: a file that took the place
// of the name is left as it is (and so is the copy).
TEST(StoreFile, ARollbackCopyIsNotPutIntoAnotherFile) {
    TempDir dir;
    const std::string path = dir.file("T1.sor");
    LinkedTable(dir, path);
    ASSERT_TRUE(SaveKilledPartWay(path, 4u << 20));
    fs::remove(path);
    WriteFileBytes(path, "another file");
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, "another file");
}

// A hard-linked file replaced by a new file is copied into a chunk at a time, and so is its
// rollback copy: a series of any length is put in place without holding it (or the old one)
// in memory.
TEST(StoreFile, AHardLinkedFileIsReplacedWithoutHoldingItsContent) {
    TempDir dir;
    const std::string path = dir.file("T1.sor");
    const std::size_t size = 24u << 20;
    SaveImageToFile(path, std::string(size, 'o'));
    fs::create_hard_link(path, dir.path() / "other.sor");
    const std::string source = CreateStoreTempFile(path);
    WriteFileBytes(source, std::string(size, 'n'));
    gLargestAllocation = 0;
    gWatchAllocations = true;
    ReplaceFileWith(path, source);
    gWatchAllocations = false;
    EXPECT_LE(gLargestAllocation.load(), std::size_t(2) << 20);
    EXPECT_EQ(ReadFileBytes(dir.file("other.sor")), std::string(size, 'n'));
    EXPECT_EQ(countFiles(dir.path()), 2); // the new file and the rollback copy are gone
}

// A folder that takes no new file: the writable file in it is written in place.
TEST(StoreFile, ReadOnlyFolderWritableFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind the superuser";
    TempDir dir;
    fs::create_directory(dir.path() / "ro");
    const std::string path = dir.file("ro/T1.sor");
    SaveImageToFile(path, "old");
    ::chmod((dir.path() / "ro").c_str(), 0555);
    SaveImageToFile(path, "in place");
    EXPECT_EQ(ReadFileBytes(path), "in place");
    EXPECT_THROW(SaveImageToFile(dir.file("ro/new.sor"), "x"), EStoreFileError);
    ::chmod((dir.path() / "ro").c_str(), 0755);
}

// Temporary files are short whatever the file's name, recognisable, and the next save of the
// same file removes one that an interrupted save left; a save in progress (locked) is left alone.
TEST(StoreFile, TemporaryFilesAreShortAndCleanedUp) {
    TempDir dir;
    const std::string longName = std::string(251, 'n') + ".sor"; // the longest name a folder holds
    SaveImageToFile(dir.file(longName), "fits");
    EXPECT_EQ(ReadFileBytes(dir.file(longName)), "fits");

    const std::string prefix = StoreTempPrefix("T1.sor");
    EXPECT_EQ(prefix.size() + kStoreTempRandomLength + 4, 24u);
    EXPECT_TRUE(prefix.starts_with(".etk-"));
    EXPECT_NE(prefix, StoreTempPrefix("T2.sor"));
    std::string seen;
    SaveImageToFile(dir.file("T1.sor"), "v1", 0, [&](std::size_t) {
        for (const auto& entry : fs::directory_iterator(dir.path()))
            if (entry.path().filename().string().starts_with(prefix))
                seen = entry.path().filename().string();
        return true;
    });
    EXPECT_EQ(seen.size(), 24u);
    EXPECT_TRUE(seen.ends_with(".tmp"));

    const std::string leftover = dir.file(prefix + "abcdef.tmp");
    const std::string otherFiles = dir.file(StoreTempPrefix("T2.sor") + "abcdef.tmp");
    WriteFileBytes(leftover, "half a table");
    WriteFileBytes(otherFiles, "half another table");
    const int busy = ::open(leftover.c_str(), O_RDONLY);
    ASSERT_GE(busy, 0);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0); // as a save in progress holds it
    SaveImageToFile(dir.file("T1.sor"), "v2");
    EXPECT_TRUE(fs::exists(leftover));
    ::close(busy);
    SaveImageToFile(dir.file("T1.sor"), "v3");
    EXPECT_FALSE(fs::exists(leftover));
    EXPECT_TRUE(fs::exists(otherFiles)); // another file's temporary file is not this save's business
    EXPECT_EQ(ReadFileBytes(dir.file("T1.sor")), "v3");
}

TEST(StoreFile, SaveIntoAMissingFolderFails) {
    TempDir dir;
    EXPECT_THROW(SaveImageToFile(dir.file("nope/T1.sor"), "x"), EStoreFileError);
}

TEST(StoreFile, SavedCursorReadsBack) {
    TempDir dir;
    TStoreCursor cursor;
    CreateEmptyTable(cursor,
                     {Def("Vonalkod1", TFieldType::ftString, 128), Def("Tipus1", TFieldType::ftInteger)});
    for (int i = 0; i < 100; ++i) {
        TStoreValues values = cursor.NewValues();
        cursor.SetString(values, 0, "599" + std::to_string(1000000000 + i));
        cursor.SetInteger(values, 1, i % 15);
        cursor.AppendRecord(values);
    }
    for (TStoreSaveOptions options : {TStoreSaveOptions(0), TStoreSaveOptions(savSlowMode)}) {
        const std::string path = dir.file("T1.sor");
        std::vector<int> progress;
        SaveCursorToFile(cursor, path, options, [&](int p) { progress.push_back(p); });
        EXPECT_EQ(progress.size(), 100u);
        std::string bytes;
        ASSERT_TRUE(ReadWholeFile(path, bytes));
        std::string image;
        cursor.WriteToStream(image);
        EXPECT_EQ(bytes, image);
    }
}

} // namespace
} // namespace etikor
