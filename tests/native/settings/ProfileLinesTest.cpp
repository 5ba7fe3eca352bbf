// How the settings file's lines are read and edited, on the bytes of code page 932.
#include "settings/rules/ProfileLines.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using settings::CountProfileKeys;
using settings::CutToWholeCharacters;
using settings::FindProfileValue;
using settings::SetProfileValue;
using settings::ValueWithoutQuotes;

// Double-byte characters whose second byte is an ASCII character.
const std::string kLongVowel = "\x81\x5B";  // ー: second byte "["
const std::string kDash = "\x81\x5D";       // ‐: second byte "]"
const std::string kHyou = "\x95\x5C";       // 表: second byte "\"
const std::string kA = "\x83\x41";          // ア: second byte "A"
const std::string kTsu = "\x83\x61";        // ツ: second byte "a", the same as ア but for letter case

std::optional<std::string> Find(const std::string& file, const std::string& section, const std::string& key)
{
    std::optional<std::string_view> value = FindProfileValue(file, section, key);
    if (!value) return std::nullopt;
    return std::string(*value);
}

TEST(ProfileLines, NamesMatchWithoutCaseOfAsciiLettersOnly)
{
    const std::string file = "[Style]\r\nOnTop=1\r\n[" + kA + "]\r\n" + kA + "=a\r\n";
    EXPECT_EQ(Find(file, "style", "ONTOP"), "1");
    EXPECT_EQ(Find(file, kA, kA), "a");
    EXPECT_EQ(Find(file, kTsu, kA), std::nullopt) << "the second byte of a character is no letter";
    EXPECT_EQ(Find(file, kA, kTsu), std::nullopt);
    EXPECT_EQ(Find(file, "Style", "OnTop2"), std::nullopt);
    EXPECT_EQ(Find(file, " Style\t", " OnTop "), "1") << "names are looked up without blanks around them";
}

TEST(ProfileLines, LinesEndAtAnyLineBreakAndBlanksAroundDoNotCount)
{
    EXPECT_EQ(Find("[A]\nx=1\ny=2", "A", "y"), "2") << "LF only, no final line break";
    EXPECT_EQ(Find("[A]\rx=1\ry=2\r", "A", "x"), "1") << "CR only";
    EXPECT_EQ(Find("[A]\r\r\n\n\rx=1", "A", "x"), "1");
    EXPECT_EQ(Find("  [ A ]  \r\n \t x \t= \t 1 2 \t\x1A\r\n", "A", "x"), "1 2");
    EXPECT_EQ(Find("[A]\r\nx=\r\n", "A", "x"), "");
    EXPECT_EQ(Find("[A]\r\nx\r\nx=1\r\n", "A", "x"), std::nullopt) << "the first x has no value";
    EXPECT_EQ(Find("[A]\r\n=1\r\n", "A", ""), "1");
    EXPECT_EQ(Find("", "A", "x"), std::nullopt);
}

TEST(ProfileLines, OnlyTheFirstSectionAndTheFirstKeyOfANameCount)
{
    const std::string file = "[A]\r\nx=1\r\nX=2\r\n[B]\r\ny=3\r\n[a]\r\ny=4\r\nz=5\r\n";
    EXPECT_EQ(Find(file, "A", "x"), "1");
    EXPECT_EQ(Find(file, "A", "y"), std::nullopt);
    EXPECT_EQ(Find(file, "A", "z"), std::nullopt) << "the second section of a name is never read";
    EXPECT_EQ(CountProfileKeys(file, "a"), 2u);
}

TEST(ProfileLines, SectionNamesEndAtTheLastBracketOfTheLine)
{
    EXPECT_EQ(Find("[a]b]\r\nx=1\r\n", "a]b", "x"), "1");
    EXPECT_EQ(Find("[" + kLongVowel + "]\r\nx=1\r\n", kLongVowel, "x"), "1");
    EXPECT_EQ(Find("[" + kDash + "\r\nx=1\r\n", "", "x"), "1") << "the second byte of a character closes no section";
    EXPECT_EQ(Find("[" + kDash + "=v\r\n", "", "[" + kDash), "v") << "a \"[\" line without \"]\" is an entry";
    EXPECT_EQ(Find("x=0\r\n[]\r\nx=1\r\n", "", "x"), "0") << "lines before the first section form the unnamed one";
}

