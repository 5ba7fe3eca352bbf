// What the benchmarks share: the folder trees they read, a clock, the raw enumeration that every figure is compared
// with, and the printing of a figure next to its reference as a ratio. Benchmarks report; they never judge.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ui/CodePage.h"

namespace bench {

// Milliseconds taken by one call of work.
inline double TimeMs(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The best of several runs: the figure least disturbed by the rest of the machine.
inline double BestMs(int runs, const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) best = std::min(best, TimeMs(work));
    return best;
}

// The best of several runs of a figure and of its reference, taken in turns, so that a busy moment of the machine
// weighs on both alike.
inline std::pair<double, double> BestInTurns(int runs, const std::function<void()>& work,
                                             const std::function<void()>& reference)
{
    double best = 1e300, bestReference = 1e300;
    for (int i = 0; i < runs; ++i) {
        bestReference = std::min(bestReference, TimeMs(reference));
        best = std::min(best, TimeMs(work));
    }
    return {best, bestReference};
}

// The middle one of an odd number of figures (of an even number, the upper of the two middle ones).
inline double Median(std::vector<double> figures)
{
    if (figures.empty()) return 0;
    const auto middle = figures.begin() + figures.size() / 2;
    std::nth_element(figures.begin(), middle, figures.end());
    return *middle;
}

// A figure and its reference timed in turns: the median time of each and the median of the turns' ratios.
struct InTurns {
    double ms = 0;
    double referenceMs = 0;
    double ratio = 0;
};

// Times work and its reference in turns, back to back and in alternating order, so that a busy moment of the machine,
// or what the first of a turn leaves warm for the second, weighs on both alike. The ratio is the median of the
// turns' ratios: two best times may come from different moments, and on a shared machine those made the verdict
// change from run to run. One turn first warms the caches and is not counted.
inline InTurns MedianInTurns(int turns, const std::function<void()>& work, const std::function<void()>& reference)
{
    reference();
    work();
    std::vector<double> ms, referenceMs, ratios;
    for (int i = 0; i < turns; ++i) {
        double w = 0, r = 0;
        if (i % 2 == 0) {
            r = TimeMs(reference);
            w = TimeMs(work);
        } else {
            w = TimeMs(work);
            r = TimeMs(reference);
        }
        ms.push_back(w);
        referenceMs.push_back(r);
        ratios.push_back(r > 0 ? w / r : 0);
    }
    return {Median(ms), Median(referenceMs), Median(ratios)};
}

// One line: what was measured, its time, the reference's time, the ratio and the target.
inline void ReportRatio(const char* what, double ms, const char* reference, double referenceMs, double ratio,
                        double target)
{
    std::printf("%-44s %9.1f ms | %-34s %9.1f ms | ratio %5.2f (target <= %.1f)%s\n", what, ms, reference,
                referenceMs, ratio, target, ratio <= target ? "" : "  MISSED");
    std::fflush(stdout);
}

inline void Report(const char* what, double ms, const char* reference, double referenceMs, double target)
{
    ReportRatio(what, ms, reference, referenceMs, referenceMs > 0 ? ms / referenceMs : 0, target);
}

inline void Report(const char* what, const InTurns& t, const char* reference, double target)
{
    ReportRatio(what, t.ms, reference, t.referenceMs, t.ratio, target);
}

// A new empty folder under the Windows temporary folder, removed with everything in it at the end.
class TempTree {
public:
    TempTree()
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "tessaly-bench-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount());
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempTree() { Remove(path_); }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& Path() const { return path_; }

