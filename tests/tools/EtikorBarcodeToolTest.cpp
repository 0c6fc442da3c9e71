// etikor-barcode run as a user would: its six output lines, its exit codes and its lists.

#ifdef ETIKOR_BARCODE_TOOL

#include "RunTool.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace etikor::test {
namespace {

ToolResult barcodeTool(const std::vector<std::string>& args) {
    return RunTool(ETIKOR_BARCODE_TOOL, args);
}

std::string lines(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& part : parts)
        out += part + "\n";
    return out;
}

TEST(EtikorBarcodeTool, EncodePrintsSixLines) {
    // The barcode object's sample: twelve digits get the check digit 1; eight leading blanks.
    const std::string ean13 =
        "20201110110010001011001100100110110011000110102020110011011100101000100111001011100"
        "101100110202";
    struct Row {
        std::vector<std::string> args;
        std::string out;
    } rows[] = {
        {{"encode", "--type", "bcEan13", "977121010700"},
         lines({"text=9771210107001", "error=erOK", "errorpos=0", "pattern=        " + ean13,
                "anchors=12,52,59,99,8,8", "minwidth=104"})},
        {{"encode", "--no-labels", "--type", "bcEan13", "9771210107001"},
         lines({"text=9771210107001", "error=erOK", "errorpos=0", "pattern=" + ean13,
                "anchors=4,44,51,91,0,0", "minwidth=96"})},
        // A failed check: no pattern, zero anchors, one pixel.
        {{"encode", "--type", "bcEan13", "9771210107001A12"},
         lines({"text=9771210107001A12", "error=erCharMustBeSpace", "errorpos=14",
                "pattern=", "anchors=0,0,0,0,0,0", "minwidth=1"})},
        {{"encode", "--type", "bcEan13", "97712101070012"},
         lines({"text=97712101070012", "error=erBarcodeLengthInvalid", "errorpos=0",
                "pattern=", "anchors=0,0,0,0,0,0", "minwidth=1"})},
        {{"encode", "--type", "bcMSIPlessey", ""},
         lines(
             {"text=", "error=erEmptyCode", "errorpos=0", "pattern=", "anchors=0,0,0,0,0,0", "minwidth=1"})},
        // UTF-8 in, Windows-1250 inside, UTF-8 out: the accented EAN-128 letter is rejected.
        {{"encode", "--type", "bcEan128", "AB\xC5\xA1"},
         lines({"text=AB\xC5\xA1", "error=erCharOutOfSet", "errorpos=3", "pattern=", "anchors=0,0,0,0,0,0",
                "minwidth=1"})},
    };
    for (const Row& row : rows) {
        const ToolResult result = barcodeTool(row.args);
        EXPECT_EQ(result.exitCode, 0) << row.args.back();
        EXPECT_EQ(result.out, row.out) << row.args.back();
    }
}

