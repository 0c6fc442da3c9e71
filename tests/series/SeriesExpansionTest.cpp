#include "series/SeriesSegments.h"

#include "SeriesTestSupport.h"
#include "data/DateTime.h"
#include "data/FormatSettings.h"
#include "series/DateLayout.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

using test::Cp;
using test::SegmentRows;
using test::Segments;

const std::string kIsoDots = Cp("ÉÉÉÉ.HH.NN.");

std::vector<std::string> Expand(const SegmentRows& rows, bool vertical, const std::string& layout) {
    TSeriesExpander expander(Segments(rows), vertical, layout);
    std::vector<std::string> values = expander.All();
    EXPECT_EQ(static_cast<int64_t>(values.size()), expander.Count());
    return values;
}

struct ExpansionCase {
    const char* Why;
    SegmentRows Rows;
    bool Vertical;
    std::string Layout;
    std::vector<std::string> Expected;
};

TEST(SeriesExpansion, GeneratesTheValuesOfEachDefinition) {
    const SegmentRows abc = {{"K", 3, 1, "ABC"}, {"S", 4, 1, "1000", "1002"}, {"K", 1, 1, "A", "C"}};
    const std::vector<ExpansionCase> cases = {
        {"fixed + number + character, horizontal: every combination, last counter fastest",
         abc,
         false,
         {},
         {"ABC1000A", "ABC1000B", "ABC1000C", "ABC1001A", "ABC1001B", "ABC1001C", "ABC1002A", "ABC1002B",
          "ABC1002C"}},
        {"the same, vertical: all counters step together",
         abc,
         true,
         {},
         {"ABC1000A", "ABC1001B", "ABC1002C"}},
        {"fixed segments only, horizontal: one value",
         {{"K", 3, 1, "ABC"}, {"S", 2, 1, "12"}},
         false,
         {},
         {"ABC12"}},
        {"fixed segments only, vertical: no value", {{"K", 3, 1, "ABC"}}, true, {}, {}},
        {"number 01 to 10 step 4: the last step is clamped to the end",
         {{"S", 2, 4, "01", "10"}},
         false,
         {},
         {"01", "05", "09", "10"}},
        {"a start typed as 1 is the first value as typed",
         {{"S", 2, 4, "1", "10"}},
         false,
         {},
         {"1", "05", "09", "10"}},
        {"a start above the end: the first step gives the end",
         {{"S", 1, 1, "5", "3"}},
         false,
         {},
         {"5", "3"}},
        {"character A8 to B9: each position keeps its own range",
         {{"K", 2, 1, "A8", "B9"}},
         false,
         {},
         {"A8", "A9", "B8", "B9"}},
        {"character step 3 runs through the odometer three single steps at a time",
         {{"K", 2, 3, "A8", "B9"}},
         false,
         {},
         {"A8", "B9"}},
        {"character step 3 stops at the end", {{"K", 1, 3, "A", "E"}}, false, {}, {"A", "D", "E"}},
        {"date step 2 days, clamped to the end date",
         {{"D", 11, 2, "2024.01.30.", "2024.02.02."}},
         false,
         kIsoDots,
         {"2024.01.30.", "2024.02.01.", "2024.02.02."}},
        {"date in the default layout across a leap day",
         {{"D", 6, 1, "240228", "240302"}},
         false,
         Cp("ÉÉHHNN"),
         {"240228", "240229", "240301", "240302"}},
        {"an empty fixed value contributes two spaces",
         {{"K", 2, 1, ""}, {"S", 1, 1, "1", "2"}},
         false,
         {},
         {"  1", "  2"}},
        {"vertical: a shorter counter starts over after its end",
         {{"K", 1, 1, "A", "C"}, {"S", 1, 1, "1", "5"}},
         true,
         {},
         {"A1", "B2", "C3", "A4", "B5"}},
        {"a counter whose start is its end has one value, whatever its type",
         {{"X", 1, 1, "Q", "Q"}, {"S", 1, 1, "1", "2"}},
         false,
         {},
         {"Q1", "Q2"}},
        {"horizontal with the first counter shorter",
         {{"S", 1, 1, "1", "2"}, {"K", 1, 1, "a", "c"}},
         false,
         {},
         {"1a", "1b", "1c", "2a", "2b", "2c"}},
    };
    for (const ExpansionCase& c : cases) {
        SCOPED_TRACE(c.Why);
        EXPECT_EQ(Expand(c.Rows, c.Vertical, c.Layout.empty() ? DateLayouts().front() : c.Layout),
                  c.Expected);
    }
}

