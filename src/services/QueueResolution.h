#pragma once

// The dot grid a job is drawn on: a print queue's own resolution as its server reports it (a
// thermal label printer prints at 203 or 300 dots per inch without smoothing, so bars drawn on
// any other grid come out a dot wider or narrower here and there).

#include <QString>

#include <optional>
#include <string_view>

namespace etikor {

// The grid of a PDF file written when none is asked for.
inline constexpr int kDefaultPdfDpi = 600;
// The grids a job may be drawn on.
inline constexpr int kMinimumDpi = 72;
inline constexpr int kMaximumDpi = 2400;

// A resolution as a print option spells it: "203dpi", "300x600dpi", "80dpcm". Dots per inch,
// the coarser direction of the two (its grid is the one both directions keep); nothing for
// any other text.
std::optional<int> ParseResolution(std::string_view text);

// The resolution a queue prints at: the user's own default for it (lpoptions), else the queue's
// default; nothing when the queue is unknown or reports none (a raw queue).
std::optional<int> QueueResolution(const QString& queue);

} // namespace etikor
