// Random files and random sequences of writes: after any sequence a read gives what was written last, keys that
// were not written read as in the original file, and each write changes the bytes of one line at most, adding
// only the lines of its key (and section).
#include "settings/rules/ProfileLines.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "settings/rules/StoredText.h"

namespace {

using settings::FindProfileValue;
using settings::SetProfileValue;

// Names in several spellings: the spellings of one entry are the same name to the file (letter case of A to Z),
// different entries are different names (ア and ツ differ in the letter case of their second byte only).
const std::vector<std::vector<std::string>> kSections = {
    {"Name", "NAME", "name"}, {"Name2"}, {"FixedFolder Setting", "fixedfolder setting"}, {"\x83\x41"},
    {"\x83\x61"}, {"\x81\x5B]"}, {"a]b"}};
const std::vector<std::vector<std::string>> kKeys = {
    {"count", "COUNT"}, {"D:\\\x95\x5C", "d:\\\x95\x5C"}, {"\x83\x41"}, {"\x83\x61"}, {"ex1", "EX1"},
    {"|utf-8|a%3Db"}, {"x y"}};

// Pieces of random text: ASCII, the characters the format gives a meaning to, and double-byte characters whose
// second byte is "[", "]", "\" or a letter.
const std::vector<std::string> kPieces = {"a", "Z", "0", " ", "\t", "=", "[", "]", ";", "\"", "'", "\\", "%",
                                          "\x81\x5B", "\x81\x5D", "\x95\x5C", "\x83\x41", "\x83\x61", "\xB1"};
const std::vector<std::string> kBreaks = {"\r\n", "\r\n", "\r\n", "\n", "\r", "\r\r\n", "\r\n\r\n"};

class Fuzz {
public:
    explicit Fuzz(unsigned seed) : random_(seed) {}

    std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }
    template <typename T>
    const T& Pick(const std::vector<T>& items) { return items[Below(items.size())]; }

    std::string Text(std::size_t maxPieces)
    {
        std::string text;
        for (std::size_t n = Below(maxPieces + 1); n > 0; --n) text += Pick(kPieces);
        return text;
    }
    std::string Blanks() { return Pick(std::vector<std::string>{"", "", " ", "\t", " \t "}); }

    // A file of sections, entries, comments, blank lines and stray text, in any kind of line breaks.
    std::string File()
    {
        std::string file;
        for (std::size_t n = Below(25); n > 0; --n) {
            switch (Below(8)) {
            case 0: file += Blanks() + "[" + Blanks() + Pick(Pick(kSections)) + Blanks() + "]" + Blanks(); break;
            case 1: file += Blanks() + ";" + Text(4); break;
            case 2: file += Text(6); break;
            case 3: break;
            default:
                file += Blanks() + Pick(Pick(kKeys)) + Blanks() + "=" + Blanks() + Text(5) + Blanks();
                break;
            }
            file += Pick(kBreaks);
        }
        if (Below(3) == 0 && !file.empty()) file.pop_back();  // no final line break, or half of one
        return file;
    }

    // A value the format holds as it is (anything else goes into the stored form before it reaches the file).
    std::string Value()
    {
        for (;;) {
            std::string value = Text(6);
            if (!settings::NeedsStoredForm(value, settings::ProfileText::Value)) return value;
        }
    }

private:
    std::mt19937 random_;
};

std::optional<std::string> Read(const std::string& file, std::size_t section, std::size_t key, Fuzz& fuzz)
{
    std::optional<std::string_view> value =
        FindProfileValue(file, fuzz.Pick(kSections[section]), fuzz.Pick(kKeys[key]));
    if (!value) return std::nullopt;
    return std::string(*value);
}

// A write changes one line's text at most and adds no more than its key's line, a section header and a line
// break before them.
void ExpectOnlyItsLineChanged(const std::string& before, const std::string& after)
{
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const std::string removed = before.substr(prefix, before.size() - prefix - suffix);
    const std::string added = after.substr(prefix, after.size() - prefix - suffix);
    EXPECT_EQ(removed.find_first_of("\r\n"), std::string::npos) << "a line break of the file was lost";
    std::size_t breaks = 0;
    for (char c : added) breaks += c == '\n';
    EXPECT_LE(breaks, 3u) << "more lines added than a key, its section and a line break";
}

TEST(ProfileLinesFuzz, ReadsGiveWhatWasWrittenAndOtherLinesStay)
{
    for (unsigned seed = 1; seed <= 1500; ++seed) {
        Fuzz fuzz(seed);
        const std::string original = fuzz.File();
        std::string file = original;
        std::map<std::pair<std::size_t, std::size_t>, std::string> written;
        for (std::size_t n = fuzz.Below(12); n > 0; --n) {
            const std::size_t section = fuzz.Below(kSections.size());
            const std::size_t key = fuzz.Below(kKeys.size());
            const std::string value = fuzz.Value();
            const std::optional<std::string> after =
                SetProfileValue(file, fuzz.Pick(kSections[section]), fuzz.Pick(kKeys[key]), value);
            if (after) {
                ExpectOnlyItsLineChanged(file, *after);
                file = *after;
            } else {
                EXPECT_EQ(Read(file, section, key, fuzz), value) << "no write, yet the key holds another value";
            }
            written[{section, key}] = value;
            ASSERT_EQ(Read(file, section, key, fuzz), value) << "seed " << seed;
            if (HasFailure()) {
                ADD_FAILURE() << "seed " << seed;
                return;
            }
        }
        for (std::size_t section = 0; section < kSections.size(); ++section) {
            for (std::size_t key = 0; key < kKeys.size(); ++key) {
                const auto it = written.find({section, key});
                const std::optional<std::string> expected =
                    it != written.end() ? std::optional<std::string>(it->second) : Read(original, section, key, fuzz);
                ASSERT_EQ(Read(file, section, key, fuzz), expected)
                    << "seed " << seed << ", section " << section << ", key " << key;
            }
        }
    }
}

// Any bytes at all: nothing reads or writes outside the text, and a write is read back.
TEST(ProfileLinesFuzz, AnyBytesAreReadAndWrittenSafely)
{
    std::mt19937 random(7);
    const std::string alphabet = std::string("[]=; \t\r\n\"'\\aA\x1A\x81\x5B\x83\x61\x95\xE0\xFC\xFF") + '\0';
    for (int round = 0; round < 3000; ++round) {
        std::string file;
        for (std::size_t n = random() % 60; n > 0; --n) file += alphabet[random() % alphabet.size()];
        settings::CountProfileKeys(file, "A");
        const std::string key = std::string(1, "aA\x81"[random() % 3]) + "k";
        const std::optional<std::string> after = SetProfileValue(file, "A", key, "v");
        const std::string& now = after ? *after : file;
        ASSERT_EQ(FindProfileValue(now, "a", key), std::optional<std::string_view>("v")) << "round " << round;
    }
}

}  // namespace
