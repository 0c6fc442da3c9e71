#pragma once

// A large run cut into print jobs a printer class can spread over its members, a range of the
// run's labels to print again, and the progress of a run as one line of text.

#include <QString>

#include <optional>
#include <vector>

namespace etikor {

class TStreamedPages;
class TPrintSequence;

// One job of a run: its pages (from 1, inclusive) and the run's labels on them (from 1; none
// when the pages hold only skipped places: FirstLabel > LastLabel).
struct TRunJob {
    int FirstPage = 1;
    int LastPage = 1;
    int FirstLabel = 1;
    int LastLabel = 0;
};

// The run's pages in jobs of at most `jobPages` whole sheets (one job for 0 or less). `skip`
// is the number of blank places in front of the run's first label. `pages` must be indexed.
std::vector<TRunJob> SplitIntoJobs(const TStreamedPages& pages, int skip, int jobPages);

// "Etikor: Cimke.ctv 3/12, labels 4201–6300": which job of which run, with its labels.
QString JobName(const QString& templateName, int job, int jobs, const TRunJob& labels);

// Labels A to B of a run ("A-B", or "A" for one), from 1.
struct TLabelRange {
    int First = 0;
    int Last = 0;
};
struct TParsedLabelRange {
    TLabelRange Range;
    QString Error; // empty when the text is a range (messages in English, as the tool's usage)
};
TParsedLabelRange ParseLabelRange(const QString& text);

// Narrows a run to its labels `range` (1 to the run's label count). `run` is the whole run
// over `sequence`, indexed, with `skip` blank places before its first label. The labels keep
// the places on the sheet they had in the run, or start from the first place when `repack`
// (then `repackSkip` places are left blank first). Returns an error text, empty when done.
QString NarrowToLabels(TPrintSequence& sequence, const TStreamedPages& run, int skip,
                       const TLabelRange& range, bool repack, int repackSkip);

// The progress of a run, shown while it prints.
struct TRunProgress {
    int LabelsPrepared = 0;
    int Labels = 0;
    int PagesWritten = 0;
    int Pages = 0;
    int JobsSent = 0;
    int Jobs = 0;
    double ElapsedSeconds = 0;
    // The time still needed at the pace so far; empty before the first page.
    std::optional<double> SecondsLeft() const;
};
// "4200/100000 labels prepared, 200/4762 pages written, 2/48 jobs sent, 1:23 left".
QString ProgressLine(const TRunProgress& progress);

} // namespace etikor
