// DrawBarCode: fitting, module expansion, error display, bar heights, bearer bars, captions,
// the human-readable text and horizontal lines, checked pixel by pixel in images and shape by
// shape on the recording metafile device.

#include "DrawSupport.h"

#include "barcode/BarcodeDraw.h"
#include "barcode/Ean.h"
#include "data/ColorQt.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <set>

namespace etikor::test {
namespace {

using T = TTypBarCode;

// Code 128 "KROVA" without text: bars from top to bottom, an even number of modules.
void SetUpCode128(TEan& ean) {
    ean.SetShowLabels(false);
    ean.SetTypBarCode(T::bcCode128);
    ean.SetBarCode("KROVA");
}

std::string PatternOf(TEan& ean) {
    return ean.BuildPattern(ean.BarCode()).BarPattern;
}

TEST(BarcodeDrawArithmetic, ModuleExpansion) {
    // Whole-pixel modules: k = width div n columns each, anchors times k, left-aligned.
    TextAnchors anchors{2, 3, 0, 0, 0, 0};
    auto e = ExpandModules("1012", anchors, 9, true);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Columns, "11001122"); // k = 2 (9 div 4); 8 columns, the ninth stays background
    EXPECT_EQ(e->Anchors, (TextAnchors{4, 6, 0, 0, 0, 0}));
    // Too narrow for one pixel per module: erOutOfSecurityBox.
    EXPECT_FALSE(ExpandModules("1012", anchors, 3, true));

    // Stretched: exactly `width` columns; modules get width div n or one more, spread evenly;
    // an anchor becomes the number of columns produced before its module.
    e = ExpandModules("1012", anchors, 7, false);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Columns, "1100112");
    EXPECT_EQ(e->Anchors, (TextAnchors{2, 4, 0, 0, 0, 0}));
    e = ExpandModules("1012", anchors, 4, false);
    EXPECT_EQ(e->Columns, "1012");
    // An anchor that no module position equals keeps its value.
    e = ExpandModules("10", TextAnchors{0, 0, 0, 0, 0, 9}, 6, false);
    EXPECT_EQ(e->Columns, "111000");
    EXPECT_EQ(e->Anchors.TrailingDigit, 9);
}

TEST(BarcodeDrawArithmetic, ModuleExpansionSpreadsLikeARunningRemainder) {
    // The reference spreading, column by column: every module subtracts the width from a
    // running sum and takes a column for each n it needs to climb back to zero.
    const auto reference = [](std::string_view pattern, int width, int anchor) {
        const int n = static_cast<int>(pattern.size());
        std::string columns;
        int anchorColumn = anchor;
        long long acc = 0;
        for (int i = 1; i <= n; ++i) {
            acc -= width;
            if (i == anchor)
                anchorColumn = static_cast<int>(columns.size());
            for (; acc < 0; acc += n)
                columns.push_back(pattern[static_cast<size_t>(i) - 1]);
        }
        return std::pair{columns, anchorColumn};
    };
    std::string pattern;
    for (int n = 1; n <= 45; ++n) {
        pattern.push_back("1021M0"[n % 6]);
        for (int width = n; width <= 3 * n + 7; ++width)
            for (int anchor : {0, 1, (n + 1) / 2, n, n + 1}) {
                const auto e = ExpandModules(pattern, TextAnchors{anchor, 0, 0, 0, 0, 0}, width, false);
                ASSERT_TRUE(e);
                const auto [columns, column] = reference(pattern, width, anchor);
                ASSERT_EQ(e->Columns, columns) << n << " modules in " << width;
                ASSERT_EQ(e->Anchors.Group1Start, column)
                    << n << " modules in " << width << ", anchor " << anchor;
            }
    }
}

