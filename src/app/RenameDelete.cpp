// Renaming the selected file (through the rename dialog) and sending it to the recycle bin.
#include <windows.h>
#include <shellapi.h>

#include "app/Unit1.h"
#include "dialogs/Unit2.h"
#include "ui/Application.h"
#include "ui/CodePage.h"
#include "ui/Dialogs.h"

namespace {

// Frees the rename dialog once its modal loop has ended, however it ended.
class RenameDialogRelease {
public:
    ~RenameDialogRelease() {
        if (Form2) Form2->Release();
        Form2 = nullptr;
    }
};

}  // namespace

void TForm1::N5Click(ui::Component*) {
    if (!CheckFileSelected()) return;
    if (!CheckFileExists(SelectedFilePath())) return;
    const std::string name = ListBox1->Items()[ListBox1->ItemIndex()];
    RenameDialogRelease release;
    Form2 = new TForm2(this);
    Form2->Label3->SetCaption(name);
    Form2->Edit1->SetText(name);
    Form2->Edit1->SelectAll();
    Form2->ShowModal();
}

void TForm1::Delete1Click(ui::Component*) {
    if (!CheckFileSelected()) return;
    // No existence test before asking: a file that has gone is reported after the confirmation. A name the shell's
    // recycle bin would not reach exactly is refused before anything is asked.
    const std::string path = SelectedFilePath();
    if (!CheckShellCanTake(path)) return;
    if (ui::ConfirmWarning(path + "をゴミ箱に移動しますか？")) SendToRecycleBin(path);
}

void TForm1::SendToRecycleBin(const std::string& path) {
    // The shell takes a list of names ended by an empty one: the appended NUL and the string's own terminator.
    std::wstring names = ui::ToWide(path);
    names.push_back(L'\0');
    SHFILEOPSTRUCTW operation;
    ZeroMemory(&operation, sizeof operation);
    operation.hwnd = ui::App().Handle();
    operation.wFunc = FO_DELETE;
    operation.pFrom = names.c_str();
    operation.pTo = nullptr;
    operation.fFlags = FOF_ALLOWUNDO;
    operation.hNameMappings = nullptr;
    operation.lpszProgressTitle = nullptr;
    // The list is not refreshed: the entry stays until the list is next rebuilt.
    if (CheckFileExists(path)) SHFileOperationW(&operation);
}
