#include "settings/IniFile.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "settings/rules/ProfileValues.h"
#include "text/ShiftJis.h"

namespace settings {

namespace {

// The failure message with the file's path in place of %s.
std::string WriteErrorMessage(const std::string& path)
{
    std::string message = "%s に書き込めません";
    message.replace(message.find("%s"), 2, path);
    return message;
}

}  // namespace

WriteError::WriteError(const std::string& path) : std::runtime_error(WriteErrorMessage(path)), path_(path) {}

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

bool IniFile::Exists() const
{
    DWORD attributes = GetFileAttributesA(path_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const
{
    // The buffer starts zeroed and the text is taken up to its first NUL, not by the returned length: when a value
    // is cut inside a double-byte character, Wine leaves the last byte of the buffer unwritten and still counts it.
    std::vector<char> buffer(kMaxValueLength + 1, '\0');
    GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                             static_cast<DWORD>(buffer.size()), path_.c_str());
    buffer.back() = '\0';
    std::string value(buffer.data());
    // A value cut at the limit may end in the first byte of a double-byte character: drop that half character.
    if (value.size() == kMaxValueLength && text::IsLeadByte(static_cast<unsigned char>(value.back())) &&
        text::ByteTypeAt(value, value.size() - 1) == text::ByteType::Single)
        value.pop_back();
    return value;
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const
{
    return ParseProfileInteger(ReadString(section, key, std::string()), defaultValue);
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const
{
    return ParseProfileBool(ReadString(section, key, std::string()), defaultValue);
}

std::size_t IniFile::CountKeys(const std::string& section) const
{
    // The list of key names comes back whole only when the buffer is at least two bytes larger than it; otherwise
    // the call returns the buffer size less two, and the buffer grows until the list fits.
    std::vector<char> buffer(4096);
    for (;;) {
        std::fill(buffer.begin(), buffer.end(), '\0');
        DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), path_.c_str());
        if (length + 2 < buffer.size()) return CountProfileNames(std::string_view(buffer.data(), buffer.size()));
        buffer.resize(buffer.size() * 2);
    }
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) const
{
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str()))
        throw WriteError(path_);
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value) const
{
    WriteString(section, key, FormatProfileInteger(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) const
{
    WriteString(section, key, FormatProfileBool(value));
}

}  // namespace settings
