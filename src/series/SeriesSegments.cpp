#include "series/SeriesSegments.h"

#include "data/Cp1250Text.h"
#include "data/DataSet.h"
#include "data/FormatSettings.h"
#include "series/DateLayout.h"
#include "series/tables/SeriesTables.h"

#include <QCoreApplication>
#include <cmath>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TSeriesSegmentsText {
    Q_DECLARE_TR_FUNCTIONS(TSeriesSegmentsText)
};
} // namespace

namespace {

QString quoted(std::string_view cp1250) {
    return TSeriesSegmentsText::tr("„%1”", "a quoted value").arg(FromCp1250(cp1250));
}

[[noreturn]] void refuse(const TSeriesSegment& segment, const QString& reason) {
    throw ESeriesError(SegmentTitle(segment) + QStringLiteral(": ") + reason);
}

std::string padded(int64_t value, int length) {
    std::string out = IntToStr(value);
    if (static_cast<int>(out.size()) < length)
        out.insert(0, static_cast<std::size_t>(length) - out.size(), '0');
    return out;
}

int32_t readInteger(const TSeriesSegment& segment, const std::string& value) {
    int32_t out = 0;
    if (!TryStrToInt(value, out))
        refuse(segment, TSeriesSegmentsText::tr("%1 nem egész szám.").arg(quoted(value)));
    return out;
}

int64_t readDay(const TSeriesSegment& segment, const std::string& value, const std::string& layout) {
    TDateTime date = 0;
    if (!ReadDate(value, layout, date))
        refuse(segment, TSeriesSegmentsText::tr("%1 nem érvényes dátum a(z) %2 formátumban.")
                            .arg(quoted(value), quoted(layout)));
    return std::llround(date);
}

// Values of a counter running from `start` to `end` (start text different from the end's):
// the start, then every step up to the end, which a step beyond it is clamped to.
int64_t stepsToEnd(int64_t start, int64_t end, int64_t step) {
    if (start >= end)
        return 2;
    return 1 + (end - start + step - 1) / step;
}

void raise(const TSeriesSegment& segment, std::string& current, std::size_t position) {
    auto& c = reinterpret_cast<unsigned char&>(current[position]);
    if (c == 255)
        refuse(segment,
               TSeriesSegmentsText::tr("a(z) %1. karakter a 255-ös kódon túl lépne.").arg(position + 1));
    ++c;
}

QString tooMany() {
    return TSeriesSegmentsText::tr(
               "A generálandó vonalkódok száma meghaladja a(z) %1 darabot; bontsa a sorozatot "
               "kisebb részekre.")
        .arg(QString::fromStdString(
            Cp1250ToUtf8(FormatFloat("#,##0", static_cast<double>(kMaxSeriesValues)))));
}

} // namespace

QString SegmentTitle(const TSeriesSegment& segment) {
    QString kind;
    switch (segment.Kind) {
    case 'K':
        kind = TSeriesSegmentsText::tr("Karakter");
        break;
    case 'S':
        kind = TSeriesSegmentsText::tr("Szám");
        break;
    case 'D':
        kind = TSeriesSegmentsText::tr("Dátum");
        break;
    default:
        kind = quoted(std::string(1, segment.Kind)) + TSeriesSegmentsText::tr(" típus");
        break;
    }
    QString values = quoted(segment.Start);
    if (segment.IsCounter())
        values += QStringLiteral(" – ") + quoted(segment.End);
    return TSeriesSegmentsText::tr("A(z) %1. vonalkódrész (%2, %3)").arg(segment.Number).arg(kind, values);
}