TEST(BarcodeDrawArithmetic, FittingRectangle) {
    struct Row {
        TRect box;
        int angle;
        TRect layout;
    } rows[] = {
        {{0, 0, 100, 40}, 0, {0, 0, 100, 40}},
        {{0, 0, 100, 40}, 180, {0, 0, 100, 40}},
        {{0, 0, 95, 41}, 0, {0, 0, 95, 41}}, // odd sizes keep their last pixel
        // The 90-degree example: a box 60 wide and 200 high lays the barcode out 200 x 60.
        {{0, 0, 60, 200}, 90, {-70, 70, 130, 130}},
        {{0, 0, 60, 200}, 270, {-70, 70, 130, 130}},
        {{0, 0, 60, 200}, -90, {-70, 70, 130, 130}},
        {{10, 20, 110, 60}, 90, {40, -10, 80, 90}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FitLayoutRect(row.box, row.angle), row.layout) << row.angle;
}

TEST(BarcodeDrawArithmetic, AutoFitFontSize) {
    // size x 0.9 x available / width, truncated; never below one point.
    EXPECT_EQ(AutoFitFontSize(10, 200, 250), 7); // the caption example: 10 pt -> 7 pt
    EXPECT_EQ(AutoFitFontSize(16, 40, 48), 12);
    EXPECT_EQ(AutoFitFontSize(10, 100, 0), 10); // nothing measured: unchanged
    EXPECT_EQ(AutoFitFontSize(10, 2, 500), 1);
}

TEST(BarcodeDraw, BoxAsWideAsThePatternGivesOneColumnPerModule) {
    TEan ean;
    SetUpCode128(ean);
    const std::string pattern = PatternOf(ean);
    const int n = static_cast<int>(pattern.size());
    const QImage image = DrawToImage(ean, n, 40);
    EXPECT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
    EXPECT_EQ(ean.LastPattern(), pattern);
    for (int y : {0, 20, 39})
        EXPECT_EQ(RowBits(image, y), Bits(pattern)) << "row " << y;
}

TEST(BarcodeDraw, OnePixelNarrowerGivesSmallPaintBoxAndTheHatch) {
    TEan ean;
    SetUpCode128(ean);
    const int n = static_cast<int>(PatternOf(ean).size());
    const QImage image = DrawToImage(ean, n - 1, 40);
    EXPECT_EQ(ean.LastPaintError(), TLastPaintError::erSmallPaintBox);
    EXPECT_TRUE(ean.LastPattern().empty());
    // Red diagonal cross hatch on the background, no black bars.
    EXPECT_GT(CountRed(image), (n - 1) * 40 / 10);
    for (int y = 0; y < 40; ++y)
        EXPECT_EQ(RowBits(image, y).find('1'), std::string::npos);
}

TEST(BarcodeDraw, SecurityUsesWholePixelModules) {
    TEan ean;
    SetUpCode128(ean);
    const std::string pattern = PatternOf(ean);
    const int n = static_cast<int>(pattern.size());

    // 2n - 1 pixels: one column per module at the left, the rest background.
    ean.SetSecurity(true);
    QImage image = DrawToImage(ean, 2 * n - 1, 30);
    EXPECT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
    EXPECT_EQ(RowBits(image, 15), Bits(pattern) + std::string(static_cast<size_t>(n - 1), '0'));
    EXPECT_EQ(ean.LastPattern(), pattern);

    // Without Security the same box is filled: n - 1 modules take two columns.
    ean.SetSecurity(false);
    image = DrawToImage(ean, 2 * n - 1, 30);
    const auto stretched = ExpandModules(pattern, {}, 2 * n - 1, false);
    ASSERT_TRUE(stretched);
    EXPECT_EQ(RowBits(image, 15), Bits(stretched->Columns));
    EXPECT_EQ(static_cast<int>(ean.LastPattern().size()), 2 * n - 1);

    // Exactly twice as wide with Security: every module two columns.
    ean.SetSecurity(true);
    image = DrawToImage(ean, 2 * n, 30);
    std::string doubled;
    for (char c : Bits(pattern))
        doubled.append(2, c);
    EXPECT_EQ(RowBits(image, 15), doubled);
}

TEST(BarcodeDraw, NinetyDegreesStartsAtTheBottom) {
    // A box 60 wide and 200 high: laid out 200 x 60 and turned counter-clockwise.
    TEan ean;
    SetUpCode128(ean);
    ean.SetAngle(90);
    const QImage image = DrawToImage(ean, 60, 200);
    EXPECT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
    ASSERT_EQ(ean.LastPattern().size(), 200u);
    std::string upward = ColumnBits(image, 30);
    std::reverse(upward.begin(), upward.end());
    EXPECT_EQ(upward, Bits(ean.LastPattern()));
    // The bars span the box's whole width.
    EXPECT_EQ(RowBits(image, 199), std::string(60, '1')); // the first module is a bar

    // 270 (and -90) degrees: the start at the top; 180 degrees: the start at the right.
    for (int angle : {270, -90}) {
        ean.SetAngle(angle);
        const QImage turned = DrawToImage(ean, 60, 200);
        EXPECT_EQ(ColumnBits(turned, 30), Bits(ean.LastPattern())) << angle;
    }
    ean.SetAngle(180);
    const QImage upsideDown = DrawToImage(ean, 200, 60);
    std::string leftward = RowBits(upsideDown, 30);
    std::reverse(leftward.begin(), leftward.end());
    EXPECT_EQ(leftward, Bits(ean.LastPattern()));
}

TEST(BarcodeDraw, ErrorsOnScreenAndOnThePrinter) {
    TEan ean;
    ean.SetTypBarCode(T::bcEan13);
    ean.SetBarCode("97712101070A1"); // a letter: erCharOutOfSet
    int painted = 0;
    ean.OnPaint = [&](TCustomEAN&, const TRect& r, const std::string& text) {
        ++painted;
        EXPECT_EQ(r, (TRect{0, 0, 120, 50}));
        EXPECT_EQ(text, "97712101070A1");
    };
    QImage image = DrawToImage(ean, 120, 50);
    EXPECT_EQ(ean.LastPaintError(), TLastPaintError::erCharOutOfSet);
    EXPECT_GT(CountRed(image), 100);
    EXPECT_EQ(painted, 1);

    // On a printer page nothing at all is drawn.
    image = DrawToImage(ean, 120, 50, TRect{0, 0, 120, 50}, TCanvasKind::ckPrinter);
    EXPECT_EQ(ean.LastPaintError(), TLastPaintError::erCharOutOfSet);
    EXPECT_TRUE(AllWhite(image));
    EXPECT_EQ(painted, 2);

    // An empty text: nothing drawn, no OnPaint, and the reason reported.
    ean.SetTypBarCode(T::bcMSIPlessey); // its sample is empty
    ASSERT_TRUE(ean.BarCode().empty());
    image = DrawToImage(ean, 120, 50);
    EXPECT_TRUE(AllWhite(image));
    EXPECT_EQ(painted, 2);
    EXPECT_EQ(ean.LastPaintError(), TLastPaintError::erEmptyCode);
}

TEST(BarcodeDraw, PrinterPagesAreRecognised) {
    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath("a.pdf"));
    QPainter onPdf(&pdf);
    EXPECT_TRUE(IsPrinterCanvas(onPdf));
    // Nothing for an invalid text on the PDF page; a valid one draws.
    TEan ean;
    ean.SetBarCode("12");
    ean.DrawOnPrinter(onPdf, TRect{0, 0, 2000, 800});
    EXPECT_EQ(ean.LastPaintError(), TLastPaintError::erBarcodeLengthInvalid);
    ean.SetBarCode("977121010700");
    ean.DrawBarCode(onPdf, TRect{0, 0, 2000, 800});
    EXPECT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
    onPdf.end();

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("b.pdf"));
    QPainter onPrinter(&printer);
    EXPECT_TRUE(IsPrinterCanvas(onPrinter));
    onPrinter.end();

    QImage image(10, 10, QImage::Format_RGB32);
    QPainter onImage(&image);
    EXPECT_FALSE(IsPrinterCanvas(onImage));
}

