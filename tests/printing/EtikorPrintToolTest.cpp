// etikor-print as a user runs it: a template and its series written with the table store, the
// prepared pages listed with --layout, a PDF written through the real print path and read
// back with pdfinfo and pdftotext; one sheet rendered to an image whose barcode decodes.

#include "document/DataModule.h"
#include "document/LabelTemplate.h"
#include "document/Settings.h"
#include "pageengine/PreparedFile.h"
#include "pageengine/ReportPaint.h"
#include "printing/LabelReport.h"
#include "printing/PrintSequence.h"
#include "support/ImageShift.h"
#include "support/PrivateCups.h"
#include "support/TempDir.h"
#include "tablestore/StoreTable.h"

#include "ImageDecoder.h"
#include "RunTool.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace etikor {
namespace {

using test::RunTool;
using test::TempDir;

// 200 x 150 mm, 3 columns, 5 mm side margins, 10 mm top and bottom, 30 mm labels: four labels
// per column, twelve per page.
TPageSetup Sheet() {
    TPageSetup setup;
    setup.PageWidthMm = 200;
    setup.PageLengthMm = 150;
    setup.TopMarginMm = setup.BottomMarginMm = 10;
    setup.LeftMarginMm = setup.RightMarginMm = 5;
    setup.Columns = 3;
    setup.ColumnSpaceMm = 3;
    setup.LabelHeightMm = 30;
    setup.LabelWidthMm = 60;
    return setup;
}

// A template with a data-bound text, a fixed text and a Code 128 bound to `field` (its value
// not shown under the bars), on `page` (none: a template without a page-setup row); with the
// picture file `picture` too when one is named.
std::string WriteTemplate(const TempDir& dir, std::optional<TPageSetup> page = Sheet(),
                          const char* field = "Vonalkod1", const char* picture = nullptr) {
    const std::string path = dir.file("Cimke.ctv");
    TStoreTable t;
    t.FieldDefs = ElemekFieldDefs();
    t.Open();
    if (page)
        AppendPageSetupRow(t, *page);
    auto element = [&](TElemKind kind, const char* name, TPixelRect px, TMmRect mm, const char* forras,
                       const char* fertek) {
        AppendElementRow(t, kind, name, px);
        t.Edit();
        t.FieldByName("Forras").SetAsString(forras);
        t.FieldByName("FErtek").SetAsString(fertek);
        t.FieldByName("Left_mm").SetAsFloat(mm.Left);
        t.FieldByName("Top_mm").SetAsFloat(mm.Top);
        t.FieldByName("Width_mm").SetAsFloat(mm.Width);
        t.FieldByName("Height_mm").SetAsFloat(mm.Height);
        t.FieldByName("Betu").SetAsString("Arial,10,,0,clBlack,1");
        if (kind == TElemKind::ekBarcode)
            t.FieldByName("VErtek").SetAsBoolean(false);
        t.Post();
    };
    element(TElemKind::ekText, "Szoveg_1", {8, 4, 80, 16}, {2, 1, 21, 4}, field, "");
    element(TElemKind::ekText, "Szoveg_2", {120, 4, 60, 16}, {32.5, 1, 16, 4}, "", "Etikor");
    element(TElemKind::ekBarcode, "Vkod_1", {8, 30, 200, 70}, {2, 8, 53, 18.5}, field, "12345678");
    if (picture)
        element(TElemKind::ekPicture, "Kep_1", {200, 4, 20, 20}, {50, 1, 5, 5}, "kep", picture);
    t.SaveTable(path);
    return path;
}

std::string WriteSeries(const TempDir& dir, int count) {
    const std::string path = dir.file("Cimke.sor");
    TStoreTable t;
    t.FieldDefs = SeriesFieldDefs();
    t.Open();
    for (int i = 1; i <= count; ++i) {
        char value[16];
        std::snprintf(value, sizeof value, "ETK%04d", i);
        t.Append();
        t.FieldByName("Vonalkod1").SetAsString(value);
        t.FieldByName("Tipus1").SetAsInteger(5);
        t.Post();
    }
    t.SaveTable(path);
    return path;
}

QStringList Lines(const std::string& text) {
    return QString::fromStdString(text).split('\n', Qt::SkipEmptyParts);
}

TEST(EtikorPrintTool, LayoutListsEveryPlacedItem) {
    TempDir dir;
    const std::string ctv = WriteTemplate(dir);
    WriteSeries(dir, 14);
    const test::ToolResult run =
        RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--skip", "2", "--frame", "--layout"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QStringList lines = Lines(run.out);
    // 16 places (2 skipped): 16 frames, 14 x 3 items.
    ASSERT_EQ(lines.size(), 16 + 14 * 3);
    // The band stacks by source: the fixed text (empty source) first, then the bound items.
    const QStringList expected = {
        "1\tframe\t5.000\t10.000\t61.333\t30.000\t",      // skipped place 1
        "1\tframe\t5.000\t40.000\t61.333\t30.000\t",      // skipped place 2
        "1\ttext\t37.500\t71.000\t16.000\t4.000\tEtikor", // first record, third place
        "1\tdatatext\t7.000\t71.000\t21.000\t4.000\tETK0001",
        "1\tbarcode\t7.117\t77.938\t52.917\t18.521\tETK0001",
        "1\tframe\t5.000\t70.000\t61.333\t30.000\t",
    };
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << i;
    // The fifth place starts the second column; the 13th place the second page.
    EXPECT_TRUE(lines.contains("1\tframe\t69.333\t10.000\t61.333\t30.000\t"));
    EXPECT_TRUE(lines.contains("2\tdatatext\t7.000\t11.000\t21.000\t4.000\tETK0011"));
}

// The metafile that crashed etikor-print in Qt's glyph rasteriser (text stretched thousands of
// times more in one direction than the other) prints as a picture.
TEST(EtikorPrintTool, TheStretchedTextMetafileThatCrashedPrints) {
    TempDir dir;
    const std::string picture = ETIKOR_DOCUMENT_FIXTURES "/stretched_text.wmf";
    const std::string ctv = WriteTemplate(dir, Sheet(), "Vonalkod1", picture.c_str());
    WriteSeries(dir, 2);
    const test::ToolResult layout = RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--layout"});
    ASSERT_EQ(layout.exitCode, 0) << layout.err;
    EXPECT_EQ(Lines(layout.out).filter(QStringLiteral("\tpicture\t")).size(), 2);
    EXPECT_EQ(Lines(layout.out).filter(QString::fromStdString(picture)).size(), 2);
    const test::ToolResult pdf = RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "-o", dir.file("out.pdf")});
    EXPECT_EQ(pdf.exitCode, 0) << pdf.err;
}

