#include "text/ShiftJis.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace {

using text::ByteType;

// The Shift-JIS bytes of the characters the cases use ("表" and "ソ" end in the byte of the backslash).
const std::string kHyou = "\x95\x5C";  // 表
const std::string kSo = "\x83\x5C";    // ソ

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
    const std::string s = "a" + kHyou + "\\";
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
    EXPECT_EQ(text::LastCharIndex(kHyou), 0u);
    EXPECT_EQ(text::LastCharIndex("C:\\" + kHyou), 3u);
    EXPECT_EQ(text::LastCharIndex("C:\\" + kSo + "\\"), 5u);
    EXPECT_EQ(text::LastCharIndex("a\x83"), 1u);
}

// Random byte strings, heavy in lead bytes and 0x5C: ASan reports any read past the end, and the byte types must
// pair up.
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
        SCOPED_TRACE(::testing::PrintToString(s));

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
    }
}

}  // namespace
