// The folder walker on real folder trees in a temporary folder.
#include "components/SearchFile.h"
#include "ui/CodePage.h"

#include "../../support/FolderLink.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::wstring Widen(const std::string& s) { return ui::ToWide(s); }

std::string Narrow(const std::wstring& w) { return ui::FromWide(w); }

// Removes a folder and everything below it, long paths included; links are removed, not followed.
void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = dir + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                test_support::RemoveFolderLink(path);
            else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    SetFileAttributesW(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(dir.c_str());
}

// A fresh temporary folder, removed with its contents when the test ends.
class TempTree {
public:
    TempTree() {
        static int counter = 0;
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root_ = Narrow(temp) + "tsd" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(GetTickCount()) + "_" + std::to_string(++counter);
        if (!CreateDirectoryW(Widen(root_).c_str(), nullptr)) throw std::runtime_error("cannot create " + root_);
    }
    ~TempTree() {
        const std::wstring root = L"\\\\?\\" + Widen(root_);
        RemoveTree(root);
        // A folder that stays is held open by someone: a leaked find handle, say.
        if (GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES) ADD_FAILURE() << "cannot remove " << root_;
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // Full path of the temporary folder, without a trailing backslash.
    const std::string& Root() const { return root_; }
    std::string operator/(const std::string& relative) const { return root_ + "\\" + relative; }

    // Creates a folder below the root (its parent must exist); works beyond MAX_PATH.
    std::string Dir(const std::string& relative) const {
        const std::string path = *this / relative;
        if (!CreateDirectoryW((L"\\\\?\\" + Widen(path)).c_str(), nullptr))
            throw std::runtime_error("cannot create " + path);
        return path;
    }

    // Creates a file below the root with the given size (sparse where the file system allows).
    std::string File(const std::string& relative, LONGLONG size = 3) const {
        const std::string path = *this / relative;
        HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
        if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + path);
        LARGE_INTEGER end;
        end.QuadPart = size;
        const bool ok = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
        CloseHandle(file);
        if (!ok) throw std::runtime_error("cannot size " + path);
        return path;
    }

private:
    std::string root_;
};

struct Event {
    std::string name;
    TSearchFileData data;
};

// Collects the events of a walk; decide (when set) plays the handler's part for each event.
struct Recorder {
    std::vector<Event> events;
    std::function<void(const std::string& name, bool& ignoreSubDir, bool& proceed)> decide;

    TSearchDirEvent Handler() {
        return [this](ui::Component*, const std::string& name, TSearchFileData data, bool& ignoreSubDir,
                      bool& proceed) {
            events.push_back({name, data});
            if (decide) decide(name, ignoreSubDir, proceed);
        };
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const Event& e : events) names.push_back(e.name);
        return names;
    }
};

// The subfolders of dir (no trailing backslash) in the order the file system lists them.
std::vector<std::string> ListSubfolders(const std::string& dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((Widen(dir) + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..")
            names.push_back(Narrow(name));
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return names;
}

// The record of an entry that could not be found: empty names, zero size, nothing valid, no flags.
bool IsEmptyRecord(const TSearchFileData& d) {
    return d.FileName.empty() && d.ShortName.empty() && d.Size == 0 && !d.CreationTimeValid &&
           !d.LastWriteTimeValid && !d.LastAccessTimeValid && !d.IsDirectory && !d.IsReadOnly && !d.IsHidden &&
           !d.IsSystem && !d.IsVolumeLabel && !d.IsArchive;
}

// True while some handle (a find handle, say) holds the folder open: an exclusive open is then refused.
bool IsHeldOpen(const std::string& dir) {
    HANDLE h = CreateFileA(dir.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(h);
    return false;
}

// Builds base\{A\{A1\{A1x}, A2}, B\{B1}, C} with files beside the folders.
class SearchFileWalk : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* d : {"A", "B", "C", "A\\A1", "A\\A2", "B\\B1", "A\\A1\\A1x"}) tree.Dir(d);
        for (const char* f : {"top.txt", "A\\a.txt", "A\\A1\\deep.txt", "B\\B1\\leaf.dat"}) tree.File(f);
        walker.OnFind = recorder.Handler();
    }

    // Every folder below the base, level by level, each parent's subfolders in file-system order.
    std::vector<std::string> BreadthFirstBelow(const std::string& base) const {
        std::vector<std::string> order;
        std::vector<std::string> level = {base};
        while (!level.empty()) {
            std::vector<std::string> next;
            for (const std::string& parent : level)
                for (const std::string& name : ListSubfolders(parent)) next.push_back(parent + "\\" + name);
            order.insert(order.end(), next.begin(), next.end());
            level = next;
        }
        return order;
    }

    TempTree tree;
    TSearchDir walker{nullptr};
    Recorder recorder;
};

