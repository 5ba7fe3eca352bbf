// The rename dialog: shows the selected file's name, takes a new one, refuses characters that file names cannot
// hold, confirms a change of extension and renames the file within its folder.
#pragma once

#include <string>

#include "ui/Edits.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"

class TForm2 : public ui::Form {
public:
    // owner is the main window: the dialog is centred on it.
    explicit TForm2(ui::Component* owner);

    ui::Label* Label2;   // "現在のファイル名："
    ui::Label* Label3;   // the current file name
    ui::Label* Label1;   // "新しいファイル名を入力してください"
    ui::Edit* Edit1;     // the new name
    ui::Button* Button1; // OK
    ui::Button* Button2; // キャンセル

    void Button1Click(ui::Component* Sender);
    void Button2Click(ui::Component* Sender);

private:
    bool CheckNewName(const std::string& name);
};

// The rename dialog while one is open.
extern TForm2* Form2;
