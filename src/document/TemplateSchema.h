#pragma once

// The label template's schema: the fields of the `Elemek` table (one page-setup row and one
// row per element), element kinds and names, value sources and date/time codes, rotation,
// alignment, the designer's barcode type list, drawing shapes, the initial values of new
// elements and the conversions between millimetres and pixels. TLabelTemplate (LabelTemplate.h)
// is the open template built on it; the windows work on that, never on the rows.

#include "barcode/BarcodeTypes.h"
#include "data/Alignment.h"
#include "data/DateTime.h"
#include "data/FieldTypes.h"
#include "data/FormatSettings.h"
#include "data/PageSetup.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace etikor {

class TDataSet;

// ---- schema -------------------------------------------------------------------------------

// The 27 fields in file order.
const TFieldDefs& ElemekFieldDefs();

inline constexpr std::string_view kPageSetupName = "Oldalbeall";
inline constexpr std::string_view kPageSetupKind = "0";

// Row kinds by their `Azon` letter.
enum class TElemKind : uint8_t { ekText, ekBarcode, ekPicture, ekDrawing };

char KindLetter(TElemKind kind); // 'S', 'V', 'K', 'R'
std::optional<TElemKind> KindFromLetter(std::string_view azon);
std::string_view KindPrefix(TElemKind kind); // "Szoveg_", "Vkod_", "Kep_", "Rajz_"
// The kind of an element control, read from the start of its name ("Szov", "Vkod", "Kep",
// "Rajz").
std::optional<TElemKind> KindFromName(std::string_view name);

// Positions the `Elemek` table on the page-setup row (by name, never by kind).
bool LocatePageSetup(TDataSet& elemek);

// Appends the page-setup row ("0", "Oldalbeall") and posts it.
void AppendPageSetupRow(TDataSet& elemek, const TPageSetup& setup);
// Writes the values into the current record's page-setup fields (not posted).
void WritePageSetup(TDataSet& elemek, const TPageSetup& setup);
// The located page-setup row's values.
TPageSetup ReadPageSetup(const TDataSet& elemek);

// ---- element names ----------------------------------------------------------------------

// The designer's four name counters.
class TElementNamer {
public:
    // Building the canvas: all counters to 0, then one per row of each kind loaded.
    void Reset() { FCounters = {}; }
    void Loaded(TElemKind kind) { ++FCounters[static_cast<size_t>(kind)]; }
    int Counter(TElemKind kind) const { return FCounters[static_cast<size_t>(kind)]; }
    // A new element: the counter moves on past every name that is already taken.
    std::string NextName(TElemKind kind, const std::function<bool(std::string_view)>& exists);

private:
    std::array<int, 4> FCounters{};
};

// ---- value sources ----------------------------------------------------------------------

inline constexpr int kDateTimeCodeCount = 18;
// The list entry text of a code, Windows-1250 ("D: ÉÉÉÉ.HH.NN").
std::string DateTimeCodeListText(int code);
// The format of a code ("yyyy.mm.dd").
std::string_view DateTimeCodeFormat(int code);
// What `Forras` holds for a picked code: "[" + two digits + "]" + list text.
std::string DateTimeCodeSource(int code);
// A value source that begins with "[" (after trimming) is a date/time code: the value formatted
// from `now` (codes 0 to 17) or the stored value `fErtek` (any other or unreadable code).
// nullopt for a source that is no code (empty or a field name).
std::optional<std::string> ResolveDateTimeCode(std::string_view forras, std::string_view fErtek,
                                               TDateTime now, const TFormatSettings& fs = FormatSettings());
// The same at the current moment of the program's clock, in the current locale.
std::optional<std::string> ResolveDateTimeCode(std::string_view forras, std::string_view fErtek);

// ---- rotation, alignment ----------------------------------------------------------------

// Degrees of a rotation code 0 to 3; nullopt for any other code (unrotated text, the barcode
// engine's default angle).
std::optional<int> RotationDegrees(int forgat);

// "B" left, "K" centre, "J" right; empty, blank or any other letter: left.
TAlignment AlignmentFromLetter(std::string_view tajolas);
char AlignmentLetter(TAlignment alignment);

// ---- barcode type list ------------------------------------------------------------------

