#include "app/rules/DisplayNames.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

const std::string kBase = "C:\\Tools\\Launcher\\";

// A Name2 section held in memory; records every lookup so the tests can see the key and the default asked for.
struct Name2Section {
    std::map<std::string, std::string> values;
    std::vector<std::pair<std::string, std::string>> lookups;

    app::Name2Reader Reader() {
        return [this](const std::string& key, const std::string& defaultValue) {
            lookups.emplace_back(key, defaultValue);
            const auto found = values.find(key);
            return found == values.end() ? defaultValue : found->second;
        };
    }
};

TEST(DisplayNames, WorkedExample) {
    // The walker's names: the base folder as given, every other folder without trailing backslash.
    EXPECT_EQ(app::FolderListEntry(kBase, "C:\\Tools\\Launcher\\"), "Launcher");
    EXPECT_EQ(app::FolderListEntry(kBase, "C:\\Tools\\Launcher\\Docs"), "Docs");
    EXPECT_EQ(app::FolderListEntry(kBase, "C:\\Tools\\Launcher\\Docs\\Old"), "Docs\\Old");
    EXPECT_EQ(app::FolderListEntry(kBase, "C:\\Tools\\Launcher\\Games"), "Games");
    EXPECT_EQ(app::FixedFolderEntry("Projects"), "Projects/");

    Name2Section name2;
    name2.values["Projects"] = "D:\\Work\\Projects";
    const app::Name2Reader read = name2.Reader();
    EXPECT_EQ(app::DisplayNameToPath(kBase, "Launcher", read), "C:\\Tools\\Launcher\\");
    EXPECT_EQ(app::DisplayNameToPath(kBase, "Docs", read), "C:\\Tools\\Launcher\\Docs\\");
    EXPECT_EQ(app::DisplayNameToPath(kBase, "Docs\\Old", read), "C:\\Tools\\Launcher\\Docs\\Old\\");
    EXPECT_EQ(app::DisplayNameToPath(kBase, "Games", read), "C:\\Tools\\Launcher\\Games\\");
    EXPECT_EQ(app::DisplayNameToPath(kBase, "Projects/", read), "D:\\Work\\Projects\\");
    EXPECT_EQ(app::DisplayNameToPath(kBase, "", read), "C:\\Tools\\Launcher\\");
    // Only the fixed folder consults Name2, by its name without "/" and with the base folder as default.
    ASSERT_EQ(name2.lookups.size(), 1u);
    EXPECT_EQ(name2.lookups[0].first, "Projects");
    EXPECT_EQ(name2.lookups[0].second, kBase);
}

TEST(DisplayNames, FolderDepthAndWalkLimit) {
    EXPECT_EQ(app::GetFolderDepth(kBase, "C:\\Tools\\Launcher\\"), 0);
    EXPECT_EQ(app::GetFolderDepth(kBase, "C:\\Tools\\Launcher\\Docs"), 1);
    EXPECT_EQ(app::GetFolderDepth(kBase, "C:\\Tools\\Launcher\\Docs\\Old"), 2);
    EXPECT_EQ(app::GetFolderDepth(kBase, "C:\\Tools\\Launcher\\Docs\\Old\\2019"), 3);

    // Depth 2: the walker reads level 1 folders' children but stays out of level 2 folders.
    EXPECT_FALSE(app::IsAtWalkDepthLimit(kBase, "C:\\Tools\\Launcher\\Docs", 2));
    EXPECT_TRUE(app::IsAtWalkDepthLimit(kBase, "C:\\Tools\\Launcher\\Docs\\Old", 2));
    // Depth 0, and a negative depth like it, keep the walk at the base folder.
    EXPECT_TRUE(app::IsAtWalkDepthLimit(kBase, kBase, 0));
    EXPECT_TRUE(app::IsAtWalkDepthLimit(kBase, kBase, -3));
}

TEST(DisplayNames, DoubleByteNamesEndingIn5C) {
    // 表 and ソ end in byte 0x5C; neither is a backslash.
    EXPECT_EQ(app::GetFolderDepth(kBase, "C:\\Tools\\Launcher\\表"), 1);
    EXPECT_EQ(app::GetFolderDepth(kBase, "C:\\Tools\\Launcher\\表\\ソ"), 2);
    EXPECT_EQ(app::DisplayNameToPath(kBase, "表", nullptr), "C:\\Tools\\Launcher\\表\\");
    EXPECT_EQ(app::DisplayNameToPath(kBase, "表\\ソ", nullptr), "C:\\Tools\\Launcher\\表\\ソ\\");

    EXPECT_EQ(app::GetBaseFolderName("C:\\表\\"), "表");
    EXPECT_EQ(app::GetBaseFolderName("C:\\Tools\\ソフト\\"), "ソフト");
    EXPECT_EQ(app::GetBaseFolderName("C:\\ソ\\表\\"), "表");
    EXPECT_EQ(app::FolderListEntry("C:\\ソフト\\", "C:\\ソフト\\"), "ソフト");
    EXPECT_EQ(app::DisplayNameToPath("C:\\ソフト\\", "ソフト", nullptr), "C:\\ソフト\\");

    // A fixed folder named ソ is looked up as ソ, and its path ending in 表 gets a real backslash.
    Name2Section name2;
    name2.values["ソ"] = "D:\\表";
    EXPECT_FALSE(app::IsFixedFolderEntry("ソ"));
    EXPECT_TRUE(app::IsFixedFolderEntry("ソ/"));
    EXPECT_EQ(app::DisplayNameToPath(kBase, "ソ/", name2.Reader()), "D:\\表\\");
}

TEST(DisplayNames, SubfolderNamedLikeTheBaseFolderResolvesToTheBase) {
    EXPECT_EQ(app::FolderListEntry(kBase, "C:\\Tools\\Launcher\\Launcher"), "Launcher");
    EXPECT_EQ(app::DisplayNameToPath(kBase, "Launcher", nullptr), kBase);
}

