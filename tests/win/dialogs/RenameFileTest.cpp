// Renaming real files: the new name is taken, even a change of letter case only, and no other file is ever
// replaced or lost.
#include "dialogs/RenameFile.h"
#include "ui/CodePage.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class RenameFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        for (unsigned attempt = 0; folder_.empty(); ++attempt) {
            std::string candidate = ui::FromWide(temp) + "TessalyRename_" + std::to_string(GetCurrentProcessId()) +
                                    "_" + std::to_string(attempt);
            if (CreateDirectoryW(ui::ToWide(candidate).c_str(), nullptr)) folder_ = candidate;
            ASSERT_LT(attempt, 100u) << "cannot create a temporary folder";
        }
    }

    void TearDown() override
    {
        for (const std::string& name : Names()) DeleteFileW(ui::ToWide(PathOf(name)).c_str());
        RemoveDirectoryW(ui::ToWide(folder_).c_str());
    }

    std::string PathOf(const std::string& name) const { return folder_ + "\\" + name; }

    void Write(const std::string& name, const std::string& bytes) const
    {
        HANDLE file = CreateFileW(ui::ToWide(PathOf(name)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        ASSERT_EQ(written, bytes.size()) << name;
    }

    std::string Read(const std::string& name) const
    {
        HANDLE file = CreateFileW(ui::ToWide(PathOf(name)).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return std::string();
        char buffer[4096];
        DWORD read = 0;
        ReadFile(file, buffer, sizeof buffer, &read, nullptr);
        CloseHandle(file);
        return std::string(buffer, read);
    }

    // The folder's entries as the file system spells them, in the order it lists them.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW(ui::ToWide(folder_ + "\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            const std::string name = ui::FromWide(data.cFileName);
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileW(find, &data));
        FindClose(find);
        return names;
    }

    // True when the file took the new name.
    static bool Rename(const std::string& from, const std::string& to)
    {
        return dialogs::RenameFile(from, to).renamed;
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
    ASSERT_TRUE(CreateHardLinkW(ui::ToWide(PathOf("link.txt")).c_str(), ui::ToWide(PathOf("report.txt")).c_str(), nullptr));
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
