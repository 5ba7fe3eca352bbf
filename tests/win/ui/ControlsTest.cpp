// The form layer on real windows: controls keep their rules (sorted lists, clamped spin edits), forms keep their
// place when the frame changes, modal forms return their result, menus find shortcuts and free run-time items, and
// an exception in an event handler is shown without ending the program; the title bar's buttons have their font; a
// form shown at another DPI scales itself and comes back exactly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <ostream>
#include <stdexcept>

#include "BoxWatcher.h"
#include "ui/Application.h"
#include "ui/Handles.h"
#include "ui/Edits.h"
#include "ui/ListControls.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace {

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::App().Initialize();
        ui::App().SetTitle("Tessaly");
        form = std::make_unique<ui::Form>(nullptr, "TTestForm", "TestForm");
        form->SetBounds(100, 100, 300, 200);
    }
    std::unique_ptr<ui::Form> form;
};

TEST_F(ControlsTest, SortedListBoxOrdersAndFindsIgnoringCase) {
    auto* list = new ui::ListBox(form.get(), form.get(), "ListBox1", 0, 0, 100, 100, true);
    list->Items().Add("beta.txt");
    list->Items().Add("Alpha.txt");
    list->Items().Add("gamma.txt");
    EXPECT_EQ(list->Items()[0], "Alpha.txt");
    EXPECT_EQ(list->Items()[1], "beta.txt");
    EXPECT_EQ(list->Items().IndexOf("BETA.TXT"), 1);
    EXPECT_EQ(list->Items().IndexOf("beta"), -1);  // exact match only
    EXPECT_EQ(list->Items().IndexOf(""), -1);
}

TEST_F(ControlsTest, BulkFillKeepsEveryItemAndRedrawsAgainAfterwards) {
    auto* list = new ui::ListBox(form.get(), form.get(), "ListBox1", 0, 0, 100, 100, true);
    list->BeginUpdate();
    list->BeginUpdate();
    list->Items().Reserve(500, 16);
    for (int i = 0; i < 500; ++i) list->Items().Add("f" + std::to_string(i));
    list->EndUpdate();
    list->EndUpdate();
    EXPECT_EQ(list->Items().Count(), 500);
    EXPECT_EQ(list->Items()[0], "f0");
}

TEST_F(ControlsTest, SpinEditKeepsItsValueWithinRange) {
    auto* spin = new ui::SpinEdit(form.get(), form.get(), "SpinEdit3", 0, 0, 60, 20, 0, 10, 2);
    EXPECT_EQ(spin->Value(), 2);
    spin->SetValue(25);
    EXPECT_EQ(spin->Text(), "10");
    EXPECT_EQ(spin->Value(), 10);
    spin->SetValue(-3);
    EXPECT_EQ(spin->Value(), 0);
    spin->SetText("99");  // typed by a user
    EXPECT_EQ(spin->Value(), 10);
    spin->SetText("abc");
    EXPECT_EQ(spin->Value(), 0);
}

TEST_F(ControlsTest, ControlsCarryTheirDesignNameOnTheWindow) {
    auto* button = new ui::Button(form.get(), form.get(), "Button3", ">", 0, 0, 20, 25);
    auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(button->Handle(), "ui.Name")));
    char name[64] = {};
    GlobalGetAtomNameA(atom, name, sizeof name);
    EXPECT_STREQ(name, "Button3");
    EXPECT_EQ(form->FindComponent("button3"), button);
}

TEST_F(ControlsTest, ChangingTheFrameKeepsTheOuterBounds) {
    form->SetBorderStyle(ui::BorderStyle::None);
    EXPECT_EQ(form->Left(), 100);
    EXPECT_EQ(form->Top(), 100);
    EXPECT_EQ(form->Width(), 300);
    EXPECT_EQ(form->Height(), 200);
    EXPECT_EQ(form->ClientWidth(), 300);
    form->SetBorderStyle(ui::BorderStyle::Sizeable);
    EXPECT_EQ(form->Width(), 300);
    EXPECT_LT(form->ClientWidth(), 300);
}

