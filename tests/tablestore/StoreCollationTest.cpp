// Case-insensitive sorting follows the user's locale: Qt's collator installed at start-up, or
// the fixed order when none is installed.

#include "tablestore/StoreTable.h"

#include "StoreTableSupport.h"
#include "data/Cp1250.h"
#include "data/TextCollation.h"
#include "services/LocaleCollation.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace etikor {
namespace {

using namespace etikor::test;

class StoreCollation : public StoreTest {
protected:
    void TearDown() override { SetTextCollation({}); }

    // The words sorted case-insensitively by a table, as UTF-8.
    static Texts Sorted(const std::vector<std::string>& utf8Words) {
        TStoreTable t;
        MakeTable(t, {{"Szo", TFieldType::ftString, 40}});
        for (const std::string& word : utf8Words)
            AddRow(t, {Utf8ToCp1250(word)});
        t.SetIndexFieldNames("Szo");
        t.SetSortOptions(ssoCaseInsensitive);
        Texts sorted;
        for (const std::string& word : Column(t, "Szo"))
            sorted.push_back(Cp1250ToUtf8(word));
        return sorted;
    }
};

const std::vector<std::string> kWords = {"cukor", "B", "ac", "abc1", "_x", "áb", "csak", "abc-1", "a"};

// Hungarian: accents count only between otherwise equal words (áb before abc and ac),
// punctuation first, "cs" a letter of its own after "c" (cukor before csak), ö and ő one letter after o.
TEST_F(StoreCollation, HungarianLocale) {
    SetTextCollation(LocaleCollation(QLocale(QLocale::Hungarian, QLocale::Hungary)));
    EXPECT_EQ(Sorted(kWords), (Texts{"_x", "a", "áb", "abc-1", "abc1", "ac", "B", "cukor", "csak"}));
    EXPECT_EQ(Sorted({"őr", "ötven", "ok", "Ők", "óra", "ülés", "ügy", "űr", "uborka", "Zsák", "zab"}),
              (Texts{"ok", "óra", "Ők", "őr", "ötven", "uborka", "ügy", "ülés", "űr", "zab", "Zsák"}));
    // Letter case alone makes no difference.
    EXPECT_EQ(CompareTextCI(Utf8ToCp1250("ÁRVÍZ"), Utf8ToCp1250("árvíz")), 0);
    EXPECT_LT(CompareTextCI(Utf8ToCp1250("árvíz"), Utf8ToCp1250("árvízi")), 0);
}

// Without an installed collation the fixed order gives the same answers where it can (no
// digraphs).
TEST_F(StoreCollation, FixedOrderWithoutALocale) {
    ASSERT_FALSE(HasTextCollation());
    EXPECT_EQ(Sorted(kWords), (Texts{"_x", "a", "áb", "abc-1", "abc1", "ac", "B", "csak", "cukor"}));
    EXPECT_EQ(Sorted({"őr", "ötven", "ok", "Ők", "óra", "ülés", "ügy", "űr", "uborka"}),
              (Texts{"ok", "óra", "Ők", "őr", "ötven", "uborka", "ügy", "ülés", "űr"}));
}

// As the program starts on a user's desktop: the system locale's collation (the fixed order
// under the C locale, which Qt's collator would compare by code) puts punctuation first and
// accents after the letters.
TEST_F(StoreCollation, SystemLocaleAtStartUp) {
    InstallSystemCollation();
    EXPECT_EQ(HasTextCollation(), QLocale::system().language() != QLocale::C);
    const Texts sorted = Sorted({"ac", "áb", "_x", "a"});
    EXPECT_EQ(sorted.front(), "_x");
    EXPECT_EQ(sorted[1], "a");
    EXPECT_EQ(sorted[2], "áb");
}

} // namespace
} // namespace etikor
