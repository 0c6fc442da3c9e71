#include "designer/Arrange.h"

#include <gtest/gtest.h>

#include <ostream>

namespace etikor {

static bool operator==(const TPixelRect& a, const TPixelRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}

static std::ostream& operator<<(std::ostream& out, const TPixelRect& r) {
    return out << '(' << r.Left << ", " << r.Top << ' ' << r.Width << 'x' << r.Height << ')';
}

namespace {

const TPixelRect kLabel{0, 0, 200, 100};

// Three elements: A (10,20 30x10), B (50,5 20x40), C (120,60 40x20); bounding box 10..160 x 5..80.
TEST(Arrange, SeveralAlignToTheirBoundingBox) {
    const std::vector<TPixelRect> rects{{10, 20, 30, 10}, {50, 5, 20, 40}, {120, 60, 40, 20}};
    struct Row {
        TArrangeKind Kind;
        std::vector<TPixelRect> Want;
    } rows[] = {
        {TArrangeKind::akLeft, {{10, 20, 30, 10}, {10, 5, 20, 40}, {10, 60, 40, 20}}},
        {TArrangeKind::akRight, {{130, 20, 30, 10}, {140, 5, 20, 40}, {120, 60, 40, 20}}},
        {TArrangeKind::akTop, {{10, 5, 30, 10}, {50, 5, 20, 40}, {120, 5, 40, 20}}},
        {TArrangeKind::akBottom, {{10, 70, 30, 10}, {50, 40, 20, 40}, {120, 60, 40, 20}}},
        // Centre x 85 (box 10..160), centre y 42 (box 5..80, height 75: 37 down from the top).
        {TArrangeKind::akHorizontalCentre, {{70, 20, 30, 10}, {75, 5, 20, 40}, {65, 60, 40, 20}}},
        {TArrangeKind::akVerticalCentre, {{10, 37, 30, 10}, {50, 22, 20, 40}, {120, 32, 40, 20}}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(Arranged(rects, r.Kind, kLabel), r.Want) << static_cast<int>(r.Kind);
}

// One element lines up with the label's edges and centre lines.
TEST(Arrange, OneAlignsToTheLabel) {
    const std::vector<TPixelRect> one{{30, 30, 40, 20}};
    EXPECT_EQ(Arranged(one, TArrangeKind::akLeft, kLabel), (std::vector<TPixelRect>{{0, 30, 40, 20}}));
    EXPECT_EQ(Arranged(one, TArrangeKind::akRight, kLabel), (std::vector<TPixelRect>{{160, 30, 40, 20}}));
    EXPECT_EQ(Arranged(one, TArrangeKind::akBottom, kLabel), (std::vector<TPixelRect>{{30, 80, 40, 20}}));
    EXPECT_EQ(Arranged(one, TArrangeKind::akHorizontalCentre, kLabel),
              (std::vector<TPixelRect>{{80, 30, 40, 20}}));
    EXPECT_EQ(Arranged(one, TArrangeKind::akVerticalCentre, kLabel),
              (std::vector<TPixelRect>{{30, 40, 40, 20}}));
    EXPECT_EQ(Arranged(one, TArrangeKind::akDistributeHorizontally, kLabel), one);
}

// The outermost stay; the gaps become equal whatever order the selection came in; the remainder
// of an uneven split goes to the first gaps; overlapping elements spread with negative gaps.
TEST(Arrange, DistributeEvenly) {
    // Span 0..100, widths 10 + 20 + 10 = 40: two gaps of 30.
    EXPECT_EQ(Arranged({{90, 0, 10, 5}, {0, 0, 10, 5}, {15, 0, 20, 5}},
                       TArrangeKind::akDistributeHorizontally, kLabel),
              (std::vector<TPixelRect>{{90, 0, 10, 5}, {0, 0, 10, 5}, {40, 0, 20, 5}}));
    // Span 0..51, heights 40: 11 over three gaps, 4 + 4 + 3.
    EXPECT_EQ(Arranged({{0, 0, 5, 10}, {0, 12, 5, 10}, {0, 13, 5, 10}, {0, 41, 5, 10}},
                       TArrangeKind::akDistributeVertically, kLabel),
              (std::vector<TPixelRect>{{0, 0, 5, 10}, {0, 14, 5, 10}, {0, 28, 5, 10}, {0, 41, 5, 10}}));
    // Span 0..50, widths 60: -10 over two gaps, -5 each.
    EXPECT_EQ(Arranged({{0, 0, 20, 5}, {10, 0, 20, 5}, {30, 0, 20, 5}},
                       TArrangeKind::akDistributeHorizontally, kLabel),
              (std::vector<TPixelRect>{{0, 0, 20, 5}, {15, 0, 20, 5}, {30, 0, 20, 5}}));
    const std::vector<TPixelRect> two{{0, 0, 10, 10}, {50, 0, 10, 10}};
    EXPECT_EQ(Arranged(two, TArrangeKind::akDistributeHorizontally, kLabel), two);
}

} // namespace
} // namespace etikor
