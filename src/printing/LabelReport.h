#pragma once

// The label report: the page and label geometry of a run and one band item per template
// element, built once per run from the template and the data source; before each label the
// blank-place rule.

#include "data/DateTime.h"
#include "document/LabelTemplate.h"
#include "pageengine/Report.h"

#include <QImage>

#include <optional>
#include <vector>

namespace etikor {

class TDataSet;

struct TLabelRunOptions {
    bool Frame = false; // a frame around every label
    // The data source holds data that elements may be bound to.
    bool DataFlag = true;
    // The moment every date and time element of the run shows; unset: the program's clock,
    // read once when the report is built.
    std::optional<TDateTime> Now;
    // Barcode settings of the settings dialog.
    bool AutoBetu = true;  // FontAutoSize
    bool AutoChd = true;   // AutoCheckDigit
    bool AutoVonal = true; // AutoSize
    bool Security = true;
};

// The first field of the data set's current record is a single blank or null: the record
// stands for an empty label place.
bool IsBlankPlace(const TDataSet& data);

// The name of the field a value source binds to: its trimmed text when the data flag is set
// and a field of `data` begins with it (ignoring case); empty otherwise.
std::string BoundField(const QString& source, const TDataSet* data, bool dataFlag);

// Builds the label report of a run: page setup and frame, the blank-place rule, and one
// item per element in ascending order of the value source (a later item lies above an
// earlier one). Date and time values are computed here, once.
TReport BuildLabelReport(const std::vector<TLabelElement>& elements, const TPageSetup& setup,
                         const TDataSet* data, const TLabelRunOptions& options);

// The elements in the order the band stacks them: ascending value source, ties kept.
std::vector<TLabelElement> BandOrder(const std::vector<TLabelElement>& elements);

} // namespace etikor

namespace etikor {

// The answer to "how many label places to skip": a whole number up to 48 (zero and negative
// numbers skip nothing). Error holds the message for any other answer.
struct TSkipCount {
    int Count = 0;
    QString Error;
};
TSkipCount ParseSkipCount(const QString& answer);
inline constexpr int kMaxSkipCount = 48;

} // namespace etikor
