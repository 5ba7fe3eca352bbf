#include "settings/IniFile.h"

#include <windows.h>

#include <optional>
#include <string_view>
#include <utility>

#include "settings/IniFileBytes.h"
#include "settings/rules/ProfileLines.h"
#include "settings/rules/ProfileValues.h"
#include "settings/rules/StoredText.h"
#include "text/ExactPath.h"
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
    DWORD attributes = GetFileAttributesW(ui::ToWide(text::ExactSystemPath(path_)).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

namespace {

// A key or value in the form the file keeps: its Shift-JIS bytes where code page 932 holds it and the format holds
// it as it is, else its stored form. The same on every system, whatever its own code page.
std::string FileForm(const std::string& text, ProfileText role)
{
    if (!NeedsStoredForm(text, role)) {
        if (std::optional<std::string> bytes = ui::ToCodePageExactly(ui::ToWide(text), ui::kShiftJisCodePage))
            return *std::move(bytes);
    }
    return EncodeStoredText(text);
}

// A section name in the form the file keeps: its Shift-JIS bytes, or the stored form where Shift-JIS cannot hold it.
// Section names are the program's own and never need the stored form for the format's sake.
std::string SectionForm(const std::string& section)
{
    if (std::optional<std::string> bytes = ui::ToCodePageExactly(ui::ToWide(section), ui::kShiftJisCodePage))
        return *std::move(bytes);
    return EncodeStoredText(section);
}

// The form an earlier version wrote a key in when this version stores it: the earlier version kept every key the
// code page held as it stood, including keys the format cannot hold, and some of those it found again (a key with
// blanks around it, one in quotes, one that begins with ";"). Nothing when both versions write the same form.
std::optional<std::string> EarlierKeyForm(const std::string& key)
{
    if (!NeedsStoredForm(key, ProfileText::Key) || LooksLikeStoredText(key)) return std::nullopt;
    return ui::ToCodePageExactly(ui::ToWide(key), ui::kShiftJisCodePage);
}

}  // namespace

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const
{
    const std::optional<std::string> file = ReadIniFileBytes(path_);
    if (!file) return defaultValue;
    const std::string sectionForm = SectionForm(section);
    std::optional<std::string_view> stored = FindProfileValue(*file, sectionForm, FileForm(key, ProfileText::Key));
    if (!stored) {
        if (std::optional<std::string> earlier = EarlierKeyForm(key))
            stored = FindProfileValue(*file, sectionForm, *earlier);
    }
    if (!stored) return defaultValue;
    const std::string_view value = ValueWithoutQuotes(*stored);
    if (std::optional<std::string> exact = DecodeStoredText(value)) return *std::move(exact);
    return ui::FromWide(ui::FromCodePage(CutToWholeCharacters(value, kMaxValueLength), ui::kShiftJisCodePage));
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
    const std::optional<std::string> file = ReadIniFileBytes(path_);
    return file ? CountProfileKeys(*file, SectionForm(section)) : 0;
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) const
{
    const IniFileUpdate update(path_);
    const std::optional<std::string> bytes =
        SetProfileValue(update.Bytes(), SectionForm(section), FileForm(key, ProfileText::Key),
                        FileForm(value, ProfileText::Value));
    if (bytes) update.Replace(*bytes);  // nothing to write when the key holds the value already
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
