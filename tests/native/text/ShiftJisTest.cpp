#include "text/ShiftJis.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace {

using text::ByteType;

constexpr auto npos = std::string_view::npos;

// The test literals go through the same code-page conversion as the program's own.
TEST(ShiftJisText, LiteralsAreCodePage932) {
    EXPECT_EQ(std::string("表"), "\x95\x5C");
    EXPECT_EQ(std::string("ソ"), "\x83\x5C");
}

TEST(ShiftJisText, LeadByteRanges) {
    EXPECT_FALSE(text::IsLeadByte(0x5C));
    EXPECT_FALSE(text::IsLeadByte(0x80));
    EXPECT_TRUE(text::IsLeadByte(0x81));
    EXPECT_TRUE(text::IsLeadByte(0x9F));
    EXPECT_FALSE(text::IsLeadByte(0xA0));
    EXPECT_FALSE(text::IsLeadByte(0xDF));  // half-width katakana are single bytes
    EXPECT_TRUE(text::IsLeadByte(0xE0));
    EXPECT_TRUE(text::IsLeadByte(0xFC));
    EXPECT_FALSE(text::IsLeadByte(0xFD));
}

TEST(ShiftJisText, ByteTypesScanWholeCharacters) {
    const std::string s = "a表\\";
    EXPECT_EQ(text::ByteTypeAt(s, 0), ByteType::Single);
    EXPECT_EQ(text::ByteTypeAt(s, 1), ByteType::Lead);
    EXPECT_EQ(text::ByteTypeAt(s, 2), ByteType::Trail);
    EXPECT_EQ(text::ByteTypeAt(s, 3), ByteType::Single);

    // A trail byte in the lead range does not open a character of its own.
    const std::string pairs = "\x88\x9F\x81";
    EXPECT_EQ(text::ByteTypeAt(pairs, 1), ByteType::Trail);
    EXPECT_EQ(text::ByteTypeAt(pairs, 2), ByteType::Single);  // lead byte at the very end

    EXPECT_EQ(text::ByteTypeAt("ab", 7), ByteType::Single);  // past the end: no read
}

TEST(ShiftJisText, LastCharacterIsWhole) {
    EXPECT_EQ(text::LastCharIndex(""), 0u);
    EXPECT_EQ(text::LastCharIndex("表"), 0u);
    EXPECT_EQ(text::LastCharIndex("C:\\表"), 3u);
    EXPECT_EQ(text::LastCharIndex("a\x83"), 1u);

    EXPECT_FALSE(text::LastCharIs("C:\\Tools\\表", '\\'));
    EXPECT_FALSE(text::LastCharIs("ソ", '\\'));
    EXPECT_TRUE(text::LastCharIs("C:\\ソフト\\", '\\'));
    EXPECT_TRUE(text::LastCharIs("Projects/", '/'));
    EXPECT_FALSE(text::LastCharIs("", '\\'));
}

TEST(ShiftJisText, IncludeTrailingBackslash) {
    EXPECT_EQ(text::IncludeTrailingBackslash("C:\\Tools\\表"), "C:\\Tools\\表\\");
    EXPECT_EQ(text::IncludeTrailingBackslash("C:\\ソ"), "C:\\ソ\\");
    EXPECT_EQ(text::IncludeTrailingBackslash("C:\\ソ\\"), "C:\\ソ\\");
    EXPECT_EQ(text::IncludeTrailingBackslash("D:\\Work"), "D:\\Work\\");
    EXPECT_EQ(text::IncludeTrailingBackslash(""), "\\");
    // A dangling lead byte would pair with the new backslash; it is dropped so the result ends in a real one.
    const std::string dangling = text::IncludeTrailingBackslash("C:\\a\x83");
    EXPECT_EQ(dangling, "C:\\a\\");
    EXPECT_EQ(text::IncludeTrailingBackslash(dangling), dangling);
}

TEST(ShiftJisText, DropLastChar) {
    EXPECT_EQ(text::DropLastChar("C:\\表\\"), "C:\\表");
    EXPECT_EQ(text::DropLastChar("C:\\表"), "C:\\");
    EXPECT_EQ(text::DropLastChar("ソ"), "");
    EXPECT_EQ(text::DropLastChar("a\x83"), "a");
    EXPECT_EQ(text::DropLastChar(""), "");
}

TEST(ShiftJisText, FindFirstMatchesOnlyWholeCharacters) {
    EXPECT_EQ(text::FindFirst("C:\\Tools\\Launcher\\Docs", "C:\\Tools\\Launcher\\"), 0u);
    EXPECT_EQ(text::FindFirst("xC:\\T\\C:\\T\\", "C:\\T\\"), 1u);
    // "\a" occurs in the bytes of "ソa" only from the trail byte of ソ.
    EXPECT_EQ(text::FindFirst("ソa", "\\a"), npos);
    EXPECT_EQ(text::FindFirst("ソa\\a", "\\a"), 3u);
    // A match may not end inside a character either.
    EXPECT_EQ(text::FindFirst("xソ", "x\x83"), npos);
    EXPECT_EQ(text::FindFirst("C:\\TOOLS\\", "C:\\Tools\\"), npos);  // letter case counts
    EXPECT_EQ(text::FindFirst("abc", ""), npos);
    EXPECT_EQ(text::FindFirst("", "a"), npos);
}

