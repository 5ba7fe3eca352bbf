#include "dialogs/rules/SearchWords.h"

namespace dialogs {

namespace {

constexpr std::string_view HalfWidthSpace = " ";
constexpr std::string_view FullWidthSpace = "\xE3\x80\x80";  // U+3000

}  // namespace

DevideResult DevideString(std::string_view text, SearchWordArray& words) {
    if (text.empty()) return DevideResult::Empty;
    for (auto& w : words) w.clear();

    std::size_t count = 0;
    std::size_t wordStart = 0;
    // Ends the word before a separator at index end; a run of separators gives no empty words.
    auto endWord = [&](std::size_t end) {
        if (end > wordStart) words[count++] = std::string(text.substr(wordStart, end - wordStart));
        return count > MaxSearchWords;
    };

    // In UTF-8 no character's bytes hold another character's, so each space is found by its own bytes.
    std::size_t i = 0;
    while (i < text.size()) {
        const std::string_view rest = text.substr(i);
        const std::size_t length = rest.substr(0, 1) == HalfWidthSpace         ? HalfWidthSpace.size()
                                   : rest.substr(0, 3) == FullWidthSpace      ? FullWidthSpace.size()
                                                                                : 0;
        if (length > 0) {
            if (endWord(i)) return DevideResult::TooManyWords;
            wordStart = i + length;
        }
        i += length > 0 ? length : 1;
    }
    // The end of the text ends the last word, whatever its last character is.
    if (endWord(text.size())) return DevideResult::TooManyWords;
    return DevideResult::Split;
}

std::size_t CountSearchWords(const SearchWordArray& words) {
    std::size_t n = 0;
    while (n < words.size() && !words[n].empty()) ++n;
    return n;
}

bool ContainsWord(std::string_view name, std::string_view word) {
    return !word.empty() && name.find(word) != std::string_view::npos;
}

bool ContainsAllWords(std::string_view name, const SearchWordArray& words) {
    const std::size_t n = CountSearchWords(words);
    if (n == 0) return false;
    for (std::size_t k = 0; k < n; ++k) {
        if (!ContainsWord(name, words[k])) return false;
    }
    return true;
}

bool ContainsAnyWord(std::string_view name, const SearchWordArray& words) {
    const std::size_t n = CountSearchWords(words);
    for (std::size_t k = 0; k < n; ++k) {
        if (ContainsWord(name, words[k])) return true;
    }
    return false;
}

bool ContainsPhrase(std::string_view name, std::string_view text) {
    return ContainsWord(name, text);
}

std::size_t SearchStartIndex(bool startFromTop, int selectedIndex) {
    if (startFromTop || selectedIndex < 0) return 0;
    return static_cast<std::size_t>(selectedIndex) + 1;
}

std::optional<std::size_t> FindNextHit(const std::vector<std::string>& names, std::size_t start,
                                       const std::function<bool(std::string_view)>& matches) {
    for (std::size_t i = start; i < names.size(); ++i) {
        if (matches(names[i])) return i;
    }
    return std::nullopt;
}

SearchOutcome SearchNames(SearchMode mode, std::string_view text, const std::vector<std::string>& names,
                          std::size_t start, SearchWordArray& words) {
    std::function<bool(std::string_view)> matches;
    if (mode == SearchMode::Perfect) {
        matches = [text](std::string_view name) { return ContainsPhrase(name, text); };
    } else {
        switch (DevideString(text, words)) {
            case DevideResult::Empty:
                return {SearchOutcome::Kind::NothingTyped, 0};
            case DevideResult::TooManyWords:
                return {SearchOutcome::Kind::TooManyWords, 0};
            case DevideResult::Split:
                break;
        }
        if (mode == SearchMode::And) {
            matches = [&words](std::string_view name) { return ContainsAllWords(name, words); };
        } else {
            matches = [&words](std::string_view name) { return ContainsAnyWord(name, words); };
        }
    }
    const auto hit = FindNextHit(names, start, matches);
    if (!hit) return {SearchOutcome::Kind::NotFound, 0};
    return {SearchOutcome::Kind::Hit, *hit};
}

}  // namespace dialogs
