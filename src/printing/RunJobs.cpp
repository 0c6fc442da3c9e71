#include "printing/RunJobs.h"

#include "pageengine/Report.h"
#include "printing/PrintSequence.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace etikor {

namespace {
// The run's label at record `record` of the sequence (from 0), from 1; 0 and less for a blank.
int LabelAt(int record, int skip) {
    return record - skip + 1;
}
} // namespace

std::vector<TRunJob> SplitIntoJobs(const TStreamedPages& pages, int skip, int jobPages) {
    const int count = std::max(pages.PageCount(), 1);
    const int each = jobPages > 0 ? jobPages : count;
    std::vector<TRunJob> jobs;
    jobs.reserve(static_cast<size_t>((count + each - 1) / each));
    for (int first = 1; first <= count; first += each) {
        TRunJob job;
        job.FirstPage = first;
        job.LastPage = std::min(first + each - 1, count);
        const int firstRecord = first - 1 < pages.PageCount() ? pages.PageStart(first - 1) : 0;
        const int endRecord =
            job.LastPage < pages.PageCount() ? pages.PageStart(job.LastPage) : pages.Total();
        job.FirstLabel = std::max(LabelAt(firstRecord, skip), 1);
        job.LastLabel = LabelAt(endRecord - 1, skip);
        jobs.push_back(job);
    }
    return jobs;
}

QString JobName(const QString& templateName, int job, int jobs, const TRunJob& labels) {
    QString name = QStringLiteral("Etikor: %1 %2/%3").arg(templateName).arg(job).arg(jobs);
    if (labels.FirstLabel <= labels.LastLabel)
        name += QStringLiteral(", labels %1\u2013%2").arg(labels.FirstLabel).arg(labels.LastLabel);
    return name;
}

TParsedLabelRange ParseLabelRange(const QString& text) {
    TParsedLabelRange parsed;
    const QStringList parts = text.trimmed().split('-');
    bool okFirst = false, okLast = false;
    if (parts.size() == 1 || parts.size() == 2) {
        parsed.Range.First = parts.front().trimmed().toInt(&okFirst);
        parsed.Range.Last = parts.back().trimmed().toInt(&okLast);
    }
    if (!okFirst || !okLast || parsed.Range.First < 1 || parsed.Range.Last < parsed.Range.First)
        parsed.Error =
            QStringLiteral("--labels needs a range A-B of the run's labels, 1 <= A <= B, not '%1'").arg(text);
    return parsed;
}

QString NarrowToLabels(TPrintSequence& sequence, const TStreamedPages& run, int skip,
                       const TLabelRange& range, bool repack, int repackSkip) {
    const int labels = run.Total() - std::max(skip, 0);
    if (range.Last > labels)
        return QStringLiteral("the run has only %1 labels: %2-%3 goes past its end")
            .arg(std::max(labels, 0))
            .arg(range.First)
            .arg(range.Last);
    const int firstRecord = std::max(skip, 0) + range.First - 1;
    int blanks = std::max(repackSkip, 0);
    if (!repack) {
        // The page the label was on, and its place there.
        int page = 0;
        while (page + 1 < run.PageCount() && run.PageStart(page + 1) <= firstRecord)
            ++page;
        blanks = firstRecord - run.PageStart(page);
    }
    sequence.KeepPlaces(firstRecord, range.Last - range.First + 1, blanks);
    return {};
}

std::optional<double> TRunProgress::SecondsLeft() const {
    if (PagesWritten <= 0 || Pages <= 0)
        return std::nullopt;
    return ElapsedSeconds / PagesWritten * std::max(Pages - PagesWritten, 0);
}

QString ProgressLine(const TRunProgress& progress) {
    QString line = QStringLiteral("%1/%2 labels prepared, %3/%4 pages written, %5/%6 jobs sent")
                       .arg(progress.LabelsPrepared)
                       .arg(progress.Labels)
                       .arg(progress.PagesWritten)
                       .arg(progress.Pages)
                       .arg(progress.JobsSent)
                       .arg(progress.Jobs);
    if (const std::optional<double> left = progress.SecondsLeft()) {
        const int seconds = static_cast<int>(std::ceil(*left));
        line += QStringLiteral(", %1:%2 left").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar('0'));
    }
    return line;
}

} // namespace etikor
