#include "dialogs/Unit2.h"

#include <windows.h>

#include <vector>

#include "app/Unit1.h"
#include "dialogs/RenameFile.h"
#include "dialogs/rules/FileNameRules.h"
#include "ui/Dialogs.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(ui::Component* owner) : ui::Form(owner, "TForm2", "Form2") {
    SetCaption("ファイル名変更");
    SetBorderStyle(ui::BorderStyle::Dialog);
    SetFormFont(ui::FontSpec{"ＭＳ Ｐゴシック", -12, SHIFTJIS_CHARSET, ui::clWindowText});
    SetDesignClientSize(281, 152);

    Label2 = new ui::Label(this, this, "Label2", "現在のファイル名：", 8, 8, 0, 12);
    Label3 = new ui::Label(this, this, "Label3", "", 8, 22, 265, 49, true, true);
    Label3->SetShowAccelChar(false);  // a file name
    Label1 = new ui::Label(this, this, "Label1", "新しいファイル名を入力してください", 8, 74, 0, 12);
    Edit1 = new ui::Edit(this, this, "Edit1", 8, 88, 265, 20);
    Button1 = new ui::Button(this, this, "Button1", "OK", 152, 112, 57, 25);
    Button2 = new ui::Button(this, this, "Button2", "キャンセル", 216, 112, 57, 25);
    // The edit box comes first, so it has the focus when the dialog opens. Enter and Escape press no button.
    Edit1->SetTabOrder(0);
    Button1->SetTabOrder(1);
    Button2->SetTabOrder(2);

    Button1->OnClick = [this](ui::Component* sender) { Button1Click(sender); };
    Button2->OnClick = [this](ui::Component* sender) { Button2Click(sender); };

    CenterOnOwner();
}


// Reports every character of the table that stands in name as a character of its own: one beep and one error box
// each, in table order. True when there was none.
bool TForm2::CheckNewName(const std::string& name) {
    const std::vector<char> offenders = dialogs::FindInvalidNameChars(name);
    for (char c : offenders) {
        MessageBeep(MB_ICONHAND);
        ui::ShowErrorAbort(dialogs::InvalidNameCharMessage(c));
    }
    return offenders.empty();
}

// OK: checks the new name, renames the selected file (after confirming a change of extension), refreshes the file
// list, selects the file under the name it now has and closes. A refused name keeps the dialog open.
void TForm2::Button1Click(ui::Component*) {
    const std::string newName = Edit1->Text();
    if (!CheckNewName(newName)) return;

    const std::string folder = Form1->GetSelectedFolder();
    std::string oldName;
    bool renamed = false;
    if (Form1->CheckFileSelected()) {
        oldName = Form1->ListBox1->Items()[Form1->ListBox1->ItemIndex()];
        if (!Form1->CheckFileExists(folder + oldName)) oldName.clear();
    }
    if (!oldName.empty()) {
        const std::string oldPath = folder + oldName;
        const std::string newPath = folder + newName;
        if (dialogs::SameFileExt(oldPath, newPath) ||
            ui::ConfirmWarning("拡張子が変更されています。ファイル名を変更しますか？")) {
            const dialogs::RenameResult result = dialogs::RenameFile(oldPath, newPath);
            renamed = result.renamed;
            if (!result.strandedAt.empty()) {
                ui::ShowMessage("リネームに失敗しました。\n\rファイルは " + result.strandedAt +
                                " にあります。");
            } else if (!renamed) {
                ui::ShowMessage("リネームに失敗しました。");
            }
        }
    }

    Form1->Refresh1Click(nullptr);
    // Exact match only; the vanished file's empty name matches nothing, so nothing is selected then.
    const std::string selectName = dialogs::ExtractFileName(renamed ? folder + newName : folder + oldName);
    ui::ListItems items = Form1->ListBox1->Items();
    int found = -1;
    if (!oldName.empty()) {
        for (int i = 0; i < items.Count(); ++i) {
            if (items[i] == selectName) {
                found = i;
                break;
            }
        }
    }
    Form1->ListBox1->SetItemIndex(found);
    Close();
}

// キャンセル: closes; the file keeps its name.
void TForm2::Button2Click(ui::Component*) { Close(); }
