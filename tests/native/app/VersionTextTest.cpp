#include "app/rules/VersionText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

TEST(IsVersionText, AcceptsOnlyDigitsAndPoints) {
    EXPECT_TRUE(app::IsVersionText("1.851"));
    EXPECT_TRUE(app::IsVersionText("2"));
    EXPECT_TRUE(app::IsVersionText(""));
    EXPECT_TRUE(app::IsVersionText("."));
    EXPECT_TRUE(app::IsVersionText("1.2.3"));
    EXPECT_FALSE(app::IsVersionText("1.9\r\n"));
    EXPECT_FALSE(app::IsVersionText(" 1.9"));
    EXPECT_FALSE(app::IsVersionText("v1.9"));
    EXPECT_FALSE(app::IsVersionText("-1"));
    EXPECT_FALSE(app::IsVersionText("1,9"));
    EXPECT_FALSE(app::IsVersionText("<html><body>404 Not Found</body></html>"));
}

TEST(IsNewerVersion, ComparesAsDecimalNumbers) {
    for (const char* older : {"1.851", "1.8", "1.10", "1.8510", "01.851", "0", "0.9", "1"}) {
        EXPECT_FALSE(app::IsNewerVersion(older, "1.851")) << older;
    }
    for (const char* newer : {"1.852", "1.9", "2", "10", "1.8511", "1.86", "2.0"}) {
        EXPECT_TRUE(app::IsNewerVersion(newer, "1.851")) << newer;
    }
    EXPECT_TRUE(app::IsNewerVersion(".9", "0.851"));
    EXPECT_FALSE(app::IsNewerVersion("1.", "1"));
}

TEST(IsNewerVersion, TextsThatAreNoNumberCountAsZero) {
    for (const char* received : {"1.9\r\n", "1.2.3", "", ".", "..", "<html>404</html>", "1.9 "}) {
        EXPECT_FALSE(app::IsNewerVersion(received, "1.851")) << received;
    }
    // Zero itself: "0" is not newer than another zero, whatever it is written as.
    EXPECT_FALSE(app::IsNewerVersion("1.2.3", "0"));
    EXPECT_FALSE(app::IsNewerVersion("0.000", ""));
}

TEST(ToVersionNumber, EqualNumbersCompareEqual) {
    const auto same = [](const char* a, const char* b) {
        return app::CompareVersionNumbers(app::ToVersionNumber(a), app::ToVersionNumber(b)) == 0;
    };
    EXPECT_TRUE(same("1.10", "1.1"));
    EXPECT_TRUE(same("002.500", "2.5"));
    EXPECT_TRUE(same("1.", "1"));
    EXPECT_TRUE(same(".5", "0.5"));
    EXPECT_TRUE(same("1.2.3", "0"));
    EXPECT_TRUE(same("0.0", "0"));
    EXPECT_FALSE(same("1.01", "1.1"));
    EXPECT_EQ(app::CompareVersionNumbers(app::ToVersionNumber("0.51"), app::ToVersionNumber("0.6")), -1);
    EXPECT_EQ(app::CompareVersionNumbers(app::ToVersionNumber("10"), app::ToVersionNumber("9.99")), 1);
}

TEST(IsNewerVersion, HugeTextsAreHandled) {
    const std::string digits(5 * 1024 * 1024, '7');
    EXPECT_TRUE(app::IsNewerVersion(digits, "1.851"));
    EXPECT_FALSE(app::IsNewerVersion("1.851", digits));
    EXPECT_FALSE(app::IsNewerVersion(std::string(5 * 1024 * 1024, '0') + ".9", "1.851"));
    EXPECT_TRUE(app::IsNewerVersion("1." + std::string(5 * 1024 * 1024, '9'), "1.851"));
    EXPECT_FALSE(app::IsNewerVersion("1." + digits, "1.851"));
    EXPECT_FALSE(app::IsNewerVersion(std::string(5 * 1024 * 1024, '.'), "1.851"));
    EXPECT_FALSE(app::IsNewerVersion(digits + "\r\n", "1.851"));
}

