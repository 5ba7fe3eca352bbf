// Start-up and lifecycle of the main window: the start-up sequence (run at creation and again whenever settings
// are applied), saving the window state, closing, and opening the settings dialog.
#include "app/Unit1.h"
#include "app/FileSystem.h"

#include <windows.h>

#include <vector>

#include "app/rules/Layout.h"
#include "app/rules/Reach.h"
#include "app/rules/StoredBounds.h"
#include "dialogs/Unit4.h"
#include "settings/Schema.h"
#include "text/PathText.h"
#include "ui/Application.h"
#include "ui/CodePage.h"
#include "ui/Dialogs.h"
#include "ui/Dpi.h"
#include "ui/Screen.h"

std::string BaseFolder;
int TitleBarHeight = 0;
int FrameThickness = 0;
TForm1* Form1 = nullptr;

namespace {

// The folder of the running program, with a trailing backslash.
std::string ProgramFolder() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return std::string();
        if (n < buf.size()) return text::ExtractFilePath(ui::FromWide(std::wstring_view(buf.data(), n)));
        buf.resize(buf.size() * 2);
    }
}

app::WindowBounds FromScreen(const ui::ScreenBounds& b) { return {b.Left, b.Top, b.Width, b.Height}; }

// The selected item's text of a list, or the empty text.
template <typename List>
std::string SelectedText(const List& list) {
    int i = list.ItemIndex();
    return i >= 0 ? list.Items()[i] : std::string();
}

}  // namespace

settings::IniFile TForm1::Settings() const { return settings::IniFile(settings::SettingsPath(BaseFolder)); }

bool TForm1::ComboStyle() const { return Button3->Caption() == "<"; }

bool TForm1::IconsWanted() const {
    return settings::ReadIcons(settings::IniFile(settings::SettingsPath(ProgramFolder())));
}

void TForm1::FormCreate(ui::Component*) {
    const unsigned run = ++startupRuns_;

    BaseFolder = ProgramFolder();

    std::string folder = ComboStyle() ? SelectedText(*ComboBox1) : SelectedText(*ListBox2);
    const std::string file = SelectedText(*ListBox1);

    ListBox2->Clear();
    ComboBox1->Items().Clear();
    ComboBox1->SetText("");
    DropFilter();
    ListBox1->Clear();
    fileNames_.Clear();

    if (!FileExists(settings::SettingsPath(BaseFolder))) {
        // First run: the settings dialog's OK runs this sequence again, nested; this run ends here.
        ui::ShowMessage("拡張子を設定してください。");
        OpenSettingsDialog();
        return;
    }

    // The file keeps the bounds in units of 96 ppi: the place at the system's DPI, the size at the DPI of the
    // monitor the window is on once it has been moved there.
    const int systemDpi = ui::SystemDpi();
    settings::WindowBounds b = settings::ReadWindowBounds(
        Settings(), {ui::ScaleToDesign(Left(), systemDpi), ui::ScaleToDesign(Top(), systemDpi), Unscale(Width()),
                     Unscale(Height())});
    readBounds_ = app::WindowBounds{b.left, b.top, b.width, b.height};
    SetLeft(ui::ScaleToDpi(b.left, systemDpi));
    SetTop(ui::ScaleToDpi(b.top, systemDpi));
    SetWidth(Scale(b.width));
    SetHeight(Scale(b.height));
    KeepWithinReach();

    bool combo = settings::ReadComboStyle(Settings());
    SetClientWidth(app::StartupClientWidth(combo, ClientWidth()));
    if (combo) SetComboStyle();
    else SetListStyle();

    // The folder list is collected by the walk and filled in one go afterwards.
    folderEntries_.clear();
    AddFixedFolders();
    walkDepth_ = settings::ReadDepth(Settings());
    SearchDir1->BaseDir = BaseFolder;
    SearchDir1->Search();
    FillFolderList();

    if (ComboStyle()) {
        if (int i = ComboBox1->Items().IndexOf(folder); i >= 0) ComboBox1->SetItemIndex(i);
    } else {
        if (int i = ListBox2->Items().IndexOf(folder); i >= 0) ListBox2->SetItemIndex(i);
    }

    MakeFileList();
    // The file list's prompt for extensions may have opened the settings dialog, whose OK ran this sequence again
    // to its end; repeating the remaining steps would enter the modes and build the menus a second time.
    if (run != startupRuns_) return;

    if (int i = ListBox1->Items().IndexOf(file); i >= 0) ListBox1->SetItemIndex(i);

    if (settings::ReadBarHide(Settings())) {
        HideTitleBar();
        SetBorderStyle(ui::BorderStyle::None);
        ApplyScrollExtents();
    } else {
        Label3->SetVisible(false);
        Label3->SetEnabled(false);
        Label4->SetVisible(false);
        Label4->SetEnabled(false);
    }

    if (settings::ReadUpdateCheck(Settings())) CheckForUpdate();

    if (settings::ReadOnTop(Settings())) {
        N1->Checked = true;
        SetFormStyle(ui::FormStyle::StayOnTop);
    }

    ApplyScrollExtents();

    BuildMoveMenu();
    MakeApplicationMenu();
    AcceptDroppedFiles();

    int folders = ComboStyle() ? ComboBox1->Items().Count() : ListBox2->Items().Count();
    Label1->SetCaption("フォルダリスト " + std::to_string(folders));
    Label2->SetCaption("ファイルリスト " + std::to_string(ListBox1->Items().Count()));

    ApplyHotKeyAndTrayIcon();
}