TEST(BarcodeDraw, BackgroundUnlessTransparent) {
    TEan ean;
    SetUpCode128(ean);
    const int n = static_cast<int>(PatternOf(ean).size());
    QImage image = DrawToImage(ean, n + 20, 30, TRect{0, 0, n + 20, 30}, TCanvasKind::ckScreen, Qt::green);
    const int space = static_cast<int>(ean.LastPattern().find('0'));
    ASSERT_GT(space, 0);
    EXPECT_EQ(image.pixel(space, 10), qRgb(255, 255, 255));
    EXPECT_EQ(RowBits(image, 10).find('?'), std::string::npos);
    ean.SetTransparent(true);
    image = DrawToImage(ean, n + 20, 30, TRect{0, 0, n + 20, 30}, TCanvasKind::ckScreen, Qt::green);
    EXPECT_EQ(image.pixel(space, 10), QColor(Qt::green).rgb());
}

TEST(BarcodeDraw, ItfBearerBarsAndPostNetHalfBars) {
    TEan ean;
    ean.SetShowLabels(false);
    ean.SetTypBarCode(T::bcITF); // sample 0977121010700 -> ITF-14
    const std::string itf = PatternOf(ean);
    const int n = static_cast<int>(itf.size());
    QImage image = DrawToImage(ean, n, 40);
    EXPECT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
    // The first bar is one module wide, so the bearers are two pixels thick, over the whole
    // pattern including the quiet zones.
    for (int y : {0, 1, 38, 39})
        EXPECT_EQ(RowBits(image, y), std::string(static_cast<size_t>(n), '1')) << y;
    EXPECT_EQ(RowBits(image, 20), Bits(itf));

    ean.SetTypBarCode(T::bcPostNet);
    ean.SetBarCode("12345");
    const std::string postnet = PatternOf(ean);
    image = DrawToImage(ean, static_cast<int>(postnet.size()), 40);
    std::string fullBarsOnly = postnet;
    for (char& c : fullBarsOnly)
        c = c == '1' ? '1' : '0';
    EXPECT_EQ(RowBits(image, 5), fullBarsOnly);   // half bars stand on the baseline
    EXPECT_EQ(RowBits(image, 39), Bits(postnet)); // every bar reaches the bottom
}