TEST(DisplayNames, BaseFolderNameKeepsPoints) {
    EXPECT_EQ(app::GetBaseFolderName("C:\\Apps\\My.Tools\\"), "My.Tools");
    EXPECT_EQ(app::GetBaseFolderName("C:\\Apps\\v1.2\\"), "v1.2");
    EXPECT_EQ(app::GetBaseFolderName("C:\\Apps\\.hidden\\"), ".hidden");
    EXPECT_EQ(app::DisplayNameToPath("C:\\Apps\\My.Tools\\", "My.Tools", nullptr), "C:\\Apps\\My.Tools\\");
}

TEST(DisplayNames, DriveRootBase) {
    const std::string root = "C:\\";
    EXPECT_EQ(app::GetBaseFolderName(root), "");
    EXPECT_EQ(app::FolderListEntry(root, root), "");
    EXPECT_EQ(app::FolderListEntry(root, "C:\\A"), "A");
    EXPECT_EQ(app::GetFolderDepth(root, "C:\\A"), 1);
    EXPECT_EQ(app::DisplayNameToPath(root, "", nullptr), root);
    EXPECT_EQ(app::DisplayNameToPath(root, "A", nullptr), "C:\\A\\");
}

TEST(DisplayNames, FixedFolderPaths) {
    Name2Section name2;
    name2.values["Projects"] = "D:\\Work\\Projects";
    name2.values["Music"] = "E:\\Music\\";
    const app::Name2Reader read = name2.Reader();
    EXPECT_EQ(app::DisplayNameToPath(kBase, "Projects/", read), "D:\\Work\\Projects\\");
    EXPECT_EQ(app::DisplayNameToPath(kBase, "Music/", read), "E:\\Music\\");
    // No Name2 entry: the base folder.
    EXPECT_EQ(app::DisplayNameToPath(kBase, "Gone/", read), kBase);
    EXPECT_EQ(app::DisplayNameToPath(kBase, "Gone/", nullptr), kBase);
}

// A relative fixed folder lies below the base folder, wherever the program was started from.
TEST(DisplayNames, RelativeFixedFolderPathsAreTakenFromTheBaseFolder) {
    Name2Section name2;
    name2.values["Sub"] = "Docs\\表";
    name2.values["Up"] = "..\\Shared";
    name2.values["Rooted"] = "\\Data";
    name2.values["OtherDrive"] = "D:Data";
    name2.values["Empty"] = "";
    const app::Name2Reader read = name2.Reader();
    EXPECT_EQ(app::DisplayNameToPath(kBase, "Sub/", read), "C:\\Tools\\Launcher\\Docs\\表\\");
    EXPECT_EQ(app::DisplayNameToPath(kBase, "Up/", read), "C:\\Tools\\Launcher\\..\\Shared\\");
    EXPECT_EQ(app::DisplayNameToPath(kBase, "Rooted/", read), "C:\\Data\\");
    EXPECT_EQ(app::DisplayNameToPath(kBase, "OtherDrive/", read), "D:\\Data\\");
    EXPECT_EQ(app::DisplayNameToPath(kBase, "Empty/", read), kBase);

    EXPECT_EQ(app::ResolveFolderPath(kBase, "d:\\x"), "d:\\x");
    EXPECT_EQ(app::ResolveFolderPath(kBase, "\\\\server\\share\\x"), "\\\\server\\share\\x");
    EXPECT_EQ(app::ResolveFolderPath("\\\\server\\share\\Tessaly\\", "\\x"), "\\\\server\\share\\x");
    EXPECT_EQ(app::ResolveFolderPath("\\\\server\\share", "\\x"), "\\\\server\\share\\x");
    EXPECT_EQ(app::ResolveFolderPath(kBase, "ソ"), kBase + "ソ");
}

TEST(DisplayNames, EmptyFixedFolderName) {
    EXPECT_EQ(app::FixedFolderEntry(""), "/");
    Name2Section name2;
    EXPECT_EQ(app::DisplayNameToPath(kBase, "/", name2.Reader()), kBase);
    ASSERT_EQ(name2.lookups.size(), 1u);
    EXPECT_EQ(name2.lookups[0].first, "");
    EXPECT_EQ(name2.lookups[0].second, kBase);
}

TEST(DisplayNames, LetterCaseCounts) {
    // Another spelling of the base folder name is a folder below the base.
    EXPECT_EQ(app::DisplayNameToPath(kBase, "launcher", nullptr), "C:\\Tools\\Launcher\\launcher\\");
    EXPECT_EQ(app::FolderListEntry(kBase, "C:\\TOOLS\\Launcher\\Docs"), "C:\\TOOLS\\Launcher\\Docs");
}

TEST(DisplayNames, DegenerateInput) {
    EXPECT_EQ(app::GetBaseFolderName(""), "");
    EXPECT_EQ(app::FolderListEntry("", ""), "");
    EXPECT_EQ(app::GetFolderDepth("", ""), 0);
    EXPECT_EQ(app::GetFolderDepth(kBase, ""), 0);
    EXPECT_EQ(app::DisplayNameToPath("", "", nullptr), "\\");
    // A name that ends in a character of several bytes keeps it whole, and the backslash after it is one of its own.
    EXPECT_EQ(app::GetBaseFolderName("C:\\表\\"), "表");
    EXPECT_EQ(app::DisplayNameToPath(kBase, "Docs😀", nullptr), "C:\\Tools\\Launcher\\Docs😀\\");
    EXPECT_EQ(app::GetFolderDepth(kBase, "C:\\Tools\\Launcher\\a¥b"), 1);
}

}  // namespace
