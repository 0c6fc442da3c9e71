#pragma once

// What is checked before a run prints anything: page and label values that the page and label
// tabs would never accept (a template file may hold any number), a layout in which labels
// cannot have a positive size, and elements bound to fields the data source does not have
// (they would print empty). The window and etikor-print ask the same questions of a run.

#include "document/LabelTemplate.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace etikor {

class TDataSet;

// The problems of a page setup as messages for the user, one per value outside its template
// range (PageSetupValues.h; the label width only sizes the designer's label, a printed label is
// as wide as its column), then one when the labels would have no positive width or the page no
// room for a label's height.
QStringList PageSetupProblems(const TPageSetup& setup);

// The value sources of text and barcode elements that name a field `data` does not have (date
// and time codes are no fields), each once, in element order.
QStringList MissingBoundFields(const std::vector<TLabelElement>& elements, const TDataSet& data);

// What the checks before a run found.
struct TPrintProblems {
    QStringList PageSetup;     // PageSetupProblems: the run cannot print
    QStringList MissingFields; // MissingBoundFields: the user decides whether to print anyway
};

// The checks before a run of `elements` on `setup` over `data`. Fields are only looked for
// when the run prints from the data (`dataFlag`) and the data has a record: otherwise the
// elements print their own values, or no label prints at all.
TPrintProblems CheckBeforePrinting(const std::vector<TLabelElement>& elements, const TPageSetup& setup,
                                   const TDataSet* data, bool dataFlag);

// The message that stops a run with such page values.
QString PageSetupMessage(const QStringList& problems);

// The question asked before printing with such fields.
QString MissingFieldsQuestion(const QStringList& fields);

} // namespace etikor
