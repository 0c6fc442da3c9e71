#include "document/PageSetupValues.h"

#include <cstddef>

namespace etikor {

namespace {

using enum TPageValue;

constexpr std::array<TPageValueInfo, kPageValueCount> kValues = {{
    {pvPageLength,
     "OldalHossz",
     "OldalHossz",
     {10, 297},
     {10, 297},
     1,
     "Oldal hossz.",
     "Oldal hosszúsága",
     "OldalH_mm",
     "Magassag mm"},
    {pvPageWidth,
     "OldalSzel",
     "OldalSzel",
     {10, 210},
     {10, 210},
     1,
     "Oldal szélesség",
     "Oldal szélessége",
     "OldalSz_mm",
     "Szelesseg mm"},
    {pvTopMargin,
     "Felsom",
     "Felsom",
     {0, 100},
     {0, 200},
     1,
     "Felső margo",
     "Felső margó",
     "Fm_mm",
     "Oldal - Felso m. mm"},
    {pvLeftMargin,
     "Balm",
     "Balm",
     {0, 100},
     {0, 200},
     1,
     "Bal margo",
     "Bal margó",
     "Bm_mm",
     "Oldal - Bal m. mm"},
    {pvRightMargin,
     "Jobbm",
     "Jobbm",
     {0, 100},
     {0, 200},
     1,
     "Jobb margo",
     "Jobb margó",
     "Jm_mm",
     "Oldal - Jobb m. mm"},
    {pvBottomMargin,
     "Alsom",
     "Alsom",
     {0, 100},
     {0, 200},
     1,
     "Alsó margo",
     "Alsó margó",
     "Am_mm",
     "Oldal - Also m. mm"},
    {pvLabelHeight,
     "CMagassag",
     "CMagassag",
     {10, 297},
     {10, 297},
     2,
     "Cimke &magassága:",
     "Címke magassága",
     "Height_mm",
     "C Magassag mm"},
    {pvColumnSpace,
     "CTerkoz",
     "CTerkoz",
     {0, 100},
     {0, 100},
     1,
     "Címke oszlopok közötti távolság:",
     "Cimkék közötti térköz",
     "Terkoz",
     "Terkoz mm"},
    {pvColumns,
     "COszlopok",
     "COszlopok",
     {1, 15},
     {1, 15},
     0,
     "Cimke oszlopok száma /lap:",
     "Cimke oszlopok száma",
     "Oszlopok",
     "Oszlopok"},
    {pvLabelWidth,
     "CSzeles",
     "CSzelesseg",
     {20, 210},
     {10, 210},
     2,
     "Cimke &szélessége:",
     "Címke szélessége",
     "Width_mm",
     "C Szelesseg mm"},
}};

constexpr bool InEnumOrder() {
    for (std::size_t i = 0; i < kValues.size(); ++i)
        if (static_cast<std::size_t>(kValues[i].Value) != i)
            return false;
    return true;
}
static_assert(InEnumOrder(), "PageValueInfo indexes the table by value");

} // namespace

const std::array<TPageValueInfo, kPageValueCount>& PageSetupValues() {
    return kValues;
}

const TPageValueInfo& PageValueInfo(TPageValue value) {
    return kValues[static_cast<std::size_t>(value)];
}

} // namespace etikor
