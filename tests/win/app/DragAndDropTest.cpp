// Drag and drop of files with data objects made here, on the real main window and real files: what a drag out of
// the file list hands over, and what a drop onto the file list does (move or copy into the folder it shows, never
// replacing a file, refusing folders, selecting the last file that came in).
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <utility>
#include <memory>
#include <string>
#include <vector>

#include "../settings/SettingsTestFolder.h"
#include "../ui/BoxWatcher.h"
#include "app/Unit1.h"
#include "ui/Application.h"
#include "ui/CodePage.h"
#include "ui/Dialogs.h"
#include "ui/DragDrop.h"
#include "ui/Form.h"

namespace {

constexpr DWORD kCopyOrMove = DROPEFFECT_COPY | DROPEFFECT_MOVE;

bool Exists(const std::string& path) {
    return GetFileAttributesW(settings_test::ExactWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The DWORD a target set on a data object under a shell format, or 0xFFFFFFFF when there is none.
DWORD FormatValue(IDataObject* data, const wchar_t* name) {
    FORMATETC format{static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name)), nullptr, DVASPECT_CONTENT, -1,
                     TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) return 0xFFFFFFFF;
    DWORD value = 0xFFFFFFFF;
    if (const void* p = GlobalLock(medium.hGlobal)) {
        if (GlobalSize(medium.hGlobal) >= sizeof value) std::memcpy(&value, p, sizeof value);
        GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    return value;
}

// Runs an action from the message loop of whatever modal window is open by then (a thread timer's callback).
std::function<void()> pendingInModal;
void CALLBACK RunPendingInModal(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const std::function<void()> action = std::move(pendingInModal);
    if (action) action();
}
void RunOnceModal(std::function<void()> action) {
    pendingInModal = std::move(action);
    SetTimer(nullptr, 0, 50, RunPendingInModal);
}

// Closes the innermost modal window: a modal form, else the message box of this thread.
BOOL CALLBACK CloseBox(HWND h, LPARAM) {
    wchar_t cls[16] = {};
    GetClassNameW(h, cls, 16);
    if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(h)) PostMessageW(h, WM_COMMAND, IDOK, 0);
    return TRUE;
}
void CloseInnermostModal() {
    if (ui::Form* modal = ui::Form::InnermostModal()) modal->SetModalResult(ui::mrCancel);
    else EnumThreadWindows(GetCurrentThreadId(), CloseBox, 0);
}

// The main window with a base folder holding "Target" (selected in the folder list, .txt files listed) and a
// folder "From" elsewhere on the same volume that the dropped files come from.
class DropTest : public settings_test::SettingsTestFolder {
protected:
    void SetUp() override {
        SettingsTestFolder::SetUp();
        ui::App().Initialize();
        base = PathOf("base") + "\\";
        from = PathOf("From") + "\\";
        for (const std::string& dir : {base, base + "Target\\", from})
            ASSERT_TRUE(CreateDirectoryW(ui::ToWide(dir).c_str(), nullptr)) << dir;
        WriteRaw(base + "Tessaly.ini", "[Option]\r\nUpdateCheck=0\r\n[extension]\r\ncount=1\r\nex1=.txt\r\n");
        BaseFolder = base;
        form = std::make_unique<TForm1>(nullptr);
        form->ListBox2->Items().Add("Target");
        form->ListBox2->SetItemIndex(0);
        form->AcceptDroppedFiles();
        ui::ActivateFileDrops();  // as the first mouse move over the program does
        target = ui::FileDropTargetOf(*form->ListBox1);
        ASSERT_NE(target, nullptr);
    }
    void TearDown() override {
        form.reset();
        BaseFolder.clear();
        SettingsTestFolder::TearDown();
    }

    // The effect the list offers for the files with these keys (as the pointer moves over it).
    DWORD Offered(IDataObject* data, DWORD keys) {
        DWORD effect = kCopyOrMove;
        EXPECT_EQ(target->DragEnter(data, keys | MK_LBUTTON, POINTL{0, 0}, &effect), S_OK);
        target->DragLeave();
        return effect;
    }

