#include "settings/rules/StoredText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(StoredText, EveryTextComesBackExactly) {
    for (const char* text : {"D:\\café", "한글", "😀", "a=b", "50%", " spaces at both ends ", "", "|utf-8|x",
                             "C:\\資料\\자료 café\\", "\"quoted\"", ";[x]"}) {
        SCOPED_TRACE(text);
        const std::string stored = settings::EncodeStoredText(text);
        EXPECT_EQ(settings::DecodeStoredText(stored), std::optional<std::string>(text));
    }
}

TEST(StoredText, TheFormIsPrintableAsciiWithoutBlanksOrEqualsSigns) {
    EXPECT_EQ(settings::EncodeStoredText("D:\\café"), "|utf-8|D:\\caf%C3%A9");
    EXPECT_EQ(settings::EncodeStoredText("a b=50%"), "|utf-8|a%20b%3D50%25");
    for (const char* text : {"D:\\자료 café", " x ", "a=b", "\t\r\n"}) {
        const std::string stored = settings::EncodeStoredText(text);
        for (char c : stored) {
            EXPECT_GT(static_cast<unsigned char>(c), 0x20) << stored;
            EXPECT_LT(static_cast<unsigned char>(c), 0x7F) << stored;
            EXPECT_NE(c, '=') << stored;
        }
    }
}

TEST(StoredText, ValuesNotInTheFormAreNotDecoded) {
    EXPECT_FALSE(settings::DecodeStoredText("D:\\cafe").has_value());
    EXPECT_FALSE(settings::DecodeStoredText("utf-8|D:\\caf%C3%A9").has_value());
    EXPECT_FALSE(settings::DecodeStoredText("|utf-8|caf%C").has_value());
    EXPECT_FALSE(settings::DecodeStoredText("|utf-8|caf%G1").has_value());
    EXPECT_FALSE(settings::DecodeStoredText("|utf-8|caf\xC3\xA9").has_value());  // a raw byte the form never holds
    EXPECT_FALSE(settings::DecodeStoredText("|utf-8|a b").has_value());
    EXPECT_EQ(settings::DecodeStoredText("|utf-8|"), std::optional<std::string>(""));
    EXPECT_EQ(settings::DecodeStoredText("|utf-8|caf%c3%a9"), std::optional<std::string>("café"));
}

TEST(StoredText, ATextThatLooksStoredIsStoredToo) {
    EXPECT_TRUE(settings::LooksLikeStoredText("|utf-8|caf%C3%A9"));
    EXPECT_FALSE(settings::LooksLikeStoredText("|utf-8|a b"));
    EXPECT_FALSE(settings::LooksLikeStoredText("D:\\表示名"));
}

}  // namespace

namespace {

using settings::NeedsStoredForm;
using settings::ProfileText;

// Texts the profile format would read back as another text are stored, keys and values alike.
TEST(StoredText, WhatTheFormatCannotHoldAsItIsIsStored) {
    for (const char* text : {" x", "x ", "\tx", "x\t", "a\r\nb", "a\nb", "a\rb", "\"x\"", "'x'", "\"\"", "|utf-8|x"}) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(NeedsStoredForm(text, ProfileText::Key));
        EXPECT_TRUE(NeedsStoredForm(text, ProfileText::Value));
    }
    EXPECT_TRUE(NeedsStoredForm(std::string("a\0b", 3), ProfileText::Value));
    for (const char* text : {"2024=old", "D:\\a=b", "[x]", ";x", "=x"}) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(NeedsStoredForm(text, ProfileText::Key));
        EXPECT_FALSE(NeedsStoredForm(text, ProfileText::Value)) << "a value follows the key's \"=\"";
    }
    for (const char* text : {"", "D:\\Docs", "a b", "\"x", "x\"", "x;[y]", "D:\\表示"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(NeedsStoredForm(text, ProfileText::Key));
        EXPECT_FALSE(NeedsStoredForm(text, ProfileText::Value));
    }
}

}  // namespace