TEST_F(SearchFileWalk, TrailingBackslashBaseComesFirstWithEmptyRecordThenLevelByLevel) {
    walker.BaseDir = tree.Root() + "\\";
    EXPECT_TRUE(walker.Search());

    ASSERT_FALSE(recorder.events.empty());
    EXPECT_EQ(tree.Root() + "\\", recorder.events[0].name);
    EXPECT_TRUE(IsEmptyRecord(recorder.events[0].data));

    std::vector<std::string> expected = {tree.Root() + "\\"};
    for (const std::string& name : BreadthFirstBelow(tree.Root())) expected.push_back(name);
    EXPECT_EQ(expected, recorder.Names());

    // The tree itself, whatever order the file system lists it in.
    const std::set<std::string> all(expected.begin() + 1, expected.end());
    const std::set<std::string> wanted = {tree / "A",          tree / "B",        tree / "C",
                                          tree / "A\\A1",      tree / "A\\A2",    tree / "B\\B1",
                                          tree / "A\\A1\\A1x"};
    EXPECT_EQ(wanted, all);
}

TEST_F(SearchFileWalk, BaseWithoutTrailingBackslashGetsTheFolderOwnRecord) {
    walker.BaseDir = tree.Root();
    EXPECT_TRUE(walker.Search());

    ASSERT_EQ(8u, recorder.events.size());
    const Event& base = recorder.events[0];
    EXPECT_EQ(tree.Root(), base.name);
    EXPECT_EQ(tree.Root().substr(tree.Root().rfind('\\') + 1), base.data.FileName);
    EXPECT_TRUE(base.data.IsDirectory);
    EXPECT_TRUE(base.data.LastWriteTimeValid);
    EXPECT_FALSE(base.data.ShortName.empty());

    std::vector<std::string> expected = {tree.Root()};
    for (const std::string& name : BreadthFirstBelow(tree.Root())) expected.push_back(name);
    EXPECT_EQ(expected, recorder.Names());
}

TEST_F(SearchFileWalk, RelativeBaseDirIsExpandedAgainstTheCurrentFolder) {
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA((tree / "A").c_str()));
    walker.BaseDir = "A1";
    const bool result = walker.Search();
    SetCurrentDirectoryA(previous);

    EXPECT_TRUE(result);
    const std::vector<std::string> expected = {tree / "A\\A1", tree / "A\\A1\\A1x"};
    EXPECT_EQ(expected, recorder.Names());
}

