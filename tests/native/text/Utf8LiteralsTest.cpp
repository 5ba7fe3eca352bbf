// The program's texts are written in UTF-8 and reach the program as UTF-8 bytes, the one form of every text inside
// it; the code page's bytes are made only where a file holds them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The bytes of a narrow literal, without its terminating zero.
std::vector<unsigned char> BytesOf(const std::string& text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}

TEST(Utf8Literals, ProgramTextsAreUtf8)
{
    EXPECT_EQ(BytesOf("警告"), (std::vector<unsigned char>{0xE8, 0xAD, 0xA6, 0xE5, 0x91, 0x8A}));
    EXPECT_EQ(BytesOf("はい(&Y)"), (std::vector<unsigned char>{0xE3, 0x81, 0xAF, 0xE3, 0x81, 0x84, 0x28, 0x26, 0x59, 0x29}));
    EXPECT_EQ(BytesOf("café"), (std::vector<unsigned char>{0x63, 0x61, 0x66, 0xC3, 0xA9}));
}

TEST(Utf8Literals, NoByteOfACharacterIsABackslash)
{
    // "ソ" and "表" end in 0x5C in Shift-JIS; in UTF-8 no byte of them is below 0x80, and a real backslash between
    // them stays one byte of its own.
    EXPECT_EQ(BytesOf("ソ\\表"), (std::vector<unsigned char>{0xE3, 0x82, 0xBD, 0x5C, 0xE8, 0xA1, 0xA8}));
}

}  // namespace