// The designer offers 19 of the engine's symbologies, in the order of its type list: the 15
// linear ones of old (indices 0 to 14 keep their meaning), then QR Code, Data Matrix, PDF417
// and Aztec (15 to 18).
inline constexpr int kBarcodeListSize = 19;
inline constexpr int kLinearBarcodeListSize = 15;
std::string_view BarcodeTypeListText(int index);
// A stored index of a two-dimensional entry also carries its settings: list position + 100 x
// the option code of MatrixOptionCode (115 is a QR Code at level L, 216 a GS1 Data Matrix).
// Programs that know only the 15 linear entries see such an index as out of range and keep the
// engine's default type, as they always did.
inline constexpr int kBarcodeOptionFactor = 100;
// The symbology of a stored index (0 to 18, or a two-dimensional entry with its option code);
// nullopt for any other (the engine keeps its default type).
std::optional<TTypBarCode> BarcodeTypeForIndex(int index);
// The two-dimensional settings a stored index carries; the defaults for every other index.
TMatrixOptions BarcodeOptionsForIndex(int index);
// The list position of a stored index (its option code taken off); -1 when it has none.
int BarcodeListPosition(int index);
// The index to store for a list position and the settings of its type.
int BarcodeStoredIndex(int listPosition, const TMatrixOptions& options);
// Index 8 ("Ean 128") also switches the engine's Ean13AddUp on.
inline bool BarcodeIndexSetsEan13AddUp(int index) {
    return index == 8;
}
// The series' types whose values the EAN-128 helper's "(AI)" segments can build: "Ean 128" and
// "Data Matrix" (a GS1 DataMatrix takes the same "(01)...(17)..." element strings).
inline bool BarcodeIndexTakesAis(int index) {
    return index == 8 || index == 16;
}
// The list position of a symbology; -1 when the designer does not offer it.
int BarcodeIndexOf(TTypBarCode type);

// ---- drawings ---------------------------------------------------------------------------

// `Vk_index` of drawing rows.
enum TShapeCode : int { stRectangle = 0, stEllipse = 4, stCircle = 5 };

enum class TDrawingKind : uint8_t { dkHorizontalLine, dkVerticalLine, dkSquare, dkCircle, dkEllipse };

struct TDrawingShape {
    TShapeCode Shape;
    int WidthPx;
    int HeightPx;
};
TDrawingShape DrawingShape(TDrawingKind kind);

// ---- new elements -----------------------------------------------------------------------

inline constexpr std::string_view kNewBarcodeValue = "12345678";
inline constexpr int kNewBarcodeIndex = 5; // "Code 128"

struct TPixelRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// Appends a new element row to `elemek` and posts it (the caller writes the file): kind, name,
// empty source, initial value and font, rotation 0, zero millimetres, the geometry in stored
// pixels; drawings carry zeros in the page fields and their shape code; barcodes show their
// value with long guard bars and start as Code 128; texts align left.
void AppendElementRow(TDataSet& elemek, TElemKind kind, std::string_view name, const TPixelRect& px,
                      TShapeCode shape = stRectangle);

// ---- units ------------------------------------------------------------------------------

// Ruler conversion, unrounded: mm = px * 100 / scale / ppi * 25.4 (scale in percent).
double PixelsToMm(double px, double scalePercent, double ppi);
// Rounds to the nearest integer, ties to even.
int RoundHalfEven(double value);
// A screen value at zoom z as a stored pixel value.
inline int StoredFromScreen(int screen, int zoom) {
    return RoundHalfEven(static_cast<double>(screen) / zoom);
}
inline int ScreenFromStored(int stored, int zoom) {
    return stored * zoom;
}
// The label's on-screen size at zoom 1 in pixels, unrounded.
inline constexpr double kLabelPxPerMmX = 3.75;
inline constexpr double kLabelPxPerMmY = 3.85;
inline double LabelWidthPx(double widthMm) {
    return widthMm * kLabelPxPerMmX;
}
inline double LabelHeightPx(double heightMm) {
    return heightMm * kLabelPxPerMmY;
}

// The designer's screen resolution: the rulers convert with it (mm = px * 100 / scale / ppi *
// 25.4); 96 is the resolution the stored pixel geometry of templates was made at.
inline constexpr double kScreenPpi = 96.0;

// A stored pixel rectangle on screen at zoom z.
TPixelRect ZoomRect(const TPixelRect& stored, int zoom);
// A screen rectangle as stored pixels (divided by z, ties to even).
TPixelRect StoredRect(const TPixelRect& screen, int zoom);

// Screen pixels at zoom z as millimetres, converted as the rulers do (scale 100 x z).
double ScreenToMm(double px, int zoom);

// The four millimetre and four pixel fields the move/resize handling writes for a view's
// screen rectangle.
struct TElementGeometry {
    double HeightMm = 0, LeftMm = 0, TopMm = 0, WidthMm = 0;
    TPixelRect Px;
};
TElementGeometry GeometryFromScreen(const TPixelRect& screen, int zoom);

} // namespace etikor
