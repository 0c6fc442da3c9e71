#pragma once

// Helpers shared by the table-store tests: byte strings built from named pieces.

#include "tablestore/StoreCursor.h"
#include "tablestore/StoreFormat.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace etikor::test {

inline std::string I32(int32_t v) {
    std::string s(4, '\0');
    std::memcpy(s.data(), &v, 4);
    return s;
}
inline std::string I16(int16_t v) {
    std::string s(2, '\0');
    std::memcpy(s.data(), &v, 2);
    return s;
}
inline std::string F64(double v) {
    std::string s(8, '\0');
    std::memcpy(s.data(), &v, 8);
    return s;
}
inline std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes)
        s.push_back(static_cast<char>(b));
    return s;
}
// One descriptor with its end byte.
inline std::string Desc(std::string_view text) {
    return std::string(text) + '\x12';
}

// A whole image: header with the given counts, descriptors (end mark added), then the rest.
inline std::string Image(int32_t records, int32_t fields, const std::string& descriptors,
                         const std::string& rest = {}) {
    const std::string section = descriptors + '\x14';
    std::string image = I32(static_cast<int32_t>(17 + section.size() + rest.size())) + "S" + I32(records) +
                        I32(fields) + I32(static_cast<int32_t>(section.size())) + section + rest;
    return image;
}

inline TFieldDef Def(std::string name, TFieldType type, int size = 0) {
    return TFieldDef{std::move(name), type, size};
}

} // namespace etikor::test
