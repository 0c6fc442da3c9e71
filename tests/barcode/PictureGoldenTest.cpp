// Picture files are repeatable: each writer (BMP, WMF, EMF, SVG) gives the same bytes on every
// drawing and the bytes of the golden files in golden/. A change to a writer or to the drawing
// shows up here and in review as changed golden files.
//
// Regenerate on purpose (after checking the new pictures):
//   ETIKOR_UPDATE_GOLDEN=1 build/bin/barcode_tests --gtest_filter='PictureGolden.*'
// On a mismatch the picture drawn is left beside the build (see the failure message).

#include "support/TempDir.h"

#include "barcode/Ean.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace etikor::test {
namespace {

using T = TTypBarCode;

struct GoldenCase {
    const char* name;
    void (*setUp)(TEan&);
};

// A few looks that exercise every kind of record: digits and an add-on (text in several
// places), a turned symbol with a caption, bearer bars without text.
const GoldenCase kGoldenCases[] = {
    {"ean13_addon",
     [](TEan& ean) {
         ean.SetTypBarCode(T::bcEan13);
         ean.SetBarCode("9771210107001 12");
         ean.SetBounds(260, 90);
     }},
    {"code128_angle90_caption",
     [](TEan& ean) {
         ean.SetTypBarCode(T::bcCode128);
         ean.SetBarCode("Etikor");
         ean.Caption().SetText("Etikor");
         ean.Caption().SetAlignment(TAlignment::taCenter);
         ean.SetAngle(90);
         ean.SetBounds(70, 181);
     }},
    {"itf_no_labels",
     [](TEan& ean) {
         ean.SetTypBarCode(T::bcITF);
         ean.SetBarCode("0977121010700");
         ean.SetShowLabels(false);
         ean.SetSecurity(true);
         ean.SetBounds(2 * ean.MinimumWidth(), 60);
     }},
};

const char* const kExtensions[] = {".bmp", ".wmf", ".emf", ".svg"};

std::string Draw(const GoldenCase& c, const std::string& extension, const TempDir& dir, int run) {
    TEan ean;
    c.setUp(ean);
    const std::string path = dir.file(std::string(c.name) + "_" + std::to_string(run) + extension);
    EXPECT_TRUE(ean.SaveToFile(path)) << path;
    EXPECT_EQ(ean.LastPaintError(), TLastPaintError::erOK) << path;
    return ReadFileBytes(path);
}

TEST(PictureGolden, SameBytesOnEveryDrawing) {
    TempDir dir;
    for (const GoldenCase& c : kGoldenCases)
        for (const char* extension : kExtensions) {
            SCOPED_TRACE(std::string(c.name) + extension);
            const std::string first = Draw(c, extension, dir, 1);
            ASSERT_FALSE(first.empty());
            EXPECT_TRUE(first == Draw(c, extension, dir, 2));
        }
}

TEST(PictureGolden, PicturesMatchTheirGoldenFiles) {
    const std::filesystem::path golden = ETIKOR_GOLDEN_DIR;
    const bool update = std::getenv("ETIKOR_UPDATE_GOLDEN") != nullptr;
    TempDir dir;
    const std::filesystem::path kept = std::filesystem::current_path() / "golden-actual";
    for (const GoldenCase& c : kGoldenCases)
        for (const char* extension : kExtensions) {
            const std::string file = std::string(c.name) + extension;
            SCOPED_TRACE(file);
            const std::string actual = Draw(c, extension, dir, 1);
            ASSERT_FALSE(actual.empty());
            if (update) {
                WriteFileBytes(golden / file, actual);
                continue;
            }
            const std::string expected = ReadFileBytes(golden / file);
            ASSERT_FALSE(expected.empty()) << "no golden file " << (golden / file).string();
            if (actual != expected) {
                std::filesystem::create_directories(kept);
                WriteFileBytes(kept / file, actual);
                ADD_FAILURE() << file << " differs from its golden file; the picture drawn is "
                              << (kept / file).string() << " (regenerate: ETIKOR_UPDATE_GOLDEN=1)";
            }
        }
}

} // namespace
} // namespace etikor::test
