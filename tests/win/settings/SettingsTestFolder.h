// A fresh folder under the system's temporary folder for one settings test, removed with everything in it when the
// test ends, with helpers to put raw bytes into a settings file and to read its lines back.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace settings_test {

// Removes a folder and everything below it; files lose their read-only attribute first.
inline void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

class SettingsTestFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        for (unsigned attempt = 0; folder_.empty(); ++attempt) {
            std::string candidate = std::string(temp) + "TessalySettings_" + info->name() + "_" +
                                    std::to_string(GetCurrentProcessId()) + "_" + std::to_string(attempt);
            if (CreateDirectoryA(candidate.c_str(), nullptr)) folder_ = candidate;
            ASSERT_LT(attempt, 100u) << "cannot create a temporary folder under " << temp;
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
        std::ofstream out(path, std::ios::binary);
        out << bytes;
        ASSERT_TRUE(out.good()) << path;
    }

    static std::string ReadRaw(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The file's lines, each of which must end in CR LF; blank lines are left out (they carry no meaning).
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
            if (!line.empty()) lines.push_back(line);
            pos = end + 2;
        }
        return lines;
    }

    std::string folder_;
};

}  // namespace settings_test
