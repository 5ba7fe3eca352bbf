// The settings dialog: fixed folders, applications, extensions, scroll widths, folder depth, the update check, the
// hotkey and the icon in the notification area.
// It loads its controls from the settings file when it is created; OK writes them back and rebuilds the main
// window from the file, Cancel discards every change.
#pragma once

#include "app/rules/HotKeyText.h"
#include "components/FolderDialog.h"
#include "ui/Edits.h"
#include "ui/FileDialogs.h"
#include "ui/Form.h"
#include "ui/ListControls.h"
#include "ui/StdCtrls.h"

class TForm4 : public ui::Form {
public:
    explicit TForm4(ui::Component* owner);

    ui::CheckBox* CheckBox1;

    ui::GroupBox* GroupBox5;  // folder depth
    ui::Label* Label13;
    ui::SpinEdit* SpinEdit3;

    ui::GroupBox* GroupBox3;  // horizontal scroll widths
    ui::Label* Label6;
    ui::SpinEdit* SpinEdit1;
    ui::Label* Label8;
    ui::Label* Label7;
    ui::SpinEdit* SpinEdit2;
    ui::Label* Label9;

    ui::GroupBox* GroupBox1;  // fixed folders
    ui::Label* Label1;
    ui::Button* Button6;
    ui::Edit* Edit1;
    ui::Label* Label4;
    ui::Edit* Edit2;
    ui::Button* Button1;
    ui::Label* Label2;
    ui::ListBox* ListBox1;
    ui::ListBox* ListBox2;
    ui::Button* Button3;

    ui::GroupBox* GroupBox4;  // applications
    ui::Label* Label10;
    ui::Button* Button10;
    ui::Edit* Edit4;
    ui::Label* Label11;
    ui::Edit* Edit5;
    ui::Button* Button8;
    ui::Label* Label12;
    ui::ListBox* ListBox4;
    ui::ListBox* ListBox5;
    ui::Button* Button11;
    ui::Button* Button12;
    ui::Button* Button9;

    ui::GroupBox* GroupBox2;  // extensions
    ui::Label* Label3;
    ui::Edit* Edit3;
    ui::Button* Button4;
    ui::Label* Label5;
    ui::ListBox* ListBox3;
    ui::Button* Button5;

    ui::GroupBox* GroupBox6;  // hotkey and notification area
    ui::Label* Label14;
    ui::HotKeyEdit* HotKey1;
    ui::CheckBox* CheckBox2;

    ui::Button* Button2;   // OK
    ui::Button* Button13;  // ヘルプ
    ui::Button* Button7;   // キャンセル

    TFolderDlg* FolderDlg1;
    ui::OpenDialog* OpenDialog1;

    void FormCreate(ui::Component* Sender);
    void Button1Click(ui::Component* Sender);
    void Button2Click(ui::Component* Sender);
    void Button3Click(ui::Component* Sender);
    void Button4Click(ui::Component* Sender);
    void Button5Click(ui::Component* Sender);
    void Button6Click(ui::Component* Sender);
    void Button7Click(ui::Component* Sender);
    void Button8Click(ui::Component* Sender);
    void Button9Click(ui::Component* Sender);
    void Button10Click(ui::Component* Sender);
    void Button11Click(ui::Component* Sender);
    void Button12Click(ui::Component* Sender);
    void Button13Click(ui::Component* Sender);
    void ListBox1Click(ui::Component* Sender);
    void ListBox1DblClick(ui::Component* Sender);
    void ListBox2Click(ui::Component* Sender);
    void ListBox4Click(ui::Component* Sender);
    void ListBox4DblClick(ui::Component* Sender);
    void ListBox5Click(ui::Component* Sender);

private:
    void CreateDesign();
    void BindEvents();
    void SaveSettings(ui::Component* Sender);
    // The hotkey OK writes: the one loaded, Win included (the control has no Win), while the control still shows it.
    std::string HotKeyText() const;

    app::HotKey loadedHotKey_;
};

// The settings dialog while one is open.
extern TForm4* Form4;
