// Drag and drop of files: a file of the file list dragged into any program (copied there unless Shift is held, as a
// folder window does), and files dropped onto the lists moved or copied into a folder: the folder the file list
// shows, or the folder-list entry under the pointer (in combo style the entry the box shows).
#include <windows.h>

#include "app/FileSystem.h"
#include "app/Unit1.h"
#include "app/rules/DropEffect.h"
#include "app/rules/DropRefusals.h"
#include "text/PathText.h"
#include "ui/Application.h"
#include "ui/CodePage.h"
#include "ui/Dialogs.h"
#include "ui/DragDrop.h"

namespace {

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    const std::wstring wa = ui::ToWide(a), wb = ui::ToWide(b);
    return CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(), static_cast<int>(wb.size()),
                                TRUE) == CSTR_EQUAL;
}

// The root of the volume a path lies on ("C:\", "\\server\share\"), empty when the system cannot tell.
std::string VolumeOf(const std::string& path) {
    wchar_t root[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(ui::ToWide(path).c_str(), root, MAX_PATH + 1)) return std::string();
    return ui::FromWide(root);
}

// Why the system refused to move or copy a file.
app::RefusedFile RefusalOf(const std::string& path, DWORD error) {
    switch (error) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return {path, app::DropRefusal::NameTaken};
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return {path, app::DropRefusal::InUse};
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return {path, app::DropRefusal::Missing};
    case ERROR_ACCESS_DENIED: return {path, app::DropRefusal::Denied};
    default: return {path, app::DropRefusal::Other, error};
    }
}

}  // namespace

void TForm1::ListBox1BeginDrag(ui::Component*) {
    if (ListBox1->ItemIndex() < 0) return;
    const std::string path = SelectedFilePath();
    // The receiving program takes the path under the system's path rules; a name they would change is not handed over.
    if (!FileExists(path) || !CheckShellCanTake(path)) return;
    ui::DragFiles({path});
    // Moved by the target (Shift): the list shows the folder as it is now.
    if (!FileExists(path)) Refresh1Click(nullptr);
}

std::string TForm1::DropFolderAt(const ui::Control& list, POINT screen) {
    if (&list == ListBox1) return GetSelectedFolder();  // the folder the file list shows
    if (&list == ComboBox1) {
        const int i = ComboBox1->ItemIndex();
        return i >= 0 ? DisplayNameToPath(ComboBox1->Items()[i]) : std::string();
    }
    POINT client = screen;
    ScreenToClient(ListBox2->Handle(), &client);
    const int i = ListBox2->ItemAt(client.x, client.y);
    return i >= 0 ? DisplayNameToPath(ListBox2->Items()[i]) : std::string();
}

DWORD TForm1::DropEffectInto(const std::string& folder, DWORD keys, DWORD allowed,
                             const std::vector<std::string>& files, bool sourcePrefersCopy) {
    if (folder.empty() || !DirectoryExists(folder) || files.empty()) return DROPEFFECT_NONE;
    // Files already in the folder have nowhere to go.
    bool elsewhere = false;
    for (const std::string& f : files) elsewhere = elsewhere || !SameTextIgnoringCase(text::ExtractFilePath(f), folder);
    if (!elsewhere) return DROPEFFECT_NONE;
    app::DropRequest request;
    request.ctrl = (keys & MK_CONTROL) != 0;
    request.shift = (keys & MK_SHIFT) != 0;
    const std::string volume = VolumeOf(folder);
    request.sameVolume = !volume.empty() && SameTextIgnoringCase(VolumeOf(files.front()), volume);
    request.sourcePrefersCopy = sourcePrefersCopy;
    request.allowsCopy = (allowed & DROPEFFECT_COPY) != 0;
    request.allowsMove = (allowed & DROPEFFECT_MOVE) != 0;
    switch (app::ChooseDropAction(request)) {
    case app::DropAction::Copy: return DROPEFFECT_COPY;
    case app::DropAction::Move: return DROPEFFECT_MOVE;
    case app::DropAction::None: break;
    }
    return DROPEFFECT_NONE;
}

DWORD TForm1::DropFilesInto(const std::string& folder, DWORD effect, const std::vector<std::string>& files) {
    const bool move = (effect & DROPEFFECT_MOVE) != 0;
    std::string lastIn;
    std::vector<app::RefusedFile> refused;
    for (const std::string& source : files) {
        if (SameTextIgnoringCase(text::ExtractFilePath(source), folder)) continue;  // already there
        if (DirectoryExists(source)) {
            refused.push_back({source, app::DropRefusal::Folder});
            continue;
        }
        const std::string name = source.substr(text::ExtractFilePath(source).size());
        // Exactly the names given: "report.txt." never reaches a "report.txt" beside it, in either folder.
        const std::wstring from = SystemPath(source), to = SystemPath(folder + name);
        // Neither replaces a file that is already there: the file is refused, and the others still go.
        const bool done = move ? ::MoveFileW(from.c_str(), to.c_str()) : ::CopyFileW(from.c_str(), to.c_str(), TRUE);
        if (done) lastIn = name;
        else refused.push_back(RefusalOf(source, GetLastError()));
    }
    Refresh1Click(nullptr);
    if (!lastIn.empty() && SameTextIgnoringCase(folder, GetSelectedFolder())) {
        ListBox1->SetItemIndex(ListBox1->Items().IndexOf(lastIn));
    }
    // One box for all the refused files, once the drop has returned to its source.
    if (std::string message = app::DropRefusalMessage(move, refused); !message.empty())
        ui::App().Queue([message] { ui::ShowMessage(message); });
    if (lastIn.empty()) return DROPEFFECT_NONE;
    return move ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

void TForm1::AcceptDroppedFiles() {
    for (ui::Control* list : {static_cast<ui::Control*>(ListBox1), static_cast<ui::Control*>(ListBox2),
                              static_cast<ui::Control*>(ComboBox1)}) {
        ui::FileDropHandlers handlers;
        handlers.Effect = [this, list](POINT at, DWORD keys, DWORD allowed, const std::vector<std::string>& files,
                                       bool sourcePrefersCopy) {
            return DropEffectInto(DropFolderAt(*list, at), keys, allowed, files, sourcePrefersCopy);
        };
        handlers.Drop = [this, list](POINT at, DWORD effect, const std::vector<std::string>& files) {
            return DropFilesInto(DropFolderAt(*list, at), effect, files);
        };
        ui::AcceptFileDrops(*list, std::move(handlers));
    }
}