// A worksheet prints as a linked one: the skipped places, then its rows in the order of its
// first column; the file is only read.
TEST(EtikorPrintTool, AWorksheetPrintsInTheOrderOfItsFirstColumn) {
    TempDir dir;
    const std::string ctv = WriteTemplate(dir);
    const std::string csv = dir.file("adatok.csv");
    const std::string sheet = "Vonalkod1;Ar\nETK0003;30\nETK0001;10\nETK0002;20\n";
    {
        std::FILE* f = std::fopen(csv.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs(sheet.c_str(), f);
        std::fclose(f);
    }
    const test::ToolResult run =
        RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--data", csv, "--skip", "1", "--layout"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    QStringList values;
    for (const QString& line : Lines(run.out))
        if (line.contains("\tdatatext\t"))
            values << line.section('\t', 6);
    EXPECT_EQ(values, (QStringList{"ETK0001", "ETK0002", "ETK0003"}));
    // The first record takes the second place of the first column.
    EXPECT_TRUE(Lines(run.out).contains("1\tdatatext\t7.000\t41.000\t21.000\t4.000\tETK0001"));
    std::string after(sheet.size() + 8, '\0');
    std::FILE* f = std::fopen(csv.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    after.resize(std::fread(after.data(), 1, after.size(), f));
    std::fclose(f);
    EXPECT_EQ(after, sheet);
}

// What a worksheet cell gives a label, from sheets written as spreadsheet programs write them
// (fixtures/make_value_sheets.py beside the link tests) and .csv files as typed: exactly what
// the sheet shows, the value's line breaks, tabs and NULs escaped in the listing.
TEST(EtikorPrintTool, WorksheetValuesReachTheLabelsAsTheSheetShowsThem) {
    TempDir dir;
    const std::string fixtures = ETIKOR_EXCHANGE_FIXTURES;
    const auto csv = [&dir](const char* name, const std::string& text) {
        const std::string path = dir.file(name);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
        return path;
    };
    const std::string nul(1, '\0');
    const struct {
        std::string data;
        const char* field;
        QStringList values; // in the order of the sheet's first column
        const char* why;
    } cases[] = {
        {fixtures + "/formulas.xls", "Kod", {"X1", "X2", "X3"}, "text results of .xls formulas"},
        {fixtures + "/formulas.xls", "Dupla", {"2", "4", "6"}, "number results of .xls formulas"},
        {csv("kodok.csv", "Kod;Db\n123456789012345678;1\n1234567890123456;2\n12.50;3\n+36;4\n-0;5\n1e5;6\n"),
         "Kod",
         {"+36", "-0", "12.50", "1234567890123456", "123456789012345678", "1e5"},
         ".csv values as written"},
        {fixtures + "/spacing.ods",
         "Ertek",
         {" X ", "12345", "A\\tB", "A   B", "elso\\nmasodik", "sor1\\nsor2"},
         ".ods spacing, no annotation, breaks escaped"},
        {csv("nul.csv", "Kod\nA" + nul + "B\n"), "Kod", {"A\\0B"}, "a NUL byte"},
        {csv("nev.csv", "N\xC3\xA9v\nAlma\nK\xF6rte\n\xC3\x81ll\n"),
         "N\xE9v",
         {"\xC3\x81ll", "Alma", "K\xC3\xB6rte"},
         "UTF-8 with one Windows-1250 byte"},
    };
    for (const auto& c : cases) {
        const std::string ctv = WriteTemplate(dir, Sheet(), c.field);
        const test::ToolResult run =
            RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--data", c.data, "--layout"});
        ASSERT_EQ(run.exitCode, 0) << c.why << "\n" << run.err;
        QStringList values;
        for (const QString& line : Lines(run.out))
            if (line.contains("\tdatatext\t"))
                values << line.section('\t', 6);
        EXPECT_EQ(values, c.values) << c.why;
    }
    const test::ToolResult bad =
        RunTool(ETIKOR_PRINT_TOOL, {"--template", WriteTemplate(dir, Sheet(), "N\xE9v"), "--data",
                                    dir.file("nev.csv"), "--layout"});
    EXPECT_NE(bad.err.find("the first on line 3"), std::string::npos) << bad.err;
}

// A date cell of an .xlsx prints as the same day from an .ods does, not as its serial number.
TEST(EtikorPrintTool, XlsxDatesPrintAsDates) {
    TempDir dir;
    const std::string ctv = WriteTemplate(dir, Sheet(), "Nap");
    QStringList printed[2];
    const std::string files[2] = {std::string(ETIKOR_EXCHANGE_FIXTURES) + "/dates.xlsx",
                                  std::string(ETIKOR_EXCHANGE_FIXTURES) + "/linked.ods"};
    for (int i = 0; i < 2; ++i) {
        const test::ToolResult run =
            RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--data", files[i], "--layout"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        for (const QString& line : Lines(run.out))
            if (line.contains("\tdatatext\t"))
                printed[i] << line.section('\t', 6);
    }
    ASSERT_FALSE(printed[0].isEmpty());
    EXPECT_FALSE(printed[0].first().contains("45413"));
    EXPECT_EQ(printed[0].first(), printed[1].first()) << "2024-05-01 from both";
}

TEST(EtikorPrintTool, RefusesBadSkipCountsAndArguments) {
    test::DesktopLanguage hungarian("hu");
    TempDir dir;
    const std::string ctv = WriteTemplate(dir);
    struct Row {
        std::vector<std::string> args;
        int exitCode;
        const char* err;
    };
    const Row rows[] = {
        {{"--template", ctv, "--skip", "49", "--layout"}, 1, "49 túl nagy szám! (Max.: 48)"},
        {{"--template", ctv, "--skip", "x", "--layout"}, 1, "x nem szám!"},
        {{"--template", ctv}, 2, "give exactly one of -o, --printer, --layout and --verify-only"},
        {{"--layout"}, 2, "--template is required"},
        {{"--template", ctv, "--series", "a.sor", "--data", "a.csv", "--layout"},
         2,
         "give --series or --data"},
        {{"--template", ctv, "--copies", "0", "--layout"}, 2, "--copies needs a whole number"},
        {{"--template", ctv, "-o", "a.pdf", "--dpi", "203dpi"},
         2,
         "--dpi needs a whole number from 72 to 2400"},
        {{"--template", ctv, "-o", "a.pdf", "--dpi", "9600"},
         2,
         "--dpi needs a whole number from 72 to 2400"},
        {{"--template", ctv, "--layout", "--dpi", "300"}, 2, "--dpi goes with -o"},
        {{"--template", ctv, "--printer", "nincs-ilyen-sor"}, 1, "no print queue named 'nincs-ilyen-sor'"},
        {{"--template", ctv, "-o", "a.pdf", "--job-pages", "2"}, 2, "--job-pages goes with --printer"},
        {{"--template", ctv, "--printer", "p", "--job-pages", "0"}, 2, "--job-pages needs a whole number"},
        {{"--template", ctv, "--layout", "--repack"}, 2, "--repack goes with --labels"},
        {{"--template", ctv, "--layout", "--labels", "9-3"}, 2, "--labels needs a range A-B"},
        {{"--template", ctv, "--layout", "--labels", "1-31"}, 1, "the run has only 0 labels: 1-31"},
    };
    for (const Row& row : rows) {
        const test::ToolResult run = RunTool(ETIKOR_PRINT_TOOL, row.args);
        EXPECT_EQ(run.exitCode, row.exitCode) << run.err;
        EXPECT_NE(run.err.find(row.err), std::string::npos) << run.err;
    }
}

// A template holding values no control would take, or bound to fields the data lacks, prints
// nothing: the tool names them and exits 2 (unless missing fields are allowed).
TEST(EtikorPrintTool, RefusesPageValuesOutOfRangeAndMissingFields) {
    test::DesktopLanguage hungarian("hu");
    TempDir dir;
    TPageSetup tall = Sheet();
    tall.LabelHeightMm = 0;
    std::string ctv = WriteTemplate(dir, tall);
    WriteSeries(dir, 3);
    test::ToolResult run = RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--layout"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("„Címke magassága” értéke 0 mm"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());

    TPageSetup crowded = Sheet();
    crowded.Columns = 15;
    crowded.ColumnSpaceMm = 20;
    ctv = WriteTemplate(dir, crowded);
    run = RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "-o", dir.file("out.pdf")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("nem férnek el"), std::string::npos) << run.err;
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(dir.file("out.pdf"))));

    ctv = WriteTemplate(dir, Sheet(), "Cikkszam");
    run = RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--layout"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("Cikkszam"), std::string::npos) << run.err;
    run = RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--layout", "--allow-missing-fields"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Lines(run.out).size(), 3 * 3);
}

