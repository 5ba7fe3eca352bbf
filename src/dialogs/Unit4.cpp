// The settings dialog: its design, its loading from the settings file, the editing of the paired lists and of the
// extensions, and OK, which writes everything and rebuilds the main window from the file.
#include "dialogs/Unit4.h"

#include <windows.h>

#include <string>
#include <vector>

#include "app/FileSystem.h"
#include "app/Help.h"
#include "app/Unit1.h"
#include "app/rules/DisplayNames.h"
#include "dialogs/rules/Extensions.h"
#include "settings/Schema.h"
#include "text/PathText.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"

TForm4* Form4 = nullptr;

namespace {

const char* const kAlreadyRegistered = "すでに登録されています。";
const char* const kSelectOne = "選択してください";

settings::IniFile SettingsFile() { return settings::IniFile(settings::SettingsPath(BaseFolder)); }

// A group's hint shows over the group and over every control in it.
void SetGroupHint(ui::GroupBox* group, const std::string& hint) {
    group->SetHint(hint);
    group->SetShowHint(true);
    for (ui::Component* child : group->Owner()->Components()) {
        auto* control = dynamic_cast<ui::Control*>(child);
        if (control && control->Parent() == group) {
            control->SetHint(hint);
            control->SetShowHint(true);
        }
    }
}

// Selects entry index of the other list of a pair and shows the pair's texts in its two boxes.
void FollowSelection(ui::ListBox* clicked, ui::ListBox* paths, ui::ListBox* names, ui::Edit* pathBox,
                     ui::Edit* nameBox) {
    const int i = clicked->ItemIndex();
    if (i < 0) return;
    ui::ListBox* other = clicked == paths ? names : paths;
    other->SetItemIndex(i);
    pathBox->SetText(paths->Items()[i]);
    nameBox->SetText(names->Items()[i]);
}

// Shows the selected entry's full text when there is one.
void ShowSelectedPath(ui::ListBox* list) {
    const int i = list->ItemIndex();
    if (i < 0) return;
    const std::string path = list->Items()[i];
    if (!path.empty()) ui::ShowMessage(path);
}

}  // namespace

