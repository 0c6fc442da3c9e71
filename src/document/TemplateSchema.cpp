#include "document/TemplateSchema.h"

#include "barcode/EncodeMatrix.h"
#include "data/Cp1250.h"
#include "data/DataSet.h"
#include "document/FontDescriptor.h"
#include "document/PageSetupValues.h"
#include "document/TrimText.h"

#include <cmath>

namespace etikor {

// ---- schema -------------------------------------------------------------------------------

const TFieldDefs& ElemekFieldDefs() {
    using enum TFieldType;
    static const TFieldDefs defs = {
        {"Azon", ftString, 1},       {"Elemnev", ftString, 20},   {"Forras", ftString, 100},
        {"FErtek", ftString, 128},   {"Forgat", ftInteger, 0},    {"Betu", ftString, 80},
        {"Height_mm", ftFloat, 0},   {"Left_mm", ftFloat, 0},     {"Top_mm", ftFloat, 0},
        {"Width_mm", ftFloat, 0},    {"Height_px", ftInteger, 0}, {"Top_px", ftInteger, 0},
        {"Left_px", ftInteger, 0},   {"Width_px", ftInteger, 0},  {"Fm_mm", ftFloat, 0},
        {"Bm_mm", ftFloat, 0},       {"Jm_mm", ftFloat, 0},       {"Am_mm", ftFloat, 0},
        {"Terkoz", ftFloat, 0},      {"Oszlopok", ftInteger, 0},  {"OldalH_mm", ftFloat, 0},
        {"OldalSz_mm", ftFloat, 0},  {"Vk_index", ftInteger, 0},  {"VErtek", ftBoolean, 0},
        {"Startstop", ftBoolean, 0}, {"AddOn", ftBoolean, 0},     {"Tajolas", ftString, 1},
    };
    return defs;
}

namespace {
constexpr std::array<std::string_view, 4> kPrefixes{"Szoveg_", "Vkod_", "Kep_", "Rajz_"};
constexpr std::array<std::string_view, 4> kNameStarts{"Szov", "Vkod", "Kep", "Rajz"};
constexpr std::array<char, 4> kLetters{'S', 'V', 'K', 'R'};

} // namespace

char KindLetter(TElemKind kind) {
    return kLetters[static_cast<size_t>(kind)];
}

std::optional<TElemKind> KindFromLetter(std::string_view azon) {
    if (azon.size() != 1)
        return std::nullopt;
    for (size_t i = 0; i < kLetters.size(); ++i)
        if (azon[0] == kLetters[i])
            return static_cast<TElemKind>(i);
    return std::nullopt;
}

std::string_view KindPrefix(TElemKind kind) {
    return kPrefixes[static_cast<size_t>(kind)];
}

std::optional<TElemKind> KindFromName(std::string_view name) {
    for (size_t i = 0; i < kNameStarts.size(); ++i)
        if (name.starts_with(kNameStarts[i]))
            return static_cast<TElemKind>(i);
    return std::nullopt;
}

bool LocatePageSetup(TDataSet& elemek) {
    return elemek.Locate("Elemnev", TVariant(std::string(kPageSetupName)), 0);
}

void AppendPageSetupRow(TDataSet& elemek, const TPageSetup& p) {
    elemek.Append();
    auto set = [&](std::string_view field, const TVariant& value) {
        elemek.FieldByName(field).SetValue(value);
    };
    set("Azon", kPageSetupKind);
    set("Elemnev", kPageSetupName);
    WritePageSetup(elemek, p);
    elemek.Post();
}

void WritePageSetup(TDataSet& elemek, const TPageSetup& p) {
    for (const TPageValueInfo& info : PageSetupValues()) {
        TField& field = elemek.FieldByName(info.Field);
        if (info.Decimals == 0)
            field.SetAsInteger(static_cast<int>(p.Value(info.Value)));
        else
            field.SetAsFloat(p.Value(info.Value));
    }
}

TPageSetup ReadPageSetup(const TDataSet& elemek) {
    TPageSetup p;
    for (const TPageValueInfo& info : PageSetupValues()) {
        const TField& field = elemek.FieldByName(info.Field);
        p.SetValue(info.Value, info.Decimals == 0 ? field.AsInteger() : field.AsFloat());
    }
    return p;
}

// ---- names ----------------------------------------------------------------------------------

std::string TElementNamer::NextName(TElemKind kind, const std::function<bool(std::string_view)>& exists) {
    int& counter = FCounters[static_cast<size_t>(kind)];
    std::string name;
    do {
        ++counter;
        name = std::string(KindPrefix(kind)) + std::to_string(counter);
    } while (exists && exists(name));
    return name;
}

// ---- date/time codes --------------------------------------------------------------------

namespace {
struct DateTimeCode {
    std::string_view ListTextUtf8;
    std::string_view Format;
};
constexpr std::array<DateTimeCode, kDateTimeCodeCount> kDateTimeCodes{{
    {"D: ÉÉÉÉ.HH.NN", "yyyy.mm.dd"},
    {"D: ÉÉÉÉ-HH-NN", "yyyy-mm-dd"},
    {"D: ÉÉÉÉHHNN", "yyyymmdd"},
    {"D: ÉÉ.HH.NN", "yy.mm.dd"},
    {"D: ÉÉ-HH-NN", "yy-mm-dd"},
    {"D: ÉÉHHNN", "yymmdd"},
    {"D: NN.HH.ÉÉÉÉ", "dd.mm.yyyy"},
    {"D: NN-HH-ÉÉÉÉ", "dd-mm-yyyy"},
    {"D: NNHHÉÉÉÉ", "ddmmyyyy"},
    {"D: NN.HH.ÉÉ", "dd.mm.yy"},
    {"D: NN-HH-ÉÉ", "dd-mm-yy"},
    {"D: NNHHÉÉ", "ddmmyy"},
    {"I: ÓÓ:PP (24)", "hh:nn"},
    {"I: Ó:PP AM/PM (12)", "h:nn AM/PM"},
    {"I: ÓÓ-PP (24)", "hh-nn"},
    {"I: Ó-PP AM/PM (12)", "h-nn AM/PM"},
    {"I: ÓÓ PP (24)", "hh nn"},
    {"I: Ó PP AM/PM (12)", "h nn AM/PM"},
}};
} // namespace

std::string DateTimeCodeListText(int code) {
    if (code < 0 || code >= kDateTimeCodeCount)
        return {};
    return Utf8ToCp1250(kDateTimeCodes[static_cast<size_t>(code)].ListTextUtf8);
}

std::string_view DateTimeCodeFormat(int code) {
    if (code < 0 || code >= kDateTimeCodeCount)
        return {};
    return kDateTimeCodes[static_cast<size_t>(code)].Format;
}

std::string DateTimeCodeSource(int code) {
    std::string digits = std::to_string(code);
    if (digits.size() < 2)
        digits.insert(0, 1, '0');
    return "[" + digits + "]" + DateTimeCodeListText(code);
}

std::optional<std::string> ResolveDateTimeCode(std::string_view forras, std::string_view fErtek,
                                               TDateTime now, const TFormatSettings& fs) {
    const std::string_view source = TrimText(forras);
    if (!source.starts_with('['))
        return std::nullopt;
    int32_t code = -1;
    if (!TryStrToInt(source.substr(1, 2), code) || code < 0 || code >= kDateTimeCodeCount)
        return std::string(fErtek);
    return FormatDateTime(DateTimeCodeFormat(code), now, fs);
}

std::optional<std::string> ResolveDateTimeCode(std::string_view forras, std::string_view fErtek) {
    return ResolveDateTimeCode(forras, fErtek, Now(), FormatSettings());
}

// ---- rotation, alignment ----------------------------------------------------------------

std::optional<int> RotationDegrees(int forgat) {
    if (forgat < 0 || forgat > 3)
        return std::nullopt;
    return forgat * 90;
}

TAlignment AlignmentFromLetter(std::string_view tajolas) {
    const std::string_view letter = TrimText(tajolas);
    if (letter == "K")
        return TAlignment::taCenter;
    if (letter == "J")
        return TAlignment::taRightJustify;
    return TAlignment::taLeftJustify;
}

char AlignmentLetter(TAlignment alignment) {
    switch (alignment) {
    case TAlignment::taCenter:
        return 'K';
    case TAlignment::taRightJustify:
        return 'J';
    default:
        return 'B';
    }
}

// ---- barcode list -----------------------------------------------------------------------

namespace {
struct BarcodeListEntry {
    std::string_view Text;
    TTypBarCode Type;
};
constexpr std::array<BarcodeListEntry, kBarcodeListSize> kBarcodeList{{
    {"Code 2 of 5 Datalogic", TTypBarCode::bc25Datalogic},
    {"Code 2 of 5 Industrial", TTypBarCode::bc25Industrial},
    {"Code 2 of 5 Interleaved", TTypBarCode::bc25Interleaved},
    {"Code 2 of 5 Matrix", TTypBarCode::bc25Matrix},
    {"Codabar", TTypBarCode::bcCodabar},
    {"Code 128", TTypBarCode::bcCode128},
    {"Code 39 Full", TTypBarCode::bcCode39Full},
    {"Code 39 Standard", TTypBarCode::bcCode39Standard},
    {"Ean 128", TTypBarCode::bcEan128},
    {"Ean 13", TTypBarCode::bcEan13},
    {"Ean 8", TTypBarCode::bcEan8},
    {"ISBN", TTypBarCode::bcISBN},
    {"POSTNET", TTypBarCode::bcPostNet},
    {"UPC A", TTypBarCode::bcUPCA},
    {"UPC E", TTypBarCode::bcUPCE0},
    {"QR Code", TTypBarCode::bcQRCode},
    {"Data Matrix", TTypBarCode::bcDataMatrix},
    {"PDF417", TTypBarCode::bcPDF417},
    {"Aztec", TTypBarCode::bcAztec},
}};
} // namespace

std::string_view BarcodeTypeListText(int index) {
    if (index < 0 || index >= kBarcodeListSize)
        return {};
    return kBarcodeList[static_cast<size_t>(index)].Text;
}

int BarcodeListPosition(int index) {
    if (index >= 0 && index < kBarcodeListSize)
        return index;
    // Only the two-dimensional entries carry an option code.
    const int position = index % kBarcodeOptionFactor;
    if (index < 0 || position < kLinearBarcodeListSize || position >= kBarcodeListSize)
        return -1;
    const TTypBarCode type = kBarcodeList[static_cast<size_t>(position)].Type;
    const int code = index / kBarcodeOptionFactor;
    // A code the type does not know (or a different spelling of its defaults) is no index.
    if (MatrixOptionCode(type, MatrixOptionsFromCode(type, code)) != code)
        return -1;
    return position;
}

std::optional<TTypBarCode> BarcodeTypeForIndex(int index) {
    const int position = BarcodeListPosition(index);
    if (position < 0)
        return std::nullopt;
    return kBarcodeList[static_cast<size_t>(position)].Type;
}

TMatrixOptions BarcodeOptionsForIndex(int index) {
    const int position = BarcodeListPosition(index);
    if (position < kLinearBarcodeListSize)
        return {};
    return MatrixOptionsFromCode(kBarcodeList[static_cast<size_t>(position)].Type,
                                 index / kBarcodeOptionFactor);
}

int BarcodeStoredIndex(int listPosition, const TMatrixOptions& options) {
    if (listPosition < kLinearBarcodeListSize || listPosition >= kBarcodeListSize)
        return listPosition;
    const TTypBarCode type = kBarcodeList[static_cast<size_t>(listPosition)].Type;
    return listPosition + kBarcodeOptionFactor * MatrixOptionCode(type, options);
}

int BarcodeIndexOf(TTypBarCode type) {
    for (int i = 0; i < kBarcodeListSize; ++i)
        if (kBarcodeList[static_cast<size_t>(i)].Type == type)
            return i;
    return -1;
}

// ---- drawings ---------------------------------------------------------------------------

TDrawingShape DrawingShape(TDrawingKind kind) {
    switch (kind) {
    case TDrawingKind::dkHorizontalLine:
        return {stRectangle, 60, 1};
    case TDrawingKind::dkVerticalLine:
        return {stRectangle, 1, 60};
    case TDrawingKind::dkSquare:
        return {stRectangle, 60, 60};
    case TDrawingKind::dkCircle:
        return {stCircle, 60, 60};
    case TDrawingKind::dkEllipse:
    default:
        return {stEllipse, 60, 50};
    }
}

// ---- new elements -----------------------------------------------------------------------

void AppendElementRow(TDataSet& elemek, TElemKind kind, std::string_view name, const TPixelRect& px,
                      TShapeCode shape) {
    elemek.Append();
    auto set = [&](std::string_view field, const TVariant& value) {
        elemek.FieldByName(field).SetValue(value);
    };
    set("Azon", std::string(1, KindLetter(kind)));
    set("Elemnev", name);
    set("Forras", std::string());
    switch (kind) {
    case TElemKind::ekText:
        set("FErtek", name);
        break;
    case TElemKind::ekBarcode:
        set("FErtek", kNewBarcodeValue);
        break;
    default:
        set("FErtek", std::string());
        break;
    }
    set("Forgat", 0);
    const bool hasFont = kind == TElemKind::ekText || kind == TElemKind::ekBarcode;
    set("Betu", hasFont ? kDefaultFontDescriptor : std::string_view());
    for (const char* mm : {"Height_mm", "Left_mm", "Top_mm", "Width_mm"})
        set(mm, 0.0);
    set("Height_px", px.Height);
    set("Top_px", px.Top);
    set("Left_px", px.Left);
    set("Width_px", px.Width);
    if (kind == TElemKind::ekDrawing) {
        for (const char* page : {"Fm_mm", "Bm_mm", "Jm_mm", "Am_mm", "Terkoz", "OldalH_mm", "OldalSz_mm"})
            set(page, 0.0);
        set("Oszlopok", 0);
        set("Vk_index", static_cast<int>(shape));
    }
    if (kind == TElemKind::ekBarcode) {
        set("VErtek", true);
        set("Startstop", true);
        set("Vk_index", kNewBarcodeIndex);
    }
    if (kind == TElemKind::ekText)
        set("Tajolas", std::string(1, AlignmentLetter(TAlignment::taLeftJustify)));
    elemek.Post();
}

// ---- units ------------------------------------------------------------------------------

double PixelsToMm(double px, double scalePercent, double ppi) {
    return px * 100 / scalePercent / ppi * 25.4;
}

int RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double diff = value - floor;
    double result = floor;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(floor, 2.0) != 0))
        result = floor + 1;
    return static_cast<int>(result);
}

TPixelRect ZoomRect(const TPixelRect& stored, int zoom) {
    return {ScreenFromStored(stored.Left, zoom), ScreenFromStored(stored.Top, zoom),
            ScreenFromStored(stored.Width, zoom), ScreenFromStored(stored.Height, zoom)};
}

TPixelRect StoredRect(const TPixelRect& screen, int zoom) {
    return {StoredFromScreen(screen.Left, zoom), StoredFromScreen(screen.Top, zoom),
            StoredFromScreen(screen.Width, zoom), StoredFromScreen(screen.Height, zoom)};
}

double ScreenToMm(double px, int zoom) {
    return PixelsToMm(px, 100.0 * zoom, kScreenPpi);
}

TElementGeometry GeometryFromScreen(const TPixelRect& screen, int zoom) {
    TElementGeometry g;
    g.HeightMm = ScreenToMm(screen.Height, zoom);
    g.LeftMm = ScreenToMm(screen.Left, zoom);
    g.TopMm = ScreenToMm(screen.Top, zoom);
    g.WidthMm = ScreenToMm(screen.Width, zoom);
    g.Px = StoredRect(screen, zoom);
    return g;
}

} // namespace etikor