    // Drops the files with these keys: the effect answered to the source, and the text of the one box the drop
    // shows once it has returned (answered here; empty when none comes in a second).
    struct Dropped {
        DWORD effect = DROPEFFECT_NONE;
        std::string box;
    };
    Dropped Drop(IDataObject* data, DWORD keys) {
        Dropped result;
        result.effect = kCopyOrMove;
        {
            BoxWatcher during(GetCurrentThreadId(), "OK", std::chrono::milliseconds(300));
            EXPECT_EQ(target->Drop(data, keys, POINTL{0, 0}, &result.effect), S_OK);
            EXPECT_FALSE(during.Result().found) << "a box during the drop holds the source's drag loop";
        }
        BoxWatcher after(GetCurrentThreadId(), "OK", std::chrono::seconds(1));
        ui::App().ProcessMessages();
        if (after.Result().found) result.box = after.Result().text;
        return result;
    }

    std::string Selected() const {
        const int i = form->ListBox1->ItemIndex();
        return i >= 0 ? form->ListBox1->Items()[i] : std::string();
    }

    std::string base, from;
    std::unique_ptr<TForm1> form;
    IDropTarget* target = nullptr;
};

TEST_F(DropTest, ADragHandsOverTheExactPathInTheShellsFileFormat) {
    const std::string path = from + "資料 café.txt";
    WriteRaw(path, "x");
    IDataObject* data = ui::CreateFileDataObject({path});
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    ASSERT_EQ(data->GetData(&format, &medium), S_OK);
    const auto* drop = static_cast<const DROPFILES*>(GlobalLock(medium.hGlobal));
    EXPECT_TRUE(drop->fWide);
    const auto* names = reinterpret_cast<const wchar_t*>(reinterpret_cast<const char*>(drop) + drop->pFiles);
    EXPECT_EQ(std::wstring(names), ui::ToWide(path));
    EXPECT_EQ(names[ui::ToWide(path).size() + 1], L'\0') << "the list ends after the one name";
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);

    // The shell's own item list names the same file.
    FORMATETC ids{static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"Shell IDList Array")), nullptr,
                  DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    ASSERT_EQ(data->GetData(&ids, &medium), S_OK);
    const auto* cida = static_cast<const CIDA*>(GlobalLock(medium.hGlobal));
    ASSERT_EQ(cida->cidl, 1u);
    const auto* start = reinterpret_cast<const BYTE*>(cida);
    PIDLIST_ABSOLUTE full = ILCombine(reinterpret_cast<PCIDLIST_ABSOLUTE>(start + cida->aoffset[0]),
                                      reinterpret_cast<PCUIDLIST_RELATIVE>(start + cida->aoffset[1]));
    wchar_t named[MAX_PATH] = {};
    EXPECT_TRUE(SHGetPathFromIDListW(full, named));
    EXPECT_EQ(std::wstring(named), ui::ToWide(path));
    ILFree(full);
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);

    EXPECT_EQ(ui::DroppedFiles(data), std::vector<std::string>{path});
    EXPECT_TRUE(ui::PrefersCopy(data)) << "a folder window copies it unless Shift is held";
    EXPECT_EQ(Offered(data, 0), static_cast<DWORD>(DROPEFFECT_COPY)) << "the file list honours that too";
    EXPECT_EQ(Offered(data, MK_SHIFT), static_cast<DWORD>(DROPEFFECT_MOVE));
    data->Release();
}

