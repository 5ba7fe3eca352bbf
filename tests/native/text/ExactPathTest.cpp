#include "text/ExactPath.h"

#include <gtest/gtest.h>

namespace {

using text::NameRewrite;

TEST(ExactPath, NamesEndingInAPointOrBlankAndDeviceNamesAreRewritten) {
    for (const char* name : {"report.txt.", "report.txt ", "old.", "old ", "a. .", "...", "メモ."}) {
        EXPECT_EQ(text::RewriteOfName(name), NameRewrite::TrailingDotOrBlank) << name;
    }
    for (const char* name : {"aux.txt", "AUX", "nul", "Con.tar.gz", "prn .txt", "com1", "LPT9.log", "com0",
                             "com\xC2\xB9.txt", "lpt\xC2\xB3", "conin$", "CONOUT$.x", "nul:stream"}) {
        EXPECT_EQ(text::RewriteOfName(name), NameRewrite::DeviceName) << name;
    }
    // Names that merely look alike reach themselves, as do a full-width blank at the end and the dot entries.
    for (const char* name : {"report.txt", "auxiliary.txt", "xaux.txt", "com10", "com", "lpt\xC2\xB4", "nul_",
                             ".hidden", "a.b", "メモ\xE3\x80\x80", ".", "..", ""}) {
        EXPECT_EQ(text::RewriteOfName(name), NameRewrite::None) << name;
    }
}

TEST(ExactPath, TheFirstRewrittenNameBelowTheRootIsFound) {
    EXPECT_EQ(text::FindRewrittenName("C:\\base\\report.txt.").name, "report.txt.");
    const text::RewrittenName folder = text::FindRewrittenName("C:\\base\\old.\\a.txt");
    EXPECT_EQ(folder.rewrite, NameRewrite::TrailingDotOrBlank);
    EXPECT_EQ(folder.name, "old.");
    const text::RewrittenName device = text::FindRewrittenName("C:\\base\\aux.txt");
    EXPECT_EQ(device.rewrite, NameRewrite::DeviceName);
    EXPECT_EQ(device.name, "aux.txt");
    EXPECT_EQ(text::FindRewrittenName("C:/base/nul").name, "nul");
    EXPECT_EQ(text::FindRewrittenName("\\\\?\\C:\\base\\report.txt.").name, "report.txt.");
    EXPECT_EQ(text::FindRewrittenName("relative\\old \\x").name, "old ");
    // The root's names are not the folder's: a machine or share called "nul", the verbatim prefix's "?".
    EXPECT_EQ(text::FindRewrittenName("\\\\nul\\con\\a.txt").rewrite, NameRewrite::None);
    EXPECT_EQ(text::FindRewrittenName("\\\\?\\UNC\\nul\\con\\a.txt").rewrite, NameRewrite::None);
    EXPECT_EQ(text::FindRewrittenName("\\\\?\\C:\\").rewrite, NameRewrite::None);
    EXPECT_EQ(text::FindRewrittenName("C:\\base\\..\\.\\a.txt").rewrite, NameRewrite::None);
    EXPECT_EQ(text::FindRewrittenName("C:\\base\\").rewrite, NameRewrite::None);
}

TEST(ExactPath, FullPathsResolvePointsAndSlashesAndKeepEveryNameAsWritten) {
    EXPECT_EQ(text::ResolveFullPath("C:\\base\\old.\\report.txt."), "C:\\base\\old.\\report.txt.");
    EXPECT_EQ(text::ResolveFullPath("C:\\base\\old \\"), "C:\\base\\old \\");
    EXPECT_EQ(text::ResolveFullPath("C:\\a\\..\\b\\.\\c"), "C:\\b\\c");
    EXPECT_EQ(text::ResolveFullPath("C:/a//b\\\\c/"), "C:\\a\\b\\c\\");
    EXPECT_EQ(text::ResolveFullPath("C:\\..\\..\\x"), "C:\\x");
    EXPECT_EQ(text::ResolveFullPath("C:\\a\\.."), "C:\\");
    EXPECT_EQ(text::ResolveFullPath("C:\\"), "C:\\");
    EXPECT_EQ(text::ResolveFullPath("D:\\ソ\\表\\"), "D:\\ソ\\表\\");
    EXPECT_EQ(text::ResolveFullPath("C:\\a\\...\\b"), "C:\\a\\...\\b");  // three points are a name
    EXPECT_EQ(text::ResolveFullPath("\\\\server\\share\\a\\..\\..\\b."), "\\\\server\\share\\b.");
    EXPECT_EQ(text::ResolveFullPath("\\\\server\\share"), "\\\\server\\share");
    EXPECT_EQ(text::ResolveFullPath("\\\\?\\C:\\a\\..\\b."), "\\\\?\\C:\\a\\..\\b.");  // verbatim: as written
    for (const char* other : {"", "a\\b.", ".\\x", "C:x", "\\x", "\\\\server", "\\\\.\\C:\\x", "\\\\server\\..\\x"}) {
        EXPECT_EQ(text::ResolveFullPath(other), "") << other;
    }
}

TEST(ExactPath, TheVerbatimFormNeedsAResolvedFullPath) {
    EXPECT_EQ(text::VerbatimPath("C:\\base\\report.txt."), "\\\\?\\C:\\base\\report.txt.");
    EXPECT_EQ(text::VerbatimPath("\\\\server\\share\\old.\\"), "\\\\?\\UNC\\server\\share\\old.\\");
    EXPECT_EQ(text::VerbatimPath("\\\\?\\C:\\x."), "\\\\?\\C:\\x.");
    for (const char* unresolved : {"C:\\a\\..\\b.", "C:/a.", "C:\\a\\\\b.", "C:\\.\\b.", "b.", "C:b."}) {
        EXPECT_EQ(text::VerbatimPath(unresolved), "") << unresolved;
    }
    EXPECT_EQ(text::WithoutVerbatimPrefix("\\\\?\\C:\\a."), "C:\\a.");
    EXPECT_EQ(text::WithoutVerbatimPrefix("\\\\?\\UNC\\server\\share\\a."), "\\\\server\\share\\a.");
    EXPECT_EQ(text::WithoutVerbatimPrefix("C:\\a"), "C:\\a");
}

TEST(ExactPath, TheFileFunctionsGetTheVerbatimFormOnlyWhereTheRulesWouldChangeTheName) {
    // Names the rules leave alone keep the ordinary form (and its limits) as before.
    EXPECT_EQ(text::ExactSystemPath("C:\\base\\report.txt"), "C:\\base\\report.txt");
    EXPECT_EQ(text::ExactSystemPath("C:\\base\\*.txt"), "C:\\base\\*.txt");
    EXPECT_EQ(text::ExactSystemPath("help.hlp"), "help.hlp");
    EXPECT_EQ(text::ExactSystemPath("C:\\base\\report.txt."), "\\\\?\\C:\\base\\report.txt.");
    EXPECT_EQ(text::ExactSystemPath("C:\\base\\old.\\a.txt"), "\\\\?\\C:\\base\\old.\\a.txt");
    EXPECT_EQ(text::ExactSystemPath("C:\\base\\aux.txt"), "\\\\?\\C:\\base\\aux.txt");
    EXPECT_EQ(text::ExactSystemPath("C:\\base\\sub\\..\\nul"), "\\\\?\\C:\\base\\nul");
    EXPECT_EQ(text::ExactSystemPath("\\\\server\\share\\report.txt "), "\\\\?\\UNC\\server\\share\\report.txt ");
    EXPECT_EQ(text::ExactSystemPath("\\\\?\\C:\\base\\x."), "\\\\?\\C:\\base\\x.");
    // No form reaches a relative name exactly: nothing rather than the other file.
    EXPECT_EQ(text::ExactSystemPath("report.txt."), "");
    EXPECT_EQ(text::ExactSystemPath("\\\\.\\C:\\report.txt."), "");
}

}  // namespace
