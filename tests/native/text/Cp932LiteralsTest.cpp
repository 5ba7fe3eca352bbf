// The program's Japanese texts are written in UTF-8 and must reach the program as Shift-JIS (code page 932) bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The bytes of a narrow literal, without its terminating zero.
std::vector<unsigned char> BytesOf(const std::string& text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}

TEST(Cp932Literals, DoubleByteCharactersWithBackslashTrailKeepBothBytes)
{
    EXPECT_EQ(BytesOf("ソ"), (std::vector<unsigned char>{0x83, 0x5C}));
    EXPECT_EQ(BytesOf("表"), (std::vector<unsigned char>{0x95, 0x5C}));
    // A real backslash between such characters stays one byte, so a path keeps its separators.
    EXPECT_EQ(BytesOf("ソ表示\\予定能"), (std::vector<unsigned char>{0x83, 0x5C, 0x95, 0x5C, 0x8E, 0xA6, 0x5C, 0x97,
                                                                  0x5C, 0x92, 0xE8, 0x94, 0x5C}));
}

TEST(Cp932Literals, ProgramTextsAreShiftJis)
{
    EXPECT_EQ(BytesOf("警告"), (std::vector<unsigned char>{0x8C, 0x78, 0x8D, 0x90}));
    EXPECT_EQ(BytesOf("はい(&Y)"), (std::vector<unsigned char>{0x82, 0xCD, 0x82, 0xA2, 0x28, 0x26, 0x59, 0x29}));
    EXPECT_EQ(BytesOf("バージョン情報"), (std::vector<unsigned char>{0x83, 0x6F, 0x81, 0x5B, 0x83, 0x57, 0x83, 0x87,
                                                                   0x83, 0x93, 0x8F, 0xEE, 0x95, 0xF1}));
    EXPECT_EQ(BytesOf("%s に書き込めません"),
              (std::vector<unsigned char>{0x25, 0x73, 0x20, 0x82, 0xC9, 0x8F, 0x91, 0x82, 0xAB, 0x8D, 0x9E, 0x82, 0xDF,
                                          0x82, 0xDC, 0x82, 0xB9, 0x82, 0xF1}));
}

TEST(Cp932Literals, SizeofCountsShiftJisBytes)
{
    // Two bytes per kana or kanji, plus the terminating zero: fixed buffers are sized in these bytes.
    EXPECT_EQ(sizeof("終了"), 5u);
}

}  // namespace