// The tool prints with the program's settings: a template without a page setup on the
// settings' default page.
TEST(EtikorPrintTool, PrintsWithTheSettingsFile) {
    TempDir dir;
    const std::string ctv = WriteTemplate(dir, std::nullopt);
    WriteSeries(dir, 2);
    TSettings settings;
    settings.Page.LeftMarginMm = 20;
    settings.Page.TopMarginMm = 7;
    settings.Page.Columns = 2;
    settings.Page.LabelHeightMm = 40;
    const std::string ini = dir.file("sajat.ini");
    TSettingsFile::At(QString::fromStdString(ini)).Write(settings);
    test::ToolResult run =
        RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--settings", ini, "--frame", "--layout"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // (210 - 20 - 5 - 3) / 2 = 91 mm columns from the settings' left margin, 40 mm labels.
    EXPECT_TRUE(Lines(run.out).contains("1\tframe\t20.000\t7.000\t91.000\t40.000\t")) << run.out;
    run = RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--settings", dir.file("nincs.ini"), "--layout"});
    EXPECT_EQ(run.exitCode, 2);
}

// Installed (its shipped files in <prefix>/share/etikor), the tool prints with the settings the
// program keeps in the user's configuration folder.
TEST(EtikorPrintTool, InstalledPrintsWithTheUsersSettings) {
    TempDir dir;
    const std::string ctv = WriteTemplate(dir, std::nullopt);
    WriteSeries(dir, 2);
    std::filesystem::create_directories(dir.path() / "usr/bin");
    std::filesystem::create_directories(dir.path() / "usr/share/etikor/Sorozat");
    const std::string tool = dir.file("usr/bin/etikor-print");
    std::filesystem::copy_file(ETIKOR_PRINT_TOOL, tool);
    TSettings settings;
    settings.Page.LeftMarginMm = 20;
    settings.Page.TopMarginMm = 7;
    settings.Page.Columns = 2;
    settings.Page.LabelHeightMm = 40;
    std::filesystem::create_directories(dir.path() / "config/Etikor");
    TSettingsFile::At(QString::fromStdString(dir.file("config/Etikor/etikor.ini"))).Write(settings);
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string before = saved ? saved : "";
    setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
    const test::ToolResult run = RunTool(tool, {"--template", ctv, "--frame", "--layout"});
    if (saved)
        setenv("XDG_CONFIG_HOME", before.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Lines(run.out).contains("1\tframe\t20.000\t7.000\t91.000\t40.000\t")) << run.out;
}

// The first label of the tool's PDF, printed with `settings` and rendered at 600 dpi.
QImage FirstPrintedLabel(const TempDir& dir, const std::string& ctv, const std::string& name,
                         const TSettings& settings) {
    const std::string ini = dir.file(name + ".ini");
    const std::string pdf = dir.file(name + ".pdf");
    TSettingsFile::At(QString::fromStdString(ini)).Write(settings);
    const test::ToolResult run =
        RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--settings", ini, "-o", pdf});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string stem = dir.file(name);
    const test::ToolResult render =
        RunTool("/usr/bin/pdftoppm", {"-r", "600", "-aa", "no", "-aaVector", "no", "-png", "-f", "1", "-l",
                                      "1", "-singlefile", pdf, stem});
    EXPECT_EQ(render.exitCode, 0) << render.err;
    const QImage page(QString::fromStdString(stem + ".png"));
    // The sheet's first place: 5 mm from the left, 10 mm from the top, 61.33 x 30 mm.
    const double dotsPerMm = 600 / 25.4;
    return page.copy(QRectF(5 * dotsPerMm, 10 * dotsPerMm, 61.3 * dotsPerMm, 30 * dotsPerMm).toRect());
}

