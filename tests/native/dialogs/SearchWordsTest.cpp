#include "dialogs/rules/SearchWords.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using dialogs::DevideResult;
using dialogs::DevideString;
using dialogs::SearchMode;
using dialogs::SearchOutcome;
using dialogs::SearchWordArray;

// The words of a split, from index 0 up to the first empty entry.
std::vector<std::string> Words(const SearchWordArray& words) {
    return std::vector<std::string>(words.begin(), words.begin() + dialogs::CountSearchWords(words));
}

std::vector<std::string> Split(const std::string& text) {
    SearchWordArray words;
    EXPECT_EQ(DevideString(text, words), DevideResult::Split) << text;
    return Words(words);
}

std::string NumberedWords(int count, const std::string& separator) {
    std::string text;
    for (int k = 1; k <= count; ++k) text += (k > 1 ? separator : "") + ("w" + std::to_string(k));
    return text;
}

TEST(DevideString, HalfAndFullWidthSpacesSeparateAlike) {
    const std::vector<std::string> expected = {"report", "2023"};
    EXPECT_EQ(Split("report 2023"), expected);
    EXPECT_EQ(Split("report　2023"), expected);
    EXPECT_EQ(Split("report   2023"), expected);
    EXPECT_EQ(Split("report 　　 2023"), expected);
    EXPECT_EQ(Split("  report 2023"), expected);
    EXPECT_EQ(Split("report 2023  "), expected);
    EXPECT_EQ(Split("　report　2023　"), expected);
}

TEST(DevideString, TabsAndOtherCharactersAreNoSeparators) {
    EXPECT_EQ(Split("a\tb"), std::vector<std::string>{"a\tb"});
    EXPECT_EQ(Split("ソフト 表示"), (std::vector<std::string>{"ソフト", "表示"}));
    EXPECT_EQ(Split("x"), std::vector<std::string>{"x"});
}

TEST(DevideString, CharactersThatShareBytesWithTheFullWidthSpaceDoNotSeparate) {
    // "「" is E3 80 8C and "、" E3 80 81: they begin like the full-width space (E3 80 80) and are no space.
    EXPECT_EQ(Split("「メモ」"), std::vector<std::string>{"「メモ」"});
    EXPECT_EQ(Split("a、b　c"), (std::vector<std::string>{"a、b", "c"}));
    // A space cut short at the end of the text stays with its word.
    EXPECT_EQ(Split("a \xE3\x80"), (std::vector<std::string>{"a", "\xE3\x80"}));
}

TEST(DevideString, EmptyTextIsRefusedAndKeepsTheWords) {
    SearchWordArray words;
    ASSERT_EQ(DevideString("old words", words), DevideResult::Split);
    EXPECT_EQ(DevideString("", words), DevideResult::Empty);
    EXPECT_EQ(Words(words), (std::vector<std::string>{"old", "words"}));
}

TEST(DevideString, SpacesOnlyGiveNoWordsAndClearTheOldOnes) {
    SearchWordArray words;
    ASSERT_EQ(DevideString("a b c", words), DevideResult::Split);
    EXPECT_EQ(DevideString("   ", words), DevideResult::Split);
    EXPECT_TRUE(Words(words).empty());
    ASSERT_EQ(DevideString("a b c", words), DevideResult::Split);
    EXPECT_EQ(DevideString("　 　", words), DevideResult::Split);
    EXPECT_TRUE(Words(words).empty());
    ASSERT_EQ(DevideString("a b c", words), DevideResult::Split);
    EXPECT_EQ(DevideString("d", words), DevideResult::Split);
    EXPECT_EQ(Words(words), std::vector<std::string>{"d"});
}

TEST(DevideString, TwentyWordsAreAccepted) {
    for (const std::string separator : {" ", "　", "  　 "}) {
        SearchWordArray words;
        ASSERT_EQ(DevideString(NumberedWords(20, separator) + separator, words), DevideResult::Split);
        ASSERT_EQ(dialogs::CountSearchWords(words), 20u);
        EXPECT_EQ(words[0], "w1");
        EXPECT_EQ(words[19], "w20");
    }
}

TEST(DevideString, TheTwentyFirstWordIsRefusedOnceItEnds) {
    for (const std::string tail : {"", " ", "　", " w22 w23"}) {
        SearchWordArray words;
        EXPECT_EQ(DevideString(NumberedWords(21, " ") + tail, words), DevideResult::TooManyWords) << tail;
        // The words up to the one that broke the limit are stored, and nothing after it.
        EXPECT_EQ(dialogs::CountSearchWords(words), 21u);
        EXPECT_EQ(words[0], "w1");
        EXPECT_EQ(words[20], "w21");
    }
}

