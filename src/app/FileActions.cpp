// The rules every file action shares, and the three simplest actions: execute the selected file, open the selected
// folder in the shell, and show the file's property sheet.
#include <windows.h>
#include <shellapi.h>

#include "app/Unit1.h"
#include "app/FileSystem.h"
#include "text/ExactPath.h"
#include "ui/Application.h"
#include "ui/CodePage.h"
#include "ui/Dialogs.h"

std::string TForm1::SelectedFilePath() {
    int i = ListBox1->ItemIndex();
    if (i < 0) return std::string();
    return GetSelectedFolder() + ListBox1->Items()[i];
}

bool TForm1::CheckFileSelected() {
    if (ListBox1->ItemIndex() >= 0) return true;
    ui::ShowMessage("選択してください");
    return false;
}

bool TForm1::CheckFileExists(const std::string& path) {
    if (FileExists(path)) return true;
    ui::ShowMessage("ファイルが存在しません。\n\rファイル名変更、削除、移動された可能性があります。");
    return false;
}

bool TForm1::CheckShellCanTake(const std::string& path) {
    // The shell takes no verbatim path: it would act on the twin "report.txt" of "report.txt.", or on a device.
    const text::RewrittenName rewritten = text::FindRewrittenName(path);
    if (rewritten.rewrite == text::NameRewrite::None) return true;
    const char* const why = rewritten.rewrite == text::NameRewrite::DeviceName
                                ? "」はシステムが装置名とみなすため、この操作では扱えません。"
                                : "」の末尾が点または空白のため、この操作では扱えません。";
    ui::ShowMessage(path + "\n名前「" + rewritten.name + why);
    return false;
}

void TForm1::ShellOpen(const std::string& file, const std::string& parameters, const char* operation) {
    // Whatever the shell starts runs in the program's own folder; its result is not examined.
    ShellExecuteW(Handle(), ui::ToWide(operation).c_str(), ui::ToWide(file).c_str(),
                  ui::ToWide(parameters).c_str(), ui::ToWide(BaseFolder).c_str(), SW_SHOW);
}

void TForm1::N2Click(ui::Component*) {
    if (!CheckFileSelected()) return;
    const std::string path = SelectedFilePath();
    if (!CheckShellCanTake(path) || !CheckFileExists(path)) return;
    ShellOpen(path, "");
}

void TForm1::N3Click(ui::Component*) {
    const std::string folder = GetSelectedFolder();
    if (CheckShellCanTake(folder)) ShellOpen(folder, "");
}

void TForm1::Property1Click(ui::Component*) {
    if (!CheckFileSelected()) return;
    const std::string path = SelectedFilePath();
    if (!CheckShellCanTake(path) || !CheckFileExists(path)) return;
    const std::wstring file = ui::ToWide(path);
    SHELLEXECUTEINFOW info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = ui::App().Handle();
    info.lpVerb = L"properties";
    info.lpFile = file.c_str();
    ShellExecuteExW(&info);
}
