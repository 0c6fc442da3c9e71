#pragma once

// The program's one page setup type: the sheet labels are laid out on (page size, margins,
// label columns and the gap between them, the label size). The template's page-setup row, the
// settings' default page, the windows that edit them and the page engine all hold it.

#include <array>
#include <cstdint>

namespace etikor {

// The ten values, in the order the settings file keeps them.
enum class TPageValue : uint8_t {
    pvPageLength,
    pvPageWidth,
    pvTopMargin,
    pvLeftMargin,
    pvRightMargin,
    pvBottomMargin,
    pvLabelHeight,
    pvColumnSpace,
    pvColumns,
    pvLabelWidth,
};
inline constexpr int kPageValueCount = 10;

struct TPageSetup {
    double PageLengthMm = 297;
    double PageWidthMm = 210;
    double TopMarginMm = 13;
    double LeftMarginMm = 5;
    double RightMarginMm = 5;
    double BottomMarginMm = 10;
    double LabelHeightMm = 38.1; // one band: labels of a column follow each other with no gap
    double ColumnSpaceMm = 3;    // between label columns
    int Columns = 3;
    // Sizes the designer's label only: a printed label is as wide as its column.
    double LabelWidthMm = 62.5;

    double Value(TPageValue value) const;
    // The column count takes the whole number.
    void SetValue(TPageValue value, double v);

    // (page width - margins - gaps) / columns; at least one column.
    double ColumnWidthMm() const;
    // Left edge of column i (from 0).
    double ColumnLeftMm(int column) const;

    bool operator==(const TPageSetup&) const = default;
};

} // namespace etikor
