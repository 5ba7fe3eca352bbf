#include "app/rules/NameFilter.h"

#include <utility>

namespace app {

namespace {

// U+3000, the full-width space, in UTF-8.
constexpr std::string_view kWideSpace = "\xE3\x80\x80";

}  // namespace

std::vector<std::string_view> FilterWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    std::size_t i = 0;
    const auto endWord = [&](std::size_t end) {
        if (end > start) words.push_back(text.substr(start, end - start));
    };
    while (i < text.size()) {
        // A space never splits a character: no byte of another character's UTF-8 form is 0x20 or 0xE3.
        const std::size_t blank = text[i] == ' ' ? 1 : text.compare(i, kWideSpace.size(), kWideSpace) == 0 ? 3 : 0;
        if (blank == 0) {
            ++i;
            continue;
        }
        endWord(i);
        i += blank;
        start = i;
    }
    endWord(text.size());
    return words;
}

bool HoldsEveryWord(std::string_view name, const std::vector<std::string_view>& words) {
    for (std::string_view word : words) {
        if (name.find(word) == std::string_view::npos) return false;
    }
    return true;
}

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool MayChangeUnderComposition(std::u16string_view units) {
    for (char16_t u : units) {
        const bool untouched = u < 0x0300 || (u >= 0x3000 && u < 0x3099) || (u >= 0x309B && u <= 0x30FF) ||
                               (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF);
        if (!untouched) return true;
    }
    return false;
}

void NameFilter::Assign(std::vector<std::string> names, std::vector<std::size_t> order) {
    names_ = std::move(names);
    order_ = std::move(order);
    folded_.clear();
    foldedReady_ = false;
    Reset();
}

void NameFilter::Reset() {
    narrowed_ = false;
    lastText_.clear();
    matches_.clear();
}

bool NameFilter::Narrow(std::string_view text) {
    if (!foldedReady_) {
        folded_.reserve(names_.size());
        for (const std::string& name : names_) folded_.push_back(fold_(name));
        foldedReady_ = true;
    }
    std::string folded = fold_(text);
    const std::vector<std::string_view> words = FilterWords(folded);
    // Every word of a text that only adds to the last one holds a word of the last one (or is one): no name the
    // last text left out can match it.
    const bool further = narrowed_ && folded.compare(0, lastText_.size(), lastText_) == 0;
    std::vector<std::size_t> matches;
    const std::vector<std::size_t>& candidates = further ? matches_ : order_;
    matches.reserve(candidates.size());
    for (std::size_t i : candidates) {
        if (HoldsEveryWord(folded_[i], words)) matches.push_back(i);
    }
    const bool changed = !narrowed_ || matches != matches_;
    matches_ = std::move(matches);
    lastText_ = std::move(folded);
    narrowed_ = true;
    return changed;
}

}  // namespace app
