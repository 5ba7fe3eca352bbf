#include "dialogs/Unit4.h"

TForm4* Form4 = nullptr;

TForm4::TForm4(ui::Component* owner) : ui::Form(owner, "TForm4", "Form4") {
    SetCaption("設定");
    SetBorderStyle(ui::BorderStyle::Dialog);
    SetSystemMenu(false);
    SetClientSize(714, 319);
    Button1 = new ui::Button(this, this, "Button1", "OK", 552, 288, 75, 25);
    Button2 = new ui::Button(this, this, "Button2", "キャンセル", 632, 288, 75, 25);
    Button1->SetModalResult(ui::mrOk);
    Button2->SetModalResult(ui::mrCancel);
    Button2->SetCancel(true);
}
