#include "text/PathText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "text/Utf8.h"

namespace {

constexpr auto npos = std::string_view::npos;

TEST(PathText, LastCharacterTests) {
    EXPECT_FALSE(text::LastCharIs("C:\\Tools\\表", '\\'));  // 表 ends in 0x5C in Shift-JIS, never in UTF-8
    EXPECT_TRUE(text::LastCharIs("C:\\ソフト\\", '\\'));
    EXPECT_TRUE(text::LastCharIs("Projects/", '/'));
    EXPECT_FALSE(text::LastCharIs("", '\\'));
}

TEST(PathText, IncludeTrailingBackslash) {
    EXPECT_EQ(text::IncludeTrailingBackslash("C:\\Tools\\表"), "C:\\Tools\\表\\");
    EXPECT_EQ(text::IncludeTrailingBackslash("C:\\ソ\\"), "C:\\ソ\\");
    EXPECT_EQ(text::IncludeTrailingBackslash("D:\\café"), "D:\\café\\");
    EXPECT_EQ(text::IncludeTrailingBackslash(""), "\\");
}

TEST(PathText, DropLastCharDropsAWholeCharacter) {
    EXPECT_EQ(text::DropLastChar("C:\\表\\"), "C:\\表");
    EXPECT_EQ(text::DropLastChar("C:\\表"), "C:\\");
    EXPECT_EQ(text::DropLastChar("café"), "caf");
    EXPECT_EQ(text::DropLastChar("a😀"), "a");
    EXPECT_EQ(text::DropLastChar("ソ"), "");
    EXPECT_EQ(text::DropLastChar(""), "");
}

TEST(PathText, FindAndRemoveFirst) {
    EXPECT_EQ(text::FindFirst("C:\\Tools\\Launcher\\Docs", "C:\\Tools\\Launcher\\"), 0u);
    EXPECT_EQ(text::FindFirst("xC:\\T\\C:\\T\\", "C:\\T\\"), 1u);
    EXPECT_EQ(text::FindFirst("ソa", "\\a"), npos);
    EXPECT_EQ(text::FindFirst("C:\\TOOLS\\", "C:\\Tools\\"), npos);  // letter case counts
    EXPECT_EQ(text::FindFirst("abc", ""), npos);
    EXPECT_EQ(text::RemoveFirst("C:\\T\\sub\\C:\\T\\", "C:\\T\\"), "sub\\C:\\T\\");
    EXPECT_EQ(text::RemoveFirst("C:\\café\\x", "C:\\cafe\\"), "C:\\café\\x");
    EXPECT_EQ(text::RemoveFirst("abc", ""), "abc");
    EXPECT_EQ(text::RemoveFirst("表", "表"), "");
}

TEST(PathText, CountCharAndDelimiters) {
    EXPECT_EQ(text::CountChar("表\\ソ\\能", '\\'), 2u);
    EXPECT_EQ(text::CountChar("表ソ能a¥b", '\\'), 0u);  // the yen sign is no backslash
    EXPECT_EQ(text::ExtractFilePath("C:\\Apps\\My.Tools.txt"), "C:\\Apps\\");
    EXPECT_EQ(text::ExtractFilePath("C:\\ソフト.txt"), "C:\\");
    EXPECT_EQ(text::ExtractFilePath("C:.txt"), "C:");
    EXPECT_EQ(text::ExtractFilePath("表.txt"), "");
    EXPECT_EQ(text::ChangeFileExt("My.Tools.txt", ""), "My.Tools");
    EXPECT_EQ(text::ChangeFileExt("a.b\\c", ""), "a.b\\c");
    EXPECT_EQ(text::ChangeFileExt("表.txt", ".ini"), "表.ini");
    EXPECT_EQ(text::ChangeFileExt("", ""), "");
}

// The system's form of a text, unit by unit.
std::u16string Units(std::string_view utf8) {
    std::u16string units;
    text::AppendUtf16(utf8, units);
    return units;
}

std::string Utf8Of(std::u16string_view units) {
    std::string utf8;
    text::AppendUtf8(units, utf8);
    return utf8;
}

TEST(Utf8Text, ConvertsEveryPlaneBothWays) {
    EXPECT_EQ(Units("a"), u"a");
    EXPECT_EQ(Units("café"), u"café");
    EXPECT_EQ(Units("한글表"), u"한글表");
    EXPECT_EQ(Units("😀"), (std::u16string{0xD83D, 0xDE00}));
    for (const char* text : {"", "a", "café", "한글", "😀.txt", "C:\\ソフト\\表"}) EXPECT_EQ(Utf8Of(Units(text)), text);
    EXPECT_EQ(text::Utf16Length("a😀表"), 4u);
    EXPECT_EQ(text::Utf16Length(""), 0u);
}

TEST(Utf8Text, AnUnpairedSurrogateOfANameComesBackAsItWas) {
    // File names are sequences of 16-bit units: a lone surrogate is a name of its own and must not become another.
    for (const std::u16string& name : {std::u16string{0xD800}, std::u16string{u'a', 0xDC00, u'b'},
                                       std::u16string{0xDC00, 0xD800}, std::u16string{0xD83D}}) {
        const std::string utf8 = Utf8Of(name);
        EXPECT_EQ(Units(utf8), name);
        EXPECT_NE(Units(utf8), Units(Utf8Of(u"\uFFFD")));
    }
}

TEST(Utf8Text, BytesThatStartNoCharacterBecomeTheReplacementCharacter) {
    EXPECT_EQ(Units("\x80"), u"\uFFFD");
    EXPECT_EQ(Units("a\xC3"), u"a\uFFFD");             // cut short
    EXPECT_EQ(Units("\xC0\xAF"), u"\uFFFD\uFFFD");      // an overlong "/" is no slash
    EXPECT_EQ(Units("\xE0\x80\xAF"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(Units("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // beyond U+10FFFF
    EXPECT_EQ(Units("\xFF"), u"\uFFFD");
}

// Random unit sequences, heavy in surrogates, round-trip exactly, and path rules on their UTF-8 form never cut a
// character: ASan reports any read past the end.
TEST(Utf8Text, RandomNamesRoundTripAndKeepThePathRules) {
    std::mt19937 rng(20261209u);
    const char16_t interesting[] = {u'\\', u'.', u':', u'a', 0xE9, 0x8868, 0xD83D, 0xDE00, 0xD800, 0xDFFF, 0xFFFF};
    for (int iteration = 0; iteration < 3000; ++iteration) {
        std::u16string name(rng() % 9, u'\0');
        for (char16_t& c : name) {
            const std::uint32_t pick = rng();
            c = pick % 4 == 0 ? static_cast<char16_t>(pick >> 16) : interesting[(pick >> 8) % std::size(interesting)];
        }
        SCOPED_TRACE(::testing::PrintToString(Utf8Of(name)));
        const std::string utf8 = Utf8Of(name);
        ASSERT_EQ(Units(utf8), name);
        ASSERT_EQ(text::Utf16Length(utf8), name.size());
        const std::string dropped = text::DropLastChar(utf8);
        ASSERT_EQ(Utf8Of(Units(dropped)), dropped) << "a whole character is dropped";
        const std::string withBackslash = text::IncludeTrailingBackslash(utf8);
        ASSERT_TRUE(text::LastCharIs(withBackslash, '\\'));
    }
}

}  // namespace
