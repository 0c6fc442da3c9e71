#pragma once

// Generation of the series data: the definition (`M1`) expanded into one record per value in
// the series table (`T1`), with the program's questions and messages.
//
// Every record is appended to the series file as it is made (the file's header then counts it),
// so after each record the file holds every value written so far and opens cleanly, and the
// whole generation costs time in proportion to the number of values. The table in memory is
// read back from the file once at the end.

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace etikor {

class IModal;
class TStoreTable;

struct TGenerationOptions {
    bool Vertical = false;  // "Függőleges"; otherwise "Vízszintes"
    int BarcodeType = 5;    // written to Tipus1
    QString SeriesFileName; // without folder, for the overwrite question
    // Asked when the definition has a date segment: the layout (Windows-1250), or nullopt to
    // stop. Without it the default layout is used.
    std::function<std::optional<std::string>()> ChooseDateFormat;
    // The status text "N/i" while records are written (at most every 50 ms, and for the last).
    std::function<void(const QString&)> Progress;
    // The busy cursor on (true) and off (false).
    std::function<void(bool)> Busy;
};

enum class TGenerationOutcome : uint8_t {
    Declined,  // the overwrite question answered No: nothing changed
    NoSegment, // the definition is empty: nothing changed
    Refused,   // the definition cannot be generated (the user was told why): nothing changed
    Stopped,   // stopped after the count (No, or a value that cannot be made): series unchanged
    Done,      // "Feldolgozás vége!"
};

struct TGenerationResult {
    TGenerationOutcome Outcome = TGenerationOutcome::Declined;
    int64_t Count = 0;   // values of the definition
    int64_t Written = 0; // records written
    QString Message;     // the refusal's text
    // The series was replaced: the program now has series data and no linked worksheet in use.
    // A run that stopped before its end replaces nothing.
    bool SeriesReplaced() const { return Outcome == TGenerationOutcome::Done; }
};

// More values than this ask whether to go on.
inline constexpr int64_t kLongGenerationValues = 15000;

// "1 500/1 200" with the locale's grouping.
QString GenerationProgressText(int64_t count, int64_t written);

// Generates the series from `definition` into `series` (opened when closed; its file is
// series.FilePath()). Messages and questions go through `modal`. Errors of the file system
// (EStoreFileError) pass on to the caller after the records written so far.
TGenerationResult GenerateSeries(TStoreTable& definition, TStoreTable& series, IModal& modal,
                                 const TGenerationOptions& options);

} // namespace etikor