TEST_F(ControlsTest, StayOnTopSetsTheTopmostStyle) {
    form->SetFormStyle(ui::FormStyle::StayOnTop);
    EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    form->SetFormStyle(ui::FormStyle::Normal);
    EXPECT_FALSE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(ControlsTest, ModalFormReturnsTheResultOfItsButton) {
    auto* ok = new ui::Button(form.get(), form.get(), "Button1", "OK", 10, 10, 60, 25);
    ok->SetModalResult(ui::mrOk);
    PostMessageA(ok->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->ShowModal(), ui::mrOk);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(ControlsTest, ClosingAModalFormCancelsIt) {
    PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(form->ShowModal(), ui::mrCancel);
}

TEST_F(ControlsTest, ExceptionInAHandlerIsShownAndTheProgramGoesOn) {
    auto* button = new ui::Button(form.get(), form.get(), "Button1", "x", 10, 10, 60, 25);
    int clicks = 0;
    button->OnClick = [&](ui::Component*) {
        if (++clicks == 1) throw std::runtime_error("C:\\x\\Tessaly.ini に書き込めません");
    };
    {
        BoxWatcher w(GetCurrentThreadId(), "OK");
        SendMessageA(button->Handle(), BM_CLICK, 0, 0);  // through the real window procedure
        const SeenBox& box = w.Result();
        ASSERT_TRUE(box.found);
        EXPECT_EQ(box.caption, "Tessaly");
        EXPECT_EQ(box.text, "C:\\x\\Tessaly.ini に書き込めません");
    }
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(IsWindow(button->Handle()));
}

// A window that cannot be created during start-up (here: a class name longer than the system takes) ends the
// program with a box saying so and a non-zero exit code.
// Work queued for later runs once the current events have returned, and never on a component that has gone.
TEST_F(ControlsTest, QueuedWorkRunsLaterAndNotForAComponentThatWent) {
    int ran = 0, ranForGone = 0;
    auto* list = new ui::ListBox(form.get(), form.get(), "ListBox1", 0, 0, 100, 100, true);
    ui::App().Queue([&] { ++ran; });
    ui::App().Queue([&] { ++ranForGone; }, list);
    ui::App().Queue([&] { ++ran; }, form.get());
    EXPECT_EQ(ran, 0) << "not while the caller runs";
    delete list;
    ui::App().ProcessMessages();
    EXPECT_EQ(ran, 2);
    EXPECT_EQ(ranForGone, 0);
}

TEST_F(ControlsTest, FailedStartUpIsShownAndGivesAnExitCode) {
    BoxWatcher w(GetCurrentThreadId(), "OK");
    const int code = ui::RunProgram("Tessaly", [](ui::Application& app) {
        ui::Form form(&app, std::string(300, 'F'), "Form1");
        throw std::logic_error("the form was created after all");  // never the message loop
    });
    const SeenBox& box = w.Result();
    EXPECT_EQ(code, 1);
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.caption, "Tessaly");
    EXPECT_EQ(box.text.rfind("起動できませんでした。\n\r", 0), 0u) << box.text;
    EXPECT_NE(box.text.find("FFFF"), std::string::npos) << "names the window class: " << box.text;
}

TEST_F(ControlsTest, MenuShortcutsReachItemsAtAnyDepth) {
    auto* menu = new ui::PopupMenu(form.get(), "PopupMenu1");
    auto* refresh = new ui::MenuItem(form.get(), "Refresh1", "更新");
    refresh->Shortcut = {VK_F5};
    auto* sub = new ui::MenuItem(form.get(), "GoTo1", "別のフォルダに移動");
    auto* deep = new ui::MenuItem(form.get(), "Deep", "x");
    deep->Shortcut = {'F', true};
    menu->Items().Add(refresh);
    menu->Items().Add(sub);
    sub->Add(deep);
    int refreshed = 0, deepClicks = 0;
    refresh->OnClick = [&](ui::Component*) { ++refreshed; };
    deep->OnClick = [&](ui::Component*) { ++deepClicks; };
    EXPECT_TRUE(menu->IsShortCut({VK_F5}));
    EXPECT_TRUE(menu->IsShortCut({'F', true}));
    EXPECT_FALSE(menu->IsShortCut({'F'}));
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(deepClicks, 1);
    EXPECT_EQ(ui::ShortCutToText({VK_RETURN, false, false, true}), "Alt+Enter");
    EXPECT_EQ(ui::ShortCutToText({VK_DELETE}), "Del");
}

// While an input method composes in an edit box, the text it shows is not yet a change and the keys are the
// composition's: Enter confirms the conversion instead of running the form's shortcut. The change comes once, when
// the composition ends, and Enter is a shortcut again.
TEST_F(ControlsTest, KeysAndChangesOfAnOpenCompositionBelongToTheInputMethod) {
    auto* menu = new ui::PopupMenu(form.get(), "PopupMenu1");
    auto* execute = new ui::MenuItem(form.get(), "N2", "実行");
    execute->Shortcut = {VK_RETURN};
    menu->Items().Add(execute);
    form->SetPopupMenu(menu);
    auto* edit = new ui::Edit(form.get(), form.get(), "Edit1", 0, 0, 100, 20);
    int executed = 0, changes = 0, keys = 0;
    execute->OnClick = [&](ui::Component*) { ++executed; };
    edit->OnChange = [&](ui::Component*) { ++changes; };
    edit->OnKeyDown = [&](ui::Component*, WORD&) { ++keys; };
    MSG enter{edit->Handle(), WM_KEYDOWN, VK_RETURN, 1, 0, {}};

    SendMessageW(edit->Handle(), WM_IME_STARTCOMPOSITION, 0, 0);
    EXPECT_TRUE(edit->Composing());
    edit->Type(L'め');
    edit->Type(L'も');
    EXPECT_EQ(changes, 0);
    ui::App().ProcessMessage(enter);
    EXPECT_EQ(executed, 0);
    EXPECT_EQ(keys, 0);

    SendMessageW(edit->Handle(), WM_IME_ENDCOMPOSITION, 0, 0);
    EXPECT_FALSE(edit->Composing());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit->Text(), "めも");
    ui::App().ProcessMessage(enter);
    EXPECT_EQ(executed, 1);
    edit->Type(L'x');
    EXPECT_EQ(changes, 2);
}

