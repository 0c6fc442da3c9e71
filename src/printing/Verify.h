#pragma once

// Verification before printing: every distinct barcode of a run (its element, which fixes type,
// size, rotation and options, with its value) is drawn once at the printer's resolution exactly
// as the page engine prints it, and read back with zxing-cpp. A label whose barcode does not
// read back as its value, or that gets no barcode because the value is invalid for its type, is
// unreadable. Pages are added one at a time, so a run that streams its pages can be checked
// without keeping them.

#include "barcode/BarcodeTypes.h"
#include "data/PageSetup.h"
#include "pageengine/Report.h"

#include <QString>

#include <memory>
#include <vector>

namespace etikor {

enum class TBarcodeVerdict : uint8_t {
    bvReadable,
    bvUnreadable, // drawn, but the reader finds nothing or another value
    bvInvalid,    // no barcode: the value is invalid for its type
    bvUnchecked,  // a symbology the reader does not know
};

struct TUnreadableLabel {
    int Page = 0;  // 1-based
    int Place = 0; // 1-based, in the order labels fill a sheet (the order skipped places count in)
    QString Value;
    TTypBarCode Type = TTypBarCode::bcCode128;
    TBarcodeVerdict Verdict = TBarcodeVerdict::bvUnreadable;
    TLastPaintError Error = TLastPaintError::erOK; // why an invalid value draws nothing
    QString Decoded;                               // what the reader found instead, if anything
};

// A symbology zxing-cpp reads.
bool DecoderReads(TTypBarCode type);

// A decoded text stands for the value: the same characters, digits only for the EAN/UPC family,
// GS1 brackets and separators aside, Codabar's start and stop aside, and at most two more
// characters around it (the check characters the symbol adds; four for a book number typed in
// its ten-digit form).
bool DecodedMatches(TTypBarCode type, const QString& value, const QString& decoded);

class TBarcodeVerifier {
public:
    // `page` numbers the label places; `dpi` is the target device's resolution.
    TBarcodeVerifier(const TPageSetup& page, double dpi);
    ~TBarcodeVerifier();
    TBarcodeVerifier(const TBarcodeVerifier&) = delete;
    TBarcodeVerifier& operator=(const TBarcodeVerifier&) = delete;

    // Collects the barcodes of one prepared page (pages in order, `pageNumber` 1-based).
    void AddPage(const TPreparedPage& page, int pageNumber);
    // Draws and reads every distinct barcode not read yet; progress counts distinct barcodes.
    void Run(const TProgressEvent& progress = {});

    int LabelCount() const;     // labels with a barcode element collected
    int DistinctCount() const;  // distinct barcodes among them
    int UncheckedCount() const; // labels whose symbology the reader does not know
    // The unreadable labels in page order (after Run).
    std::vector<TUnreadableLabel> Unreadable() const;

private:
    struct TState;
    std::unique_ptr<TState> F;
};

// The whole prepared run checked at `dpi`.
std::vector<TUnreadableLabel> VerifyPrepared(const TReport& report, const TPreparedReport& prepared,
                                             double dpi, const TProgressEvent& progress = {});

} // namespace etikor
