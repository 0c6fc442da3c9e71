// The label report on prepared pages: geometry and rounding of every element kind, binding,
// the blank-place rule, date and time values fixed for the run, the band's stacking order and
// the print sequence with skipped places.

#include "printing/LabelReport.h"

#include "MemDataSet.h"
#include "barcode/Metafile.h"
#include "data/Cp1250Text.h"
#include "printing/PrintSequence.h"
#include "support/Moment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace etikor {
namespace {

using test::MemDataSet;

constexpr double kPx = 25.4 / 96; // one designer pixel in mm

TLabelElement Element(TElemKind kind, TMmRect mm, QString source = {}, QString value = {}) {
    TLabelElement e;
    e.Kind = kind;
    e.Name = QString::fromLatin1(KindPrefix(kind).data()) + "1";
    e.Source = std::move(source);
    e.Value = std::move(value);
    e.Mm = mm;
    e.Px = {static_cast<int>(mm.Left / kPx), static_cast<int>(mm.Top / kPx), static_cast<int>(mm.Width / kPx),
            static_cast<int>(mm.Height / kPx)};
    return e;
}

// The series structure's first two fields with some records.
std::unique_ptr<MemDataSet> Series(std::vector<std::vector<TVariant>> rows) {
    auto data = std::make_unique<MemDataSet>(
        TFieldDefs{{"Vonalkod1", TFieldType::ftString, 40}, {"Tipus1", TFieldType::ftInteger, 0}},
        std::move(rows));
    data->Open();
    return data;
}

TPageSetup Sheet() {
    TPageSetup setup;
    setup.PageWidthMm = 210;
    setup.PageLengthMm = 297;
    setup.LeftMarginMm = setup.RightMarginMm = 5;
    setup.TopMarginMm = 10;
    setup.BottomMarginMm = 10;
    setup.Columns = 3;
    setup.ColumnSpaceMm = 3;
    setup.LabelHeightMm = 30;
    setup.LabelWidthMm = 40; // the designer's label width changes nothing in print
    return setup;
}

TLabelRunOptions Options() {
    TLabelRunOptions options;
    options.Now = test::At(2026, 3, 7, 23, 59, 59);
    return options;
}

TPreparedReport Layout(const std::vector<TLabelElement>& elements, TDataSet* data,
                       const TLabelRunOptions& options = Options(), const TPageSetup& setup = Sheet()) {
    const TReport report = BuildLabelReport(elements, setup, data, options);
    return Prepare(report, data);
}

TEST(LabelReport, FramesAreAColumnWideWhateverTheLabelWidth) {
    auto data =
        Series({{TVariant("1"), TVariant(0)}, {TVariant("2"), TVariant(0)}, {TVariant("3"), TVariant(0)}});
    TLabelRunOptions options = Options();
    options.Frame = true;
    const TPreparedReport prepared = Layout({}, data.get(), options);
    ASSERT_EQ(prepared.Pages.size(), 1u);
    const auto& frames = prepared.Pages[0].Items;
    ASSERT_EQ(frames.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(frames[i].Kind, TItemKind::ikFrame);
        EXPECT_NEAR(frames[i].RectMm.width(), 64.6667, 1e-4);
        EXPECT_NEAR(frames[i].RectMm.height(), 30, 1e-9);
        // Column by column: the three labels stack in the first column.
        EXPECT_NEAR(frames[i].RectMm.left(), 5, 1e-9);
        EXPECT_NEAR(frames[i].RectMm.top(), 10 + 30.0 * static_cast<double>(i), 1e-9);
    }
}

TEST(LabelReport, GeometryAndRoundingPerElementKind) {
    struct Row {
        const char* what;
        TLabelElement element;
        QRectF expected; // on the band, mm
    };
    TLabelElement rotated90 = Element(TElemKind::ekText, {12.5, 3.5, 20, 5}, "", "Fix");
    rotated90.Rotation = 1;
    TLabelElement rotated180 = rotated90;
    rotated180.Rotation = 2;
    TLabelElement rotated270 = rotated90;
    rotated270.Rotation = 3;
    TLabelElement bound125 = Element(TElemKind::ekText, {12.5, 2.5, 20.5, 5.5}, "Vonalkod1");
    TLabelElement bound135 = Element(TElemKind::ekText, {13.5, 3.5, 19.5, 4.5}, "Vonalkod1");
    TLabelElement rectangle = Element(TElemKind::ekDrawing, {12.5, 13.5, 0, 0});
    rectangle.Px = {0, 0, 60, 20};
    rectangle.TypeIndex = stRectangle;
    TLabelElement circle = rectangle;
    circle.TypeIndex = stCircle;
    TLabelElement picture = Element(TElemKind::ekPicture, {2.5, 3.5, 10.4, 10.6}, "kep", "/nincs/ilyen.bmp");
    TLabelElement barcode = Element(TElemKind::ekBarcode, {}, "", "12345678");
    barcode.Px = {10, 20, 150, 40};
    barcode.TypeIndex = kNewBarcodeIndex;
    const Row rows[] = {
        {"static text keeps its millimetres",
         Element(TElemKind::ekText, {12.5, 3.25, 20, 5}, "", "Fix"),
         {12.5, 3.25, 20, 5}},
        {"turned by 90: 1 mm taller", rotated90, {12.5, 3.5, 20, 6}},
        {"turned by 180: as stored", rotated180, {12.5, 3.5, 20, 5}},
        {"turned by 270: 1 mm taller", rotated270, {12.5, 3.5, 20, 6}},
        {"bound text rounds half to even (12.5 -> 12)", bound125, {12, 2, 20, 6}},
        {"bound text rounds half to even (13.5 -> 14)", bound135, {14, 4, 20, 4}},
        {"rectangle: position rounded, 4 pixels wider", rectangle, {12, 14, 64 * kPx, 20 * kPx}},
        {"circle: as wide as stored", circle, {12, 14, 60 * kPx, 20 * kPx}},
        {"picture: rounded millimetres", picture, {2, 4, 10, 11}},
        {"barcode: designer pixels", barcode, {10 * kPx, 20 * kPx, 150 * kPx, 40 * kPx}},
    };
    auto data = Series({{TVariant("ABC"), TVariant(5)}});
    TLabelRunOptions options = Options();
    options.AutoVonal = false; // keep the barcode's stored width
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const TPreparedReport prepared = Layout({row.element}, data.get(), options);
        ASSERT_EQ(prepared.Pages[0].Items.size(), 1u);
        const QRectF placed = prepared.Pages[0].Items[0].RectMm.translated(-5, -10);
        EXPECT_NEAR(placed.left(), row.expected.left(), 1e-9);
        EXPECT_NEAR(placed.top(), row.expected.top(), 1e-9);
        EXPECT_NEAR(placed.width(), row.expected.width(), 1e-9);
        EXPECT_NEAR(placed.height(), row.expected.height(), 1e-9);
    }
}

