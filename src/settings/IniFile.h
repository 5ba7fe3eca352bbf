// The settings file as the program sees it: a profile ("INI") file at a fixed full path, in Shift-JIS (code page 932)
// on every system. Every call opens the file, reads or writes one key and closes it again, with the rules of the
// system's profile functions (rules/ProfileLines.h); nothing is kept between calls, so each write is in the file
// when the call returns and each read sees what the file holds now.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace settings {

// A write to the settings file failed. what() is "<full path> に書き込めません".
class WriteError : public std::runtime_error {
public:
    explicit WriteError(const std::string& path);
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

class IniFile {
public:
    // Longest value in Shift-JIS a read returns, in bytes of Shift-JIS; longer values come back cut.
    static constexpr std::size_t kMaxValueLength = 2047;

    explicit IniFile(std::string path);

    const std::string& Path() const { return path_; }

    // True when the file exists (a folder of that name does not count).
    bool Exists() const;

    // The value of section/key, or defaultValue (as given) when the file, section or key is missing. Section and
    // key names match without regard to letter case. A value in Shift-JIS comes back cut to at most
    // kMaxValueLength bytes of Shift-JIS, never inside a character; a key or value that Shift-JIS or the format
    // cannot hold as it is is kept in the stored form (rules/StoredText.h) and comes back exactly.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;

    // The value read as an integer (decimal, "0x"/"$" hexadecimal), or defaultValue when missing or not a number.
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;

    // The value read as an integer with 1 or 0 as default; any non-zero number is true.
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

    // Number of keys that section holds (0 when the file or the section is missing).
    std::size_t CountKeys(const std::string& section) const;

    // Writes section/key = value, creating file, section and key as needed and leaving every other line as it is.
    // The new file takes the old one's place in one step (IniFileBytes.h). Throws WriteError when the file cannot
    // be written, leaving it as it was.
    void WriteString(const std::string& section, const std::string& key, const std::string& value) const;

    // Writes an integer as decimal text. Throws WriteError.
    void WriteInteger(const std::string& section, const std::string& key, int value) const;

    // Writes a boolean as "1" or "0". Throws WriteError.
    void WriteBool(const std::string& section, const std::string& key, bool value) const;

private:
    std::string path_;
};

}  // namespace settings
