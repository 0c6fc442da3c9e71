#pragma once

// Numbers at unaligned places of a file image or a value block, in the machine's byte order
// (little-endian, as the file format).

#include <cstring>

namespace etikor {

template <typename T>
T LoadAt(const void* p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

template <typename T>
void StoreAt(void* p, T value) {
    std::memcpy(p, &value, sizeof value);
}

} // namespace etikor
