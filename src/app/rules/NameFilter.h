// Find as you type in the file list: the words of the filter text, the test of a name against them, and the folder's
// whole list of names, each folded once, narrowed by each new text. Texts are UTF-8; the folding itself (composed
// form, letter case, kana type, width) is the system's and comes in as a function.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// The words of a filter text: half-width (U+0020) and full-width (U+3000) spaces separate them, and runs of spaces
// give no empty words.
std::vector<std::string_view> FilterWords(std::string_view text);

// True when name holds every word as a run of its bytes; no words at all hold for every name.
bool HoldsEveryWord(std::string_view name, const std::vector<std::string_view>& words);

// True when the text is ASCII alone, which folds by lowering its letters.
bool IsAscii(std::string_view text);
std::string LowerAscii(std::string_view text);

// False when composition (Unicode NFC) leaves the 16-bit units as they are for sure: every unit lies below U+0300
// or among the kana, the unified ideographs and the half- and full-width forms, none of them a combining mark.
bool MayChangeUnderComposition(std::u16string_view units);

// Folds a name or a filter text into the form in which they are compared.
using FoldFunction = std::string (*)(std::string_view text);

// The whole list of the folder's names while a filter narrows what the file list shows.
class NameFilter {
public:
    explicit NameFilter(FoldFunction fold) : fold_(fold) {}

    // Takes the names of a fill and the order the list shows them in (names[order[0]] first); forgets the last
    // narrowing. The names are folded on the first narrowing, once.
    void Assign(std::vector<std::string> names, std::vector<std::size_t> order);
    void Clear() { Assign({}, {}); }

    const std::vector<std::string>& Names() const { return names_; }
    // Every name, in the list's order (indices into Names).
    const std::vector<std::size_t>& Order() const { return order_; }
    // The names that held every word of the last text narrowed by, in the list's order (indices into Names).
    const std::vector<std::size_t>& Matches() const { return matches_; }

    // Narrows to the names that hold every word of text, folded as the names are. A text that only adds to the last
    // one looks at the last matches alone. Returns false when the matches are the same as before.
    bool Narrow(std::string_view text);
    // Forgets the last narrowing: the next one looks at every name.
    void Reset();

private:
    FoldFunction fold_;
    std::vector<std::string> names_;
    std::vector<std::size_t> order_;
    std::vector<std::string> folded_;  // names_ folded, made by the first narrowing after Assign
    bool foldedReady_ = false;
    bool narrowed_ = false;            // matches_ and lastText_ belong to a narrowing
    std::string lastText_;             // folded
    std::vector<std::size_t> matches_;
};

}  // namespace app
