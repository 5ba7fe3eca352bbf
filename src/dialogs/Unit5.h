// The file search dialog: finds names in the main window's file list by words (all of them, any of them, or the
// whole phrase), stepping from hit to hit, and can execute the file it found.
#pragma once

#include "dialogs/rules/SearchWords.h"
#include "ui/Edits.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"

class TForm5 : public ui::Form {
public:
    explicit TForm5(ui::Component* owner);

    ui::Label* Label1;
    ui::Edit* Edit1;
    ui::RadioButton* RadioButton1;  // AND検索
    ui::RadioButton* RadioButton2;  // OR検索
    ui::RadioButton* RadioButton3;  // 完全一致検索
    ui::Label* Label2;
    ui::Button* Button1;  // 検索 / 次へ: the caption is the search state
    ui::Button* Button3;  // 実行
    ui::Button* Button2;  // 閉じる

    void Button1Click(ui::Component* Sender);
    void Button3Click(ui::Component* Sender);
    void Button2Click(ui::Component* Sender);
    void Edit1Change(ui::Component* Sender);

private:
    void SearchAND();
    void SearchOR();
    void SearchPerfect();
    // One press of the search button in the given mode: selects the next hit or says that there is none.
    void RunSearch(dialogs::SearchMode mode);
};

// The search dialog while one is open.
extern TForm5* Form5;
