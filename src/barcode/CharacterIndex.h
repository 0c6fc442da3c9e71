#pragma once

// The reverse of an encoder's character-set string, built at compile time: for each byte its
// position in the set (its symbol value), or -1 when the symbology has no such character.

#include <array>
#include <cstdint>
#include <string_view>

namespace etikor {

constexpr std::array<int8_t, 256> CharacterIndex(std::string_view characters) {
    std::array<int8_t, 256> index{};
    index.fill(-1);
    for (std::size_t i = 0; i < characters.size(); ++i)
        index[static_cast<unsigned char>(characters[i])] = static_cast<int8_t>(i);
    return index;
}

} // namespace etikor
