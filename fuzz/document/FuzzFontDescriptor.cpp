// Input: a descriptor as stored in a template's `Betu` field (up to 200 bytes). Applying it
// must either succeed or raise EConvertError, always notifying exactly once. After a
// successful apply, the written descriptor applied to a fresh font gives the same font, unless
// the face name itself holds a separator or edge blanks (which the format cannot carry).

#include "document/FontDescriptor.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 200)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    etikor::TFont font;
    int notifications = 0;
    font.OnChange = [&](etikor::TFont&) { ++notifications; };
    bool applied = true;
    try {
        etikor::ApplyFontDescriptor(text, font);
    } catch (const etikor::EConvertError&) {
        applied = false;
    }
    require(notifications == 1);
    if (!applied)
        return 0;
    const std::string& name = font.Name();
    if (name.find_first_of(",;") != std::string::npos)
        return 0;
    const std::string written = etikor::FontToDescriptor(font);
    etikor::TFont again;
    etikor::ApplyFontDescriptor(written, again);
    require(again == font);
    require(etikor::FontToDescriptor(again) == written);
    return 0;
}
