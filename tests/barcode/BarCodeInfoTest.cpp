// The symbology catalogue: its 32 rows, character sets as Windows-1250 bytes, the readable set.

#include "barcode/BarCodeInfo.h"
#include "barcode/Ean.h"
#include "data/Cp1250.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

using T = TTypBarCode;

std::string bytes(int first, int last) {
    std::string s;
    for (int c = first; c <= last; ++c)
        s.push_back(static_cast<char>(c));
    return s;
}

TEST(BarCodeInfo, NamesDescriptionsAndSamplesOfEveryRow) {
    // The catalogue table, row by row, odd blanks included ("2/5 Matrix ", "of  EAN").
    struct Row {
        const char* ident;
        const char* name;
        const char* description;
        const char* sample;
    } rows[] = {
        {"bcEan8", "EAN 8", "EAN 8 (2 or 5 digit supplement)", "1234567"},
        {"bcEan13", "EAN 13", "EAN 13 (2 or 5 digit supplement)", "9771210107001"},
        {"bcCodabar", "Codabar", "Codabar (Monarch, NW-7, USD-4, 2 of 7 code)", "A0123+-$/:68A"},
        {"bcCode39Standard", "Code 39 Standard", "Code 39 Standard", "KROVA"},
        {"bcCode39Full", "Code 39 Extended", "Code 39 Extended", "KROVA"},
        {"bcCode93Standard", "Code 93 Standard", "Code 93 Standard", "KROVA"},
        {"bcCode93Full", "Code 93 Extended", "Code 93 Extended", "KROVA"},
        {"bcCode128", "Code 128", "Code 128", "KROVA"},
        {"bcABCCodabar", "AbcCodabar", "AbcCodabar", "ABCCBA"},
        {"bc25Datalogic", "2/5 Datalogic", "2/5 Datalogic, Code25, 2 of 5", "123456"},
        {"bc25Interleaved", "2/5 Interleaved (ITF)", "Code25, 2 of 5, ITF", "123456"},
        {"bc25Matrix", "2/5 Matrix ", "Code25, 2/5 Matrix", "123456"},
        {"bc25Industrial", "2/5 Industrial", "Code25, 2/5 Industrial", "123456"},
        {"bc25IATA", "2/5 IATA", "Code25, 2/5 IATA", "123456"},
        {"bc25Invert", "2/5 INVERT", "Code25, 2/5 INVERT", "123456"},
        {"bcITF", "ITF", "ITF6, ITF14 (SSC14), ITF16", "0977121010700"},
        {"bcISBN", "ISBN (Bookland)", "ISBN (International Standard Book Number)", "80-7226-102"},
        {"bcISSN", "ISSN", "ISSN (International Standard Serial Number)", "80-7226-102"},
        {"bcISMN", "ISMN", "ISMN (International Standard Music Number)", "80-7226-102"},
        {"bcUPCA", "UPC-A", "UPC-A (with or without supplements)", "01234567890"},
        {"bcUPCE0", "UPC-E0", "UPC-E0 (with or without supplements)", "0123456"},
        {"bcUPCE1", "UPC-E1", "UPC-E1 (with or without supplements)", "0123456"},
        {"bcUPCShipping", "UPC-Shipping", "UPC-Shipping", "1234567890123"},
        {"bcJAN8", "JAN8", "Japanese version of  EAN 8", "49123456"},
        {"bcJAN13", "JAN13", "Japanese version of  EAN 13", "491234567890"},
        {"bcMSIPlessey", "MSI/Plessey", "MSI/Plessey (Modified)", ""},
        {"bcPostNet", "PostNet", "PostNet (ZIP, ZIP+4, DPBC)", "123456789"},
        {"bcOPC", "OPC", "OPC (Optical Industry Association)", "1234567897"},
        {"bcEan128", "UCC/EAN 128", "UCC/EAN 128", "EAN 128"},
        {"bc25Coop", "2/5 Coop", "Code25, 2/5 Matrix", "123456"},
        {"bcCode11", "Code 11", "Code 11 (USD-8)", "123456"},
        {"bcPZN", "PZN", "Pharma-Zentral-Nummer", "123456"},
        {"bcQRCode", "QR Code", "QR Code (ISO/IEC 18004), error correction L, M, Q or H",
         "Etikor QR Code 12345"},
        {"bcDataMatrix", "Data Matrix",
         "Data Matrix ECC 200 (ISO/IEC 16022), square or rectangular, GS1 DataMatrix",
         "(01)09501101530003(17)261231(10)AB12"},
        {"bcPDF417", "PDF417", "PDF417 (ISO/IEC 15438), stacked, 1-30 columns, error levels 0-8",
         "Etikor PDF417 12345"},
        {"bcAztec", "Aztec", "Aztec Code (ISO/IEC 24778)", "Etikor Aztec 12345"},
    };
    ASSERT_EQ(std::size(rows), static_cast<size_t>(kBarCodeTypeCount));
    std::vector<std::string> names, idents;
    TCustomEAN::ListTypes(names, true);
    TCustomEAN::ListTypes(idents, false);
    ASSERT_EQ(names.size(), std::size(rows));
    ASSERT_EQ(idents.size(), std::size(rows));
    for (int i = 0; i < kBarCodeTypeCount; ++i) {
        const auto type = static_cast<T>(i);
        const Row& row = rows[i];
        const TBarCodeInfo info = GetBarCodeInfo(type);
        EXPECT_EQ(info.Name, row.name) << i;
        EXPECT_EQ(info.Description, row.description) << i;
        EXPECT_EQ(info.Sample, row.sample) << i;
        EXPECT_FALSE(info.AutoCaption) << i;
        EXPECT_EQ(names[i], row.name);
        EXPECT_EQ(idents[i], row.ident);
        EXPECT_EQ(BarCodeTypeIdent(type), row.ident);
        EXPECT_EQ(BarCodeTypeFromIdent(row.ident), type);
    }
    EXPECT_EQ(BarCodeTypeFromIdent("bcMicroQR"), std::nullopt);
}

