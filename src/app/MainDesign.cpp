// The main window as designed: its controls with their places, captions, fonts and colours, the popup menu with
// its shortcuts, and the events bound to them.
#include <windows.h>

#include "app/Unit1.h"
#include "app/NameFolding.h"

using namespace std::placeholders;

TForm1::TForm1(ui::Component* owner) : ui::Form(owner, "TForm1", "Form1"), fileNames_(app::FoldName) {
    SetCaption("Tessaly");
    SetDesignBounds(284, 244, 378, 225);
    SetWindowLongW(Handle(), GWL_EXSTYLE, GetWindowLongW(Handle(), GWL_EXSTYLE) | WS_EX_APPWINDOW);
    CreateDesign();
    CreatePopupMenu();
    BindEvents();
}

void TForm1::CreateDesign() {
    Label1 = new ui::Label(this, this, "Label1", "フォルダリスト", 5, 8, 71, 12);
    Label2 = new ui::Label(this, this, "Label2", "ファイルリスト", 184, 8, 69, 12);
    Label3 = new ui::Label(this, this, "Label3", "×", 352, 4, 12, 12);
    Label3->SetColor(ui::clBtnShadow);
    Label4 = new ui::Label(this, this, "Label4", " - ", 336, 4, 12, 12, false, true);
    Label4->SetColor(ui::clBtnShadow);
    Button2 = new ui::Button(this, this, "Button2", "FileName", 185, 173, 92, 25);
    Button1 = new ui::Button(this, this, "Button1", "START!", 278, 173, 92, 25);
    Button1->SetFont(ui::FontSpec{"ＭＳ Ｐゴシック", -13, SHIFTJIS_CHARSET, ui::clBlue});
    Button1->UseOwnTextColor();
    // The settings file is read again by every start-up run; whether the lists show icons is fixed with the window.
    const bool icons = IconsWanted();
    ListBox1 = new ui::ListBox(this, this, "ListBox1", 185, 20, 185, 153, true, icons);
    ListBox1->SetShowHint(true);
    ComboBox1 = new ui::ComboBox(this, this, "ComboBox1", 185, 0, 185, 20, true);
    ComboBox1->SetText("フォルダを選択してください");
    ComboBox1->SetVisible(false);
    ComboBox1->SetEnabled(false);
    ListBox2 = new ui::ListBox(this, this, "ListBox2", 0, 20, 185, 153, true, icons);
    ListBox2->SetShowHint(true);
    Button3 = new ui::Button(this, this, "Button3", ">", 0, 173, 20, 25);
    // The filter box of find as you type, shown at the bottom edge of the file list while a text narrows it.
    Edit1 = new ui::Edit(this, this, "Edit1", 185, 153, 185, app::kFilterBoxHeight);
    Edit1->SetVisible(false);

    ComboBox1->SetTabOrder(0);
    ListBox2->SetTabOrder(1);
    ListBox1->SetTabOrder(2);
    Edit1->SetTabOrder(3);
    Button3->SetTabOrder(4);
    Button2->SetTabOrder(5);
    Button1->SetTabOrder(6);

    if (icons) ShowIcons();

    SearchDir1 = new TSearchDir(this);
    SearchDir1->Name = "SearchDir1";
}

void TForm1::ShowIcons() {
    ListBox1->SetIcons([this](int, const std::wstring& name, int size) {
        const int own = ownIcons_.Find(name, size);
        if (own >= 0) return ui::ListIcon{ownIcons_.Images(), own};
        const int kind = icons_.ForFile(name, size);
        return ui::ListIcon{icons_.Images(size), kind};
    });
    ListBox2->SetIcons([this](int, const std::wstring&, int size) {
        const int folder = icons_.ForFolder(size);
        return ui::ListIcon{icons_.Images(size), folder};
    });
}

void TForm1::CreatePopupMenu() {
    PopupMenu1 = new ui::PopupMenu(this, "PopupMenu1");
    auto add = [this](const char* name, const char* caption, ui::ShortCut sc = {}) {
        auto* item = new ui::MenuItem(this, name, caption);
        item->Shortcut = sc;
        PopupMenu1->Items().Add(item);
        return item;
    };
    N2 = add("N2", "実行", {VK_RETURN});
    N7 = add("N7", "プログラムから開く");
    GoTo1 = add("GoTo1", "別のフォルダに移動");
    N6 = add("N6", "ファイル検索", {'F', true});
    Refresh1 = add("Refresh1", "更新", {VK_F5});
    N3 = add("N3", "フォルダを開く", {'O', true});
    N5 = add("N5", "ファイル名変更", {VK_F2});
    Delete1 = add("Delete1", "ファイルを削除", {VK_DELETE});
    Property1 = add("Property1", "プロパティ", {VK_RETURN, false, false, true});
    N4 = add("N4", "設定");
    N1 = add("N1", "常に手前に表示");
    N1->AutoCheck = true;
    About1 = add("About1", "バージョン情報");
    SearchforHelpOn1 = add("SearchforHelpOn1", "トピックの検索");
    Exit1 = add("Exit1", "終了");

    PopupMenu2 = new ui::PopupMenu(this, "PopupMenu2");
    Show1 = new ui::MenuItem(this, "Show1", "表示");
    Exit2 = new ui::MenuItem(this, "Exit2", "終了");
    PopupMenu2->Items().Add(Show1);
    PopupMenu2->Items().Add(Exit2);

    SetPopupMenu(PopupMenu1);
    Button2->SetPopupMenu(PopupMenu1);
    Button1->SetPopupMenu(PopupMenu1);
    ListBox1->SetPopupMenu(PopupMenu1);
    ListBox2->SetPopupMenu(PopupMenu1);
}

