// A print queue's resolution as print options spell it.

#include "services/QueueResolution.h"

#include <gtest/gtest.h>

#include <optional>

namespace etikor {
namespace {

// Resolutions as print options spell them; the coarser direction is the grid both keep.
TEST(QueueResolution, ResolutionsAsPrintOptionsSpellThem) {
    const struct {
        const char* Text;
        std::optional<int> Dpi;
    } cases[] = {
        {"203dpi", 203},           {"300x300dpi", 300},       {"600x1200dpi", 600},
        {"80dpcm", 203},           {"1200x600dpi", 600},      {"203", std::nullopt},
        {"dpi", std::nullopt},     {"x300dpi", std::nullopt}, {"300xdpi", std::nullopt},
        {"300dpix", std::nullopt}, {"10dpi", std::nullopt},   {"99999dpi", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseResolution(c.Text), c.Dpi) << c.Text;
}

} // namespace
} // namespace etikor