std::vector<TSeriesSegment> BuildSegments(TDataSet& definition) {
    std::vector<TSeriesSegment> segments;
    definition.First();
    while (!definition.Eof()) {
        TSeriesSegment s;
        s.Number = static_cast<int>(segments.size()) + 1;
        const std::string kind = definition.FieldByName(kSegmentKindField).AsString();
        s.Kind = kind.empty() ? ' ' : kind[0];
        s.Step = static_cast<uint16_t>(definition.FieldByName(kSegmentStepField).AsInteger());
        s.Start = definition.FieldByName(kSegmentStartField).AsString();
        if (s.Start.empty())
            s.Start = "  ";
        s.End = definition.FieldByName(kSegmentEndField).AsString();
        s.Length = static_cast<uint8_t>(definition.FieldByName(kSegmentLengthField).AsInteger());
        s.Current = s.Start;
        segments.push_back(std::move(s));
        definition.Next();
    }
    return segments;
}

void StepSegment(TSeriesSegment& s, const std::string& dateLayout) {
    switch (s.Kind) {
    case 'S': {
        int64_t v = static_cast<int64_t>(readInteger(s, s.Current)) + s.Step;
        const int64_t end = readInteger(s, s.End);
        if (end < v)
            v = end;
        s.Current = padded(v, s.Length);
        break;
    }
    case 'K': {
        const std::size_t last = s.Length;
        if (last == 0 || s.Current.size() < last || s.End.size() < last || s.Start.size() < last)
            refuse(s, TSeriesSegmentsText::tr(
                          "a kezdő és a záró érték nem lehet rövidebb a rész hosszánál (%1 karakter).")
                          .arg(s.Length));
        for (int i = 0; i < s.Step; ++i) {
            if (s.Current[last - 1] != s.End[last - 1]) {
                raise(s, s.Current, last - 1);
                continue;
            }
            std::size_t p = last - 1;
            while (p > 0 && s.Current[p - 1] == s.End[p - 1])
                --p;
            if (p == 0)
                break; // at its end: nothing changes
            raise(s, s.Current, p - 1);
            for (std::size_t q = p; q < last; ++q)
                s.Current[q] = s.Start[q];
        }
        break;
    }
    case 'D': {
        int64_t day = readDay(s, s.Current, dateLayout) + s.Step;
        const int64_t end = readDay(s, s.End, dateLayout);
        if (day > end)
            day = end;
        s.Current = WriteDate(static_cast<TDateTime>(day), dateLayout);
        break;
    }
    default:
        break; // an unknown kind does not step
    }
}

int64_t CounterValues(const TSeriesSegment& s, const std::string& dateLayout) {
    if (s.Start == s.End)
        return 1;
    if (s.Kind != 'S' && s.Kind != 'K' && s.Kind != 'D')
        refuse(s, TSeriesSegmentsText::tr(
                      "a típus ismeretlen, ezért a számláló nem lép; számláló csak Karakter (K), "
                      "Szám (S) vagy Dátum (D) lehet."));
    if (s.Step == 0)
        refuse(s, TSeriesSegmentsText::tr("a növekmény 0, ezért a számláló nem lép; legalább 1 legyen."));
    switch (s.Kind) {
    case 'S': {
        const int64_t start = readInteger(s, s.Start);
        const int64_t end = readInteger(s, s.End);
        const std::string written = padded(end, s.Length);
        if (written != s.End)
            refuse(s, TSeriesSegmentsText::tr("a %1 hosszú számláló a záró értéket %2 alakban írja, így %3 "
                                              "sosem lesz a szövege. Adja meg a záró értéket %2 alakban.")
                          .arg(s.Length)
                          .arg(quoted(written), quoted(s.End)));
        return stepsToEnd(start, end, s.Step);
    }
    case 'D': {
        const int64_t start = readDay(s, s.Start, dateLayout);
        const int64_t end = readDay(s, s.End, dateLayout);
        const std::string written = WriteDate(static_cast<TDateTime>(end), dateLayout);
        if (written != s.End)
            refuse(s, TSeriesSegmentsText::tr(
                          "a záró dátum nincs a választott %1 formátumban írva (abban %2 lenne), "
                          "így a számláló sosem éri el.")
                          .arg(quoted(dateLayout), quoted(written)));
        return stepsToEnd(start, end, s.Step);
    }
    default: { // 'K'
        const std::size_t length = s.Length;
        if (length == 0)
            refuse(s, TSeriesSegmentsText::tr("a hossz 0, így nincs léptethető karakter."));
        if (s.Start.size() < length || s.End.size() < length)
            refuse(s, TSeriesSegmentsText::tr(
                          "a kezdő és a záró érték nem lehet rövidebb a rész hosszánál (%1 karakter).")
                          .arg(s.Length));
        if (s.Start.size() != s.End.size())
            refuse(s, TSeriesSegmentsText::tr("a kezdő és a záró érték hossza különbözik."));
        if (s.Start.compare(length, std::string::npos, s.End, length, std::string::npos) != 0)
            refuse(s, TSeriesSegmentsText::tr(
                          "a kezdő és a záró érték a rész hosszán (%1 karakter) túl is eltér, "
                          "de ott a számláló nem lép.")
                          .arg(s.Length));
        // The distance from start to end in the odometer's mixed radix.
        double distance = 0;
        for (std::size_t i = 0; i < length; ++i) {
            const int from = static_cast<unsigned char>(s.Start[i]);
            const int to = static_cast<unsigned char>(s.End[i]);
            if (to < from)
                refuse(s, TSeriesSegmentsText::tr(
                              "a záró érték %1. karaktere (%2) kisebb a kezdő értékénél (%3), ezért "
                              "a számláló sosem éri el.")
                              .arg(i + 1)
                              .arg(quoted(s.End.substr(i, 1)), quoted(s.Start.substr(i, 1))));
            distance = distance * (to - from + 1) + (to - from);
            if (distance > 1e15)
                throw ESeriesError(tooMany());
        }
        const auto steps = static_cast<int64_t>(distance);
        return 1 + (steps + s.Step - 1) / s.Step;
    }
    }
}

