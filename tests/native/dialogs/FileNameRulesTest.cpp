#include "dialogs/rules/FileNameRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Offenders = std::vector<char>;

TEST(InvalidNameChars, TableHoldsTheEightCharactersInOrder) {
    const std::string table(dialogs::InvalidNameChars.begin(), dialogs::InvalidNameChars.end());
    EXPECT_EQ(table, "\\/:*\"<>|");
}

TEST(FindInvalidNameChars, ReportsEachOffenderOnceInTableOrder) {
    EXPECT_EQ(dialogs::FindInvalidNameChars("a/b.txt"), Offenders{'/'});
    EXPECT_EQ(dialogs::FindInvalidNameChars("a<b>.txt"), (Offenders{'<', '>'}));
    EXPECT_EQ(dialogs::FindInvalidNameChars("a>b<.txt"), (Offenders{'<', '>'}));
    EXPECT_EQ(dialogs::FindInvalidNameChars("|><\"*:/\\"), (Offenders{'\\', '/', ':', '*', '"', '<', '>', '|'}));
    EXPECT_EQ(dialogs::FindInvalidNameChars("a//b**.txt"), (Offenders{'/', '*'}));
}

TEST(FindInvalidNameChars, PassesNamesWithoutOffenders) {
    EXPECT_TRUE(dialogs::FindInvalidNameChars("report.txt").empty());
    EXPECT_TRUE(dialogs::FindInvalidNameChars("").empty());
    // The question mark is left to the rename itself.
    EXPECT_TRUE(dialogs::FindInvalidNameChars("what?.txt").empty());
}

TEST(FindInvalidNameChars, SecondBytesOfDoubleByteCharactersAreNoOffenders) {
    // "ソ" is 83 5C, "表" 95 5C, "ポ" 83 7C: their second bytes are the values of the backslash and the bar.
    EXPECT_TRUE(dialogs::FindInvalidNameChars("ソフト.txt").empty());
    EXPECT_TRUE(dialogs::FindInvalidNameChars("表.txt").empty());
    EXPECT_TRUE(dialogs::FindInvalidNameChars("ポップ.txt").empty());
}

TEST(FindInvalidNameChars, RealCharactersAfterLookalikeBytesAreStillFound) {
    // A backslash after "ソ" would move the file into another folder.
    EXPECT_EQ(dialogs::FindInvalidNameChars("ソ\\x.txt"), Offenders{'\\'});
    EXPECT_EQ(dialogs::FindInvalidNameChars("ソ\\..\\..\\x.txt"), Offenders{'\\'});
    EXPECT_EQ(dialogs::FindInvalidNameChars("ポ|.txt"), Offenders{'|'});
    EXPECT_EQ(dialogs::FindInvalidNameChars("|ポ.txt"), Offenders{'|'});
}

TEST(InvalidNameCharMessage, QuotesTheCharacter) {
    EXPECT_EQ(dialogs::InvalidNameCharMessage('/'), "\"/\"はファイル名に使えません");
    EXPECT_EQ(dialogs::InvalidNameCharMessage('"'), "\"\"\"はファイル名に使えません");
}

TEST(ExtractFileExt, TakesTheExtensionOfTheLastComponent) {
    EXPECT_EQ(dialogs::ExtractFileExt("report.txt"), ".txt");
    EXPECT_EQ(dialogs::ExtractFileExt("C:\\docs\\archive.tar.gz"), ".gz");
    EXPECT_EQ(dialogs::ExtractFileExt("C:\\docs.old\\README"), "");
    EXPECT_EQ(dialogs::ExtractFileExt("C:\\docs\\.profile"), ".profile");
    EXPECT_EQ(dialogs::ExtractFileExt("C:\\docs\\report."), ".");
    EXPECT_EQ(dialogs::ExtractFileExt("C:\\docs\\"), "");
    EXPECT_EQ(dialogs::ExtractFileExt("C:report.txt"), ".txt");
    EXPECT_EQ(dialogs::ExtractFileExt(""), "");
    // The name ends in 5C, the second byte of "ソ": no backslash, so the extension is ".ソ".
    EXPECT_EQ(dialogs::ExtractFileExt("C:\\docs\\report.ソ"), ".ソ");
}

TEST(SameFileExt, ComparesByteForByte) {
    EXPECT_FALSE(dialogs::SameFileExt("C:\\d\\report.txt", "C:\\d\\report.TXT"));
    EXPECT_FALSE(dialogs::SameFileExt("C:\\d\\report.TXT", "C:\\d\\report.txt"));
    EXPECT_FALSE(dialogs::SameFileExt("C:\\d\\report.txt", "C:\\d\\report.doc"));
    EXPECT_TRUE(dialogs::SameFileExt("C:\\d\\report.txt", "C:\\d\\memo.txt"));
    EXPECT_TRUE(dialogs::SameFileExt("C:\\d.x\\README", "C:\\d.x\\READ"));
    // An empty new name has no extension: a file with one asks first.
    EXPECT_FALSE(dialogs::SameFileExt("C:\\d\\report.txt", "C:\\d\\"));
    EXPECT_TRUE(dialogs::SameFileExt("C:\\d\\README", "C:\\d\\"));
}

TEST(RenamedPath, KeepsTheFolderAndTakesTheNameAsTyped) {
    EXPECT_EQ(dialogs::RenamedPath("C:\\docs\\report.txt", "memo.txt"), "C:\\docs\\memo.txt");
    EXPECT_EQ(dialogs::RenamedPath("C:\\ソフト\\report.txt", " memo .txt "), "C:\\ソフト\\ memo .txt ");
    EXPECT_EQ(dialogs::RenamedPath("C:\\docs\\表", "x"), "C:\\docs\\x");
    EXPECT_EQ(dialogs::RenamedPath("C:\\docs\\report.txt", ""), "C:\\docs\\");
}

TEST(ExtractFileName, TakesThePartAfterTheLastBackslash) {
    EXPECT_EQ(dialogs::ExtractFileName("C:\\docs\\report.txt"), "report.txt");
    EXPECT_EQ(dialogs::ExtractFileName("C:\\docs\\表"), "表");
    EXPECT_EQ(dialogs::ExtractFileName("C:\\docs\\"), "");
    EXPECT_EQ(dialogs::ExtractFileName("report.txt"), "report.txt");
}

}  // namespace
