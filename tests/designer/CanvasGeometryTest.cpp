#include "designer/CanvasGeometry.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

// The label panel: width mm x 3.75 x z and height mm x 3.85 x z, rounded half to even.
TEST(CanvasGeometry, LabelPanelSize) {
    struct Row {
        double W, H;
        int Zoom;
        int Width, Height, UnzoomedWidth, UnzoomedHeight;
    } rows[] = {
        {62.5, 38.1, 1, 234, 147, 234, 147}, // 234.375 x 146.685
        {62.5, 38.1, 3, 703, 440, 234, 147}, // 703.125 x 440.055
        {62.5, 38.1, 2, 469, 293, 234, 146}, // 468.75 x 293.37; 469 / 2 = 234.5 -> 234, 146.5 -> 146
        {20, 10, 1, 75, 38, 75, 38},         // 75 x 38.5 -> 38 (ties to even)
    };
    for (const Row& r : rows) {
        const TPanelSize s = LabelPanelSize(r.W, r.H, r.Zoom);
        EXPECT_EQ(s.Width, r.Width) << r.W << " zoom " << r.Zoom;
        EXPECT_EQ(s.Height, r.Height) << r.H << " zoom " << r.Zoom;
        EXPECT_EQ(s.UnzoomedWidth, r.UnzoomedWidth);
        EXPECT_EQ(s.UnzoomedHeight, r.UnzoomedHeight);
    }
}

// Stored pixels times z on screen; screen pixels divided by z (ties to even) when stored.
TEST(CanvasGeometry, ZoomAndStoreRoundTrip) {
    const TPixelRect stored{10, 20, 60, 61};
    for (int z = 1; z <= 3; ++z) {
        const TPixelRect screen = ZoomRect(stored, z);
        EXPECT_EQ(screen.Width, 60 * z);
        const TPixelRect back = StoredRect(screen, z);
        EXPECT_EQ(back.Left, 10);
        EXPECT_EQ(back.Top, 20);
        EXPECT_EQ(back.Width, 60);
        EXPECT_EQ(back.Height, 61);
    }
    // 21 screen pixels at zoom 2 are 10.5 -> 10; 23 are 11.5 -> 12.
    EXPECT_EQ(StoredRect({21, 23, 0, 0}, 2).Left, 10);
    EXPECT_EQ(StoredRect({21, 23, 0, 0}, 2).Top, 12);
}

// mm = px * 100 / scale / 96 * 25.4; the readout "(%.3g; %.3g)" with the locale's separator.
TEST(CanvasGeometry, MillimetresAndReadout) {
    EXPECT_DOUBLE_EQ(ScreenToMm(96, 1), 25.4);
    EXPECT_DOUBLE_EQ(ScreenToMm(192, 2), 25.4);
    const TElementGeometry g = GeometryFromScreen({20, 40, 120, 60}, 2);
    EXPECT_EQ(g.Px.Left, 10);
    EXPECT_EQ(g.Px.Width, 60);
    EXPECT_NEAR(g.WidthMm, 15.875, 1e-9);
    EXPECT_EQ(PositionText(2.6458333, 25.4, ','), QStringLiteral("(2,65; 25,4)"));
    EXPECT_EQ(PositionText(0, 123.456, '.'), QStringLiteral("(0; 123)"));
}

// The escapement of each rotation code.
TEST(CanvasGeometry, TextEscapement) {
    EXPECT_EQ(TextEscapement(1), 90);
    EXPECT_EQ(TextEscapement(3), 270);
    EXPECT_EQ(TextEscapement(7), 0);
}

// Applying a page setup: control ranges and the page enlarged to hold one label (the page and
// label setup's worked examples).
TEST(CanvasGeometry, AppliedPageSetup) {
    TPageSetup tall;
    tall.LabelHeightMm = 38.1;
    tall.TopMarginMm = 13;
    tall.BottomMarginMm = 10;
    tall.PageLengthMm = 50;
    EXPECT_NEAR(AppliedPageSetup(tall).PageLengthMm, 61.1, 1e-9);
    TPageSetup wide;
    wide.LabelWidthMm = 200;
    wide.LeftMarginMm = 10;
    wide.RightMarginMm = 10;
    EXPECT_DOUBLE_EQ(AppliedPageSetup(wide).PageWidthMm, 210);
    TPageSetup narrow;
    narrow.LabelWidthMm = 15;
    narrow.LabelHeightMm = 62.557;
    narrow.Columns = 0;
    const TPageSetup applied = AppliedPageSetup(narrow);
    EXPECT_DOUBLE_EQ(applied.LabelWidthMm, 20);
    EXPECT_DOUBLE_EQ(applied.LabelHeightMm, 62.56);
    EXPECT_EQ(applied.Columns, 1);
}