TEST_F(SearchFileWalk, RecordsDescribeEachFolderAndFilesAreNeverReported) {
    tree.Dir(".git");
    tree.Dir(".git\\objects");
    tree.Dir("hidden");
    SetFileAttributesA((tree / "hidden").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    tree.Dir("readonly");
    SetFileAttributesA((tree / "readonly").c_str(), FILE_ATTRIBUTE_READONLY);
    tree.File("looks like a folder");
    walker.BaseDir = tree.Root();
    EXPECT_TRUE(walker.Search());

    const std::vector<std::string> names = recorder.Names();
    for (const char* d : {".git", ".git\\objects", "hidden", "readonly"})
        EXPECT_NE(names.end(), std::find(names.begin(), names.end(), tree / d)) << d;
    EXPECT_EQ(12u, names.size());

    for (size_t i = 1; i < recorder.events.size(); ++i) {
        const Event& e = recorder.events[i];
        SCOPED_TRACE(e.name);
        const DWORD attributes = GetFileAttributesA(e.name.c_str());
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
        EXPECT_TRUE(e.data.IsDirectory);
        EXPECT_EQ((attributes & FILE_ATTRIBUTE_READONLY) != 0, e.data.IsReadOnly);
        EXPECT_EQ((attributes & FILE_ATTRIBUTE_HIDDEN) != 0, e.data.IsHidden);
        EXPECT_EQ((attributes & FILE_ATTRIBUTE_SYSTEM) != 0, e.data.IsSystem);
        EXPECT_EQ((attributes & FILE_ATTRIBUTE_ARCHIVE) != 0, e.data.IsArchive);
        EXPECT_FALSE(e.data.IsVolumeLabel);
        EXPECT_EQ(e.name.substr(e.name.rfind('\\') + 1), e.data.FileName);
        EXPECT_FALSE(e.data.ShortName.empty());
        EXPECT_EQ(std::string::npos, e.name.find("\\\\"));
    }
}

TEST_F(SearchFileWalk, TimesAreLocalAndOutOfRangeTimesAreInvalid) {
    // 2021-06-15 13:45:30 local time is day 44362 since 1899-12-30, 49530 seconds into the day.
    const auto setLastWrite = [](const std::string& dir, WORD year, WORD month, WORD day, WORD hour, WORD minute,
                                 WORD second) {
        SYSTEMTIME local = {};
        local.wYear = year;
        local.wMonth = month;
        local.wDay = day;
        local.wHour = hour;
        local.wMinute = minute;
        local.wSecond = second;
        FILETIME localTime, utc;
        SystemTimeToFileTime(&local, &localTime);
        LocalFileTimeToFileTime(&localTime, &utc);
        HANDLE h = CreateFileA(dir.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        EXPECT_TRUE(SetFileTime(h, nullptr, &utc, &utc));
        CloseHandle(h);
    };
    setLastWrite(tree / "B", 2021, 6, 15, 13, 45, 30);
    setLastWrite(tree / "C", 1975, 3, 1, 12, 0, 0);  // before 1980: no DOS form
    walker.BaseDir = tree.Root();
    EXPECT_TRUE(walker.Search());

    const auto find = [&](const std::string& name) {
        for (const Event& e : recorder.events)
            if (e.name == name) return e.data;
        ADD_FAILURE() << "no event for " << name;
        return TSearchFileData();
    };
    const TSearchFileData b = find(tree / "B");
    EXPECT_TRUE(b.LastWriteTimeValid);
    EXPECT_NEAR(44362.0 + 49530.0 / 86400.0, b.LastWriteTime, 0.5 / 86400.0);
    EXPECT_TRUE(b.LastAccessTimeValid);
    EXPECT_NEAR(44362.0 + 49530.0 / 86400.0, b.LastAccessTime, 0.5 / 86400.0);

    const TSearchFileData c = find(tree / "C");
    EXPECT_FALSE(c.LastWriteTimeValid);
    EXPECT_FALSE(c.LastAccessTimeValid);
    EXPECT_TRUE(c.IsDirectory);
}

TEST_F(SearchFileWalk, DriveRootChildrenAreNamedWithOneBackslash) {
    walker.BaseDir = "C:\\";
    recorder.decide = [this](const std::string&, bool&, bool& proceed) {
        proceed = recorder.events.size() < 4;
    };
    EXPECT_FALSE(walker.Search());

    ASSERT_EQ(4u, recorder.events.size());
    EXPECT_EQ("C:\\", recorder.events[0].name);
    EXPECT_TRUE(IsEmptyRecord(recorder.events[0].data));
    for (size_t i = 1; i < recorder.events.size(); ++i) {
        const std::string& name = recorder.events[i].name;
        EXPECT_EQ(0u, name.find("C:\\")) << name;
        EXPECT_EQ(std::string::npos, name.find('\\', 3)) << name;  // "C:\X": a child of the root itself
        EXPECT_EQ(recorder.events[i].data.FileName, name.substr(3));
    }
}

TEST_F(SearchFileWalk, IgnoreSubDirOnTheBaseGivesOneEventAndTrue) {
    walker.BaseDir = tree.Root();
    recorder.decide = [](const std::string&, bool& ignoreSubDir, bool&) { ignoreSubDir = true; };
    EXPECT_TRUE(walker.Search());
    EXPECT_EQ(std::vector<std::string>{tree.Root()}, recorder.Names());
}

TEST_F(SearchFileWalk, ContinueFalseOnTheBaseGivesOneEventAndFalse) {
    walker.BaseDir = tree.Root() + "\\";
    recorder.decide = [](const std::string&, bool&, bool& proceed) { proceed = false; };
    EXPECT_FALSE(walker.Search());
    EXPECT_EQ(std::vector<std::string>{tree.Root() + "\\"}, recorder.Names());
}

TEST_F(SearchFileWalk, IgnoreSubDirAtOneLevelKeepsEveryDeeperFolderOut) {
    const std::string base = tree.Root() + "\\";
    const auto depthOf = [base](const std::string& name) {
        if (name == base) return 0;
        return static_cast<int>(std::count(name.begin() + base.size(), name.end(), '\\')) + 1;
    };
    const size_t expectedCount[] = {1, 4, 7};  // events with the walk kept to levels 0, 0-1, 0-2
    for (int limit = 0; limit <= 2; ++limit) {
        SCOPED_TRACE(limit);
        recorder.events.clear();
        recorder.decide = [&](const std::string& name, bool& ignoreSubDir, bool&) {
            ignoreSubDir = depthOf(name) >= limit;
        };
        walker.BaseDir = base;
        EXPECT_TRUE(walker.Search());
        EXPECT_EQ(expectedCount[limit], recorder.events.size());
        for (const Event& e : recorder.events) EXPECT_LE(depthOf(e.name), limit) << e.name;
    }
}

TEST_F(SearchFileWalk, IgnoreSubDirKeepsOnlyThatFolderOut) {
    tree.Dir("C\\C1");
    const std::string skipped = tree / ListSubfolders(tree.Root()).front();  // its siblings come after it
    recorder.decide = [&](const std::string& name, bool& ignoreSubDir, bool&) {
        if (name == skipped) ignoreSubDir = true;
    };
    walker.BaseDir = tree.Root();
    EXPECT_TRUE(walker.Search());

    std::vector<std::string> expected = {tree.Root()};
    for (const std::string& name : BreadthFirstBelow(tree.Root()))
        if (name.compare(0, skipped.size() + 1, skipped + "\\") != 0) expected.push_back(name);
    EXPECT_EQ(expected, recorder.Names());
}

TEST_F(SearchFileWalk, SecondSearchAfterAStoppedOneStartsFromAnEmptyQueue) {
    walker.BaseDir = tree.Root();
    recorder.decide = [this](const std::string&, bool&, bool& proceed) { proceed = recorder.events.size() < 3; };
    EXPECT_FALSE(walker.Search());
    EXPECT_EQ(3u, recorder.events.size());

    recorder.events.clear();
    recorder.decide = nullptr;
    EXPECT_TRUE(walker.Search());
    std::vector<std::string> expected = {tree.Root()};
    for (const std::string& name : BreadthFirstBelow(tree.Root())) expected.push_back(name);
    EXPECT_EQ(expected, recorder.Names());
}

TEST_F(SearchFileWalk, StoppingClosesTheOpenListing) {
    walker.BaseDir = tree.Root();
    recorder.decide = [this](const std::string& name, bool&, bool& proceed) {
        if (name.find("A\\A1") != std::string::npos) {
            EXPECT_TRUE(IsHeldOpen(tree / "A"));  // the listing of A is running
            proceed = false;
        }
    };
    EXPECT_FALSE(walker.Search());
    EXPECT_FALSE(IsHeldOpen(tree / "A"));
}

TEST_F(SearchFileWalk, SearchFromInsideTheHandlerReturnsFalseAndTheWalkGoesOn) {
    walker.BaseDir = tree.Root();
    std::vector<bool> nested;
    recorder.decide = [&](const std::string&, bool&, bool&) {
        walker.BaseDir = tree / "B";  // the running walk keeps its own base
        nested.push_back(walker.Search());
    };
    EXPECT_TRUE(walker.Search());

    std::vector<std::string> expected = {tree.Root()};
    for (const std::string& name : BreadthFirstBelow(tree.Root())) expected.push_back(name);
    EXPECT_EQ(expected, recorder.Names());
    EXPECT_EQ(std::vector<bool>(expected.size(), false), nested);
}

TEST_F(SearchFileWalk, HandlerExceptionReachesTheCallerAndReleasesTheWalker) {
    walker.BaseDir = tree.Root();
    recorder.decide = [this](const std::string& name, bool&, bool&) {
        if (name.find("A\\A1") != std::string::npos) {
            EXPECT_TRUE(IsHeldOpen(tree / "A"));
            throw std::runtime_error("handler failed");
        }
    };
    EXPECT_THROW(walker.Search(), std::runtime_error);

    // No listing stays open, and the walker is idle again.
    for (const std::string& dir : {tree.Root(), tree / "A", tree / "B", tree / "A\\A1"})
        EXPECT_FALSE(IsHeldOpen(dir)) << dir;
    recorder.events.clear();
    recorder.decide = nullptr;
    EXPECT_TRUE(walker.Search());
    EXPECT_EQ(8u, recorder.events.size());
}

TEST_F(SearchFileWalk, FolderNamesAreReportedExactlyWithOneBackslashEach) {
    // "表" and "ソ" end in the byte 0x5C in the code page, "a¥b" would hold it there, and "café", "한글" and "😀"
    // have no code-page form at all: every name is reported as it is.
    tree.Dir("表");
    tree.Dir("表\\子");
    tree.Dir("表\\子\\ソ");
    tree.Dir("表\\子\\ソ\\孫");
    tree.Dir("表\\a¥b");
    tree.Dir("表\\café");
    tree.Dir("表\\cafe");
    tree.Dir("表\\한글");
    tree.Dir("表\\子\\😀");

    for (const std::string& base : {tree / "表", tree / "表\\"}) {
        SCOPED_TRACE(base);
        recorder.events.clear();
        walker.BaseDir = base;
        EXPECT_TRUE(walker.Search());
        const std::string dir = tree / "表";
        std::vector<std::string> expected = {dir + "\\a¥b",       dir + "\\café",        dir + "\\cafe",
                                             dir + "\\한글",      dir + "\\子",          dir + "\\子\\ソ",
                                             dir + "\\子\\😀",    dir + "\\子\\ソ\\孫"};
        std::vector<std::string> names = recorder.Names();
        ASSERT_FALSE(names.empty());
        EXPECT_EQ(names.front(), base);
        names.erase(names.begin());
        // Each level in the order the file system lists it: compared as sets.
        std::sort(expected.begin(), expected.end());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(expected, names);
    }
}

TEST_F(SearchFileWalk, FolderBeyondMaxPathIsReportedButNotEntered) {
    const std::string longName(200, 'L');
    const std::string longerName(100, 'M');
    tree.Dir(longName);
    const std::string tooLong = tree.Dir(longName + "\\" + longerName);
    tree.Dir(longName + "\\" + longerName + "\\unreachable");
    ASSERT_GT(tooLong.size(), static_cast<size_t>(MAX_PATH));

    walker.BaseDir = tree.Root();
    EXPECT_TRUE(walker.Search());
    const std::vector<std::string> names = recorder.Names();
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), tooLong));
    for (const std::string& name : names) EXPECT_EQ(std::string::npos, name.find("unreachable"));
    // The rest of the tree is walked all the same.
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), tree / "A\\A1\\A1x"));
    EXPECT_EQ(10u, names.size());
}

