// The version information dialog. Its Label2 holds the program's version number, the only copy the program keeps:
// the update check reads it from there.
#pragma once

#include "ui/Form.h"
#include "ui/StdCtrls.h"

class TAboutBox : public ui::Form {
public:
    // owner is the main window: the dialog is centred on it.
    explicit TAboutBox(ui::Component* owner);

    ui::Panel* Panel1;
    ui::Label* ProductName;  // "アプリケーション名：Tessaly"
    ui::Label* Version;      // "バージョン：        号"; Label2 lies over its blank run
    ui::Label* Label2;       // the version number
    ui::Label* Copyright;    // the credit line
    ui::Label* Label1;       // the release date
    ui::Image* ProgramIcon;
    ui::Button* OKButton;    // "閉じる"

    void OKButtonClick(ui::Component* Sender);

private:
};

// The About box while one exists.
extern TAboutBox* AboutBox;
