// Any byte string up to 1,000 bytes, for any symbology and option, gives either a failed check
// (empty pattern, unset anchors) or a non-empty pattern of module characters whose anchors are
// module positions of it; position length + 1 is the column just after the last module,
// where UPC-A and UPC-E place their trailing digit when no blank room follows.

#include "PatternText.h"
#include "barcode/Ean.h"

#include <gtest/gtest.h>

#include <random>

namespace etikor {
namespace {

::testing::AssertionResult sound(const BarcodeEncoding& e, bool checked) {
    const BarcodeMatrix& m = e.Matrix;
    if (!m.Empty() || (checked && e.BarPattern.empty())) {
        // A two-dimensional symbol: a whole matrix, and no bar pattern beside it.
        if (!checked)
            return ::testing::AssertionFailure() << "failed check but a matrix";
        if (!e.BarPattern.empty() || m.Rows <= 0 || m.Columns <= 0 || m.QuietZone < 0 ||
            m.Modules.size() != static_cast<size_t>(m.Rows) * static_cast<size_t>(m.Columns))
            return ::testing::AssertionFailure() << "unsound matrix " << m.Rows << " x " << m.Columns;
        return ::testing::AssertionSuccess();
    }
    const std::string& p = e.BarPattern;
    if (!checked) {
        if (p.empty() && e.Anchors == TextAnchors{})
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "failed check but pattern " << p;
    }
    if (p.empty())
        return ::testing::AssertionFailure() << "passed check but empty pattern";
    if (!test::OnlyModuleCharacters(p))
        return ::testing::AssertionFailure() << "stray character in " << p;
    const TextAnchors& a = e.Anchors;
    for (int anchor : {a.Group1Start, a.Group1End, a.Group2Start, a.Group2End, a.AddOnStart, a.TrailingDigit})
        if (anchor < 0 || anchor > static_cast<int>(p.size()) + 1)
            return ::testing::AssertionFailure()
                   << "anchor " << anchor << " outside " << p.size() << " modules";
    return ::testing::AssertionSuccess();
}

// Texts mostly from the symbology's own characters (so many pass the check) with blanks and
// any byte mixed in, of the lengths the checks care about and some long ones.
std::string randomText(std::mt19937& random, std::string_view set, const std::string& sample, int round) {
    if (round % 3 == 2 && !sample.empty()) {
        // The sample with an add-on of 0, 2 or 5 characters and sometimes one character changed.
        std::string text = sample;
        const size_t addOn = (random() % 3) * 2 + (random() % 2) * 1;
        if (addOn > 0)
            text += ' ';
        for (size_t i = 0; i < addOn; ++i)
            text += static_cast<char>('0' + random() % 10);
        if (random() % 4 == 0)
            text[random() % text.size()] = set[random() % set.size()];
        return text;
    }
    if (round % 3 == 1)
        set = "0123456789"; // most symbologies are numeric
    static const int lengths[] = {0, 1, 2, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};
    size_t length =
        round % 50 == 49 ? random() % 1001 : static_cast<size_t>(lengths[random() % std::size(lengths)]);
    if (round % 7 == 6)
        length = random() % 60;
    std::string text(length, ' ');
    const int mix = static_cast<int>(random() % 4); // 0: set only, 1: some blanks, 2-3: any bytes
    for (char& c : text) {
        const unsigned roll = random() % 100;
        if (mix >= 2 && roll < 5)
            c = static_cast<char>(random() % 256);
        else if (mix >= 1 && roll < 10)
            c = ' ';
        else if (mix == 3 && roll < 15)
            c = '-';
        else
            c = set[random() % set.size()];
    }
    return text;
}

TEST(BarcodeRobustness, EverySymbologyGivesACheckFailureOrASoundPattern) {
    std::mt19937 random(31);
    for (int t = 0; t < kBarCodeTypeCount; ++t) {
        const auto type = static_cast<TTypBarCode>(t);
        TEan ean;
        ean.SetTypBarCode(type);
        const std::string_view set = ean.SetOfChars();
        const std::string sample = ean.BarCode();
        int passed = 0;
        for (int round = 0; round < 1500; ++round) {
            ean.SetShowLabels(round % 2 == 0);
            ean.SetAutoCheckDigit(round % 4 < 2);
            const std::string text = randomText(random, set, sample, round);
            // The text as given to BuildPattern, and as stored through BarCode (normalised).
            const BarcodeEncoding raw = ean.BuildPattern(text);
            const bool rawOk = ean.LastPaintError() == TLastPaintError::erOK;
            ASSERT_TRUE(sound(raw, rawOk)) << "type " << t << " text '" << text << "'";
            ean.SetBarCode(text);
            const BarcodeEncoding stored = ean.BuildPattern(ean.BarCode());
            const bool storedOk = ean.LastPaintError() == TLastPaintError::erOK;
            ASSERT_TRUE(sound(stored, storedOk)) << "type " << t << " stored '" << ean.BarCode() << "'";
            passed += storedOk;
            if (storedOk && IsMatrixType(type)) {
                ASSERT_EQ(ean.MinimumWidth(), stored.Matrix.TotalColumns());
                ASSERT_EQ(ean.MinimumHeight(), stored.Matrix.TotalRows());
            } else if (storedOk) {
                ASSERT_EQ(ean.MinimumWidth(), static_cast<int>(stored.BarPattern.size()) + 1);
            }
        }
        // The generator reaches the encoders, not only the checks.
        EXPECT_GT(passed, 30) << "type " << t << " passed " << passed;
    }
}

} // namespace
} // namespace etikor
