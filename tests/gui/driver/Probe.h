// The probe program (probe.exe beside the test program): started by Tessaly in place of a real program, it
// writes its command line and current folder as two lines to "<its own path>.log" and exits.
#pragma once

#include "driver/Wait.h"

#include <optional>
#include <string>

namespace driver {

struct ProbeRecord {
    std::string commandLine;        // as GetCommandLineW gave it, in UTF-8
    std::string currentDirectory;   // as GetCurrentDirectoryW gave it, in UTF-8 (no trailing backslash but for a root)
    std::wstring exactCommandLine;  // as GetCommandLineW gave it
};

// Copies probe.exe into folder under name ("tool.exe", "my tool.exe"); returns the copy's full path.
std::string CopyProbe(const std::string& folder, const std::string& name = "probe.exe");
// The log file of a probe copy: exePath + ".log".
std::string ProbeLogPath(const std::string& exePath);
// The record of a probe copy if it has run (its log exists), else nothing.
std::optional<ProbeRecord> ReadProbeLog(const std::string& exePath);
// Waits for the probe copy's log; throws DriverError on timeout.
ProbeRecord WaitForProbeLog(const std::string& exePath, Timeout timeout = kDefaultTimeout);
// Removes the probe copy's log, if any, and waits until it is really gone, so that a later look sees only a later
// run. A log is published by a rename whose handle the probe closes a moment later, and until then a deleted file
// stays in its folder although DeleteFile succeeded. Throws DriverError when the log cannot be removed in time.
void RemoveProbeLog(const std::string& exePath, Timeout timeout = kDefaultTimeout);
// Waits for the probe copy's log, removes it as RemoveProbeLog does, and returns its record.
ProbeRecord TakeProbeLog(const std::string& exePath, Timeout timeout = kDefaultTimeout);

}  // namespace driver
