#pragma once

// A print run straight from a linked worksheet, up to the hand-over: how many label places to
// skip, the run's own sequence (blank places, then the records by their first column; the
// workbook itself is never changed) and, when printing, the question whether to start.

#include "printing/PrintSequence.h"

#include <memory>

namespace etikor {

class IModal;

// Nothing when the run ends here (a cancelled or refused skip count, or No to the question).
std::unique_ptr<TPrintSequence> PrepareLinkedRun(TDataSet& linked, IModal& modal, bool askToStart);

} // namespace etikor