TEST(ProfileLines, NamesAndValuesKeepTheirDoubleByteCharacters)
{
    const std::string file = "[Name]\r\nD:\\" + kHyou + "=" + kHyou + "\\" + kLongVowel + "\r\n";
    EXPECT_EQ(Find(file, "Name", "D:\\" + kHyou), kHyou + "\\" + kLongVowel);
    EXPECT_EQ(Find(file, "Name", "d:\\" + kHyou), kHyou + "\\" + kLongVowel);
}

TEST(ProfileLines, QuotesAroundAValueAreDropped)
{
    EXPECT_EQ(ValueWithoutQuotes("\"a b\""), "a b");
    EXPECT_EQ(ValueWithoutQuotes("'a'"), "a");
    EXPECT_EQ(ValueWithoutQuotes("\"\""), "");
    EXPECT_EQ(ValueWithoutQuotes("\""), "\"");
    EXPECT_EQ(ValueWithoutQuotes("\"a'"), "\"a'");
    EXPECT_EQ(ValueWithoutQuotes("a\""), "a\"");
}

TEST(ProfileLines, LongValuesAreCutToWholeCharacters)
{
    EXPECT_EQ(CutToWholeCharacters("abc", 2), "ab");
    EXPECT_EQ(CutToWholeCharacters("a" + kHyou, 2), "a");
    EXPECT_EQ(CutToWholeCharacters(kHyou + kHyou, 3), kHyou);
    EXPECT_EQ(CutToWholeCharacters(kHyou + kHyou, 4), kHyou + kHyou);
    EXPECT_EQ(CutToWholeCharacters("a\x95", 5), "a\x95");
}

TEST(ProfileLines, CommentsAndLinesWithoutAValueAreNotCountedAsKeys)
{
    EXPECT_EQ(CountProfileKeys("[A]\r\n;c=1\r\nbare\r\nx=1\r\n\r\ny=\r\n[B]\r\nz=1\r\n", "A"), 2u);
    EXPECT_EQ(CountProfileKeys("[A]\r\nx=1\r\n", "B"), 0u);
}

TEST(ProfileLines, AWriteReplacesTheValueInItsLineAndLeavesEveryOtherLine)
{
    const std::string file = "; mine\r\n[A]\n  x = old \n\n[B]\r\nx=2";
    EXPECT_EQ(SetProfileValue(file, "a", "X", "new"), "; mine\r\n[A]\nx=new\n\n[B]\r\nx=2")
        << "the line takes the file's spelling of the name";
    EXPECT_EQ(SetProfileValue(file, "B", "x", "3"), "; mine\r\n[A]\n  x = old \n\n[B]\r\nx=3\r\n");
    EXPECT_EQ(SetProfileValue(file, "A", "x", "old"), std::nullopt) << "no change, no write";
    EXPECT_EQ(SetProfileValue("[A]\r\nx\r\n", "A", "x", "1"), "[A]\r\nx=1\r\n");
}

TEST(ProfileLines, ANewKeyFollowsTheLastLineOfItsSection)
{
    EXPECT_EQ(SetProfileValue("[A]\r\nx=1\r\n\r\n[B]\r\n", "A", "y", "2"), "[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\n");
    EXPECT_EQ(SetProfileValue("[A]\r\n[B]\r\n", "A", "y", "2"), "[A]\r\ny=2\r\n[B]\r\n");
    EXPECT_EQ(SetProfileValue("[A]", "A", "y", "2"), "[A]\r\ny=2\r\n");
    EXPECT_EQ(SetProfileValue("[A]\nx=1", "a", "y", "2"), "[A]\nx=1\r\ny=2\r\n");
    EXPECT_EQ(SetProfileValue("[A]\r\nx=1\r\n[a]\r\n", "A", "y", "2"), "[A]\r\nx=1\r\ny=2\r\n[a]\r\n");
    EXPECT_EQ(SetProfileValue("[A]\r\n", "", "y", "2"), "y=2\r\n[A]\r\n");
}

TEST(ProfileLines, ANewSectionGoesAtTheEnd)
{
    EXPECT_EQ(SetProfileValue("", "Name", "D:\\" + kHyou, "x"), "[Name]\r\nD:\\" + kHyou + "=x\r\n");
    EXPECT_EQ(SetProfileValue("[A]\r\nx=1", "B", "y", "2"), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
    EXPECT_EQ(SetProfileValue("[A]\nx=1\n", "B", "y", "2"), "[A]\nx=1\n[B]\r\ny=2\r\n");
}

}  // namespace
