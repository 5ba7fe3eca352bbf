// Under Wine with the Japanese locale, the ANSI code page is 932 and the program's Shift-JIS literals mean the
// intended characters to the "A" functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The bytes of a narrow literal, without its terminating zero.
std::vector<unsigned char> BytesOf(const std::string& text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}

// text decoded with the process's ANSI code page.
std::wstring FromAnsi(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

TEST(Cp932Literals, AnsiCodePageIsJapanese)
{
    EXPECT_EQ(GetACP(), 932u);
}

TEST(Cp932Literals, BackslashTrailBytesSurviveTheCrossCompiler)
{
    EXPECT_EQ(BytesOf("ソ"), (std::vector<unsigned char>{0x83, 0x5C}));
    EXPECT_EQ(BytesOf("表"), (std::vector<unsigned char>{0x95, 0x5C}));
    EXPECT_EQ(BytesOf("警告"), (std::vector<unsigned char>{0x8C, 0x78, 0x8D, 0x90}));
    EXPECT_EQ(BytesOf("はい(&Y)"), (std::vector<unsigned char>{0x82, 0xCD, 0x82, 0xA2, 0x28, 0x26, 0x59, 0x29}));
}

TEST(Cp932Literals, AnsiFunctionsReadTheIntendedCharacters)
{
    EXPECT_EQ(FromAnsi("ソ表示\\予定能"), std::wstring(L"\u30BD\u8868\u793A\\\u4E88\u5B9A\u80FD"));
    EXPECT_EQ(FromAnsi("バージョン情報"), std::wstring(L"\u30D0\u30FC\u30B8\u30E7\u30F3\u60C5\u5831"));
}

}  // namespace
