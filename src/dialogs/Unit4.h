// The settings dialog: fixed folders, applications, extensions, scroll widths, folder depth and the update check.
#pragma once

#include "ui/Form.h"
#include "ui/StdCtrls.h"

class TForm4 : public ui::Form {
public:
    explicit TForm4(ui::Component* owner);

    ui::Button* Button1;  // OK
    ui::Button* Button2;  // キャンセル
};

// The settings dialog while one is open.
extern TForm4* Form4;
