// Start-up of the real program to a filled window (20,000 files, 2,000 folders), against the raw enumeration of the
// same entries plus the start-up of an empty Win32 program; and the peak working set of both.
// Run with "--empty" it is that empty program: it signals that it runs and waits to be measured.
#define PSAPI_VERSION 2
#include "BenchSupport.h"

#include <psapi.h>

#include <cwchar>

namespace {

const char kReadyEvent[] = "TessalyBenchEmptyReady";
const char kDoneEvent[] = "TessalyBenchEmptyDone";

std::string OwnFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.rfind('\\'));
}

HANDLE StartProcess(const std::string& exe, const std::string& args, const std::string& folder, DWORD& pid)
{
    std::string line = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    pid = pi.dwProcessId;
    return pi.hProcess;
}

SIZE_T PeakWorkingSet(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    return GetProcessMemoryInfo(process, &pmc, sizeof pmc) ? pmc.PeakWorkingSetSize : 0;
}

struct Search {
    DWORD pid;
    HWND main;
    bool counted;
};

BOOL CALLBACK FindLabel(HWND child, LPARAM lp)
{
    auto* s = reinterpret_cast<Search*>(lp);
    wchar_t text[64] = {};
    DWORD_PTR got = 0;
    if (SendMessageTimeoutW(child, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000, &got) &&
        std::wcsncmp(text, L"ファイルリスト ", 8) == 0) {
        s->counted = true;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindMain(HWND top, LPARAM lp)
{
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(top, &pid);
    char cls[32] = {};
    GetClassNameA(top, cls, sizeof cls);
    if (pid == s->pid && IsWindowVisible(top) && std::string(cls) == "TForm1") {
        s->main = top;
        EnumChildWindows(top, FindLabel, lp);
        return FALSE;
    }
    return TRUE;
}

// True once the program's main window is visible and its file list header shows the count.
bool FilledWindow(DWORD pid, HWND& main)
{
    Search s{pid, nullptr, false};
    EnumWindows(FindMain, reinterpret_cast<LPARAM>(&s));
    main = s.main;
    return s.counted;
}

// One start of the program per run in folder: the best time from CreateProcess to the filled window, its peak
// working set, and the entries its two lists hold.
struct StartFigures {
    double ms = 1e300;
    SIZE_T peak = 0;
    int folders = 0;
    int files = 0;
};

StartFigures MeasureStart(const std::string& exe, const std::string& folder, int runs)
{
    StartFigures f;
    for (int i = 0; i < runs; ++i) {
        DWORD pid = 0;
        HANDLE process = nullptr;
        HWND main = nullptr;
        bool filled = false;
        const double ms = bench::TimeMs([&] {
            process = StartProcess(exe, "", folder, pid);
            if (!process) return;
            const auto deadline = GetTickCount() + 60000;
            while (!(filled = FilledWindow(pid, main)) && GetTickCount() < deadline &&
                   WaitForSingleObject(process, 2) == WAIT_TIMEOUT) {
            }
        });
        if (!process) return f;
        if (filled) {
            f.ms = std::min(f.ms, ms);
            f.peak = std::max(f.peak, PeakWorkingSet(process));
            for (HWND c = GetWindow(main, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                // Each control carries its design name as the atom in the property "ui.Name".
                char name[32] = {};
                const ATOM atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(c, "ui.Name")));
                if (atom) GlobalGetAtomNameA(atom, name, sizeof name);
                if (std::string(name) == "ListBox1") f.files = static_cast<int>(SendMessageA(c, LB_GETCOUNT, 0, 0));
                if (std::string(name) == "ListBox2") f.folders = static_cast<int>(SendMessageA(c, LB_GETCOUNT, 0, 0));
            }
        }
        if (main) PostMessageA(main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process, 30000) == WAIT_TIMEOUT) TerminateProcess(process, 1);
        CloseHandle(process);
    }
    return f;
}

// A folder holding a copy of the program and settings that list every file.
void PrepareProgramFolder(const bench::TempTree& tree, const std::string& programFolder)
{
    tree.MakeFile("Tessaly.ini", "[Option]\r\nUpdateCheck=0\r\n[extension]\r\ncount=1\r\nex1=.*\r\n");
    CopyFileA((programFolder + "\\Tessaly.exe").c_str(), (tree.Path() + "\\Tessaly.exe").c_str(), FALSE);
}

