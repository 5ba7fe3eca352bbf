#include "app/rules/NameFilter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using app::FilterWords;
using app::NameFilter;

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    for (std::string_view w : FilterWords(text)) words.emplace_back(w);
    return words;
}

int foldCalls = 0;

// Stands in for the system's folding: ASCII letters in lower case, counted.
std::string CountedLowerAscii(std::string_view text) {
    ++foldCalls;
    return app::LowerAscii(text);
}

// The names of matches, for readable failures.
std::vector<std::string> NamesOf(const NameFilter& filter, const std::vector<std::size_t>& indices) {
    std::vector<std::string> names;
    for (std::size_t i : indices) names.emplace_back(filter.Name(i));
    return names;
}

TEST(FilterWords, HalfAndFullWidthSpacesSeparateAndRunsGiveNoEmptyWords) {
    EXPECT_EQ(Words("めも 2026"), (std::vector<std::string>{"めも", "2026"}));
    EXPECT_EQ(Words("めも　2026"), (std::vector<std::string>{"めも", "2026"}));
    EXPECT_EQ(Words("　 めも  　2026 "), (std::vector<std::string>{"めも", "2026"}));
    EXPECT_TRUE(Words(" 　 ").empty());
    EXPECT_TRUE(Words("").empty());
    // Characters whose UTF-8 starts like the full-width space's (E3 80 ..) are no blanks.
    EXPECT_EQ(Words("会議、メモ。"), (std::vector<std::string>{"会議、メモ。"}));
    EXPECT_EQ(Words("a\tb"), (std::vector<std::string>{"a\tb"})) << "a tab is no separator";
}

TEST(FilterWords, ANameHoldsEveryWordInAnyOrderOrDoesNotMatch) {
    const std::string name = "会議めも 2026.txt";
    EXPECT_TRUE(app::HoldsEveryWord(name, FilterWords("2026 めも")));
    EXPECT_TRUE(app::HoldsEveryWord(name, FilterWords("")));
    EXPECT_FALSE(app::HoldsEveryWord(name, FilterWords("めも 2027")));
    EXPECT_FALSE(app::HoldsEveryWord(name, FilterWords("めも2026"))) << "the words are not joined";
}

TEST(FilterWords, OnlyTextThatCompositionCouldChangeIsComposed) {
    EXPECT_FALSE(app::MayChangeUnderComposition(u"memo é.txt"));
    EXPECT_FALSE(app::MayChangeUnderComposition(u"会議メモ がいど ﾒﾓ ＭＥＭＯ　.txt"));
    EXPECT_TRUE(app::MayChangeUnderComposition(u"か\u3099いど.txt")) << "the combining voiced mark";
    EXPECT_TRUE(app::MayChangeUnderComposition(u"\u304B\u309A")) << "the combining semi-voiced mark";
    EXPECT_TRUE(app::MayChangeUnderComposition(u"cafe\u0301.txt"));
    EXPECT_TRUE(app::MayChangeUnderComposition(u"\u1100\u1161")) << "Hangul jamo";
    EXPECT_TRUE(app::MayChangeUnderComposition(u"\uF900")) << "a compatibility ideograph";
}

TEST(NameFilter, MatchesComeInTheListsOrderAndEachNameIsFoldedOnce) {
    NameFilter filter(CountedLowerAscii);
    // The list shows b, then c, then a.
    filter.Assign({"Report 2026.txt", "memo.txt", "MEMO 2026.txt"}, {1, 2, 0});
    foldCalls = 0;
    EXPECT_TRUE(filter.Narrow("Memo"));
    EXPECT_EQ(NamesOf(filter, filter.Matches()), (std::vector<std::string>{"memo.txt", "MEMO 2026.txt"}));
    EXPECT_EQ(foldCalls, 3 + 1) << "three names and the text";
    EXPECT_TRUE(filter.Narrow("memo 2026"));
    EXPECT_EQ(NamesOf(filter, filter.Matches()), (std::vector<std::string>{"MEMO 2026.txt"}));
    EXPECT_FALSE(filter.Narrow("memo 2026.")) << "the same name again";
    EXPECT_TRUE(filter.Narrow("2026"));
    EXPECT_EQ(NamesOf(filter, filter.Matches()), (std::vector<std::string>{"MEMO 2026.txt", "Report 2026.txt"}));
    EXPECT_EQ(foldCalls, 3 + 4) << "the names were not folded again";

    filter.Assign({"x.txt"}, {0});
    EXPECT_TRUE(filter.Narrow("2026"));
    EXPECT_TRUE(filter.Matches().empty());
    EXPECT_EQ(foldCalls, 3 + 4 + 1 + 1) << "a new fill is folded anew";
}

// Narrowing a text typed and taken back key by key gives what looking at every name gives.
TEST(NameFilter, NarrowingKeyByKeyFindsWhatAFreshLookFinds) {
    std::mt19937 random(29);
    const std::string alphabet = "abAB ";
    auto randomText = [&](std::size_t maxLength) {
        std::string s(random() % (maxLength + 1), ' ');
        for (char& c : s) c = alphabet[random() % alphabet.size()];
        return s;
    };
    std::vector<std::string> names;
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < 200; ++i) {
        names.push_back(randomText(8));
        order.push_back(199 - i);
    }
    NameFilter filter(app::LowerAscii);
    filter.Assign(names, order);
    std::string text;
    for (int key = 0; key < 2000; ++key) {
        if (!text.empty() && random() % 3 == 0) text.pop_back();
        else if (text.size() < 6) text += alphabet[random() % alphabet.size()];
        else text.clear();
        filter.Narrow(text);
        std::vector<std::string> expected;
        for (std::size_t i : order) {
            if (app::HoldsEveryWord(app::LowerAscii(names[i]), FilterWords(app::LowerAscii(text))))
                expected.push_back(names[i]);
        }
        ASSERT_EQ(NamesOf(filter, filter.Matches()), expected) << "text \"" << text << "\"";
    }
}

}  // namespace
