#pragma once

// Random byte strings for checking that an encoder is total: whatever it is given, it returns
// an empty pattern or a well-formed one, never reads outside its tables.

#include "PatternText.h"
#include "barcode/BarcodeTypes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace etikor::test {

// Texts of 0..maxLength bytes (every tenth up to 1,000 bytes); half of them drawn from `alphabet` only (so
// that most of those encode), the other half with any byte value mixed in.
inline std::vector<std::string> RandomTexts(std::string_view alphabet, int count = 3000, int maxLength = 60) {
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> length(0, maxLength);
    std::uniform_int_distribution<int> longLength(maxLength, 1000); // the longest text the engine takes
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::vector<std::string> texts;
    texts.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<size_t>(i % 10 == 9 ? longLength(random) : length(random)), '\0');
        for (char& c : text)
            c = (i % 2 == 0 || byte(random) < 200) ? alphabet[pick(random)] : static_cast<char>(byte(random));
        texts.push_back(std::move(text));
    }
    return texts;
}

// Empty with unset anchors, or only module characters with every anchor inside the pattern.
inline ::testing::AssertionResult WellFormed(const BarcodeEncoding& encoding) {
    const std::string& p = encoding.BarPattern;
    if (p.empty()) {
        if (encoding.Anchors == TextAnchors{})
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "empty pattern with anchors " << ::testing::PrintToString(encoding.Anchors);
    }
    if (!OnlyModuleCharacters(p))
        return ::testing::AssertionFailure() << "stray character in " << p;
    const TextAnchors& a = encoding.Anchors;
    for (int anchor : {a.Group1Start, a.Group1End, a.Group2Start, a.Group2End, a.AddOnStart, a.TrailingDigit})
        if (anchor < 0 || anchor >= static_cast<int>(p.size()))
            return ::testing::AssertionFailure()
                   << "anchors " << ::testing::PrintToString(a) << " outside " << p.size() << " modules";
    if (a.Group1Start > a.Group1End)
        return ::testing::AssertionFailure() << "text group reversed: " << ::testing::PrintToString(a);
    return ::testing::AssertionSuccess();
}

} // namespace etikor::test