TEST(BarcodeDraw, HorizontalLinesAcrossTheBars) {
    TEan ean;
    SetUpCode128(ean);
    const int n = static_cast<int>(PatternOf(ean).size());
    ean.HorzLines().SetLinesCount(3);
    ean.HorzLines().SetColor(clRed);
    const QImage image = DrawToImage(ean, n, 80); // step = 80 div 4 = 20
    for (int y : {20, 40, 60})
        EXPECT_EQ(RowBits(image, y), std::string(static_cast<size_t>(n), 'R')) << y;
    EXPECT_EQ(RowBits(image, 30), Bits(ean.LastPattern()));
}

TEST(BarcodeDraw, BarHeightsFollowGuardsAndText) {
    // EAN-13: guard bars reach the bottom, data bars stop the text height above it.
    // UPC-A: guard bars stop half the text height above it.
    for (T type : {T::bcEan13, T::bcUPCA}) {
        TEan ean;
        ean.SetTypBarCode(type);
        const TMetaPicture picture = DrawToRecorder(ean, 300, 100);
        ASSERT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
        std::set<int> bottoms;
        for (const TMetaRecord& r : Records(picture, TMetaKind::mkPolygon))
            if (r.Color == ToRgb(clBlack))
                bottoms.insert(std::max({r.Points[0].Y, r.Points[1].Y, r.Points[2].Y, r.Points[3].Y}));
        ASSERT_EQ(bottoms.size(), 2u) << static_cast<int>(type);
        const int data = *bottoms.begin();
        const int guard = *bottoms.rbegin();
        const int th = 100 - data;
        EXPECT_GT(th, 5);
        EXPECT_EQ(guard, type == T::bcEan13 ? 100 : 100 - th / 2);
    }
}

TEST(BarcodeDraw, HumanReadableTextPlacement) {
    TEan ean;
    ean.SetTypBarCode(T::bcEan13);
    ean.SetBarCode("977121010700");
    const TMetaPicture picture = DrawToRecorder(ean, 309, 100); // 103 modules x 3 pixels
    ASSERT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
    const TMetaRecord* first = FindText(picture, u"9");
    const TMetaRecord* group1 = FindText(picture, u"771210");
    const TMetaRecord* group2 = FindText(picture, u"107001");
    ASSERT_TRUE(first && group1 && group2);
    EXPECT_EQ(first->Points[0].X, 0); // the leading digit at R.left
    // FontAutoSize: 16 pt scaled so that "771210" takes 90 % of group 1: the anchors 12 and 52
    // become the columns before those modules, 33 and 153.
    QFont font("Arial", 16);
    TMetafileDevice device(309, 100);
    const int w16 = QFontMetrics(font, &device).horizontalAdvance("771210");
    const int size = AutoFitFontSize(16, 153 - 33, w16);
    EXPECT_EQ(group1->FontHeight, FontHeightAt96(size));
    font.setPointSize(size);
    const QFontMetrics fm(font, &device);
    EXPECT_EQ(group1->Points[0].X, 33 + (120 - fm.horizontalAdvance("771210")) / 2);
    // Group 2: anchors 59 and 99 become 174 and 294.
    EXPECT_EQ(group2->Points[0].X, 174 + (120 - fm.horizontalAdvance("107001")) / 2);
    // The text line's top is th above the bottom: its baseline is at 100 - th + ascent.
    EXPECT_EQ(group1->Points[0].Y, 100 - fm.height() + fm.ascent());
}