// The barcode settings come from the settings file too: without the automatic check digit the
// Code 128 goes without one (and no reader takes it); without whole-pixel modules the bars
// are laid out otherwise.
TEST(EtikorPrintTool, PrintsBarcodesWithTheSettingsFilesBarcodeSettings) {
    TempDir dir;
    const std::string ctv = WriteTemplate(dir);
    WriteSeries(dir, 1);
    const QImage usual = FirstPrintedLabel(dir, ctv, "alap", TSettings{});
    ASSERT_FALSE(usual.isNull());
    const test::DecodeResult read = test::DecodeImage(usual);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.text, "ETK0001");

    TSettings noCheckDigit;
    noCheckDigit.AutoChd = false;
    EXPECT_FALSE(test::DecodeImage(FirstPrintedLabel(dir, ctv, "chd", noCheckDigit)).ok);
    TSettings exact;
    exact.Security = false;
    EXPECT_NE(FirstPrintedLabel(dir, ctv, "security", exact), usual);
}

// Page 1 of a PDF written by the tool with `args` on its --dpi grid, rendered at that grid
// without smoothing (as a printer places its dots).
QImage PrintedPdfPage(const TempDir& dir, const std::string& name, std::vector<std::string> args, int dpi) {
    const std::string pdf = dir.file(name + ".pdf");
    args.insert(args.end(), {"--dpi", std::to_string(dpi), "-o", pdf});
    const test::ToolResult run = RunTool(ETIKOR_PRINT_TOOL, args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string stem = dir.file(name);
    const test::ToolResult render =
        RunTool("/usr/bin/pdftoppm", {"-r", std::to_string(dpi), "-aa", "no", "-aaVector", "no", "-gray",
                                      "-png", "-f", "1", "-l", "1", "-singlefile", pdf, stem});
    EXPECT_EQ(render.exitCode, 0) << render.err;
    return QImage(QString::fromStdString(stem + ".png")).convertToFormat(QImage::Format_Grayscale8);
}

// --offset moves every dot of the page, bars, texts and frames, by the offset taken to whole
// dots of the PDF's grid; without it a PDF is never moved, whatever calibration the settings
// keep for the queues (the PDF is for whatever printer prints it later).
TEST(EtikorPrintTool, OffsetMovesEveryDotOfThePdfAndOnlyWhenAsked) {
    TempDir dir;
    const std::string ctv = WriteTemplate(dir);
    WriteSeries(dir, 5);
    TSettings calibrated;
    calibrated.Eltolas[QStringLiteral("Termo")] = {3.0, 2.0};
    const std::string ini = dir.file("calibrated.ini");
    TSettingsFile::At(QString::fromStdString(ini)).Write(calibrated);
    const struct {
        int dpi;
        const char* offset;
        double x, y;
    } rows[] = {{300, "2.5,-1.2", 2.5, -1.2},
                {600, "2.5,-1.2", 2.5, -1.2},
                {600, "-0.3;4,1", -0.3, 4.1},
                {203, "0.1,0.1", 0.1, 0.1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.dpi) + " dpi, " + row.offset);
        const std::string name = std::to_string(row.dpi);
        const QImage plain = PrintedPdfPage(dir, name, {"--template", ctv, "--frame"}, row.dpi);
        const QImage moved = PrintedPdfPage(dir, name + "-moved",
                                            {"--template", ctv, "--frame", "--offset", row.offset}, row.dpi);
        ASSERT_FALSE(plain.isNull());
        ASSERT_EQ(plain.size(), moved.size());
        const int dx = static_cast<int>(std::lround(row.x * row.dpi / 25.4));
        const int dy = static_cast<int>(std::lround(row.y * row.dpi / 25.4));
        int dark = 0;
        EXPECT_EQ(test::DotsOffTheShift(plain, moved, dx, dy, dark), 0) << dx << ", " << dy;
        EXPECT_GT(dark, 1000);
        EXPECT_NE(plain, moved);
        // The settings' calibration of a queue does not reach a PDF.
        EXPECT_EQ(PrintedPdfPage(dir, name + "-settings", {"--template", ctv, "--frame", "--settings", ini},
                                 row.dpi),
                  plain);
    }
    for (const char* bad : {"10.1,0", "1", "a,b", "1,2,3", ""}) {
        const test::ToolResult run =
            RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--offset", bad, "-o", dir.file("bad.pdf")});
        EXPECT_EQ(run.exitCode, 2) << bad;
        EXPECT_NE(run.err.find("--offset"), std::string::npos) << run.err;
    }
}

TEST(EtikorPrintTool, AnEmptySeriesGivesOneSheetWithoutLabels) {
    test::DesktopLanguage hungarian("hu");
    TempDir dir;
    const std::string ctv = WriteTemplate(dir);
    WriteSeries(dir, 0);
    const test::ToolResult run = RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--layout"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Üres az adatforrás!"), std::string::npos);
}