TEST(ShiftJisText, RemoveFirstRemovesOneOccurrence) {
    EXPECT_EQ(text::RemoveFirst("C:\\T\\sub\\C:\\T\\", "C:\\T\\"), "sub\\C:\\T\\");
    EXPECT_EQ(text::RemoveFirst("ソa", "\\a"), "ソa");
    EXPECT_EQ(text::RemoveFirst("abc", ""), "abc");
    EXPECT_EQ(text::RemoveFirst("", "abc"), "");
    EXPECT_EQ(text::RemoveFirst("表", "表"), "");
}

TEST(ShiftJisText, CountCharSkipsTrailBytes) {
    EXPECT_EQ(text::CountChar("表\\ソ\\能", '\\'), 2u);
    EXPECT_EQ(text::CountChar("表ソ能", '\\'), 0u);
    EXPECT_EQ(text::CountChar("", '\\'), 0u);
}

TEST(ShiftJisText, ExtractFilePathStopsAtRealDelimiters) {
    EXPECT_EQ(text::ExtractFilePath("C:\\Apps\\My.Tools.txt"), "C:\\Apps\\");
    EXPECT_EQ(text::ExtractFilePath("C:\\ソフト.txt"), "C:\\");
    EXPECT_EQ(text::ExtractFilePath("C:\\Tools\\表.txt"), "C:\\Tools\\");
    EXPECT_EQ(text::ExtractFilePath("C:.txt"), "C:");
    EXPECT_EQ(text::ExtractFilePath("表.txt"), "");
    EXPECT_EQ(text::ExtractFilePath(""), "");
}

TEST(ShiftJisText, ChangeFileExtCutsOnlyTheLastComponentsExtension) {
    EXPECT_EQ(text::ChangeFileExt("My.Tools.txt", ""), "My.Tools");
    EXPECT_EQ(text::ChangeFileExt("a.b\\c", ""), "a.b\\c");
    EXPECT_EQ(text::ChangeFileExt("C:\\x\\name", ".ini"), "C:\\x\\name.ini");
    EXPECT_EQ(text::ChangeFileExt(".txt", ""), "");
    EXPECT_EQ(text::ChangeFileExt("表.txt", ".ini"), "表.ini");
    EXPECT_EQ(text::ChangeFileExt("", ""), "");
}

// Random byte strings, heavy in lead bytes and 0x5C, through every function: ASan reports any read past the end,
// and the results must keep the rules' own promises.
TEST(ShiftJisText, RandomBytesKeepTheRules) {
    std::mt19937 rng(20240611u);
    const unsigned char interesting[] = {0x5C, 0x81, 0x83, 0x95, 0x9F, 0xE0, 0xFC, 0x40, 'a', '.', ':', '/', 0x00};
    auto randomString = [&](std::size_t maxLength) {
        std::string s(rng() % (maxLength + 1), '\0');
        for (char& c : s) {
            const std::uint32_t pick = rng();
            c = static_cast<char>(pick % 3 == 0 ? pick >> 8 : interesting[(pick >> 8) % sizeof interesting]);
        }
        return s;
    };
    for (int iteration = 0; iteration < 3000; ++iteration) {
        const std::string s = randomString(12);
        const std::string sub = randomString(3);
        SCOPED_TRACE(::testing::PrintToString(s) + " / " + ::testing::PrintToString(sub));

        for (std::size_t i = 0; i < s.size(); ++i) {
            const ByteType type = text::ByteTypeAt(s, i);
            if (type == ByteType::Lead) {
                ASSERT_EQ(text::ByteTypeAt(s, i + 1), ByteType::Trail);
            }
            if (type == ByteType::Trail) {
                ASSERT_EQ(text::ByteTypeAt(s, i - 1), ByteType::Lead);
            }
        }
        const std::size_t last = text::LastCharIndex(s);
        ASSERT_TRUE(s.empty() ? last == 0 : text::ByteTypeAt(s, last) != ByteType::Trail);

        const std::string withBackslash = text::IncludeTrailingBackslash(s);
        ASSERT_TRUE(text::LastCharIs(withBackslash, '\\'));
        ASSERT_EQ(text::IncludeTrailingBackslash(withBackslash), withBackslash);

        ASSERT_EQ(text::DropLastChar(s).size(), s.empty() ? 0 : last);

        const std::size_t at = text::FindFirst(s, sub);
        if (at != npos) {
            ASSERT_EQ(s.compare(at, sub.size(), sub), 0);
            ASSERT_NE(text::ByteTypeAt(s, at), ByteType::Trail);
            ASSERT_EQ(text::RemoveFirst(s, sub).size(), s.size() - sub.size());
        } else {
            ASSERT_EQ(text::RemoveFirst(s, sub), s);
        }

        std::size_t backslashes = 0;
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (s[i] == '\\' && text::ByteTypeAt(s, i) == ByteType::Single) ++backslashes;
        }
        ASSERT_EQ(text::CountChar(s, '\\'), backslashes);

        const std::string dir = text::ExtractFilePath(s);
        ASSERT_EQ(s.compare(0, dir.size(), dir), 0);
        ASSERT_LE(text::ChangeFileExt(s, "").size(), s.size());
    }
}

}  // namespace
