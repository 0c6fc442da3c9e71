// PostNet: a full frame bar, five bars per digit, the optional correction digit that brings the
// sum of all digits to a multiple of ten (USPS Publication 25), a closing frame bar. Each bar
// is one module followed by a one-module space; half bars are 'M'.

#include "PatternText.h"
#include "barcode/Encoders.h"

#include <gtest/gtest.h>

#include <random>

namespace etikor::test {
namespace {

// The published PostNet table, F full bar and H half bar.
constexpr std::string_view kDigitBars[] = {"FFHHH", "HHHFF", "HHFHF", "HHFFH", "HFHHF",
                                           "HFHFH", "HFFHH", "FHHHF", "FHHFH", "FHFHH"};
constexpr std::string_view kFrame = "F";

// Frame, the bars of `digits`, frame; every bar with its space, the last space dropped.
std::string PostNetPattern(std::string_view digits) {
    std::string bars(kFrame);
    for (char d : digits)
        bars += kDigitBars[d - '0'];
    bars += kFrame;
    std::string pattern;
    for (char bar : bars)
        pattern += bar == 'F' ? "10" : "M0";
    pattern.pop_back();
    return pattern;
}

EncoderOptions WithCheckDigit(bool on) {
    EncoderOptions options;
    options.AutoCheckDigit = on;
    return options;
}

struct Row {
    std::string_view text;
    bool autoCheckDigit;
    std::string_view encodedDigits; // the text and, when on, its correction digit
    int bars;
};

TEST(PostNet, FrameDigitsCorrectionDigitFrame) {
    const Row rows[] = {
        {"12345", true, "123455", 32},             // ZIP, 1+2+3+4+5 = 15: correction 5; 1 + 6 x 5 + 1 bars
        {"12345", false, "12345", 27},             // the same without the correction digit
        {"555551237", true, "5555512372", 52},     // ZIP+4, sum 38: correction 2
        {"55555123799", true, "555551237994", 62}, // delivery point, sum 56: correction 4
        {"00000", true, "000000", 32},             // sum 0: correction 0, not 10
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const BarcodeEncoding encoding = EncodePostNet(row.text, WithCheckDigit(row.autoCheckDigit));
        EXPECT_EQ(encoding.BarPattern, PostNetPattern(row.encodedDigits));
        EXPECT_EQ(CountBars(encoding.BarPattern), row.bars);
        EXPECT_EQ(encoding.Anchors, TextAnchors{}); // PostNet shows no text
    }
    // Written out once by hand: frame, 0 = full full half half half, frame.
    EXPECT_EQ(EncodePostNet("0", WithCheckDigit(false)).BarPattern, "10"
                                                                    "1010M0M0M0"
                                                                    "1");
}

// The catalogue set lets A-F through the character check, but PostNet has bars for digits
// only: the barcode object refuses the first letter, and the encoder alone draws nothing.
TEST(PostNet, LettersAreNotEncodable) {
    struct Case {
        std::string_view text;
        int position;
    };
    const Case cases[] = {{"12345", 0}, {"12A45", 3}, {"F2345", 1}, {"1234567890F", 11}, {"", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(PostNetUnencodablePosition(c.text), c.position);
        if (c.position != 0) {
            EXPECT_EQ(EncodePostNet(c.text, WithCheckDigit(true)).BarPattern, "");
        }
    }
}

TEST(PostNet, AnyTextGivesAWellFormedPatternOrNone) {
    std::mt19937 random(26);
    std::uniform_int_distribution<int> length(0, 30);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> digit('0', '9');
    for (int round = 0; round < 2000; ++round) {
        std::string text(static_cast<size_t>(length(random)), '\0');
        for (char& c : text)
            c = static_cast<char>(round % 2 == 0 ? digit(random) : byte(random));
        for (bool check : {true, false}) {
            const BarcodeEncoding encoding = EncodePostNet(text, WithCheckDigit(check));
            ASSERT_EQ(encoding.BarPattern.find_first_not_of("01M"), std::string::npos) << text;
            ASSERT_EQ(encoding.Anchors, TextAnchors{});
            if (round % 2 == 0 && !text.empty()) {
                ASSERT_EQ(CountBars(encoding.BarPattern), 2 + 5 * static_cast<int>(text.size() + check));
            }
        }
    }
}

} // namespace
} // namespace etikor::test
