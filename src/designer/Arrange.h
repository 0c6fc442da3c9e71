#pragma once

// Lining up several elements: aligning their edges or centres and spacing them evenly. Works on
// the views' rectangles on the canvas (stored pixels times the zoom), so what is stored after a
// change is the same at every zoom.

#include "document/TemplateSchema.h"

#include <vector>

namespace etikor {

enum class TArrangeKind : uint8_t {
    akLeft,
    akRight,
    akTop,
    akBottom,
    akHorizontalCentre,
    akVerticalCentre,
    akDistributeHorizontally,
    akDistributeVertically,
};

// The rectangles after the arrangement, in the same order. Several rectangles are aligned to
// their common bounding box; a single one to `label` (its edges or centre lines). Distributing
// keeps the outermost two where they are and makes the gaps between neighbours equal (the
// remainder of an uneven division goes to the first gaps); fewer than three stay as they are.
std::vector<TPixelRect> Arranged(const std::vector<TPixelRect>& rects, TArrangeKind kind,
                                 const TPixelRect& label);

} // namespace etikor
