#include "components/SearchFile.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <optional>
#include <utility>

#include "components/FindHandle.h"
#include "text/ExactPath.h"
#include "text/Utf8.h"
#include "ui/CodePage.h"
#include "ui/Handles.h"

namespace {

// Starts a listing like FindFirstFileW, asking for the larger transfer buffer where the system offers it.
HANDLE FindFirst(const wchar_t* pattern, WIN32_FIND_DATAW& found) {
    // Standard information keeps the 8.3 names in the record; the large fetch only changes the buffer size, not
    // which entries come or in what order.
    HANDLE handle = FindFirstFileExW(pattern, FindExInfoStandard, &found, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    // Systems older than Windows 7 refuse the flag as an invalid parameter.
    if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER)
        handle = FindFirstFileW(pattern, &found);
    return handle;
}

// Days from 1970-01-01 to the given date of the Gregorian calendar.
long DaysFromCivil(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153L * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Converts a packed DOS date and time to TDateTime; False when either half names no real date or time.
bool DosDateTimeToDateTime(WORD dosDate, WORD dosTime, TDateTime& result) {
    static const int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int year = 1980 + (dosDate >> 9);
    const int month = (dosDate >> 5) & 15;
    const int day = dosDate & 31;
    const int hour = dosTime >> 11;
    const int minute = (dosTime >> 5) & 63;
    const int second = (dosTime & 31) * 2;
    if (month < 1 || month > 12 || day < 1) return false;
    const int monthDays = kDaysInMonth[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
    if (day > monthDays || hour > 23 || minute > 59 || second > 59) return false;
    // 1899-12-30 is day -25569 counted from 1970-01-01.
    result = static_cast<double>(DaysFromCivil(year, month, day) + 25569) +
             (hour * 3600 + minute * 60 + second) / 86400.0;
    return true;
}

std::uint64_t Ticks(const FILETIME& t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

FILETIME FromTicks(std::uint64_t ticks) {
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// What FileTimeToLocalFileTime adds to every UTC time: the bias in force now, the same for any time it converts.
// Taken once per walk; asked of the system for each of an entry's three times, it was a third of what the walk cost
// over the bare listing.
std::optional<std::uint64_t> LocalTimeShiftNow() {
    FILETIME utc;
    FILETIME local;
    GetSystemTimeAsFileTime(&utc);
    if (!FileTimeToLocalFileTime(&utc, &local)) return std::nullopt;
    return Ticks(local) - Ticks(utc);  // unsigned: west of UTC it wraps, and adding it still subtracts the bias
}

// Converts a UTC file time to a local TDateTime through the DOS form; False when any step fails.
bool FileTimeToDateTime(const FILETIME& utc, const std::optional<std::uint64_t>& shift, TDateTime& result) {
    FILETIME local;
    WORD dosDate = 0;
    WORD dosTime = 0;
    if (shift) local = FromTicks(Ticks(utc) + *shift);
    else if (!FileTimeToLocalFileTime(&utc, &local)) return false;
    if (!FileTimeToDosDateTime(&local, &dosDate, &dosTime)) return false;
    return DosDateTimeToDateTime(dosDate, dosTime, result);
}

// Fills the record from the find data (reusing the record's string buffers).
void FillSearchFileData(const WIN32_FIND_DATAW& found, const std::optional<std::uint64_t>& localShift,
                        TSearchFileData& data) {
    data.FileName.clear();
    text::AppendUtf8(std::wstring_view(found.cFileName), data.FileName);
    if (found.cAlternateFileName[0] != L'\0') {
        data.ShortName.clear();
        text::AppendUtf8(std::wstring_view(found.cAlternateFileName), data.ShortName);
    } else {
        data.ShortName.assign(data.FileName);
    }
    data.Size = static_cast<std::int64_t>((static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) |
                                          found.nFileSizeLow);
    data.CreationTimeValid = FileTimeToDateTime(found.ftCreationTime, localShift, data.CreationTime);
    data.LastWriteTimeValid = FileTimeToDateTime(found.ftLastWriteTime, localShift, data.LastWriteTime);
    data.LastAccessTimeValid = FileTimeToDateTime(found.ftLastAccessTime, localShift, data.LastAccessTime);
    const DWORD attributes = found.dwFileAttributes;
    data.IsDirectory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    data.IsReadOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    data.IsHidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    data.IsSystem = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    data.IsVolumeLabel = false;
    data.IsArchive = (attributes & FILE_ATTRIBUTE_ARCHIVE) != 0;
}

// True for the "." and ".." entries every listing holds; other names beginning with a point are real folders.
bool IsDotEntry(const wchar_t* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// The path the file functions take to reach exactly its names: a folder "old." is not the folder "old".
std::wstring SystemPath(const std::wstring& path) { return ui::ToWide(text::ExactSystemPath(ui::FromWide(path))); }

// The absolute form of a path (a trailing backslash stays); empty when it fails. A full path keeps every name as
// written, where GetFullPathNameW would drop a trailing point or blank; a relative one is the system's to expand.
std::wstring ExpandFileName(const std::wstring& name) {
    if (name.empty()) return std::wstring();
    const std::string resolved = text::ResolveFullPath(ui::FromWide(name));
    if (!resolved.empty()) return ui::ToWide(resolved);
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
    if (length >= full.size()) {  // too small: length is the size needed, terminator included
        full.assign(length, L'\0');
        length = GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
        if (length >= full.size()) length = 0;
    }
    full.resize(length);
    return full;
}

// Where a folder lives: its volume and its file index, the same whatever path or link leads to it.
struct FolderIdentity {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
    bool operator==(const FolderIdentity& o) const {
        return volume == o.volume && indexHigh == o.indexHigh && indexLow == o.indexLow;
    }
};

// The identity of the folder a path leads to (through any link on the way); false when it cannot be opened.
bool IdentifyFolder(const std::wstring& path, FolderIdentity& identity) {
    // Opening a folder needs backup semantics; without FILE_FLAG_OPEN_REPARSE_POINT a link is followed.
    HANDLE opened = CreateFileW(SystemPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    const ui::UniqueHandle<HANDLE, CloseHandle> folder(opened);
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = GetFileInformationByHandle(folder.get(), &info) != FALSE;
    if (known) identity = FolderIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return known;
}

// True when the folder at path (a junction or symbolic link) leads back to one of the folders its path passes
// through: walking into it would go round for ever, each round a level deeper. Ordinary folders never get here, so
// a tree without links costs no handle more than the listing itself.
bool LeadsToAncestor(const std::wstring& path) {
    FolderIdentity target;
    if (!IdentifyFolder(path, target)) return false;
    std::wstring ancestor = path;
    for (;;) {
        const std::size_t cut = ancestor.rfind(L'\\');
        if (cut == std::wstring::npos || cut < 2) return false;  // nothing above it, or the two backslashes of a share
        const bool root = ancestor[cut - 1] == L':';  // "C:\" is the last one
        ancestor.resize(root ? cut + 1 : cut);
        FolderIdentity identity;
        if (IdentifyFolder(ancestor, identity) && identity == target) return true;
        if (root) return false;
    }
}

// Marks the walker busy for one walk and, on every way out, clears the mark and gives the queue's memory back.
class BusyScope {
public:
    BusyScope(bool& busy, std::deque<std::wstring>& queue) : busy_(busy), queue_(queue) { busy_ = true; }
    ~BusyScope() {
        std::deque<std::wstring>().swap(queue_);
        busy_ = false;
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
    std::deque<std::wstring>& queue_;
};

}  // namespace

TSearchDir::TSearchDir(ui::Component* owner) : ui::Component(owner) {}

TSearchDir::~TSearchDir() = default;

bool TSearchDir::Search() {
    if (busy_ || !OnFind) return false;
    const std::wstring path = ExpandFileName(ui::ToWide(BaseDir));
    if (path.empty() || GetFileAttributesW(SystemPath(path).c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    BusyScope busy(busy_, queue_);
    return WalkFrom(path);
}

void TSearchDir::DoFind(const std::string& Name, const TSearchFileData& Data, bool& IgnoreSubDir, bool& Continue) {
    if (!OnFind) return;
    // Called through a copy, so that a handler that replaces OnFind does not destroy itself while it runs.
    const TSearchDirEvent handler = OnFind;
    handler(this, Name, Data, IgnoreSubDir, Continue);
}

// Reports the base folder, then every folder below it level by level; False when the handler stopped the walk.
bool TSearchDir::WalkFrom(const std::wstring& path) {
    queue_.clear();
    localTimeShift_ = LocalTimeShiftNow();
    bool proceed = true;
    bool ignoreSubDir = false;

    // The base entry describes the path itself; a path ending in a backslash (a drive root too) finds nothing and
    // is reported with an empty record.
    TSearchFileData data;
    {
        WIN32_FIND_DATAW found;
        FindHandle find(FindFirst(SystemPath(path).c_str(), found));
        if (find.Valid()) FillSearchFileData(found, localTimeShift_, data);
    }
    DoFind(ui::FromWide(path), data, ignoreSubDir, proceed);
    if (!proceed) return false;
    if (!ignoreSubDir) queue_.push_back(path);

    while (!queue_.empty()) {
        std::wstring dir = std::move(queue_.front());
        queue_.pop_front();
        if (!ListFolder(dir, ignoreSubDir, proceed)) return false;
    }
    return true;
}

// Reports the subfolders of dir and queues those the handler lets the walk enter; False when the walk stops.
// A folder that cannot be listed (gone, access denied, path too long) contributes nothing.
bool TSearchDir::ListFolder(std::wstring& dir, bool& ignoreSubDir, bool& proceed) {
    if (dir.empty() || dir.back() != L'\\') dir += L'\\';
    const std::size_t dirLength = dir.size();
    const std::wstring_view everything = L"*.*";
    // Windows lists a folder only through a pattern of fewer than MAX_PATH characters (Wine takes longer ones):
    // a folder beyond that is not entered, the same on every system.
    if (dirLength + everything.size() >= MAX_PATH) return true;
    // The folder's own part of each reported name, converted once for all its subfolders; listed exactly as named.
    const std::string dirName = ui::FromWide(dir);
    const std::wstring pattern = ui::ToWide(text::ExactSystemPath(dirName)).append(everything);
    WIN32_FIND_DATAW found;
    FindHandle find(FindFirst(pattern.c_str(), found));
    if (!find.Valid()) return true;

    TSearchFileData data;
    std::string name;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || IsDotEntry(found.cFileName)) continue;
        const std::size_t nameLength = std::wcslen(found.cFileName);
        std::wstring full;
        full.reserve(dirLength + nameLength);
        full.append(dir).append(found.cFileName, nameLength);
        FillSearchFileData(found, localTimeShift_, data);
        name.assign(dirName).append(data.FileName);
        ignoreSubDir = false;
        DoFind(name, data, ignoreSubDir, proceed);
        if (!proceed) return false;
        if (ignoreSubDir) continue;
        // A link back to an ancestor is reported like any folder but never entered.
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && LeadsToAncestor(full)) continue;
        queue_.push_back(std::move(full));
    } while (FindNextFileW(find.Get(), &found));
    return true;
}