// On any other desktop the messages of the program's shared code come in English.
TEST(EtikorPrintTool, SpeaksEnglishOnAnEnglishDesktop) {
    test::DesktopLanguage english("en_US");
    TempDir dir;
    WriteSeries(dir, 0);
    test::ToolResult run = RunTool(ETIKOR_PRINT_TOOL, {"--template", WriteTemplate(dir), "--layout"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.find("The data source is empty!"), std::string::npos) << run.err;
    TPageSetup tall = Sheet();
    tall.LabelHeightMm = 0;
    run = RunTool(ETIKOR_PRINT_TOOL, {"--template", WriteTemplate(dir, tall), "--layout"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("“Label height” is 0 mm"), std::string::npos) << run.err;
}

// Runs a command line and returns its standard output.
std::string Capture(const std::string& program, const std::vector<std::string>& args) {
    const test::ToolResult run = RunTool(program, args);
    EXPECT_EQ(run.exitCode, 0) << program << ": " << run.err;
    return run.out;
}

TEST(EtikorPrintTool, WritesAPdfOfTheSheetsSizeWithEveryLabel) {
    TempDir dir;
    const std::string ctv = WriteTemplate(dir);
    WriteSeries(dir, 30);
    const std::string pdf = dir.file("out.pdf");
    const test::ToolResult run = RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--copies", "2", "-o", pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    // 30 labels, 12 a page: 3 pages, twice. 200 x 150 mm in whole points.
    const QString info = QString::fromStdString(Capture("/usr/bin/pdfinfo", {pdf}));
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+6\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+567 x 425 pts"))) << info.toStdString();

    const QString text =
        QString::fromStdString(Capture("/usr/bin/pdftotext", {"-f", "1", "-l", "3", pdf, "-"}));
    EXPECT_EQ(text.count("Etikor"), 30);
    for (int i = 1; i <= 30; ++i)
        EXPECT_EQ(text.count(QString("ETK%1").arg(i, 4, 10, QChar('0'))), 1) << i;
}

// The tool lays pages out one at a time as it writes them: every page of a run with skipped
// places and collated copies holds the labels the whole-run layout puts there, each value where
// that layout places it (read back from the PDF with the words' boxes).
TEST(EtikorPrintTool, StreamedPagesHoldTheLabelsInTheirPlaces) {
    TempDir dir;
    const std::string ctv = WriteTemplate(dir);
    WriteSeries(dir, 30);
    const std::string pdf = dir.file("out.pdf");
    const test::ToolResult run =
        RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--skip", "2", "--copies", "2", "-o", pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    // The same run laid out whole, in this process.
    TStoreTable elemek;
    elemek.SetTableName(ctv);
    elemek.Open();
    TLabelTemplate model(elemek);
    model.Load();
    TStoreTable series;
    series.SetTableName(dir.file("Cimke.sor"));
    series.Open();
    const auto sequence = TPrintSequence::FromDataSet(series, 2);
    TLabelRunOptions options;
    options.DataFlag = true;
    const TReport report = BuildLabelReport(model.Elements(), model.PageSetup(), sequence.get(), options);
    const TPreparedReport prepared = Prepare(report, sequence.get());
    ASSERT_EQ(prepared.Pages.size(), 3u); // 32 places, 12 a page

    const QString info = QString::fromStdString(Capture("/usr/bin/pdfinfo", {pdf}));
    ASSERT_TRUE(info.contains(QRegularExpression("Pages:\\s+6\\n"))) << info.toStdString();
    const QRegularExpression word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="[0-9.]+" yMax="([0-9.]+)">([^<]*)</word>)re");
    constexpr double kPtPerMm = 72 / 25.4;
    for (int sheet = 1; sheet <= 6; ++sheet) {
        SCOPED_TRACE("sheet " + std::to_string(sheet));
        const TPreparedPage& expected = prepared.Pages[static_cast<size_t>((sheet - 1) % 3)];
        const QString page =
            QString::fromStdString(Capture("/usr/bin/pdftotext", {"-f", std::to_string(sheet), "-l",
                                                                  std::to_string(sheet), "-bbox", pdf, "-"}));
        std::map<QString, QRectF> words; // each value once a page
        for (auto it = word.globalMatch(page); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            if (m.captured(4).startsWith("ETK"))
                words[m.captured(4)] = QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                              QPointF(m.captured(1).toDouble(), m.captured(3).toDouble()));
        }
        int texts = 0;
        for (const TPlacedItem& item : expected.Items) {
            if (item.Kind != TItemKind::ikDataText)
                continue;
            ++texts;
            const auto found = words.find(item.Value);
            ASSERT_NE(found, words.end()) << item.Value.toStdString();
            EXPECT_NEAR(found->second.left(), item.RectMm.left() * kPtPerMm, 1.0) << item.Value.toStdString();
            EXPECT_GE(found->second.top(), item.RectMm.top() * kPtPerMm - 1.0) << item.Value.toStdString();
            EXPECT_LE(found->second.bottom(), item.RectMm.bottom() * kPtPerMm + 4.0)
                << item.Value.toStdString();
        }
        EXPECT_EQ(static_cast<int>(words.size()), texts);
        EXPECT_EQ(texts, sheet % 3 == 1 ? 10 : sheet % 3 == 2 ? 12 : 8);
    }
}

TEST(LabelSheet, ASheetRenderedToAnImageHasReadableBarcodes) {
    // The label report over the series, painted at 300 dpi; each label cut out and read (the
    // reader takes one barcode an image).
    TempDir dir;
    TStoreTable elemek;
    elemek.SetTableName(WriteTemplate(dir));
    elemek.Open();
    TLabelTemplate model(elemek);
    model.Load();
    TStoreTable series;
    series.SetTableName(WriteSeries(dir, 5));
    series.Open();
    const auto sequence = TPrintSequence::FromDataSet(series, 1);
    const TReport report = BuildLabelReport(model.Elements(), model.PageSetup(), sequence.get(), {});
    const TPreparedReport prepared = Prepare(report, sequence.get());
    const QImage sheet = RenderPage(prepared, 0, 300);
    const TPageSetup page = report.Page;
    const double dotsPerMm = 300 / 25.4;
    for (int place = 1; place <= 5; ++place) {
        SCOPED_TRACE(place);
        const QRectF labelMm(page.ColumnLeftMm(place / 4), 10 + 30 * (place % 4), page.ColumnWidthMm(), 30);
        const QRect cut(
            static_cast<int>(labelMm.left() * dotsPerMm), static_cast<int>(labelMm.top() * dotsPerMm),
            static_cast<int>(labelMm.width() * dotsPerMm), static_cast<int>(labelMm.height() * dotsPerMm));
        const test::DecodeResult read = test::DecodeImage(sheet.copy(cut));
        EXPECT_TRUE(read.ok) << read.error;
        EXPECT_EQ(read.text, QString("ETK%1").arg(place, 4, 10, QChar('0')).toStdString());
    }
}

// One label of each two-dimensional type at each angle, their settings in the stored type
// index: QR Code at level H bound to the series (0 degrees), a GS1 DataMatrix (90), PDF417 in
// one column (180) and Aztec at 50 % (270). Labels 160 x 40 mm, one column, 5 mm margins.
struct MatrixElement {
    const char* name;
    int position;
    TMatrixOptions options;
    int rotation;
    TPixelRect px;
    const char* forras;
    const char* fertek;
    const char* read; // nullptr: the series value
};

