#include "printing/LinkedRun.h"

#include "printing/LabelReport.h"
#include "printing/PrintSelection.h"
#include "services/Modal.h"
#include <QCoreApplication>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TLinkedRunText {
    Q_DECLARE_TR_FUNCTIONS(TLinkedRunText)
};
} // namespace

std::unique_ptr<TPrintSequence> PrepareLinkedRun(TDataSet& linked, IModal& modal, bool askToStart) {
    const std::optional<QString> answer =
        modal.InputBox(TLinkedRunText::tr("Címkék átlépése"),
                       TLinkedRunText::tr("Hány darab címkehelyet hagy ki?"), QStringLiteral("0"));
    // Cancel ends the run rather than printing with nothing skipped.
    if (!answer)
        return nullptr;
    const TSkipCount skip = ParseSkipCount(*answer);
    if (!skip.Error.isEmpty()) {
        modal.Message(QString(), skip.Error, QStringLiteral("H"));
        return nullptr;
    }
    std::unique_ptr<TPrintSequence> sequence = TPrintSequence::OrderedByFirstField(linked, skip.Count);
    const int labels = std::max(sequence->RecordCount(), 1);
    if (askToStart && !modal.Message(QString(), StartQuestion(labels), QStringLiteral("K")))
        return nullptr;
    return sequence;
}

} // namespace etikor