TEST(EtikorBarcodeTool, OptionsReachTheObject) {
    // UPC-E: the six digits are completed, the check digit computed.
    ToolResult r = barcodeTool({"encode", "--type", "bcUPCE0", "123456"});
    EXPECT_NE(r.out.find("text=01234565\n"), std::string::npos) << r.out;
    // Code 128 "1234": START C, 12, 34, check 82; without the check character 11 modules fewer.
    const ToolResult with = barcodeTool({"encode", "--type", "bcCode128", "1234"});
    const ToolResult without = barcodeTool({"encode", "--type", "bcCode128", "--no-check-digit", "1234"});
    const auto patternOf = [](const std::string& out) {
        const size_t from = out.find("pattern=") + 8;
        return out.substr(from, out.find('\n', from) - from);
    };
    EXPECT_EQ(patternOf(with.out).size(), patternOf(without.out).size() + 11);
    // "--" lets a text begin with a dash.
    r = barcodeTool({"encode", "--type", "bcCode11", "--", "-12"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("text=-12\nerror=erOK\n"), std::string::npos) << r.out;
}

TEST(EtikorBarcodeTool, EncodePrintsTheMatrixOfATwoDimensionalSymbol) {
    const auto count = [](const std::string& out, const std::string& what) {
        size_t n = 0;
        for (size_t at = out.find(what); at != std::string::npos; at = out.find(what, at + 1))
            ++n;
        return n;
    };
    // QR Code 1-H holds 17 digits; level L one version less for 42 digits than H needs.
    ToolResult r = barcodeTool({"encode", "--type", "bcQRCode", "--ecc", "H", "01234567"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("error=erOK\nerrorpos=0\nsize=21x21\nquietzone=4\nrow=1111111"), std::string::npos)
        << r.out;
    EXPECT_EQ(count(r.out, "\nrow="), 21u);
    EXPECT_NE(r.out.find("minwidth=29\nminheight=29\n"), std::string::npos) << r.out;
    // PDF417 with three data columns: 69 + 3 x 17 modules a row, three modules high.
    r = barcodeTool({"encode", "--type", "bcPDF417", "--columns", "3", "--ecc", "2", "Etikor"});
    EXPECT_NE(r.out.find("x120\nquietzone=2\n"), std::string::npos) << r.out;
    // Data Matrix, rectangular; GS1 with a wrong check digit names the AI.
    r = barcodeTool({"encode", "--type", "bcDataMatrix", "--rectangular", "123456"});
    EXPECT_NE(r.out.find("size=8x18\nquietzone=1\n"), std::string::npos) << r.out;
    r = barcodeTool({"encode", "--type", "bcDataMatrix", "--gs1", "(01)09501101530004"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("error=erInvalidGs1\nerrorpos=18\ndetail=AI (01): check digit '4', expected '3'\n"
                         "size=0x0\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(count(r.out, "\nrow="), 0u);
}

TEST(EtikorBarcodeTool, BadArgumentsExitTwo) {
    const std::vector<std::vector<std::string>> rows = {
        {},
        {"draw"},
        {"encode", "--type", "bcMaxiCode", "1"},                  // no such member
        {"encode", "--type", "bcQRCode", "--ecc", "X", "1"},      // QR Code levels are L, M, Q, H
        {"encode", "--type", "bcPDF417", "--ecc", "9", "1"},      // PDF417 levels end at 8
        {"encode", "--type", "bcAztec", "--ecc", "0", "1"},       // Aztec: 1 to 4
        {"encode", "--type", "bcDataMatrix", "--ecc", "1", "1"},  // Data Matrix has none
        {"encode", "--type", "bcPDF417", "--columns", "31", "1"}, // 1 to 30
        {"encode", "--type", "bcQRCode", "--columns", "3", "1"},  // PDF417 only
        {"encode", "--type", "bcCode128", "--gs1", "1"},          // Data Matrix only
        {"encode", "--type", "bcQRCode", "--rectangular", "1"},   // Data Matrix only
        {"encode", "--type", "bcean13", "1"},                     // identifiers are case-sensitive
        {"encode", "123"},                                        // no type
        {"encode", "--type", "bcEan13"},                          // no text
        {"encode", "--type"},                                     // no member
        {"encode", "--type", "bcEan13", "1", "2"},                // two texts
        {"encode", "--type", "bcEan13", "--wide", "1"},
        {"encode", "--type", "bcCode128", "\xE2\x82\xAC\xE6\x97\xA5"}, // not in Windows-1250
        {"encode", "--type", "bcCode128", "\xFF"},                     // not UTF-8
        {"list", "--names"},
    };
    for (const auto& args : rows) {
        const ToolResult result = barcodeTool(args);
        EXPECT_EQ(result.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(result.out, "") << ::testing::PrintToString(args);
        EXPECT_NE(result.err.find("usage:"), std::string::npos);
    }
}

TEST(EtikorBarcodeTool, ListsNamesAndIdentifiers) {
    const ToolResult names = barcodeTool({"list"});
    EXPECT_EQ(names.exitCode, 0);
    const ToolResult ids = barcodeTool({"list", "--ids"});
    EXPECT_EQ(ids.exitCode, 0);
    const auto split = [](const std::string& text) {
        std::vector<std::string> out;
        size_t from = 0;
        for (size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1)
            out.push_back(text.substr(from, at - from));
        return out;
    };
    const auto nameLines = split(names.out);
    const auto idLines = split(ids.out);
    ASSERT_EQ(nameLines.size(), 36u);
    ASSERT_EQ(idLines.size(), 36u);
    EXPECT_EQ(nameLines[0], "EAN 8");
    EXPECT_EQ(nameLines[11], "2/5 Matrix "); // the catalogue's trailing blank
    EXPECT_EQ(nameLines[31], "PZN");
    EXPECT_EQ(idLines[0], "bcEan8");
    EXPECT_EQ(idLines[15], "bcITF");
    EXPECT_EQ(idLines[31], "bcPZN");
    // The two-dimensional symbologies follow the 32 linear ones.
    const std::vector<std::string> names2d(nameLines.begin() + 32, nameLines.end());
    const std::vector<std::string> ids2d(idLines.begin() + 32, idLines.end());
    EXPECT_EQ(names2d, (std::vector<std::string>{"QR Code", "Data Matrix", "PDF417", "Aztec"}));
    EXPECT_EQ(ids2d, (std::vector<std::string>{"bcQRCode", "bcDataMatrix", "bcPDF417", "bcAztec"}));
}

// Picture sizes read from the files' own headers: PNG's IHDR (big-endian) and the BMP
// BITMAPINFOHEADER (little-endian).
struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

uint32_t BigEndian(const std::string& b, size_t at) {
    return (uint32_t(uint8_t(b[at])) << 24) | (uint32_t(uint8_t(b[at + 1])) << 16) |
           (uint32_t(uint8_t(b[at + 2])) << 8) | uint32_t(uint8_t(b[at + 3]));
}

uint32_t LittleEndian(const std::string& b, size_t at) {
    return uint32_t(uint8_t(b[at])) | (uint32_t(uint8_t(b[at + 1])) << 8) |
           (uint32_t(uint8_t(b[at + 2])) << 16) | (uint32_t(uint8_t(b[at + 3])) << 24);
}

Size PictureSize(const std::string& bytes) {
    if (bytes.size() >= 24 && bytes.rfind("\x89PNG", 0) == 0)
        return {int(BigEndian(bytes, 16)), int(BigEndian(bytes, 20))};
    if (bytes.size() >= 26 && bytes.rfind("BM", 0) == 0)
        return {int(LittleEndian(bytes, 18)), std::abs(int(LittleEndian(bytes, 22)))};
    return {};
}

TEST(EtikorBarcodeTool, RenderWritesThePictureBySuffix) {
    TempDir dir;
    struct Row {
        std::vector<std::string> args; // before -o FILE
        std::string file;
        std::string text;
        std::string magic;
        Size size; // raster formats only
    } rows[] = {
        // Default size: MinimumWidth (103 modules + 1) by 80.
        {{"--type", "bcEan13"}, "a.png", "977121010700", "\x89PNG", {104, 80}},
        {{"--type", "bcEan13", "--width", "300", "--height", "120"},
         "b.bmp",
         "9771210107001",
         "BM",
         {300, 120}},
        {{"--type", "bcCode128", "--angle", "90", "--width", "80", "--height", "250"},
         "c.PNG",
         "Etikor",
         "\x89PNG",
         {80, 250}},
        {{"--type", "bcCode39Standard", "--security", "--no-labels"}, "d.svg", "KROVA", "<?xml", {}},
        {{"--type", "bcITF", "--font-size", "8", "--no-check-digit"},
         "e.emf",
         "0977121010700",
         "\x01\x00\x00\x00",
         {}},
        {{"--type", "bcUPCA", "--width", "200"}, "f.wmf", "01234567890", "\xD7\xCD\xC6\x9A", {}},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = {"render"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        args.insert(args.end(), {"-o", dir.file(row.file), row.text});
        const ToolResult result = barcodeTool(args);
        EXPECT_EQ(result.exitCode, 0) << row.file << result.err;
        EXPECT_EQ(result.out, "error=erOK\n") << row.file;
        const std::string bytes = ReadFileBytes(dir.path() / row.file);
        EXPECT_EQ(bytes.rfind(row.magic, 0), 0u) << row.file;
        if (row.size.width) {
            EXPECT_EQ(PictureSize(bytes), row.size) << row.file;
        }
    }
}

// One row of a 24-bit bottom-up BMP as '1' for black and '0' for any other pixel.
std::string BmpRowBits(const std::string& bmp, int y) {
    const auto u32 = [&](size_t at) {
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | static_cast<unsigned char>(bmp.at(at + static_cast<size_t>(i)));
        return v;
    };
    const uint32_t offset = u32(10);
    const auto width = static_cast<int>(u32(18));
    const auto height = static_cast<int>(u32(22));
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    const size_t row = offset + static_cast<size_t>(height - 1 - y) * stride;
    std::string bits;
    for (int x = 0; x < width; ++x) {
        const size_t at = row + static_cast<size_t>(x) * 3;
        const bool black = bmp.at(at) == 0 && bmp.at(at + 1) == 0 && bmp.at(at + 2) == 0;
        bits.push_back(black ? '1' : '0');
    }
    return bits;
}

TEST(EtikorBarcodeTool, RenderChoosesWholePixelModulesForItsOwnWidth) {
    // Code 128 "KROVA": 90 modules. Without --width the picture is 91 wide and every module one
    // column (the spare column blank); stretched into 91 the first bar would be three columns.
    const ToolResult encoded = barcodeTool({"encode", "--type", "bcCode128", "KROVA"});
    const size_t at = encoded.out.find("pattern=");
    ASSERT_NE(at, std::string::npos);
    std::string modules = encoded.out.substr(at + 8, encoded.out.find('\n', at) - at - 8);
    for (char& c : modules)
        c = c == '1' || c == '2' ? '1' : '0';
    ASSERT_EQ(modules.size(), 90u);
    ASSERT_EQ(modules.substr(0, 4), "1101"); // start B begins with a two-module bar

    TempDir dir;
    struct Row {
        std::vector<std::string> args;
        std::string row; // the pixels of a line through the bars
    } rows[] = {
        {{}, modules + "0"},
        {{"--security"}, modules + "0"},
        {{"--width", "90"}, modules}, // a width the user gives: stretched, here exact
        {{"--width", "180", "--security"},
         [&] { // whole pixels asked for
             std::string twice;
             for (char c : modules)
                 twice.append(2, c);
             return twice;
         }()},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = {"render", "--type", "bcCode128", "--no-labels"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        args.insert(args.end(), {"-o", dir.file("a.bmp"), "KROVA"});
        const ToolResult result = barcodeTool(args);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(BmpRowBits(ReadFileBytes(dir.path() / "a.bmp"), 40), row.row);
    }
    // Upright without --width: the bars are --height long, the picture as high as the minimum
    // width; reading up the column gives the modules.
    for (const char* angle : {"90", "270"}) {
        const ToolResult result = barcodeTool({"render", "--type", "bcCode128", "--no-labels", "--angle",
                                               angle, "--height", "40", "-o", dir.file("u.bmp"), "KROVA"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, "error=erOK\n");
        const std::string bmp = ReadFileBytes(dir.path() / "u.bmp");
        EXPECT_EQ(PictureSize(bmp), (Size{40, 91})) << angle;
        std::string column;
        for (int y = 0; y < 91; ++y)
            column.push_back(BmpRowBits(bmp, y)[20]);
        if (std::string(angle) == "90")
            std::reverse(column.begin(), column.end()); // the start at the bottom
        EXPECT_EQ(column, modules + "0") << angle;
    }
    // --stretch keeps the stretched form for the tool's own width.
    const ToolResult stretched = barcodeTool(
        {"render", "--type", "bcCode128", "--no-labels", "--stretch", "-o", dir.file("s.bmp"), "KROVA"});
    ASSERT_EQ(stretched.exitCode, 0) << stretched.err;
    EXPECT_EQ(BmpRowBits(ReadFileBytes(dir.path() / "s.bmp"), 40).substr(0, 5), "11101");
    // Both at once is a contradiction.
    EXPECT_EQ(barcodeTool({"render", "--type", "bcCode128", "--security", "--stretch", "-o",
                           dir.file("t.bmp"), "KROVA"})
                  .exitCode,
              2);
}

TEST(EtikorBarcodeTool, RenderGivesTheSameBytesInEveryRun) {
    // Separate processes: nothing of one run's memory may reach a picture file.
    TempDir dir;
    for (const char* extension : {".png", ".bmp", ".svg", ".emf", ".wmf"}) {
        std::string runs[2];
        for (int run = 0; run < 2; ++run) {
            const std::string file = dir.file("run" + std::to_string(run) + extension);
            const ToolResult result = barcodeTool(
                {"render", "--type", "bcEan13", "--width", "250", "-o", file, "9771210107001 12"});
            ASSERT_EQ(result.exitCode, 0) << extension << result.err;
            runs[run] = ReadFileBytes(file);
        }
        EXPECT_FALSE(runs[0].empty()) << extension;
        EXPECT_TRUE(runs[0] == runs[1]) << extension;
    }
}

// A two-dimensional symbol sized by the tool: its columns and rows with the quiet zone at
// --module pixels a module (4 by default), turned with --angle; a quarter taller with --labels.
TEST(EtikorBarcodeTool, RenderSizesATwoDimensionalSymbolByItsModules) {
    TempDir dir;
    const struct {
        std::vector<std::string> args;
        Size size;
    } rows[] = {
        // "Etikor" at level M: 21 x 21 and four modules of quiet zone on each side.
        {{"--type", "bcQRCode"}, {116, 116}},
        {{"--type", "bcQRCode", "--module", "2"}, {58, 58}},
        {{"--type", "bcQRCode", "--module", "2", "--labels"}, {58, 79}},
        // PDF417 standing: its rows across, its columns along.
        {{"--type", "bcPDF417", "--columns", "1", "--module", "1", "--angle", "90"}, {0, 90}},
        {{"--type", "bcDataMatrix", "--rectangular", "--module", "3"}, {102, 30}}, // 8 x 32
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        std::vector<std::string> args = {"render"};
        args.insert(args.end(), rows[i].args.begin(), rows[i].args.end());
        const std::string file = dir.file("m" + std::to_string(i) + ".png");
        args.insert(args.end(), {"-o", file, "Etikor"});
        const ToolResult result = barcodeTool(args);
        EXPECT_EQ(result.exitCode, 0) << i << result.err;
        EXPECT_EQ(result.out, "error=erOK\n") << i;
        const Size size = PictureSize(ReadFileBytes(file));
        if (rows[i].size.width)
            EXPECT_EQ(size, rows[i].size) << i;
        else
            EXPECT_EQ(size.height, rows[i].size.height) << i;
    }
}

TEST(EtikorBarcodeTool, RenderFailuresExitOne) {
    TempDir dir;
    struct Row {
        std::vector<std::string> args;
        std::string out;
    } rows[] = {
        // One pixel per module needs 103 columns; 60 are too few: the hatch is drawn.
        {{"--type", "bcEan13", "--width", "60"}, "error=erSmallPaintBox\n"},
        {{"--type", "bcEan13"}, "error=erCharOutOfSet\n"}, // TEXT below has a letter
        {{"--type", "bcMSIPlessey"}, "error=erEmptyCode\n"},
        {{"--type", "bcDataMatrix", "--gs1"}, "error=erInvalidGs1\n"}, // a wrong GTIN check digit
        {{"--type", "bcQRCode", "--width", "20", "--height", "20"}, "error=erSmallPaintBox\n"},
    };
    const std::string texts[] = {"977121010700", "97712101070A", "", "(01)09501101530004", "Etikor"};
    for (size_t i = 0; i < std::size(rows); ++i) {
        std::vector<std::string> args = {"render"};
        args.insert(args.end(), rows[i].args.begin(), rows[i].args.end());
        args.insert(args.end(), {"-o", dir.file("x" + std::to_string(i) + ".png"), "--", texts[i]});
        const ToolResult result = barcodeTool(args);
        EXPECT_EQ(result.exitCode, 1) << i;
        EXPECT_EQ(result.out, rows[i].out) << i;
    }
    // The picture of a failed drawing is still written (the hatch, or white).
    EXPECT_EQ(PictureSize(ReadFileBytes(dir.path() / "x0.png")), (Size{60, 80}));
    // A file that cannot be written fails too.
    const ToolResult result =
        barcodeTool({"render", "--type", "bcEan13", "-o", dir.file("no/such/dir.png"), "977121010700"});
    EXPECT_EQ(result.exitCode, 1);
}

TEST(EtikorBarcodeTool, RenderBadArgumentsExitTwo) {
    TempDir dir;
    const std::string png = dir.file("a.png");
    const std::vector<std::vector<std::string>> rows = {
        {"render", "--type", "bcEan13", "977121010700"},                          // no -o
        {"render", "-o", png, "977121010700"},                                    // no type
        {"render", "--type", "bcEan13", "-o", png},                               // no text
        {"render", "--type", "bcEan13", "-o", dir.file("a.gif"), "977121010700"}, // not written
        {"render", "--type", "bcEan13", "-o", dir.file("a.txt"), "977121010700"}, // unknown suffix
        {"render", "--type", "bcEan13", "--width", "wide", "-o", png, "977121010700"},
        {"render", "--type", "bcEan13", "--width", "0", "-o", png, "977121010700"},
        {"render", "--type", "bcEan13", "--height", "-5", "-o", png, "977121010700"},
        {"render", "--type", "bcEan13", "--angle", "1.5", "-o", png, "977121010700"},
        {"render", "--type", "bcEan13", "--font-size", "-o", png, "977121010700"},
        {"render", "--type", "bcEan13", "--labels", "--no-labels", "-o", png, "977121010700"},
        {"render", "--type", "bcEan13", "--module", "3", "-o", png, "977121010700"}, // 2D only
        {"render", "--type", "bcQRCode", "--module", "3", "--width", "90", "-o", png, "1"},
        {"render", "--type", "bcNothing", "-o", png, "1"},
    };
    for (const auto& args : rows) {
        const ToolResult result = barcodeTool(args);
        EXPECT_EQ(result.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(result.out, "") << ::testing::PrintToString(args);
        EXPECT_NE(result.err.find("usage:"), std::string::npos);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace
} // namespace etikor::test

#endif // ETIKOR_BARCODE_TOOL
