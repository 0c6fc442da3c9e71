// The barcode object: creation values, setter effects, the check with its error positions,
// the counter, Assign. Expectations are the object's worked examples.

#include "barcode/Ean.h"

#include <gtest/gtest.h>

#include <functional>

namespace etikor {
namespace {

using E = TLastPaintError;
using T = TTypBarCode;

struct Counters {
    int repaints = 0;
    int barCodeChanges = 0;
    int typeChanges = 0;
};

void watch(TCustomEAN& ean, Counters& c) {
    ean.OnRepaint = [&c] { ++c.repaints; };
    ean.OnChangeBarCode = [&c](TCustomEAN&) { ++c.barCodeChanges; };
    ean.OnChangeTypCode = [&c](TCustomEAN&) { ++c.typeChanges; };
}

TEST(BarcodeObject, CreationValues) {
    TEan ean;
    EXPECT_FALSE(ean.AutoInc());
    EXPECT_EQ(ean.AutoIncFrom(), 0);
    EXPECT_EQ(ean.AutoIncTo(), 0);
    EXPECT_EQ(ean.FirstBarCode(), "");
    EXPECT_EQ(ean.BackgroundColor(), clWhite);
    EXPECT_FALSE(ean.Transparent());
    EXPECT_TRUE(ean.ShowLabels());
    EXPECT_TRUE(ean.StartStopLines());
    EXPECT_EQ(ean.TypBarCode(), T::bcEan13);
    EXPECT_EQ(ean.LinesColor(), clBlack);
    EXPECT_TRUE(ean.Ean13AddUp());
    EXPECT_TRUE(ean.FontAutoSize());
    EXPECT_FALSE(ean.Security());
    EXPECT_EQ(ean.Font(), (TBarcodeFont{"Arial", 16}));
    EXPECT_EQ(ean.LastPaintError(), E::erOK);
    EXPECT_EQ(ean.BarCode(), "9771210107001");
    EXPECT_EQ(ean.LabelMask(), "");
    EXPECT_EQ(ean.Angle(), 0);
    EXPECT_TRUE(ean.AutoSize());
    EXPECT_FALSE(ean.DisableEditor());
    EXPECT_EQ(ean.HorzLines().LinesCount(), 0);
    EXPECT_EQ(ean.SetOfChars(), "0123456789");
    EXPECT_TRUE(ean.AutoCheckDigit());
    for (const TBarcodeCaption* caption : {&ean.Caption(), &ean.CaptionBottom()}) {
        EXPECT_TRUE(caption->Visible());
        EXPECT_EQ(caption->Text(), "");
        EXPECT_EQ(caption->Font(), (TBarcodeFont{"Arial", 10}));
        EXPECT_TRUE(caption->AutoSize());
        EXPECT_EQ(caption->Alignment(), TAlignment::taLeftJustify);
        EXPECT_FALSE(caption->AutoCaption());
    }
    // 80 high; as wide as the encoded sample (8 blanks + 95 modules) plus 20.
    EXPECT_EQ(ean.Height(), 80);
    EXPECT_EQ(ean.Width(), 123);
    EXPECT_EQ(ean.MinimumWidth(), 104);
}

TEST(BarcodeObject, AngleKeepsWholeQuarterTurns) {
    // ((value div 90) x 90) mod 360 with truncating div and mod.
    const std::pair<int, int> rows[] = {{45, 0},    {450, 90},   {-90, -90},   {90, 90},
                                        {180, 180}, {270, 270},  {360, 0},     {359, 270},
                                        {-45, 0},   {-450, -90}, {-271, -270}, {720, 0}};
    TEan ean;
    for (const auto& [typed, stored] : rows) {
        ean.SetAngle(typed);
        EXPECT_EQ(ean.Angle(), stored) << typed;
    }
}

TEST(BarcodeObject, DrawingSettersRepaintOnlyOnChange) {
    TEan ean;
    Counters c;
    watch(ean, c);
    const std::vector<std::pair<const char*, std::function<void(bool)>>> setters = {
        {"Transparent", [&](bool on) { ean.SetTransparent(on); }},
        {"ShowLabels", [&](bool on) { ean.SetShowLabels(!on); }},
        {"StartStopLines", [&](bool on) { ean.SetStartStopLines(!on); }},
        {"Ean13AddUp", [&](bool on) { ean.SetEan13AddUp(!on); }},
        {"FontAutoSize", [&](bool on) { ean.SetFontAutoSize(!on); }},
        {"Security", [&](bool on) { ean.SetSecurity(on); }},
        {"AutoCheckDigit", [&](bool on) { ean.SetAutoCheckDigit(!on); }},
        {"BackgroundColor", [&](bool on) { ean.SetBackgroundColor(on ? clLime : clWhite); }},
        {"LinesColor", [&](bool on) { ean.SetLinesColor(on ? clRed : clBlack); }},
        {"LabelMask", [&](bool on) { ean.SetLabelMask(on ? "______X" : ""); }},
        {"Font",
         [&](bool on) {
             ean.SetFont(TBarcodeFont{"Arial", on ? 12 : 16});
         }},
        {"Angle", [&](bool on) { ean.SetAngle(on ? 90 : 0); }},
        {"Caption.Text", [&](bool on) { ean.Caption().SetText(on ? "x" : ""); }},
        {"Caption.Alignment",
         [&](bool on) { ean.Caption().SetAlignment(on ? TAlignment::taCenter : TAlignment::taLeftJustify); }},
        {"CaptionBottom.Visible", [&](bool on) { ean.CaptionBottom().SetVisible(!on); }},
        {"HorzLines.LinesCount", [&](bool on) { ean.HorzLines().SetLinesCount(on ? 3 : 0); }},
        {"HorzLines.Color", [&](bool on) { ean.HorzLines().SetColor(on ? clBlue : clBlack); }},
        {"HorzLines.Style",
         [&](bool on) { ean.HorzLines().SetStyle(on ? TPenStyle::psDash : TPenStyle::psSolid); }},
    };
    for (const auto& [name, set] : setters) {
        c.repaints = 0;
        set(false); // the current value
        EXPECT_EQ(c.repaints, 0) << name;
        set(true);
        EXPECT_EQ(c.repaints, 1) << name;
        set(false);
        EXPECT_EQ(c.repaints, 2) << name;
    }
    // Plain stored values never repaint.
    c.repaints = 0;
    ean.SetAutoInc(true);
    ean.SetAutoIncFrom(2);
    ean.SetAutoIncTo(5);
    ean.SetFirstBarCode("1");
    ean.SetDisableEditor(true);
    ean.SetSetOfChars("ABC");
    EXPECT_EQ(c.repaints, 0);
    EXPECT_EQ(ean.SetOfChars(), "0123456789");
}

TEST(BarcodeObject, BarCodeAssignmentNormalisesAndNotifies) {
    TEan ean;
    Counters c;
    watch(ean, c);
    ean.SetBarCode("977121010700");
    EXPECT_EQ(ean.BarCode(), "9771210107001");
    EXPECT_EQ(c.repaints, 1);
    EXPECT_EQ(c.barCodeChanges, 1);
    ean.SetBarCode("9771210107001"); // the same text: nothing happens
    EXPECT_EQ(c.barCodeChanges, 1);
    ean.SetBarCode("9771210107009");
    EXPECT_EQ(ean.BarCode(), "9771210107001");
    EXPECT_EQ(c.barCodeChanges, 2);
}

TEST(BarcodeObject, TypBarCodeLoadsTheSampleAndWidens) {
    TEan ean;
    Counters c;
    watch(ean, c);
    ean.SetTypBarCode(T::bcISBN);
    EXPECT_EQ(ean.BarCode(), "80-7226-102-9");
    ean.Caption().SetAutoCaption(true);
    EXPECT_EQ(ean.Caption().Text(), "ISBN 80-7226-102-9");
    EXPECT_TRUE(ean.Caption().Visible());

    c = {};
    ean.SetWidth(10);
    ean.SetAutoSize(false);
    ean.SetTypBarCode(T::bcCode39Standard);
    EXPECT_EQ(ean.BarCode(), "KROVA");
    EXPECT_EQ(ean.SetOfChars(), "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%");
    EXPECT_FALSE(ean.Caption().AutoCaption()); // from the catalogue: off for every symbology
    EXPECT_EQ(c.typeChanges, 1);
    EXPECT_EQ(c.barCodeChanges, 1);
    // Widened whatever AutoSize says.
    EXPECT_EQ(ean.Width(), ean.MinimumWidth());
    EXPECT_GT(ean.Width(), 10);

    ean.SetTypBarCode(T::bcCode39Standard); // unchanged: no effect
    EXPECT_EQ(c.typeChanges, 1);

    ean.SetTypBarCode(T::bcMSIPlessey); // the empty sample
    EXPECT_EQ(ean.BarCode(), "");
    EXPECT_FALSE(ean.CheckBarCode(ean.BarCode()));
    EXPECT_EQ(ean.LastPaintError(), E::erEmptyCode);
}

TEST(BarcodeObject, EveryCatalogueSampleIsStoredNormalisedAndEncodes) {
    // The sample goes through the BarCode assignment rule, so the check digits appear.
    const char* const stored[kBarCodeTypeCount] = {"12345670",
                                                   "9771210107001",
                                                   "A0123+-$/:68A",
                                                   "KROVA",
                                                   "KROVA",
                                                   "KROVA",
                                                   "KROVA",
                                                   "KROVA",
                                                   "ABCCBA",
                                                   "123456",
                                                   "123456",
                                                   "123456",
                                                   "123456",
                                                   "123456",
                                                   "123456",
                                                   "09771210107001",
                                                   "80-7226-102-9",
                                                   "80-7226-102-9",
                                                   "80-7226-102-9",
                                                   "012345678905",
                                                   "01234565",
                                                   "01234565",
                                                   "12345678901231",
                                                   "49123456",
                                                   "4912345678904",
                                                   "",
                                                   "123456789",
                                                   "1234567897",
                                                   "EAN 128",
                                                   "123456",
                                                   "123456",
                                                   "1234562",
                                                   "Etikor QR Code 12345",
                                                   "(01)09501101530003(17)261231(10)AB12",
                                                   "Etikor PDF417 12345",
                                                   "Etikor Aztec 12345"};
    for (int t = 0; t < kBarCodeTypeCount; ++t) {
        TEan ean;
        ean.SetTypBarCode(static_cast<T>(t));
        EXPECT_EQ(ean.BarCode(), stored[t]) << t;
        const BarcodeEncoding e = ean.BuildPattern(ean.BarCode());
        if (static_cast<T>(t) == T::bcMSIPlessey) {
            EXPECT_EQ(ean.LastPaintError(), E::erEmptyCode); // the empty sample draws nothing
        } else {
            EXPECT_EQ(ean.LastPaintError(), E::erOK) << t;
            EXPECT_EQ(e.BarPattern.empty(), IsMatrixType(static_cast<T>(t))) << t;
            EXPECT_NE(e.Matrix.Empty(), IsMatrixType(static_cast<T>(t))) << t;
            // Two-dimensional symbols start without the human-readable line.
            EXPECT_EQ(ean.ShowLabels(), !IsMatrixType(static_cast<T>(t))) << t;
        }
        EXPECT_GE(ean.Width(), ean.MinimumWidth()) << t;
    }
}

TEST(BarcodeObject, TheTextLineStartsAsTheFamilyHasIt) {
    TEan ean;
    EXPECT_TRUE(ean.ShowLabels());
    ean.SetTypBarCode(T::bcQRCode); // a matrix: no text unless asked for
    EXPECT_FALSE(ean.ShowLabels());
    ean.SetShowLabels(true);
    ean.SetTypBarCode(T::bcAztec); // the same family keeps the choice
    EXPECT_TRUE(ean.ShowLabels());
    ean.SetTypBarCode(T::bcCode128); // back to bars: the text under them again
    EXPECT_TRUE(ean.ShowLabels());
    ean.SetTypBarCode(T::bcDataMatrix);
    ean.SetTypBarCode(T::bcEan13);
    EXPECT_TRUE(ean.ShowLabels());
    ean.SetShowLabels(false);
    ean.SetTypBarCode(T::bcCode39Standard); // linear to linear keeps the choice
    EXPECT_FALSE(ean.ShowLabels());
}

TEST(BarcodeObject, AutoCaptionFollowsTheTypedBookNumber) {
    TEan ean;
    ean.SetTypBarCode(T::bcISSN);
    ean.Caption().SetAutoCaption(true);
    ean.SetBarCode("80-7226-102-9 90000"); // the first 13 characters, dashes included
    EXPECT_EQ(ean.Caption().Text(), "ISSN 80-7226-102-9");
    ean.SetTypBarCode(T::bcCode128); // switches AutoCaption off; the text stays
    EXPECT_EQ(ean.Caption().Text(), "ISSN 80-7226-102-9");
    // Other symbologies keep the text; the caption shows when there is one.
    ean.Caption().SetText("");
    ean.Caption().SetAutoCaption(true);
    EXPECT_EQ(ean.Caption().Text(), "");
    EXPECT_FALSE(ean.Caption().Visible());
}

TEST(BarcodeObject, AutoSizeWidensWhenSwitchedOn) {
    TEan ean;
    ean.SetAutoSize(false);
    ean.SetWidth(50);
    EXPECT_EQ(ean.Width(), 50);
    ean.SetAutoSize(true);
    EXPECT_EQ(ean.Width(), 104);
    ean.SetWidth(300);
    ean.SetAutoSize(false);
    ean.SetAutoSize(true);
    EXPECT_EQ(ean.Width(), 300); // never narrowed
}

TEST(BarcodeObject, CheckBarCodeErrorsAndPositions) {
    struct Row {
        T type;
        std::string text;
        E error;
        int pos;
        char errorChar;
        const char* why;
    } rows[] = {
        {T::bcEan13, "", E::erEmptyCode, 0, 0, "empty"},
        {T::bcEan13, "9771210107001", E::erOK, 0, 0, "13 digits"},
        {T::bcEan13, "977121010700", E::erOK, 0, 0, "12 digits, check digit computed"},
        {T::bcEan13, "977121010700X", E::erOK, 0, 0, "the check digit is recomputed before the test"},
        {T::bcEan13, "97712101070012", E::erBarcodeLengthInvalid, 0, 0, "14 characters"},
        {T::bcEan13, "9771210107001A12", E::erCharMustBeSpace, 14, 'A', "16 characters, 14th not blank"},
        {T::bcEan13, "9771210107001 12", E::erOK, 0, 0, "2-digit add-on"},
        {T::bcEan13, "9771210107001 1234A", E::erCharOutOfSet, 19, 'A', "add-on digits tested"},
        {T::bcEan13, "97712101A7001", E::erCharOutOfSet, 9, 'A', "first bad character"},
        {T::bcJAN13, "AB1234567890", E::erOK, 0, 0, "the prefix 49 is forced first"},
        {T::bcEan8, "1234567 12", E::erBarcodeLengthInvalid, 0, 0, "ten characters"},
        {T::bcEan8, "12345670x12", E::erCharMustBeSpace, 9, 'x', "9th must be blank"},
        {T::bcUPCA, "01234567890", E::erOK, 0, 0, "11 digits"},
        {T::bcUPCA, "012345678905X12", E::erCharMustBeSpace, 13, 'X', "13th must be blank"},
        {T::bcUPCE0, "11234565", E::erFirstCharMustBeZero, 1, '1', "number system 0 or 1 begins with 0"},
        {T::bcUPCE1, "01234565", E::erOK, 0, 0, "UPC-E1 text begins with 0 too"},
        {T::bcUPCE0, "0123456", E::erBarcodeLengthInvalid, 0, 0, "seven characters"},
        {T::bcUPCE0, "012345651234", E::erBarcodeLengthInvalid, 0, 0, "12 characters"},
        {T::bcUPCE0, "01234565X12", E::erCharMustBeSpace, 9, 'X', "the add-on follows a blank"},
        {T::bcISBN, "80-7226-102-9", E::erOK, 0, 0, "hyphenated"},
        {T::bcISBN, "807226102X", E::erOK, 0, 0, "the 10th may be anything"},
        {T::bcISBN, "8072261029X12", E::erCharMustBeSpace, 11, 'X', "11th of the dash-free text"},
        {T::bcISBN, "80-7226-1A2-9", E::erCharOutOfSet, 8, 'A', "position in the dash-free text"},
        {T::bcISBN, "80-7226-10", E::erBarcodeLengthInvalid, 0, 0, "eight digits"},
        {T::bcUPCShipping, "12345678901231", E::erOK, 0, 0, "14 digits"},
        {T::bcUPCShipping, "12345678901231X123456", E::erCharMustBeSpace, 15, 'X',
         "the add-on follows a blank"},
        {T::bcUPCShipping, "1234567890123", E::erBarcodeLengthInvalid, 0, 0, "13 digits"},
        {T::bcITF, "0977121010700", E::erBarcodeLengthInvalid, 0, 0, "13 digits"},
        {T::bcITF, "09771210107001", E::erOK, 0, 0, "ITF-14"},
        {T::bcITF, "097712A0107001", E::erCharOutOfSet, 7, 'A', "ITF has no set test, but no code either"},
        {T::bc25Interleaved, "12345", E::erCountCharMustBeEven, 0, 0, "odd length"},
        {T::bc25Interleaved, "1234", E::erOK, 0, 0, "even length"},
        {T::bcABCCodabar, "ABCCBA", E::erOK, 0, 0, "catalogue sample"},
        {T::bcABCCodabar, "1BCCBA", E::erCharOutOfSet, 1, '1', "start letter must be A-D"},
        {T::bcABCCodabar, "A1231", E::erCharOutOfSet, 5, '1', "stop letter must be A-D"},
        {T::bcABCCodabar, "a123a", E::erCharOutOfSet, 1, 'a', "lower case is not in the set"},
        {T::bcMSIPlessey, "1234567890123", E::erOK, 0, 0, "13 characters"},
        {T::bcMSIPlessey, "12345678901234", E::erBarcodeLengthInvalid, 0, 0, "14 characters"},
        {T::bcPostNet, "1234", E::erBarcodeLengthInvalid, 0, 0, "4 digits"},
        {T::bcPostNet, "12345678901", E::erOK, 0, 0, "11 digits"},
        {T::bcPostNet, "1234A", E::erCharOutOfSet, 5, 'A', "letters pass the set but have no code"},
        {T::bcOPC, "1234567897", E::erOK, 0, 0, "10 digits"},
        {T::bcOPC, "123456789", E::erBarcodeLengthInvalid, 0, 0, "9 digits"},
        {T::bcOPC, "12345678A7", E::erCharOutOfSet, 9, 'A', "letters pass the set but have no code"},
        {T::bcPZN, "1234562", E::erOK, 0, 0, "with check digit"},
        {T::bcPZN, "12345", E::erBarcodeLengthInvalid, 0, 0, "a wrong length gives a reason"},
        {T::bcPZN, "500000:", E::erCharOutOfSet, 7, ':', "remainder 10 has no check digit"},
        {T::bcCode39Standard, "KRO-VA 12", E::erOK, 0, 0, "any length"},
        {T::bcCode39Standard, "KROVa", E::erCharOutOfSet, 5, 'a', "no lower case"},
        {T::bcCode39Full, "a\x80", E::erOK, 0, 0, "the euro sign is in the set"},
        {T::bcCode128, std::string("\x01\x7F", 2), E::erOK, 0, 0, "codes 1-127"},
        {T::bcCode128, "AB\xE9", E::erCharOutOfSet, 3, '\xE9', "no accented letters"},
        {T::bcEan128, "EAN \x9A", E::erCharOutOfSet, 5, '\x9A', "in the set, but Code 128 has no value"},
        {T::bcCode11, "12-34", E::erOK, 0, 0, "digits and dash"},
    };
    TEan ean;
    for (const Row& row : rows) {
        ean.SetTypBarCode(row.type);
        ean.SetBarCode("");
        EXPECT_EQ(ean.CheckBarCode(row.text), row.error == E::erOK) << row.why;
        EXPECT_EQ(ean.LastPaintError(), row.error) << row.why;
        EXPECT_EQ(ean.ErrorPos(), row.pos) << row.why;
        if (row.pos > 0) {
            EXPECT_EQ(ean.ErrorChar(), row.errorChar) << row.why;
        }
        EXPECT_EQ(ean.BarCode(), "") << "the check works on a copy";
        // BuildPattern gives a pattern exactly when the check passes.
        const BarcodeEncoding e = ean.BuildPattern(row.text);
        EXPECT_EQ(e.BarPattern.empty(), row.error != E::erOK) << row.why;
        EXPECT_EQ(ean.LastPaintError(), row.error) << row.why;
        if (row.error != E::erOK) {
            EXPECT_EQ(e.Anchors, TextAnchors{}) << row.why;
        }
    }
}

TEST(BarcodeObject, NextBarCodeCountsOverTheCharacterSet) {
    struct Row {
        T type;
        const char* start;
        int from, to;
        const char* next;
        const char* why;
    } rows[] = {
        {T::bc25Datalogic, "0099", 0, 0, "0100", "carry over the highest digit"},
        {T::bc25Datalogic, "9999", 0, 0, "0000", "wraps round"},
        {T::bc25Datalogic, "1995", 2, 3, "1005", "only the field 2-3 counts"},
        {T::bc25Datalogic, "1234", 2, 9, "1235", "a field beyond the text ends with it"},
        {T::bcCode39Standard, "KROVA", 0, 0, "KROVB", "successor in catalogue order"},
        {T::bcCode39Standard, "KROV%", 0, 0, "KROW0", "'%' is the highest, '0' the first"},
        {T::bcEan13, "9771210107001", 0, 0, "9771210107018", "field 1-12, check digit recomputed"},
        {T::bcEan8, "12345670", 0, 0, "12345687", "field 1-7"},
        {T::bcABCCodabar, "A1D", 0, 0, "A1D", "'D' becomes ' ': no stop letter, not accepted"},
        // The default field ends before a computed check digit (which assignment writes anew)
        // and before the blank of an add-on, which is never counted or dropped.
        {T::bcUPCA, "012345678905", 0, 0, "012345678912", "field 1-11"},
        {T::bcUPCA, "012345678905 12", 0, 0, "012345678912 12", "add-on kept"},
        {T::bcUPCE0, "01234565", 0, 0, "01234572", "field 1-7"},
        {T::bcITF, "12345", 0, 0, "123464", "12345 + check 7, field 1-5"},
        {T::bcOPC, "1234567889", 0, 0, "1234567897", "field 1-9"},
        {T::bcPZN, "123456", 0, 0, "1234579", "123456 + check 2, field 1-6"},
        {T::bcUPCShipping, "1234567890123", 0, 0, "12345678901248", "field 1-13"},
        {T::bcJAN13, "491234567890", 0, 0, "4912345678911", "field 1-12"},
        {T::bcISBN, "80-7226-102", 0, 0, "80-7226-103-7", "ends at the ninth digit"},
        {T::bcEan13, "9771210107001 12", 0, 0, "9771210107018 12", "add-on kept"},
        {T::bcEan8, "12345670 12345", 0, 0, "12345687 12345", "add-on kept"},
        {T::bcEan13, "9771210107001 99", 0, 16, "9771210107001 00", "a field the user sets may count it"},
    };
    for (const Row& row : rows) {
        TEan ean;
        ean.SetTypBarCode(row.type);
        ean.SetBarCode(row.start);
        ean.SetAutoIncFrom(row.from);
        ean.SetAutoIncTo(row.to);
        ean.NextBarCode();
        EXPECT_EQ(ean.BarCode(), row.next) << row.start << ": " << row.why;
    }
}

TEST(BarcodeObject, AssignCopiesSettingsButNotFontOrSize) {
    TEan source;
    int paints = 0;
    source.SetTypBarCode(T::bcCode128);
    source.SetBarCode("Hello");
    source.SetAutoInc(true);
    source.SetAutoIncFrom(2);
    source.SetAutoIncTo(4);
    source.SetFirstBarCode("Hello");
    source.SetBackgroundColor(RgbColor(0x11, 0x22, 0x33));
    source.SetTransparent(true);
    source.SetShowLabels(false);
    source.SetStartStopLines(false);
    source.SetLinesColor(RgbColor(0x44, 0x55, 0x66));
    source.SetEan13AddUp(false);
    source.SetFontAutoSize(false);
    source.SetSecurity(true);
    source.SetLabelMask("__X");
    source.SetAngle(270);
    source.SetAutoSize(false);
    source.SetDisableEditor(true);
    source.SetAutoCheckDigit(false);
    source.Caption().SetText("top");
    source.Caption().SetAlignment(TAlignment::taCenter);
    source.CaptionBottom().SetFont(TBarcodeFont{"Courier New", 8});
    source.HorzLines().SetLinesCount(2);
    source.HorzLines().SetWidth(3);
    source.SetFont(TBarcodeFont{"Times New Roman", 20});
    source.SetBounds(400, 120);
    source.OnPaint = [&paints](TCustomEAN&, const TRect&, const std::string&) { ++paints; };

    TEan copy;
    Counters c;
    watch(copy, c);
    copy.Assign(source);
    EXPECT_EQ(copy.TypBarCode(), T::bcCode128);
    EXPECT_EQ(copy.BarCode(), "Hello"); // stored directly, not replaced by the sample
    EXPECT_EQ(c.typeChanges, 0);
    EXPECT_EQ(c.repaints, 1);
    EXPECT_TRUE(copy.AutoInc());
    EXPECT_EQ(copy.AutoIncFrom(), 2);
    EXPECT_EQ(copy.AutoIncTo(), 4);
    EXPECT_EQ(copy.FirstBarCode(), "Hello");
    EXPECT_EQ(copy.BackgroundColor(), RgbColor(0x11, 0x22, 0x33));
    EXPECT_TRUE(copy.Transparent());
    EXPECT_FALSE(copy.ShowLabels());
    EXPECT_FALSE(copy.StartStopLines());
    EXPECT_EQ(copy.LinesColor(), RgbColor(0x44, 0x55, 0x66));
    EXPECT_FALSE(copy.Ean13AddUp());
    EXPECT_FALSE(copy.FontAutoSize());
    EXPECT_TRUE(copy.Security());
    EXPECT_EQ(copy.LabelMask(), "__X");
    EXPECT_EQ(copy.Angle(), 270);
    EXPECT_FALSE(copy.AutoSize());
    EXPECT_TRUE(copy.DisableEditor());
    EXPECT_FALSE(copy.AutoCheckDigit());
    EXPECT_EQ(copy.Caption().Text(), "top");
    EXPECT_EQ(copy.Caption().Alignment(), TAlignment::taCenter);
    EXPECT_EQ(copy.CaptionBottom().Font(), (TBarcodeFont{"Courier New", 8}));
    EXPECT_EQ(copy.HorzLines().LinesCount(), 2);
    EXPECT_EQ(copy.HorzLines().Width(), 3);
    // The handlers travel with the settings (the copy's own were replaced).
    copy.DoPaint(TRect{0, 0, 10, 10});
    EXPECT_EQ(paints, 1);
    // Not copied.
    EXPECT_EQ(copy.Font(), (TBarcodeFont{"Arial", 16}));
    EXPECT_EQ(copy.Width(), 123);
    EXPECT_EQ(copy.Height(), 80);
}

TEST(BarcodeObject, MinimumWidthIsOnePixelPerModulePlusOne) {
    TEan ean;
    EXPECT_EQ(ean.MinimumWidth(), 8 + 95 + 1);
    ean.SetShowLabels(false);
    EXPECT_EQ(ean.MinimumWidth(), 95 + 1);
    ean.SetBarCode("12");
    EXPECT_EQ(ean.MinimumWidth(), 1); // nothing to draw
    EXPECT_EQ(ean.LastPaintError(), E::erBarcodeLengthInvalid);
}

TEST(BarcodeObject, PaintResultAndOnPaintForTheDrawing) {
    TEan ean;
    TRect seen;
    std::string text;
    ean.OnPaint = [&](TCustomEAN&, const TRect& r, const std::string& barCode) {
        seen = r;
        text = barCode;
    };
    ean.SetPaintResult(E::erSmallPaintBox, "");
    ean.DoPaint(TRect{1, 2, 3, 4});
    EXPECT_EQ(ean.LastPaintError(), E::erSmallPaintBox);
    EXPECT_EQ(seen, (TRect{1, 2, 3, 4}));
    EXPECT_EQ(text, "9771210107001");
    ean.SetPaintResult(E::erOK, "2 2");
    EXPECT_EQ(ean.LastPattern(), "2 2");
}

} // namespace
} // namespace etikor
