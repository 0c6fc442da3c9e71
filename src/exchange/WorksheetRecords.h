#pragma once

// Little-endian fields of BIFF records, for the readers of bare record streams and of formula
// results. The caller checks that the bytes are there.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace etikor {

inline uint16_t BiffWord(std::string_view bytes, std::size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

inline double BiffDouble(std::string_view bytes, std::size_t at) {
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return std::bit_cast<double>(bits);
}

} // namespace etikor
