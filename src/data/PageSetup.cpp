#include "data/PageSetup.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace etikor {

namespace {

using TMmMember = double TPageSetup::*;

// The millimetre members by value; the column count is the one whole number.
constexpr std::array<TMmMember, kPageValueCount> kMembers = {
    &TPageSetup::PageLengthMm,  &TPageSetup::PageWidthMm,   &TPageSetup::TopMarginMm,
    &TPageSetup::LeftMarginMm,  &TPageSetup::RightMarginMm, &TPageSetup::BottomMarginMm,
    &TPageSetup::LabelHeightMm, &TPageSetup::ColumnSpaceMm, nullptr,
    &TPageSetup::LabelWidthMm,
};
static_assert(kMembers[static_cast<size_t>(TPageValue::pvColumns)] == nullptr);

} // namespace

double TPageSetup::Value(TPageValue value) const {
    const TMmMember member = kMembers[static_cast<size_t>(value)];
    return member ? this->*member : Columns;
}

void TPageSetup::SetValue(TPageValue value, double v) {
    const TMmMember member = kMembers[static_cast<size_t>(value)];
    if (member)
        this->*member = v;
    else // a file may hold anything: no conversion out of an int's range
        Columns = std::isfinite(v) ? static_cast<int>(std::clamp(v, double(INT_MIN), double(INT_MAX))) : 0;
}

double TPageSetup::ColumnWidthMm() const {
    const int columns = std::max(Columns, 1);
    return (PageWidthMm - LeftMarginMm - RightMarginMm - (columns - 1) * ColumnSpaceMm) / columns;
}

double TPageSetup::ColumnLeftMm(int column) const {
    return LeftMarginMm + column * (ColumnWidthMm() + ColumnSpaceMm);
}

} // namespace etikor
