#include "app/rules/NameFilter.h"

#include <utility>

namespace app {

namespace {

// U+3000, the full-width space, in UTF-8.
constexpr std::string_view kWideSpace = "\xE3\x80\x80";

// Marks the end of a folded name that is the name itself; the rest of the value is where the folded text so far ends.
constexpr std::uint32_t kSameAsName = 0x80000000u;

}  // namespace

std::vector<std::string_view> FilterWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    std::size_t i = 0;
    const auto endWord = [&](std::size_t end) {
        if (end > start) words.push_back(text.substr(start, end - start));
    };
    while (i < text.size()) {
        // A blank is found only where a character starts: the bytes inside a character's UTF-8 form are 0x80 to 0xBF.
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

void NameFilter::Assign(std::vector<std::string> names, const std::vector<std::size_t>& order) {
    std::size_t length = 0;
    for (const std::string& name : names) length += name.size();
    text_.clear();
    text_.shrink_to_fit();
    text_.reserve(length);
    ends_.clear();
    ends_.shrink_to_fit();
    ends_.reserve(order.size());
    for (std::size_t i : order) {
        text_ += names[i];
        ends_.push_back(static_cast<std::uint32_t>(text_.size()));
    }
    names.clear();
    names.shrink_to_fit();
    foldedText_.clear();
    foldedText_.shrink_to_fit();
    foldedEnds_.clear();
    foldedEnds_.shrink_to_fit();
    foldedReady_ = false;
    Reset();
}

std::string_view NameFilter::Name(std::size_t place) const {
    const std::size_t begin = place == 0 ? 0 : ends_[place - 1];
    return std::string_view(text_).substr(begin, ends_[place] - begin);
}

std::string_view NameFilter::Folded(std::size_t place) const {
    if (foldedEnds_.empty()) return Name(place);
    const std::uint32_t end = foldedEnds_[place];
    if (end & kSameAsName) return Name(place);
    const std::size_t begin = place == 0 ? 0 : foldedEnds_[place - 1] & ~kSameAsName;
    return std::string_view(foldedText_).substr(begin, end - begin);
}

void NameFilter::FoldNames() {
    if (foldedReady_) return;
    foldedEnds_.reserve(Count());
    for (std::size_t i = 0; i < Count(); ++i) {
        const std::string folded = fold_(Name(i));
        // A name that is its own folded form (most ASCII names) takes no room twice.
        const bool same = folded == Name(i);
        if (!same) foldedText_ += folded;
        foldedEnds_.push_back(static_cast<std::uint32_t>(foldedText_.size()) | (same ? kSameAsName : 0));
    }
    if (foldedText_.empty()) {
        foldedEnds_.clear();
        foldedEnds_.shrink_to_fit();
    }
    foldedReady_ = true;
}

void NameFilter::Reset() {
    narrowed_ = false;
    lastText_.clear();
    matches_.clear();
}

bool NameFilter::Narrow(std::string_view text) {
    FoldNames();
    std::string folded = fold_(text);
    const std::vector<std::string_view> words = FilterWords(folded);
    // Every word of a text that only adds to the last one holds a word of the last one (or is one): no name the
    // last text left out can match it.
    const bool further = narrowed_ && folded.compare(0, lastText_.size(), lastText_) == 0;
    std::vector<std::size_t> matches;
    if (further) {
        for (std::size_t place : matches_) {
            if (HoldsEveryWord(Folded(place), words)) matches.push_back(place);
        }
    } else {
        for (std::size_t place = 0; place < Count(); ++place) {
            if (HoldsEveryWord(Folded(place), words)) matches.push_back(place);
        }
    }
    const bool changed = !narrowed_ || matches != matches_;
    matches_ = std::move(matches);
    lastText_ = std::move(folded);
    narrowed_ = true;
    return changed;
}

}  // namespace app
