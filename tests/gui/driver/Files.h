// Files and folders for the tests: paths are UTF-8 text, folders without a trailing backslash.
// Every operation works through the W functions, so a name whose last byte is 0x5C ("ソ") is never taken
// for a backslash.
#pragma once

#include <string>
#include <vector>

namespace driver {

// The folder of the running test program (where Tessaly.exe and probe.exe are built), without trailing backslash.
std::string TestExeFolder();

// folder + "\" + relative (relative may hold several levels: "Docs\\sub").
std::string JoinPath(const std::string& folder, const std::string& relative);

// True for an existing file (not a folder).
bool FileExists(const std::string& path);
// True for an existing folder.
bool DirExists(const std::string& path);
// True for anything at path.
bool PathExists(const std::string& path);

// The whole content of a file; throws DriverError when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Writes bytes to a file, creating missing parent folders; throws DriverError on failure.
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Writes lines (UTF-8 text) in code page 932, as a Japanese user's text files hold them, each ended by CR LF.
void WriteTextLines(const std::string& path, const std::vector<std::string>& lines);
// Creates a folder and its missing parents; throws DriverError on failure.
void MakeDirs(const std::string& path);
// Copies a file over any existing one; throws DriverError on failure.
void CopyFileTo(const std::string& from, const std::string& to);
// Deletes a folder with everything below it, read-only entries too; nothing when it does not exist.
void RemoveTree(const std::string& path);

// A new empty folder under the Windows temporary folder, removed with its content when the object dies.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's full path, without trailing backslash.
    const std::string& Path() const { return path_; }
    // Path() + "\" + relative.
    std::string operator/(const std::string& relative) const { return JoinPath(path_, relative); }

    // Creates a subfolder (and its parents); returns its full path.
    std::string MakeDir(const std::string& relative) const;
    // Writes a file of the given bytes (parents created); returns its full path.
    std::string WriteFile(const std::string& relative, const std::string& bytes = "") const;
    // Writes a text file of lines in code page 932, CR LF after each; returns its full path.
    std::string WriteText(const std::string& relative, const std::vector<std::string>& lines) const;
    // Writes Tessaly.ini in the folder from lines ("[Form]", "Left=10"...); returns its full path.
    std::string WriteIni(const std::vector<std::string>& lines) const;
    // Content of a file below the folder.
    std::string Read(const std::string& relative) const;
    // Existence tests below the folder.
    bool Exists(const std::string& relative) const;
    bool FileExists(const std::string& relative) const;
    bool DirExists(const std::string& relative) const;

private:
    std::string path_;
};

}  // namespace driver
