#include "document/TemplateSchema.h"
#include "document/DataModule.h"
#include "document/FontDescriptor.h"

#include "data/Cp1250.h"
#include "data/DateTime.h"
#include "data/FormatSettings.h"

#include <gtest/gtest.h>

#include <set>

namespace etikor {
namespace {

TEST(TemplateSchema, ElemekSchema) {
    const TFieldDefs& defs = ElemekFieldDefs();
    ASSERT_EQ(defs.size(), 27u);
    // Spot checks along the field list: position, name, type, size.
    EXPECT_EQ(defs[0].Name, "Azon");
    EXPECT_EQ(defs[0].Size, 1);
    EXPECT_EQ(defs[3].Name, "FErtek");
    EXPECT_EQ(defs[3].Size, 128);
    EXPECT_EQ(defs[5].Name, "Betu");
    EXPECT_EQ(defs[5].Size, 80);
    EXPECT_EQ(defs[10].Name, "Height_px");
    EXPECT_EQ(defs[10].DataType, TFieldType::ftInteger);
    EXPECT_EQ(defs[22].Name, "Vk_index");
    EXPECT_EQ(defs[25].Name, "AddOn");
    EXPECT_EQ(defs[25].DataType, TFieldType::ftBoolean);
    EXPECT_EQ(defs[26].Name, "Tajolas");
}

TEST(TemplateSchema, ElementNamesTakeTheFirstFreeNumber) {
    struct Case {
        const char* Why;
        TElemKind Kind;
        std::set<std::string> OnLabel; // loaded at the rebuild
        std::set<std::string> Deleted; // loaded, then deleted before the new element
        std::string Expected;
    };
    const Case cases[] = {
        {"Szoveg_1 and Szoveg_3 loaded: counter 2, 3 is taken",
         TElemKind::ekText,
         {"Szoveg_1", "Szoveg_3"},
         {},
         "Szoveg_4"},
        {"Kep_1 deleted after the rebuild, Kep_2 present",
         TElemKind::ekPicture,
         {"Kep_1", "Kep_2"},
         {"Kep_1"},
         "Kep_3"},
        {"empty label", TElemKind::ekBarcode, {}, {}, "Vkod_1"},
        {"other kinds do not count", TElemKind::ekDrawing, {"Szoveg_1", "Vkod_1"}, {}, "Rajz_1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Why);
        TElementNamer namer;
        namer.Reset();
        std::set<std::string> names = c.OnLabel;
        for (const auto& n : names)
            namer.Loaded(*KindFromName(n));
        for (const auto& n : c.Deleted)
            names.erase(n);
        EXPECT_EQ(namer.NextName(c.Kind, [&](std::string_view n) { return names.count(std::string(n)) > 0; }),
                  c.Expected);
    }
}

TEST(TemplateSchema, KindsFromLettersAndNames) {
    EXPECT_EQ(KindFromLetter("S"), TElemKind::ekText);
    EXPECT_EQ(KindFromLetter("R"), TElemKind::ekDrawing);
    EXPECT_EQ(KindFromLetter("0"), std::nullopt);
    EXPECT_EQ(KindFromName("Szoveg_12"), TElemKind::ekText);
    EXPECT_EQ(KindFromName("Vkod_1"), TElemKind::ekBarcode);
    EXPECT_EQ(KindFromName("Kep_1"), TElemKind::ekPicture);
    EXPECT_EQ(KindFromName("Rajz_3"), TElemKind::ekDrawing);
    EXPECT_EQ(KindFromName("Oldalbeall"), std::nullopt);
}

class DateTimeCodes : public testing::Test {
protected:
    void SetUp() override {
        fs_ = TFormatSettings::Hungarian();
        ASSERT_TRUE(TryEncodeDate(2024, 3, 7, now_));
        TDateTime time;
        ASSERT_TRUE(TryEncodeTime(14, 5, 9, 0, time));
        now_ += time;
    }
    TFormatSettings fs_;
    TDateTime now_ = 0;
};

TEST_F(DateTimeCodes, FormatsAtAFixedMoment) {
    // 7 March 2024, 14:05:09; formats from the code table.
    const struct {
        int Code;
        const char* Expected;
    } cases[] = {
        {0, "2024.03.07"}, {1, "2024-03-07"}, {2, "20240307"}, {3, "24.03.07"}, {5, "240307"},
        {6, "07.03.2024"}, {7, "07-03-2024"}, {8, "07032024"}, {11, "070324"},  {12, "14:05"},
        {13, "2:05 PM"},   {14, "14-05"},     {15, "2-05 PM"}, {16, "14 05"},   {17, "2 05 PM"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveDateTimeCode(DateTimeCodeSource(c.Code), "stored", now_, fs_), c.Expected) << c.Code;
}

TEST_F(DateTimeCodes, TimeSeparatorComesFromTheLocale) {
    fs_.TimeSeparator = '.';
    EXPECT_EQ(ResolveDateTimeCode("[12]I: ÓÓ:PP (24)", "", now_, fs_), "14.05");
}

TEST_F(DateTimeCodes, ProgramClockAndLocale) {
    const TFormatSettings saved = FormatSettings();
    SetFormatSettings(fs_);
    const TDateTime fixed = now_;
    SetClock([fixed] { return fixed; });
    const auto value = ResolveDateTimeCode("[06]D: NN.HH.ÉÉÉÉ", "");
    SetClock({});
    SetFormatSettings(saved);
    EXPECT_EQ(value, "07.03.2024");
}

TEST_F(DateTimeCodes, OtherSourcesAndCodes) {
    EXPECT_EQ(ResolveDateTimeCode("[99]", "stored", now_, fs_), "stored");
    EXPECT_EQ(ResolveDateTimeCode("[18]x", "stored", now_, fs_), "stored");
    EXPECT_EQ(ResolveDateTimeCode("[x]", "stored", now_, fs_), "stored");
    EXPECT_EQ(ResolveDateTimeCode("[", "stored", now_, fs_), "stored");
    EXPECT_EQ(ResolveDateTimeCode("  [06]D: NN.HH.ÉÉÉÉ  ", "", now_, fs_), "07.03.2024") << "trimmed";
    EXPECT_EQ(ResolveDateTimeCode("Vonalkod1      ", "x", now_, fs_), std::nullopt);
    EXPECT_EQ(ResolveDateTimeCode("", "x", now_, fs_), std::nullopt);
    // The stored form of a code is Windows-1250: "[00]D: ÉÉÉÉ.HH.NN".
    EXPECT_EQ(Cp1250ToUtf8(DateTimeCodeSource(0)), "[00]D: ÉÉÉÉ.HH.NN");
    EXPECT_EQ(Cp1250ToUtf8(DateTimeCodeSource(17)), "[17]I: Ó PP AM/PM (12)");
}

TEST(TemplateSchema, RotationAlignmentAndBarcodeTypes) {
    EXPECT_EQ(RotationDegrees(3), 270);
    EXPECT_EQ(RotationDegrees(0), 0);
    EXPECT_EQ(RotationDegrees(7), std::nullopt);
    EXPECT_EQ(RotationDegrees(-1), std::nullopt);

    EXPECT_EQ(AlignmentFromLetter(""), TAlignment::taLeftJustify);
    EXPECT_EQ(AlignmentFromLetter(" "), TAlignment::taLeftJustify);
    EXPECT_EQ(AlignmentFromLetter("B"), TAlignment::taLeftJustify);
    EXPECT_EQ(AlignmentFromLetter("K"), TAlignment::taCenter);
    EXPECT_EQ(AlignmentFromLetter("J"), TAlignment::taRightJustify);
    EXPECT_EQ(AlignmentFromLetter("X"), TAlignment::taLeftJustify);

    EXPECT_EQ(BarcodeTypeForIndex(14), TTypBarCode::bcUPCE0);
    EXPECT_EQ(BarcodeTypeForIndex(8), TTypBarCode::bcEan128);
    EXPECT_TRUE(BarcodeIndexSetsEan13AddUp(8));
    EXPECT_FALSE(BarcodeIndexSetsEan13AddUp(9));
    EXPECT_EQ(BarcodeTypeForIndex(0), TTypBarCode::bc25Datalogic);
    EXPECT_EQ(BarcodeTypeForIndex(19), std::nullopt);
    EXPECT_EQ(BarcodeTypeForIndex(-1), std::nullopt);
    EXPECT_EQ(BarcodeTypeListText(5), "Code 128");
    for (int i = 0; i < kBarcodeListSize; ++i)
        EXPECT_EQ(BarcodeIndexOf(*BarcodeTypeForIndex(i)), i);
    EXPECT_EQ(BarcodeIndexOf(TTypBarCode::bcPZN), -1);
}

TEST(TemplateSchema, TwoDimensionalEntriesFollowTheFifteenAndCarryTheirSettings) {
    // The 15 linear entries keep their indices; QR Code, Data Matrix, PDF417 and Aztec follow.
    const struct {
        int index;
        const char* text;
        TTypBarCode type;
    } entries[] = {
        {15, "QR Code", TTypBarCode::bcQRCode},
        {16, "Data Matrix", TTypBarCode::bcDataMatrix},
        {17, "PDF417", TTypBarCode::bcPDF417},
        {18, "Aztec", TTypBarCode::bcAztec},
    };
    for (const auto& e : entries) {
        EXPECT_EQ(BarcodeTypeListText(e.index), e.text);
        EXPECT_EQ(BarcodeTypeForIndex(e.index), e.type);
        EXPECT_EQ(BarcodeOptionsForIndex(e.index), TMatrixOptions{});
    }
    // A stored index carries the settings above the list position: list position + 100 x code.
    TMatrixOptions qrH;
    qrH.QrEcc = TQrEcc::H;
    TMatrixOptions gs1Rect;
    gs1Rect.DmGs1 = true;
    gs1Rect.DmRectangular = true;
    TMatrixOptions pdf;
    pdf.PdfColumns = 5;
    pdf.PdfEcc = 3;
    TMatrixOptions aztec;
    aztec.AztecEcc = 4;
    const struct {
        int position;
        TMatrixOptions options;
        int stored;
    } stored[] = {
        {15, qrH, 315},   {16, gs1Rect, 316}, {17, pdf, 17 + 100 * (5 + 31 * 4)},
        {18, aztec, 418}, {15, {}, 15},       {5, qrH, 5}, // a linear entry has no settings to carry
    };
    for (const auto& s : stored) {
        EXPECT_EQ(BarcodeStoredIndex(s.position, s.options), s.stored);
        EXPECT_EQ(BarcodeListPosition(s.stored), s.position);
        EXPECT_EQ(BarcodeTypeForIndex(s.stored), BarcodeTypeForIndex(s.position));
        if (s.position >= kLinearBarcodeListSize) {
            EXPECT_EQ(BarcodeOptionsForIndex(s.stored), s.options);
        }
    }
    // Only the two-dimensional entries carry a code, and only codes their type knows.
    for (int bad : {105, 114, 119, 515, 1016, 31017, 518, -85})
        EXPECT_EQ(BarcodeTypeForIndex(bad), std::nullopt) << bad;
}

TEST(TemplateSchema, DrawingKinds) {
    const struct {
        TDrawingKind Kind;
        TShapeCode Shape;
        int W, H;
    } cases[] = {
        {TDrawingKind::dkHorizontalLine, stRectangle, 60, 1},
        {TDrawingKind::dkVerticalLine, stRectangle, 1, 60},
        {TDrawingKind::dkSquare, stRectangle, 60, 60},
        {TDrawingKind::dkCircle, stCircle, 60, 60},
        {TDrawingKind::dkEllipse, stEllipse, 60, 50},
    };
    for (const auto& c : cases) {
        const TDrawingShape s = DrawingShape(c.Kind);
        EXPECT_EQ(s.Shape, c.Shape);
        EXPECT_EQ(s.WidthPx, c.W);
        EXPECT_EQ(s.HeightPx, c.H);
    }
}

TEST(TemplateSchema, PixelAndMillimetreConversions) {
    // Screen x = 45 at zoom 2 stores 22 (22.5 to even) and 45 * 100 / 200 / PPI * 25.4 mm.
    EXPECT_EQ(StoredFromScreen(45, 2), 22);
    EXPECT_EQ(StoredFromScreen(47, 2), 24); // 23.5 to even
    EXPECT_EQ(StoredFromScreen(7, 3), 2);
    EXPECT_EQ(StoredFromScreen(8, 3), 3);
    EXPECT_DOUBLE_EQ(PixelsToMm(45, 200, 96), 45.0 * 100 / 200 / 96 * 25.4);
    EXPECT_NEAR(PixelsToMm(1, 100, 96), 0.2646, 0.00005);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    // The label rectangle: width x 3.75, height x 3.85.
    EXPECT_DOUBLE_EQ(LabelWidthPx(62.5), 234.375);
    EXPECT_DOUBLE_EQ(LabelHeightPx(38.1), 38.1 * 3.85);
}

TEST(DataModule, SchemasAndAiRows) {
    ASSERT_EQ(SeriesFieldDefs().size(), 8u);
    EXPECT_EQ(SeriesFieldDefs()[0].Name, "Vonalkod1");
    EXPECT_GE(SeriesFieldDefs()[0].Size, 128);
    EXPECT_EQ(SeriesFieldDefs()[7].Name, "ODBC_tbl");
    ASSERT_EQ(DefinitionFieldDefs().size(), 9u);
    EXPECT_EQ(DefinitionFieldDefs()[5].Size, 200);
    EXPECT_EQ(DefinitionFieldDefs()[8].Name, "AI");
    ASSERT_EQ(SelectionFieldDefs().size(), 8u);
    EXPECT_EQ(SelectionFieldDefs()[7].Name, "Vonalkod6");

    const auto& rows = Ean128Rows();
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[0].AI, "00");
    EXPECT_EQ(rows[8].AI, "310X");
    EXPECT_EQ(rows[11].Maxhossz, 30);
    EXPECT_EQ(Cp1250ToUtf8(rows[5].Cim), "Minőségmegőrzési határidő (ÉÉHHNN)");

    EXPECT_EQ(FieldListName("Cikkszam"), "Cikkszam       ");
    EXPECT_EQ(FieldListName("ABCDEFGHIJKLMNOPQRST"), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(FieldTypeName(TFieldType::ftString), "ftString");
    EXPECT_EQ(FieldTypeName(TFieldType::ftLargeint), "ftLargeint");
}

TEST(DataModule, TablesInMemory) {
    TDM dm;
    dm.FillEan128();
    EXPECT_EQ(dm.Ean128S.RecordCount(), 12);
    EXPECT_EQ(dm.Ean128S.FieldByName("AI").AsString(), "00");
    dm.FillEan128(); // more than one row: kept as it is
    EXPECT_EQ(dm.Ean128S.RecordCount(), 12);

    TStoreTable series;
    series.FieldDefs = SeriesFieldDefs();
    series.Open();
    dm.FillFieldList(series);
    ASSERT_EQ(dm.ForrasStru.RecordCount(), 8);
    dm.ForrasStru.First();
    EXPECT_EQ(dm.ForrasStru.FieldByName("Mezo").AsString().substr(0, 9), "Vonalkod1");
    EXPECT_EQ(dm.ForrasStru.FieldByName("Tipus").AsString(), "ftString");
    EXPECT_EQ(dm.ForrasStru.FieldByName("Hossz").AsInteger(), kVonalkodSize);
}

TEST(TemplateSchema, NewElementRows) {
    TStoreTable elemek;
    elemek.FieldDefs = ElemekFieldDefs();
    elemek.Open();
    AppendElementRow(elemek, TElemKind::ekText, "Szoveg_1", {1, 2, 60, 20});
    AppendElementRow(elemek, TElemKind::ekBarcode, "Vkod_1", {3, 4, 100, 40});
    const TDrawingShape circle = DrawingShape(TDrawingKind::dkCircle);
    AppendElementRow(elemek, TElemKind::ekDrawing, "Rajz_1", {0, 0, circle.WidthPx, circle.HeightPx},
                     circle.Shape);
    AppendElementRow(elemek, TElemKind::ekPicture, "Kep_1", {0, 0, 50, 50});

    ASSERT_TRUE(elemek.Locate("Elemnev", TVariant("Szoveg_1"), 0));
    EXPECT_EQ(elemek.FieldByName("Azon").AsString(), "S");
    EXPECT_EQ(elemek.FieldByName("FErtek").AsString(), "Szoveg_1");
    EXPECT_EQ(elemek.FieldByName("Betu").AsString(), "Arial,8,,0,clWindowText,1");
    EXPECT_EQ(elemek.FieldByName("Tajolas").AsString(), "B");
    EXPECT_EQ(elemek.FieldByName("Width_px").AsInteger(), 60);
    EXPECT_EQ(elemek.FieldByName("Left_mm").AsFloat(), 0.0);

    ASSERT_TRUE(elemek.Locate("Elemnev", TVariant("Vkod_1"), 0));
    EXPECT_EQ(elemek.FieldByName("vk_INDEX").AsInteger(), 5) << "field names without regard to case";
    EXPECT_EQ(elemek.FieldByName("FErtek").AsString(), "12345678");
    EXPECT_TRUE(elemek.FieldByName("VErtek").AsBoolean());
    EXPECT_TRUE(elemek.FieldByName("Startstop").AsBoolean());
    EXPECT_EQ(elemek.FieldByName("Vk_index").AsInteger(), 5);

    EXPECT_EQ(KindFromLetter(elemek.FieldByName("Azon").AsString()), TElemKind::ekBarcode);
    EXPECT_EQ(elemek.FieldByName("Left_px").AsInteger(), 3);
    EXPECT_EQ(elemek.FieldByName("Top_px").AsInteger(), 4);
    EXPECT_EQ(elemek.FieldByName("Width_px").AsInteger(), 100);
    EXPECT_EQ(elemek.FieldByName("Height_px").AsInteger(), 40);
    EXPECT_EQ(elemek.FieldByName("Betu").AsString(), kDefaultFontDescriptor);

    ASSERT_TRUE(elemek.Locate("Elemnev", TVariant("Rajz_1"), 0));
    EXPECT_EQ(elemek.FieldByName("Vk_index").AsInteger(), 5);
    EXPECT_EQ(elemek.FieldByName("Betu").AsString(), "");
    EXPECT_FALSE(elemek.FieldByName("Oszlopok").IsNull());

    ASSERT_TRUE(elemek.Locate("Elemnev", TVariant("Kep_1"), 0));
    EXPECT_EQ(elemek.FieldByName("Azon").AsString(), "K");
    EXPECT_EQ(elemek.FieldByName("FErtek").AsString(), "");
    EXPECT_FALSE(LocatePageSetup(elemek));
}

} // namespace
} // namespace etikor
