#include "document/FontDescriptor.h"

#include <gtest/gtest.h>

#include <QPalette>

namespace etikor {
namespace {

// A font in a known state that differs from every value the descriptors below set.
TFont StartFont() {
    TFont f;
    f.SetName("Start");
    f.SetSize(30);
    f.SetStyle(fsStrikeOut);
    f.SetPitch(fpVariable);
    f.SetColor(clBlue);
    f.SetCharset(kEastEuropeCharset);
    return f;
}

struct ApplyCase {
    const char* Why;
    const char* Descriptor;
    std::string Name;
    int Size;
    TFontStyles Style;
    TFontPitch Pitch;
    TColor Color;
    int Charset;
};

// Expectations from the descriptor rules: fields cut at "," or ";", trimmed, unreadable
// integers keep the old value, style letters in any case replace the set.
const ApplyCase kApplyCases[] = {
    {"the default descriptor", "Arial,8,,0,clWindowText,1", "Arial", 8, 0, fpDefault, clWindowText, 1},
    {"semicolons, three fields", "Times New Roman;12;bi", "Times New Roman", 12, fsBold | fsItalic,
     fpVariable, clBlue, kEastEuropeCharset},
    {"trimmed name, unreadable size, underline only", "  Courier New  , x , U", "Courier New", 30,
     fsUnderline, fpVariable, clBlue, kEastEuropeCharset},
    {"all styles lower case, mixed with other letters", "A,9,xsubi", "A", 9,
     fsBold | fsItalic | fsUnderline | fsStrikeOut, fpVariable, clBlue, kEastEuropeCharset},
    {"empty name is applied; empty style clears", ",,,", "", 30, 0, fpVariable, clBlue, kEastEuropeCharset},
    {"trailing separator makes no empty field", "Arial,", "Arial", 30, fsStrikeOut, fpVariable, clBlue,
     kEastEuropeCharset},
    {"hex colour and a colour identifier in another case", "A,8,B,2,$00123456,0", "A", 8, fsBold, fpFixed,
     0x00123456, 0},
    {"identifier without regard to case", "A,8,,1,CLRED,238", "A", 8, 0, fpVariable, clRed, 238},
    {"decimal colour; negative numbers are system colours", "A,8,,0,-2147483643,1", "A", 8, 0, fpDefault,
     clWindow, 1},
    {"fields after the sixth are ignored", "A,8,,0,clBlack,1,junk,more", "A", 8, 0, fpDefault, clBlack, 1},
    {"pitch and character set out of range are unreadable", "A,8,,7,clBlack,300", "A", 8, 0, fpVariable,
     clBlack, kEastEuropeCharset},
    {"blanks around numbers", "A, 14 ,b, 2 , clAqua , 0 ", "A", 14, fsBold, fpFixed, clAqua, 0},
};

TEST(FontDescriptor, ApplyTable) {
    for (const auto& c : kApplyCases) {
        SCOPED_TRACE(c.Why);
        TFont f = StartFont();
        ApplyFontDescriptor(c.Descriptor, f);
        EXPECT_EQ(f.Name(), c.Name);
        EXPECT_EQ(f.Size(), c.Size);
        EXPECT_EQ(f.Style(), c.Style);
        EXPECT_EQ(f.Pitch(), c.Pitch);
        EXPECT_EQ(f.Color(), c.Color);
        EXPECT_EQ(f.Charset(), c.Charset);
    }
}

TEST(FontDescriptor, DefaultDescriptorRoundTrips) {
    TFont f = StartFont();
    ApplyFontDescriptor(kDefaultFontDescriptor, f);
    EXPECT_EQ(FontToDescriptor(f), kDefaultFontDescriptor);
}

TEST(FontDescriptor, WritesStylesInOrderAndUnnamedColoursAsHex) {
    TFont f;
    f.SetName("Arial Black");
    f.SetSize(12);
    f.SetStyle(fsStrikeOut | fsUnderline | fsItalic | fsBold);
    f.SetPitch(fpFixed);
    f.SetColor(0x00ABCDEF);
    f.SetCharset(238);
    EXPECT_EQ(FontToDescriptor(f), "Arial Black,12,BIUS,2,$00ABCDEF,238");
    f.SetColor(0x20000000); // a special value that has no identifier
    EXPECT_EQ(FontToDescriptor(f), "Arial Black,12,BIUS,2,$20000000,238");
}

TEST(FontDescriptor, RedByValueIsWrittenByName) {
    TFont f = StartFont();
    ApplyFontDescriptor("A,8,,0,$000000FF,1", f);
    EXPECT_EQ(f.Color(), clRed);
    EXPECT_EQ(FontToDescriptor(f), "A,8,,0,clRed,1");
}

TEST(FontDescriptor, EveryColourRoundTrips) {
    // Named colours: identifier -> value -> identifier, and the descriptor reads its own output.
    const TColor named[] = {clBlack, clMaroon,  clGreen,  clOlive, clNavy, clPurple,
                            clTeal,  clGray,    clSilver, clRed,   clLime, clYellow,
                            clBlue,  clFuchsia, clAqua,   clWhite, clNone};
    int count = 0;
    for (TColor c : named) {
        const std::string ident(ColorIdent(c));
        ASSERT_FALSE(ident.empty()) << std::hex << c;
        EXPECT_EQ(IdentToColor(ident), c) << ident;
        ++count;
    }
    for (TColor n = 0; n <= 24; ++n) {
        const TColor c = kSystemColor + n;
        const std::string ident(ColorIdent(c));
        ASSERT_FALSE(ident.empty()) << n;
        EXPECT_EQ(IdentToColor(ident), c) << ident;
        TFont f;
        f.SetColor(clBlack);
        ApplyFontDescriptor("A,8,,0," + ColorToString(c) + ",1", f);
        EXPECT_EQ(f.Color(), c) << ident;
    }
    // Values without a name.
    for (TColor c : {0x00000001u, 0x00123456u, 0x00FFFFFEu, 0x80000019u, 0xFFFFFFFFu}) {
        const std::string text = ColorToString(c);
        EXPECT_EQ(text.size(), 9u) << text;
        EXPECT_EQ(text[0], '$');
        EXPECT_EQ(StringToColor(text), c) << text;
    }
    EXPECT_EQ(ColorToString(kSystemColor + 8), "clWindowText");
    EXPECT_EQ(ColorToString(clNone), "clNone");
}

TEST(FontDescriptor, BadColourStopsApplyingAfterEarlierFields) {
    TFont f = StartFont();
    int notifications = 0;
    f.OnChange = [&](TFont&) { ++notifications; };
    EXPECT_THROW(ApplyFontDescriptor("Arial,8,B,0,notacolour,1", f), EConvertError);
    EXPECT_EQ(f.Name(), "Arial");
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(f.Style(), fsBold);
    EXPECT_EQ(f.Pitch(), fpDefault);
    EXPECT_EQ(f.Color(), clBlue);
    EXPECT_EQ(f.Charset(), kEastEuropeCharset); // after the failing field
    EXPECT_EQ(notifications, 1);
    EXPECT_TRUE(f.OnChange) << "the handler is restored";
}

TEST(FontDescriptor, BadHexColoursFail) {
    for (const char* colour : {"$", "$123456789", "$12G4", "12x", "clRedd"}) {
        TFont f;
        EXPECT_THROW(ApplyFontDescriptor(std::string("A,8,,0,") + colour, f), EConvertError) << colour;
    }
}

TEST(FontDescriptor, ExactlyOneNotification) {
    // Many properties change, the handler hears once; an empty descriptor changes nothing but
    // still notifies.
    for (const char* d : {"Arial,8,BIUS,2,clRed,0", ""}) {
        TFont f = StartFont();
        const TFont before = f;
        int notifications = 0;
        f.OnChange = [&](TFont&) { ++notifications; };
        ApplyFontDescriptor(d, f);
        EXPECT_EQ(notifications, 1) << d;
        if (*d == 0) {
            EXPECT_TRUE(f == before);
        }
    }
}

TEST(FontDescriptor, SystemColoursUseThePaletteRoles) {
    QPalette p;
    p.setColor(QPalette::Active, QPalette::Text, QColor(1, 2, 3));
    p.setColor(QPalette::Active, QPalette::Base, QColor(4, 5, 6));
    p.setColor(QPalette::Active, QPalette::Highlight, QColor(7, 8, 9));
    p.setColor(QPalette::Active, QPalette::Button, QColor(10, 11, 12));
    p.setColor(QPalette::Active, QPalette::ToolTipBase, QColor(13, 14, 15));
    EXPECT_EQ(ToQColor(clWindowText, p), QColor(1, 2, 3));
    EXPECT_EQ(ToQColor(clWindow, p), QColor(4, 5, 6));
    EXPECT_EQ(ToQColor(clHighlight, p), QColor(7, 8, 9));
    EXPECT_EQ(ToQColor(clBtnFace, p), QColor(10, 11, 12));
    EXPECT_EQ(ToQColor(clInfoBk, p), QColor(13, 14, 15));
    EXPECT_EQ(ToQColor(clNone, p).alpha(), 0);
    // 00BBGGRR: pure red is $000000FF.
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0x00563412), QColor(0x12, 0x34, 0x56));
    for (TColor c : {clRed, clNavy, clSilver, 0x00563412u})
        EXPECT_EQ(FromQColor(ToQColor(c)), c);
}

TEST(FontDescriptor, QFontConversion) {
    TFont f;
    ApplyFontDescriptor("Courier New,11,BU,2,clBlack,238", f);
    const QFont q = ToQFont(f);
    EXPECT_EQ(q.family(), "Courier New");
    EXPECT_EQ(q.pointSize(), 11);
    EXPECT_TRUE(q.bold());
    EXPECT_FALSE(q.italic());
    EXPECT_TRUE(q.underline());
    EXPECT_TRUE(q.fixedPitch());

    TFont back;
    back.SetCharset(238);
    back.SetColor(clRed);
    AssignQFont(q, back);
    EXPECT_EQ(FontToDescriptor(back), "Courier New,11,BU,2,clRed,238");
}

} // namespace
} // namespace etikor
