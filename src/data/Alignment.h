#pragma once

// The program's one horizontal alignment type: field values in grids, barcode captions and
// text elements all align with it.

#include <cstdint>

namespace etikor {

enum class TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

} // namespace etikor
