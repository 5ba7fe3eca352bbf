// Word splitting and matching of the file search dialog (Unit5). Texts are UTF-8; matching is plain byte
// containment, with no case or width folding.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialogs {

// A search accepts at most this many words.
constexpr std::size_t MaxSearchWords = 20;

// The words of the last split, from index 0 up to the first empty entry. One slot more than the word limit, so
// that the word that breaks the limit is stored before the text is refused.
using SearchWordArray = std::array<std::string, MaxSearchWords + 1>;

enum class DevideResult {
    Split,         // words holds the words of the text (possibly none, for a text of spaces only)
    Empty,         // the text was empty; words keeps its previous content
    TooManyWords,  // a 21st word ended; words holds the first 21 words. The dialog shows "検索ワードが多すぎます。"
};

enum class SearchMode { And, Or, Perfect };

// Splits text into words at half-width and full-width spaces (runs of them give no empty words).
DevideResult DevideString(std::string_view text, SearchWordArray& words);

// Number of words, counted from index 0 up to the first empty entry.
std::size_t CountSearchWords(const SearchWordArray& words);

// True when word occurs in name as one contiguous run of bytes; an empty word occurs nowhere.
bool ContainsWord(std::string_view name, std::string_view word);

// AND search: name contains every word; false when there are no words.
bool ContainsAllWords(std::string_view name, const SearchWordArray& words);

// OR search: name contains at least one word; false when there are no words.
bool ContainsAnyWord(std::string_view name, const SearchWordArray& words);

// Whole-phrase search: name contains the text as typed, spaces included; an empty text matches nothing.
bool ContainsPhrase(std::string_view name, std::string_view text);

// Where a search starts: the first item when starting afresh ("検索"), otherwise the item after the selected one
// (selectedIndex < 0: nothing selected, so the first item).
std::size_t SearchStartIndex(bool startFromTop, int selectedIndex);

// Index of the first name at or after start that matches; no wrap to the top. nullopt when none matches, also when
// start lies past the last name.
std::optional<std::size_t> FindNextHit(const std::vector<std::string>& names, std::size_t start,
                                       const std::function<bool(std::string_view)>& matches);

struct SearchOutcome {
    enum class Kind {
        Hit,           // index is the matching item
        NotFound,      // the dialog shows "ファイルが見つかりませんでした。"
        NothingTyped,  // AND/OR with an empty text: nothing at all happens
        TooManyWords,  // AND/OR with more than 20 words: the dialog shows "検索ワードが多すぎます。"
    };
    Kind kind;
    std::size_t index;  // valid for Hit only
};

// One press of the search button: splits the text for AND/OR (into words, the dialog's shared word table), then
// tests the names from start on.
SearchOutcome SearchNames(SearchMode mode, std::string_view text, const std::vector<std::string>& names,
                          std::size_t start, SearchWordArray& words);

}  // namespace dialogs
