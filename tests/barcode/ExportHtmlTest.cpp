// The catalogue page: its head, one table per symbology with the catalogue's facts, and the
// pictures beside it in the chosen format (real JPEG pictures for format 3).

#include "ImageDecoder.h"
#include "support/TempDir.h"

#include "barcode/ExportHtml.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <filesystem>
#include <regex>

namespace etikor::test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    size_t from = 0;
    for (size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        out.push_back(text.substr(from, at - from));
    return out;
}

size_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

TEST(ExportHtml, PageWithJpegPictures) {
    TempDir dir;
    TEan barcode;
    const std::filesystem::path page = dir.path() / "new" / "folder" / "catalogue.html";
    ASSERT_TRUE(ExportHtml(barcode, page.string(), hpJpg)); // the folder is created
    const std::vector<std::string> lines = Lines(ReadFileBytes(page));
    ASSERT_GT(lines.size(), 10u);

    // Head.
    const std::string title = "List of barcode types supported by Etikor.";
    EXPECT_EQ(lines[0], "<HTML>");
    EXPECT_EQ(lines[1], "<HEAD>");
    EXPECT_EQ(lines[2], "<META NAME=DESCRIPTION CONTENT=\"" + title + "\">");
    EXPECT_EQ(lines[3].rfind("<META NAME=KEYWORDS CONTENT=\"", 0), 0u);
    // Every name, its brackets turned into commas.
    EXPECT_NE(lines[3].find(",EAN 8,EAN 13,Codabar,"), std::string::npos);
    EXPECT_NE(lines[3].find(",ISBN ,Bookland,,"), std::string::npos);
    EXPECT_NE(lines[3].find(",2/5 Coop,Code 11,PZN,QR Code,Data Matrix,PDF417,Aztec\">"), std::string::npos);
    EXPECT_EQ(lines[4], "<TITLE>" + title + "</TITLE>");
    EXPECT_EQ(lines[5], "</HEAD>");
    EXPECT_EQ(lines[6], "<BODY><H2 align=center>" + title + "</H2><HR><BR>");
    EXPECT_EQ(lines[lines.size() - 3], "<HR>");
    EXPECT_EQ(lines.back(), "</BODY></HTML>");

    // One table per symbology, in ordinal order: the 32 linear ones, then the four
    // two-dimensional ones.
    const auto tables = std::count(lines.begin(), lines.end(), "</TABLE>");
    EXPECT_EQ(tables, 36);
    const size_t qr =
        IndexOf(lines, "<BR><BR><BR><BR><TABLE cols=3 rules=NONE border=0 width=\"100%\"><TR><TH "
                       "colspan=3 color=yellow><H3>QR Code</H3></TD></TR>");
    const size_t aztec =
        IndexOf(lines, "<BR><BR><BR><BR><TABLE cols=3 rules=NONE border=0 width=\"100%\"><TR><TH "
                       "colspan=3 color=yellow><H3>Aztec</H3></TD></TR>");
    ASSERT_LT(qr, aztec);
    ASSERT_LT(aztec + 4, lines.size());
    EXPECT_EQ(lines[qr + 1], "<TR><TD><B>Description</B></TD><TD colspan=2>QR Code (ISO/IEC 18004), error "
                             "correction L, M, Q or H</TD></TR>");
    // Square pictures, two pixels a module: "Etikor QR Code 12345" is a 25 x 25 symbol with four
    // modules of quiet zone on each side.
    EXPECT_NE(std::find(lines.begin() + static_cast<std::ptrdiff_t>(qr), lines.end(),
                        "<TR><TD colspan=3 align=center><BR><IMG src=\"bcQRCode.Jpg\" width=66 height=66 "
                        "alt=\"QR Code (ISO/IEC 18004), error correction L, M, Q or H\" border=0></TD></TR>"),
              lines.end());

    // EAN 13 with its add-on pictures: every row of the catalogue that applies.
    const size_t ean13 =
        IndexOf(lines, "<BR><BR><BR><BR><TABLE cols=3 rules=NONE border=0 width=\"100%\"><TR><TH "
                       "colspan=3 color=yellow><H3>EAN 13</H3></TD></TR>");
    ASSERT_LT(ean13 + 12, lines.size());
    const std::vector<std::string> expected = {
        "<TR><TD><B>Description</B></TD><TD colspan=2>EAN 13 (2 or 5 digit supplement)</TD></TR>",
        "<TR><TD><B>Supplement</B></TD><TD colspan=2>2 or 5 digits</TD></TR>",
        "<TR><TD><B>Charset</B></TD><TD colspan=2>0 1 2 3 4 5 6 7 8 9 </TD></TR>",
        "<TR><TD><B>Barcode family</B></TD><TD colspan=2>EAN 13</TD></TR>",
        "<TR><TD><B>Country</B></TD><TD colspan=2>EU</TD></TR>",
        "<TR><TD><B>Year</B></TD><TD colspan=2>1977</TD></TR>",
        "<TR>",
    };
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(lines[ean13 + 1 + i], expected[i]);
    // Picture cells: the sample, then " 12" and " 12345" (wider: MinimumWidth before each).
    const std::regex cell(
        R"re(<TD align=center><IMG src="(bcEan13(_2|_5)?\.Jpg)" width=(\d+) height=70></TD>)re");
    int previousWidth = 0;
    for (size_t i = 0; i < 3; ++i) {
        std::smatch m;
        const std::string& line = lines[ean13 + 8 + i];
        ASSERT_TRUE(std::regex_match(line, m, cell)) << line;
        const int width = std::stoi(m[3]);
        EXPECT_GT(width, previousWidth);
        previousWidth = width;
        const std::filesystem::path file = page.parent_path() / m[1].str();
        EXPECT_EQ(ReadFileBytes(file).rfind("\xFF\xD8\xFF", 0), 0u) << file; // a real JPEG
        const QImage image(QString::fromStdString(file.string()));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(width, 70));
    }
    EXPECT_EQ(lines[ean13 + 11], "</TR>");
    const DecodeResult read =
        DecodeImage(QImage(QString::fromStdString((page.parent_path() / "bcEan13.Jpg").string())), "EAN13");
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.text, "9771210107001");

    // A symbology without add-on: one picture with its description as alternative text;
    // no family, country or year rows where the catalogue has none.
    const size_t code11 =
        IndexOf(lines, "<BR><BR><BR><BR><TABLE cols=3 rules=NONE border=0 width=\"100%\"><TR><TH "
                       "colspan=3 color=yellow><H3>Code 11</H3></TD></TR>");
    ASSERT_LT(code11 + 4, lines.size());
    EXPECT_EQ(lines[code11 + 1], "<TR><TD><B>Description</B></TD><TD colspan=2>Code 11 (USD-8)</TD></TR>");
    EXPECT_EQ(lines[code11 + 2], "<TR><TD><B>Charset</B></TD><TD colspan=2>0 1 2 3 4 5 6 7 8 9 - </TD></TR>");
    EXPECT_TRUE(std::regex_match(
        lines[code11 + 3],
        std::regex(R"re(<TR><TD colspan=3 align=center><BR><IMG src="bcCode11\.Jpg" )re"
                   R"re(width=\d+ height=70 alt="Code 11 \(USD-8\)" border=0></TD></TR>)re")))
        << lines[code11 + 3];
    EXPECT_EQ(lines[code11 + 4], "</TABLE>");

    // Markup and accented characters of the character sets stay readable HTML.
    const std::string all = ReadFileBytes(page);
    EXPECT_NE(all.find("&lt; = &gt;"), std::string::npos);                 // Code 128
    EXPECT_NE(all.find("&#353; &#269; &#357; &#382;"), std::string::npos); // EAN-128: š č ť ž
    EXPECT_EQ(all.find("\x9a"), std::string::npos);
    // Code 128's set ends in DEL, shown in caret form: no control byte reaches the page.
    EXPECT_NE(all.find("} ~ ^? </TD>"), std::string::npos);
    EXPECT_EQ(std::count_if(all.begin(), all.end(),
                            [](char c) { return c == 0x7F || (c > 0 && c < 32 && c != '\r' && c != '\n'); }),
              0);
    // 25 symbologies with one picture (four of them two-dimensional), the 10 that take a 2- or
    // 5-digit add-on with three, UPC shipping with its six-digit add-on with two.
    size_t pictures = 0;
    for (const auto& entry : std::filesystem::directory_iterator(page.parent_path()))
        pictures += entry.path().extension() == ".Jpg";
    EXPECT_EQ(pictures, 25u + 3u * 10u + 2u);

    // UPC shipping: samples of the lengths it accepts (14 digits, and 14 + blank + 6).
    const size_t shipping =
        IndexOf(lines, "<BR><BR><BR><BR><TABLE cols=3 rules=NONE border=0 width=\"100%\"><TR><TH "
                       "colspan=3 color=yellow><H3>UPC-Shipping</H3></TD></TR>");
    ASSERT_LT(shipping + 8, lines.size());
    EXPECT_EQ(lines[shipping + 2], "<TR><TD><B>Supplement</B></TD><TD colspan=2>6 digits</TD></TR>");
    EXPECT_EQ(lines[shipping + 5], "<TR>");
    const std::regex shippingCell(
        R"re(<TD align=center><IMG src="bcUPCShipping(_6)?\.Jpg" width=(\d+) height=70></TD>)re");
    for (size_t i = 0; i < 2; ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(lines[shipping + 6 + i], m, shippingCell)) << lines[shipping + 6 + i];
        EXPECT_GT(std::stoi(m[2]), 100);
    }
    EXPECT_EQ(lines[shipping + 8], "</TR>");
}