std::vector<MatrixElement> MatrixElements() {
    TMatrixOptions qrH;
    qrH.QrEcc = TQrEcc::H;
    TMatrixOptions gs1;
    gs1.DmGs1 = true;
    TMatrixOptions pdf;
    pdf.PdfColumns = 1;
    TMatrixOptions aztec;
    aztec.AztecEcc = 4;
    return {
        {"Vkod_1", 15, qrH, 0, {8, 8, 113, 113}, "Vonalkod1", "", nullptr},
        {"Vkod_2",
         16,
         gs1,
         1,
         {130, 8, 113, 113},
         "",
         "(01)09501101530003(17)261231(10)AB12",
         "01095011015300031726123110AB12"},
        {"Vkod_3", 17, pdf, 2, {252, 8, 227, 113}, "", "Etikor PDF", "Etikor PDF"},
        {"Vkod_4", 18, aztec, 3, {490, 8, 113, 113}, "", "Etikor Aztec", "Etikor Aztec"},
    };
}

constexpr double kMmPerPx = 25.4 / 96;

std::string WriteMatrixTemplate(const TempDir& dir) {
    const std::string path = dir.file("Matrix.ctv");
    TStoreTable t;
    t.FieldDefs = ElemekFieldDefs();
    t.Open();
    TPageSetup setup;
    setup.PageWidthMm = 170;
    setup.PageLengthMm = 90;
    setup.TopMarginMm = setup.BottomMarginMm = setup.LeftMarginMm = setup.RightMarginMm = 5;
    setup.Columns = 1;
    setup.LabelHeightMm = 40;
    setup.LabelWidthMm = 160;
    AppendPageSetupRow(t, setup);
    for (const MatrixElement& e : MatrixElements()) {
        AppendElementRow(t, TElemKind::ekBarcode, e.name, e.px);
        t.Edit();
        t.FieldByName("Forras").SetAsString(e.forras);
        t.FieldByName("FErtek").SetAsString(e.fertek);
        t.FieldByName("Vk_index").SetAsInteger(BarcodeStoredIndex(e.position, e.options));
        t.FieldByName("Forgat").SetAsInteger(e.rotation);
        t.FieldByName("VErtek").SetAsBoolean(false);
        t.FieldByName("Left_mm").SetAsFloat(e.px.Left * kMmPerPx);
        t.FieldByName("Top_mm").SetAsFloat(e.px.Top * kMmPerPx);
        t.FieldByName("Width_mm").SetAsFloat(e.px.Width * kMmPerPx);
        t.FieldByName("Height_mm").SetAsFloat(e.px.Height * kMmPerPx);
        t.Post();
    }
    t.SaveTable(path);
    return path;
}

std::string WriteMatrixSeries(const TempDir& dir, int count) {
    const std::string path = dir.file("Matrix.sor");
    TStoreTable t;
    t.FieldDefs = SeriesFieldDefs();
    t.Open();
    for (int i = 1; i <= count; ++i) {
        t.Append();
        t.FieldByName("Vonalkod1").SetAsString("ETK-QR-000" + std::to_string(i));
        t.FieldByName("Tipus1").SetAsInteger(15);
        t.Post();
    }
    t.SaveTable(path);
    return path;
}

// Reads every element of the label at `place` (0 at the top) on a page picture of `dpi`, each
// cut out with a millimetre around it.
void ExpectMatrixLabelReads(const QImage& page, int dpi, int place, int record) {
    const double dotsPerMm = dpi / 25.4;
    for (const MatrixElement& e : MatrixElements()) {
        SCOPED_TRACE(std::to_string(dpi) + " dpi, place " + std::to_string(place) + ", " + e.name);
        const double left = 5 + e.px.Left * kMmPerPx - 1;
        const double top = 5 + 40 * place + e.px.Top * kMmPerPx - 1;
        const QRect cut(static_cast<int>(left * dotsPerMm), static_cast<int>(top * dotsPerMm),
                        static_cast<int>((e.px.Width * kMmPerPx + 2) * dotsPerMm),
                        static_cast<int>((e.px.Height * kMmPerPx + 2) * dotsPerMm));
        const test::DecodeResult read = test::DecodeImage(page.copy(cut), test::kMatrixFormats);
        ASSERT_TRUE(read.ok) << read.error;
        EXPECT_EQ(read.text, e.read ? std::string(e.read) : "ETK-QR-000" + std::to_string(record));
    }
}

TEST(EtikorPrintTool, TwoDimensionalBarcodesReadFromThePrintedPdfAt203300And600Dpi) {
    TempDir dir;
    const std::string ctv = WriteMatrixTemplate(dir);
    WriteMatrixSeries(dir, 2);
    const std::string pdf = dir.file("matrix.pdf");
    const test::ToolResult run = RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "-o", pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (int dpi : {203, 300, 600}) {
        const std::string stem = dir.file("page" + std::to_string(dpi));
        Capture("/usr/bin/pdftoppm", {"-r", std::to_string(dpi), "-aa", "no", "-aaVector", "no", "-png", "-f",
                                      "1", "-l", "1", "-singlefile", pdf, stem});
        const QImage page(QString::fromStdString(stem + ".png"));
        ASSERT_FALSE(page.isNull());
        for (int place = 0; place < 2; ++place)
            ExpectMatrixLabelReads(page, dpi, place, place + 1);
    }
}

TEST(LabelSheet, TwoDimensionalBarcodesReadInThePreviewsPicture) {
    // The prepared page painted as the preview paints it; one place skipped, as a user may.
    TempDir dir;
    TStoreTable elemek;
    elemek.SetTableName(WriteMatrixTemplate(dir));
    elemek.Open();
    TLabelTemplate model(elemek);
    model.Load();
    TStoreTable series;
    series.SetTableName(WriteMatrixSeries(dir, 1));
    series.Open();
    const auto sequence = TPrintSequence::FromDataSet(series, 1);
    const TReport report = BuildLabelReport(model.Elements(), model.PageSetup(), sequence.get(), {});
    const TPreparedReport prepared = Prepare(report, sequence.get());
    for (int dpi : {96, 150})
        ExpectMatrixLabelReads(RenderPage(prepared, 0, dpi), dpi, 1, 1);
    // Saved by the preview and loaded again, the pages keep each symbol's settings (the GS1
    // DataMatrix would read as plain text, parentheses and all, without them).
    const QString file = QString::fromStdString(dir.file("pages.qrp"));
    ASSERT_TRUE(SavePrepared(prepared, file));
    const std::optional<TPreparedReport> loaded = LoadPrepared(file);
    ASSERT_TRUE(loaded);
    ExpectMatrixLabelReads(RenderPage(*loaded, 0, 150), 150, 1, 1);
}

} // namespace
} // namespace etikor

