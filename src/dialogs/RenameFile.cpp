#include "dialogs/RenameFile.h"

#include <windows.h>

#include "text/ExactPath.h"
#include "ui/CodePage.h"

namespace dialogs {

namespace {

// A file opened for nothing but reading its identity; closed exactly once.
class FileIdentityHandle {
public:
    explicit FileIdentityHandle(const std::wstring& path)
        : h_(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {}
    ~FileIdentityHandle() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    FileIdentityHandle(const FileIdentityHandle&) = delete;
    FileIdentityHandle& operator=(const FileIdentityHandle&) = delete;

    // Volume and file index of the open file; false when it could not be opened or read.
    bool Read(BY_HANDLE_FILE_INFORMATION& info) const {
        return h_ != INVALID_HANDLE_VALUE && GetFileInformationByHandle(h_, &info);
    }

private:
    HANDLE h_;
};

// True when both paths name one and the same file (the same volume and file index), as two spellings that differ
// in letter case do on a file system that ignores case.
bool IsSameFile(const std::wstring& a, const std::wstring& b) {
    BY_HANDLE_FILE_INFORMATION ia, ib;
    if (!FileIdentityHandle(a).Read(ia) || !FileIdentityHandle(b).Read(ib)) return false;
    return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
           ia.nFileIndexLow == ib.nFileIndexLow;
}

// True when the two paths differ in letter case only, as the file system compares names.
std::wstring Upper(std::wstring text) {
    if (!text.empty()) CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

bool IsOtherSpelling(const std::wstring& a, const std::wstring& b) { return a != b && Upper(a) == Upper(b); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The folder part of a path, up to and including its last backslash.
std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// Renames through a temporary name in the same folder. Some file systems (Wine's, for one) report success for a
// rename to another spelling of the same name and leave the old spelling on disk; in two steps the file really takes
// the new spelling. The temporary name is one that nothing holds yet, and never the name the file is to end with;
// when the second step does not happen the file gets its old name back, and when even that fails the result says
// where the file is.
struct WideResult {
    bool renamed = false;
    std::wstring strandedAt;
};

WideResult RenameThroughTemporaryName(const std::wstring& oldPath, const std::wstring& newPath) {
    const std::wstring stem = FolderOf(oldPath) + L"~tessaly-rename-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring temporary = stem + std::to_wstring(attempt) + L".tmp";
        if (Exists(temporary) || Upper(temporary) == Upper(newPath)) continue;
        if (!MoveFileW(oldPath.c_str(), temporary.c_str())) {
            const DWORD error = GetLastError();
            if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) continue;  // taken meanwhile
            return {};
        }
        if (MoveFileW(temporary.c_str(), newPath.c_str()) && !Exists(temporary)) return {true, std::wstring()};
        if (Exists(temporary) && !MoveFileW(temporary.c_str(), oldPath.c_str())) return {false, temporary};
        return {};
    }
    return {};
}

WideResult RenameWide(const std::wstring& oldPath, const std::wstring& newPath) {
    // MoveFileW without flags never replaces another file. A target that is the file itself needs care: another
    // spelling of its name is renamed in two steps; any other name of it (a hard link) is an existing entry that
    // must stay, and some file systems would report a rename onto it as done while nothing happened.
    if (oldPath != newPath && IsSameFile(oldPath, newPath)) {
        if (!IsOtherSpelling(oldPath, newPath)) return {};
        return RenameThroughTemporaryName(oldPath, newPath);
    }
    return {MoveFileW(oldPath.c_str(), newPath.c_str()) != FALSE, std::wstring()};
}

}  // namespace

RenameResult RenameFile(const std::string& oldPath, const std::string& newPath) {
    // Both names exactly as written: "report.txt." is renamed, never the "report.txt" beside it, and a new name
    // "aux.txt" is a file of that name, not a device.
    const WideResult result = RenameWide(ui::ToWide(text::ExactSystemPath(oldPath)),
                                         ui::ToWide(text::ExactSystemPath(newPath)));
    return {result.renamed, text::WithoutVerbatimPrefix(ui::FromWide(result.strandedAt))};
}

}  // namespace dialogs