TEST(LabelReport, BindingNeedsTheDataFlagAndAFieldOfTheSource) {
    struct Row {
        const char* what;
        TElemKind kind;
        const char* source;
        bool dataFlag;
        const char* value;
    };
    const Row rows[] = {
        {"text bound to a field", TElemKind::ekText, "Vonalkod1", true, "ABC"},
        {"field names ignore case and blanks", TElemKind::ekText, " vonalKOD1 ", true, "ABC"},
        {"a field the source lacks prints nothing", TElemKind::ekText, "Nincs", true, ""},
        {"no data flag: nothing bound", TElemKind::ekText, "Vonalkod1", false, ""},
        {"a bound barcode encodes the field", TElemKind::ekBarcode, "Vonalkod1", true, "ABC"},
        {"a barcode with a missing field keeps its value", TElemKind::ekBarcode, "Nincs", true, "12345678"},
        {"no data flag: the barcode's value", TElemKind::ekBarcode, "Vonalkod1", false, "12345678"},
        {"a number field's display text", TElemKind::ekText, "Tipus1", true, "5"},
    };
    auto data = Series({{TVariant("ABC"), TVariant(5)}});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TLabelElement element = Element(row.kind, {1, 1, 30, 8}, row.source, "12345678");
        element.TypeIndex = kNewBarcodeIndex;
        TLabelRunOptions options = Options();
        options.DataFlag = row.dataFlag;
        const TPreparedReport prepared = Layout({element}, data.get(), options);
        ASSERT_EQ(prepared.Pages[0].Items.size(), 1u);
        EXPECT_EQ(prepared.Pages[0].Items[0].Value, QString(row.value));
    }
}

