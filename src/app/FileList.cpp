// The file list: the entries of the selected folder that match the registered extensions, with the count in its
// header, and the events that refill or read it.
#include <windows.h>

#include <vector>

#include "app/Unit1.h"
#include "app/FileSystem.h"
#include "app/FolderEntries.h"
#include "app/QuickFilter.h"
#include "app/rules/OwnIcon.h"
#include "components/FindHandle.h"
#include "settings/Schema.h"
#include "text/PathText.h"
#include "text/Utf8.h"
#include "ui/CodePage.h"
#include "ui/Dialogs.h"

void app::CollectMatches(const std::string& pattern, std::vector<std::string>& names,
                         FindFirstExFunction findFirst) {
    // The folder exactly as named (a folder "old." is not "old"); the pattern after it keeps the system's matching.
    const std::string folder = text::ExtractFilePath(pattern);
    const std::wstring widePattern = SystemPath(folder) + ui::ToWide(std::string_view(pattern).substr(folder.size()));
    WIN32_FIND_DATAW fd;
    FindHandle find(findFirst(widePattern.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr,
                              FIND_FIRST_EX_LARGE_FETCH));
    // Systems older than Windows 7 refuse both as an invalid parameter.
    if (!find.Valid() && GetLastError() == ERROR_INVALID_PARAMETER)
        find = FindHandle(FindFirstFileW(widePattern.c_str(), &fd));
    if (!find.Valid()) return;
    do {
        names.emplace_back();
        text::AppendUtf8(std::wstring_view(fd.cFileName), names.back());
    } while (FindNextFileW(find.Get(), &fd));
}

void TForm1::ReadOwnIcons(const std::string& folder) {
    app::OwnIconReader::Files own;
    for (std::size_t place = 0; place < fileNames_.Count(); ++place) {
        const std::string_view name = fileNames_.Name(place);
        const app::OwnIcon kind = app::OwnIconOf(name);
        if (kind != app::OwnIcon::None) own.emplace_back(ui::ToWide(name), kind);
    }
    ownIcons_.Start(SystemPath(folder), std::move(own), ListBox1->IconSize());
}

void TForm1::MakeFileList() {
    fileNames_.Clear();
    ownIcons_.Drop();
    settings::StoredList<std::string> extensions = settings::ReadExtensions(Settings());
    if (extensions.count == 0) {
        ui::ShowMessage("検索する拡張子が未設定なので設定してください。");
        OpenSettingsDialog();
    } else {
        // The folder and its existence are the same for every extension: found once.
        const std::string folder = GetSelectedFolder();
        std::vector<std::string> names;
        if (DirectoryExists(folder)) {
            for (const std::string& ext : extensions.entries) app::CollectMatches(folder + "*" + ext, names);
        }
        // Every caller has cleared the list: the names are ordered once instead of sorted in on every insert, and
        // kept whole for the filter, which shows those its text leaves when it is open.
        const std::vector<std::size_t> order = ListBox1->Items().OrderOf(names);
        fileNames_.Assign(std::move(names), order);
        ShowFileNames();
        if (ListBox1->WithIcons()) ReadOwnIcons(folder);
        if (settings::ReadQuickFilter(Settings())) app::FoldNamesWhenIdle(fileNames_, *this);
    }
    ShowFileCount();
}

void TForm1::Refresh1Click(ui::Component*) {
    int i = ListBox1->ItemIndex();
    std::string selected = i >= 0 ? ListBox1->Items()[i] : std::string();
    ListBox1->Clear();
    ListBox1->SetHint("");
    MakeFileList();
    ListBox1->SetItemIndex(ListBox1->Items().IndexOf(selected));
    ShowFileCount();
}

void TForm1::ListBox2Click(ui::Component*) {
    if (ListBox2->ItemIndex() < 0) return;
    DropFilter();
    ListBox1->Clear();
    MakeFileList();
    ListBox2->SetHint(GetSelectedFolder());
    ListBox1->SetHint("");
}

void TForm1::ComboBox1Change(ui::Component*) {
    int i = ComboBox1->ItemIndex();
    std::string text = i >= 0 ? ComboBox1->Items()[i] : std::string();
    if (text == "フォルダを選択してください") return;
    DropFilter();
    ListBox1->Clear();
    MakeFileList();
}

void TForm1::ListBox1Click(ui::Component*) {
    int i = ListBox1->ItemIndex();
    if (i >= 0) ListBox1->SetHint(ListBox1->Items()[i]);
}

void TForm1::Button2Click(ui::Component*) {
    int i = ListBox1->ItemIndex();
    if (i < 0) ui::ShowMessage("選択してください");
    else ui::ShowMessage(ListBox1->Items()[i]);
}
