// Find as you type in the file list: the words of the filter text, the test of a name against them, and the folder's
// whole list of names, each folded once, narrowed by each new text. Texts are UTF-8; the folding itself (composed
// form, letter case, kana type, width) is the system's and comes in as a function.
#pragma once

#include <cstddef>
#include <cstdint>
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

// The whole list of the folder's names while a filter narrows what the file list shows, in the list's order. The
// names are kept in one block of text (a folder of 20,000 names would otherwise hold 40,000 strings for as long as
// it is shown), and a folded name that is the name itself takes no room of its own.
class NameFilter {
public:
    explicit NameFilter(FoldFunction fold) : fold_(fold) {}

    // Takes the names of a fill in the order the list shows them (names[order[0]] first) and forgets the last
    // narrowing. The names are let go of before it returns, so that a fill of the list does not hold them twice.
    // They are folded once, by FoldNames or else by the first narrowing.
    void Assign(std::vector<std::string> names, const std::vector<std::size_t>& order);
    void Clear() { Assign({}, {}); }
    // Folds every name now, unless they are folded already.
    void FoldNames();

    std::size_t Count() const { return ends_.size(); }
    // The name at a place of the whole list.
    std::string_view Name(std::size_t place) const;
    // The places of the names that held every word of the last text narrowed by, in the list's order.
    const std::vector<std::size_t>& Matches() const { return matches_; }

    // Narrows to the names that hold every word of text, folded as the names are. A text that only adds to the last
    // one looks at the last matches alone. Returns false when the matches are the same as before.
    bool Narrow(std::string_view text);
    // Forgets the last narrowing: the next one looks at every name.
    void Reset();

private:
    // The folded form of the name at place, which is often the name itself.
    std::string_view Folded(std::size_t place) const;

    FoldFunction fold_;
    std::string text_;                // every name, one after another
    std::vector<std::uint32_t> ends_;  // where each name ends in text_
    // The folded names, made once after Assign: where each ends in foldedText_, marked when it is the name itself;
    // empty when every name is its own folded form.
    std::string foldedText_;
    std::vector<std::uint32_t> foldedEnds_;
    bool foldedReady_ = false;
    bool narrowed_ = false;            // matches_ and lastText_ belong to a narrowing
    std::string lastText_;             // folded
    std::vector<std::size_t> matches_;
};

}  // namespace app
