#pragma once

// Manual entry and cloning on the series data (`T1`): the plain logic behind the manual-entry
// window and the main window's clone button. Every completed change writes the series file at
// once and reloads the table, so the file always holds what the user sees.

#include "series/tables/SeriesTables.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace etikor {

class IModal;
class TStoreTable;

// The sort of the series while the manual-entry window is open, and the key it locates on.
inline constexpr std::string_view kManualEntryIndex = kSeriesValueField;
inline constexpr const char* kManualEntryLocateKey = "VONALKOD1";

// A record count as the series windows show it ("#,": grouped thousands).
QString GroupedCount(int64_t count);

// Appends one record as the series windows create them: the value (Windows-1250) and the type
// index, the other six fields empty, 0, empty, 0, false and empty. Nothing is written.
void AppendSeriesRecord(TStoreTable& series, const std::string& value, int typeIndex);

// Writes the series to its file (a pending edit is posted first).
void WriteSeries(TStoreTable& series);

// Writes the series, closes and reopens it from the file, and sorts it again by the value.
void ReloadSortedSeries(TStoreTable& series);

struct TCloneResult {
    bool Asked = false;    // the count was asked (the user went on)
    bool Appended = false; // the count was a whole number: records were appended and written
    int64_t Count = 0;     // records appended
};

// The most records one cloning appends.
inline constexpr int64_t kMaxCloneCount = 100'000;

// Cloning: asks the count (input box, default 10; a cancelled box answers the default), appends
// that many records with `value` and `typeIndex` (none for 0 or less), writes the file, refreshes
// the table, runs `written` (the window shows the new count) and tells the user. A count that is
// not a whole number, or above kMaxCloneCount, is refused with an error and changes nothing.
// `value` is Windows-1250.
TCloneResult CloneSeriesValue(TStoreTable& series, const std::string& value, int typeIndex, IModal& modal,
                              const std::function<void()>& written = {});

// The main window's clone: with two or more records in the series it first asks whether to go
// on, then clones as CloneSeriesValue.
TCloneResult CloneFromMainWindow(TStoreTable& series, const std::string& value, int typeIndex, IModal& modal,
                                 const std::function<void()>& written = {});

// The manual-entry session on the series table: browsing, entering a new value or changing the
// current one, deleting one or all. The window drives it and mirrors its state.
class TManualEntry {
public:
    explicit TManualEntry(TStoreTable& series);

    TStoreTable& Series() { return FSeries; }
    // Sorts the series by value and goes to its first record.
    void Start();
    // A new record at the end ("Felvétel"), with the six other fields set as the window creates
    // them.
    void BeginNew();
    // Edits the current record ("Módosítás").
    void BeginChange();
    bool Entering() const;
    // "Rendben": false (nothing changed, still entering) when the value is blank. Otherwise
    // sets the type, posts, writes, reloads and goes to the posted value.
    bool Confirm(int typeIndex);
    // "Mégsem": drops the entry and refreshes the table.
    void Cancel();
    // "Törlés": asks, deletes the current record on Yes, and in any case writes, reloads and
    // goes to the first value starting with the deleted one (the first record with a value
    // after No).
    void Delete(IModal& modal);
    // The "all" delete: asks, empties the table on Yes, and in any case writes and reloads.
    void DeleteAll(IModal& modal);
    // After the series designer ran: reopens the series, sorted, on its first record.
    void ReloadAfterGeneration();
    // Closing the window: the sort is removed and the series reopened.
    void Finish();
    // The current record's value and type (Windows-1250; 0 when there is no record).
    std::string CurrentValue() const;
    int CurrentType() const;

private:
    TStoreTable& FSeries;
};

} // namespace etikor