// The barcode width check: 95 modules (m = 96, v = 48); 47 stored pixels warn, 48 do not.
TEST(CanvasGeometry, BarcodeWidthCheck) {
    const TBarcodeWidthCheck narrow = CheckBarcodeWidth(94, 2, 96);
    EXPECT_TRUE(narrow.TooNarrow());
    EXPECT_EQ(narrow.Message(), QStringLiteral("Nem megfelelő vonalkód szélesség! (47px./48px.)"));
    EXPECT_FALSE(CheckBarcodeWidth(48, 1, 96).TooNarrow());
}

// The zoom steps stay within 1..8 whatever is asked.
TEST(CanvasGeometry, ZoomSteps) {
    struct Row {
        int Zoom, Steps, Expected;
    } rows[] = {{1, 1, 2}, {3, 1, 4}, {8, 1, 8}, {8, 3, 8}, {1, -1, 1}, {5, -2, 3}, {0, 0, 1}, {12, -1, 7}};
    for (const Row& r : rows)
        EXPECT_EQ(StepZoom(r.Zoom, r.Steps), r.Expected) << r.Zoom << " by " << r.Steps;
    EXPECT_EQ(ClampZoom(9), kMaxZoom);
    EXPECT_EQ(ClampZoom(-3), kMinZoom);
}

// "Fit" takes the largest step whose panel fits both ways; the smallest when none does.
TEST(CanvasGeometry, FitZoom) {
    struct Row {
        double W, H;
        int ViewW, ViewH, Expected;
    } rows[] = {
        {62.5, 38.1, 703, 440, 3},   // exactly the 3x panel
        {62.5, 38.1, 702, 440, 2},   // one pixel short across
        {62.5, 38.1, 703, 439, 2},   // one pixel short down
        {62.5, 38.1, 4000, 4000, 8}, // never past the largest step
        {200, 150, 300, 200, 1},     // larger than the view at 1x: scrolls
        {20, 10, 600, 120, 3},       // the height decides: 38.5 x 3 = 115.5 -> 116
    };
    for (const Row& r : rows)
        EXPECT_EQ(FitZoom(r.W, r.H, r.ViewW, r.ViewH), r.Expected) << r.ViewW << "x" << r.ViewH;
}

// A view position is millimetres from the label's edge as the rulers count them (96 px per
// inch times the zoom), through the scroll offset and the label's place; and back.
TEST(CanvasGeometry, ViewMillimetreMapping) {
    struct Row {
        TCanvasAxis Axis;
        int Zoom;
        double ViewPx, Mm;
    } rows[] = {
        {{6, 0}, 1, 6, 0},
        {{6, 0}, 1, 6 + 96, 25.4},
        {{6, 0}, 2, 6 + 96, 12.7},
        {{6, 400}, 4, 10, (10 + 400 - 6) * 25.4 / 384},
        {{6, 1000}, 8, 0, (1000 - 6) * 25.4 / 768},
        {{6, 0}, 3, 0, -6 * 25.4 / 288}, // left of the label
    };
    for (const Row& r : rows) {
        EXPECT_NEAR(r.Axis.ViewToMm(r.ViewPx, r.Zoom), r.Mm, 1e-9) << r.ViewPx << " at " << r.Zoom;
        EXPECT_NEAR(r.Axis.MmToView(r.Mm, r.Zoom), r.ViewPx, 1e-9) << r.Mm << " at " << r.Zoom;
    }
}

// Zooming around a point of the view: the millimetre under that point stays under it at the
// new zoom (to within one screen pixel at the new zoom).
TEST(CanvasGeometry, ZoomAroundPointKeepsThePoint) {
    struct Row {
        TCanvasAxis Axis;
        double ViewPx;
        int From, To;
    } rows[] = {
        {{6, 0}, 100, 1, 2},   {{6, 0}, 300, 1, 8}, {{6, 250}, 37, 3, 4},
        {{6, 900}, 420, 8, 3}, {{6, 40}, 0, 2, 1},  {{6, 0}, 6, 1, 8}, // the label's edge stays put
    };
    for (const Row& r : rows) {
        const double mm = r.Axis.ViewToMm(r.ViewPx, r.From);
        const TCanvasAxis after{r.Axis.Origin, r.Axis.ScrollKeeping(r.ViewPx, r.From, r.To)};
        EXPECT_NEAR(after.MmToView(mm, r.To), r.ViewPx, 1.0) << r.ViewPx << " " << r.From << "->" << r.To;
    }
}

} // namespace
} // namespace etikor
