// The checks before a run: page values no control would accept, layouts whose labels would have
// no size, and bound fields the data source lacks.

#include "printing/PrintChecks.h"

#include "MemDataSet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace etikor {
namespace {

using test::MemDataSet;

TEST(PrintChecks, PageValuesOutOfTheControlsRangesAndLabelsWithoutSize) {
    struct Case {
        const char* What;
        std::function<void(TPageSetup&)> Change;
        QStringList Problems;
    };
    const Case cases[] = {
        {"the default page prints", [](TPageSetup&) {}, {}},
        {"page width 0 (was a 0 x 297 mm page)",
         [](TPageSetup& p) { p.OldalSzMm = 0; },
         {"„Oldal szélessége” értéke 0 mm, de csak 10 mm és 210 mm között lehet."}},
        {"page length 0",
         [](TPageSetup& p) { p.OldalHMm = 0; },
         {"„Oldal hosszúsága” értéke 0 mm, de csak 10 mm és 297 mm között lehet."}},
        {"negative page width (was a blank US Letter page)",
         [](TPageSetup& p) { p.OldalSzMm = -50; },
         {"„Oldal szélessége” értéke -50 mm, de csak 10 mm és 210 mm között lehet."}},
        {"label height 0 (every label on one spot)",
         [](TPageSetup& p) { p.HeightMm = 0; },
         {"„Címke magassága” értéke 0 mm, de csak 10 mm és 297 mm között lehet."}},
        {"label height 300 (cut at the page edge)",
         [](TPageSetup& p) { p.HeightMm = 300; },
         {"„Címke magassága” értéke 300 mm, de csak 10 mm és 297 mm között lehet."}},
        {"no number at all",
         [](TPageSetup& p) { p.TerkozMm = std::nan(""); },
         {"„Cimkék közötti térköz” értéke nan mm, de csak 0 mm és 100 mm között lehet."}},
        {"16 columns",
         [](TPageSetup& p) { p.Oszlopok = 16; },
         {"„Cimke oszlopok száma” értéke 16, de csak 1 és 15 között lehet."}},
        {"two values at once",
         [](TPageSetup& p) { p.FmMm = 101, p.BmMm = -1; },
         {"„Felső margó” értéke 101 mm, de csak 0 mm és 100 mm között lehet.",
          "„Bal margó” értéke -1 mm, de csak 0 mm és 100 mm között lehet."}},
        {"15 columns with a 20 mm gap (labels -5.33 mm wide)",
         [](TPageSetup& p) { p.Oszlopok = 15, p.TerkozMm = 20; },
         {"A címkék nem férnek el a lapon: 15 oszlop a margók és a térközök mellett -5.33 mm széles lenne."}},
        {"margins taller than the page",
         [](TPageSetup& p) { p.OldalHMm = 20, p.FmMm = 10, p.AmMm = 15; },
         {"A címkék nem férnek el a lapon: a felső és az alsó margó után -5 mm marad."}},
        {"the lowest and highest values the controls take",
         [](TPageSetup& p) {
             p.OldalSzMm = 210, p.OldalHMm = 10, p.FmMm = p.AmMm = 0, p.BmMm = p.JmMm = 0, p.Oszlopok = 15,
             p.TerkozMm = 0, p.HeightMm = 297;
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TPageSetup setup;
        c.Change(setup);
        EXPECT_EQ(PageSetupProblems(setup), c.Problems);
    }
}

TEST(PrintChecks, BoundFieldsTheDataSourceLacks) {
    auto element = [](TElemKind kind, const char* source, const char* value = "") {
        TLabelElement e;
        e.Kind = kind;
        e.Source = QString::fromUtf8(source);
        e.Value = QString::fromUtf8(value);
        return e;
    };
    const std::vector<TLabelElement> elements = {
        element(TElemKind::ekText, "Vonalkod1"),       // a field of the data
        element(TElemKind::ekBarcode, "vonalkod"),     // a field's beginning, any case: bound
        element(TElemKind::ekText, "Cikkszam"),        // missing
        element(TElemKind::ekBarcode, " Cikkszam "),   // the same, once
        element(TElemKind::ekBarcode, "Ár"),           // missing
        element(TElemKind::ekText, ""),                // a fixed text
        element(TElemKind::ekPicture, "Kep", "x.bmp"), // a picture's source is no field
        element(TElemKind::ekDrawing, "Nincs"),        // nor a drawing's
    };
    MemDataSet data({{"Vonalkod1", TFieldType::ftString, 20}, {"Tipus1", TFieldType::ftSmallint, 0}},
                    {{TVariant("1"), TVariant(5)}});
    data.Open();
    EXPECT_EQ(MissingBoundFields(elements, data), (QStringList{"Cikkszam", QString::fromUtf8("Ár")}));
}

} // namespace
} // namespace etikor