TEST(LabelReport, BlankPlacesPrintNothingButTheirFrame) {
    auto data = Series({{TVariant(" "), TVariant(1)},
                        {TVariant(), TVariant(2)},     // a real record with a null first field
                        {TVariant("  "), TVariant(3)}, // two blanks are a value
                        {TVariant("X"), TVariant(4)}});
    TLabelRunOptions options = Options();
    options.Frame = true;
    const TPreparedReport prepared = Layout({Element(TElemKind::ekText, {1, 1, 20, 5}, "Tipus1"),
                                             Element(TElemKind::ekText, {1, 8, 20, 5}, "", "F")},
                                            data.get(), options);
    std::vector<QString> texts;
    int frames = 0;
    for (const TPlacedItem& item : prepared.Pages[0].Items) {
        if (item.Kind == TItemKind::ikFrame)
            ++frames;
        else
            texts.push_back(item.Value);
    }
    EXPECT_EQ(frames, 4);
    // The fixed text "F" and the type follow each other per label; blank places have neither.
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], "F"); // sorted by source: the fixed text (empty source) comes first
    EXPECT_EQ(texts[1], "3");
    EXPECT_EQ(texts[2], "F");
    EXPECT_EQ(texts[3], "4");
}

TEST(LabelReport, DateAndTimeAreTheRunsMomentOnEveryLabel) {
    auto data = Series({{TVariant("1"), TVariant(0)}, {TVariant("2"), TVariant(0)}});
    const std::vector<TLabelElement> elements = {
        Element(TElemKind::ekText, {1, 1, 20, 5}, FromCp1250(DateTimeCodeSource(12)), "fix"),
        Element(TElemKind::ekText, {1, 8, 20, 5}, FromCp1250(DateTimeCodeSource(0)), "fix"),
        Element(TElemKind::ekText, {1, 15, 20, 5}, "[99]", "stored"),
    };
    const TPreparedReport prepared = Layout(elements, data.get());
    std::vector<QString> values;
    for (const TPlacedItem& item : prepared.Pages[0].Items)
        values.push_back(item.Value);
    // Sorted by source: "[00]..." before "[12]..." before "[99]".
    const std::vector<QString> label = {"2026.03.07", "23:59", "stored"};
    ASSERT_EQ(values.size(), 6u);
    EXPECT_EQ(std::vector<QString>(values.begin(), values.begin() + 3), label);
    EXPECT_EQ(std::vector<QString>(values.begin() + 3, values.end()), label);
}

TEST(LabelReport, TheBandStacksElementsByAscendingSource) {
    std::vector<TLabelElement> elements = {
        Element(TElemKind::ekText, {}, "b", "1"), Element(TElemKind::ekText, {}, "", "2"),
        Element(TElemKind::ekText, {}, "A", "3"), Element(TElemKind::ekText, {}, "", "4")};
    std::vector<QString> order;
    for (const TLabelElement& e : BandOrder(elements))
        order.push_back(e.Value);
    EXPECT_EQ(order, (std::vector<QString>{"2", "4", "3", "1"}));
}

TEST(LabelReport, AMissingPictureFilePrintsThePlaceholder) {
    auto data = Series({{TVariant("1"), TVariant(0)}});
    const TReport report =
        BuildLabelReport({Element(TElemKind::ekPicture, {1, 1, 10, 10}, "kep", "/nincs/ilyen.bmp")}, Sheet(),
                         data.get(), Options());
    ASSERT_EQ(report.Items.size(), 1u);
    const auto& picture = static_cast<const TPictureItem&>(*report.Items[0]);
    EXPECT_EQ(picture.Picture.size(), QSize(23, 23));
}

