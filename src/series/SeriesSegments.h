#pragma once

// The segments of a series definition and how they expand into barcode values.
//
// A value is the concatenation of the segments' current texts. A counter (a segment with an end
// text) steps by its kind: "S" a zero-padded number, "K" a character odometer with a range per
// position, "D" a date in the chosen layout. Before anything is expanded every counter is
// checked so that stepping it from its start reaches its end text: a definition that would
// never finish is refused with a message naming the segment, and the number of values is known
// before the first one is made.

#include <QString>

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

namespace etikor {

class TDataSet;

// A definition that cannot be generated; the text is what the user is told.
class ESeriesError : public std::exception {
public:
    explicit ESeriesError(QString text) : FText(std::move(text)), FUtf8(FText.toStdString()) {}
    const QString& Text() const { return FText; }
    const char* what() const noexcept override { return FUtf8.c_str(); }

private:
    QString FText;
    std::string FUtf8;
};

struct TSeriesSegment {
    int Number = 0;      // 1-based position in the definition
    char Kind = 'S';     // first character of Tipus
    uint16_t Step = 1;   // Szorzo, 16 bits
    std::string Start;   // Ertek1; two spaces when empty
    std::string End;     // Ertek2; empty for a fixed segment
    uint8_t Length = 0;  // Hossz, 8 bits
    std::string Current; // the text the segment contributes now
    bool IsCounter() const { return !End.empty(); }
};

// The most values one generation makes.
inline constexpr int64_t kMaxSeriesValues = 10'000'000;

// The segments of the definition in storage order (the dataset is walked from its first record).
std::vector<TSeriesSegment> BuildSegments(TDataSet& definition);

// One step of a counter. Throws ESeriesError when a number or date text cannot be read or a
// character would go beyond code 255.
void StepSegment(TSeriesSegment& segment, const std::string& dateLayout);

// How many texts a counter runs through from its start to its end (1 when they are equal).
// Throws ESeriesError, naming the segment, when the end can never be reached.
int64_t CounterValues(const TSeriesSegment& segment, const std::string& dateLayout);

// Makes the values of a definition one at a time, in horizontal order (every combination, the
// last counter fastest) or vertical order (all counters step together, a shorter one starting
// over after its end).
class TSeriesExpander {
public:
    // Checks every counter and counts the values; throws ESeriesError.
    TSeriesExpander(std::vector<TSeriesSegment> segments, bool vertical, std::string dateLayout);

    int64_t Count() const { return FCount; }
    // The next value; false after the last one.
    bool Next(std::string& value);
    // All values (tests and small series).
    std::vector<std::string> All();

private:
    bool AtEnd(const TSeriesSegment& s) const { return s.Current == s.End; }
    void Concatenate(std::string& value) const;

    std::vector<TSeriesSegment> FSegments;
    std::vector<std::size_t> FCounters;
    bool FVertical;
    std::string FDateLayout;
    int64_t FCount = 0;
    int64_t FMade = 0;
};

// "A(z) 2. vonalkódrész (Szám, „1” – „10”)": how messages name a segment.
QString SegmentTitle(const TSeriesSegment& segment);

} // namespace etikor
