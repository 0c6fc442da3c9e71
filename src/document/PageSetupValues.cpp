#include "document/PageSetupValues.h"

#include <QtGlobal>

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
     QT_TRANSLATE_NOOP("PageSetupValues", "Oldal hossz."),
     QT_TRANSLATE_NOOP("PageSetupValues", "Oldal hosszúsága"),
     "OldalH_mm",
     "Magassag mm"},
    {pvPageWidth,
     "OldalSzel",
     "OldalSzel",
     {10, 210},
     {10, 210},
     1,
     QT_TRANSLATE_NOOP("PageSetupValues", "Oldal szélesség"),
     QT_TRANSLATE_NOOP("PageSetupValues", "Oldal szélessége"),
     "OldalSz_mm",
     "Szelesseg mm"},
    {pvTopMargin,
     "Felsom",
     "Felsom",
     {0, 100},
     {0, 200},
     1,
     QT_TRANSLATE_NOOP("PageSetupValues", "Felső margo"),
     QT_TRANSLATE_NOOP("PageSetupValues", "Felső margó"),
     "Fm_mm",
     "Oldal - Felso m. mm"},
    {pvLeftMargin,
     "Balm",
     "Balm",
     {0, 100},
     {0, 200},
     1,
     QT_TRANSLATE_NOOP("PageSetupValues", "Bal margo"),
     QT_TRANSLATE_NOOP("PageSetupValues", "Bal margó"),
     "Bm_mm",
     "Oldal - Bal m. mm"},
    {pvRightMargin,
     "Jobbm",
     "Jobbm",
     {0, 100},
     {0, 200},
     1,
     QT_TRANSLATE_NOOP("PageSetupValues", "Jobb margo"),
     QT_TRANSLATE_NOOP("PageSetupValues", "Jobb margó"),
     "Jm_mm",
     "Oldal - Jobb m. mm"},
    {pvBottomMargin,
     "Alsom",
     "Alsom",
     {0, 100},
     {0, 200},
     1,
     QT_TRANSLATE_NOOP("PageSetupValues", "Alsó margo"),
     QT_TRANSLATE_NOOP("PageSetupValues", "Alsó margó"),
     "Am_mm",
     "Oldal - Also m. mm"},
    {pvLabelHeight,
     "CMagassag",
     "CMagassag",
     {10, 297},
     {10, 297},
     2,
     QT_TRANSLATE_NOOP("PageSetupValues", "Cimke &magassága:"),
     QT_TRANSLATE_NOOP("PageSetupValues", "Címke magassága"),
     "Height_mm",
     "C Magassag mm"},
    {pvColumnSpace,
     "CTerkoz",
     "CTerkoz",
     {0, 100},
     {0, 100},
     1,
     QT_TRANSLATE_NOOP("PageSetupValues", "Címke oszlopok közötti távolság:"),
     QT_TRANSLATE_NOOP("PageSetupValues", "Cimkék közötti térköz"),
     "Terkoz",
     "Terkoz mm"},
    {pvColumns,
     "COszlopok",
     "COszlopok",
     {1, 15},
     {1, 15},
     0,
     QT_TRANSLATE_NOOP("PageSetupValues", "Cimke oszlopok száma /lap:"),
     QT_TRANSLATE_NOOP("PageSetupValues", "Cimke oszlopok száma"),
     "Oszlopok",
     "Oszlopok"},
    {pvLabelWidth,
     "CSzeles",
     "CSzelesseg",
     {20, 210},
     {10, 210},
     2,
     QT_TRANSLATE_NOOP("PageSetupValues", "Cimke &szélessége:"),
     QT_TRANSLATE_NOOP("PageSetupValues", "Címke szélessége"),
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
