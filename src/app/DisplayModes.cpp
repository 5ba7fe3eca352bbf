// The main window's display modes: list style and combo style, the resize layouts, the caption-less mode with its
// close and minimise labels, always on top, and the lists' horizontal scroll extents.
#include <windows.h>

#include "app/Unit1.h"
#include "app/rules/Layout.h"
#include "settings/Schema.h"
#include "ui/Application.h"
#include "ui/Dpi.h"

namespace {

const char kComboPrompt[] = "フォルダを選択してください";

app::ControlBounds BoundsOf(const ui::Control& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

void Place(ui::Control& c, const app::ControlBounds& b) {
    if (BoundsOf(c) != b) c.SetBounds(b.Left, b.Top, b.Width, b.Height);
}

void ShowControl(ui::Control& c, bool on) {
    c.SetVisible(on);
    c.SetEnabled(on);
}

}  // namespace

namespace {

app::MainLayout CurrentLayout(const TForm1& f) {
    app::MainLayout l;
    l.ListBox1 = BoundsOf(*f.ListBox1);
    // The open filter box takes the bottom of the file list's place.
    if (f.Edit1->Visible()) l.ListBox1.Height += f.Edit1->Height();
    l.ListBox2 = BoundsOf(*f.ListBox2);
    l.ComboBox1 = BoundsOf(*f.ComboBox1);
    l.Button1 = BoundsOf(*f.Button1);
    l.Button2 = BoundsOf(*f.Button2);
    l.Button3 = BoundsOf(*f.Button3);
    l.Label2Left = f.Label2->Left();
    l.Label3Left = f.Label3->Left();
    l.Label4Left = f.Label4->Left();
    return l;
}

void ApplyLayout(TForm1& f, const app::MainLayout& l) {
    if (f.Edit1->Visible()) {
        const app::FileListWithFilterBox placed = app::PlaceFilterBox(l.ListBox1, f.Dpi());
        Place(*f.ListBox1, placed.List);
        Place(*f.Edit1, placed.Box);
    } else {
        Place(*f.ListBox1, l.ListBox1);
    }
    Place(*f.ListBox2, l.ListBox2);
    Place(*f.ComboBox1, l.ComboBox1);
    Place(*f.Button1, l.Button1);
    Place(*f.Button2, l.Button2);
    Place(*f.Button3, l.Button3);
    if (f.Label2->Left() != l.Label2Left) f.Label2->SetLeft(l.Label2Left);
    if (f.Label3->Left() != l.Label3Left) f.Label3->SetLeft(l.Label3Left);
    if (f.Label4->Left() != l.Label4Left) f.Label4->SetLeft(l.Label4Left);
}

}  // namespace

void TForm1::SetComboStyle() {
    ShowControl(*ComboBox1, true);
    for (ui::Control* c : {static_cast<ui::Control*>(Label1), static_cast<ui::Control*>(Label2),
                           static_cast<ui::Control*>(Label3), static_cast<ui::Control*>(Label4),
                           static_cast<ui::Control*>(ListBox2)})
        ShowControl(*c, false);
    Button3->SetCaption("<");
    SetClientWidth(app::ComboStyleClientWidth(ClientWidth()));
    ApplyLayout(*this, app::SwitchToComboLayout(CurrentLayout(*this), ClientWidth()));

    ComboBox1->BeginUpdate();
    ComboBox1->Items().Clear();
    ComboBox1->SetText(kComboPrompt);
    ui::ListItems from = ListBox2->Items();
    ComboBox1->Items().AddAll(from.ToVector());
    // By its text: the two controls may order names that differ in letter case alone differently.
    if (int sel = ListBox2->ItemIndex(); sel >= 0) ComboBox1->SetItemIndex(ComboBox1->Items().IndexOf(from[sel]));
    ComboBox1->EndUpdate();
    ListBox2->Clear();
}

void TForm1::SetListStyle() {
    Button3->SetCaption(">");
    SetClientWidth(app::ListStyleClientWidth(ClientWidth()));
    ApplyLayout(*this, app::SwitchToListLayout(CurrentLayout(*this), ClientWidth(), Dpi()));
    ShowControl(*ComboBox1, false);
    ShowControl(*ListBox2, true);
    ShowControl(*Label1, true);
    ShowControl(*Label2, true);
    bool captionless = GetBorderStyle() == ui::BorderStyle::None;
    ShowControl(*Label3, captionless);
    ShowControl(*Label4, captionless);

    ListBox2->BeginUpdate();
    ListBox2->Clear();
    ui::ListItems from = ComboBox1->Items();
    ListBox2->Items().AddAll(from.ToVector());
    if (ComboBox1->Text() != kComboPrompt) {
        int sel = ComboBox1->ItemIndex();
        ListBox2->SetItemIndex(sel >= 0 ? ListBox2->Items().IndexOf(from[sel]) : -1);
    }
    ListBox2->EndUpdate();
}

void TForm1::LayoutListStyle() {
    ApplyLayout(*this, app::ListStyleLayout(CurrentLayout(*this), ClientWidth(), ClientHeight(), Dpi()));
}

void TForm1::LayoutComboStyle() {
    ApplyLayout(*this, app::ComboStyleLayout(CurrentLayout(*this), ClientWidth(), ClientHeight()));
}

void TForm1::Button3Click(ui::Component*) {
    if (Button3->Caption() == "<") SetListStyle();
    else SetComboStyle();
}

void TForm1::FormResize(ui::Component*) {
    if (Button3->Caption() == ">") LayoutListStyle();
    else LayoutComboStyle();
}

app::FrameMetrics TForm1::FrameMetricsAtDpi() const {
    return app::FrameMetrics{ui::SystemMetricForDpi(SM_CYCAPTION, Dpi()), ui::SystemMetricForDpi(SM_CYFRAME, Dpi())};
}

void TForm1::SampleFrameMetrics() {
    const app::FrameMetrics m = FrameMetricsAtDpi();
    TitleBarHeight = m.TitleBarHeight;
    FrameThickness = m.FrameThickness;
}

void TForm1::HideTitleBar() {
    SampleFrameMetrics();
    app::WindowBounds b = app::CaptionlessBounds(app::WindowBounds{Left(), Top(), Width(), Height()}, ClientWidth(),
                                                 ClientHeight(), app::FrameMetrics{TitleBarHeight, FrameThickness});
    SetBounds(b.Left, b.Top, b.Width, b.Height);
    ShowControl(*Label3, true);
    ShowControl(*Label4, true);
}

void TForm1::ShowTitleBar() {
    app::WindowBounds b = app::FramedBounds(app::WindowBounds{Left(), Top(), Width(), Height()},
                                            app::FrameMetrics{TitleBarHeight, FrameThickness});
    SetBounds(b.Left, b.Top, b.Width, b.Height);
    ShowControl(*Label3, false);
    ShowControl(*Label4, false);
}

void TForm1::FormDblClick(ui::Component*) {
    if (GetBorderStyle() == ui::BorderStyle::Sizeable) {
        HideTitleBar();
        SetBorderStyle(ui::BorderStyle::None);
    } else {
        ShowTitleBar();
        SetBorderStyle(ui::BorderStyle::Sizeable);
    }
    ApplyScrollExtents();
}

void TForm1::FormDpiChanged(ui::Component*) {
    // The frame a caption-less window gets back is the frame of the DPI it is shown at now.
    if (GetBorderStyle() == ui::BorderStyle::None) SampleFrameMetrics();
    ApplyScrollExtents();
}

void TForm1::FormMouseDown(ui::Component*, ui::MouseButton, ui::ShiftState Shift, int, int) {
    if (GetBorderStyle() != ui::BorderStyle::None || !Shift.left) return;
    // Let the system move the window as if its title bar had been grabbed.
    ReleaseCapture();
    SendMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void TForm1::N1Click(ui::Component*) {
    SetFormStyle(GetFormStyle() == ui::FormStyle::Normal ? ui::FormStyle::StayOnTop : ui::FormStyle::Normal);
    ApplyScrollExtents();
}

void TForm1::ApplyScrollExtents() {
    settings::IniFile ini = Settings();
    int folderFactor = settings::ReadFolderListScroll(ini);
    int fileFactor = settings::ReadFileListScroll(ini);
    ListBox1->SetHorizontalExtent(app::ScrollExtent(fileFactor, ListBox1->ClientWidth()));
    ListBox2->SetHorizontalExtent(app::ScrollExtent(folderFactor, ListBox2->ClientWidth()));
}

void TForm1::Label3MouseEnter(ui::Component*) { Label3->SetColor(ui::clBtnHighlight); }
void TForm1::Label3MouseLeave(ui::Component*) { Label3->SetColor(ui::clBtnShadow); }
void TForm1::Label3MouseDown(ui::Component*, ui::MouseButton, ui::ShiftState, int, int) {
    Label3->SetColor(ui::cl3DDkShadow);
}
void TForm1::Label4MouseEnter(ui::Component*) { Label4->SetColor(ui::clBtnHighlight); }
void TForm1::Label4MouseLeave(ui::Component*) { Label4->SetColor(ui::clBtnShadow); }
void TForm1::Label4MouseDown(ui::Component*, ui::MouseButton, ui::ShiftState, int, int) {
    Label4->SetColor(ui::cl3DDkShadow);
}
void TForm1::Label4Click(ui::Component*) { ui::App().Minimize(); }
