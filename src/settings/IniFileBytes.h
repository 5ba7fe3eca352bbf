// The settings file's bytes on disk. A read takes the whole file through one handle; a write puts the new bytes into
// a file beside it and puts that in its place in one step, so that a crash, a kill or a full disk leaves the old
// file or the new one, never a mix or an empty file.
#pragma once

#include <optional>
#include <string>

namespace settings {

// The bytes of the file at path; nothing when there is no file there to read (a folder of that name included).
std::optional<std::string> ReadIniFileBytes(const std::string& path);

// One write to the file at a path: opened as the profile functions open it (for reading and writing, which a
// read-only file or one held without write sharing refuses), its bytes read, then replaced with new ones.
// Every failure throws WriteError, and leaves the file as it was.
class IniFileUpdate {
public:
    explicit IniFileUpdate(const std::string& path);

    // The file's bytes now (empty for a file that does not exist yet).
    const std::string& Bytes() const { return bytes_; }

    // Puts bytes in place of the file's. A link keeps being a link: for a symbolic link the file it leads to is
    // replaced; a file with more than one name (a hard link) is written in place, so that every name sees it.
    void Replace(const std::string& bytes) const;

private:
    std::string path_;         // the path the program names, for the error message
    std::wstring target_;      // the file that is replaced: the path itself, or where its symbolic link leads
    std::string bytes_;
    unsigned long attributes_ = 0;  // hidden, system and archive carry over to the new file
    bool hardLinked_ = false;
};

}  // namespace settings