TForm4::TForm4(ui::Component* owner) : ui::Form(owner, "TForm4", "Form4") {
    SetCaption("設定");
    SetBorderStyle(ui::BorderStyle::Dialog);
    SetSystemMenu(false);
    SetDesignClientSize(714, 373);
    // Centred on the desktop.
    SetBounds((GetSystemMetrics(SM_CXSCREEN) - Width()) / 2, (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2,
              Width(), Height());
    CreateDesign();
    BindEvents();
    FormCreate(this);
}

void TForm4::CreateDesign() {
    CheckBox1 = new ui::CheckBox(this, this, "CheckBox1", "アップデートチェックを有効にする", 8, 32, 249, 17);
    CheckBox1->SetChecked(true);
    CheckBox1->SetHint("起動時にインターネットに接続し、最新版であるかをチェックします");
    CheckBox1->SetShowHint(true);

    GroupBox5 = new ui::GroupBox(this, this, "GroupBox5", "ディレクトリの深さ", 272, 8, 241, 65);
    Label13 = new ui::Label(this, GroupBox5, "Label13", "検索するディレクトリの深さ", 16, 32, 150, 12);
    SpinEdit3 = new ui::SpinEdit(this, GroupBox5, "SpinEdit3", 168, 28, 57, 21, 0, 10, 0);

    GroupBox3 = new ui::GroupBox(this, this, "GroupBox3", "水平スクロールバーの長さ", 528, 8, 177, 65);
    Label6 = new ui::Label(this, GroupBox3, "Label6", "フォルダリスト", 8, 18, 72, 12);
    SpinEdit1 = new ui::SpinEdit(this, GroupBox3, "SpinEdit1", 8, 34, 49, 21, 1, 10, 1);
    Label8 = new ui::Label(this, GroupBox3, "Label8", "倍", 62, 38, 12, 12);
    Label7 = new ui::Label(this, GroupBox3, "Label7", "ファイルリスト", 92, 18, 72, 12);
    SpinEdit2 = new ui::SpinEdit(this, GroupBox3, "SpinEdit2", 92, 34, 49, 21, 1, 10, 1);
    Label9 = new ui::Label(this, GroupBox3, "Label9", "倍", 146, 38, 12, 12);

    GroupBox1 = new ui::GroupBox(this, this, "GroupBox1", "固定フォルダ設定", 8, 88, 257, 185);
    Label1 = new ui::Label(this, GroupBox1, "Label1", "フルパス", 8, 20, 48, 12);
    Button6 = new ui::Button(this, GroupBox1, "Button6", "参照", 192, 14, 57, 20);
    Edit1 = new ui::Edit(this, GroupBox1, "Edit1", 8, 36, 241, 20);
    Label4 = new ui::Label(this, GroupBox1, "Label4", "表示名", 8, 62, 36, 12);
    Edit2 = new ui::Edit(this, GroupBox1, "Edit2", 8, 76, 177, 20);
    Button1 = new ui::Button(this, GroupBox1, "Button1", "追加", 192, 76, 57, 20);
    Label2 = new ui::Label(this, GroupBox1, "Label2", "固定フォルダリスト", 8, 102, 96, 12);
    ListBox1 = new ui::ListBox(this, GroupBox1, "ListBox1", 8, 116, 153, 42, false);
    ListBox2 = new ui::ListBox(this, GroupBox1, "ListBox2", 161, 116, 88, 42, false);
    Button3 = new ui::Button(this, GroupBox1, "Button3", "削除", 192, 160, 57, 20);

    GroupBox4 = new ui::GroupBox(this, this, "GroupBox4", "アプリケーション", 272, 88, 249, 185);
    Label10 = new ui::Label(this, GroupBox4, "Label10", "フルパス", 8, 20, 48, 12);
    Button10 = new ui::Button(this, GroupBox4, "Button10", "参照", 184, 14, 57, 20);
    Edit4 = new ui::Edit(this, GroupBox4, "Edit4", 8, 36, 233, 20);
    Label11 = new ui::Label(this, GroupBox4, "Label11", "表示名", 8, 62, 36, 12);
    Edit5 = new ui::Edit(this, GroupBox4, "Edit5", 8, 76, 169, 20);
    Button8 = new ui::Button(this, GroupBox4, "Button8", "追加", 184, 76, 57, 20);
    Label12 = new ui::Label(this, GroupBox4, "Label12", "アプリケーションリスト", 8, 102, 120, 12);
    ListBox4 = new ui::ListBox(this, GroupBox4, "ListBox4", 8, 116, 145, 42, false);
    ListBox5 = new ui::ListBox(this, GroupBox4, "ListBox5", 153, 116, 88, 42, false);
    Button11 = new ui::Button(this, GroupBox4, "Button11", "↑", 8, 160, 33, 20);
    Button12 = new ui::Button(this, GroupBox4, "Button12", "↓", 44, 160, 33, 20);
    Button9 = new ui::Button(this, GroupBox4, "Button9", "削除", 184, 160, 57, 20);

    GroupBox2 = new ui::GroupBox(this, this, "GroupBox2", "拡張子", 528, 88, 177, 185);
    Label3 = new ui::Label(this, GroupBox2, "Label3", "登録する拡張子", 8, 20, 84, 12);
    Edit3 = new ui::Edit(this, GroupBox2, "Edit3", 8, 36, 97, 20);
    Button4 = new ui::Button(this, GroupBox2, "Button4", "追加", 112, 36, 57, 20);
    Label5 = new ui::Label(this, GroupBox2, "Label5", "登録済みの拡張子", 8, 62, 96, 12);
    ListBox3 = new ui::ListBox(this, GroupBox2, "ListBox3", 8, 76, 161, 82, false);
    Button5 = new ui::Button(this, GroupBox2, "Button5", "削除", 112, 160, 57, 20);

    Button2 = new ui::Button(this, this, "Button2", "OK", 432, 288, 81, 20);
    Button13 = new ui::Button(this, this, "Button13", "ヘルプ", 528, 288, 81, 20);
    Button7 = new ui::Button(this, this, "Button7", "キャンセル", 624, 288, 81, 20);

    // Added below the dialog as it was, so that every control above keeps its place.
    GroupBox6 = new ui::GroupBox(this, this, "GroupBox6", "ホットキーと通知領域", 8, 316, 697, 49);
    Label14 = new ui::Label(this, GroupBox6, "Label14", "ホットキー", 16, 22, 60, 12);
    HotKey1 = new ui::HotKeyEdit(this, GroupBox6, "HotKey1", 80, 18, 177, 20);
    CheckBox2 = new ui::CheckBox(this, GroupBox6, "CheckBox2", "通知領域に常駐する", 280, 20, 177, 17);

    SetGroupHint(GroupBox1, "このソフトのあるフォルダの階層下にない表示させたいフォルダを設定します");
    SetGroupHint(GroupBox4, "関連付けされていないアプリケーションで開く時に使用するアプリケーションを設定します");
    SetGroupHint(GroupBox2, "全ての拡張子に対応させるには*を登録してください");

    int order = 0;
    for (ui::Control* c : {static_cast<ui::Control*>(CheckBox1), static_cast<ui::Control*>(GroupBox5),
                           static_cast<ui::Control*>(GroupBox3), static_cast<ui::Control*>(GroupBox1),
                           static_cast<ui::Control*>(GroupBox4), static_cast<ui::Control*>(GroupBox2),
                           static_cast<ui::Control*>(Button2), static_cast<ui::Control*>(Button13),
                           static_cast<ui::Control*>(Button7), static_cast<ui::Control*>(GroupBox6)})
        c->SetTabOrder(order++);
    HotKey1->SetTabOrder(0);
    CheckBox2->SetTabOrder(1);
    SpinEdit3->SetTabOrder(0);
    SpinEdit1->SetTabOrder(0);
    SpinEdit2->SetTabOrder(1);
    order = 0;
    for (ui::Control* c : {static_cast<ui::Control*>(Button6), static_cast<ui::Control*>(Edit1),
                           static_cast<ui::Control*>(Edit2), static_cast<ui::Control*>(Button1),
                           static_cast<ui::Control*>(ListBox1), static_cast<ui::Control*>(ListBox2),
                           static_cast<ui::Control*>(Button3)})
        c->SetTabOrder(order++);
    order = 0;
    for (ui::Control* c : {static_cast<ui::Control*>(Button10), static_cast<ui::Control*>(Edit4),
                           static_cast<ui::Control*>(Edit5), static_cast<ui::Control*>(Button8),
                           static_cast<ui::Control*>(ListBox4), static_cast<ui::Control*>(ListBox5),
                           static_cast<ui::Control*>(Button11), static_cast<ui::Control*>(Button12),
                           static_cast<ui::Control*>(Button9)})
        c->SetTabOrder(order++);
    order = 0;
    for (ui::Control* c : {static_cast<ui::Control*>(Edit3), static_cast<ui::Control*>(Button4),
                           static_cast<ui::Control*>(ListBox3), static_cast<ui::Control*>(Button5)})
        c->SetTabOrder(order++);

    FolderDlg1 = new TFolderDlg(this);
    FolderDlg1->Name = "FolderDlg1";
    OpenDialog1 = new ui::OpenDialog(this, "OpenDialog1");
}

void TForm4::BindEvents() {
    auto bind = [this](ui::Control* c, void (TForm4::*handler)(ui::Component*)) {
        c->OnClick = [this, handler](ui::Component* sender) { (this->*handler)(sender); };
    };
    bind(Button1, &TForm4::Button1Click);
    bind(Button2, &TForm4::Button2Click);
    bind(Button3, &TForm4::Button3Click);
    bind(Button4, &TForm4::Button4Click);
    bind(Button5, &TForm4::Button5Click);
    bind(Button6, &TForm4::Button6Click);
    bind(Button7, &TForm4::Button7Click);
    bind(Button8, &TForm4::Button8Click);
    bind(Button9, &TForm4::Button9Click);
    bind(Button10, &TForm4::Button10Click);
    bind(Button11, &TForm4::Button11Click);
    bind(Button12, &TForm4::Button12Click);
    bind(Button13, &TForm4::Button13Click);
    bind(ListBox1, &TForm4::ListBox1Click);
    bind(ListBox2, &TForm4::ListBox2Click);
    bind(ListBox4, &TForm4::ListBox4Click);
    bind(ListBox5, &TForm4::ListBox5Click);
    ListBox1->OnDblClick = [this](ui::Component* sender) { ListBox1DblClick(sender); };
    ListBox4->OnDblClick = [this](ui::Component* sender) { ListBox4DblClick(sender); };
}

void TForm4::FormCreate(ui::Component*) {
    const settings::IniFile ini = SettingsFile();
    // Without a settings file the controls keep their design values.
    if (!ini.Exists()) return;

    for (const settings::FixedFolder& folder : settings::ReadFixedFolders(ini).entries) {
        ListBox1->Items().Add(folder.path);
        ListBox2->Items().Add(folder.displayName);
    }
    for (const settings::Application& application : settings::ReadApplications(ini).entries) {
        ListBox4->Items().Add(application.path);
        ListBox5->Items().Add(application.displayName);
    }
    for (const std::string& extension : settings::ReadExtensions(ini).entries) ListBox3->Items().Add(extension);

    SpinEdit1->SetValue(settings::ReadFolderListScroll(ini));
    SpinEdit2->SetValue(settings::ReadFileListScroll(ini));
    SpinEdit3->SetValue(settings::ReadDepth(ini));
    CheckBox1->SetChecked(settings::ReadUpdateCheck(ini));
    loadedHotKey_ = app::ParseHotKey(settings::ReadHotKey(ini));
    HotKey1->SetValue(app::ControlValueOf(loadedHotKey_));
    CheckBox2->SetChecked(settings::ReadTaskTray(ini));
}

std::string TForm4::HotKeyText() const {
    const unsigned shown = HotKey1->Value();
    return app::FormatHotKey(shown == app::ControlValueOf(loadedHotKey_) ? loadedHotKey_
                                                                         : app::HotKeyFromControl(shown));
}

// ------------------------------------------------------------------------------------------------ fixed folders

void TForm4::Button6Click(ui::Component*) {
    if (FolderDlg1->Execute()) Edit1->SetText(FolderDlg1->FolderName);
}

void TForm4::Button1Click(ui::Component*) {
    const std::string path = Edit1->Text();
    const std::string name = Edit2->Text();
    if (path.empty()) {
        ui::ShowMessage("固定フォルダパスが設定されていません。");
        return;
    }
    if (name.empty()) {
        ui::ShowMessage("表示名が設定されていません。");
        return;
    }
    if (ListBox1->Items().IndexOf(path) >= 0) {
        ui::ShowMessage(kAlreadyRegistered);
        return;
    }
    if (ListBox2->Items().IndexOf(name) >= 0) {
        ui::ShowMessage("同じ表示名を複数使用することは出来ません。");
        return;
    }
    // A relative path means relative to the program's folder, as the folder list takes it; it is stored as typed.
    if (!DirectoryExists(app::ResolveFolderPath(BaseFolder, path))) {
        ui::ShowMessage("指定されたフォルダは存在しません");
        return;
    }
    ListBox1->Items().Add(path);
    ListBox2->Items().Add(name);
    Edit1->SetText("");
    Edit2->SetText("");
}

void TForm4::Button3Click(ui::Component*) {
    const int i = ListBox1->ItemIndex();
    if (i < 0) {
        ui::ShowMessage(kSelectOne);
        return;
    }
    // The pair goes together: both lists lose entry i.
    ListBox1->Items().Delete(i);
    ListBox2->Items().Delete(i);
}

void TForm4::ListBox1Click(ui::Component*) { FollowSelection(ListBox1, ListBox1, ListBox2, Edit1, Edit2); }

void TForm4::ListBox2Click(ui::Component*) { FollowSelection(ListBox2, ListBox1, ListBox2, Edit1, Edit2); }

void TForm4::ListBox1DblClick(ui::Component*) { ShowSelectedPath(ListBox1); }

// ------------------------------------------------------------------------------------------------- applications

void TForm4::Button10Click(ui::Component*) {
    if (!OpenDialog1->Execute()) return;
    const std::string path = OpenDialog1->FileName;
    Edit4->SetText(path);
    Edit5->SetText(path.substr(text::ExtractFilePath(path).size()));
}

void TForm4::Button8Click(ui::Component*) {
    const std::string path = Edit4->Text();
    const std::string name = Edit5->Text();
    if (path.empty() || name.empty()) return;
    if (ListBox4->Items().IndexOf(path) >= 0) {
        ui::ShowMessage(kAlreadyRegistered);
        return;
    }
    ListBox4->Items().Add(path);
    ListBox5->Items().Add(name);
    Edit4->SetText("");
    Edit5->SetText("");
}

void TForm4::Button9Click(ui::Component*) {
    const int i = ListBox4->ItemIndex();
    if (i < 0) {
        ui::ShowMessage(kSelectOne);
        return;
    }
    ListBox5->Items().Delete(i);
    ListBox4->Items().Delete(i);
}

void TForm4::Button11Click(ui::Component*) {
    const int i = ListBox4->ItemIndex();
    if (i < 1 || ListBox5->ItemIndex() < 0) return;
    // The selections of a pair are kept at the same index; exchanging at i in both keeps the pairs whole.
    ListBox4->Items().Exchange(i, i - 1);
    ListBox5->Items().Exchange(i, i - 1);
}

void TForm4::Button12Click(ui::Component*) {
    const int i = ListBox4->ItemIndex();
    if (i < 0 || ListBox5->ItemIndex() < 0 || i >= ListBox4->Items().Count() - 1) return;
    ListBox4->Items().Exchange(i, i + 1);
    ListBox5->Items().Exchange(i, i + 1);
}

void TForm4::ListBox4Click(ui::Component*) { FollowSelection(ListBox4, ListBox4, ListBox5, Edit4, Edit5); }

void TForm4::ListBox5Click(ui::Component*) { FollowSelection(ListBox5, ListBox4, ListBox5, Edit4, Edit5); }

void TForm4::ListBox4DblClick(ui::Component*) { ShowSelectedPath(ListBox4); }

// --------------------------------------------------------------------------------------------------- extensions

void TForm4::Button4Click(ui::Component*) {
    const std::string typed = Edit3->Text();
    if (typed.empty()) {
        ui::ShowMessage("何も入力されていません");
        return;
    }
    const std::string extension = dialogs::ExtensionCandidate(typed);
    if (ListBox3->Items().IndexOf(extension) >= 0) {
        ui::ShowMessage(kAlreadyRegistered);
        return;
    }
    if (dialogs::IsAllFilesExtension(extension)) {
        const char* question =
            typed == "*"
                ? "「*」以外の拡張子を削除しなければファイルが二重に表示されてしまいます。\n\r"
                  "「*」以外の全ての登録拡張子を削除しますか？"
                : "「*」以外の拡張子を削除しなければファイルが二つ表示されてしまいます。\n\r"
                  "「*」以外の全ての登録拡張子を削除しますか？";
        if (ui::ConfirmWarning(question)) ListBox3->Clear();
    }
    ListBox3->Items().Add(extension);
    Edit3->SetText("");
}

void TForm4::Button5Click(ui::Component*) { ListBox3->Items().Delete(ListBox3->ItemIndex()); }

// ------------------------------------------------------------------------------------------- OK, Cancel, Help

void TForm4::Button2Click(ui::Component* Sender) {
    // A failed write ends OK where it failed; the dialog stays open with everything the user entered.
    try {
        if (ListBox3->Items().Count() == 0) {
            ui::ShowMessage("拡張子が設定されていません。設定してください。");
            settings::WriteNoExtension(SettingsFile());
            return;
        }
        // The run-time submenu items go while the file still holds the counts they were built from.
        if (Form1) Form1->FreeDynamicMenuItems();
        SaveSettings(Sender);
    } catch (const settings::WriteError& e) {
        ui::App().ShowException(e.what());
        return;
    }
    Close();
}

void TForm4::SaveSettings(ui::Component* Sender) {
    settings::SettingsRecord record;
    const std::vector<std::string> folders = ListBox1->Items().ToVector();
    const std::vector<std::string> folderNames = ListBox2->Items().ToVector();
    for (std::size_t i = 0; i < folders.size(); ++i)
        record.fixedFolders.push_back({folders[i], i < folderNames.size() ? folderNames[i] : std::string()});
    const std::vector<std::string> applications = ListBox4->Items().ToVector();
    const std::vector<std::string> applicationNames = ListBox5->Items().ToVector();
    for (std::size_t i = 0; i < applications.size(); ++i)
        record.applications.push_back(
            {applications[i], i < applicationNames.size() ? applicationNames[i] : std::string()});
    record.extensions = ListBox3->Items().ToVector();
    record.folderListScroll = SpinEdit1->Value();
    record.fileListScroll = SpinEdit2->Value();
    record.updateCheck = CheckBox1->Checked();
    record.depth = SpinEdit3->Value();
    record.hotKey = HotKeyText();
    record.taskTray = CheckBox2->Checked();
    settings::WriteAllSettings(SettingsFile(), record);

    if (!Form1) return;
    if (Form1->GetBorderStyle() == ui::BorderStyle::None) {
        Form1->ShowTitleBar();
        Form1->SetBorderStyle(ui::BorderStyle::Sizeable);
    }
    // Rebuilds the main window from the file while this dialog is still on the screen.
    Form1->FormCreate(Sender);
}

void TForm4::Button7Click(ui::Component*) { Close(); }

void TForm4::Button13Click(ui::Component*) { OpenHelpFile(Handle()); }