int RunEmpty()
{
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, kReadyEvent);
    HANDLE done = OpenEventA(SYNCHRONIZE, FALSE, kDoneEvent);
    if (ready) SetEvent(ready);
    if (done) WaitForSingleObject(done, 60000);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--empty") return RunEmpty();

    bench::TempTree tree;
    tree.MakeFolders(40, 49);
    tree.MakeFiles(20000);
    tree.MakeFile("Tessaly.ini", "[Option]\r\nUpdateCheck=0\r\n[extension]\r\ncount=1\r\nex1=.*\r\n");
    const std::string exe = tree.Path() + "\\Tessaly.exe";
    if (!CopyFileA((OwnFolder() + "\\Tessaly.exe").c_str(), exe.c_str(), FALSE)) {
        std::printf("Tessaly.exe not found beside the benchmark\n");
        return 1;
    }
    const std::string self = [] {
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        return std::string(path);
    }();

    const int runs = 3;
    double raw = bench::BestMs(runs, [&] {
        bench::RawWalk(tree.Path(), 2);
        bench::RawList(tree.Path() + "\\*.*");
    });

    // The empty program: from CreateProcess to its first instruction of its own.
    double empty = 1e300;
    SIZE_T emptyPeak = 0;
    for (int i = 0; i < runs; ++i) {
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, kReadyEvent);
        HANDLE done = CreateEventA(nullptr, TRUE, FALSE, kDoneEvent);
        DWORD pid = 0;
        HANDLE process = nullptr;
        const double ms = bench::TimeMs([&] {
            process = StartProcess(self, "--empty", tree.Path(), pid);
            if (process) WaitForSingleObject(ready, 30000);
        });
        if (process) {
            empty = std::min(empty, ms);
            emptyPeak = std::max(emptyPeak, PeakWorkingSet(process));
            SetEvent(done);
            WaitForSingleObject(process, 30000);
            CloseHandle(process);
        }
        CloseHandle(ready);
        CloseHandle(done);
    }

    const StartFigures full = MeasureStart(exe, tree.Path(), runs);
    const double start = full.ms;
    const SIZE_T peak = full.peak;
    const int folders = full.folders;
    const int files = full.files;

    // Where the time goes: the same start with the folders alone, and with the files alone.
    bench::TempTree foldersOnly;
    foldersOnly.MakeFolders(40, 49);
    PrepareProgramFolder(foldersOnly, OwnFolder());
    const StartFigures f1 = MeasureStart(foldersOnly.Path() + "\\Tessaly.exe", foldersOnly.Path(), 1);
    bench::TempTree filesOnly;
    filesOnly.MakeFiles(20000);
    PrepareProgramFolder(filesOnly, OwnFolder());
    const StartFigures f2 = MeasureStart(filesOnly.Path() + "\\Tessaly.exe", filesOnly.Path(), 1);
    bench::TempTree bare;
    PrepareProgramFolder(bare, OwnFolder());
    const StartFigures f3 = MeasureStart(bare.Path() + "\\Tessaly.exe", bare.Path(), 1);

    std::printf("window filled with %d folders and %d file entries\n", folders, files);
    std::printf("raw enumeration %.1f ms, empty program start %.1f ms\n", raw, empty);
    bench::Report("start-up to a filled window", start, "raw enumeration + empty start", raw + empty, 2.0);
    std::printf("%-44s %9.1f MB | %-34s %9.1f MB | difference %.1f MB (target <= 5.0)%s\n", "peak working set",
                peak / 1048576.0, "empty program", emptyPeak / 1048576.0, (peak - double(emptyPeak)) / 1048576.0,
                (peak - double(emptyPeak)) / 1048576.0 <= 5.0 ? "" : "  MISSED");
    std::printf("start-up breakdown: empty folder %.1f ms; 2,000 folders only %.1f ms (%d entries); "
                "20,000 files only %.1f ms (%d entries)\n", f3.ms, f1.ms, f1.folders, f2.ms, f2.files);
    return 0;
}
