// A program that writes settings and is killed in the middle of a write leaves Tessaly.ini whole: the old file or
// the new one, every key readable. The writer is this test program itself, started again to run
// IniKill.WriterChild only, which writes in a loop until it is killed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsTestFolder.h"
#include "settings/IniFile.h"
#include "ui/CodePage.h"

namespace {

using settings::IniFile;

// Names the file the child writes to; the child test does nothing without it.
const wchar_t* const kWriterFileVariable = L"TESSALY_INI_KILL_FILE";
constexpr int kKeys = 40;

std::string Key(int i) { return "key" + std::to_string(i); }

// Values of one length, so that a value cut short would show; "round" makes each write change the file.
std::string Value(int round, int i)
{
    std::string value = "round " + std::to_string(round) + " key " + std::to_string(i) + " ";
    value.resize(120, 'x');
    return value;
}

// The writer: round after round, every key of two sections gets a new value.
TEST(IniKill, WriterChild)
{
    wchar_t path[MAX_PATH] = {};
    if (GetEnvironmentVariableW(kWriterFileVariable, path, MAX_PATH) == 0)
        GTEST_SKIP() << "runs only as the writer started by IniKill.AKilledWriterLeavesAWholeFile";
    IniFile ini(ui::FromWide(path));
    for (int round = ini.ReadInteger("State", "round", 0) + 1;; ++round) {
        for (int i = 0; i < kKeys; ++i) ini.WriteString(i % 2 ? "Odd" : "Even", Key(i), Value(round, i));
        ini.WriteInteger("State", "round", round);
    }
}

class IniKillTest : public settings_test::SettingsTestFolder {};

// Starts this program as the writer of path; its process handle, or nullptr.
HANDLE StartWriter(const std::string& path)
{
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_filter=IniKill.WriterChild";
    SetEnvironmentVariableW(kWriterFileVariable, ui::ToWide(path).c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;  // no output of the child in the test's log
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(exe, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                        nullptr, &startup, &process);
    SetEnvironmentVariableW(kWriterFileVariable, nullptr);
    if (!started) return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

// The time the file was last written, to see the writer at work.
ULONGLONG LastWrite(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(ui::ToWide(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

TEST_F(IniKillTest, AKilledWriterLeavesAWholeFile)
{
    const std::string path = PathOf("Tessaly.ini");
    IniFile ini(path);
    for (int i = 0; i < kKeys; ++i) ini.WriteString(i % 2 ? "Odd" : "Even", Key(i), Value(0, i));

    int killedWhileWriting = 0;
    for (int kill = 0; kill < 8; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        const ULONGLONG before = LastWrite(path);
        HANDLE writer = StartWriter(path);
        ASSERT_NE(writer, nullptr);
        // Once the writer is writing, it is killed after a different number of milliseconds each time.
        const DWORD deadline = GetTickCount() + 10000;
        while (LastWrite(path) == before && GetTickCount() < deadline &&
               WaitForSingleObject(writer, 1) == WAIT_TIMEOUT) {
        }
        Sleep(static_cast<DWORD>(kill * 13 % 40));
        const bool stillWriting = WaitForSingleObject(writer, 0) == WAIT_TIMEOUT;
        TerminateProcess(writer, 1);
        WaitForSingleObject(writer, INFINITE);
        CloseHandle(writer);
        ASSERT_TRUE(stillWriting) << "the writer ended before it was killed";
        killedWhileWriting += LastWrite(path) != before;

        // Every key holds a whole value of one round, the rounds of the keys differing by one at most.
        const std::string bytes = ReadRaw(path);
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << "the file ends in the middle of a line";
        const int round = ini.ReadInteger("State", "round", 0);
        for (int i = 0; i < kKeys; ++i) {
            const std::string value = ini.ReadString(i % 2 ? "Odd" : "Even", Key(i), "<missing>");
            EXPECT_TRUE(value == Value(round, i) || value == Value(round + 1, i)) << Key(i) << ": " << value;
        }
    }
    EXPECT_GT(killedWhileWriting, 0);

    // What a killed write left beside the file does not stop the next write.
    ini.WriteString("State", "after", "1");
    EXPECT_EQ(ini.ReadString("State", "after", ""), "1");
}

}  // namespace