TEST(BarcodeDraw, LabelMaskAndSpecialTexts) {
    // Six "_" and an X on EAN-8: the seventh digit shows as X; the bars are unchanged.
    TEan ean;
    ean.SetTypBarCode(T::bcEan8);
    ean.SetBarCode("1234567");
    DrawToRecorder(ean, 200, 80);
    const std::string bars = ean.LastPattern();
    ean.SetLabelMask("______X");
    TMetaPicture picture = DrawToRecorder(ean, 200, 80);
    EXPECT_TRUE(FindText(picture, u"1234"));
    EXPECT_TRUE(FindText(picture, u"56X0"));
    EXPECT_EQ(ean.LastPattern(), bars);

    // UPC-E: the leading 0 and the check digit in a font three quarters the size.
    TEan upce;
    upce.SetTypBarCode(T::bcUPCE0);
    upce.SetBarCode("123456"); // 01234565
    picture = DrawToRecorder(upce, 200, 80);
    const TMetaRecord* middle = FindText(picture, u"123456");
    const TMetaRecord* lead = FindText(picture, u"0");
    const TMetaRecord* check = FindText(picture, u"5");
    ASSERT_TRUE(middle && lead && check);
    const int size = static_cast<int>(std::lround(-middle->FontHeight * 72 / 96.0));
    EXPECT_EQ(lead->FontHeight, FontHeightAt96(static_cast<int>(std::nearbyint(size * 0.75))));
    EXPECT_EQ(check->FontHeight, lead->FontHeight);
    EXPECT_EQ(lead->Points[0].X, 0);

    // PZN, OPC, UPC Shipping: their own text forms; control characters never drawn.
    struct Row {
        T type;
        std::string text;
        std::u16string shown;
    } rows[] = {
        {T::bcPZN, "123456", u"PZN - 1234562"},
        {T::bcOPC, "123456789", u"12345-6789-7"},
        {T::bcUPCShipping, "1234567890123", u"1  23  45678  90123  1"},
        {T::bcCode128,
         std::string("AB\x01"
                     "C"),
         u"ABC"},
    };
    for (const Row& row : rows) {
        TEan e;
        e.SetTypBarCode(row.type);
        e.SetBarCode(row.text);
        const int width = e.MinimumWidth() * 2;
        picture = DrawToRecorder(e, width, 80);
        EXPECT_EQ(e.LastPaintError(), TLastPaintError::erOK) << row.text;
        EXPECT_TRUE(FindText(picture, row.shown)) << row.text;
    }
}

TEST(BarcodeDraw, AddOnDigitsAboveLoweredBars) {
    TEan ean;
    ean.SetBarCode("9771210107001 12345");
    const TMetaPicture picture = DrawToRecorder(ean, 400, 120);
    ASSERT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
    const TMetaRecord* addOn = FindText(picture, u"12345");
    ASSERT_TRUE(addOn);
    const auto expanded = ExpandModules(ean.BuildPattern(ean.BarCode()).BarPattern,
                                        ean.BuildPattern(ean.BarCode()).Anchors, 400, false);
    EXPECT_EQ(addOn->Points[0].X, expanded->Anchors.AddOnStart);
    // Its top at R.top: the baseline is one ascent below 0, above every add-on bar.
    int addOnBarTop = 1000;
    const int addOnX = expanded->Anchors.AddOnStart;
    for (const TMetaRecord& r : Records(picture, TMetaKind::mkPolygon))
        if (r.Color == ToRgb(clBlack) && r.Points[0].X >= addOnX)
            addOnBarTop = std::min(addOnBarTop, std::min(r.Points[0].Y, r.Points[2].Y));
    EXPECT_GT(addOnBarTop, 0);
    EXPECT_LT(addOn->Points[0].Y, addOnBarTop + 1);
}