namespace etikor {
namespace {

// Five labels; the fourth carries 40 characters, whose Code 128 needs more than the 53 mm box
// has dots at 203 dpi (about 480 modules) but fits at 600 dpi; the automatic size is off.
struct VerifyRun {
    TempDir Dir;
    std::string Ctv = WriteTemplate(Dir);
    std::string Ini = Dir.file("verify.ini");

    VerifyRun() {
        TStoreTable t;
        t.FieldDefs = SeriesFieldDefs();
        t.Open();
        for (int i = 1; i <= 5; ++i) {
            t.Append();
            t.FieldByName("Vonalkod1")
                .SetAsString(i == 4 ? std::string(40, 'W') : "ETK000" + std::to_string(i));
            t.FieldByName("Tipus1").SetAsInteger(5);
            t.Post();
        }
        t.SaveTable(Dir.file("Cimke.sor"));
        TSettings settings;
        settings.AutoVonal = false;
        TSettingsFile::At(QString::fromStdString(Ini)).Write(settings);
    }
    test::ToolResult Print(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--template", Ctv, "--settings", Ini});
        return RunTool(ETIKOR_PRINT_TOOL, args);
    }
};

TEST(EtikorPrintTool, VerifyListsTheUnreadableLabelsAndExitsThree) {
    const VerifyRun run;
    const test::ToolResult coarse = run.Print({"--verify-only", "--dpi", "203"});
    EXPECT_EQ(coarse.exitCode, 3) << coarse.err;
    EXPECT_EQ(Lines(coarse.out), QStringList{"1\t4\t" + QString(40, 'W') +
                                             "\tCode 128 too small for a whole dot a module: no barcode"});
    EXPECT_NE(coarse.err.find("1 of 5 labels"), std::string::npos) << coarse.err;

    const test::ToolResult fine = run.Print({"--verify-only", "--dpi", "600"});
    EXPECT_EQ(fine.exitCode, 0) << fine.err;
    EXPECT_TRUE(fine.out.empty()) << fine.out;

    // --verify still writes the job, and says so in its exit status.
    const std::string pdf = run.Dir.file("verify.pdf");
    const test::ToolResult printed = run.Print({"--verify", "-o", pdf, "--dpi", "203"});
    EXPECT_EQ(printed.exitCode, 3) << printed.err;
    EXPECT_EQ(Lines(printed.out).size(), 1);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(pdf)).size() > 0);

    // --verify-only writes nothing and goes with no other output.
    EXPECT_EQ(run.Print({"--verify-only", "-o", pdf}).exitCode, 2);
    EXPECT_EQ(run.Print({"--verify", "--layout"}).exitCode, 2);
}

// A range of the run printed again: the labels on the places the whole run gave them, or from
// the first place with --repack; on a terminal a progress line tells how far the run is, with
// --quiet nothing.
TEST(EtikorPrintTool, ARangeOfTheRunPrintsAgainWithItsProgress) {
    TempDir dir;
    const std::string ctv = WriteTemplate(dir);
    WriteSeries(dir, 30);
    auto values = [](const std::string& layout) {
        std::vector<std::pair<QString, QString>> out; // value, page and place
        for (const QString& line : Lines(layout)) {
            const QStringList f = line.split('\t');
            if (f.size() == 7 && f[1] == "datatext")
                out.emplace_back(f[6], f[0] + ' ' + f[2] + ' ' + f[3]);
        }
        return out;
    };
    const auto whole = values(RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--skip", "2", "--layout"}).out);
    ASSERT_EQ(whole.size(), 30u);
    const test::ToolResult again =
        RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--skip", "2", "--labels", "10-15", "--layout"});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    const auto range = values(again.out);
    ASSERT_EQ(range.size(), 6u);
    // Label 10 was the last of the first sheet, 11 to 15 the first of the second: the same
    // places, on the reprint's first and second sheet.
    for (size_t i = 0; i < range.size(); ++i) {
        EXPECT_EQ(range[i].first, whole[9 + i].first);
        const QString place = whole[9 + i].second;
        EXPECT_EQ(range[i].second, place) << i;
    }
    const auto repacked = values(RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--skip", "2", "--labels",
                                                             "10-15", "--repack", "--layout"})
                                     .out);
    const auto fresh = values(RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "--skip", "2", "--layout"}).out);
    ASSERT_EQ(repacked.size(), 6u);
    for (size_t i = 0; i < repacked.size(); ++i) {
        EXPECT_EQ(repacked[i].first, whole[9 + i].first);
        EXPECT_EQ(repacked[i].second, fresh[i].second) << i; // after the 2 skipped places
    }

    // The progress line, when standard error is a terminal (script gives the tool one).
    const std::string script = "/usr/bin/script";
    if (!std::filesystem::exists(script))
        GTEST_SKIP() << "no script(1) to give the tool a terminal";
    const std::string pdf = dir.file("out.pdf");
    const std::string command = std::string(ETIKOR_PRINT_TOOL) + " --template " + ctv + " -o " + pdf;
    test::ToolResult shown = RunTool(script, {"-qfec", command, "/dev/null"});
    ASSERT_EQ(shown.exitCode, 0) << shown.out;
    EXPECT_NE(shown.out.find("30/30 labels prepared, 3/3 pages written, 1/1 jobs sent"), std::string::npos)
        << shown.out;
    shown = RunTool(script, {"-qfec", command + " --quiet", "/dev/null"});
    ASSERT_EQ(shown.exitCode, 0) << shown.out;
    EXPECT_EQ(shown.out.find("labels prepared"), std::string::npos) << shown.out;
    // Standard error that is no terminal: nothing.
    EXPECT_EQ(RunTool(ETIKOR_PRINT_TOOL, {"--template", ctv, "-o", pdf}).err, "");
}