TSeriesExpander::TSeriesExpander(std::vector<TSeriesSegment> segments, bool vertical, std::string dateLayout)
    : FSegments(std::move(segments)), FVertical(vertical), FDateLayout(std::move(dateLayout)) {
    int64_t horizontal = 1, longest = 0;
    for (std::size_t i = 0; i < FSegments.size(); ++i) {
        TSeriesSegment& s = FSegments[i];
        s.Current = s.Start;
        if (!s.IsCounter())
            continue;
        FCounters.push_back(i);
        const int64_t values = CounterValues(s, FDateLayout);
        if (values > kMaxSeriesValues)
            throw ESeriesError(tooMany());
        longest = std::max(longest, values);
        horizontal *= values;
        if (!vertical && horizontal > kMaxSeriesValues)
            throw ESeriesError(tooMany());
    }
    FCount = vertical ? longest : horizontal;
}

void TSeriesExpander::Concatenate(std::string& value) const {
    value.clear();
    for (const TSeriesSegment& s : FSegments)
        value += s.Current;
}

bool TSeriesExpander::Next(std::string& value) {
    if (FMade >= FCount)
        return false;
    if (FMade > 0) {
        if (FVertical) {
            for (std::size_t i : FCounters) {
                TSeriesSegment& s = FSegments[i];
                if (AtEnd(s))
                    s.Current = s.Start;
                else
                    StepSegment(s, FDateLayout);
            }
        } else {
            // The odometer: the last counter not at its end steps, the segments after it start over.
            std::size_t k = FCounters.size();
            while (k > 0 && AtEnd(FSegments[FCounters[k - 1]]))
                --k;
            if (k == 0)
                return false; // cannot happen: the count says another value follows
            const std::size_t stepped = FCounters[k - 1];
            StepSegment(FSegments[stepped], FDateLayout);
            for (std::size_t i = stepped + 1; i < FSegments.size(); ++i)
                FSegments[i].Current = FSegments[i].Start;
        }
    }
    Concatenate(value);
    ++FMade;
    return true;
}

std::vector<std::string> TSeriesExpander::All() {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(FCount));
    std::string value;
    while (Next(value))
        out.push_back(value);
    return out;
}

} // namespace etikor