    void MakeDir(const std::string& relative) const { CreateDirectoryA((path_ + "\\" + relative).c_str(), nullptr); }
    void MakeFile(const std::string& relative, const std::string& bytes = "") const
    {
        HANDLE h = CreateFileA((path_ + "\\" + relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return;
        DWORD written = 0;
        if (!bytes.empty()) WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(h);
    }

    // folders top-level folders, each holding perFolder subfolders ("D0001\S0001").
    void MakeFolders(int folders, int perFolder, const std::string& under = "") const
    {
        const std::string prefix = under.empty() ? "" : under + "\\";
        char name[32];
        for (int i = 0; i < folders; ++i) {
            std::snprintf(name, sizeof name, "D%04d", i);
            MakeDir(prefix + name);
            for (int j = 0; j < perFolder; ++j) {
                char sub[32];
                std::snprintf(sub, sizeof sub, "\\S%04d", j);
                MakeDir(prefix + name + sub);
            }
        }
    }

    // The mixed folder of the lists' icons: 20,000 empty files of ten kinds "m00000.txt"..., with 250 programs
    // "p00000.exe"... and 250 shortcuts "p00000.lnk"... among them.
    void MakeMixedFiles(const std::string& under) const
    {
        char name[32];
        for (const char* ext : {"txt", "doc", "pdf", "jpg", "png", "zip", "mp3", "html", "xls", "csv"}) {
            for (int i = 0; i < 1950; ++i) {
                std::snprintf(name, sizeof name, "m%05d.%s", i, ext);
                MakeFile(under + "\\" + name);
            }
        }
        for (const char* ext : {"exe", "lnk"}) {
            for (int i = 0; i < 250; ++i) {
                std::snprintf(name, sizeof name, "p%05d.%s", i, ext);
                MakeFile(under + "\\" + name);
            }
        }
    }

    // count empty files "f00001.txt"... in a folder (relative, "" for the tree itself).
    void MakeFiles(int count, const std::string& under = "") const
    {
        const std::string prefix = under.empty() ? "" : under + "\\";
        char name[32];
        for (int i = 0; i < count; ++i) {
            std::snprintf(name, sizeof name, "f%05d.%s", i, i % 2 ? "txt" : "dat");
            MakeFile(prefix + name);
        }
    }

private:
    static void Remove(const std::string& folder)
    {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = fd.cFileName;
                if (name == "." || name == "..") continue;
                const std::string full = folder + "\\" + name;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Remove(full);
                else {
                    SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(full.c_str());
                }
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string path_;
};

// The trees that ./tessaly bench lays out once for every benchmark (argv[1], their common root; see the script):
//   files\    20,000 empty files "f00000.dat", "f00001.txt"...
//   folders\  40 folders "D0000"... each holding 49 "S0000"... (2,000 folders)
//   full\     both of these
//   walk\     400 folders "D0000"... each holding 49 "S0000"... (20,000 folders): the folder walk's, long enough to
//             time against its reference on a shared machine
//   mixed\    20,000 empty files of a dozen kinds, 250 ".exe" and 250 ".lnk" among them (MakeMixedFiles)
//   empty\    nothing
// Without the argument a benchmark lays out the trees it needs itself, which takes far longer under Wine.
class Trees {
public:
    Trees(int argc, char** argv)
    {
        if (argc > 1) root_ = argv[1];
        else own_ = std::make_unique<TempTree>();
    }
    std::string Path(const char* name) const
    {
        if (!own_) return root_ + "\\" + name;
        const std::string n = name;
        if (made_.insert(n).second) {
            own_->MakeDir(n);
            if (n == "files" || n == "full") own_->MakeFiles(20000, n);
            if (n == "folders" || n == "full") own_->MakeFolders(40, 49, n);
            if (n == "walk") own_->MakeFolders(400, 49, n);
            if (n == "mixed") own_->MakeMixedFiles(n);
        }
        return own_->Path() + "\\" + n;
    }

private:
    std::string root_;
    std::unique_ptr<TempTree> own_;
    mutable std::set<std::string> made_;
};

// Raw enumeration of one folder's entries matching pattern ("*.*"): how many there are.
inline int RawList(const std::string& pattern)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(ui::ToWide(pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do {
        ++n;
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return n;
}

// Raw breadth-first enumeration of the folders below root down to depth levels: how many folders (root included).
inline int RawWalk(const std::string& root, int depth)
{
    std::deque<std::pair<std::wstring, int>> queue{{ui::ToWide(root), 0}};
    int folders = 1;
    while (!queue.empty()) {
        auto [dir, level] = queue.front();
        queue.pop_front();
        if (level >= depth) continue;
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((dir + L"\\*.*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) continue;
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
            if (fd.cFileName[0] == L'.' &&
                (fd.cFileName[1] == 0 || (fd.cFileName[1] == L'.' && fd.cFileName[2] == 0)))
                continue;
            ++folders;
            queue.emplace_back(dir + L"\\" + fd.cFileName, level + 1);
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    return folders;
}

}  // namespace bench
