#include "tablestore/StoreFile.h"

#include "StoreTestSupport.h"
#include "support/KilledSave.h"
#include "support/TempDir.h"
#include "tablestore/StoreErrors.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A process killed in the middle of an in-place write leaves a cut file and the rollback copy;
// the next read, or the next save, of the file restores the complete old content first.
TEST(StoreFile, InPlaceWriteCutOffByAKillIsUndoneByTheNextReadOrSave) {
    for (const bool nextIsSave : {false, true}) {
        SCOPED_TRACE(nextIsSave ? "next save" : "next read");
        TempDir dir;
        const std::string path = dir.file("T1.sor");
        const std::string old = LinkedTable(dir, path);
        ASSERT_TRUE(SaveKilledPartWay(path, 4u << 20));
        ASSERT_NE(ReadFileBytes(path), old); // cut off: part new, part old
        if (nextIsSave) {
            SaveImageToFile(path, "new");
            EXPECT_EQ(ReadFileBytes(dir.file("other.sor")), "new");
        } else {
            std::string bytes;
            ASSERT_TRUE(ReadWholeFile(path, bytes));
            EXPECT_EQ(bytes, old);
            EXPECT_EQ(ReadFileBytes(dir.file("other.sor")), old);
        }
        EXPECT_EQ(countFiles(dir.path()), 2); // the rollback copy is gone
    }
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
