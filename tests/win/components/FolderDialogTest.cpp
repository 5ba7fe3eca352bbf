// The folder picker on the real shell browse dialog: a second thread finds the dialog the test thread is blocked
// in, waits for the state it expects and answers it as a user would.
#include "components/FolderDialog.h"
#include "ui/CodePage.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "ui/Form.h"


namespace {

using namespace std::chrono_literals;

struct FoundWindow {
    DWORD thread;
    HWND window;
};

BOOL CALLBACK FindBrowseDialog(HWND window, LPARAM data) {
    auto* found = reinterpret_cast<FoundWindow*>(data);
    char cls[16] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(window)) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

// Polls until predicate holds, with a deadline generous for a loaded machine; true when it held.
bool PollUntil(const std::function<bool()>& predicate) {
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!predicate()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(15ms);
    }
    return true;
}

// The visible browse dialog of a thread, waited for; nullptr when none came.
HWND WaitForBrowseDialog(DWORD thread) {
    FoundWindow found{thread, nullptr};
    PollUntil([&] {
        EnumThreadWindows(thread, FindBrowseDialog, reinterpret_cast<LPARAM>(&found));
        return found.window != nullptr;
    });
    return found.window;
}

BOOL CALLBACK FindChildByClass(HWND window, LPARAM data) {
    auto* found = reinterpret_cast<std::pair<const char*, HWND>*>(data);
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpiA(cls, found->first) == 0) {
        found->second = window;
        return FALSE;
    }
    return TRUE;
}

HWND ChildOfClass(HWND parent, const char* className) {
    std::pair<const char*, HWND> found{className, nullptr};
    EnumChildWindows(parent, FindChildByClass, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

// Text of the tree view's selected item, empty when nothing is selected.
std::string SelectedTreeText(HWND tree) {
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) return std::string();
    wchar_t buffer[MAX_PATH] = {};
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    return ui::FromWide(buffer);
}

BOOL CALLBACK FindChildByText(HWND window, LPARAM data) {
    auto* found = reinterpret_cast<std::pair<const std::string*, HWND>*>(data);
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (*found->first == ui::FromWide(text)) {
        found->second = window;
        return FALSE;
    }
    return TRUE;
}

class FolderDialogTest : public ::testing::Test {
protected:
    // Runs Execute on this thread while answer(dialog) runs on a second thread once the browse dialog is up.
    // Returns Execute's result; the answer's own findings go through the captured variables.
    bool ExecuteAnswering(TFolderDlg& dialog, const std::function<void(HWND)>& answer) {
        const DWORD thread = GetCurrentThreadId();
        std::thread helper([&] {
            HWND browse = WaitForBrowseDialog(thread);
            if (!browse) {
                ADD_FAILURE() << "the browse dialog did not appear";
                return;
            }
            answer(browse);
        });
        bool result = dialog.Execute();
        helper.join();
        return result;
    }
};

TEST_F(FolderDialogTest, ARootOpensSelectedAndOkReturnsItCancelEmptiesTheName) {
    // The system folder: Wine's browse dialog finds a folder that has long existed reliably, while it finds a
    // freshly made folder below the temporary folder only now and then.
    char system[MAX_PATH] = {};
    ASSERT_NE(GetSystemDirectoryA(system, MAX_PATH), 0u);
    const std::string root = system;
    const std::string leaf = root.substr(root.rfind('\\') + 1);

    TFolderDlg dialog(nullptr);
    EXPECT_EQ(dialog.Title, "");
    EXPECT_EQ(dialog.Root, "");
    EXPECT_EQ(dialog.FolderName, "");
    dialog.Root = root;
    dialog.Title = "フォルダを選んでください";

    std::string selected;
    bool titleShown = false;
    const bool chosen = ExecuteAnswering(dialog, [&](HWND browse) {
        HWND tree = ChildOfClass(browse, "SysTreeView32");
        if (!tree) {
            ADD_FAILURE() << "no folder tree in the browse dialog";
        } else {
            PollUntil([&] { return lstrcmpiA(SelectedTreeText(tree).c_str(), leaf.c_str()) == 0; });
            selected = SelectedTreeText(tree);
        }
        std::pair<const std::string*, HWND> title{&dialog.Title, nullptr};
        EnumChildWindows(browse, FindChildByText, reinterpret_cast<LPARAM>(&title));
        titleShown = title.second != nullptr && IsWindowVisible(title.second);
        PostMessageA(browse, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(lstrcmpiA(selected.c_str(), leaf.c_str()), 0) << "the dialog did not open on Root: " << selected;
    EXPECT_TRUE(titleShown) << "the Title is not shown in the dialog";
    ASSERT_TRUE(chosen);
    EXPECT_EQ(lstrcmpiA(dialog.FolderName.c_str(), root.c_str()), 0) << dialog.FolderName;

    // Cancelling forgets the earlier choice.
    const bool again = ExecuteAnswering(dialog, [](HWND browse) { PostMessageA(browse, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(again);
    EXPECT_EQ(dialog.FolderName, "");
}

// A folder whose name the code page cannot hold comes back exactly, never as its stand-in "C:\\자료 cafe" or "??".
TEST_F(FolderDialogTest, AFolderTheCodePageCannotNameComesBackExactly) {
    const std::string root = "C:\\자료 café";
    ASSERT_TRUE(CreateDirectoryW(ui::ToWide(root).c_str(), nullptr));
    struct Removal {
        std::string path;
        ~Removal() { RemoveDirectoryW(ui::ToWide(path).c_str()); }
    } removal{root};
    TFolderDlg dialog(nullptr);
    dialog.Root = root;
    const bool chosen = ExecuteAnswering(dialog, [&](HWND browse) {
        if (HWND tree = ChildOfClass(browse, "SysTreeView32"))
            PollUntil([&] { return SelectedTreeText(tree) == "자료 café"; });
        PostMessageW(browse, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(dialog.FolderName, root);
}

TEST_F(FolderDialogTest, WithoutARootTheDialogOpensOwnedByTheOwnersWindowAndCancelReturnsFalse) {
    ui::Form owner(nullptr, "TFolderDlgTestOwner", "Owner");
    TFolderDlg dialog(&owner);
    dialog.FolderName = "C:\\left over";
    HWND ownerWindow = nullptr;
    const bool chosen = ExecuteAnswering(dialog, [&](HWND browse) {
        ownerWindow = GetWindow(browse, GW_OWNER);
        PostMessageA(browse, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(ownerWindow, owner.Handle());
    EXPECT_FALSE(chosen);
    EXPECT_EQ(dialog.FolderName, "");
}

}  // namespace