TEST(SearchWords, AndOrAndPhraseMatching) {
    SearchWordArray words;
    ASSERT_EQ(DevideString("report 2023", words), DevideResult::Split);
    EXPECT_TRUE(dialogs::ContainsAllWords("report_2023.txt", words));
    EXPECT_TRUE(dialogs::ContainsAllWords("2023report.doc", words));
    EXPECT_FALSE(dialogs::ContainsAllWords("report.txt", words));
    EXPECT_TRUE(dialogs::ContainsAnyWord("report_2023.txt", words));
    EXPECT_TRUE(dialogs::ContainsAnyWord("2023report.doc", words));
    EXPECT_TRUE(dialogs::ContainsAnyWord("report.txt", words));
    EXPECT_FALSE(dialogs::ContainsAnyWord("memo.txt", words));

    EXPECT_TRUE(dialogs::ContainsPhrase("report 2023.txt", "report 2023"));
    EXPECT_FALSE(dialogs::ContainsPhrase("report_2023.txt", "report 2023"));
    EXPECT_FALSE(dialogs::ContainsPhrase("report.txt", ""));
    EXPECT_TRUE(dialogs::ContainsPhrase("a  b.txt", "  "));
}

TEST(SearchWords, MatchingIsPlainByteContainment) {
    SearchWordArray words;
    ASSERT_EQ(DevideString("Report", words), DevideResult::Split);
    EXPECT_FALSE(dialogs::ContainsAllWords("report.txt", words));
    EXPECT_FALSE(dialogs::ContainsAnyWord("report.txt", words));
    EXPECT_FALSE(dialogs::ContainsPhrase("report.txt", "Report"));
    // No width folding: full-width "ｒ" is not "r".
    EXPECT_FALSE(dialogs::ContainsWord("report.txt", "ｒｅｐｏｒｔ"));
    // In UTF-8 no character's bytes hold another character: "ア" (E3 82 A2) holds no "A", and a word is found only
    // where its characters stand.
    EXPECT_FALSE(dialogs::ContainsWord("ア.txt", "A"));
    EXPECT_TRUE(dialogs::ContainsWord("アイ.txt", "イ"));
    EXPECT_FALSE(dialogs::ContainsWord("report.txt", ""));
}

TEST(SearchWords, NoWordsMatchNothing) {
    SearchWordArray words;
    ASSERT_EQ(DevideString("  ", words), DevideResult::Split);
    EXPECT_FALSE(dialogs::ContainsAllWords("a  b.txt", words));
    EXPECT_FALSE(dialogs::ContainsAnyWord("a  b.txt", words));
}

TEST(SearchStep, StepsFromHitToHitWithoutWrap) {
    const std::vector<std::string> names = {"a1.txt", "b1.txt", "c1.txt"};
    for (const SearchMode mode : {SearchMode::And, SearchMode::Or, SearchMode::Perfect}) {
        SearchWordArray words;
        // First press ("検索"): from the top, even with an item selected.
        auto outcome = dialogs::SearchNames(mode, "1", names, dialogs::SearchStartIndex(true, 2), words);
        ASSERT_EQ(outcome.kind, SearchOutcome::Kind::Hit);
        EXPECT_EQ(outcome.index, 0u);
        outcome = dialogs::SearchNames(mode, "1", names, dialogs::SearchStartIndex(false, 0), words);
        ASSERT_EQ(outcome.kind, SearchOutcome::Kind::Hit);
        EXPECT_EQ(outcome.index, 1u);
        outcome = dialogs::SearchNames(mode, "1", names, dialogs::SearchStartIndex(false, 1), words);
        ASSERT_EQ(outcome.kind, SearchOutcome::Kind::Hit);
        EXPECT_EQ(outcome.index, 2u);
        outcome = dialogs::SearchNames(mode, "1", names, dialogs::SearchStartIndex(false, 2), words);
        EXPECT_EQ(outcome.kind, SearchOutcome::Kind::NotFound);
        outcome = dialogs::SearchNames(mode, "1", names, dialogs::SearchStartIndex(true, 2), words);
        ASSERT_EQ(outcome.kind, SearchOutcome::Kind::Hit);
        EXPECT_EQ(outcome.index, 0u);
    }
}

TEST(SearchStep, StartIndexAndRangeEdges) {
    EXPECT_EQ(dialogs::SearchStartIndex(false, -1), 0u);
    const std::vector<std::string> names = {"a.txt", "b.txt"};
    const auto any = [](std::string_view) { return true; };
    EXPECT_EQ(dialogs::FindNextHit(names, 1, any), std::optional<std::size_t>(1));
    EXPECT_EQ(dialogs::FindNextHit(names, 2, any), std::nullopt);
    EXPECT_EQ(dialogs::FindNextHit(names, 7, any), std::nullopt);
    EXPECT_EQ(dialogs::FindNextHit({}, 0, any), std::nullopt);
}

