// Dragging files between the real program and a window of this test under Wine's drag loop, with the real mouse:
// a file dragged out of the file list arrives at another program with its exact path, and a file that program
// drags onto an entry of the folder list goes into that folder.
#include "app/MainWindowSupport.h"

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <atomic>
#include <cstdio>
#include <thread>

using namespace main_window;

namespace {

// Handles the window messages of this thread (and with them the calls another program's drag loop makes into this
// one's drop target) for a while.
void PumpFor(int milliseconds)
{
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

// Handles this thread's messages until pred holds (true) or 10 s have passed (false).
template <typename Pred>
bool PumpUntil(Pred pred)
{
    const DWORD end = GetTickCount() + 10000;
    while (!pred()) {
        if (static_cast<int>(end - GetTickCount()) <= 0) {
            return false;
        }
        PumpFor(20);
    }
    return true;
}

// Closes the program while this thread goes on answering the calls the program's drag and drop still makes into
// it (releasing this test's objects); a thread that only waited would keep the program from ending.
void CloseWhilePumping(Session& s)
{
    s.Program().Close();
    EXPECT_TRUE(PumpUntil([&] { return !s.Program().IsRunning(); })) << "the program still runs after its close";
}

// The files of a data object's CF_HDROP.
std::vector<std::string> FilesOf(IDataObject* data)
{
    std::vector<std::string> files;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) {
        return files;
    }
    const auto drop = static_cast<HDROP>(medium.hGlobal);
    for (UINT i = 0, n = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0); i < n; ++i) {
        wchar_t path[1024] = {};
        DragQueryFileW(drop, i, path, 1024);
        files.push_back(driver::ToUtf8(path));
    }
    ReleaseStgMedium(&medium);
    return files;
}

