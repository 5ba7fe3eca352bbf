#include "app/ShellCommandOverride.h"

#include "driver/Error.h"

#include <windows.h>

namespace shell_test {

namespace {

// The default value of a key of HKEY_CLASSES_ROOT, or nothing when the key or its value is missing.
std::optional<std::string> ReadDefault(const std::string& keyPath)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    char value[2048] = {};
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    const LONG result = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
    return std::string(value);
}

void WriteDefault(const std::string& keyPath, const std::string& text)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        throw driver::DriverError("cannot open HKEY_CLASSES_ROOT\\" + keyPath);
    }
    const LONG result = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                       static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) throw driver::DriverError("cannot write HKEY_CLASSES_ROOT\\" + keyPath);
}

}  // namespace

ShellCommandOverride::ShellCommandOverride(const std::string& typeKey, const std::string& probePath,
                                           const std::string& wineDefault)
    : keyPath_(typeKey + "\\shell\\open\\command"), saved_(ReadDefault(keyPath_))
{
    if (saved_ && saved_->find("probe") != std::string::npos) saved_ = wineDefault;
    WriteDefault(keyPath_, "\"" + probePath + "\" \"%1\"");
}

ShellCommandOverride::~ShellCommandOverride()
{
    try {
        if (saved_) {
            WriteDefault(keyPath_, *saved_);
        } else {
            RegDeleteKeyA(HKEY_CLASSES_ROOT, keyPath_.c_str());
        }
    } catch (const driver::DriverError&) {
        // Nothing better to do in a destructor; the next override puts the default back.
    }
}

}  // namespace shell_test
