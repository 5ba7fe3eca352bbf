// The file list's listing of a real folder: exact names, also those the code page cannot hold, and the same
// entries on a system that refuses the basic information level and the large fetch (older than Windows 7), which
// Wine is not: such a system is stood in for by refusing them as it does, before the real call.
#include "app/FolderEntries.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/CodePage.h"

namespace {

int refusals = 0;

// FindFirstFileExW as Windows Vista answers it: the basic level and the large fetch are an invalid parameter.
HANDLE WINAPI VistaFindFirst(LPCWSTR pattern, FINDEX_INFO_LEVELS level, LPVOID data, FINDEX_SEARCH_OPS op,
                             LPVOID filter, DWORD flags) {
    if (level == FindExInfoBasic || (flags & FIND_FIRST_EX_LARGE_FETCH)) {
        ++refusals;
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    return FindFirstFileExW(pattern, level, data, op, filter, flags);
}

class FolderEntries : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        folder_ = std::wstring(temp) + L"TessalyEntries_" + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
        for (const std::string& name : kFiles) {
            HANDLE h = CreateFileW((folder_ + L"\\" + ui::ToWide(name)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
            ASSERT_NE(h, INVALID_HANDLE_VALUE);
            CloseHandle(h);
        }
    }
    void TearDown() override {
        for (const std::string& name : kFiles) DeleteFileW((folder_ + L"\\" + ui::ToWide(name)).c_str());
        RemoveDirectoryW(folder_.c_str());
    }

    static std::vector<std::string> Sorted(std::vector<std::string> names) {
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string Pattern(const char* name) const { return ui::FromWide(folder_) + "\\" + name; }

    const std::vector<std::string> kFiles = {"café.txt", "cafe.txt", "한글.txt", "😀.txt", "メモ.txt"};
    std::wstring folder_;
};

TEST_F(FolderEntries, ListsEveryExactNameWithDotEntries) {
    std::vector<std::string> names;
    app::CollectMatches(Pattern("*.*"), names);
    std::vector<std::string> expected = kFiles;
    expected.push_back(".");
    expected.push_back("..");
    EXPECT_EQ(Sorted(names), Sorted(expected));
}

TEST_F(FolderEntries, OlderSystemsRefusingTheFastListingGiveTheSameEntries) {
    std::vector<std::string> fast;
    app::CollectMatches(Pattern("*.txt"), fast);
    refusals = 0;
    std::vector<std::string> plain;
    app::CollectMatches(Pattern("*.txt"), plain, VistaFindFirst);
    EXPECT_EQ(refusals, 1);
    EXPECT_EQ(Sorted(plain), Sorted(kFiles));
    EXPECT_EQ(Sorted(plain), Sorted(fast));
}

}  // namespace
