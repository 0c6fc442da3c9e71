#pragma once

// Helpers of the EAN/UPC family beside the encoders declared in Encoders.h.

#include <string>
#include <string_view>

namespace etikor {

// The 11-digit UPC-A number that a UPC-E text ("0", d1..d6, ...) stands for; its check digit
// is the UPC-E check digit.
std::string UpcEExpansion(std::string_view text);

} // namespace etikor
