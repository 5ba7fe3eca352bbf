// Opening the file search dialog over the file list.
#include "app/Unit1.h"
#include "dialogs/Unit5.h"
#include "ui/Dialogs.h"

// "ファイル検索" (Ctrl+F): the search dialog, modal, released when it closes; nothing to search in an empty list.
void TForm1::N6Click(ui::Component*) {
    if (ListBox1->Items().Count() == 0) {
        ui::ShowMessage("検索対象ファイルがありません");
        return;
    }
    Form5 = new TForm5(this);
    struct ReleaseOnExit {
        ~ReleaseOnExit() {
            if (Form5) Form5->Release();
            Form5 = nullptr;
        }
    } release;
    Form5->ShowModal();
}
