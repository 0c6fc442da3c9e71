#include "barcode/BarCodeInfo.h"

#include <array>
#include <bitset>

namespace etikor {
namespace {

using T = TTypBarCode;

struct Row {
    std::string_view name;
    std::string_view description;
    std::string_view sample;
    int charSet; // index into charSets()
    T family;
    uint16_t year;
    std::string_view country;
    bool supplement;
};

enum CharSetId {
    kDigits,
    kCodabar,
    kCode39,
    kCode39Full,
    kCode93,
    kAscii,
    kCode128,
    kAbcCodabar,
    kHex,
    kEan128,
    kCode11,
    kMatrix,
    kCharSetCount
};

constexpr std::string_view kCode39Set = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

// Ordinal order. Row 11's name keeps its trailing blank; rows 23 and 24 have two blanks in
// their descriptions; rows 11 and 29 share one description.
constexpr std::array<Row, kBarCodeTypeCount> kRows = {{
    {"EAN 8", "EAN 8 (2 or 5 digit supplement)", "1234567", kDigits, T::bcEan13, 1977, "EU", true},
    {"EAN 13", "EAN 13 (2 or 5 digit supplement)", "9771210107001", kDigits, T::bcEan13, 1977, "EU", true},
    {"Codabar", "Codabar (Monarch, NW-7, USD-4, 2 of 7 code)", "A0123+-$/:68A", kCodabar, T::bcCodabar, 1972,
     "", false},
    {"Code 39 Standard", "Code 39 Standard", "KROVA", kCode39, T::bcCode39Standard, 1972, "", false},
    {"Code 39 Extended", "Code 39 Extended", "KROVA", kCode39Full, T::bcCode39Standard, 1974, "", false},
    {"Code 93 Standard", "Code 93 Standard", "KROVA", kCode93, T::bcCode93Standard, 1982, "", false},
    {"Code 93 Extended", "Code 93 Extended", "KROVA", kAscii, T::bcEan13, 1974, "", false},
    {"Code 128", "Code 128", "KROVA", kCode128, T::bcCode128, 1981, "", false},
    {"AbcCodabar", "AbcCodabar", "ABCCBA", kAbcCodabar, T::bcCodabar, 1977, "", false},
    {"2/5 Datalogic", "2/5 Datalogic, Code25, 2 of 5", "123456", kDigits, T::bc25Datalogic, 1968, "", false},
    {"2/5 Interleaved (ITF)", "Code25, 2 of 5, ITF", "123456", kDigits, T::bc25Datalogic, 1972, "", false},
    {"2/5 Matrix ", "Code25, 2/5 Matrix", "123456", kDigits, T::bc25Datalogic, 1968, "", false},
    {"2/5 Industrial", "Code25, 2/5 Industrial", "123456", kDigits, T::bc25Datalogic, 1972, "", false},
    {"2/5 IATA", "Code25, 2/5 IATA", "123456", kDigits, T::bc25Datalogic, 0, "", false},
    {"2/5 INVERT", "Code25, 2/5 INVERT", "123456", kDigits, T::bc25Datalogic, 0, "", false},
    {"ITF", "ITF6, ITF14 (SSC14), ITF16", "0977121010700", kDigits, T::bc25Interleaved, 0, "", false},
    {"ISBN (Bookland)", "ISBN (International Standard Book Number)", "80-7226-102", kDigits, T::bcEan13, 0,
     "", true},
    {"ISSN", "ISSN (International Standard Serial Number)", "80-7226-102", kDigits, T::bcEan13, 0, "", true},
    {"ISMN", "ISMN (International Standard Music Number)", "80-7226-102", kDigits, T::bcEan13, 0, "", true},
    {"UPC-A", "UPC-A (with or without supplements)", "01234567890", kDigits, T::bcEan13, 0, "", true},
    {"UPC-E0", "UPC-E0 (with or without supplements)", "0123456", kDigits, T::bcEan13, 0, "", true},
    {"UPC-E1", "UPC-E1 (with or without supplements)", "0123456", kDigits, T::bcEan13, 0, "", true},
    {"UPC-Shipping", "UPC-Shipping", "1234567890123", kDigits, T::bc25Interleaved, 0, "", true},
    {"JAN8", "Japanese version of  EAN 8", "49123456", kDigits, T::bcEan13, 0, "", true},
    {"JAN13", "Japanese version of  EAN 13", "491234567890", kDigits, T::bcEan13, 0, "", true},
    {"MSI/Plessey", "MSI/Plessey (Modified)", "", kHex, T::bcEan13, 0, "USA", false},
    {"PostNet", "PostNet (ZIP, ZIP+4, DPBC)", "123456789", kHex, T::bcEan13, 0, "USA", false},
    {"OPC", "OPC (Optical Industry Association)", "1234567897", kHex, T::bcEan13, 0, "USA", false},
    {"UCC/EAN 128", "UCC/EAN 128", "EAN 128", kEan128, T::bcCode128, 0, "", false},
    {"2/5 Coop", "Code25, 2/5 Matrix", "123456", kDigits, T::bc25Matrix, 0, "", false},
    {"Code 11", "Code 11 (USD-8)", "123456", kCode11, T::bcEan8, 0, "", false},
    {"PZN", "Pharma-Zentral-Nummer", "123456", kDigits, T::bcCode39Standard, 0, "", false},
    {"QR Code", "QR Code (ISO/IEC 18004), error correction L, M, Q or H", "Etikor QR Code 12345", kMatrix,
     T::bcEan8, 1994, "JP", false},
    {"Data Matrix", "Data Matrix ECC 200 (ISO/IEC 16022), square or rectangular, GS1 DataMatrix",
     "(01)09501101530003(17)261231(10)AB12", kMatrix, T::bcEan8, 0, "", false},
    {"PDF417", "PDF417 (ISO/IEC 15438), stacked, 1-30 columns, error levels 0-8", "Etikor PDF417 12345",
     kMatrix, T::bcEan8, 1991, "USA", false},
    {"Aztec", "Aztec Code (ISO/IEC 24778)", "Etikor Aztec 12345", kMatrix, T::bcEan8, 1995, "USA", false},
}};

constexpr std::array<std::string_view, kBarCodeTypeCount> kIdents = {
    "bcEan8",         "bcEan13",          "bcCodabar",       "bcCode39Standard",
    "bcCode39Full",   "bcCode93Standard", "bcCode93Full",    "bcCode128",
    "bcABCCodabar",   "bc25Datalogic",    "bc25Interleaved", "bc25Matrix",
    "bc25Industrial", "bc25IATA",         "bc25Invert",      "bcITF",
    "bcISBN",         "bcISSN",           "bcISMN",          "bcUPCA",
    "bcUPCE0",        "bcUPCE1",          "bcUPCShipping",   "bcJAN8",
    "bcJAN13",        "bcMSIPlessey",     "bcPostNet",       "bcOPC",
    "bcEan128",       "bc25Coop",         "bcCode11",        "bcPZN",
    "bcQRCode",       "bcDataMatrix",     "bcPDF417",        "bcAztec",
};

std::string byteRange(int first, int last) {
    std::string s;
    for (int c = first; c <= last; ++c)
        s.push_back(static_cast<char>(c));
    return s;
}

struct CharSets {
    std::array<std::string, kCharSetCount> text;
    std::array<std::bitset<256>, kCharSetCount> member;
};

const CharSets& charSets() {
    static const CharSets sets = [] {
        CharSets s;
        s.text[kDigits] = "0123456789";
        s.text[kCodabar] = "0123456789-$:/.+ABCD";
        s.text[kCode39] = std::string(kCode39Set);
        // Code 39 full ASCII: blank to '~', then the euro sign of Windows-1250 (code 128).
        s.text[kCode39Full] = byteRange(32, 126) + '\x80';
        // The four Code 93 shift characters stand in as & " ( ).
        s.text[kCode93] = std::string(kCode39Set) + "&\"()";
        s.text[kAscii] = byteRange(32, 126);
        s.text[kCode128] = byteRange(1, 127);
        s.text[kAbcCodabar] = "0123456789-$:/.+ABCD ";
        s.text[kHex] = "0123456789ABCDEF";
        // Blank to '~', then š č ť ž ý á í é in Windows-1250.
        s.text[kEan128] = byteRange(32, 126) + "\x9A\xE8\x9D\x9E\xFD\xE1\xED\xE9";
        s.text[kCode11] = "0123456789-";
        // Every printable character of the code page (not DEL, nor the five bytes it leaves
        // undefined).
        for (int c = 32; c <= 255; ++c)
            if (c != 0x7F && c != 0x81 && c != 0x83 && c != 0x88 && c != 0x90 && c != 0x98)
                s.text[kMatrix].push_back(static_cast<char>(c));
        for (int i = 0; i < kCharSetCount; ++i)
            for (char c : s.text[i])
                s.member[i].set(static_cast<unsigned char>(c));
        return s;
    }();
    return sets;
}

const Row& row(TTypBarCode type) {
    const auto index = static_cast<size_t>(type);
    return kRows[index < kRows.size() ? index : 0];
}

} // namespace

TBarCodeInfo GetBarCodeInfo(TTypBarCode type) {
    const Row& r = row(type);
    TBarCodeInfo info;
    info.Name = r.name;
    info.Description = r.description;
    info.Sample = r.sample;
    info.CharSet = charSets().text[r.charSet];
    info.Family = r.family;
    info.Year = r.year;
    info.Country = r.country;
    info.Supplement = r.supplement;
    info.AutoCaption = false;
    return info;
}

std::string_view BarCodeCharSet(TTypBarCode type) {
    return charSets().text[row(type).charSet];
}

bool InBarCodeCharSet(TTypBarCode type, unsigned char c) {
    return charSets().member[row(type).charSet].test(c);
}

std::string_view BarCodeTypeIdent(TTypBarCode type) {
    const auto index = static_cast<size_t>(type);
    return index < kIdents.size() ? kIdents[index] : std::string_view();
}

std::optional<TTypBarCode> BarCodeTypeFromIdent(std::string_view ident) {
    for (size_t i = 0; i < kIdents.size(); ++i)
        if (kIdents[i] == ident)
            return static_cast<TTypBarCode>(i);
    return std::nullopt;
}

} // namespace etikor