TEST(BarcodeDraw, CaptionAutoSizeAndLines) {
    // A caption measuring about 250 pixels at 10 pt over a 200-column pattern is drawn at
    // trunc(10 x 0.9 x 200 / width): the 10 pt -> 7 pt example.
    TEan ean;
    SetUpCode128(ean);
    TMetafileDevice device(200, 100);
    const QFontMetrics ten(QFont("Arial", 10), &device);
    const std::string words = "Etikor barcode caption text ";
    std::string text;
    while (ten.horizontalAdvance(QString::fromStdString(text)) <= 225)
        text += words[text.size() % words.size()];
    const int width10 = ten.horizontalAdvance(QString::fromStdString(text));
    ASSERT_LE(width10, 257);
    ean.Caption().SetText(text);
    ean.CaptionBottom().SetText("bottom");
    ean.CaptionBottom().SetAutoSize(false);
    ean.CaptionBottom().SetAlignment(TAlignment::taRightJustify);
    const TMetaPicture picture = DrawToRecorder(ean, 200, 100);
    ASSERT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
    ASSERT_EQ(ean.LastPattern().size(), 200u);
    const TMetaRecord* upper = FindText(picture, QString::fromStdString(text).toStdU16String());
    const TMetaRecord* lower = FindText(picture, u"bottom");
    ASSERT_TRUE(upper && lower);
    EXPECT_EQ(AutoFitFontSize(10, 200, width10), 7);
    EXPECT_EQ(upper->FontHeight, FontHeightAt96(7));
    EXPECT_EQ(lower->FontHeight, FontHeightAt96(10));
    EXPECT_EQ(lower->Points[0].X, 200 - ten.horizontalAdvance("bottom"));
    // Each caption takes round(1.2 x |font height|) (+1 above) off the bars.
    const int upperLine = static_cast<int>(std::nearbyint(1.2 * -FontHeightAt96(7))) + 1;
    const int lowerTop = 100 - static_cast<int>(std::nearbyint(1.2 * -FontHeightAt96(10)));
    int top = 1000;
    int bottom = 0;
    for (const TMetaRecord& r : Records(picture, TMetaKind::mkPolygon))
        if (r.Color == ToRgb(clBlack))
            for (const TMetaPoint& p : r.Points) {
                top = std::min(top, p.Y);
                bottom = std::max(bottom, p.Y);
            }
    EXPECT_EQ(top, upperLine);
    EXPECT_EQ(bottom, lowerTop - 1);
}

TEST(BarcodeDraw, RotatedTextTurnsWithTheBars) {
    TEan ean;
    ean.SetTypBarCode(T::bcCode39Standard);
    ean.SetAngle(90);
    ean.Caption().SetText("Top");
    ean.Caption().SetAutoSize(false);
    const TMetaPicture picture = DrawToRecorder(ean, 80, 300);
    ASSERT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
    const TMetaRecord* text = FindText(picture, u"KROVA");
    const TMetaRecord* caption = FindText(picture, u"Top");
    ASSERT_TRUE(text && caption);
    EXPECT_EQ(text->Escapement, 900);
    EXPECT_EQ(caption->Escapement, 900);
    // The caption stands at the left edge (the layout's top), the text line at the right.
    EXPECT_LT(caption->Points[0].X, text->Points[0].X);
    for (const TMetaRecord& r : Records(picture, TMetaKind::mkPolygon))
        for (const TMetaPoint& p : r.Points) {
            EXPECT_GE(p.X, 0);
            EXPECT_LE(p.X, 80);
            EXPECT_GE(p.Y, 0);
            EXPECT_LE(p.Y, 300);
        }
}

} // namespace
} // namespace etikor::test

namespace etikor::test {
namespace {

TEST(BarcodeDraw, AutoSizedTextLeavesRoomForTheBars) {
    // A short text over a long symbol: fitting its width alone would make it taller than the
    // box. It is held to half the height, so the bars keep at least the other half.
    TEan ean;
    ean.SetTypBarCode(TTypBarCode::bcCode39Full);
    ean.SetBarCode("Etikor+1");
    const QImage image = DrawToImage(ean, 3 * (ean.MinimumWidth() - 1), 80);
    ASSERT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
    std::string expanded;
    for (char c : ean.LastPattern())
        expanded.push_back(c == '0' || c == ' ' ? '0' : '1');
    for (int y : {0, 20, 39})
        EXPECT_EQ(RowBits(image, y), expanded) << y;
}

} // namespace
} // namespace etikor::test