// Links that lead back to a folder on their own path (the base, the base's parent, a folder reached through
// another link) are reported once and never entered, however deep the handler lets the walk go; a link that leads
// elsewhere is walked as an ordinary folder.
TEST_F(SearchFileWalk, LinksBackToAnAncestorAreReportedButNeverEntered) {
    const std::string outside = tree.Dir("outside");
    tree.Dir("outside\\inner");
    const std::string base = tree.Dir("base");
    tree.Dir("base\\A");
    const std::string back = base + "\\A\\back";
    const std::string up = base + "\\up";
    const std::string away = base + "\\away";
    const std::string round = outside + "\\round";
    for (const auto& [link, target] : {std::pair<std::string, std::string>{back, base}, {up, tree.Root()},
                                       {away, outside}, {round, outside}}) {
        if (!test_support::MakeFolderLink(Widen(link), Widen(target)))
            GTEST_SKIP() << "this system cannot make a folder link here: " << link;
    }
    // Eight levels are far more than the real tree has; going round the loops would take them all.
    recorder.decide = [&](const std::string& name, bool& ignoreSubDir, bool&) {
        ignoreSubDir = std::count(name.begin() + std::min(name.size(), base.size()), name.end(), '\\') >= 8;
    };
    walker.BaseDir = base;
    EXPECT_TRUE(walker.Search());
    std::vector<std::string> names = recorder.Names();
    std::sort(names.begin(), names.end());
    const std::vector<std::string> expected = {base, base + "\\A", back, away, away + "\\inner", away + "\\round",
                                               up};
    std::vector<std::string> sorted = expected;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(names, sorted);
}

