// Find as you type: a character typed in the file list opens the filter box at the list's bottom edge, and the list
// shows only the entries whose names hold every word of the box, compared without regard to letter case, width, kana
// type or composed form. The narrowed list is the file list for every action.
#include <windows.h>

#include "app/QuickFilter.h"
#include "app/Unit1.h"
#include "settings/Schema.h"
#include "ui/Application.h"

void app::ShowNames(ui::ListBox& list, NameFilter& names, const std::string& text) {
    const int selectedAt = list.ItemIndex();
    const std::string selected = selectedAt >= 0 ? list.Items()[selectedAt] : std::string();
    const bool narrowed = !text.empty();
    bool changed = true;
    if (narrowed) changed = names.Narrow(text);
    else names.Reset();
    const std::size_t count = narrowed ? names.Matches().size() : names.Count();
    const auto nameAt = [&](std::size_t k) { return names.Name(narrowed ? names.Matches()[k] : k); };
    if (!changed && list.Items().Count() == static_cast<int>(count)) return;

    int select = -1;
    for (std::size_t k = 0; k < count && select < 0; ++k) {
        if (nameAt(k) == selected) select = static_cast<int>(k);
    }
    if (select < 0 && narrowed && count > 0) select = 0;
    // One redraw, and the names appended in the order they have: no sorting again.
    list.BeginUpdate();
    list.Clear();
    list.Items().AppendEach(count, nameAt);
    list.SetItemIndex(select);
    list.EndUpdate();
}

void app::FoldNamesWhenIdle(NameFilter& names, const ui::Component& owner) {
    ui::App().Queue([&names] { names.FoldNames(); }, &owner);
}

bool TForm1::FilterOpen() const { return Edit1->Visible(); }

void TForm1::ListBox1KeyPress(ui::Component*, wchar_t& Key) {
    if (Key < L' ' || Key == 0x7F) return;  // control characters keep their meaning in the list
    if (!FilterOpen()) {
        if (!settings::ReadQuickFilter(Settings())) return;  // the list box jumps to a name by its first letter
        OpenFilter();
    }
    // The box takes the character. Text the input method commits comes as one character after another, and the
    // rest of it may still reach the list: it follows the first.
    Edit1->SetFocus();
    Edit1->Type(Key);
    Key = 0;
}

void TForm1::Edit1Change(ui::Component*) {
    if (!FilterOpen()) return;  // the box emptied as it closes
    if (Edit1->Text().empty()) {
        CloseFilter();
        return;
    }
    ShowFileNames();
    ShowFileCount();
}

void TForm1::Edit1KeyDown(ui::Component*, WORD& Key) {
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
        ListBox1->PressKey(Key);
        Key = 0;
        break;
    case VK_ESCAPE:
        CloseFilter();
        Key = 0;
        break;
    default:
        break;
    }
}

void TForm1::OpenFilter() {
    Edit1->SetVisible(true);
    FormResize(this);
}

void TForm1::DropFilter() {
    if (!FilterOpen()) return;
    if (Edit1->Focused()) ListBox1->SetFocus();
    Edit1->SetVisible(false);
    Edit1->SetText("");
    FormResize(this);
}

void TForm1::CloseFilter() {
    if (!FilterOpen()) return;
    DropFilter();
    ListBox1->SetFocus();
    ShowFileNames();
    ShowFileCount();
}

void TForm1::ShowFileNames() { app::ShowNames(*ListBox1, fileNames_, FilterOpen() ? Edit1->Text() : std::string()); }

void TForm1::ShowFileCount() {
    std::string count = std::to_string(ListBox1->Items().Count());
    if (FilterOpen()) count += "/" + std::to_string(fileNames_.Count());
    Label2->SetCaption("ファイルリスト " + count);
}
