#include "data/TurnedText.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

// Auto-sized turned text: the box and the start point of the text for the four designer angles
// (and the same angles written below zero or beyond a turn).
TEST(TurnedText, AutoSizedBox) {
    struct Row {
        int Angle;
        int Width, Height, StartX, StartY;
    } rows[] = {
        {0, 40, 10, 0, 0},    {90, 10, 40, 0, 40},  {180, 40, 10, 40, 10},
        {270, 10, 40, 10, 0}, {-90, 10, 40, 10, 0}, {450, 10, 40, 0, 40},
    };
    for (const Row& r : rows) {
        const TTurnedTextBox l = TurnedTextBox(40, 10, r.Angle);
        EXPECT_EQ(l.Width, r.Width) << r.Angle;
        EXPECT_EQ(l.Height, r.Height) << r.Angle;
        EXPECT_EQ(l.Start.X, r.StartX) << r.Angle;
        EXPECT_EQ(l.Start.Y, r.StartY) << r.Angle;
    }
}

// In a box wider than the text: unturned text follows its alignment, turned text ignores it.
TEST(TurnedText, StartInAWiderBox) {
    struct Row {
        int Angle;
        TAlignment Alignment;
        double X, Y;
    } rows[] = {
        {0, TAlignment::taLeftJustify, 0, 0},      {0, TAlignment::taCenter, 30, 0},
        {0, TAlignment::taRightJustify, 60, 0},    {90, TAlignment::taCenter, 0, 40},
        {180, TAlignment::taRightJustify, 40, 10}, {270, TAlignment::taLeftJustify, 10, 0},
    };
    for (const Row& r : rows) {
        const TTextStart start = TurnedTextStart(40, 10, r.Angle, r.Alignment, 100);
        EXPECT_EQ(start.X, r.X) << r.Angle;
        EXPECT_EQ(start.Y, r.Y) << r.Angle;
    }
}

} // namespace
} // namespace etikor
