// The integer and boolean meaning of settings values, and the bound on list reads.
#include "settings/rules/ProfileValues.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using settings::BoundEntryCount;
using settings::CountProfileNames;
using settings::FormatProfileBool;
using settings::FormatProfileInteger;
using settings::ParseProfileBool;
using settings::ParseProfileInteger;

TEST(ProfileValuesTest, DecimalIntegers)
{
    EXPECT_EQ(ParseProfileInteger("0", 7), 0);
    EXPECT_EQ(ParseProfileInteger("2", 7), 2);
    EXPECT_EQ(ParseProfileInteger("-12", 7), -12);
    EXPECT_EQ(ParseProfileInteger("+12", 7), 12);
    EXPECT_EQ(ParseProfileInteger("007", 1), 7);
    EXPECT_EQ(ParseProfileInteger("-0", 7), 0);
    EXPECT_EQ(ParseProfileInteger("2147483647", 7), INT_MAX);
    EXPECT_EQ(ParseProfileInteger("-2147483648", 7), INT_MIN);
    EXPECT_EQ(ParseProfileInteger("00000000000000000000002147483647", 7), INT_MAX);
}

TEST(ProfileValuesTest, HexadecimalIntegers)
{
    EXPECT_EQ(ParseProfileInteger("0x3", 2), 3);
    EXPECT_EQ(ParseProfileInteger("0X1f", 2), 31);
    EXPECT_EQ(ParseProfileInteger("0xAbC", 2), 0xABC);
    EXPECT_EQ(ParseProfileInteger("$10", 2), 16);
    EXPECT_EQ(ParseProfileInteger("$ff", 2), 255);
    EXPECT_EQ(ParseProfileInteger("0x7FFFFFFF", 2), INT_MAX);
    EXPECT_EQ(ParseProfileInteger("$0000000000007fffffff", 2), INT_MAX);
    EXPECT_EQ(ParseProfileInteger("0x00", 2), 0);
}

TEST(ProfileValuesTest, AnythingElseGivesTheDefault)
{
    for (const char* text : {"", "abc", "yes", "0x", "0X", "$", "x10", "0x-1", "0xg", "$-1", "-$10", "-0x10", "+",
                             "-", "--1", "1.5", "1e3", "12abc", "1 2", "- 5", "0x 1", "\xef\xbc\x91", "2147483648",
                             "-2147483649", "99999999999999999999", "0x80000000", "0xFFFFFFFF", "$100000000",
                             "0x1FFFFFFFFFFFFFFFF"})
        EXPECT_EQ(ParseProfileInteger(text, -77), -77) << '"' << text << '"';
    EXPECT_EQ(ParseProfileInteger(std::string("1\0" "2", 3), -77), -77) << "an embedded NUL is not a digit";
}

TEST(ProfileValuesTest, SurroundingBlanksAreIgnored)
{
    EXPECT_EQ(ParseProfileInteger(" 42", 2), 42);
    EXPECT_EQ(ParseProfileInteger("42 \t", 2), 42);
    EXPECT_EQ(ParseProfileInteger("\t-0x10 ", 2), 2) << "still no sign before a hexadecimal number";
    EXPECT_EQ(ParseProfileInteger(" 0x10 ", 2), 16);
    EXPECT_EQ(ParseProfileInteger("  ", 2), 2);
    EXPECT_EQ(ParseProfileInteger(" 0x ", 2), 2) << "\"0x\" after stripping blanks is two characters long";
}

TEST(ProfileValuesTest, Booleans)
{
    EXPECT_TRUE(ParseProfileBool("1", false));
    EXPECT_TRUE(ParseProfileBool("2", false));
    EXPECT_TRUE(ParseProfileBool("-1", false));
    EXPECT_TRUE(ParseProfileBool("0x10", false));
    EXPECT_FALSE(ParseProfileBool("0", true));
    EXPECT_FALSE(ParseProfileBool("$0", true));
    EXPECT_TRUE(ParseProfileBool("yes", true));
    EXPECT_FALSE(ParseProfileBool("yes", false));
    EXPECT_FALSE(ParseProfileBool("true", false));
    EXPECT_TRUE(ParseProfileBool("", true));
}

TEST(ProfileValuesTest, FormattingRoundTrips)
{
    EXPECT_EQ(FormatProfileInteger(0), "0");
    EXPECT_EQ(FormatProfileInteger(284), "284");
    EXPECT_EQ(FormatProfileInteger(-5), "-5");
    EXPECT_EQ(FormatProfileInteger(INT_MIN), "-2147483648");
    EXPECT_EQ(FormatProfileBool(true), "1");
    EXPECT_EQ(FormatProfileBool(false), "0");
    for (int value : {0, 1, -1, 10, 225, INT_MAX, INT_MIN, INT_MIN + 1})
        EXPECT_EQ(ParseProfileInteger(FormatProfileInteger(value), 12345), value);
    EXPECT_TRUE(ParseProfileBool(FormatProfileBool(true), false));
    EXPECT_FALSE(ParseProfileBool(FormatProfileBool(false), true));
}

TEST(ProfileValuesTest, NameListsAndTheBoundOnEntries)
{
    using namespace std::string_literals;
    EXPECT_EQ(CountProfileNames(""s), 0u);
    EXPECT_EQ(CountProfileNames("\0\0"s), 0u);
    EXPECT_EQ(CountProfileNames("count\0ex1\0ex2\0\0"s), 3u);
    EXPECT_EQ(CountProfileNames("count\0ex1\0\0garbage\0\0"s), 2u) << "the list ends at the empty name";
    EXPECT_EQ(CountProfileNames("count\0ex1"s), 2u) << "a list cut by the end of the buffer";

    EXPECT_EQ(BoundEntryCount(0, 10), 0);
    EXPECT_EQ(BoundEntryCount(-5, 10), 0);
    EXPECT_EQ(BoundEntryCount(INT_MIN, 10), 0);
    EXPECT_EQ(BoundEntryCount(3, 4), 3);
    EXPECT_EQ(BoundEntryCount(3, 3), 3);
    EXPECT_EQ(BoundEntryCount(3, 2), 2);
    EXPECT_EQ(BoundEntryCount(INT_MAX, 3), 3);
    EXPECT_EQ(BoundEntryCount(INT_MAX, 0), 0);
}

}  // namespace