TEST_F(DropTest, ADropMovesWithinTheVolumeAndNeverReplacesAFile) {
    WriteRaw(base + "Target\\same.txt", "kept");
    WriteRaw(from + "same.txt", "dropped");
    WriteRaw(from + "new one.txt", "moved");
    IDataObject* data = ui::CreateFileDataObject({from + "same.txt", from + "new one.txt"}, false);
    EXPECT_EQ(Offered(data, 0), static_cast<DWORD>(DROPEFFECT_MOVE));
    const Dropped dropped = Drop(data, 0);
    EXPECT_EQ(dropped.box, "移動に失敗しました。\n\n" + from + "same.txt\n    同じ名前のファイルがあります。");
    // The move was done here: the source is told so in the shell's way, and never to delete its files.
    EXPECT_EQ(dropped.effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(FormatValue(data, L"Performed DropEffect"), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(FormatValue(data, L"Logical Performed DropEffect"), static_cast<DWORD>(DROPEFFECT_MOVE));
    data->Release();
    EXPECT_EQ(ReadRaw(base + "Target\\same.txt"), "kept");
    EXPECT_EQ(ReadRaw(from + "same.txt"), "dropped");
    EXPECT_EQ(ReadRaw(base + "Target\\new one.txt"), "moved");
    EXPECT_FALSE(Exists(from + "new one.txt"));
    EXPECT_EQ(form->ListBox1->Items().Count(), 2);
    EXPECT_EQ(Selected(), "new one.txt") << "the last file that came in";
}

TEST_F(DropTest, CtrlCopiesAndAFolderIsRefused) {
    WriteRaw(from + "copy.txt", "copied");
    IDataObject* data = ui::CreateFileDataObject({from + "copy.txt"}, false);
    EXPECT_EQ(Offered(data, MK_CONTROL), static_cast<DWORD>(DROPEFFECT_COPY));
    const Dropped copied = Drop(data, MK_CONTROL);
    EXPECT_EQ(copied.box, "");
    EXPECT_EQ(copied.effect, static_cast<DWORD>(DROPEFFECT_COPY)) << "a copy stays a copy";
    EXPECT_EQ(FormatValue(data, L"Performed DropEffect"), static_cast<DWORD>(DROPEFFECT_COPY));
    data->Release();
    EXPECT_EQ(ReadRaw(from + "copy.txt"), "copied");
    EXPECT_EQ(ReadRaw(base + "Target\\copy.txt"), "copied");
    EXPECT_EQ(Selected(), "copy.txt");

    ASSERT_TRUE(CreateDirectoryW(ui::ToWide(from + "Folder.txt").c_str(), nullptr));
    WriteRaw(base + "Target\\taken.txt", "kept");
    WriteRaw(from + "taken.txt", "dropped");
    data = ui::CreateFileDataObject({from + "Folder.txt", from + "taken.txt"}, false);
    const Dropped refused = Drop(data, 0);
    EXPECT_EQ(refused.box, "移動に失敗しました。\n\n" + from + "Folder.txt\n    フォルダは移動・コピーできません。\n" +
                               from + "taken.txt\n    同じ名前のファイルがあります。")
        << "one box names every file that did not go";
    EXPECT_EQ(refused.effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "nothing went: never answered as moved";
    EXPECT_EQ(FormatValue(data, L"Logical Performed DropEffect"), static_cast<DWORD>(DROPEFFECT_NONE));
    data->Release();
    EXPECT_TRUE(Exists(from + "Folder.txt"));
    EXPECT_FALSE(Exists(base + "Target\\Folder.txt"));
    EXPECT_EQ(ReadRaw(from + "taken.txt"), "dropped");
    EXPECT_EQ(ReadRaw(base + "Target\\taken.txt"), "kept");
}

// Before the first mouse move the lists take files as the system hands them to any window that accepts files.
TEST_F(DropTest, FilesHandedOverAsWmDropFilesGoTheSameWay) {
    WriteRaw(from + "handed.txt", "x");
    const std::wstring path = ui::ToWide(from + "handed.txt");
    const size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
    GlobalUnlock(drop);
    EXPECT_TRUE(GetWindowLongW(form->ListBox1->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    SendMessageW(form->ListBox1->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);  // frees it
    EXPECT_TRUE(Exists(base + "Target\\handed.txt")) << "moved: one volume, no keys";
    EXPECT_FALSE(Exists(from + "handed.txt"));
    EXPECT_EQ(Selected(), "handed.txt");
}

TEST_F(DropTest, FilesAlreadyInTheFolderAreNotTakenAndWithoutASelectionTheBaseFolderTakesThem) {
    WriteRaw(base + "Target\\here.txt", "x");
    IDataObject* here = ui::CreateFileDataObject({base + "Target\\here.txt"}, false);
    EXPECT_EQ(Offered(here, 0), static_cast<DWORD>(DROPEFFECT_NONE));
    here->Release();

    form->ListBox2->SetItemIndex(-1);  // the file list shows the base folder
    WriteRaw(from + "a.txt", "x");
    IDataObject* data = ui::CreateFileDataObject({from + "a.txt"}, false);
    EXPECT_EQ(Drop(data, 0).box, "");
    data->Release();
    EXPECT_TRUE(Exists(base + "a.txt"));
    EXPECT_EQ(Selected(), "a.txt");
}

// On Windows the system still hands drops to a window under a modal dialog: while any modal window of the program
// is open the lists refuse them, so that no dialog's OK acts on a file dropped under it.
TEST_F(DropTest, NoDropIsTakenWhileAModalWindowOfTheProgramIsOpen) {
    WriteRaw(base + "Target\\shown.txt", "x");
    form->Refresh1Click(nullptr);
    form->ListBox1->SetItemIndex(0);
    WriteRaw(from + "late.txt", "x");
    IDataObject* data = ui::CreateFileDataObject({from + "late.txt"}, false);
    const std::vector<std::pair<std::string, std::function<void()>>> modals = {
        {"rename", [&] { form->N5Click(nullptr); }},
        {"search", [&] { form->N6Click(nullptr); }},
        {"About", [&] { form->About1Click(nullptr); }},
        {"settings", [&] { form->N4Click(nullptr); }},
        {"message box", [&] { ui::ShowMessage("open"); }},
    };
    for (const auto& [name, open] : modals) {
        bool ran = false;
        DWORD offered = kCopyOrMove, dropped = kCopyOrMove;
        RunOnceModal([&] {
            ran = true;
            offered = Offered(data, 0);
            EXPECT_EQ(target->Drop(data, 0, POINTL{0, 0}, &dropped), S_OK);
            CloseInnermostModal();
        });
        open();
        EXPECT_TRUE(ran) << name;
        EXPECT_EQ(offered, static_cast<DWORD>(DROPEFFECT_NONE)) << name;
        EXPECT_EQ(dropped, static_cast<DWORD>(DROPEFFECT_NONE)) << name;
        EXPECT_TRUE(Exists(from + "late.txt")) << name;
        EXPECT_EQ(Selected(), "shown.txt") << name << ": the file list keeps its selection";
    }
    EXPECT_EQ(Offered(data, 0), static_cast<DWORD>(DROPEFFECT_MOVE)) << "and takes drops again afterwards";
    data->Release();
}

// Names the system's path rules would change reach exactly themselves: "report.txt." dropped from a folder that also
// holds "report.txt" goes into the folder "Twin." (beside a folder "Twin"), which then lists its own files; dragging
// it out is refused, since the receiving program would take its path under those rules.
TEST_F(DropTest, NamesEndingInAPointAreMovedExactlyAndNotDraggedOut) {
    WriteRaw(base + "Tessaly.ini", "[Option]\r\nUpdateCheck=0\r\n[extension]\r\ncount=1\r\nex1=.*\r\n");
    WriteRaw(from + "report.txt", "plain");
    WriteRaw(from + "report.txt.", "dotted");
    for (const std::string& dir : {base + "Twin", base + "Twin."})
        ASSERT_TRUE(CreateDirectoryW(settings_test::ExactWide(dir).c_str(), nullptr)) << dir;
    WriteRaw(base + "Twin\\in twin.txt", "x");
    form->ListBox2->Items().Add("Twin.");
    form->ListBox2->SetItemIndex(form->ListBox2->Items().IndexOf("Twin."));

    IDataObject* data = ui::CreateFileDataObject({from + "report.txt."}, false);
    EXPECT_EQ(Offered(data, 0), static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_EQ(Drop(data, 0).box, "");
    data->Release();
    EXPECT_EQ(ReadRaw(base + "Twin.\\report.txt."), "dotted");
    EXPECT_FALSE(Exists(from + "report.txt."));
    EXPECT_EQ(ReadRaw(from + "report.txt"), "plain");
    EXPECT_FALSE(Exists(base + "Twin\\report.txt"));
    EXPECT_FALSE(Exists(base + "Twin\\report.txt."));
    std::vector<std::string> listed;
    for (int i = 0; i < form->ListBox1->Items().Count(); ++i) listed.push_back(form->ListBox1->Items()[i]);
    EXPECT_EQ(listed, (std::vector<std::string>{".", "..", "report.txt."}));
    EXPECT_EQ(Selected(), "report.txt.");

    BoxWatcher box(GetCurrentThreadId(), "OK");
    form->ListBox1BeginDrag(form->ListBox1);
    EXPECT_EQ(box.Result().text,
              base + "Twin.\\report.txt.\n名前「Twin.」の末尾が点または空白のため、この操作では扱えません。");
    EXPECT_EQ(ReadRaw(base + "Twin.\\report.txt."), "dotted");
}

}  // namespace