// A print queue's device that is a FIFO: every job the queue prints is read whole, in the order
// printed (jobs that follow too closely arrive together and are parted at their PDF headers).
class TFifoDevice {
public:
    explicit TFifoDevice(std::string path) : FPath(std::move(path)) {
        FMade = mkfifo(FPath.c_str(), 0666) == 0;
        chmod(FPath.c_str(), 0666);
        if (FMade)
            FReader = std::thread([this] { Read(); });
    }
    ~TFifoDevice() {
        if (!FMade)
            return;
        FStop = true;
        // The reader waits for a writer: one that writes nothing wakes it.
        while (!FDone) {
            const int fd = open(FPath.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        FReader.join();
    }
    bool Made() const { return FMade; }
    const std::string& Path() const { return FPath; }
    // The jobs printed so far, each a PDF.
    std::vector<QByteArray> Jobs() {
        const std::lock_guard<std::mutex> lock(FMutex);
        std::vector<QByteArray> jobs;
        for (const QByteArray& blob : FBlobs) {
            for (qsizetype at = blob.indexOf("%PDF-"); at >= 0;) {
                const qsizetype next = blob.indexOf("%PDF-", at + 1);
                jobs.push_back(blob.mid(at, next < 0 ? -1 : next - at));
                at = next;
            }
        }
        return jobs;
    }

private:
    void Read() {
        while (!FStop) {
            const int fd = open(FPath.c_str(), O_RDONLY);
            if (fd < 0)
                break;
            QByteArray blob;
            char buffer[65536];
            for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;)
                blob.append(buffer, got);
            close(fd);
            if (!blob.isEmpty()) {
                const std::lock_guard<std::mutex> lock(FMutex);
                FBlobs.push_back(blob);
            }
        }
        FDone = true;
    }

    std::string FPath;
    bool FMade = false;
    std::atomic<bool> FStop{false};
    std::atomic<bool> FDone{false};
    std::thread FReader;
    std::mutex FMutex;
    std::vector<QByteArray> FBlobs;
};

// The labels ("ETK0001", ...) a printed PDF holds, in the order of its pages and places.
QStringList PrintedLabels(const TempDir& dir, const QByteArray& pdf) {
    static int count = 0;
    const std::string path = dir.file("job" + std::to_string(++count) + ".pdf");
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return {};
    file.close();
    QStringList labels;
    const QRegularExpression label(QStringLiteral("ETK\\d{4}"));
    const QString text = QString::fromStdString(Capture("/usr/bin/pdftotext", {"-raw", path, "-"}));
    for (auto it = label.globalMatch(text); it.hasNext();)
        labels << it.next().captured();
    return labels;
}

// A large run sent to a printer class of two queues in jobs of one sheet: the class spreads the
// jobs over both, every label prints exactly once, in order within each job; a range of it
// printed again gives exactly those labels.
TEST(EtikorPrintTool, JobsOfARunSpreadOverAPrinterClass) {
    TempDir dir;
    test::TPrivateCups cups(QString::fromStdString(dir.path().string()));
    const QString problem = cups.Start();
    if (!problem.isEmpty())
        GTEST_SKIP() << "no private CUPS server here: " << problem.toStdString();
    TFifoDevice first(dir.file("out/elso.fifo")), second(dir.file("out/masodik.fifo"));
    ASSERT_TRUE(first.Made() && second.Made());
    ASSERT_TRUE(cups.AddPdfQueue("Elso", QString::fromStdString(first.Path())) &&
                cups.AddPdfQueue("Masodik", QString::fromStdString(second.Path())));
    ASSERT_TRUE(cups.AddClass("Raktar", {"Elso", "Masodik"}));
    const std::string ctv = WriteTemplate(dir);
    WriteSeries(dir, 118);
    setenv("CUPS_SERVER", cups.Socket().toUtf8().constData(), 1);
    auto printedJobs = [&](size_t expected) {
        for (int wait = 0; wait < 600 && first.Jobs().size() + second.Jobs().size() < expected; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return first.Jobs().size() + second.Jobs().size();
    };

    // 2 places skipped and 118 labels: 10 sheets of 12 places.
    test::ToolResult run = RunTool(
        ETIKOR_PRINT_TOOL, {"--template", ctv, "--skip", "2", "--printer", "Raktar", "--job-pages", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, ""); // no progress line: standard error is no terminal
    ASSERT_EQ(printedJobs(10), 10u);
    EXPECT_FALSE(first.Jobs().empty());
    EXPECT_FALSE(second.Jobs().empty());
    std::map<int, int> printed; // label, times
    for (TFifoDevice* device : {&first, &second})
        for (const QByteArray& job : device->Jobs()) {
            const QStringList labels = PrintedLabels(dir, job);
            ASSERT_FALSE(labels.isEmpty());
            // A sheet, in order: the first holds 10 labels, the others 12.
            EXPECT_TRUE(labels.size() == 12 || (labels.size() == 10 && labels.front() == "ETK0001"))
                << labels.join(' ').toStdString();
            for (int i = 0; i < labels.size(); ++i) {
                const int number = labels[i].mid(3).toInt();
                ++printed[number];
                if (i > 0) {
                    EXPECT_EQ(number, labels[i - 1].mid(3).toInt() + 1) << labels.join(' ').toStdString();
                }
            }
        }
    ASSERT_EQ(printed.size(), 118u);
    EXPECT_EQ(printed.begin()->first, 1);
    EXPECT_EQ(printed.rbegin()->first, 118);
    for (const auto& [label, times] : printed)
        EXPECT_EQ(times, 1) << label;

    // Labels 30 to 40 again, on the places they had: one job more.
    const size_t firstBefore = first.Jobs().size(), secondBefore = second.Jobs().size();
    run = RunTool(ETIKOR_PRINT_TOOL,
                  {"--template", ctv, "--skip", "2", "--printer", "Raktar", "--labels", "30-40"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(printedJobs(11), 11u);
    const std::vector<QByteArray> again = first.Jobs().size() > firstBefore ? first.Jobs() : second.Jobs();
    const QStringList reprinted =
        PrintedLabels(dir, again[first.Jobs().size() > firstBefore ? firstBefore : secondBefore]);
    QStringList expected;
    for (int i = 30; i <= 40; ++i)
        expected << QStringLiteral("ETK%1").arg(i, 4, 10, QChar('0'));
    EXPECT_EQ(reprinted, expected);
    unsetenv("CUPS_SERVER");
}

} // namespace
} // namespace etikor
