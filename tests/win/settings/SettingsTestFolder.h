// A fresh folder under the system's temporary folder for one settings test, removed with everything in it when the
// test ends, with helpers to put raw bytes into a settings file and to read its lines back. Paths are UTF-8; every
// name is reached exactly as written ("report.txt." is not "report.txt").
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/ExactPath.h"
#include "ui/CodePage.h"

namespace settings_test {

// The wide path that reaches exactly the names of path.
inline std::wstring ExactWide(const std::string& path) { return ui::ToWide(text::ExactSystemPath(path)); }

// Removes a folder and everything below it; files lose their read-only attribute first.
inline void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((ExactWide(folder + "\\") + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = ui::FromWide(data.cFileName);
            if (name == "." || name == "..") continue;
            std::string path = folder + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(ExactWide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(ExactWide(path).c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(ExactWide(folder).c_str());
}

class SettingsTestFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        for (unsigned attempt = 0; folder_.empty(); ++attempt) {
            std::string candidate = ui::FromWide(temp) + "TessalySettings_" + info->name() + "_" +
                                    std::to_string(GetCurrentProcessId()) + "_" + std::to_string(attempt);
            if (CreateDirectoryW(ui::ToWide(candidate).c_str(), nullptr)) folder_ = candidate;
            ASSERT_LT(attempt, 100u) << "cannot create a temporary folder";
        }
    }

    void TearDown() override
    {
        if (!folder_.empty()) RemoveTree(folder_);
    }

    // Full path of a file in the test's folder.
    std::string PathOf(const std::string& name) const { return folder_ + "\\" + name; }

    // Writes bytes exactly as given (CR LF supplied by the caller).
    static void WriteRaw(const std::string& path, const std::string& bytes)
    {
        HANDLE file = CreateFileW(ExactWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        ASSERT_EQ(written, bytes.size()) << path;
    }

    static std::string ReadRaw(const std::string& path)
    {
        HANDLE file = CreateFileW(ExactWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return std::string();
        std::string bytes;
        char buffer[65536];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
        CloseHandle(file);
        return bytes;
    }

    // The bytes of a text in code page 932, as the settings file holds it.
    static std::string Cp932(const std::string& text)
    {
        return ui::ToCodePageWithoutBestFit(ui::ToWide(text), ui::kShiftJisCodePage);
    }

    // The file's lines in UTF-8, each of which must end in CR LF in the file; blank lines are left out (they carry
    // no meaning).
    static std::vector<std::string> ReadLines(const std::string& path)
    {
        std::string bytes = ReadRaw(path);
        std::vector<std::string> lines;
        std::size_t pos = 0;
        while (pos < bytes.size()) {
            std::size_t end = bytes.find("\r\n", pos);
            EXPECT_NE(end, std::string::npos) << "last line without CR LF in " << path;
            if (end == std::string::npos) end = bytes.size();
            std::string line = bytes.substr(pos, end - pos);
            EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray CR or LF in line: " << line;
            if (!line.empty()) lines.push_back(ui::FromWide(ui::FromCodePage(line, ui::kShiftJisCodePage)));
            pos = end + 2;
        }
        return lines;
    }

    std::string folder_;
};

}  // namespace settings_test