namespace etikor::test {
namespace {

TEST(BarcodeDraw, DirectImageFillMatchesThePainter) {
    // 32-bit images get their bars written directly; a 16-bit image goes through the painter.
    // Both must give the same pixels: add-on bars lowered by the text height, UPC guard bars
    // cut by half of it, ITF bearer bars, a translated painter.
    struct Row {
        TTypBarCode type;
        std::string text;
    } rows[] = {
        {TTypBarCode::bcEan13, "9771210107001 12345"},
        {TTypBarCode::bcUPCA, "01234567890"},
        {TTypBarCode::bcITF, "0977121010700"},
        {TTypBarCode::bcPostNet, "12345"},
    };
    for (const Row& row : rows) {
        TEan ean;
        ean.SetShowLabels(false);
        ean.SetTypBarCode(row.type);
        ean.SetBarCode(row.text);
        for (bool transparent : {false, true}) {
            ean.SetTransparent(transparent);
            QImage images[2] = {QImage(260, 90, QImage::Format_RGB32), QImage(260, 90, QImage::Format_RGB16)};
            for (QImage& image : images) {
                image.fill(Qt::white);
                QPainter painter(&image);
                painter.translate(5, 3);
                ean.DrawBarCode(painter, TRect{0, 0, 250, 80}, TCanvasKind::ckScreen);
                ASSERT_EQ(ean.LastPaintError(), TLastPaintError::erOK) << row.text;
            }
            EXPECT_EQ(images[0], images[1].convertToFormat(QImage::Format_RGB32)) << row.text << transparent;
        }
    }
}

} // namespace
} // namespace etikor::test

