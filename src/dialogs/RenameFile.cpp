#include "dialogs/RenameFile.h"

#include <windows.h>

#include "text/ShiftJis.h"

namespace dialogs {

namespace {

// A file opened for nothing but reading its identity; closed exactly once.
class FileIdentityHandle {
public:
    explicit FileIdentityHandle(const std::string& path)
        : h_(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
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
bool IsSameFile(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION ia, ib;
    if (!FileIdentityHandle(a).Read(ia) || !FileIdentityHandle(b).Read(ib)) return false;
    return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
           ia.nFileIndexLow == ib.nFileIndexLow;
}

// True when the two paths differ in letter case only, as the file system compares names.
bool IsOtherSpelling(const std::string& a, const std::string& b) {
    auto upper = [](const std::string& s) {
        std::wstring w(s.size(), L'\0');
        const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), &w[0],
                                          static_cast<int>(w.size()));
        w.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        if (!w.empty()) CharUpperBuffW(&w[0], static_cast<DWORD>(w.size()));
        return w;
    };
    return a != b && upper(a) == upper(b);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Renames through a free temporary name in the same folder. Some file systems (Wine's, for one) report success
// for a rename to another spelling of the same name and leave the old spelling on disk; in two steps the file
// really takes the new spelling. When the second step does not happen the file gets its old name back.
bool RenameThroughTemporaryName(const std::string& oldPath, const std::string& newPath) {
    const std::string folder = text::ExtractFilePath(oldPath);
    const std::string stem = folder + "~tessaly-rename-" + std::to_string(GetCurrentProcessId()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary = stem + std::to_string(attempt) + ".tmp";
        if (MoveFileA(oldPath.c_str(), temporary.c_str())) {
            if (MoveFileA(temporary.c_str(), newPath.c_str()) && !Exists(temporary)) return true;
            MoveFileA(temporary.c_str(), oldPath.c_str());
            return false;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

}  // namespace

bool RenameFile(const std::string& oldPath, const std::string& newPath) {
    // MoveFileA without flags never replaces another file. A target that is the file itself needs care: another
    // spelling of its name is renamed in two steps; any other name of it (a hard link) is an existing entry that
    // must stay, and some file systems would report a rename onto it as done while nothing happened.
    if (oldPath != newPath && IsSameFile(oldPath, newPath)) {
        return IsOtherSpelling(oldPath, newPath) && RenameThroughTemporaryName(oldPath, newPath);
    }
    return MoveFileA(oldPath.c_str(), newPath.c_str()) != FALSE;
}

}  // namespace dialogs