// The values as the odometer makes them when run until every counter is at its end, without
// knowing the count in advance.
std::vector<std::string> RunUntilEnd(std::vector<TSeriesSegment> segments, const std::string& layout) {
    std::vector<std::size_t> counters;
    for (std::size_t i = 0; i < segments.size(); ++i)
        if (segments[i].IsCounter())
            counters.push_back(i);
    auto atEnd = [&](std::size_t i) { return segments[i].Current == segments[i].End; };
    std::vector<std::string> out;
    for (int round = 0; round < 100000; ++round) {
        if (round > 0) {
            std::size_t k = counters.size();
            while (k > 0 && atEnd(counters[k - 1]))
                --k;
            StepSegment(segments[counters[k - 1]], layout);
            for (std::size_t i = counters[k - 1] + 1; i < segments.size(); ++i)
                segments[i].Current = segments[i].Start;
        }
        std::string value;
        for (const auto& s : segments)
            value += s.Current;
        out.push_back(value);
        if (std::all_of(counters.begin(), counters.end(), atEnd))
            break;
    }
    return out;
}

TEST(SeriesExpansion, CountKnownInAdvanceMatchesRunningToTheEnd) {
    const std::vector<SegmentRows> definitions = {
        {{"S", 3, 7, "5", "100"}, {"K", 2, 5, "a0", "c9"}},
        {{"K", 3, 11, "AA0", "CB9"}},
        {{"S", 5, 1, "00000", "00000"}, {"S", 2, 3, "99", "01"}},
        {{"D", 8, 5, "20231220", "20240210"}, {"K", 1, 2, "x", "z"}},
        {{"K", 1, 255, "A", "Z"}, {"S", 3, 128, "0", "999"}},
    };
    for (const SegmentRows& rows : definitions) {
        const std::string layout = Cp("ÉÉÉÉHHNN");
        TSeriesExpander expander(Segments(rows), false, layout);
        const std::vector<std::string> made = expander.All();
        EXPECT_EQ(made, RunUntilEnd(Segments(rows), layout));
        EXPECT_EQ(static_cast<int64_t>(made.size()), expander.Count());
    }
}

struct RefusalCase {
    const char* Why;
    SegmentRows Rows;
    std::string Layout;
    const char* Message; // UTF-8
};

TEST(SeriesExpansion, RefusesEveryDefinitionThatWouldNeverEnd) {
    SetFormatSettings(TFormatSettings::HungarianSpace()); // the count in the last message is grouped
    const std::vector<RefusalCase> cases = {
        {"number end shorter than the padded width",
         {{"S", 3, 1, "1", "10"}},
         {},
         "A(z) 1. vonalkódrész (Szám, „1” – „10”): a 3 hosszú számláló a záró értéket „010” alakban írja, "
         "így „10” sosem lesz a szövege. Adja meg a záró értéket „010” alakban."},
        {"number that is not a whole number",
         {{"K", 1, 1, "A"}, {"S", 2, 1, "x1", "10"}},
         {},
         "A(z) 2. vonalkódrész (Szám, „x1” – „10”): „x1” nem egész szám."},
        {"number counter without a first value",
         {{"S", 2, 1, "", "10"}},
         {},
         "A(z) 1. vonalkódrész (Szám, „  ” – „10”): „  ” nem egész szám."},
        {"step 0",
         {{"S", 1, 0, "1", "5"}},
         {},
         "A(z) 1. vonalkódrész (Szám, „1” – „5”): a növekmény 0, ezért a "
         "számláló nem lép; legalább 1 legyen."},
        {"date end not written in the chosen layout",
         {{"D", 11, 1, "2024.01.30.", "2024.02.02"}},
         kIsoDots,
         "A(z) 1. vonalkódrész (Dátum, „2024.01.30.” – „2024.02.02”): a záró dátum nincs a választott "
         "„ÉÉÉÉ.HH.NN.” formátumban írva (abban „2024.02.02.” lenne), így a számláló sosem éri el."},
        {"date that is no date in the layout",
         {{"D", 11, 1, "2024.13.01.", "2024.12.31."}},
         kIsoDots,
         "A(z) 1. vonalkódrész (Dátum, „2024.13.01.” – „2024.12.31.”): „2024.13.01.” nem érvényes dátum "
         "a(z) „ÉÉÉÉ.HH.NN.” formátumban."},
        {"character end below the start",
         {{"K", 1, 1, "C", "A"}},
         {},
         "A(z) 1. vonalkódrész (Karakter, „C” – „A”): a záró érték 1. karaktere („A”) kisebb a kezdő "
         "értékénél („C”), ezért a számláló sosem éri el."},
        {"character end below the start at an inner position",
         {{"K", 3, 1, "A5A", "B1Z"}},
         {},
         "A(z) 1. vonalkódrész (Karakter, „A5A” – „B1Z”): a záró érték 2. karaktere („1”) kisebb a kezdő "
         "értékénél („5”), ezért a számláló sosem éri el."},
        {"character values shorter than the segment",
         {{"K", 2, 1, "A", "B"}},
         {},
         "A(z) 1. vonalkódrész (Karakter, „A” – „B”): a kezdő és a záró érték nem lehet rövidebb a rész "
         "hosszánál (2 karakter)."},
        {"character values of different lengths",
         {{"K", 2, 1, "A1", "B12"}},
         {},
         "A(z) 1. vonalkódrész (Karakter, „A1” – „B12”): a kezdő és a záró érték hossza különbözik."},
        {"character values that differ after the segment's length",
         {{"K", 1, 1, "A1", "B2"}},
         {},
         "A(z) 1. vonalkódrész (Karakter, „A1” – „B2”): a kezdő és a záró érték a rész hosszán (1 karakter) "
         "túl is eltér, de ott a számláló nem lép."},
        {"character counter of length 0",
         {{"K", 0, 1, "A", "B"}},
         {},
         "A(z) 1. vonalkódrész (Karakter, „A” – „B”): a hossz 0, így nincs léptethető karakter."},
        {"unknown type",
         {{"K", 1, 1, "A"}, {"S", 1, 1, "1", "2"}, {"X", 1, 1, "1", "2"}},
         {},
         "A(z) 3. vonalkódrész („X” típus, „1” – „2”): a típus ismeretlen, ezért a számláló nem lép; "
         "számláló csak Karakter (K), Szám (S) vagy Dátum (D) lehet."},
        {"more values than one generation makes",
         {{"K", 4, 1, "AAAA", "ZZZZ"}, {"S", 3, 1, "000", "999"}},
         {},
         "A generálandó vonalkódok száma meghaladja a(z) 10 000 000 darabot; bontsa a sorozatot kisebb "
         "részekre."},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.Why);
        try {
            TSeriesExpander expander(Segments(c.Rows), false,
                                     c.Layout.empty() ? DateLayouts().front() : c.Layout);
            ADD_FAILURE() << "accepted, " << expander.Count() << " values";
        } catch (const ESeriesError& error) {
            EXPECT_EQ(error.Text(), QString::fromUtf8(c.Message));
        }
    }
    SetFormatSettings(TFormatSettings::Invariant());
}

