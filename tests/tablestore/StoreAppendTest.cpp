#include "tablestore/StoreAppend.h"

#include "StoreTestSupport.h"
#include "support/TempDir.h"
#include "tablestore/StoreErrors.h"
#include "tablestore/StoreFile.h"
#include "tablestore/StoreFormat.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

using test::Def;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

// Every kind the writer knows, so a record's encoding is exercised field by field.
TFieldDefs AllKinds() {
    return {Def("Small", TFieldType::ftSmallint),   Def("Int", TFieldType::ftInteger),
            Def("Flag", TFieldType::ftBoolean),     Def("Real", TFieldType::ftFloat),
            Def("Day", TFieldType::ftDate),         Def("Short", TFieldType::ftString, 12),
            Def("Long", TFieldType::ftString, 128), Def("Blob", TFieldType::ftBlob)};
}

// A record filled from a number: zero values (left out of the file) for some, long text for others.
TStoreValues MakeRecord(const TStoreCursor& fields, int n) {
    TStoreValues v = fields.NewValues();
    fields.SetInteger(v, 0, n % 3 == 0 ? 0 : -n);
    fields.SetInteger(v, 1, n * 1000);
    fields.SetBoolean(v, 2, n % 2 == 1);
    fields.SetFloat(v, 3, n % 4 == 0 ? 0.0 : n / 7.0);
    fields.SetInteger(v, 4, n % 5 == 0 ? 0 : 738000 + n);
    fields.SetString(v, 5, n % 6 == 0 ? "" : "rovid" + std::to_string(n));
    fields.SetString(v, 6, std::string(static_cast<std::size_t>(n % 130), 'x'));
    fields.SetString(v, 7, n % 2 == 0 ? std::string() : std::string("\0\x01\x02", 3));
    return v;
}

// The image the whole-table writer makes for the same records.
std::string WholeImage(const TFieldDefs& defs, const std::string& notes, int records) {
    TStoreCursor cursor;
    CreateEmptyTable(cursor, defs);
    cursor.Notes = notes;
    for (int n = 0; n < records; ++n)
        cursor.AppendRecord(MakeRecord(cursor, n));
    std::string image;
    cursor.WriteToStream(image);
    return image;
}

TEST(StoreAppend, AppendedFileIsTheWholeWritersImage) {
    for (const std::string& notes : {std::string(), std::string("egy megjegyzes")}) {
        SCOPED_TRACE(notes);
        TempDir dir;
        const std::string path = dir.file("t.sor");
        WriteFileBytes(path, WholeImage(AllKinds(), notes, 0));
        TStoreAppender appender;
        appender.Open(path);
        for (int n = 0; n < 140; ++n) {
            appender.Append(MakeRecord(appender.Fields(), n));
            // After every record the file is a complete table.
            if (n == 0 || n == 70) {
                EXPECT_EQ(ReadFileBytes(path), WholeImage(AllKinds(), notes, n + 1));
            }
        }
        appender.Close();
        EXPECT_EQ(ReadFileBytes(path), WholeImage(AllKinds(), notes, 140));
        EXPECT_EQ(appender.RecordCount(), 140);
    }
}

TEST(StoreAppend, AppendsAfterTheRecordsAFileAlreadyHolds) {
    TempDir dir;
    const std::string path = dir.file("t.sor");
    WriteFileBytes(path, WholeImage(AllKinds(), {}, 5));
    TStoreAppender appender;
    appender.Open(path);
    EXPECT_EQ(appender.RecordCount(), 5);
    for (int n = 5; n < 9; ++n)
        appender.Append(MakeRecord(appender.Fields(), n));
    appender.Close();
    EXPECT_EQ(ReadFileBytes(path), WholeImage(AllKinds(), {}, 9));
}

// A process killed after a record's bytes but before the header: the reader takes the records
// the header counts, and the next open cuts the rest off before appending.
TEST(StoreAppend, BytesAfterTheCountedRecordsAreIgnoredAndCutOff) {
    TempDir dir;
    const std::string path = dir.file("t.sor");
    const std::string three = WholeImage(AllKinds(), {}, 3);
    const std::string four = WholeImage(AllKinds(), {}, 4);
    const std::string torn = three + four.substr(three.size(), 5);
    WriteFileBytes(path, torn);

    TStoreCursor reader;
    std::string reason;
    ASSERT_TRUE(reader.ReadFromStream(ReadFileBytes(path), reason)) << reason;
    EXPECT_EQ(reader.RecordCount(), 3);

    TStoreAppender appender;
    appender.Open(path);
    EXPECT_EQ(ReadFileBytes(path), three);
    appender.Append(MakeRecord(appender.Fields(), 3));
    appender.Close();
    EXPECT_EQ(ReadFileBytes(path), four);
}

TEST(StoreAppend, RefusesWhatTheReaderRefuses) {
    TempDir dir;
    EXPECT_THROW(
        {
            TStoreAppender appender;
            appender.Open(dir.file("missing.sor"));
        },
        EStoreError);
    const std::string path = dir.file("bad.sor");
    WriteFileBytes(path, std::string("\x05\0\0\0E", 5) + "broken");
    try {
        TStoreAppender appender;
        appender.Open(path);
        FAIL() << "opened an error image";
    } catch (const EStoreError& error) {
        EXPECT_STREQ(error.what(), "Error opening table: broken");
    }
    EXPECT_EQ(ReadFileBytes(path), std::string("\x05\0\0\0E", 5) + "broken");
}

} // namespace
} // namespace etikor
