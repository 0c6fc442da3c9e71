// The windows' picture files of a barcode: the save dialog with its filters and the messages of
// what the engine does not write, through the modal seam.

#include "support/ScriptedModal.h"
#include "support/TempDir.h"

#include "barcode/Ean.h"
#include "barcode/ExportHtml.h"
#include "barcode/ui/SavePicture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace etikor::test {
namespace {

TEST(SavePicture, GifIsNotSupported) {
    TempDir dir;
    TEan ean;
    ScriptedModal modal;
    modal.ExpectMessage("I", "Sorry, not supported.");
    EXPECT_FALSE(SaveBarcodePicture(ean, dir.file("code.gif"), modal));
    modal.ExpectSaveFile(QString::fromStdString(dir.file("other.gif")),
                         [](const TFileDialogOptions& o) { EXPECT_EQ(o.Filter, "GIF file|*.gif"); });
    modal.ExpectMessage("I", "Sorry, not supported.");
    EXPECT_FALSE(AskAndSaveBarcodePicture(ean, TPictureDialog::pdGif, modal));
    modal.Verify();
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(SavePicture, TheDialogAsksWithTheFilters) {
    TempDir dir;
    TEan ean;
    ScriptedModal modal;
    modal.ExpectSaveFile(QString::fromStdString(dir.file("chosen")), [](const TFileDialogOptions& o) {
        EXPECT_EQ(o.Filter,
                  "Bitmap file|*.bmp|Windows metafile|*.wmf|Enhanced metafile|*.emf|GIF file|*.gif|");
        EXPECT_EQ(o.DefaultExt, "bmp");
    });
    EXPECT_TRUE(AskAndSaveBarcodePicture(ean, TPictureDialog::pdAny, modal));
    EXPECT_EQ(ReadFileBytes(dir.path() / "chosen.bmp").rfind("BM", 0), 0u); // default extension

    modal.ExpectSaveFile(std::nullopt); // cancelled: nothing written
    EXPECT_FALSE(AskAndSaveBarcodePicture(ean, TPictureDialog::pdAny, modal));

    struct Row {
        TPictureDialog format;
        const char* filter;
        const char* file;
        const char* magic;
    } rows[] = {
        {TPictureDialog::pdBitmap, "Bitmap file|*.bmp", "single.bmp", "BM"},
        {TPictureDialog::pdWmf, "Windows metafile|*.wmf", "single.wmf", "\xD7\xCD\xC6\x9A"},
        {TPictureDialog::pdEmf, "Enhanced metafile|*.emf", "single.emf", "\x01\x00\x00\x00"},
    };
    for (const Row& row : rows) {
        modal.ExpectSaveFile(QString::fromStdString(dir.file(row.file)),
                             [&row](const TFileDialogOptions& o) { EXPECT_EQ(o.Filter, row.filter); });
        EXPECT_TRUE(AskAndSaveBarcodePicture(ean, row.format, modal));
        EXPECT_EQ(ReadFileBytes(dir.path() / row.file).rfind(row.magic, 0), 0u) << row.file;
    }
    modal.Verify();
}

// GIF pictures on the catalogue page: said once, the page still written, no pictures.
TEST(SavePicture, CataloguePageWithGifPictures) {
    TempDir dir;
    TEan barcode;
    ScriptedModal modal;
    modal.ExpectMessage("I", "Sorry, not supported.");
    ASSERT_TRUE(ExportHtmlPage(barcode, dir.file("page.htm"), hpGif, modal));
    modal.Verify();
    EXPECT_NE(ReadFileBytes(dir.path() / "page.htm").find("src=\"bcEan13.Gif\""), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "bcEan13.Gif"));
}

} // namespace
} // namespace etikor::test