void TForm1::BindEvents() {
    OnCreate = std::bind(&TForm1::FormCreate, this, _1);
    OnClose = std::bind(&TForm1::FormClose, this, _1, _2);
    OnResize = std::bind(&TForm1::FormResize, this, _1);
    OnDpiChanged = std::bind(&TForm1::FormDpiChanged, this, _1);
    OnDblClick = std::bind(&TForm1::FormDblClick, this, _1);
    OnMinimize = std::bind(&TForm1::FormMinimize, this, _1);
    OnMouseDown = std::bind(&TForm1::FormMouseDown, this, _1, _2, _3, _4, _5);

    Label3->OnClick = std::bind(&TForm1::Exit1Click, this, _1);
    Label3->OnMouseEnter = std::bind(&TForm1::Label3MouseEnter, this, _1);
    Label3->OnMouseLeave = std::bind(&TForm1::Label3MouseLeave, this, _1);
    Label3->OnMouseDown = std::bind(&TForm1::Label3MouseDown, this, _1, _2, _3, _4, _5);
    Label4->OnClick = std::bind(&TForm1::Label4Click, this, _1);
    Label4->OnMouseEnter = std::bind(&TForm1::Label4MouseEnter, this, _1);
    Label4->OnMouseLeave = std::bind(&TForm1::Label4MouseLeave, this, _1);
    Label4->OnMouseDown = std::bind(&TForm1::Label4MouseDown, this, _1, _2, _3, _4, _5);
    Button2->OnClick = std::bind(&TForm1::Button2Click, this, _1);
    Button1->OnClick = std::bind(&TForm1::N2Click, this, _1);
    ListBox1->OnClick = std::bind(&TForm1::ListBox1Click, this, _1);
    ListBox1->OnDblClick = std::bind(&TForm1::N2Click, this, _1);
    ListBox1->OnBeginDrag = std::bind(&TForm1::ListBox1BeginDrag, this, _1);
    ListBox1->OnKeyPress = std::bind(&TForm1::ListBox1KeyPress, this, _1, _2);
    Edit1->OnChange = std::bind(&TForm1::Edit1Change, this, _1);
    Edit1->OnKeyDown = std::bind(&TForm1::Edit1KeyDown, this, _1, _2);
    ComboBox1->OnChange = std::bind(&TForm1::ComboBox1Change, this, _1);
    ListBox2->OnClick = std::bind(&TForm1::ListBox2Click, this, _1);
    ListBox2->OnDblClick = std::bind(&TForm1::ListBox2DblClick, this, _1);
    Button3->OnClick = std::bind(&TForm1::Button3Click, this, _1);

    N2->OnClick = std::bind(&TForm1::N2Click, this, _1);
    N6->OnClick = std::bind(&TForm1::N6Click, this, _1);
    Refresh1->OnClick = std::bind(&TForm1::Refresh1Click, this, _1);
    N3->OnClick = std::bind(&TForm1::N3Click, this, _1);
    N5->OnClick = std::bind(&TForm1::N5Click, this, _1);
    Delete1->OnClick = std::bind(&TForm1::Delete1Click, this, _1);
    Property1->OnClick = std::bind(&TForm1::Property1Click, this, _1);
    N4->OnClick = std::bind(&TForm1::N4Click, this, _1);
    N1->OnClick = std::bind(&TForm1::N1Click, this, _1);
    About1->OnClick = std::bind(&TForm1::About1Click, this, _1);
    SearchforHelpOn1->OnClick = std::bind(&TForm1::SearchforHelpOn1Click, this, _1);
    Exit1->OnClick = std::bind(&TForm1::Exit1Click, this, _1);
    Show1->OnClick = std::bind(&TForm1::Show1Click, this, _1);
    Exit2->OnClick = std::bind(&TForm1::Exit1Click, this, _1);

    SearchDir1->OnFind = std::bind(&TForm1::SearchDir1Find, this, _1, _2, _3, _4, _5);
}