TEST(SearchStep, OutcomesOfTheThreeModesForOddTexts) {
    const std::vector<std::string> names = {"a  b.txt", "report.txt"};
    SearchWordArray words;
    EXPECT_EQ(dialogs::SearchNames(SearchMode::And, "", names, 0, words).kind, SearchOutcome::Kind::NothingTyped);
    EXPECT_EQ(dialogs::SearchNames(SearchMode::Or, "", names, 0, words).kind, SearchOutcome::Kind::NothingTyped);
    EXPECT_EQ(dialogs::SearchNames(SearchMode::Perfect, "", names, 0, words).kind, SearchOutcome::Kind::NotFound);

    EXPECT_EQ(dialogs::SearchNames(SearchMode::And, "  ", names, 0, words).kind, SearchOutcome::Kind::NotFound);
    EXPECT_EQ(dialogs::SearchNames(SearchMode::Or, "  ", names, 0, words).kind, SearchOutcome::Kind::NotFound);
    const auto phrase = dialogs::SearchNames(SearchMode::Perfect, "  ", names, 0, words);
    ASSERT_EQ(phrase.kind, SearchOutcome::Kind::Hit);
    EXPECT_EQ(phrase.index, 0u);

    const std::string many = NumberedWords(21, " ");
    EXPECT_EQ(dialogs::SearchNames(SearchMode::And, many, names, 0, words).kind, SearchOutcome::Kind::TooManyWords);
    EXPECT_EQ(dialogs::SearchNames(SearchMode::Or, many, names, 0, words).kind, SearchOutcome::Kind::TooManyWords);
    // The whole phrase has no word limit.
    EXPECT_EQ(dialogs::SearchNames(SearchMode::Perfect, many, names, 0, words).kind, SearchOutcome::Kind::NotFound);

    const auto orHit = dialogs::SearchNames(SearchMode::Or, "zzz report", names, 0, words);
    ASSERT_EQ(orHit.kind, SearchOutcome::Kind::Hit);
    EXPECT_EQ(orHit.index, 1u);
}

// The text with every space character (half- or full-width, standing as a character of its own) removed.
std::string WithoutSeparators(std::string_view s) {
    std::string rest;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == ' ') continue;
        if (s.substr(i, 3) == "\xE3\x80\x80") {
            i += 2;
            continue;
        }
        rest += s[i];
    }
    return rest;
}

TEST(DevideString, FuzzedTextsSplitSanely) {
    // Bytes that matter to the splitting, weighted towards spaces and the bytes of a full-width space.
    const unsigned char alphabet[] = {0x20, 0x20, 0x20, 0xE3, 0xE3, 0x80, 0x80, 0x80, 'a', 'b', '\\', '|', 0x8C,
                                      0x81, 0xA2, 0xC3, 0xA9, 0x7F, 0xF0, 0x9F, 0x98, 0x00, '\t'};
    std::mt19937 random(20230815u);
    std::uniform_int_distribution<std::size_t> pickLength(0, 90);
    std::uniform_int_distribution<std::size_t> pickByte(0, sizeof alphabet - 1);
    for (int round = 0; round < 20000; ++round) {
        const std::size_t length = pickLength(random);
        // An exact-size heap block, so that a read past the text is caught.
        std::unique_ptr<char[]> block(new char[length == 0 ? 1 : length]);
        for (std::size_t i = 0; i < length; ++i) block[i] = static_cast<char>(alphabet[pickByte(random)]);
        const std::string_view text(block.get(), length);

        SearchWordArray words;
        words[0] = "stale";
        const DevideResult result = DevideString(text, words);
        SCOPED_TRACE(testing::PrintToString(std::string(text)));
        if (text.empty()) {
            ASSERT_EQ(result, DevideResult::Empty);
            ASSERT_EQ(words[0], "stale");
            continue;
        }
        ASSERT_NE(result, DevideResult::Empty);
        const std::size_t count = dialogs::CountSearchWords(words);
        std::string joined;
        for (std::size_t k = 0; k < count; ++k) joined += words[k];
        for (std::size_t k = count; k < words.size(); ++k) ASSERT_TRUE(words[k].empty());
        const std::string rest = WithoutSeparators(text);
        if (result == DevideResult::Split) {
            ASSERT_LE(count, 20u);
            ASSERT_EQ(joined, rest);
        } else {
            ASSERT_EQ(count, 21u);
            ASSERT_EQ(rest.compare(0, joined.size(), joined), 0);
        }
        // Each word is whole: split again, it stays one word.
        for (std::size_t k = 0; k < count; ++k) {
            SearchWordArray again;
            ASSERT_EQ(DevideString(words[k], again), DevideResult::Split);
            ASSERT_EQ(dialogs::CountSearchWords(again), 1u);
            ASSERT_EQ(again[0], words[k]);
        }
    }
}

}  // namespace