// Every catalogue picture of a symbology that zxing reads scans (on the page's white, with
// room around it): the pictures are drawn with whole-pixel modules.
TEST(ExportHtml, PicturesScan) {
    TempDir dir;
    TEan barcode;
    ASSERT_TRUE(ExportHtml(barcode, dir.file("page.htm"), hpBmp));
    const struct {
        const char* file;
        const char* format;
        bool fullAscii;
    } rows[] = {
        {"bcEan8.Bmp", "EAN8", false},
        {"bcEan13.Bmp", "EAN13", false},
        {"bcCodabar.Bmp", "Codabar", false},
        {"bcCode39Standard.Bmp", "Code39", false},
        {"bcCode39Full.Bmp", "Code39", true},
        {"bcCode93Standard.Bmp", "Code93", false},
        {"bcCode93Full.Bmp", "Code93", false},
        {"bcCode128.Bmp", "Code128", false},
        {"bc25Interleaved.Bmp", "ITF", false},
        {"bcITF.Bmp", "ITF", false},
        {"bcISBN.Bmp", "EAN13", false},
        {"bcISSN.Bmp", "EAN13", false},
        {"bcISMN.Bmp", "EAN13", false},
        {"bcOPC.Bmp", "ITF", false},
        {"bcUPCA.Bmp", "UPCA", false},
        {"bcUPCE0.Bmp", "UPCE", false},
        {"bcUPCShipping.Bmp", "ITF", false},
        {"bcJAN8.Bmp", "EAN8", false},
        {"bcJAN13.Bmp", "EAN13", false},
        {"bcEan128.Bmp", "Code128", false},
        {"bcPZN.Bmp", "Code39", false},
        {"bcQRCode.Bmp", kMatrixFormats, false},
        {"bcDataMatrix.Bmp", kMatrixFormats, false},
        {"bcPDF417.Bmp", kMatrixFormats, false},
        {"bcAztec.Bmp", kMatrixFormats, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const QImage picture(QString::fromStdString((dir.path() / row.file).string()));
        ASSERT_FALSE(picture.isNull());
        QImage page(picture.size() + QSize(40, 40), QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        painter.drawImage(20, 20, picture);
        painter.end();
        const DecodeResult read = DecodeImage(page, row.format, row.fullAscii);
        EXPECT_TRUE(read.ok) << read.error;
    }
}

TEST(ExportHtml, OtherPictureFormats) {
    struct Row {
        int format;
        const char* file;
        const char* magic;
    } rows[] = {
        {hpBmp, "bcCode128.Bmp", "BM"},
        {hpWmf, "bcCode128.Wmf", "\xD7\xCD\xC6\x9A"},
        {hpEmf, "bcCode128.Emf", "\x01\x00\x00\x00"},
    };
    for (const Row& row : rows) {
        TempDir dir;
        TEan barcode;
        ASSERT_TRUE(ExportHtml(barcode, dir.file("page.htm"), row.format));
        EXPECT_EQ(ReadFileBytes(dir.path() / row.file).rfind(row.magic, 0), 0u) << row.file;
    }

    // GIF: the page still written, no pictures (the window says why: ExportHtmlPage).
    TempDir dir;
    TEan barcode;
    ASSERT_TRUE(ExportHtml(barcode, dir.file("page.htm"), hpGif));
    EXPECT_NE(ReadFileBytes(dir.path() / "page.htm").find("src=\"bcEan13.Gif\""), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "bcEan13.Gif"));
    EXPECT_FALSE(ExportHtml(barcode, dir.file("other.htm"), 5));
}

} // namespace
} // namespace etikor::test
