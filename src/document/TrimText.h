#pragma once

// Stored texts of the template and the font descriptor are read without the blanks and control
// characters around them.

#include <string_view>

namespace etikor {

inline std::string_view TrimText(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

} // namespace etikor