TEST(SearchFile, RefusesToStartWithoutAnExistingBaseOrAHandler) {
    TempTree tree;
    tree.Dir("A");
    int events = 0;
    TSearchDir walker(nullptr);
    walker.OnFind = [&](ui::Component*, const std::string&, TSearchFileData, bool&, bool&) { ++events; };

    for (const std::string& base : {std::string(), tree / "missing", tree / "missing\\", tree / "A\\*",
                                    tree / "missing\\deeper"}) {
        walker.BaseDir = base;
        EXPECT_FALSE(walker.Search()) << base;
    }
    EXPECT_EQ(0, events);

    TSearchDir silent(nullptr);
    silent.BaseDir = tree.Root();
    EXPECT_FALSE(silent.Search());
}

TEST(SearchFile, FileAsBaseDirGivesOneEventDescribingTheFile) {
    TempTree tree;
    const LONGLONG size = 0x100000005LL;  // over 4 GiB: both halves of the size count
    const std::string file = tree.File("big.bin", size);
    std::vector<Event> events;
    TSearchDir walker(nullptr);
    walker.OnFind = [&](ui::Component* sender, const std::string& name, TSearchFileData data, bool&, bool&) {
        EXPECT_EQ(&walker, sender);
        events.push_back({name, data});
    };
    walker.BaseDir = file;
    EXPECT_TRUE(walker.Search());

    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(file, events[0].name);
    EXPECT_EQ("big.bin", events[0].data.FileName);
    EXPECT_EQ(size, events[0].data.Size);
    EXPECT_FALSE(events[0].data.IsDirectory);
}

