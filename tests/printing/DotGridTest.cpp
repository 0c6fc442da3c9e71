// Bars on the printer's dot grid: etikor-print writes PDFs for 203, 300 and 600 dpi printers,
// which are rendered at that resolution without smoothing (as a thermal printer prints them)
// and read back with zxing-cpp; every bar and space is a whole number of modules of whole dots,
// with its edges on dot boundaries (a smoothed rendering shows no grey along the bars), and the
// symbol stays inside its box. Seven symbologies, upright and turned, 0.21 to 0.40 mm modules.

#include "barcode/Ean.h"
#include "document/DataModule.h"
#include "document/Settings.h"
#include "document/TemplateSchema.h"
#include "support/TempDir.h"
#include "tablestore/StoreTable.h"

#include "ImageDecoder.h"
#include "RunTool.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace etikor {
namespace {

using test::RunTool;
using test::TempDir;

struct Symbol {
    const char* Name;
    int TypeIndex; // the designer's list
    const char* Value;
    const char* Format; // zxing's name
    const char* Read;   // what the reader must find in what it reads (check digits aside)
};

const Symbol kSymbols[] = {
    {"EAN-13", 9, "590123412345", "EAN13", "5901234123457"},
    {"UPC-A", 13, "03600029145", "UPCA", "036000291452"},
    {"Code 128", 5, "ETK42", "Code128", "ETK42"},
    {"EAN-128", 8, "10123456", "Code128", "10123456"},
    {"Code 39", 7, "E42", "Code39", "E42"},
    {"ITF", 2, "123456", "ITF", "123456"},
    {"Codabar", 4, "40156", "Codabar", "40156"},
};
constexpr double kModulesMm[] = {0.21, 0.25, 0.30, 0.33, 0.40};
constexpr int kDpis[] = {203, 300, 600};
constexpr int kBarHeightPx = 57; // 15 mm

// One barcode of a sheet: where it stands in designer pixels (96 per inch from the label's
// corner, which is the page's), the box it prints in, and how many modules it has.
struct Placed {
    const Symbol* Code;
    int Angle;
    TPixelRect Px;
    TPixelRect Printed;
    int Modules;
};

// With the check digits the program adds: the module count of the symbol and the width a
// printed element has at least (a screen pixel a module).
int MinimumWidth(const Symbol& symbol) {
    TEan ean;
    ean.SetAutoCheckDigit(true);
    ean.SetTypBarCode(*BarcodeTypeForIndex(symbol.TypeIndex));
    ean.SetBarCode(symbol.Value);
    return ean.MinimumWidth();
}

int ToPx(double mm) {
    return static_cast<int>(std::lround(mm * 96 / 25.4));
}

// An A4 label with every symbol at `moduleMm`: upright ones in a column on the left, turned ones
// three in a row on the right, 10 mm apart at least. A printed element is never narrower than
// its minimum width: an upright symbol gets modules of 0.26 mm at least, a turned one longer bars.
std::vector<Placed> SheetOf(double moduleMm) {
    std::vector<Placed> sheet;
    int i = 0;
    for (const Symbol& symbol : kSymbols) {
        const int minimum = MinimumWidth(symbol);
        const int modules = minimum - 1;
        const int length = ToPx(modules * moduleMm);
        const TPixelRect upright{ToPx(10), ToPx(10 + 25 * i), length, kBarHeightPx};
        const TPixelRect turned{ToPx(80 + 42 * (i % 3)), ToPx(10 + 62 * (i / 3)), kBarHeightPx, length};
        TPixelRect printed = upright;
        printed.Width = std::max(printed.Width, minimum);
        sheet.push_back({&symbol, 0, upright, printed, modules});
        printed = turned;
        printed.Width = std::max(printed.Width, minimum);
        sheet.push_back({&symbol, 90, turned, printed, modules});
        ++i;
    }
    return sheet;
}

void WriteTemplate(const std::string& path, const std::vector<Placed>& sheet) {
    TStoreTable t;
    t.FieldDefs = ElemekFieldDefs();
    t.Open();
    TPageSetup page;
    page.TopMarginMm = page.BottomMarginMm = page.LeftMarginMm = page.RightMarginMm = 0;
    page.Columns = 1;
    page.LabelHeightMm = 297;
    page.LabelWidthMm = 210;
    AppendPageSetupRow(t, page);
    int n = 0;
    for (const Placed& placed : sheet) {
        AppendElementRow(t, TElemKind::ekBarcode, "Vkod_" + std::to_string(++n), placed.Px);
        t.Edit();
        t.FieldByName("Vk_index").SetAsInteger(placed.Code->TypeIndex);
        t.FieldByName("FErtek").SetAsString(placed.Code->Value);
        t.FieldByName("Forgat").SetAsInteger(placed.Angle / 90);
        t.FieldByName("Betu").SetAsString("Arial,8,,0,clBlack,1");
        t.FieldByName("Left_mm").SetAsFloat(placed.Px.Left * 25.4 / 96);
        t.FieldByName("Top_mm").SetAsFloat(placed.Px.Top * 25.4 / 96);
        t.FieldByName("Width_mm").SetAsFloat(placed.Px.Width * 25.4 / 96);
        t.FieldByName("Height_mm").SetAsFloat(placed.Px.Height * 25.4 / 96);
        t.Post();
    }
    t.SaveTable(path);
}

// Whole-pixel modules and check digits on, no automatic size.
std::string WriteSettings(const TempDir& dir) {
    const std::string path = dir.file("etikor.ini");
    TSettings settings;
    settings.Security = true;
    settings.AutoVonal = false;
    settings.AutoChd = true;
    TSettingsFile::At(QString::fromStdString(path)).Write(settings);
    return path;
}

// One record: the label prints once.
void WriteSeries(const std::string& path) {
    TStoreTable t;
    t.FieldDefs = SeriesFieldDefs();
    t.Open();
    t.Append();
    t.FieldByName("Vonalkod1").SetAsString("1");
    t.Post();
    t.SaveTable(path);
}

// The first page of a PDF as gray pixels at `dpi`: as a thermal printer prints it, without
// smoothing (poppler's own renderer), or smoothed, so that a dot an edge cuts shows grey (cairo:
// poppler's renderer moves the edges of smoothed rectangles onto whole pixels).
QImage Render(const std::string& pdf, int dpi, bool smooth) {
    const std::string prefix = pdf + (smooth ? ".aa" : ".mono");
    std::vector<std::string> arguments = {"-png", "-r", std::to_string(dpi), "-gray", "-f", "1",
                                          "-l",   "1",  "-singlefile"};
    if (smooth)
        arguments.insert(arguments.end(), {"-antialias", "gray"});
    else
        arguments.insert(arguments.end(), {"-aa", "no", "-aaVector", "no"});
    arguments.insert(arguments.end(), {pdf, prefix});
    const QString program = smooth ? QStringLiteral("pdftocairo") : QStringLiteral("pdftoppm");
    if (RunTool(QStandardPaths::findExecutable(program).toStdString(), arguments).exitCode != 0)
        return {};
    return QImage(QString::fromStdString(prefix + ".png")).convertToFormat(QImage::Format_Grayscale8);
}

// The box of a barcode in dots: its corner on the grid, its size in whole dots (millimetres
// from pixels, dots from millimetres, as the page is printed).
QRect BoxInDots(const TPixelRect& px, int dpi) {
    auto dots = [dpi](int pixels) {
        const double mm = pixels * (25.4 / 96);
        return static_cast<int>(std::lround(mm * (dpi / 25.4)));
    };
    return QRect(dots(px.Left), dots(px.Top), dots(px.Width), dots(px.Height));
}

// The pixels along the bars: a row a quarter down an upright symbol, a column a quarter in from
// the left of a turned one (its bars start there, its text is on the right), reaching `margin`
// beyond the box on both sides.
std::vector<int> AcrossBars(const QImage& image, const QRect& box, int angle, int margin) {
    std::vector<int> line;
    if (angle == 0) {
        const int y = box.top() + box.height() / 4;
        for (int x = box.left() - margin; x < box.left() + box.width() + margin; ++x)
            line.push_back(qGray(image.pixel(x, y)));
    } else {
        const int x = box.left() + box.width() / 4;
        for (int y = box.top() + box.height() + margin - 1; y >= box.top() - margin; --y)
            line.push_back(qGray(image.pixel(x, y)));
    }
    return line;
}

struct Outcome {
    bool Decoded = false;
    bool OnGrid = false; // every run a whole number of modules, every edge on a dot boundary
    bool Inside = false;
    int DotsPerModule = 0;
    std::string Problem;
};

Outcome Check(const QImage& mono, const QImage& smooth, const Placed& placed, int dpi) {
    Outcome outcome;
    const QRect box = BoxInDots(placed.Printed, dpi);
    const int margin = static_cast<int>(std::lround(5 * dpi / 25.4));
    const QImage crop = mono.copy(box.adjusted(-margin, -margin, margin, margin));
    const test::DecodeResult read = test::DecodeImage(crop, placed.Code->Format);
    outcome.Decoded = read.ok && read.text.find(placed.Code->Read) != std::string::npos;
    if (!outcome.Decoded)
        outcome.Problem += "read '" + read.text + "' " + read.error + "; ";

    // Whole dots a module: the length along the bars over the modules, never more.
    const int length = placed.Angle == 0 ? box.width() : box.height();
    outcome.DotsPerModule = length / placed.Modules;
    const std::vector<int> line = AcrossBars(mono, box, placed.Angle, margin);
    std::vector<int> runs;
    int first = -1, last = -1;
    for (size_t i = 0; i < line.size(); ++i)
        if (line[i] < 128) {
            if (first < 0)
                first = static_cast<int>(i);
            last = static_cast<int>(i);
        }
    outcome.Inside = first >= margin && last < margin + length;
    if (!outcome.Inside)
        outcome.Problem += "dark from " + std::to_string(first - margin) + " to " +
                           std::to_string(last - margin) + " in a box of " + std::to_string(length) +
                           " dots; ";
    bool wholeModules = first >= 0 && outcome.DotsPerModule > 0;
    for (int i = first; wholeModules && i <= last;) {
        const bool dark = line[static_cast<size_t>(i)] < 128;
        int j = i;
        while (j <= last && (line[static_cast<size_t>(j)] < 128) == dark)
            ++j;
        if ((j - i) % outcome.DotsPerModule != 0) {
            wholeModules = false;
            outcome.Problem += "a run of " + std::to_string(j - i) + " dots; ";
        }
        i = j;
    }
    // Smoothed, an edge between two dots shades the dot it cuts.
    bool sharp = true;
    for (int value : AcrossBars(smooth, box, placed.Angle, margin))
        if (value > 16 && value < 239) {
            sharp = false;
            outcome.Problem += "grey " + std::to_string(value) + " along the bars; ";
            break;
        }
    outcome.OnGrid = wholeModules && sharp;
    return outcome;
}

TEST(DotGrid, PdfsForEveryPrinterResolutionScanWithWholeDotModules) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdftocairo")).isEmpty())
        GTEST_SKIP() << "pdftoppm and pdftocairo (poppler-utils) are not installed";
    // A page at 600 dpi is larger than an image reader takes by default.
    QImageReader::setAllocationLimit(1024);
    TempDir dir;
    const std::string series = dir.file("Lapok.sor");
    WriteSeries(series);
    const std::string settings = WriteSettings(dir);
    std::string table = "symbology   angle  module  dpi  dots/module  printed mm  zxing  grid\n";
    for (double moduleMm : kModulesMm) {
        const std::vector<Placed> sheet = SheetOf(moduleMm);
        const std::string ctv = dir.file("Lapok.ctv");
        WriteTemplate(ctv, sheet);
        for (int dpi : kDpis) {
            const std::string pdf = dir.file("lapok-" + std::to_string(dpi) + ".pdf");
            const test::ToolResult run =
                RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--series", series, "--settings", settings,
                                            "-o", pdf, "--dpi", std::to_string(dpi)});
            ASSERT_EQ(run.exitCode, 0) << run.err;
            const QImage mono = Render(pdf, dpi, false);
            const QImage smooth = Render(pdf, dpi, true);
            ASSERT_FALSE(mono.isNull() || smooth.isNull());
            for (const Placed& placed : sheet) {
                const Outcome outcome = Check(mono, smooth, placed, dpi);
                char line[160];
                std::snprintf(line, sizeof line, "%-10s  %5d  %6.2f  %3d  %11d  %10.3f  %-5s  %s\n",
                              placed.Code->Name, placed.Angle, moduleMm, dpi, outcome.DotsPerModule,
                              outcome.DotsPerModule * 25.4 / dpi, outcome.Decoded ? "yes" : "NO",
                              outcome.OnGrid && outcome.Inside ? "yes" : "NO");
                table += line;
                SCOPED_TRACE(line);
                EXPECT_TRUE(outcome.Decoded) << outcome.Problem;
                EXPECT_TRUE(outcome.OnGrid) << outcome.Problem;
                EXPECT_TRUE(outcome.Inside) << outcome.Problem;
            }
        }
    }
    std::fputs(table.c_str(), stdout);
}

} // namespace
} // namespace etikor
