// Renaming real files: the new name is taken, even a change of letter case only, and no other file is ever
// replaced or lost.
#include "dialogs/RenameFile.h"
#include "ui/CodePage.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

class RenameFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        for (unsigned attempt = 0; folder_.empty(); ++attempt) {
            std::string candidate = std::string(temp) + "TessalyRename_" + std::to_string(GetCurrentProcessId()) +
                                    "_" + std::to_string(attempt);
            if (CreateDirectoryA(candidate.c_str(), nullptr)) folder_ = candidate;
            ASSERT_LT(attempt, 100u) << "cannot create a temporary folder under " << temp;
        }
    }

    void TearDown() override
    {
        for (const std::string& name : Names()) DeleteFileA(PathOf(name).c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    std::string PathOf(const std::string& name) const { return folder_ + "\\" + name; }

    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream out(PathOf(name), std::ios::binary);
        out << bytes;
        ASSERT_TRUE(out.good()) << name;
    }

    std::string Read(const std::string& name) const
    {
        std::ifstream in(PathOf(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The folder's entries as the file system spells them, in the order it lists them.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder_ + "\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            const std::string name = data.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(find, &data));
        FindClose(find);
        return names;
    }

    // Renames through the exact paths of two code-page paths; true when the file took the new name.
    static bool Rename(const std::string& from, const std::string& to)
    {
        return dialogs::RenameFile(ui::FromCodePage(from), ui::FromCodePage(to)).renamed;
    }

    std::string folder_;
};

TEST_F(RenameFile, TakesTheNewName)
{
    Write("report.txt", "r");
    EXPECT_TRUE(Rename(PathOf("report.txt"), PathOf("ソフト表.doc")));
    EXPECT_EQ(Names(), std::vector<std::string>{"ソフト表.doc"});
    EXPECT_EQ(Read("ソフト表.doc"), "r");
}

TEST_F(RenameFile, ChangeOfLetterCaseOnlyTakesTheNewSpelling)
{
    // Wine's MoveFile reports success here and keeps the old spelling; the file must really be renamed.
    Write("report.TXT", "r");
    EXPECT_TRUE(Rename(PathOf("report.TXT"), PathOf("report.txt")));
    EXPECT_EQ(Names(), std::vector<std::string>{"report.txt"});
    EXPECT_EQ(Read("report.txt"), "r");

    EXPECT_TRUE(Rename(PathOf("report.txt"), PathOf("Report.Txt")));
    EXPECT_EQ(Names(), std::vector<std::string>{"Report.Txt"});
}

TEST_F(RenameFile, CaseOnlyRenameSkipsTemporaryNamesThatAreTaken)
{
    // The two-step rename goes through "~tessaly-rename-<process>-<n>.tmp"; names already there are never used.
    const std::string stem = "~tessaly-rename-" + std::to_string(GetCurrentProcessId()) + "-";
    Write(stem + "0.tmp", "zero");
    Write(stem + "1.tmp", "one");
    Write("report.TXT", "r");
    EXPECT_TRUE(Rename(PathOf("report.TXT"), PathOf("report.txt")));
    std::vector<std::string> names = Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"report.txt", stem + "0.tmp", stem + "1.tmp"}));
    EXPECT_EQ(Read("report.txt"), "r");
    EXPECT_EQ(Read(stem + "0.tmp"), "zero");
    EXPECT_EQ(Read(stem + "1.tmp"), "one");
}

TEST_F(RenameFile, NeverReplacesAnotherFile)
{
    Write("report.txt", "r");
    Write("other.txt", "o");
    EXPECT_FALSE(Rename(PathOf("report.txt"), PathOf("other.txt")));
    EXPECT_FALSE(Rename(PathOf("report.txt"), PathOf("OTHER.TXT")));
    EXPECT_EQ(Read("report.txt"), "r");
    EXPECT_EQ(Read("other.txt"), "o");
    EXPECT_EQ(Names().size(), 2u);
}

TEST_F(RenameFile, SecondNameOfTheSameFileIsNoSpellingOfItsOwn)
{
    // A hard link is the same file under another name: the rename fails and both names stay.
    Write("report.txt", "r");
    ASSERT_TRUE(CreateHardLinkA(PathOf("link.txt").c_str(), PathOf("report.txt").c_str(), nullptr));
    EXPECT_FALSE(Rename(PathOf("report.txt"), PathOf("link.txt")));
    std::vector<std::string> names = Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"link.txt", "report.txt"}));
    EXPECT_EQ(Read("report.txt"), "r");
}

TEST_F(RenameFile, NamesTheFileSystemRefusesFail)
{
    Write("report.txt", "r");
    EXPECT_FALSE(Rename(PathOf("report.txt"), PathOf("what?.txt")));
    EXPECT_FALSE(Rename(PathOf("report.txt"), folder_ + "\\"));
    EXPECT_FALSE(Rename(PathOf("missing.txt"), PathOf("new.txt")));
    EXPECT_EQ(Names(), std::vector<std::string>{"report.txt"});
}

}  // namespace
