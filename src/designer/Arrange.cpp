#include "designer/Arrange.h"

#include <algorithm>
#include <numeric>

namespace etikor {

namespace {

int Right(const TPixelRect& r) {
    return r.Left + r.Width;
}

int Bottom(const TPixelRect& r) {
    return r.Top + r.Height;
}

TPixelRect Bounds(const std::vector<TPixelRect>& rects) {
    int left = rects.front().Left;
    int top = rects.front().Top;
    int right = Right(rects.front());
    int bottom = Bottom(rects.front());
    for (const TPixelRect& r : rects) {
        left = std::min(left, r.Left);
        top = std::min(top, r.Top);
        right = std::max(right, Right(r));
        bottom = std::max(bottom, Bottom(r));
    }
    return {left, top, right - left, bottom - top};
}

// Equal gaps along one axis: `start` and `size` pick the axis.
void Distribute(std::vector<TPixelRect>& rects, int TPixelRect::*start, int TPixelRect::*size) {
    if (rects.size() < 3)
        return;
    std::vector<size_t> order(rects.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return rects[a].*start < rects[b].*start; });
    const TPixelRect& first = rects[order.front()];
    const TPixelRect& last = rects[order.back()];
    int used = 0;
    for (const TPixelRect& r : rects)
        used += r.*size;
    const int span = last.*start + last.*size - first.*start;
    const int gaps = static_cast<int>(rects.size()) - 1;
    const int free = span - used;
    // Floor division: a negative free space (overlapping elements) spreads the same way.
    int gap = free / gaps;
    int extra = free - gap * gaps;
    if (extra < 0) {
        --gap;
        extra += gaps;
    }
    int position = first.*start;
    for (size_t i = 0; i + 1 < order.size(); ++i) {
        TPixelRect& r = rects[order[i]];
        r.*start = position;
        position += r.*size + gap + (static_cast<int>(i) < extra ? 1 : 0);
    }
}

} // namespace

std::vector<TPixelRect> Arranged(const std::vector<TPixelRect>& rects, TArrangeKind kind,
                                 const TPixelRect& label) {
    std::vector<TPixelRect> result = rects;
    if (result.empty())
        return result;
    const TPixelRect box = result.size() == 1 ? label : Bounds(result);
    for (TPixelRect& r : result) {
        switch (kind) {
        case TArrangeKind::akLeft:
            r.Left = box.Left;
            break;
        case TArrangeKind::akRight:
            r.Left = Right(box) - r.Width;
            break;
        case TArrangeKind::akTop:
            r.Top = box.Top;
            break;
        case TArrangeKind::akBottom:
            r.Top = Bottom(box) - r.Height;
            break;
        case TArrangeKind::akHorizontalCentre:
            r.Left = box.Left + (box.Width - r.Width) / 2;
            break;
        case TArrangeKind::akVerticalCentre:
            r.Top = box.Top + (box.Height - r.Height) / 2;
            break;
        case TArrangeKind::akDistributeHorizontally:
        case TArrangeKind::akDistributeVertically:
            break;
        }
    }
    if (kind == TArrangeKind::akDistributeHorizontally)
        Distribute(result, &TPixelRect::Left, &TPixelRect::Width);
    else if (kind == TArrangeKind::akDistributeVertically)
        Distribute(result, &TPixelRect::Top, &TPixelRect::Height);
    return result;
}

} // namespace etikor
