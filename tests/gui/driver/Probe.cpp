#include "driver/Probe.h"

#include "driver/Error.h"
#include "driver/Files.h"
#include "driver/Text.h"

#include <windows.h>

#include <windows.h>

namespace driver {

std::string CopyProbe(const std::string& folder, const std::string& name)
{
    const std::string path = JoinPath(folder, name);
    CopyFileTo(JoinPath(TestExeFolder(), "probe.exe"), path);
    return path;
}

std::string ProbeLogPath(const std::string& exePath)
{
    return exePath + ".log";
}

std::optional<ProbeRecord> ReadProbeLog(const std::string& exePath)
{
    const std::string log = ProbeLogPath(exePath);
    // The probe renames a finished temporary file into place, so an existing log is complete.
    if (!FileExists(log)) {
        return std::nullopt;
    }
    const std::string text = ReadFileBytes(log);
    const size_t first = text.find("\r\n");
    if (first == std::string::npos) {
        throw DriverError("probe log " + log + " has no line break: \"" + text + "\"");
    }
    const size_t second = text.find("\r\n", first + 2);
    ProbeRecord record;
    record.commandLine = text.substr(0, first);
    record.currentDirectory = text.substr(first + 2, second == std::string::npos ? std::string::npos : second - first - 2);
    if (second != std::string::npos) {
        const size_t third = text.find("\r\n", second + 2);
        const std::string utf8 = text.substr(second + 2, third == std::string::npos ? std::string::npos : third - second - 2);
        const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
        record.exactCommandLine.assign(static_cast<size_t>(length > 0 ? length : 0), L'\0');
        if (length > 0) {
            MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &record.exactCommandLine[0], length);
        }
    }
    return record;
}

ProbeRecord WaitForProbeLog(const std::string& exePath, Timeout timeout)
{
    return *WaitFor([&] { return ReadProbeLog(exePath); }, "the probe log " + ProbeLogPath(exePath), timeout);
}

void RemoveProbeLog(const std::string& exePath, Timeout timeout)
{
    const std::string log = ProbeLogPath(exePath);
    if (!PathExists(log)) {
        return;
    }
    // A second delete of a file whose deletion is still pending succeeds too, and one that lost the race to the
    // probe's own close finds nothing: only the name's disappearance tells that the log is gone.
    if (!DeleteFileW(ToWide(log).c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
        throw DriverError("cannot delete the probe log " + log + " (error " + std::to_string(GetLastError()) + ")");
    }
    if (!PollUntil([&] { return !PathExists(log); }, timeout)) {
        throw DriverError(TimeoutMessage("the deleted probe log " + log + " to leave its folder", timeout));
    }
}

ProbeRecord TakeProbeLog(const std::string& exePath, Timeout timeout)
{
    const ProbeRecord record = WaitForProbeLog(exePath, timeout);
    RemoveProbeLog(exePath, timeout);
    return record;
}

}  // namespace driver
