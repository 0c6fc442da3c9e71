// etikor-barcode run as a user would: its six output lines, its exit codes and its lists.

#ifdef ETIKOR_BARCODE_TOOL

#include "RunTool.h"

#include <gtest/gtest.h>

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

TEST(EtikorBarcodeTool, BadArgumentsExitTwo) {
    const std::vector<std::vector<std::string>> rows = {
        {},
        {"draw"},
        {"encode", "--type", "bcPDF417", "1"},     // no such member
        {"encode", "--type", "bcean13", "1"},      // identifiers are case-sensitive
        {"encode", "123"},                         // no type
        {"encode", "--type", "bcEan13"},           // no text
        {"encode", "--type"},                      // no member
        {"encode", "--type", "bcEan13", "1", "2"}, // two texts
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
    ASSERT_EQ(nameLines.size(), 32u);
    ASSERT_EQ(idLines.size(), 32u);
    EXPECT_EQ(nameLines[0], "EAN 8");
    EXPECT_EQ(nameLines[11], "2/5 Matrix "); // the catalogue's trailing blank
    EXPECT_EQ(nameLines[31], "PZN");
    EXPECT_EQ(idLines[0], "bcEan8");
    EXPECT_EQ(idLines[15], "bcITF");
    EXPECT_EQ(idLines[31], "bcPZN");
}

} // namespace
} // namespace etikor::test

#endif // ETIKOR_BARCODE_TOOL
