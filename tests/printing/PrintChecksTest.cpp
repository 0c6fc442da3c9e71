// The checks before a run: page values no control would accept, layouts whose labels would have
// no size, and bound fields the data source lacks.

#include "printing/PrintChecks.h"

#include "document/PageSetupValues.h"

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
         [](TPageSetup& p) { p.PageWidthMm = 0; },
         {"„Oldal szélessége” értéke 0 mm, de csak 10 mm és 210 mm között lehet."}},
        {"page length 0",
         [](TPageSetup& p) { p.PageLengthMm = 0; },
         {"„Oldal hosszúsága” értéke 0 mm, de csak 10 mm és 297 mm között lehet."}},
        {"negative page width (was a blank US Letter page)",
         [](TPageSetup& p) { p.PageWidthMm = -50; },
         {"„Oldal szélessége” értéke -50 mm, de csak 10 mm és 210 mm között lehet."}},
        {"label height 0 (every label on one spot)",
         [](TPageSetup& p) { p.LabelHeightMm = 0; },
         {"„Címke magassága” értéke 0 mm, de csak 10 mm és 297 mm között lehet."}},
        {"label height 300 (cut at the page edge)",
         [](TPageSetup& p) { p.LabelHeightMm = 300; },
         {"„Címke magassága” értéke 300 mm, de csak 10 mm és 297 mm között lehet."}},
        {"no number at all",
         [](TPageSetup& p) { p.ColumnSpaceMm = std::nan(""); },
         {"„Cimkék közötti térköz” értéke nan mm, de csak 0 mm és 100 mm között lehet."}},
        {"16 columns",
         [](TPageSetup& p) { p.Columns = 16; },
         {"„Cimke oszlopok száma” értéke 16, de csak 1 és 15 között lehet."}},
        {"two values at once",
         [](TPageSetup& p) { p.TopMarginMm = 101, p.LeftMarginMm = -1; },
         {"„Felső margó” értéke 101 mm, de csak 0 mm és 100 mm között lehet.",
          "„Bal margó” értéke -1 mm, de csak 0 mm és 100 mm között lehet."}},
        {"15 columns with a 20 mm gap (labels -5.33 mm wide)",
         [](TPageSetup& p) { p.Columns = 15, p.ColumnSpaceMm = 20; },
         {"A címkék nem férnek el a lapon: 15 oszlop a margók és a térközök mellett -5.33 mm széles lenne."}},
        {"margins taller than the page",
         [](TPageSetup& p) { p.PageLengthMm = 20, p.TopMarginMm = 10, p.BottomMarginMm = 15; },
         {"A címkék nem férnek el a lapon: a felső és az alsó margó után -5 mm marad."}},
        {"the lowest and highest values the controls take",
         [](TPageSetup& p) {
             p.PageWidthMm = 210, p.PageLengthMm = 10, p.TopMarginMm = p.BottomMarginMm = 0,
             p.LeftMarginMm = p.RightMarginMm = 0, p.Columns = 15, p.ColumnSpaceMm = 0, p.LabelHeightMm = 297;
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

// The ranges come from the page-setup table: each value prints at both ends of its template
// range and is named just outside it; the label width, which only sizes the designer's label,
// never stops a run.
TEST(PrintChecks, EachValueAtAndJustOutsideItsTemplateRange) {
    for (const TPageValueInfo& info : PageSetupValues()) {
        SCOPED_TRACE(info.Name);
        const QString named = QStringLiteral("„%1”").arg(QString::fromUtf8(info.Hint));
        const double step = info.Decimals == 0 ? 1 : 0.1;
        auto problems = [&](double value) {
            TPageSetup setup;
            setup.SetValue(info.Value, value);
            return PageSetupProblems(setup).join(QLatin1Char('\n'));
        };
        for (double inside : {info.Template.Min, info.Template.Max})
            EXPECT_FALSE(problems(inside).contains(named)) << inside;
        for (double outside : {info.Template.Min - step, info.Template.Max + step}) {
            if (info.Value == TPageValue::pvLabelWidth)
                EXPECT_EQ(problems(outside), QString()) << outside;
            else
                EXPECT_TRUE(problems(outside).startsWith(named)) << outside;
        }
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

// The one step the window and etikor-print run before printing: page problems always count;
// fields are looked for only when the run prints from data that has a record (otherwise the
// elements print their own values, or no label prints).
TEST(PrintChecks, CheckBeforePrintingLooksForFieldsOnlyInDataThatPrints) {
    TLabelElement bound;
    bound.Kind = TElemKind::ekBarcode;
    bound.Source = QStringLiteral("Cikkszam");
    TPageSetup crowded;
    crowded.Columns = 15;
    crowded.ColumnSpaceMm = 20;
    const TFieldDefs fields = {{"Vonalkod1", TFieldType::ftString, 20}};
    MemDataSet records(fields, {{TVariant("1")}});
    records.Open();
    MemDataSet empty(fields, {});
    empty.Open();
    struct Case {
        const char* What;
        const TDataSet* Data;
        bool DataFlag;
        QStringList Missing;
    };
    const Case cases[] = {
        {"printing from the data", &records, true, {QStringLiteral("Cikkszam")}},
        {"elements print their own values", &records, false, {}},
        {"no record, no label", &empty, true, {}},
        {"no data at all", nullptr, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        EXPECT_EQ(CheckBeforePrinting({bound}, TPageSetup{}, c.Data, c.DataFlag).MissingFields, c.Missing);
        const TPrintProblems problems = CheckBeforePrinting({bound}, crowded, c.Data, c.DataFlag);
        EXPECT_EQ(problems.PageSetup, PageSetupProblems(crowded));
        EXPECT_FALSE(problems.PageSetup.isEmpty());
    }
}

} // namespace
} // namespace etikor
