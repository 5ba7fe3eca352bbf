#include "dialogs/Unit5.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "ui/Dialogs.h"

TForm5* Form5 = nullptr;

namespace {

// The words of the last AND/OR split, shared by every use of the dialog; each split clears it first.
dialogs::SearchWordArray SearchWords;

}  // namespace

// Builds the dialog as designed: the text box first in the tab order, AND search selected, state "検索".
TForm5::TForm5(ui::Component* owner) : ui::Form(owner, "TForm5", "Form5") {
    using namespace std::placeholders;
    SetCaption("ファイルを検索");
    SetBorderStyle(ui::BorderStyle::Dialog);
    SetDesignClientSize(324, 181);

    Label1 = new ui::Label(this, this, "Label1", "検索文字列", 8, 8, 0, 12);
    Edit1 = new ui::Edit(this, this, "Edit1", 8, 24, 305, 20);
    RadioButton1 = new ui::RadioButton(this, this, "RadioButton1", "AND検索", 8, 56, 89, 17, true);
    RadioButton2 = new ui::RadioButton(this, this, "RadioButton2", "OR検索", 112, 56, 65, 17);
    RadioButton3 = new ui::RadioButton(this, this, "RadioButton3", "完全一致検索", 200, 56, 97, 17);
    RadioButton1->SetChecked(true);
    Label2 = new ui::Label(this, this, "Label2", "ファイル名：", 8, 88, 305, 57, true, true);
    Label2->SetShowAccelChar(false);  // shows the hit's file name
    Button1 = new ui::Button(this, this, "Button1", "検索", 128, 146, 57, 25);
    Button3 = new ui::Button(this, this, "Button3", "実行", 192, 146, 57, 25);
    Button2 = new ui::Button(this, this, "Button2", "閉じる", 256, 146, 57, 25);
    Edit1->SetTabOrder(0);

    Edit1->OnChange = std::bind(&TForm5::Edit1Change, this, _1);
    Button1->OnClick = std::bind(&TForm5::Button1Click, this, _1);
    Button3->OnClick = std::bind(&TForm5::Button3Click, this, _1);
    Button2->OnClick = std::bind(&TForm5::Button2Click, this, _1);

    CenterOnOwner();
}


// "検索" / "次へ": runs the search of the selected mode.
void TForm5::Button1Click(ui::Component*) {
    if (RadioButton1->Checked()) SearchAND();
    else if (RadioButton2->Checked()) SearchOR();
    else if (RadioButton3->Checked()) SearchPerfect();
}

// Every word must occur in the name.
void TForm5::SearchAND() { RunSearch(dialogs::SearchMode::And); }

// Any word may occur in the name.
void TForm5::SearchOR() { RunSearch(dialogs::SearchMode::Or); }

// The typed text, spaces included, must occur in the name as one piece.
void TForm5::SearchPerfect() { RunSearch(dialogs::SearchMode::Perfect); }

void TForm5::RunSearch(dialogs::SearchMode mode) {
    ui::ListBox* list = Form1->ListBox1;
    const std::vector<std::string> names = list->Items().ToVector();
    // "検索" starts afresh at the first item; "次へ" goes on after the last hit.
    const std::size_t start = dialogs::SearchStartIndex(Button1->Caption() == "検索", list->ItemIndex());
    const dialogs::SearchOutcome outcome = dialogs::SearchNames(mode, Edit1->Text(), names, start, SearchWords);
    switch (outcome.kind) {
        case dialogs::SearchOutcome::Kind::Hit:
            // Selected by the program: the file list's click handler does not run.
            list->SetItemIndex(static_cast<int>(outcome.index));
            Label2->SetCaption("ファイル名：\n\r" + names[outcome.index]);
            Button1->SetCaption("次へ");
            Form1->SetActiveControl(list);
            break;
        case dialogs::SearchOutcome::Kind::NotFound:
            ui::ShowMessage("ファイルが見つかりませんでした。");
            Button1->SetCaption("検索");
            break;
        case dialogs::SearchOutcome::Kind::TooManyWords:
            ui::ShowMessage("検索ワードが多すぎます。");
            break;
        case dialogs::SearchOutcome::Kind::NothingTyped:
            break;
    }
}

// A changed text starts the next search at the first item again.
void TForm5::Edit1Change(ui::Component*) { Button1->SetCaption("検索"); }

// "実行": executes the selected file through the main window and closes the dialog.
void TForm5::Button3Click(ui::Component*) {
    // "START!" runs the main window's Execute, with its own messages for no selection or a missing file.
    Form1->Button1->Click();
    Close();
}

// "閉じる".
void TForm5::Button2Click(ui::Component*) { Close(); }