// A top-level window of this test that takes files dropped on it, as a mail program or an editor does (copies).
class FileCatcher : public IDropTarget {
public:
    FileCatcher()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TessalyTestFileCatcher";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"catcher", WS_POPUP | WS_VISIBLE | WS_BORDER,
                                  700, 400, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
        registered_ = SUCCEEDED(RegisterDragDrop(window_, this));
    }
    ~FileCatcher()
    {
        if (registered_) {
            RevokeDragDrop(window_);
        }
        DestroyWindow(window_);
    }
    bool Registered() const { return registered_; }
    driver::Window AsWindow() const { return driver::Window(window_); }
    driver::Point Center() const
    {
        RECT r{};
        GetWindowRect(window_, &r);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    const std::vector<std::string>& Dropped() const { return dropped_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
            *out = static_cast<IDropTarget*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives as long as the test
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override
    {
        *effect &= DROPEFFECT_COPY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override
    {
        *effect &= DROPEFFECT_COPY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        dropped_ = FilesOf(data);
        *effect &= DROPEFFECT_COPY;
        return S_OK;
    }

private:
    HWND window_ = nullptr;
    bool registered_ = false;
    std::vector<std::string> dropped_;
};

// The drag source of this test's own drags: drops when the left button is let go.
class ButtonSource : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
            *out = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override
    {
        // A release this thread never sees must fail the test, not hang it.
        if (escape || static_cast<int>(GetTickCount() - started_) > 15000) {
            return DRAGDROP_S_CANCEL;
        }
        return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    // The effect the target offers as the pointer moves, which the cursor shows.
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override
    {
        lastEffect = effect;
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
    DWORD lastEffect = DROPEFFECT_NONE;

private:
    DWORD started_ = GetTickCount();
};

// The shell's own data object for a file, as a folder window hands it over.
IDataObject* ShellDataObject(const std::string& path)
{
    PIDLIST_ABSOLUTE full = nullptr;
    if (FAILED(SHParseDisplayName(driver::ToWide(path).c_str(), nullptr, &full, 0, nullptr))) {
        return nullptr;
    }
    IShellFolder* folder = nullptr;
    PCUITEMID_CHILD child = nullptr;
    IDataObject* data = nullptr;
    if (SUCCEEDED(SHBindToParent(full, IID_IShellFolder, reinterpret_cast<void**>(&folder), &child))) {
        folder->GetUIObjectOf(nullptr, 1, &child, IID_IDataObject, nullptr, reinterpret_cast<void**>(&data));
        folder->Release();
    }
    CoTaskMemFree(full);
    return data;
}

// The screen point at the middle of a list item.
driver::Point ItemPoint(const driver::Window& list, int index)
{
    const driver::Rect item = list.ItemRect(index);
    const driver::Rect client = list.ClientBounds();
    return {client.left + item.Center().x, client.top + item.Center().y};
}

// Moves the real mouse from one point to another in steps, handling this thread's messages after each.
void MoveInSteps(driver::Point from, driver::Point to, int steps)
{
    for (int i = 1; i <= steps; ++i) {
        driver::MouseMoveTo({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
        PumpFor(40);
    }
}

class OleSession {
public:
    OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession()
    {
        if (ok_) {
            OleUninitialize();
        }
    }

private:
    bool ok_;
};

// What became of a drag out of this test's window.
struct DragOutcome {
    HRESULT result = E_FAIL;
    DWORD effect = DROPEFFECT_NONE;      // what the target answered
    DWORD lastEffect = DROPEFFECT_NONE;  // what the cursor showed last
};

// Drags the shell's own data object for a file from a window of this test onto an entry of the folder list, as
// another program's drag does, with the real mouse.
DragOutcome DragOntoFolderEntry(Session& s, const std::string& file, const std::string& entry)
{
    DragOutcome outcome;
    // A user's pointer has been over the window before: from then on its lists are OLE drop targets.
    driver::MouseMoveTo(s.Folders().ClientBounds().Center());
    PumpFor(200);
    IDataObject* data = ShellDataObject(file);
    EXPECT_NE(data, nullptr);
    if (!data) {
        return outcome;
    }

    // The press is on this test's window, as a user's drag out of it begins: the pointer then belongs to this
    // program until the release (under X, to the window the button went down on).
    FileCatcher origin;
    driver::BringToForeground(origin.AsWindow());  // Wine routes the input to the foreground thread's capture
    const driver::Point from = origin.Center();
    const driver::Point to = ItemPoint(s.Folders(), Session::IndexOf(s.Folders(), entry));
    std::atomic<bool> pressed{false};
    std::thread hand([&] {
        driver::MouseMoveTo(from);
        Sleep(100);
        driver::MouseLeftDown();
        pressed = true;
        Sleep(300);
        for (int i = 1; i <= 10; ++i) {
            driver::MouseMoveTo({from.x + (to.x - from.x) * i / 10, from.y + (to.y - from.y) * i / 10});
            Sleep(60);
        }
        Sleep(300);
        driver::MouseLeftUp();
    });
    // The drag begins as a program begins it, in the handling of the press: once this thread has taken the
    // button-down message, its key state says the button is down (the drag loop reads that state).
    const DWORD deadline = GetTickCount() + 5000;
    while ((!pressed || GetKeyState(VK_LBUTTON) >= 0) && static_cast<int>(deadline - GetTickCount()) > 0) {
        PumpFor(5);
    }
    // A plain drag: with a modifier key down the target would copy. One left down by an earlier test is let go,
    // and said.
    const std::string held = driver::ReleaseModifiers();
    if (!held.empty()) std::printf("note: %s still down before the drag, released\n", held.c_str());
    ButtonSource source;
    outcome.result = DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &outcome.effect);
    outcome.lastEffect = source.lastEffect;
    hand.join();
    data->Release();
    return outcome;
}

}  // namespace

// A press on a file, a move past the drag distance and a release over another program's window: the window
// receives the file's exact path, and the file stays where it was (a copy).
TEST(DragAndDrop, AFileDraggedOutOfTheFileListArrivesWithItsExactPath)
{
    OleSession ole;
    Session s;
    s.WriteFile("資料 café.txt", "x");
    s.WriteIni(Ini());
    s.Start();
    s.WaitForCounts();
    FileCatcher catcher;
    ASSERT_TRUE(catcher.Registered());

    const driver::Point start = ItemPoint(s.Files(), Session::IndexOf(s.Files(), "資料 café.txt"));
    driver::MouseMoveTo(start);
    PumpFor(100);
    driver::MouseLeftDown();
    PumpFor(100);
    MoveInSteps(start, {start.x + 12, start.y}, 3);
    MoveInSteps({start.x + 12, start.y}, catcher.Center(), 8);
    PumpFor(200);
    driver::MouseLeftUp();
    PumpUntil([&] { return !catcher.Dropped().empty(); });
    driver::Screenshot(driver::CurrentTestName() + "_after_drop");
    EXPECT_EQ(catcher.Dropped(), std::vector<std::string>{s.InBase("資料 café.txt")});
    EXPECT_TRUE(driver::FileExists(s.InBase("資料 café.txt"))) << "a copy leaves the file in its folder";
    EXPECT_EQ(s.Files().ItemCount(), 1);
    CloseWhilePumping(s);
}

// A press on the last pixel row of a file, a move smaller than the drag distance onto the next file, then on to
// another program's window: the drag carries the file the button went down on, and that file stays selected.
TEST(DragAndDrop, ADragCarriesTheFileThatWasPressed)
{
    OleSession ole;
    Session s;
    s.WriteFile("a first.txt", "a");
    s.WriteFile("b second.txt", "b");
    s.WriteFile("c third.txt", "c");
    s.WriteIni(Ini());
    s.Start();
    s.WaitForCounts();
    FileCatcher catcher;
    ASSERT_TRUE(catcher.Registered());

    const int first = Session::IndexOf(s.Files(), "a first.txt");
    const driver::Rect item = s.Files().ItemRect(first);
    const driver::Rect client = s.Files().ClientBounds();
    const driver::Point press{client.left + item.Center().x, client.top + item.bottom - 1};
    driver::MouseMoveTo(press);
    PumpFor(100);
    driver::MouseLeftDown();
    PumpFor(100);
    const driver::Point nudged{press.x + 1, press.y + 2};  // onto "b second.txt", within the drag distance
    driver::MouseMoveTo(nudged);
    PumpFor(200);
    MoveInSteps(nudged, catcher.Center(), 8);
    PumpFor(200);
    driver::MouseLeftUp();
    PumpUntil([&] { return !catcher.Dropped().empty(); });
    EXPECT_EQ(catcher.Dropped(), std::vector<std::string>{s.InBase("a first.txt")});
    EXPECT_EQ(s.Files().SelectedText(), "a first.txt");
    CloseWhilePumping(s);
}

// Another program's window drags a file onto an entry of the folder list: the file moves into that folder (one
// volume, and the shell's data object asks for nothing else). The program moved it itself, so the source is told
// that nothing is left for it to do.
TEST(DragAndDrop, AFileDroppedOnAFolderEntryGoesIntoThatFolder)
{
    OleSession ole;
    Session s;
    s.MakeDir("Docs");
    s.WriteIni(Ini());
    const std::string outside = driver::JoinPath(s.Temp().Path(), "drop me.txt");
    driver::WriteFileBytes(outside, "x");
    s.Start();
    s.WaitForCounts();
    const DragOutcome drag = DragOntoFolderEntry(s, outside, "Docs");
    EXPECT_EQ(drag.result, DRAGDROP_S_DROP);
    EXPECT_EQ(drag.lastEffect, static_cast<DWORD>(DROPEFFECT_MOVE)) << "the cursor over Docs shows a move";
    EXPECT_EQ(drag.effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "a move done by the target: the source deletes nothing";
    EXPECT_TRUE(PumpUntil([&] { return driver::FileExists(s.InBase("Docs\\drop me.txt")); })) << "in Docs";
    EXPECT_FALSE(driver::FileExists(outside));
    CloseWhilePumping(s);
}

// A file the folder already holds is refused: the source is never told it moved (a plain source would then delete
// the user's only copy), and one box names the file and why, once the drop has returned.
TEST(DragAndDrop, ARefusedDropIsNeverAnsweredAsAMove)
{
    OleSession ole;
    Session s;
    s.MakeDir("Inbox");
    s.WriteFile("Inbox\\same.txt", "kept");
    s.WriteIni(Ini());
    const std::string outside = driver::JoinPath(s.Temp().Path(), "same.txt");
    driver::WriteFileBytes(outside, "dropped");
    s.Start();
    s.WaitForCounts();
    const DragOutcome drag = DragOntoFolderEntry(s, outside, "Inbox");
    EXPECT_EQ(drag.result, DRAGDROP_S_DROP);
    EXPECT_EQ(drag.effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_TRUE(PumpUntil([&] { return !s.Program().OpenMessageBoxes().empty(); })) << "the box after the drop";
    EXPECT_EQ(s.TakeMessage(), "移動に失敗しました。\n\n" + outside + "\n    同じ名前のファイルがあります。");
    EXPECT_EQ(driver::ReadFileBytes(outside), "dropped");
    EXPECT_EQ(driver::ReadFileBytes(s.InBase("Inbox\\same.txt")), "kept");
    CloseWhilePumping(s);
}
