#include "settings/IniFile.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "settings/rules/ProfileValues.h"
#include "settings/rules/StoredText.h"
#include "text/ShiftJis.h"
#include "ui/CodePage.h"

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
    DWORD attributes = GetFileAttributesW(ui::ToWide(path_).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

namespace {

// Longest value a read takes in, in characters: room for a long path in the stored form.
constexpr DWORD kReadRoom = 32767;

// A key or value as the file keeps it: the text itself where the code page holds it, else its stored form.
std::wstring StoredForm(const std::string& text)
{
    std::wstring wide = ui::ToWide(text);
    if (ui::CodePageHolds(wide) && !LooksLikeStoredText(text)) return wide;
    return ui::ToWide(EncodeStoredText(text));
}

// A value in the code page, at most kMaxValueLength bytes long there: a longer one is cut after its last whole
// character that fits, as the profile functions cut it for a reader with a buffer of that size.
std::string CutToValueLength(const std::wstring& value)
{
    std::string bytes = ui::ToCodePageWithoutBestFit(value);
    if (bytes.size() <= IniFile::kMaxValueLength) return ui::FromWide(value);
    bytes.resize(IniFile::kMaxValueLength);
    // A value cut at the limit may end in the first byte of a double-byte character: drop that half character.
    if (text::IsLeadByte(static_cast<unsigned char>(bytes.back())) &&
        text::ByteTypeAt(bytes, bytes.size() - 1) == text::ByteType::Single)
        bytes.pop_back();
    return ui::FromWide(ui::FromCodePage(bytes));
}

}  // namespace

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const
{
    std::vector<wchar_t> buffer(kReadRoom + 1, L'\0');
    GetPrivateProfileStringW(ui::ToWide(section).c_str(), StoredForm(key).c_str(), ui::ToWide(defaultValue).c_str(),
                             buffer.data(), static_cast<DWORD>(buffer.size()), ui::ToWide(path_).c_str());
    buffer.back() = L'\0';
    const std::wstring value(buffer.data());
    if (std::optional<std::string> exact = DecodeStoredText(ui::FromWide(value))) return *exact;
    if (!ui::CodePageHolds(value)) return ui::FromWide(value);  // a default the file could not have held
    return CutToValueLength(value);
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
    // The list of key names comes back whole only when the buffer is at least two characters larger than it;
    // otherwise the call returns the buffer size less two, and the buffer grows until the list fits.
    const std::wstring wideSection = ui::ToWide(section);
    const std::wstring widePath = ui::ToWide(path_);
    std::vector<wchar_t> buffer(4096);
    for (;;) {
        std::fill(buffer.begin(), buffer.end(), L'\0');
        DWORD length = GetPrivateProfileStringW(wideSection.c_str(), nullptr, L"", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), widePath.c_str());
        if (length + 2 < buffer.size())
            return CountProfileNames(ui::FromWide(std::wstring_view(buffer.data(), buffer.size())));
        buffer.resize(buffer.size() * 2);
    }
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) const
{
    if (!WritePrivateProfileStringW(ui::ToWide(section).c_str(), StoredForm(key).c_str(), StoredForm(value).c_str(),
                                    ui::ToWide(path_).c_str()))
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