TEST(IsNewerVersion, PointIsTheDecimalPointInEveryLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    bool switched = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE", "fr_FR.UTF-8", "ja_JP.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            switched = true;
            break;
        }
    }
    EXPECT_TRUE(app::IsNewerVersion("1.9", "1.851"));
    EXPECT_FALSE(app::IsNewerVersion("1.10", "1.851"));
    EXPECT_FALSE(app::IsNewerVersion("1,9", "1.851"));
    std::setlocale(LC_ALL, saved.c_str());
    if (!switched) GTEST_SKIP() << "no other locale installed";
}

TEST(ReceivedText, EndsAtTheFirstZeroByte) {
    EXPECT_EQ(app::ReceivedText(std::string("1.9\0garbage", 11)), "1.9");
    EXPECT_EQ(app::ReceivedText(std::string("\0" "2.0", 4)), "");
    EXPECT_EQ(app::ReceivedText("1.9"), "1.9");
    EXPECT_FALSE(app::IsNewerVersion(app::ReceivedText(std::string("\0" "2.0", 4)), "1.851"));
}

// The comment file is Shift-JIS: its bytes are spelt out (新機能, 更新, 戦).
TEST(CommentText, ShowsTheFirst1024BytesWithoutAHalfCharacterAtTheCut) {
    const std::string ascii1022(1022, 'a');
    const std::string kShinkinou = "\x90\x56\x8B\x40\x94\x5C";
    const std::string kKoushin = "\x8D\x58\x90\x56";
    const std::string kSen = "\x90\xED";
    // Up to 1024 bytes: the text as it came, to its first 0 byte.
    EXPECT_EQ(app::CommentText(kShinkinou), kShinkinou);
    EXPECT_EQ(app::CommentText(ascii1022 + kSen), ascii1022 + kSen);
    EXPECT_EQ(app::CommentText(kShinkinou + std::string("\0garbage", 8)), kShinkinou);
    // Longer: the first 1024 bytes, one fewer when the 1,024th opens a character that the cut splits.
    EXPECT_EQ(app::CommentText(ascii1022 + "ab" + kKoushin), ascii1022 + "ab");
    EXPECT_EQ(app::CommentText(ascii1022 + "a" + kKoushin), ascii1022 + "a");
    // 戦 is 0x90 0xED: its trail byte looks like a lead byte and stays.
    EXPECT_EQ(app::CommentText(ascii1022 + kSen + kKoushin), ascii1022 + kSen);
    EXPECT_EQ(app::CommentText(std::string("abc\0", 4) + ascii1022), "abc");
}

TEST(UpdateUrls, AreBuiltFromHostPathsAndTheSettingsFileName) {
    EXPECT_EQ(app::UpdateFileName("Tessaly.ini"), "Tessaly.txt");
    EXPECT_EQ(app::UpdateFileName("C:\\ソフト\\Tessaly.ini"), "Tessaly.txt");
    EXPECT_EQ(app::UpdateFileName("C:\\tools.d\\Tessaly"), "Tessaly.txt");
    EXPECT_EQ(app::VersionFileUrl("www.example.jp", "Tessaly.txt"), "http://www.example.jp/kessa/soft/ver/Tessaly.txt");
    EXPECT_EQ(app::CommentFileUrl("www.example.jp", "Tessaly.txt"),
              "http://www.example.jp/kessa/soft/coment/Tessaly.txt");
    EXPECT_EQ(app::DownloadPageUrl("www.example.jp"), "http://www.example.jp/kessa/");
}

TEST(UpdateQuestion, JoinsItsLinesWithLineFeedThenCarriageReturn) {
    EXPECT_EQ(app::UpdateQuestion("1.9"), "バージョン1.9がリリースされています。\n\rダウンロードしますか？");
}

}  // namespace
