// TSearchDir: the non-visual folder walker. It walks a folder tree breadth-first from BaseDir and reports every
// folder (never a file) through OnFind; the handler decides how deep the walk goes and may stop it. A junction or
// symbolic link that leads back to a folder on its own path is reported like any folder but never entered.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "ui/Component.h"

// A local date and time: days since 1899-12-30, the time of day as the fraction.
using TDateTime = double;

// One directory entry as the walker found it.
struct TSearchFileData {
    std::string FileName;   // long name, without path
    std::string ShortName;  // 8.3 alternate name; the long name when there is none
    std::int64_t Size = 0;
    bool CreationTimeValid = false;
    TDateTime CreationTime = 0;  // local time; meaningless unless CreationTimeValid
    bool LastWriteTimeValid = false;
    TDateTime LastWriteTime = 0;
    bool LastAccessTimeValid = false;
    TDateTime LastAccessTime = 0;
    bool IsDirectory = false;
    bool IsReadOnly = false;
    bool IsHidden = false;
    bool IsSystem = false;
    bool IsVolumeLabel = false;  // never set: no attribute bit is read for it
    bool IsArchive = false;
};

// OnFind handler: Name is the folder's full path, Data a copy of its entry. IgnoreSubDir (False on entry) keeps the
// walker out of this folder; Continue (True on entry) set to False stops the whole walk.
using TSearchDirEvent = std::function<void(ui::Component* Sender, const std::string& Name, TSearchFileData Data,
                                           bool& IgnoreSubDir, bool& Continue)>;

class TSearchDir : public ui::Component {
public:
    explicit TSearchDir(ui::Component* owner);
    ~TSearchDir() override;

    // Folder where the walk starts; relative names are taken from the current directory.
    std::string BaseDir;
    TSearchDirEvent OnFind;

    // Runs one whole walk. True when it ran to its end; False when it did not start (busy, no handler, BaseDir
    // empty or missing) or the handler stopped it. An exception of the handler reaches the caller.
    bool Search();

protected:
    // Called once per reported folder; raises OnFind when assigned.
    virtual void DoFind(const std::string& Name, const TSearchFileData& Data, bool& IgnoreSubDir, bool& Continue);

private:
    bool WalkFrom(const std::wstring& path);
    bool ListFolder(std::wstring& dir, bool& ignoreSubDir, bool& proceed);

    std::deque<std::wstring> queue_;  // folders still to be listed (in the system's form), first in, first out
    std::optional<std::uint64_t> localTimeShift_;  // UTC to local file time, taken when the walk starts
    bool busy_ = false;
};