namespace etikor::test {
namespace {

// Every angle puts every column of the symbol on the box, whatever the parity of its sides:
// the line through the bars reads the expanded pattern in full, nothing lands outside the box.
TEST(BarcodeDraw, EveryAngleIsExactForOddAndEvenBoxes) {
    TEan ean;
    SetUpCode128(ean); // 90 modules, bars full height
    constexpr int kMargin = 5;
    for (int length : {90, 91, 181, 182}) {
        for (int thickness : {60, 61}) {
            for (int angle : {0, 90, 180, 270}) {
                SCOPED_TRACE("length " + std::to_string(length) + ", thickness " + std::to_string(thickness) +
                             ", angle " + std::to_string(angle));
                ean.SetAngle(angle);
                const bool upright = angle == 90 || angle == 270;
                const int w = upright ? thickness : length;
                const int h = upright ? length : thickness;
                const QImage image = DrawToImage(ean, w + 2 * kMargin, h + 2 * kMargin,
                                                 TRect{kMargin, kMargin, kMargin + w, kMargin + h});
                ASSERT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
                ASSERT_EQ(ean.LastPattern().size(), static_cast<size_t>(length));
                const std::string expected = Bits(ean.LastPattern());
                // Read at the first and last line across the bars as well as in the middle.
                for (int across : {0, thickness / 2, thickness - 1}) {
                    std::string line;
                    if (upright)
                        line = ColumnBits(image, kMargin + across, kMargin, kMargin + h);
                    else
                        line = RowBits(image, kMargin + across, kMargin, kMargin + w);
                    if (angle == 90 || angle == 180)
                        std::reverse(line.begin(), line.end());
                    EXPECT_EQ(line, expected) << "across " << across;
                }
                // The margin stays white.
                int outside = 0;
                for (int x = 0; x < image.width(); ++x)
                    for (int y = 0; y < image.height(); ++y) {
                        const bool inBox = x >= kMargin && y >= kMargin && x < kMargin + w && y < kMargin + h;
                        outside += !inBox && image.pixel(x, y) != qRgb(255, 255, 255);
                    }
                EXPECT_EQ(outside, 0);
            }
        }
    }
}

// The bottoms of the black bars a drawing records, and the tops of those from column `from`.
struct BarEdges {
    std::set<int> bottoms;
    int topFrom = 1000;
};

BarEdges Edges(const TMetaPicture& picture, int from = 0) {
    BarEdges out;
    for (const TMetaRecord& r : Records(picture, TMetaKind::mkPolygon)) {
        if (r.Color != ToRgb(clBlack))
            continue;
        int bottom = 0, top = 1000, left = 1000;
        for (const TMetaPoint& p : r.Points) {
            bottom = std::max(bottom, p.Y);
            top = std::min(top, p.Y);
            left = std::min(left, p.X);
        }
        out.bottoms.insert(bottom);
        if (left >= from)
            out.topFrom = std::min(out.topFrom, top);
    }
    return out;
}

TEST(BarcodeDraw, WithoutTextNoBarIsShortened) {
    // With the text on, UPC guard bars stop half a text height above the bottom and add-on
    // bars start a text height below the top; with it off every bar runs the full height.
    struct Row {
        T type;
        const char* text;
    } rows[] = {
        {T::bcUPCA, "01234567890"},
        {T::bcUPCE0, "0123456"},
        {T::bcEan13, "9771210107001 12345"},
        {T::bcUPCA, "012345678905 12"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        TEan ean;
        ean.SetTypBarCode(row.type);
        ean.SetBarCode(row.text);
        ean.SetShowLabels(false);
        const TMetaPicture picture = DrawToRecorder(ean, 400, 100);
        ASSERT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
        const BarEdges edges = Edges(picture);
        EXPECT_EQ(edges.bottoms, std::set<int>{100});
        EXPECT_EQ(edges.topFrom, 0);
    }
}

TEST(BarcodeDraw, FittedCaptionsLeaveTheBarsTheirShare) {
    // "Top" fitted to 90 % of a 300-column symbol would be taller than the 120-pixel box. A
    // fitted caption line takes at most a quarter of the height; two of them never overlap.
    for (bool both : {false, true}) {
        SCOPED_TRACE(both ? "two captions" : "upper caption");
        TEan ean;
        ean.SetTypBarCode(T::bcEan13);
        ean.Caption().SetText("Top");
        if (both)
            ean.CaptionBottom().SetText("Low");
        const TMetaPicture picture = DrawToRecorder(ean, 300, 120);
        ASSERT_EQ(ean.LastPaintError(), TLastPaintError::erOK);
        const TMetaRecord* upper = FindText(picture, u"Top");
        ASSERT_TRUE(upper);
        const int line = static_cast<int>(std::nearbyint(1.2 * -upper->FontHeight)) + 1;
        EXPECT_LE(line, 120 / 4);
        const BarEdges edges = Edges(picture);
        ASSERT_FALSE(edges.bottoms.empty());
        EXPECT_EQ(edges.topFrom, line); // the bars start right under the caption
        if (both) {
            const TMetaRecord* lower = FindText(picture, u"Low");
            ASSERT_TRUE(lower);
            const int lowerTop = 120 - static_cast<int>(std::nearbyint(1.2 * -lower->FontHeight));
            EXPECT_LE(lowerTop - 120, -1);
            EXPECT_EQ(*edges.bottoms.rbegin(), lowerTop - 1); // guard bars end above it
            EXPECT_GE(lowerTop - 1 - line, 120 / 2 - 2);
        }
    }
}

TEST(BarcodeDraw, CaptionsThatLeaveNoRoomAreAnError) {
    // Captions of a fixed size that take the whole box: no bars, so not a success. The box is
    // too small for the barcode with its captions: the hatch on screen, nothing on a printer.
    TEan ean;
    ean.SetTypBarCode(T::bcEan13);
    for (TBarcodeCaption* c : {&ean.Caption(), &ean.CaptionBottom()}) {
        c->SetText("Caption");
        c->SetAutoSize(false);
        TBarcodeFont font = c->Font();
        font.Size = 40;
        c->SetFont(font);
    }
    const QImage image = DrawToImage(ean, 300, 120);
    EXPECT_EQ(ean.LastPaintError(), TLastPaintError::erSmallPaintBox);
    EXPECT_TRUE(ean.LastPattern().empty());
    EXPECT_GT(CountRed(image), 0);
    const QImage printed = DrawToImage(ean, 300, 120, TRect{0, 0, 300, 120}, TCanvasKind::ckPrinter);
    EXPECT_EQ(ean.LastPaintError(), TLastPaintError::erSmallPaintBox);
    EXPECT_TRUE(AllWhite(printed));
}

} // namespace
} // namespace etikor::test