// A walker that reacts by overriding DoFind sees the same events as an OnFind handler.
class CountingWalker : public TSearchDir {
public:
    using TSearchDir::TSearchDir;
    std::vector<std::string> seen;

protected:
    void DoFind(const std::string& Name, const TSearchFileData& Data, bool& IgnoreSubDir, bool& Continue) override {
        seen.push_back(Name);
        TSearchDir::DoFind(Name, Data, IgnoreSubDir, Continue);
    }
};

TEST(SearchFile, IsAnOwnedNamedComponentWhoseDoFindRaisesOnFind) {
    TempTree tree;
    tree.Dir("A");
    ui::Component owner(nullptr);
    auto* walker = new CountingWalker(&owner);  // owned: destroyed with owner
    walker->Name = "SearchDir1";
    EXPECT_EQ(walker, owner.FindComponent("SearchDir1"));

    std::vector<std::string> handled;
    walker->OnFind = [&](ui::Component*, const std::string& name, TSearchFileData, bool&, bool&) {
        handled.push_back(name);
    };
    walker->BaseDir = tree.Root();
    EXPECT_TRUE(walker->Search());
    const std::vector<std::string> expected = {tree.Root(), tree / "A"};
    EXPECT_EQ(expected, walker->seen);
    EXPECT_EQ(expected, handled);
}

}  // namespace
