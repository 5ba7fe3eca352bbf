#include "dialogs/Unit3.h"

#include <windows.h>


#include "TessalyVersion.h"

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(ui::Component* owner) : ui::Form(owner, "TAboutBox", "AboutBox") {
    SetCaption("バージョン情報");
    SetBorderStyle(ui::BorderStyle::Dialog);
    SetSystemMenu(false);
    SetColor(ui::clBtnFace);
    SetFormFont(ui::FontSpec{"ＭＳ Ｐゴシック", -12, SHIFTJIS_CHARSET, ui::clWindowText});
    SetDesignClientSize(297, 121);

    Panel1 = new ui::Panel(this, this, "Panel1", 8, 8, 281, 105);
    ProductName = new ui::Label(this, Panel1, "ProductName", "アプリケーション名：Tessaly", 18, 16, 191, 12);
    Version = new ui::Label(this, Panel1, "Version", "バージョン：        号", 18, 37, 103, 12);
    // The number fills the blank run of Version, so the line reads "バージョン：1.851号".
    Label2 = new ui::Label(this, Panel1, "Label2", TESSALY_VERSION_TEXT, 79, 37, 26, 12);
    // Version must not paint over the number that lies on it.
    SetWindowLongW(Version->Handle(), GWL_STYLE, GetWindowLongW(Version->Handle(), GWL_STYLE) | WS_CLIPSIBLINGS);
    SetWindowPos(Label2->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Copyright = new ui::Label(this, Panel1, "Copyright", "作者：kessa", 18, 58, 72, 12);
    Label1 = new ui::Label(this, Panel1, "Label1", "公開日：2007.03.06", 16, 80, 94, 12);
    ProgramIcon = new ui::Image(this, Panel1, "ProgramIcon", 216, 17, 32, 32);
    ProgramIcon->SetIconResource(L"MAINICON");
    OKButton = new ui::Button(this, Panel1, "OKButton", "閉じる", 198, 64, 67, 25);
    OKButton->SetModalResult(ui::mrOk);
    // Enter closes the dialog; there is no cancel button, so Escape does not.
    OKButton->SetDefault(true);
    OKButton->SetTabOrder(0);

    OKButton->OnClick = [this](ui::Component* sender) { OKButtonClick(sender); };

    CenterOnOwner();
}


// "閉じる": ends the modal loop; the code that showed the dialog releases it.
void TAboutBox::OKButtonClick(ui::Component*) { Close(); }