void TForm1::KeepWithinReach() {
    const app::WindowBounds framed{Left(), Top(), Width(), Height()};
    const app::WindowBounds grip = app::GripOf(framed, settings::ReadBarHide(Settings()), FrameMetricsAtDpi());
    std::vector<app::WindowBounds> workAreas;
    for (const ui::ScreenBounds& area : ui::WorkAreas()) workAreas.push_back(FromScreen(area));
    if (app::IsWithinReach(grip, workAreas)) return;
    const ui::ScreenBounds nearest = ui::NearestWorkArea({framed.Left, framed.Top, framed.Width, framed.Height});
    const app::WindowBounds moved = app::MoveIntoWorkArea(framed, FromScreen(nearest));
    SetBounds(moved.Left, moved.Top, moved.Width, moved.Height);
}

void TForm1::SaveWindowState() {
    settings::WindowState state;
    state.barHide = GetBorderStyle() == ui::BorderStyle::None;
    // A minimised window keeps the place it comes back to, not the task bar's placeholder.
    const app::WindowBounds current = FromScreen(ui::RestoredBounds(Handle()));
    app::WindowBounds saved = app::SavedWindowBounds(current, state.barHide,
                                                     app::FrameMetrics{TitleBarHeight, FrameThickness});
    const app::WindowBounds stored = app::StoredBounds(saved, readBounds_, ui::SystemDpi(), Dpi());
    state.bounds = settings::WindowBounds{stored.Left, stored.Top, stored.Width, stored.Height};
    state.comboStyle = Button3->Caption() != ">";
    state.onTop = GetFormStyle() != ui::FormStyle::Normal;
    settings::WriteWindowState(Settings(), state);
}

void TForm1::FormClose(ui::Component*, ui::CloseAction&) {
    // A user can always quit: a state that cannot be written is reported once, and the window still closes.
    try {
        SaveWindowState();
    } catch (const std::exception& e) {
        ui::App().ShowException(e.what());
    }
}

void TForm1::Exit1Click(ui::Component*) {
    Close();
    ui::App().Terminate();
}

void TForm1::N4Click(ui::Component*) {
    SaveWindowState();
    OpenSettingsDialog();
}

void TForm1::OpenSettingsDialog() {
    Form4 = new TForm4(this);
    struct ReleaseOnExit {
        ~ReleaseOnExit() {
            if (Form4) Form4->Release();
            Form4 = nullptr;
        }
    } release;
    Form4->ShowModal();
}