// Pictures print from the same files the designer shows, Windows metafiles included.
TEST(LabelReport, AMetafilePicturePrintsItsPicture) {
    TMetaPicture drawing;
    drawing.Width = 40;
    drawing.Height = 20;
    TMetaRecord square;
    square.Kind = TMetaKind::mkPolygon;
    square.Points = {{0, 0}, {20, 0}, {20, 20}, {0, 20}};
    square.Color = 0xFFFF0000;
    drawing.Records = {square};
    test::TempDir dir;
    const std::string path = dir.file("kep.wmf");
    std::ofstream(path, std::ios::binary) << WriteWmf(drawing);
    auto data = Series({{TVariant("1"), TVariant(0)}});
    const TReport report =
        BuildLabelReport({Element(TElemKind::ekPicture, {1, 1, 10, 10}, "kep", QString::fromStdString(path))},
                         Sheet(), data.get(), Options());
    ASSERT_EQ(report.Items.size(), 1u);
    const auto& picture = static_cast<const TPictureItem&>(*report.Items[0]);
    EXPECT_EQ(picture.Picture.size(), QSize(40, 20));
    EXPECT_EQ(picture.Picture.pixelColor(5, 5), QColor(Qt::red));
}

TEST(PrintSequence, SkippedPlacesComeFirstInTheFirstColumn) {
    // Two places skipped on a 3-column sheet: the first record prints in the third position
    // of the first column.
    auto series = Series({{TVariant("A"), TVariant(0)}, {TVariant("B"), TVariant(0)}});
    const auto sequence = TPrintSequence::FromDataSet(*series, 2);
    EXPECT_EQ(sequence->RecordCount(), 4);
    const TPreparedReport prepared =
        Layout({Element(TElemKind::ekText, {0, 0, 20, 5}, "Vonalkod1")}, sequence.get());
    const auto& items = prepared.Pages[0].Items;
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].Value, "A");
    EXPECT_NEAR(items[0].RectMm.left(), 5, 1e-9);
    EXPECT_NEAR(items[0].RectMm.top(), 10 + 2 * 30, 1e-9);
    EXPECT_EQ(items[1].Value, "B");
}

TEST(PrintSequence, BlankPlacesAndCopiesKeepTheSourcesStructure) {
    auto numbers = std::make_unique<MemDataSet>(
        TFieldDefs{{"Szam", TFieldType::ftInteger, 0}, {"Nev", TFieldType::ftString, 10}},
        std::vector<std::vector<TVariant>>{{TVariant(7), TVariant("x")}});
    numbers->Open();
    const auto sequence = TPrintSequence::FromDataSet(*numbers, 1, 3);
    ASSERT_EQ(sequence->RecordCount(), 4);
    EXPECT_EQ(sequence->Fields(1).FieldName(), "Nev");
    // A number first field: the blank place is null.
    EXPECT_TRUE(sequence->Fields(0).IsNull());
    EXPECT_TRUE(IsBlankPlace(*sequence));
    for (int i = 0; i < 3; ++i) {
        sequence->Next();
        EXPECT_EQ(sequence->Fields(0).AsInteger(), 7);
        EXPECT_FALSE(IsBlankPlace(*sequence));
    }
    // Nothing to skip for zero or less.
    EXPECT_EQ(TPrintSequence::FromDataSet(*numbers, -3)->RecordCount(), 1);
}

} // namespace
} // namespace etikor

namespace etikor {
namespace {

TEST(SkipCount, WholeNumbersUpToFortyEight) {
    struct Row {
        const char* answer;
        int count;
        const char* error;
    };
    const Row rows[] = {
        {"0", 0, ""},
        {"48", 48, ""},
        {"-3", 0, ""}, // negative numbers skip nothing
        {"49", 0, "49 túl nagy szám! (Max.: 48)"},
        {"abc", 0, "abc nem szám!"},
        {"2.5", 0, "2.5 nem szám!"},
        {"", 0, " nem szám!"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.answer);
        const TSkipCount skip = ParseSkipCount(QString::fromUtf8(row.answer));
        EXPECT_EQ(skip.Count, row.count);
        EXPECT_EQ(skip.Error, QString::fromUtf8(row.error));
    }
}

} // namespace
} // namespace etikor