TEST(BarCodeInfo, FamilyYearCountryAndSupplement) {
    struct Row {
        T type;
        bool hasFamily;
        T family;
        int year;
        const char* country;
        bool supplement;
    } rows[] = {
        {T::bcEan8, true, T::bcEan13, 1977, "EU", true},
        {T::bcCode39Full, true, T::bcCode39Standard, 1974, "", false},
        {T::bcCode93Full, true, T::bcEan13, 1974, "", false},
        {T::bcCode128, true, T::bcCode128, 1981, "", false},
        {T::bc25Interleaved, true, T::bc25Datalogic, 1972, "", false},
        {T::bc25IATA, true, T::bc25Datalogic, 0, "", false},
        {T::bcITF, true, T::bc25Interleaved, 0, "", false},
        {T::bcUPCShipping, true, T::bc25Interleaved, 0, "", true},
        {T::bcMSIPlessey, true, T::bcEan13, 0, "USA", false},
        {T::bc25Coop, true, T::bc25Matrix, 0, "", false},
        {T::bcCode11, false, T::bcEan8, 0, "", false},
        {T::bcPZN, true, T::bcCode39Standard, 0, "", false},
        {T::bcQRCode, false, T::bcEan8, 1994, "JP", false},
        {T::bcDataMatrix, false, T::bcEan8, 0, "", false},
        {T::bcPDF417, false, T::bcEan8, 1991, "USA", false},
        {T::bcAztec, false, T::bcEan8, 1995, "USA", false},
    };
    for (const auto& row : rows) {
        const TBarCodeInfo info = GetBarCodeInfo(row.type);
        const int i = static_cast<int>(row.type);
        EXPECT_EQ(info.HasFamily(), row.hasFamily) << i;
        EXPECT_EQ(info.Family, row.family) << i;
        EXPECT_EQ(info.Year, row.year) << i;
        EXPECT_EQ(info.Country, row.country) << i;
        EXPECT_EQ(info.Supplement, row.supplement) << i;
    }
}

TEST(BarCodeInfo, CharacterSetsInValueOrder) {
    const std::string digits = "0123456789";
    const std::string code39 = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
    std::string matrixSet = bytes(32, 255);
    for (char undefined : {'\x98', '\x90', '\x88', '\x83', '\x81', '\x7F'})
        matrixSet.erase(matrixSet.find(undefined), 1);
    struct Row {
        T type;
        std::string set;
    } rows[] = {
        {T::bcEan13, digits},
        {T::bcCodabar, "0123456789-$:/.+ABCD"},
        {T::bcCode39Standard, code39},
        {T::bcCode39Full, bytes(32, 126) + Utf8ToCp1250("€")}, // the euro sign is byte 128
        {T::bcCode93Standard, code39 + "&\"()"},
        {T::bcCode93Full, bytes(32, 126)},
        {T::bcCode128, bytes(1, 127)},
        {T::bcABCCodabar, "0123456789-$:/.+ABCD "},
        {T::bcMSIPlessey, "0123456789ABCDEF"},
        {T::bcPostNet, "0123456789ABCDEF"},
        {T::bcOPC, "0123456789ABCDEF"},
        {T::bcEan128, bytes(32, 126) + Utf8ToCp1250("ščťžýáíé")},
        {T::bcCode11, "0123456789-"},
        {T::bcPZN, digits},
        // Every printable character of the code page: no DEL, none of its five undefined bytes.
        {T::bcQRCode, matrixSet},
        {T::bcDataMatrix, matrixSet},
        {T::bcPDF417, matrixSet},
        {T::bcAztec, matrixSet},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(GetBarCodeInfo(row.type).CharSet, row.set) << static_cast<int>(row.type);
        EXPECT_EQ(BarCodeCharSet(row.type), row.set);
        for (int c = 0; c < 256; ++c)
            EXPECT_EQ(InBarCodeCharSet(row.type, static_cast<unsigned char>(c)),
                      row.set.find(static_cast<char>(c)) != std::string::npos)
                << static_cast<int>(row.type) << " byte " << c;
    }
    // The eight EAN-128 letters as Windows-1250 bytes.
    EXPECT_EQ(BarCodeCharSet(T::bcEan128).substr(95), "\x9A\xE8\x9D\x9E\xFD\xE1\xED\xE9");
    EXPECT_EQ(BarCodeCharSet(T::bcCode39Full).back(), '\x80');
    EXPECT_EQ(BarCodeCharSet(T::bcCode128).size(), 127u);
}

TEST(BarCodeInfo, ReadableCharSetShowsControlsWithACaret) {
    TEan ean;
    ean.SetTypBarCode(T::bcCode128);
    const std::string readable = ean.ReadableCharSet();
    EXPECT_EQ(readable.substr(0, 9), "^B ^C ^D "); // codes 1, 2, 3
    EXPECT_EQ(readable.substr(90, 7), "^`   ! ");  // codes 31, 32 (the blank) and 33
    EXPECT_EQ(readable.substr(readable.size() - 4), "~ \x7F ");
    ean.SetTypBarCode(T::bcCodabar);
    EXPECT_EQ(ean.ReadableCharSet(), "0 1 2 3 4 5 6 7 8 9 - $ : / . + A B C D ");
}

} // namespace
} // namespace etikor
