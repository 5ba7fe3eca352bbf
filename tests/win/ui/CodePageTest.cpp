// The conversions at the program's edge under the Japanese locale: the program's UTF-8 texts and the system's UTF-16
// are exact both ways, and the code page (932) is asked only whether it holds a text and what its bytes are.
#include "ui/CodePage.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(CodePage, AnsiCodePageIsJapanese)
{
    EXPECT_EQ(GetACP(), 932u);
}

TEST(CodePage, TextsReachTheSystemAsTheIntendedCharacters)
{
    EXPECT_EQ(ui::ToWide("ソ表示\\予定能"), std::wstring(L"\u30BD\u8868\u793A\\\u4E88\u5B9A\u80FD"));
    EXPECT_EQ(ui::ToWide("café 한글 😀"), std::wstring(L"caf\u00E9 \uD55C\uAE00 \U0001F600"));
    EXPECT_EQ(ui::FromWide(L"\u30D0\u30FC\u30B8\u30E7\u30F3\u60C5\u5831"), "バージョン情報");
    // A name with an unpaired surrogate, as NTFS allows, comes back to the system as it was.
    const std::wstring lone = L"a\xD800.txt";
    EXPECT_EQ(ui::ToWide(ui::FromWide(lone)), lone);
}

TEST(CodePage, OnlyTextsTheCodePageHoldsArePassedAsThemselves)
{
    EXPECT_TRUE(ui::CodePageHolds(L"D:\\ソフト\\表示名"));
    EXPECT_TRUE(ui::CodePageHolds(L""));
    EXPECT_FALSE(ui::CodePageHolds(L"D:\\caf\u00E9"));
    EXPECT_FALSE(ui::CodePageHolds(L"\uD55C\uAE00"));
    EXPECT_FALSE(ui::CodePageHolds(L"a\u00A5b")) << "the yen sign would become the byte of the backslash";
    EXPECT_EQ(ui::ToCodePageWithoutBestFit(L"\u8868"), "\x95\x5C");
    EXPECT_EQ(ui::ToCodePageWithoutBestFit(L"a\u00A5b"), "a?b");
    EXPECT_EQ(ui::FromCodePage("\x83\x5C"), L"\u30BD");
}

// What the system's code page holds, for the code that still asks: UTF-8 holds every text.
TEST(CodePage, TheSystemsCodePageIsAskedRightlyEvenWhenItIsUtf8)
{
    {
        const ui::ScopedSystemCodePage system(ui::kUtf8CodePage);
        EXPECT_TRUE(ui::CodePageHolds(L"D:\\caf\u00E9 \uD55C\uAE00 \U0001F600 \u8868"));
        EXPECT_FALSE(ui::CodePageHolds(L"a\xD800" L"b")) << "an unpaired surrogate has no UTF-8 form";
        EXPECT_EQ(ui::FromCodePage("caf\xC3\xA9"), L"caf\u00E9");
    }
    {
        const ui::ScopedSystemCodePage system(1252);
        EXPECT_TRUE(ui::CodePageHolds(L"D:\\caf\u00E9"));
        EXPECT_FALSE(ui::CodePageHolds(L"\u8868"));
    }
    EXPECT_TRUE(ui::CodePageHolds(L"\u8868"));
    EXPECT_FALSE(ui::CodePageHolds(L"D:\\caf\u00E9"));
    EXPECT_TRUE(ui::CodePageHolds(L"\uD55C\uAE00", ui::kUtf8CodePage)) << "a code page named by its number";
    EXPECT_EQ(ui::ToCodePageExactly(L"\u8868", ui::kShiftJisCodePage), std::optional<std::string>("\x95\x5C"));
    EXPECT_EQ(ui::ToCodePageExactly(L"caf\u00E9", ui::kShiftJisCodePage), std::nullopt);
}

}  // namespace