TEST_F(ControlsTest, RunTimeMenuItemsAreFoundAndFreedByName) {
    auto* sub = new ui::MenuItem(form.get(), "GoTo1", "別のフォルダに移動");
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 4; ++i) sub->Add(new ui::MenuItem(form.get(), "Folder" + std::to_string(i), "f"));
        EXPECT_EQ(sub->Count(), 4);
        for (int i = 0; i < 4; ++i) form->DestroyComponent(form->FindComponent("Folder" + std::to_string(i)));
        EXPECT_EQ(sub->Count(), 0);
        EXPECT_EQ(form->FindComponent("Folder0"), nullptr);
    }
}

TEST_F(ControlsTest, AutoCheckItemTogglesBeforeItsHandler) {
    auto* item = new ui::MenuItem(form.get(), "N1", "常に手前に表示");
    item->AutoCheck = true;
    bool seen = false;
    item->OnClick = [&](ui::Component*) { seen = item->Checked; };
    item->Click();
    EXPECT_TRUE(seen);
    item->Click();
    EXPECT_FALSE(item->Checked);
}

// The system draws the minimise, maximise and close buttons of every title bar as characters of the Marlett symbol
// font ("0", "1", "r"); where the font mapper gives another face, those letters are what the user sees.
TEST_F(ControlsTest, TitleBarButtonsGetTheMarlettFont) {
    ui::UniqueHandle<HDC, DeleteDC> dc(CreateCompatibleDC(nullptr));
    ui::GdiObject font(CreateFontA(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Marlett"));
    ASSERT_TRUE(dc && font);
    HGDIOBJ previous = SelectObject(dc.get(), font.get());
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc.get(), sizeof face, face);
    SelectObject(dc.get(), previous);
    EXPECT_STREQ(face, "Marlett");
}

// The bounds of a control in its parent, and the height its font was made with.
struct Placed {
    int left, top, width, height;
    bool operator==(const Placed& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};
void PrintTo(const Placed& p, std::ostream* os) {
    *os << "{" << p.left << ", " << p.top << ", " << p.width << ", " << p.height << "}";
}
Placed PlaceOf(const ui::Control& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }
Placed Rescaled(const Placed& p, int from, int to) {
    return {ui::Rescale(p.left, from, to), ui::Rescale(p.top, from, to), ui::Rescale(p.width, from, to),
            ui::Rescale(p.height, from, to)};
}
int FontHeight(HFONT font) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    return lf.lfHeight;
}

// Moved to a monitor of 1.5 times the DPI (WM_DPICHANGED, as Windows sends it), the form takes the suggested
// bounds, makes its fonts again at the new DPI and scales its controls, then lays itself out; moved back, every
// control is where it was, exactly.
TEST_F(ControlsTest, AFormAtAnotherDpiScalesAndComesBackExactly) {
    auto* label = new ui::Label(form.get(), form.get(), "Label1", "フォルダリスト", 5, 8, 0, 12);
    auto* list = new ui::ListBox(form.get(), form.get(), "ListBox1", 185, 20, 185, 153, true);
    auto* combo = new ui::ComboBox(form.get(), form.get(), "ComboBox1", 185, 0, 185, 20, true);
    auto* button = new ui::Button(form.get(), form.get(), "Button1", "START!", 278, 173, 92, 25);
    button->SetFont(ui::FontSpec{"ＭＳ Ｐゴシック", -13, SHIFTJIS_CHARSET, ui::clBlue});
    auto* group = new ui::GroupBox(form.get(), form.get(), "GroupBox1", "固定フォルダ設定", 8, 88, 257, 185);
    auto* spin = new ui::SpinEdit(form.get(), group, "SpinEdit1", 8, 34, 49, 21, 1, 10, 1);
    list->Items().Add("a.txt");
    int layouts = 0;
    int changes = 0;
    form->OnResize = [&](ui::Component*) { ++layouts; };
    form->OnDpiChanged = [&](ui::Component*) { ++changes; };

    const int base = form->Dpi();
    const int high = base * 3 / 2;
    RECT original{};
    GetWindowRect(form->Handle(), &original);
    const std::vector<ui::Control*> controls = {label, list, combo, button, group, spin};
    std::vector<Placed> before;
    for (ui::Control* c : controls) before.push_back(PlaceOf(*c));
    const LRESULT itemHeight = SendMessageW(list->Handle(), LB_GETITEMHEIGHT, 0, 0);

    RECT suggested{original.left, original.top, original.left + 450, original.top + 300};
    SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(high, high), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form->Dpi(), high);
    EXPECT_EQ(form->Width(), 450);
    EXPECT_EQ(form->Height(), 300);
    EXPECT_EQ(layouts, 1) << "laid out once at the new DPI";
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(FontHeight(form->FontHandle()), ui::ScaleToDpi(-12, high));
    EXPECT_EQ(FontHeight(button->FontHandle()), ui::ScaleToDpi(-13, high)) << "a control's own font too";
    EXPECT_EQ(PlaceOf(*list), Rescaled(before[1], base, high));
    const Placed closed = PlaceOf(*combo);
    const Placed scaledCombo = Rescaled(before[2], base, high);
    EXPECT_EQ(closed.width, scaledCombo.width);
    EXPECT_LE(std::abs(closed.height - scaledCombo.height), 1) << "the closed box at the design's height";
    EXPECT_EQ(PlaceOf(*button), Rescaled(before[3], base, high));
    EXPECT_EQ(PlaceOf(*group), Rescaled(before[4], base, high));
    EXPECT_GT(PlaceOf(*label).width, before[0].width) << "the caption measured in the larger font";
    EXPECT_GT(SendMessageW(list->Handle(), LB_GETITEMHEIGHT, 0, 0), itemHeight);

    SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(base, base), reinterpret_cast<LPARAM>(&original));
    EXPECT_EQ(form->Dpi(), base);
    RECT now{};
    GetWindowRect(form->Handle(), &now);
    EXPECT_TRUE(EqualRect(&now, &original));
    for (size_t i = 0; i < controls.size(); ++i) EXPECT_EQ(PlaceOf(*controls[i]), before[i]) << controls[i]->Name;
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETITEMHEIGHT, 0, 0), itemHeight);
    EXPECT_EQ(FontHeight(form->FontHandle()), -12 * base / 96);
}

}  // namespace