TEST(SeriesExpansion, VerticalTakesTheLongestCounterOnly) {
    TSeriesExpander expander(Segments({{"K", 4, 1, "AAAA", "ZZZZ"}, {"S", 3, 1, "000", "999"}}), true,
                             DateLayouts().front());
    EXPECT_EQ(expander.Count(), 26 * 26 * 26 * 26);
}

TEST(SeriesExpansion, CharacterBeyondCode255EndsWithAMessage) {
    TSeriesSegment s = Segments({{"K", 1, 1, "A", "B"}}).front();
    s.Current = "\xFF";
    try {
        StepSegment(s, DateLayouts().front());
        FAIL() << "stepped beyond 255";
    } catch (const ESeriesError& error) {
        EXPECT_EQ(error.Text(),
                  QStringLiteral("A(z) 1. vonalkódrész (Karakter, „A” – „B”): a(z) 1. karakter a "
                                 "255-ös kódon túl lépne."));
    }
}

TEST(DateLayout, WritesAndReadsEveryLayout) {
    TDateTime date = 0;
    ASSERT_TRUE(TryEncodeDate(2024, 1, 5, date));
    const std::vector<const char*> written = {"240105", "24.01.05.", "20240105", "2024.01.05.",
                                              "050124", "05.01.24",  "05012024", "05.01.2024"};
    ASSERT_EQ(DateLayouts().size(), written.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        SCOPED_TRACE(Cp1250ToUtf8(DateLayouts()[i]));
        EXPECT_EQ(WriteDate(date, DateLayouts()[i]), written[i]);
        TDateTime back = 0;
        ASSERT_TRUE(ReadDate(written[i], DateLayouts()[i], back));
        EXPECT_EQ(back, date);
    }
}

TEST(DateLayout, ReadsByPositionAndRefusesWhatIsNoDate) {
    const std::string yymmdd = Cp("ÉÉHHNN");
    TDateTime date = 0;
    ASSERT_TRUE(ReadDate("991231", yymmdd, date)); // a two-digit year gets "20" in front
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20991231);
    // Separators are skipped by position, whatever stands there.
    ASSERT_TRUE(ReadDate("2024x01x05x", kIsoDots, date));
    EXPECT_EQ(WriteDate(date, kIsoDots), "2024.01.05.");
    for (const char* bad : {"240230", "2401", "ab0105", "", "241305"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ReadDate(bad, yymmdd, date));
    }
}

} // namespace
} // namespace etikor
