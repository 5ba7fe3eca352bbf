#include "settings/IniFileBytes.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "settings/IniFile.h"
#include "text/ExactPath.h"
#include "ui/CodePage.h"

namespace settings {

namespace {

// Owns a file handle (INVALID_HANDLE_VALUE when empty).
class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    void Close()
    {
        if (valid()) CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE h_;
};

// Readers and writers of the file let each other in, and let a write put a new file in its place meanwhile.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool ReadAll(HANDLE file, std::string& bytes)
{
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart > 0x7FFFFFFF) return false;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file, &bytes[done], static_cast<DWORD>(bytes.size() - done), &read, nullptr)) return false;
        if (read == 0) break;  // the file became shorter meanwhile
        done += read;
    }
    bytes.resize(done);
    return true;
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written, nullptr) ||
            written == 0)
            return false;
        done += written;
    }
    return true;
}

// The path the file functions take to reach exactly the file named: a program folder named "old." keeps its own
// settings file, never that of a folder "old" beside it.
std::wstring ExactWide(const std::string& path) { return ui::ToWide(text::ExactSystemPath(path)); }

// Where a symbolic link leads, as a path the file functions take.
std::wstring FinalPath(HANDLE file)
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) return std::wstring();
        if (n < buffer.size()) return std::wstring(buffer.data(), n);
        buffer.resize(n + 1);
    }
}

}  // namespace

std::optional<std::string> ReadIniFileBytes(const std::string& path)
{
    FileHandle file(CreateFileW(ExactWide(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (!file.valid() || !ReadAll(file.get(), bytes)) return std::nullopt;
    return bytes;
}

IniFileUpdate::IniFileUpdate(const std::string& path) : path_(path), target_(ExactWide(path))
{
    FileHandle file(CreateFileW(target_.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        if (GetLastError() != ERROR_FILE_NOT_FOUND) throw WriteError(path_);
        return;  // created by the write
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file.get(), &information)) throw WriteError(path_);
    // The system refuses to write a read-only file, whoever asks (Wine lets its root user through).
    if (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) throw WriteError(path_);
    attributes_ = information.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    hardLinked_ = information.nNumberOfLinks > 1;
    // A symbolic link (which Wine shows as a plain file) is replaced where it leads, and stays a link.
    std::wstring final = FinalPath(file.get());
    if (!final.empty()) target_ = std::move(final);
    if (!ReadAll(file.get(), bytes_)) throw WriteError(path_);
}

void IniFileUpdate::Replace(const std::string& bytes) const
{
    if (hardLinked_) {
        FileHandle file(CreateFileW(target_.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid() || !WriteAll(file.get(), bytes) || !SetEndOfFile(file.get()) ||
            !FlushFileBuffers(file.get()))
            throw WriteError(path_);
        return;
    }

    // The new file has a fixed name beside the old one: a write cut short leaves at most this one file behind,
    // and the next write takes it over.
    const std::wstring fresh = target_ + L".new";
    DeleteFileW(fresh.c_str());
    FileHandle file(CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                attributes_ ? attributes_ : FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) throw WriteError(path_);
    // On disk before it takes the old file's place, so that not even a power cut leaves an empty file.
    const bool written = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
    file.Close();
    if (!written ||
        !MoveFileExW(fresh.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(fresh.c_str());
        throw WriteError(path_);
    }
}

}  // namespace settings
